import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0

// A switch configured from start to end with the keyboard alone; the device and the overview then
// hold the edit.
WindowTest {
    name: "KeyboardOnly"

    readonly property int mouse: ConfigSwitch.Iface.Mouse
    readonly property int keybd: ConfigSwitch.Iface.Keybd

    function initTestCase() {
        verify(AccessibilityTree.activate(), "no accessibility bridge")
    }

    function test_configure_switch_3_with_keys_only() {
        // Switch 3 starts as a mouse click, so that choosing the keyboard is a change.
        const presses = sim.press_entries()
        presses[2] = entry(mouse, ConfigSwitch.MouseAction.Click, 0, 0)
        store_on_device(presses)
        create_window()

        // The overview starts on the first switch's edit button, unmarked until a key moves it.
        expect_focus("switch_edit_0", false)
        tab(2)
        expect_focus("switch_edit_2")
        compare(AccessibilityTree.name_of(focused()), "Edit switch 3")
        keyClick(Qt.Key_Space)
        compare(shown_page(), "switch_configuration")

        // The editor opens on the chosen interface; the arrow keys choose another.
        expect_focus("iface_mouse")
        keyClick(Qt.Key_Right)
        expect_focus("iface_keybd")
        verify(child("iface_keybd").checked)
        verify(child("keybd_panel").visible)

        // The key list: Space opens it, the arrows move, Enter takes the key.
        tab(2)
        expect_focus("keybd_list")
        const list = child("keybd_list")
        compare(list.currentIndex, 0)
        keyClick(Qt.Key_Space)
        tryCompare(list.popup, "opened", true)
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Return)
        tryCompare(list.popup, "visible", false)
        compare(list.displayText, "C")
        expect_focus("keybd_list")

        tab()
        expect_focus("modifier_ctrl")
        keyClick(Qt.Key_Space)
        verify(child("modifier_ctrl").checked)

        // Past the other modifiers to the release options, where Down picks the next one.
        tab(5)
        expect_focus("keybd_release_automatic")
        keyClick(Qt.Key_Down)
        expect_focus("keybd_release_manual")
        verify(child("keybd_release_manual").checked)

        // Tab goes round from the last option to the back button at the top of the page.
        tab(2)
        expect_focus("switch_back")
        keyClick(Qt.Key_Return)
        // Back where the user left the overview.
        expect_focus("switch_edit_2")

        flush_device()
        compare(sim.press_entries()[2], entry(keybd, ConfigSwitch.KeybdAction.Press, 0x06, 0x01))
        compare(sim.release_entries()[2], entry(keybd, ConfigSwitch.KeybdAction.Release, 0x06, 0x01))
        compare(AccessibilityTree.name_of(child("switch_row_2")),
                "Switch 3: Keyboard, Key C + Ctrl, Release manually")
    }
}
