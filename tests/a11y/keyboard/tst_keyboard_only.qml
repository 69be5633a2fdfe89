import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0
import "../common"

// A switch configured from start to end with the keyboard alone; the device and the overview then
// hold the edit.
A11yTestCase {
    name: "KeyboardOnly"

    function test_configure_switch_3_with_keys_only() {
        // Switch 3 starts as a mouse click, so that choosing the keyboard is a change.
        const presses = sim.press_entries()
        presses[2] = entry(mouse, ConfigSwitch.MouseAction.Click, 0, 0)
        store_on_device(presses)
        open_window()

        // The overview starts on the first switch's edit button, unmarked until a key moves it.
        expect_focus("switch_edit_0", false)
        tab(2)
        expect_focus("switch_edit_2")
        compare(AccessibilityTree.name_of(focused()), "Edit switch 3")
        press(Qt.Key_Space)
        wait_for_page(child("switch_configuration_page"))
        compare(child("swipeview_connected").switch_index, 2)

        // The editor opens on the chosen interface; the arrow keys choose another.
        expect_focus("iface_mouse")
        press(Qt.Key_Right)
        expect_focus("iface_keybd")
        verify(child("iface_keybd").checked)
        verify(child("keybd_panel").visible)

        // The key list: Space opens it, the arrows move, Enter takes the key.
        tab(2)
        expect_focus("keybd_list")
        const list = child("keybd_list")
        compare(list.currentIndex, 0)
        press(Qt.Key_Space)
        tryCompare(list.popup, "opened", true)
        press(Qt.Key_Down)
        press(Qt.Key_Down)
        press(Qt.Key_Return)
        tryCompare(list.popup, "visible", false)
        compare(list.displayText, "C")
        expect_focus("keybd_list")

        tab()
        expect_focus("modifier_ctrl")
        press(Qt.Key_Space)
        verify(child("modifier_ctrl").checked)

        // Past the other modifiers to the release options, where Down picks the next one.
        tab(5)
        expect_focus("keybd_release_automatic")
        press(Qt.Key_Down)
        expect_focus("keybd_release_manual")
        verify(child("keybd_release_manual").checked)

        // Tab goes round from the last option to the back button at the top of the page.
        tab(2)
        expect_focus("switch_back")
        press(Qt.Key_Return)
        wait_for_page(child("device_configuration_page"))
        // Back where the user left the overview.
        expect_focus("switch_edit_2")

        compare_stored(2, entry(keybd, ConfigSwitch.KeybdAction.Press, 0x06, 0x01),
                       entry(keybd, ConfigSwitch.KeybdAction.Release, 0x06, 0x01))
        compare(child("switch_action_2").text, "Key C + Ctrl")
        compare(child("switch_release_2").text, "Release manually")
        verify(child("switch_release_2").visible)
        compare(AccessibilityTree.name_of(child("switch_row_2")),
                "Switch 3: Keyboard, Key C + Ctrl, Release manually")
    }

    readonly property int mouse: ConfigSwitch.Iface.Mouse
    readonly property int keybd: ConfigSwitch.Iface.Keybd
}
