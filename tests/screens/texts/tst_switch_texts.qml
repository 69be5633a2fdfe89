import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import "qrc:/qml"
import "qrc:/qml/ConfigSwitchUtil.js" as ConfigSwitchUtil

TestCase {
    id: test_case
    name: "SwitchTexts"

    // The library finds the tables by these names, as it does in the window.
    KeybdCodes {
        id: keybd_codes
    }

    CctrlCodes {
        id: cctrl_codes
    }

    // Real entries, so the byte-sized fields reach the library as the screens pass them.
    Config {
        id: config
    }

    readonly property int mouse: ConfigSwitch.Iface.Mouse
    readonly property int keybd: ConfigSwitch.Iface.Keybd
    readonly property int cctrl: ConfigSwitch.Iface.Cctrl
    readonly property int joyst: ConfigSwitch.Iface.Joyst
    readonly property int gener: ConfigSwitch.Iface.Gener
    readonly property int automatic: Config.ReleaseMode.Automatic
    readonly property int manual: Config.ReleaseMode.Manual
    readonly property int alternate: Config.ReleaseMode.Alternate

    function entry(iface, action, param1, param2) {
        const e = config.sw_simplified_config[0]
        e.iface = iface
        e.action = action
        e.param1 = param1
        e.param2 = param2
        return e
    }

    function row(tag, iface, action, param1, param2, text) {
        return { tag: tag, iface: iface, action: action, param1: param1, param2: param2,
                 text: text }
    }

    function test_switch_action_name_data() {
        const M = ConfigSwitch.MouseAction
        const K = ConfigSwitch.KeybdAction
        const C = ConfigSwitch.CctrlAction
        const J = ConfigSwitch.JoystAction
        const X = ConfigSwitch.Axis.X
        const Y = ConfigSwitch.Axis.Y
        const W = ConfigSwitch.Axis.Wheel
        return [
            row("mouse right", mouse, M.Move, X, 0x01, "Move right"),
            row("mouse right, profile 3", mouse, M.Move, X, 0x31, "Move right"),
            row("mouse left", mouse, M.Move, X, 0x02, "Move left"),
            row("mouse x zero sign", mouse, M.Move, X, 0x00, "Move left"),
            row("mouse down", mouse, M.Move, Y, 0x01, "Move down"),
            row("mouse up", mouse, M.Move, Y, 0x02, "Move up"),
            row("mouse y zero sign", mouse, M.Move, Y, 0x00, "Move up"),
            row("wheel up 0x21", mouse, M.Move, W, 0x21, "Wheel up"),
            row("wheel down 0xF2", mouse, M.Move, W, 0xF2, "Wheel down"),
            row("wheel zero sign", mouse, M.Move, W, 0x00, "Wheel up"),
            row("mouse move other axis", mouse, M.Move, 3, 0x01, "Other"),
            row("press/release left", mouse, M.PressRelease, 0, 0, "Press/release"),
            row("press/release right", mouse, M.PressRelease, 1, 0, "Press/release right button"),
            row("press/release middle", mouse, M.PressRelease, 2, 0,
                "Press/release middle button"),
            row("press/release aux", mouse, M.PressRelease, 3, 0, "Other"),
            row("click 0", mouse, M.Click, 0, 0, "Left button"),
            row("click 1", mouse, M.Click, 1, 0, "Right button"),
            row("click 2", mouse, M.Click, 2, 0, "Middle button"),
            row("click 3", mouse, M.Click, 3, 0, "Aux button 1"),
            row("click 4", mouse, M.Click, 4, 0, "Aux button 2"),
            row("click 5", mouse, M.Click, 5, 0, "Other"),
            row("double 0", mouse, M.DoubleClick, 0, 20, "Double click"),
            row("double 1", mouse, M.DoubleClick, 1, 20, "Double right click"),
            row("double 2", mouse, M.DoubleClick, 2, 20, "Double middle click"),
            row("double 3", mouse, M.DoubleClick, 3, 20, "Double aux 1 click"),
            row("double 4", mouse, M.DoubleClick, 4, 20, "Double aux 2 click"),
            row("double 5", mouse, M.DoubleClick, 5, 20, "Other"),
            row("mouse stop", mouse, M.Stop, X, 0, "Other"),
            row("mouse move/stop", mouse, M.MoveStop, X, 1, "Other"),
            row("mouse press", mouse, M.Press, 0, 0, "Other"),
            row("mouse no action", mouse, 0, 0, 0, "Other"),

            row("key press all modifiers", keybd, K.Press, 0x28, 0x4F,
                "Press Return + Ctrl + Shift + Alt + GUI + AltGr"),
            row("key release", keybd, K.Release, 0x04, 0, "Release A"),
            row("key press/release", keybd, K.PressRelease, 0x2C, 0x02, "Press/Release Space + Shift"),
            row("key tap ctrl shift", keybd, K.Tap, 0x04, 0x03, "Key A + Ctrl + Shift"),
            row("key tap other bits", keybd, K.Tap, 0x04, 0xB0, "Key A"),
            row("key tap altgr", keybd, K.Tap, 0x33, 0x40, "Key Ñ + AltGr"),
            row("key tap empty", keybd, K.Tap, 0x00, 0x01, "Key (Empty) + Ctrl"),
            row("key tap unknown code", keybd, K.Tap, 0x99, 0, "Key "),
            row("key no action", keybd, 0, 0x04, 0, "Other"),
            row("key action 5", keybd, 5, 0x04, 0, "Other"),

            row("media press home", cctrl, C.Press, 0x23, 0x02, "Press Home"),
            row("media tap home", cctrl, C.Tap, 0x23, 0x02, " Home"),
            row("media tap volume up", cctrl, C.Tap, 0xE9, 0x00, " Volume up"),
            row("media release", cctrl, C.Release, 0xE2, 0x00, "Release Mute"),
            row("media press/release", cctrl, C.PressRelease, 0xCD, 0x00,
                "Press/Release Play/Pause"),
            row("media high byte matters", cctrl, C.Tap, 0x23, 0x00, " "),
            row("media no action", cctrl, 0, 0xE9, 0, "Other"),

            row("joystick left", joyst, J.SetPos, X, 0x81, "Move left"),
            row("joystick left 0x80", joyst, J.SetPos, X, 0x80, "Move left"),
            row("joystick right", joyst, J.SetPos, X, 0x7F, "Move right"),
            row("joystick x zero", joyst, J.SetPos, X, 0x00, "Move right"),
            row("joystick up", joyst, J.SetPos, Y, 0xFF, "Move up"),
            row("joystick down", joyst, J.SetPos, Y, 0x7F, "Move down"),
            row("joystick wheel", joyst, J.SetPos, W, 0x7F, "Other"),
            row("joystick button 1", joyst, J.Click, 0, 0, "Button 1"),
            row("joystick button 3", joyst, J.Click, 2, 0, "Button 3"),
            row("joystick button 256", joyst, J.Click, 255, 0, "Button 256"),
            row("joystick center", joyst, J.Center, X, 0, "Other"),
            row("joystick press", joyst, J.Press, 0, 0, "Other"),

            row("generic event 8", gener, ConfigSwitch.GenerAction.Send, 7, 0, "Event 8"),
            row("generic any action", gener, 0, 0, 1, "Event 1"),

            row("none", ConfigSwitch.Iface.None, 0, 0, 0, "Other"),
            row("none with action", ConfigSwitch.Iface.None, M.Click, 0, 0, "Other"),
            row("iface 6", 6, 1, 0, 0, "Other"),
            row("restore request", 255, 0, 0, 0, "Other")
        ]
    }

    function test_switch_action_name(data) {
        compare(ConfigSwitchUtil.switch_action_name(
                    entry(data.iface, data.action, data.param1, data.param2)), data.text)
    }

    function test_iface_id_data() {
        return [
            { tag: "none", iface: ConfigSwitch.Iface.None, id: "" },
            { tag: "mouse", iface: mouse, id: "mouse" },
            { tag: "keybd", iface: keybd, id: "keybd" },
            { tag: "cctrl", iface: cctrl, id: "cctrl" },
            { tag: "joyst", iface: joyst, id: "joyst" },
            { tag: "gener", iface: gener, id: "gener" },
            { tag: "6", iface: 6, id: "" },
            { tag: "255", iface: 255, id: "" }
        ]
    }

    function test_iface_id(data) {
        // Through a real entry, as the overview passes it.
        compare(ConfigSwitchUtil.iface_id(entry(data.iface, 0, 0, 0).iface), data.id)
    }

    function mode_row(tag, iface, action, mode, text, shown) {
        return { tag: tag, iface: iface, action: action, mode: mode, text: text, shown: shown }
    }

    function test_release_mode_data() {
        const move = ConfigSwitch.MouseAction.Move
        const click = ConfigSwitch.MouseAction.Click
        const set_pos = ConfigSwitch.JoystAction.SetPos
        const tap = ConfigSwitch.KeybdAction.Tap
        return [
            mode_row("mouse move automatic", mouse, move, automatic, "", false),
            mode_row("mouse move manual", mouse, move, manual, "Stop when released", false),
            mode_row("mouse move alternate", mouse, move, alternate, "Alternate move/stop", true),
            mode_row("mouse move mode 3", mouse, move, 3, "", false),
            mode_row("mouse click automatic", mouse, click, automatic, "Release automatically",
                     false),
            mode_row("mouse click manual", mouse, click, manual, "Release manually", true),
            mode_row("mouse click alternate", mouse, click, alternate, "Alternate press/release",
                     true),
            mode_row("mouse double click manual", mouse, ConfigSwitch.MouseAction.DoubleClick,
                     manual, "Release manually", true),
            mode_row("joystick move automatic", joyst, set_pos, automatic, "", false),
            mode_row("joystick move manual", joyst, set_pos, manual, "Stop when released", true),
            mode_row("joystick move alternate", joyst, set_pos, alternate, "Alternate move/stop",
                     true),
            mode_row("joystick button manual", joyst, ConfigSwitch.JoystAction.Click, manual,
                     "Release manually", true),
            // Action 1 is a movement only for the mouse and the joystick.
            mode_row("key press manual", keybd, ConfigSwitch.KeybdAction.Press, manual,
                     "Release manually", true),
            mode_row("key tap automatic", keybd, tap, automatic, "Release automatically", false),
            mode_row("key tap alternate", keybd, tap, alternate, "Alternate press/release", true),
            mode_row("media tap manual", cctrl, ConfigSwitch.CctrlAction.Tap, manual,
                     "Release manually", true),
            mode_row("generic manual", gener, ConfigSwitch.GenerAction.Send, manual,
                     "Release manually", true),
            mode_row("none alternate", ConfigSwitch.Iface.None, 0, alternate,
                     "Alternate press/release", true),
            mode_row("key tap mode 3", keybd, tap, 3, "", true)
        ]
    }

    function test_release_mode(data) {
        const e = entry(data.iface, data.action, 0, 0)
        compare(ConfigSwitchUtil.release_mode_name(e.iface, e.action, data.mode), data.text)
        compare(ConfigSwitchUtil.release_mode_show_in_device_config(e.iface, e.action, data.mode),
                data.shown)
    }

    function test_keybd_get_key_name_data() {
        return [
            { tag: "empty", code: 0x00, name: "(Empty)" },
            { tag: "A", code: 0x04, name: "A" },
            { tag: "Z", code: 0x1D, name: "Z" },
            { tag: "Ñ", code: 0x33, name: "Ñ" },
            { tag: "Ç", code: 0x31, name: "Ç" },
            { tag: "0", code: 0x27, name: "0" },
            { tag: "9", code: 0x26, name: "9" },
            { tag: "F1", code: 0x3A, name: "F1" },
            { tag: "F12", code: 0x45, name: "F12" },
            { tag: "plus", code: 0x30, name: "+" },
            { tag: "minus", code: 0x38, name: "-" },
            { tag: "page down", code: 0x4E, name: "Page Down" },
            { tag: "arrow up", code: 0x52, name: "Arrow Up" },
            { tag: "unknown", code: 0x99, name: "" },
            { tag: "consumer code", code: 0xE9, name: "" }
        ]
    }

    function test_keybd_get_key_name(data) {
        compare(keybd_codes.get_key_name(data.code), data.name)
    }

    function test_cctrl_get_key_name_data() {
        return [
            { tag: "volume up", code: 0xE9, name: "Volume up" },
            { tag: "play/pause", code: 0xCD, name: "Play/Pause" },
            { tag: "menu value decrease", code: 0x48, name: "Menu value decrease" },
            { tag: "home", code: 0x223, name: "Home" },
            { tag: "back", code: 0x224, name: "Back" },
            { tag: "low byte of home", code: 0x23, name: "" },
            { tag: "keyboard code", code: 0x04, name: "" }
        ]
    }

    function test_cctrl_get_key_name(data) {
        compare(cctrl_codes.get_key_name(data.code), data.name)
    }

    function names(model, from, to) {
        const result = []
        for (let i = from; i < to; ++i)
            result.push(model.get(i).name)
        return result
    }

    // Display order: the list is what the user scrolls through.
    function test_keybd_order() {
        compare(keybd_codes.count, 72)
        compare(names(keybd_codes, 0, 38).join(""), "ABCDEFGHIJKLMNÑOPQRSTUVWXYZÇ0123456789")
        for (let i = 0; i < 14; ++i)
            compare(keybd_codes.get(i).code, 0x04 + i)
        for (let i = 15; i < 27; ++i)
            compare(keybd_codes.get(i).code, 0x12 + i - 15)
        compare(names(keybd_codes, 38, 41), ["(Empty)", "Return", "Space"])
        for (let i = 0; i < 12; ++i) {
            compare(keybd_codes.get(41 + i).name, "F" + (i + 1))
            compare(keybd_codes.get(41 + i).code, 0x3A + i)
        }
        compare(names(keybd_codes, 53, 72),
                ["+", "Comma", "Period", "-", "Caps Lock", "Esc", "Tab", "Backspace",
                 "Print Screen", "Insert", "Home", "Page Down", "Page Up", "Delete", "End",
                 "Arrow Right", "Arrow Left", "Arrow Down", "Arrow Up"])
    }

    function test_cctrl_order() {
        compare(cctrl_codes.count, 24)
        const codes = []
        for (let i = 0; i < cctrl_codes.count; ++i)
            codes.push(cctrl_codes.get(i).code)
        compare(codes, [0xE9, 0xEA, 0xE2, 0xB0, 0xB1, 0xCD, 0xB7, 0xB5, 0xB6, 0xB2, 0xB3, 0xB4,
                        0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x61, 0x221, 0x223, 0x224])
    }
}
