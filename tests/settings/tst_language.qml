import QtQuick 2.15
import QtTest 1.15
import VelquinTest 1.0

// The language list: what it stores, and the screens retranslated in place with nothing sent.
WindowTest {
    name: "Language"

    function pick(code) {
        const list = child("settings_language")
        for (let i = 0; i < list.count; ++i) {
            if (list.valueAt(i) === code)
                return choose(list, i)
        }
        fail("no language " + code)
    }

    function test_picked_language_is_stored_and_shown_at_once_data() {
        return [{ tag: "es", translated: true }, { tag: "fr", translated: true },
                { tag: "it", translated: false }]
    }

    function test_picked_language_is_stored_and_shown_at_once(data) {
        create_window()
        // Items of two screens, kept: they must be retranslated in place, not made anew.
        const row = child("switch_action_0")
        const pointer = child("pointer_list")
        const english = [row.text, pointer.displayText, pointer.currentIndex]
        const writes = sim.writes_applied()
        open_page("settings")
        pick(data.tag)
        tryVerify(function () { return test_settings.value("lang") === data.tag })
        compare(child("settings_title").text, qsTranslate("AppSettings", "Settings"))
        // The overview names the switch's option as the editor does.
        compare(row.text, qsTranslate("SwitchConfiguration", english[0]))
        compare(row.text !== english[0], data.translated, row.text)
        compare(pointer.displayText, qsTranslate("DeviceConfiguration", english[1]))
        // Nothing moves, nothing is sent.
        compare(pointer.currentIndex, english[2])
        compare(shown_page(), "settings")
        flush_device()
        compare(sim.writes_applied(), writes)
    }

    // Start-up installs the stored language before the window; the list shows it, and stores
    // nothing until the user picks.
    function test_window_starts_with_the_stored_language_data() {
        return [{ tag: "fr", lang: "fr", shown: "Français" },
                { tag: "de, from the system locale", lang: "de", shown: "" },
                { tag: "none", lang: "", shown: "" }]
    }

    function test_window_starts_with_the_stored_language(data) {
        translate.set_language(data.lang)
        create_window({ lang: data.lang })
        open_page("settings")
        compare(child("settings_language").displayText, data.shown)
        wait(50)
        compare(test_settings.value("lang"), data.lang)
        pick("en")
        compare(child("settings_title").text, "Settings")
        tryVerify(function () { return test_settings.value("lang") === "en" })
    }
}
