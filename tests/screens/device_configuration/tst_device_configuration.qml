import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import "../common"

// The switch overview in the real window: its rows follow what the device stores, the two mouse
// movement lists send only on a user's change, and the menu leads to the other pages.
ScreenTestCase {
    name: "DeviceConfiguration"

    readonly property int mouse: ConfigSwitch.Iface.Mouse
    readonly property int keybd: ConfigSwitch.Iface.Keybd
    readonly property int joyst: ConfigSwitch.Iface.Joyst
    readonly property var mouse_action: ConfigSwitch.MouseAction

    function row_text(i) {
        return child("switch_action_" + i).text
    }

    // The release line as shown, or null while it is hidden.
    function release_line(i) {
        const line = child("switch_release_" + i)
        return line.visible ? line.text : null
    }

    function icon(i) {
        return String(child("switch_icon_" + i).source)
    }

    property bool language_changed: false

    function cleanup() {
        close_window()
        if (language_changed)
            translate.set_language("")
        language_changed = false
    }

    function test_rows_describe_every_switch() {
        store_on_device([
            entry(ConfigSwitch.Iface.None, 0, 0, 0),
            entry(mouse, mouse_action.Move, ConfigSwitch.Axis.X, 0x21),
            entry(mouse, mouse_action.MoveStop, ConfigSwitch.Axis.Y, 0x22),
            entry(joyst, ConfigSwitch.JoystAction.SetPos, ConfigSwitch.Axis.Y, 0x81),
            entry(keybd, ConfigSwitch.KeybdAction.Press, 0x28, 0x41),
            entry(ConfigSwitch.Iface.Cctrl, ConfigSwitch.CctrlAction.Tap, 0xE9, 0),
            entry(mouse, mouse_action.PressRelease, 1, 0),
            entry(ConfigSwitch.Iface.Gener, ConfigSwitch.GenerAction.Send, 7, 0)
        ])
        create_window()

        const expected = [
            ["", "Other", null],
            ["mouse", "Move right", null],
            ["mouse", "Move up", "Alternate move/stop"],
            ["joyst", "Move up", "Stop when released"],
            ["keybd", "Key Return + Ctrl + AltGr", "Release manually"],
            ["cctrl", " Volume up", null],
            ["mouse", "Right button", "Alternate press/release"],
            ["gener", "Event 8", null]
        ]
        for (let i = 0; i < 8; ++i) {
            const [iface, text, release] = expected[i]
            compare(icon(i), iface === "" ? "" : "qrc:/img/iface_" + iface + ".png", "icon " + i)
            compare(row_text(i), text, "row " + i)
            compare(release_line(i), release, "release line " + i)
            compare(child("switch_edit_" + i).visible, true)
        }
    }

    // The rows follow the entries: a read and an edit of the window's copy both redraw them.
    function test_rows_follow_reads_and_edits() {
        store_on_device([entry(mouse, mouse_action.Click, 0, 0)])
        create_window()
        compare(row_text(0), "Left button")
        compare(release_line(0), null)

        sim.set_press(0, entry(keybd, ConfigSwitch.KeybdAction.PressRelease, 0x05, 0x02))
        device.read_config()
        wait_for_read()
        compare(row_text(0), "Key B + Shift")
        compare(icon(0), "qrc:/img/iface_keybd.png")
        compare(release_line(0), "Alternate press/release")

        // Only the action changes (same mode): the release line still follows.
        sim.set_press(0, entry(mouse, mouse_action.Press, 1, 0))
        device.read_config()
        wait_for_read()
        compare(release_line(0), "Release manually")
        sim.set_press(0, entry(mouse, mouse_action.Move, ConfigSwitch.Axis.X, 0x01))
        device.read_config()
        wait_for_read()
        compare(row_text(0), "Move right")
        compare(release_line(0), null)

        const config = child("config")
        config.sw_simplified_config[0].iface = ConfigSwitch.Iface.None
        compare(row_text(0), "Other")
        compare(icon(0), "")
        compare(release_line(0), "Release manually")
        config.sw_simplified_config[0].iface = mouse
        compare(release_line(0), null)
        config.sw_simplified_config[0].action = mouse_action.Click
        compare(release_line(0), "Release manually")
        config.sw_simplified_release_mode[0] = automatic
        compare(release_line(0), null)
    }

    function test_reading_shows_loading_bars_only() {
        create_window()
        sim.set_latency(20)
        device.read_config()

        compare(child("switches_loading").visible, true)
        compare(child("mouse_movement_loading").visible, true)
        for (let i = 0; i < 8; ++i) {
            compare(child("switch_row_" + i).visible, false)
            compare(child("switch_edit_" + i).visible, false)
        }
        compare(child("pointer_list").visible, false)
        compare(child("wheel_list").visible, false)

        tryCompare(device, "config_ready", true)
        compare(child("switches_loading").visible, false)
        compare(child("mouse_movement_loading").visible, false)
        for (let i = 0; i < 8; ++i)
            compare(child("switch_row_" + i).visible, true)
        compare(child("pointer_list").visible, true)
        compare(child("wheel_list").visible, true)
    }

    function test_lists_send_once_on_a_user_change_and_never_on_a_read_data() {
        return [
            { tag: "pointer", list: "pointer_list", value: "mouse_move_summary_profile",
              pick: 2, text: "Accelerate", axis: ConfigSwitch.Axis.Y, nibble: 2,
              read_nibble: 0, read_value: 0, read_text: "Constant speed (slow)" },
            { tag: "wheel", list: "wheel_list", value: "mouse_move_summary_wheel_speed",
              pick: 2, text: "Fast", axis: ConfigSwitch.Axis.Wheel, nibble: 1,
              read_nibble: 15, read_value: 0, read_text: "Slow" }
        ]
    }

    function test_lists_send_once_on_a_user_change_and_never_on_a_read(data) {
        // A movement on the list's axis, stored with the middle setting (profile 1, wheel 7).
        const stored = entry(mouse, mouse_action.MoveStop, data.axis, data.tag === "pointer" ? 0x11 : 0x71)
        store_on_device([stored])
        create_window()
        const config = child("config")
        const list = child(data.list)
        compare(list.currentIndex, 1)

        const writes = sim.writes_applied()
        choose(list, data.pick)
        compare(list.displayText, data.text)
        compare(config[data.value], data.pick)
        flush_device()
        compare(sim.writes_applied(), writes + 1)
        compare(sim.press_entries()[0].param2, (data.nibble << 4) | 0x01)

        // A read that brings another value moves the list and sends nothing.
        sim.set_press(0, entry(mouse, mouse_action.MoveStop, data.axis, (data.read_nibble << 4) | 0x02))
        device.read_config()
        wait_for_read()
        compare(config[data.value], data.read_value)
        compare(list.currentIndex, data.read_value)
        compare(list.displayText, data.read_text)
        flush_device()
        compare(sim.writes_applied(), writes + 1)

        // Picking the shown value again changes nothing either.
        choose(list, data.read_value)
        flush_device()
        compare(sim.writes_applied(), writes + 1)
    }

    // Texts follow a language change in place; no list moves and nothing is sent.
    function test_language_change_moves_no_list() {
        store_on_device([entry(mouse, mouse_action.Click, 0, 0),
                         entry(keybd, ConfigSwitch.KeybdAction.Press, 0x28, 0)])
        create_window()
        open_switch(1)
        const keys = child("keybd_list")
        compare(keys.displayText, "Return")
        flush_device()
        const writes = sim.writes_applied()
        const pointer = child("pointer_list")
        const profile = pointer.currentIndex
        const profiles = ["Constant speed (slow)", "Constant speed (fast)", "Accelerate",
                          "Accelerate, decelerate"]

        window.set_language("es")
        language_changed = true
        compare(keys.currentIndex, 39)
        compare(keys.displayText, qsTranslate("KeybdCodes", "Return"))
        verify(keys.displayText !== "Return", "the key list kept its English text")
        go_back()
        compare(row_text(0), qsTranslate("ConfigSwitchUtil", "Left button"))
        verify(row_text(0) !== "Left button", "the row kept its English text")
        compare(row_text(1), qsTranslate("ConfigSwitchUtil", "Key") + " "
                + qsTranslate("KeybdCodes", "Return"))
        compare(release_line(1), qsTranslate("ConfigSwitchUtil", "Release manually"))
        compare(pointer.currentIndex, profile)
        compare(pointer.displayText, qsTranslate("DeviceConfiguration", profiles[profile]))
        verify(pointer.displayText !== profiles[profile], "the pointer list kept its English text")
        flush_device()
        compare(sim.writes_applied(), writes)
    }

    function test_menu_data() {
        return [
            { tag: "settings", button: "menu_settings", page: 2 },
            { tag: "help", button: "menu_help", page: 1 }
        ]
    }

    function test_menu(data) {
        create_window()
        const menu = child("menu")
        const toggle = child("menu_toggle")
        compare(child("menu_settings").visible, false)
        compare(child("menu_help").visible, false)
        compare(Qt.colorEqual(menu.color, "transparent"), true)
        compare(String(toggle.icon.source), "qrc:/img/expand.png")

        click(toggle)
        compare(child("menu_settings").visible, true)
        compare(child("menu_help").visible, true)
        compare(Qt.colorEqual(menu.color, "#3f3f51"), true)
        compare(String(toggle.icon.source), "qrc:/img/close.png")

        // Closing and opening again by the menu button itself.
        click(toggle)
        compare(child("menu_settings").visible, false)
        click(toggle)

        click(child(data.button))
        compare(child("swipeview_main").currentIndex, data.page)
        compare(child("menu_settings").visible, false)
        compare(Qt.colorEqual(menu.color, "transparent"), true)
    }

    function test_edit_button_opens_the_switch() {
        create_window()
        for (const i of [7, 2]) {
            open_switch(i)
            go_back()
        }
        compare(child("swipeview_connected").switch_index, 2)
    }
}
