import QtQuick 2.15
import QtTest 1.15
import VelquinTest 1.0

// The language list: it shows the language that start-up installed and stores nothing on its own;
// a pick is stored and retranslates the screens in place. Nothing is sent all along.
WindowTest {
    name: "Language"

    function test_picked_language_is_stored_and_shown_at_once_data() {
        return [{ tag: "es", stored: "", shown: "", pick: 1, translated: true },
                { tag: "it, no catalog", stored: "", shown: "", pick: 3, translated: false },
                { tag: "en, from a stored fr", stored: "fr", shown: "Français", pick: 0 },
                { tag: "en, from the locale's de", stored: "de", shown: "", pick: 0 }]
    }

    function test_picked_language_is_stored_and_shown_at_once(data) {
        const writes = sim.writes_applied()
        translate.set_language(data.stored)
        create_window({ lang: data.stored })
        // Items of two screens, kept: they must be retranslated in place, not made anew.
        const row = child("switch_action_0")
        const pointer = child("pointer_list")
        const before = [row.text, pointer.displayText, pointer.currentIndex]
        open_page("settings")
        const list = child("settings_language")
        compare(list.displayText, data.shown)
        compare(test_settings.value("lang"), data.stored)

        choose(list, data.pick)
        tryVerify(function () { return test_settings.value("lang") === list.valueAt(data.pick) })
        compare(child("settings_title").text, qsTranslate("AppSettings", "Settings"))
        compare(pointer.currentIndex, before[2])
        compare(shown_page(), "settings")
        flush_device()
        compare(sim.writes_applied(), writes)
        if (data.stored === "") {
            compare(row.text, qsTranslate("SwitchConfiguration", before[0]))
            compare(pointer.displayText, qsTranslate("DeviceConfiguration", before[1]))
            compare(row.text !== before[0], data.translated, row.text)
        }
    }
}
