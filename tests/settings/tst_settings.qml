import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0

// The settings page: its two dialogs, of which a confirmed one sends exactly one write or restore
// (the window then shows what the device holds) and a dismissed one nothing; its language list.
WindowTest {
    name: "Settings"

    function test_dialog_data() {
        const rows = [
            { tag: "joystick, yes", dialog: "joystick", answer: "yes", writes: 1, restores: 0 },
            { tag: "restore, yes", dialog: "restore", answer: "yes", writes: 0, restores: 1 }
        ]
        for (const dialog of ["joystick", "restore"]) {
            for (const answer of ["cancel", "escape", "outside"])
                rows.push({ tag: dialog + ", " + answer, dialog: dialog, answer: answer,
                            writes: 0, restores: 0 })
        }
        return rows
    }

    function test_dialog(data) {
        const factory = sim.press_entries()[0]
        // A configuration of the device's own, so that a restore shows.
        sim.set_press(0, entry(ConfigSwitch.Iface.Keybd, ConfigSwitch.KeybdAction.Tap, 4, 1))
        device.read_config()
        wait_for_read()
        const stored = sim.press_entries()[0]
        const writes = sim.writes_applied()
        const restores = sim.restores()
        create_window()
        open_page("settings")

        const dialog = child("settings_" + data.dialog + "_dialog")
        click(child("settings_" + data.dialog))
        tryCompare(dialog, "opened", true)
        if (data.answer === "escape")
            keyClick(Qt.Key_Escape)
        else if (data.answer === "outside")
            mouseClick(window.contentItem, window.width / 2, window.height - 5)
        else
            click(findChild(dialog, "dialog_" + data.answer))
        tryCompare(dialog, "visible", false)
        tryCompare(device, "config_ready", true, 5000)
        flush_device()

        const confirmed = data.answer === "yes"
        compare(sim.writes_applied() - writes, data.writes)
        compare(sim.restores() - restores, data.restores)
        compare(sim.use_joystick(), confirmed && data.dialog === "joystick")
        compare(sim.press_entries()[0], confirmed && data.dialog === "restore" ? factory : stored)
        // The window's copy is what the device holds, and an answer leads back to the overview.
        compare(child("config").use_joystick, sim.use_joystick())
        compare(child("config").sw_simplified_config[0].iface, sim.press_entries()[0].iface)
        compare(shown_page(), confirmed ? "device_configuration" : "settings")
    }

    // The language list shows the language that start-up installed and stores nothing on its own; a
    // pick is stored and retranslates the screens in place. Nothing is sent all along.
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
        compare(stored_settings.value("lang"), data.stored)

        choose(list, data.pick)
        tryVerify(function () { return stored_settings.value("lang") === list.valueAt(data.pick) })
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
