import QtQuick 2.15
import QtTest 1.2
import "../common"

// The language list of the settings page: what it stores and how the window follows.
WindowTest {
    name: "LanguageList"

    function pick_language(index) {
        const combo = child("settings_language")
        mouseClick(combo)
        tryCompare(combo.popup, "opened", true)
        const delegate = combo.popup.contentItem.itemAtIndex(index)
        verify(delegate, "no row " + index)
        mouseClick(delegate)
        tryCompare(combo.popup, "visible", false)
    }

    function initTestCase() {
        create_window()
    }

    function cleanupTestCase() {
        destroy_window()
    }

    function init() {
        show_settings()
    }

    function cleanup() {
        if (child("settings_language").currentIndex !== 0)
            window.set_language("en")
    }

    function test_language_picked_is_stored_and_shown_at_once_data() {
        return [
            { tag: "Español", index: 1, code: "es", title: "Ajustes", restore: "Restaurar la configuración de fábrica",
              switches: "Pulsadores" },
            { tag: "Français", index: 2, code: "fr", title: "Paramètres", restore: "Restaurer la configuration d’usine",
              switches: "Contacteurs" },
            { tag: "Italiano (no catalog)", index: 3, code: "it", title: "Settings", restore: "Restore default configuration",
              switches: "Switches" },
            { tag: "Euskara (no catalog)", index: 6, code: "eu", title: "Settings", restore: "Restore default configuration",
              switches: "Switches" }
        ]
    }

    function test_language_picked_is_stored_and_shown_at_once(data) {
        const combo = child("settings_language")
        compare(combo.currentIndex, 0)
        // Start from a language other than the one picked, so that the texts must change.
        pick_language(data.index === 1 ? 2 : 1)
        verify(child("settings_title").text !== data.title)

        pick_language(data.index)
        compare(combo.currentIndex, data.index)
        tryVerify(function () { return test_settings.value("lang") === data.code })
        compare(child("settings_title").text, data.title)
        compare(child("settings_restore").text, data.restore)
        // Other screens follow too: the device overview.
        verify(texts_under(child("switches_card")).indexOf(data.switches) >= 0)
        // The window stays where it was.
        compare(child("swipeview_main").currentIndex, 2)
    }

    function test_window_starts_with_the_stored_language_data() {
        return [
            { tag: "de, from the system locale", lang: "de", index: -1, title: "Settings" },
            { tag: "empty, from a locale without territory", lang: "", index: -1, title: "Settings" },
            { tag: "fr", lang: "fr", index: 2, title: "Paramètres" },
            { tag: "pt", lang: "pt", index: 4, title: "Settings" }
        ]
    }

    function test_window_starts_with_the_stored_language(data) {
        // As start-up does: the catalog is installed before the window exists.
        destroy_window()
        translate.set_language(data.lang)
        create_window({ lang: data.lang })
        show_settings()
        const combo = child("settings_language")
        compare(combo.currentIndex, data.index)
        compare(combo.displayText, data.index < 0 ? "" : combo.textAt(data.index))
        compare(child("settings_title").text, data.title)
        // Opening the page chose nothing on the user's behalf.
        compare(test_settings.value("lang"), data.lang)

        // Until the user picks a language.
        pick_language(0)
        compare(combo.currentIndex, 0)
        compare(child("settings_title").text, "Settings")
        tryVerify(function () { return test_settings.value("lang") === "en" })
    }

    function test_language_list_offers_the_fixed_names() {
        const combo = child("settings_language")
        const names = []
        for (let i = 0; i < combo.count; ++i)
            names.push(combo.textAt(i))
        compare(names, ["English", "Español", "Français", "Italiano", "Português", "Català", "Euskara"])
        compare(combo.valueAt(4), "pt")
        compare(combo.valueAt(5), "ca")
        // Names are never translated.
        pick_language(2)
        compare(combo.textAt(1), "Español")
        compare(combo.displayText, "Français")
    }
}
