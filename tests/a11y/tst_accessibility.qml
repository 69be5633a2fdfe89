import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0

// What assistive technology sees of every screen, with its lists and dialogs open, and a switch
// configured with the keyboard alone.
WindowTest {
    name: "Accessibility"

    readonly property var iface: ConfigSwitch.Iface

    function initTestCase() {
        // Controls take their accessible names only while a bridge is active when they are made.
        verify(AccessibilityTree.activate(), "no accessibility bridge")
    }

    function test_every_screen_names_its_controls_data() {
        const M = ConfigSwitch.MouseAction
        return [
            { tag: "overview, menu", click: "menu_toggle" },
            { tag: "overview, pointer list", popup: "pointer_list" },
            { tag: "overview, reading", reading: true },
            { tag: "editor, mouse list", press: entry(iface.Mouse, M.Move, 0, 1), popup: "mouse_list" },
            { tag: "editor, key list", press: entry(iface.Keybd, 4, 0x04, 0x41), popup: "keybd_list" },
            { tag: "editor, multimedia", press: entry(iface.Cctrl, 4, 0xE9, 0) },
            { tag: "editor, joystick", press: entry(iface.Joyst, 1, 0, 0x81) },
            { tag: "editor, generic, reading", press: entry(iface.Gener, 1, 3, 0), reading: true },
            { tag: "about", page: "about" },
            { tag: "settings, language list", page: "settings", popup: "settings_language" },
            { tag: "settings, joystick dialog", page: "settings", popup: "settings_joystick_dialog" },
            { tag: "settings, no device", page: "settings", unplugged: true },
            { tag: "no device", page: "please_connect", unplugged: true },
            { tag: "pairing steps", page: "pairing_help", unplugged: true, click: "help_answer_first_time" }
        ]
    }

    function test_every_screen_names_its_controls(data) {
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
        if (data.reading) {
            sim.set_latency(30)
            device.read_config()
        }
        // Once a page has slid in.
        for (let i = 0; i < 30 && AccessibilityTree.faults(window).length; ++i)
            wait(100)
        const faults = AccessibilityTree.faults(window)
        verify(faults.length === 0, faults.join("\n"))
    }

    // The focus shown all the way; the device and the overview then hold the edit.
    function test_configure_switch_3_with_keys_only() {
        // Switch 3 starts as a mouse click, so that choosing the keyboard is a change.
        const presses = sim.press_entries()
        presses[2] = entry(iface.Mouse, ConfigSwitch.MouseAction.Click, 0, 0)
        store_on_device(presses)
        create_window()
        // The overview starts on the first edit button, unmarked until a key moves the focus.
        expect_focus("switch_edit_0", false)
        tab(2)
        expect_focus("switch_edit_2")
        keyClick(Qt.Key_Space)
        // The editor opens on the switch's interface; an arrow key chooses the next one.
        expect_focus("iface_mouse")
        keyClick(Qt.Key_Right)
        expect_focus("iface_keybd")
        // The key list: Space opens it, the arrows move, Enter takes the key.
        tab(2)
        expect_focus("keybd_list")
        for (const key of [Qt.Key_Space, Qt.Key_Down, Qt.Key_Down, Qt.Key_Return])
            keyClick(key)
        tryCompare(child("keybd_list").popup, "visible", false)
        expect_focus("keybd_list")
        tab()
        expect_focus("modifier_ctrl")
        keyClick(Qt.Key_Space)
        // Past the other modifiers to the release options, where Down picks the next one.
        tab(5)
        expect_focus("keybd_release_automatic")
        keyClick(Qt.Key_Down)
        expect_focus("keybd_release_manual")
        // Tab goes round to the back button at the top of the page; back where the user left.
        tab(2)
        expect_focus("switch_back")
        keyClick(Qt.Key_Return)
        expect_focus("switch_edit_2")

        flush_device()
        const K = ConfigSwitch.KeybdAction
        compare(sim.press_entries()[2], entry(iface.Keybd, K.Press, 0x06, 0x01))
        compare(sim.release_entries()[2], entry(iface.Keybd, K.Release, 0x06, 0x01))
        compare(AccessibilityTree.name_of(child("switch_row_2")),
                "Switch 3: Keyboard, Key C + Ctrl, Release manually")
    }
}
