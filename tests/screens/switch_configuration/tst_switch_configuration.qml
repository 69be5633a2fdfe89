import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import "../common"

// The switch editor in the real window: what the device stores (press and release entries) after
// the user's picks, and what the editor remembers between interfaces.
SwitchTestCase {
    name: "SwitchConfiguration"

    function test_keyboard_pick_stores_press_and_release() {
        open_stored(entry(mouse, mouse_action.Click, 0, 0))

        click(child("iface_keybd"))
        choose(child("keybd_list"), 1)
        click(child("modifier_ctrl"))
        click(child("keybd_release_manual"))

        compare_stored(0, entry(keybd, keybd_action.Press, 0x05, 0x01),
                       entry(keybd, keybd_action.Release, 0x05, 0x01))

        go_back()
        compare(child("switch_action_0").text, "Key B + Ctrl")
        compare(child("switch_release_0").visible, true)
        compare(child("switch_release_0").text, "Release manually")
        compare(String(child("switch_icon_0").source), "qrc:/img/iface_keybd.png")
    }

    function test_double_click_hides_the_release_options() {
        open_stored(entry(mouse, mouse_action.Press, 1, 0))
        compare(checked_release("mouse"), "manual")

        choose(child("mouse_list"), 5)
        compare(child("mouse_release").visible, false)
        const config = child("config")
        compare(simplified(config, 0), entry(mouse, mouse_action.DoubleClick, 0, 20))
        compare(config.sw_simplified_release_mode[0], manual)
        compare_stored(0, entry(mouse, mouse_action.DoubleClick, 0, 20), none())

        choose(child("mouse_list"), 2)
        compare(child("mouse_release").visible, true)
        compare(checked_release("mouse"), "manual")
        compare_stored(0, entry(mouse, mouse_action.Press, 2, 0),
                       entry(mouse, mouse_action.Release, 2, 0))
    }

    function test_button_to_movement_and_back() {
        open_stored(entry(mouse, mouse_action.Click, 0, 0))
        compare(checked_release("mouse"), "automatic")
        const profile = child("config").mouse_move_summary_profile

        choose(child("mouse_list"), 6)
        compare(checked_release("mouse"), "manual")
        compare(child("mouse_release_manual").text, "Stop when released")
        compare(child("mouse_release_automatic").visible, false)
        compare_stored(0, entry(mouse, mouse_action.Move, axis_y, (profile << 4) | 0x02),
                       entry(mouse, mouse_action.Stop, axis_y, 0))

        // Movement to movement keeps the picked option.
        click(child("mouse_release_alternate"))
        choose(child("mouse_list"), 10)
        compare(checked_release("mouse"), "alternate")
        compare(child("mouse_release_alternate").text, "Alternate move/stop")

        choose(child("mouse_list"), 0)
        compare(checked_release("mouse"), "automatic")
        compare(child("mouse_release_manual").text, "Release manually")
        compare_stored(0, entry(mouse, mouse_action.Click, 0, 0), none())
    }

    function test_joystick_button_to_movement_and_back() {
        open_stored(entry(joyst, joyst_action.Click, 0, 0), true)
        compare(child("iface_joyst").visible, true)

        choose(child("joyst_list"), 10)
        compare(checked_release("joyst"), "manual")
        compare(child("joyst_release_manual").text, "Stop when released")
        compare_stored(0, entry(joyst, joyst_action.SetPos, axis_x, 0x81),
                       entry(joyst, joyst_action.Center, axis_x, 0))

        choose(child("joyst_list"), 8)
        compare_stored(0, entry(joyst, joyst_action.SetPos, axis_y, 0x81),
                       entry(joyst, joyst_action.Center, axis_y, 0))

        choose(child("joyst_list"), 1)
        compare(checked_release("joyst"), "automatic")
        compare_stored(0, entry(joyst, joyst_action.Click, 1, 0), none())
    }

    function test_interface_round_trip_restores_the_keyboard_choices() {
        open_stored(entry(keybd, keybd_action.Tap, 0x04, 0x00))

        choose(child("keybd_list"), 70)
        for (const name of ["ctrl", "shift", "alt", "gui", "altgr"])
            click(child("modifier_" + name))
        click(child("keybd_release_alternate"))
        compare_stored(0, entry(keybd, keybd_action.PressRelease, 0x51, 0x4F), none())

        click(child("iface_mouse"))
        compare(shown_panels(), "mouse")
        compare(simplified(child("config"), 0).iface, mouse)

        click(child("iface_keybd"))
        compare(child("keybd_list").currentIndex, 70)
        compare(child("keybd_list").displayText, "Arrow Down")
        compare(modifier_boxes(), [true, true, true, true, true])
        compare(checked_release("keybd"), "alternate")
        compare_stored(0, entry(keybd, keybd_action.PressRelease, 0x51, 0x4F), none())
    }

    // The release option that the user picks last on a panel comes back with the panel, where it
    // is shown; otherwise the present option stays.
    function test_picking_an_interface_uses_the_remembered_release_option() {
        open_stored(entry(keybd, keybd_action.Tap, 0x04, 0x00))

        click(child("iface_mouse"))
        choose(child("mouse_list"), 3)
        click(child("mouse_release_alternate"))
        compare_stored(0, entry(mouse, mouse_action.PressRelease, 3, 0), none())

        click(child("iface_cctrl"))
        choose(child("cctrl_list"), 5)
        click(child("cctrl_release_manual"))
        compare_stored(0, entry(cctrl, keybd_action.Press, 0xCD, 0),
                       entry(cctrl, keybd_action.Release, 0xCD, 0))

        click(child("iface_mouse"))
        compare(child("mouse_list").currentIndex, 3)
        compare(checked_release("mouse"), "alternate")
        compare_stored(0, entry(mouse, mouse_action.PressRelease, 3, 0), none())

        // "Alternate" is shown for a movement too.
        choose(child("mouse_list"), 7)
        click(child("iface_cctrl"))
        compare(checked_release("cctrl"), "manual")
        click(child("iface_mouse"))
        compare(checked_release("mouse"), "alternate")
        compare_stored(0, entry(mouse, mouse_action.MoveStop, axis_y,
                                (child("config").mouse_move_summary_profile << 4) | 0x01), none())
    }

    function test_generic_interface() {
        test_settings.set_value("show_generic_iface", true)
        open_stored(entry(mouse, mouse_action.Press, 0, 0))
        compare(child("iface_gener").visible, true)

        click(child("iface_gener"))
        compare(shown_panels(), "gener")
        compare(child("gener_list").currentIndex, 0)
        compare_stored(0, entry(gener, ConfigSwitch.GenerAction.Send, 0, 0),
                       entry(gener, ConfigSwitch.GenerAction.Send, 0, 1))
        // The release mode stays the one the switch had.
        compare(child("config").sw_simplified_release_mode[0], manual)

        choose(child("gener_list"), 6)
        compare_stored(0, entry(gener, ConfigSwitch.GenerAction.Send, 6, 0),
                       entry(gener, ConfigSwitch.GenerAction.Send, 6, 1))
    }

    function test_captions_follow_the_optional_interfaces_data() {
        return [
            { tag: "neither", joystick: false, generic: false, size: 16, media: "Multimedia" },
            { tag: "joystick", joystick: true, generic: false, size: 12, media: "Multim." },
            { tag: "generic", joystick: false, generic: true, size: 12, media: "Multim." },
            { tag: "both", joystick: true, generic: true, size: 12, media: "Multim." }
        ]
    }

    function test_captions_follow_the_optional_interfaces(data) {
        test_settings.set_value("show_generic_iface", data.generic)
        open_stored(entry(mouse, mouse_action.Click, 0, 0), data.joystick)
        compare(child("iface_joyst").visible, data.joystick)
        compare(child("iface_gener").visible, data.generic)
        compare(child("iface_cctrl").text, data.media)
        for (let i = 1; i < iface_names.length; ++i)
            compare(child("iface_" + iface_names[i]).font_size, data.size, iface_names[i])
    }
}
