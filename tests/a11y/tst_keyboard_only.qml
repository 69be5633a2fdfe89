import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0

// A switch configured from start to end with the keyboard alone, the focus shown all the way; the
// device and the overview then hold the edit.
WindowTest {
    name: "KeyboardOnly"

    function initTestCase() {
        verify(AccessibilityTree.activate(), "no accessibility bridge")
    }

    function test_configure_switch_3_with_keys_only() {
        // Switch 3 starts as a mouse click, so that choosing the keyboard is a change.
        const presses = sim.press_entries()
        presses[2] = entry(ConfigSwitch.Iface.Mouse, ConfigSwitch.MouseAction.Click, 0, 0)
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
        keyClick(Qt.Key_Space)
        for (const key of [Qt.Key_Down, Qt.Key_Down, Qt.Key_Return])
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
        const keybd = ConfigSwitch.Iface.Keybd
        compare(sim.press_entries()[2], entry(keybd, ConfigSwitch.KeybdAction.Press, 0x06, 0x01))
        compare(sim.release_entries()[2], entry(keybd, ConfigSwitch.KeybdAction.Release, 0x06, 0x01))
        compare(AccessibilityTree.name_of(child("switch_row_2")),
                "Switch 3: Keyboard, Key C + Ctrl, Release manually")
    }
}
