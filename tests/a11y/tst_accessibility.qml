import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0

// What assistive technology sees of every screen, with its lists and dialogs open: no control
// without a name or a role, no picture that is not hidden, no clickable item that it cannot see,
// and nothing of the pages out of sight.
WindowTest {
    name: "Accessibility"

    readonly property var iface: ConfigSwitch.Iface

    function initTestCase() {
        // Controls take their accessible names only while a bridge is active when they are made.
        verify(AccessibilityTree.activate(), "no accessibility bridge")
    }

    // Shows the row's page: with switch 3 stored as the row says, without a device, with a
    // pop-up open or a read under way.
    function show(data) {
        if (data.press) {
            const presses = sim.press_entries()
            presses[2] = data.press
            store_on_device(presses, data.press.iface === iface.Joyst)
        }
        create_window({ show_generic_iface: data.press !== undefined && data.press.iface === iface.Gener })
        if (data.unplugged)
            sim.unplug()
        open_page(data.page || (data.press ? "switch_configuration" : "device_configuration"), 2)
        if (data.click)
            click(child(data.click))
        if (data.popup) {
            const popup = child(data.popup).popup || child(data.popup)
            popup.enter = null
            popup.open()
            tryCompare(popup, "opened", true)
        }
        if (data.reading)
            device.read_config()
    }

    function test_every_screen_names_its_controls_data() {
        const M = ConfigSwitch.MouseAction
        return [
            { tag: "overview, menu", click: "menu_toggle" },
            { tag: "overview, pointer list", popup: "pointer_list" },
            { tag: "overview, reading", reading: true },
            { tag: "editor, mouse button", press: entry(iface.Mouse, M.Click, 1, 0) },
            { tag: "editor, mouse list", press: entry(iface.Mouse, M.Move, 0, 1), popup: "mouse_list" },
            { tag: "editor, double click", press: entry(iface.Mouse, M.DoubleClick, 0, 20) },
            { tag: "editor, key list", press: entry(iface.Keybd, 4, 0x04, 0x41), popup: "keybd_list" },
            { tag: "editor, multimedia", press: entry(iface.Cctrl, 4, 0xE9, 0) },
            { tag: "editor, joystick", press: entry(iface.Joyst, 1, 0, 0x81) },
            { tag: "editor, generic, reading", press: entry(iface.Gener, 1, 3, 0), reading: true },
            { tag: "about", page: "about" },
            { tag: "settings, language list", page: "settings", popup: "settings_language" },
            { tag: "settings, joystick dialog", page: "settings", popup: "settings_joystick_dialog" },
            { tag: "settings, restore dialog", page: "settings", popup: "settings_restore_dialog" },
            { tag: "settings, reading", page: "settings", reading: true },
            { tag: "settings, no device", page: "settings", unplugged: true },
            { tag: "no device", page: "please_connect", unplugged: true },
            { tag: "pairing steps", page: "pairing_help", unplugged: true, click: "help_answer_first_time" },
            { tag: "reconnecting steps", page: "pairing_help", unplugged: true, click: "help_answer_paired" }
        ]
    }

    function test_every_screen_names_its_controls(data) {
        show(data)
        const faults = AccessibilityTree.faults(window)
        verify(faults.length === 0, faults.join("\n"))
    }

    // Each row's item is hidden while the other, beside it, is exposed.
    function test_hidden_data() {
        return [
            { tag: "row line, read by its row", item: "switch_action_0", shown: "switch_row_0" },
            { tag: "editor out of sight", item: "iface_mouse", shown: "switch_edit_0" },
            { tag: "settings out of sight", item: "settings_back", shown: "menu_toggle" },
            { tag: "about picture", item: "about_device_image", shown: "about_continue", page: "about" },
            { tag: "overview out of sight", item: "switch_edit_0", shown: "about_continue", page: "about" }
        ]
    }

    function test_hidden(data) {
        show(data)
        verify(!AccessibilityTree.exposed(child(data.item)), data.item + " is exposed")
        verify(AccessibilityTree.exposed(child(data.shown)), data.shown + " is hidden")
    }
}
