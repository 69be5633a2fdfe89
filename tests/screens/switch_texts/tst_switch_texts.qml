import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import "qrc:/qml"
import "qrc:/qml/ConfigSwitchUtil.js" as ConfigSwitchUtil
import "qrc:/qml/SwitchOptions.js" as SwitchOptions

// The editor's options and the overview's words for a switch: every option is written as an entry
// that shows that option again and that the overview names with the option's own text; and what
// the overview says for each kind of stored entry.
TestCase {
    name: "SwitchTexts"

    // The library finds the key tables by these names, as it does in the window.
    KeybdCodes {
        id: keybd_codes
    }

    CctrlCodes {
        id: cctrl_codes
    }

    // A real entry, so the byte-sized fields reach the library as the overview passes them.
    Config {
        id: config
    }

    function stored(iface, action, param1, param2) {
        const e = config.sw_simplified_config[0]
        e.iface = iface
        e.action = action
        e.param1 = param1
        e.param2 = param2
        return e
    }

    function test_every_option_round_trips_data() {
        return ["Mouse", "Keybd", "Cctrl", "Joyst", "Gener"].map(function (name) {
            return { tag: name, iface: ConfigSwitch.Iface[name] }
        })
    }

    // The overview's words for an option hold the option's own text.
    function test_every_option_round_trips(data) {
        const tables = { keybd: keybd_codes, cctrl: cctrl_codes }
        const count = SwitchOptions.options(data.iface, tables).length
        verify(count >= 8, "options of " + data.tag)
        for (let row = 0; row < count; ++row) {
            const e = SwitchOptions.entry_of(data.iface, row, tables)
            const entry = stored(e.iface, e.action, e.param1, e.param2)
            const text = SwitchOptions.text(data.iface, row, tables)
            compare(SwitchOptions.row_of(entry, tables), row, text)
            const name = ConfigSwitchUtil.switch_action_name(entry)
            verify(name.endsWith(text) && name.length <= text.length + 4, name + " for " + text)
        }
    }

    // entry: [iface, action, param1, param2], then the release mode; "" for no release line.
    function line(tag, entry, mode, text, release_line) {
        return { tag: tag, entry: entry, mode: mode, text: text, line: release_line || "" }
    }

    function test_overview_data() {
        const I = ConfigSwitch.Iface
        const M = ConfigSwitch.MouseAction
        const K = ConfigSwitch.KeybdAction
        const J = ConfigSwitch.JoystAction
        const [X, Y, W] = [ConfigSwitch.Axis.X, ConfigSwitch.Axis.Y, ConfigSwitch.Axis.Wheel]
        const [auto, manual, alt] = [Config.ReleaseMode.Automatic, Config.ReleaseMode.Manual,
                                     Config.ReleaseMode.Alternate]
        return [
            line("pointer, manual", [I.Mouse, M.Move, X, 0x31], manual, "Move right"),
            line("pointer, alternate", [I.Mouse, M.Move, Y, 0x02], alt, "Move up",
                 "Alternate move/stop"),
            line("pointer without a sign", [I.Mouse, M.Move, X, 0x00], manual, "Move left"),
            line("wheel without a sign", [I.Mouse, M.Move, W, 0x70], manual, "Wheel up"),
            line("move on no axis", [I.Mouse, M.Move, 3, 0x01], manual, "Other"),
            line("held", [I.Mouse, M.Click, 4, 0], manual, "Aux button 2", "Release manually"),
            line("click past the buttons", [I.Mouse, M.Click, 5, 0], auto, "Other"),
            line("double middle", [I.Mouse, M.DoubleClick, 2, 20], auto, "Double middle click"),
            line("double click past the buttons", [I.Mouse, M.DoubleClick, 5, 20], auto, "Other"),
            line("press/release right", [I.Mouse, M.PressRelease, 1, 0], auto,
                 "Press/release right button"),
            line("mouse stop", [I.Mouse, M.Stop, X, 0], alt, "Other", "Alternate press/release"),
            line("key, all modifiers", [I.Keybd, K.Press, 0x28, 0x4F], manual,
                 "Press Return + Ctrl + Shift + Alt + GUI + AltGr", "Release manually"),
            line("key tap, other bits", [I.Keybd, K.Tap, 0x04, 0xB0], auto, "Key A"),
            line("key released", [I.Keybd, K.Release, 0x33, 0], auto, "Release Ñ"),
            line("key alternating", [I.Keybd, K.PressRelease, 0x2C, 0x02], alt,
                 "Press/Release Space + Shift", "Alternate press/release"),
            line("unknown key", [I.Keybd, K.Tap, 0x99, 0], auto, "Key "),
            line("key action 5", [I.Keybd, 5, 0x04, 0], auto, "Other"),
            line("media press", [I.Cctrl, K.Press, 0x23, 0x02], auto, "Press Home"),
            line("joystick, held", [I.Joyst, J.SetPos, X, 0x80], manual, "Move left",
                 "Stop when released"),
            line("joystick at the centre", [I.Joyst, J.SetPos, Y, 0x00], auto, "Move down"),
            line("joystick on the wheel", [I.Joyst, J.SetPos, W, 0x7F], auto, "Other"),
            line("joystick button 256", [I.Joyst, J.Click, 255, 0], alt, "Button 256",
                 "Alternate press/release"),
            line("generic, any action", [I.Gener, 0, 7, 1], manual, "Event 8", "Release manually"),
            line("none", [I.None, 0, 0, 0], alt, "Other", "Alternate press/release"),
            line("interface 6", [6, 1, 0, 0], 3, "Other")
        ]
    }

    function test_overview(data) {
        const e = stored(data.entry[0], data.entry[1], data.entry[2], data.entry[3])
        compare(ConfigSwitchUtil.switch_action_name(e), data.text)
        const shown = ConfigSwitchUtil.release_mode_show_in_device_config(e.iface, e.action,
                                                                          data.mode)
        compare(shown ? ConfigSwitchUtil.release_mode_name(e.iface, e.action, data.mode) : "",
                data.line)
    }
}
