import QtQuick 2.15
import QtTest 1.15
import VelquinTest 1.0

// The language list: what it stores, and every screen retranslated in place, nothing sent.
WindowTest {
    name: "Language"

    function pick(list, code) {
        for (let i = 0; i < list.count; ++i) {
            if (list.valueAt(i) === code)
                return choose(list, i)
        }
        fail("no language " + code)
    }

    function test_picked_language_is_stored_and_shown_at_once_data() {
        return [
            { tag: "es", code: "es", catalog: true },
            { tag: "fr", code: "fr", catalog: true },
            { tag: "it, no catalog", code: "it", catalog: false }
        ]
    }

    function test_picked_language_is_stored_and_shown_at_once(data) {
        create_window()
        // The same items before and after: retranslated in place, not made anew.
        const row = child("switch_action_0")
        const pointer = child("pointer_list")
        const english = [row.text, pointer.displayText]
        const profile = pointer.currentIndex
        flush_device()
        const writes = sim.writes_applied()
        open_page("settings")
        const title = child("settings_title")
        compare(title.text, "Settings")

        pick(child("settings_language"), data.code)
        tryVerify(function () { return test_settings.value("lang") === data.code })
        compare(title.text, qsTranslate("AppSettings", "Settings"))
        compare(title.text !== "Settings", data.catalog, title.text)
        compare(row.text, qsTranslate("ConfigSwitchUtil", english[0]))
        compare(pointer.displayText, qsTranslate("DeviceConfiguration", english[1]))
        compare(row.text !== english[0], data.catalog, row.text)
        // The lists keep their rows, and nothing is sent.
        compare(pointer.currentIndex, profile)
        compare(shown_page(), "settings")
        flush_device()
        compare(sim.writes_applied(), writes)
    }

    // Start-up installs the stored language before the window; the list shows it and stores
    // nothing until the user picks.
    function test_window_starts_with_the_stored_language_data() {
        return [
            { tag: "fr", lang: "fr", shown: "Français" },
            { tag: "de, from the system locale", lang: "de", shown: "" },
            { tag: "none", lang: "", shown: "" }
        ]
    }

    function test_window_starts_with_the_stored_language(data) {
        translate.set_language(data.lang)
        create_window({ lang: data.lang })
        open_page("settings")
        const list = child("settings_language")
        compare(list.displayText, data.shown)
        compare(child("settings_title").text, qsTranslate("AppSettings", "Settings"))
        wait(50)
        compare(test_settings.value("lang"), data.lang)
        pick(list, "en")
        compare(child("settings_title").text, "Settings")
        tryVerify(function () { return test_settings.value("lang") === "en" })
    }
}
