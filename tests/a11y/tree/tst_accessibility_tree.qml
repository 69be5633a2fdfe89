import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0
import "../common"

// What assistive technology sees of every screen, connected and not, with every dialog and list
// open: no control without a name or a role, no picture that is not hidden, and no clickable or
// focusable item that it cannot see.
A11yTestCase {
    name: "AccessibilityTree"

    readonly property int mouse: ConfigSwitch.Iface.Mouse
    readonly property int keybd: ConfigSwitch.Iface.Keybd
    readonly property int cctrl: ConfigSwitch.Iface.Cctrl
    readonly property int joyst: ConfigSwitch.Iface.Joyst
    readonly property int gener: ConfigSwitch.Iface.Gener

    function open_popup(popup) {
        popup.enter = null
        popup.open()
        tryCompare(popup, "opened", true)
    }

    function open_list(name) {
        open_popup(child(name).popup)
    }

    function open_stored(press) {
        const presses = sim.press_entries()
        presses[0] = press
        store_on_device(presses, press.iface === joyst)
        open_switch(0)
    }

    function test_every_screen_names_its_controls_data() {
        return [
            { tag: "overview" },
            { tag: "overview, menu open", go: function () { click(child("menu_toggle")) } },
            { tag: "overview, pointer list open", go: function () { open_list("pointer_list") } },
            { tag: "overview, wheel list open", go: function () { open_list("wheel_list") } },
            { tag: "overview, reading", go: start_reading },
            { tag: "editor, mouse button",
              go: function () { open_stored(entry(mouse, ConfigSwitch.MouseAction.Click, 1, 0)) } },
            { tag: "editor, mouse movement",
              go: function () { open_stored(entry(mouse, ConfigSwitch.MouseAction.Move, 0, 1)) } },
            { tag: "editor, double click",
              go: function () { open_stored(entry(mouse, ConfigSwitch.MouseAction.DoubleClick, 0, 20)) } },
            { tag: "editor, mouse list open",
              go: function () {
                  open_stored(entry(mouse, ConfigSwitch.MouseAction.Click, 0, 0))
                  open_list("mouse_list")
              } },
            { tag: "editor, keyboard",
              go: function () { open_stored(entry(keybd, ConfigSwitch.KeybdAction.Tap, 0x04, 0x41)) } },
            { tag: "editor, key list open",
              go: function () {
                  open_stored(entry(keybd, ConfigSwitch.KeybdAction.Tap, 0x04, 0))
                  open_list("keybd_list")
              } },
            { tag: "editor, multimedia",
              go: function () { open_stored(entry(cctrl, ConfigSwitch.CctrlAction.Tap, 0xE9, 0)) } },
            { tag: "editor, joystick",
              go: function () { open_stored(entry(joyst, ConfigSwitch.JoystAction.SetPos, 0, 0x81)) } },
            { tag: "editor, generic", generic: true,
              go: function () { open_stored(entry(gener, ConfigSwitch.GenerAction.Send, 3, 0)) } },
            { tag: "editor, reading",
              go: function () {
                  open_stored(entry(mouse, ConfigSwitch.MouseAction.Click, 0, 0))
                  start_reading()
              } },
            { tag: "about", go: function () { show("swipeview_main", 1) } },
            { tag: "settings", go: function () { show("swipeview_main", 2) } },
            { tag: "settings, language list open",
              go: function () { show("swipeview_main", 2); open_list("settings_language") } },
            { tag: "settings, joystick dialog",
              go: function () {
                  show("swipeview_main", 2)
                  open_popup(child("settings_joystick_dialog"))
              } },
            { tag: "settings, restore dialog",
              go: function () {
                  show("swipeview_main", 2)
                  open_popup(child("settings_restore_dialog"))
              } },
            { tag: "settings, reading",
              go: function () { show("swipeview_main", 2); start_reading() } },
            { tag: "no device", go: unplugged },
            { tag: "no device, help question",
              go: function () { unplugged(); show("swipeview_disconnected", 1) } },
            { tag: "no device, pairing steps",
              go: function () {
                  unplugged()
                  show("swipeview_disconnected", 1)
                  show("swipeview_help", 1)
              } },
            { tag: "no device, reconnecting steps",
              go: function () {
                  unplugged()
                  show("swipeview_disconnected", 1)
                  show("swipeview_help", 2)
              } },
            { tag: "no device, settings",
              go: function () { unplugged(); show("swipeview_main", 2) } },
            { tag: "no device, about",
              go: function () { unplugged(); show("swipeview_main", 1) } }
        ]
    }

    function test_every_screen_names_its_controls(data) {
        if (data.generic)
            test_settings.set_value("show_generic_iface", true)
        open_window()
        if (data.go)
            data.go()
        no_faults(data.tag)
    }
}
