import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0

TestCase {
    id: test_case
    name: "ConfigQml"

    Component {
        id: config_component
        Config {}
    }

    Component {
        id: spy_component
        SignalSpy {}
    }

    // A view of one release mode, as the switch overview binds it.
    Component {
        id: mode_view_component
        QtObject {
            property Config config
            property int index: 0
            readonly property int mode: config ? config.sw_simplified_release_mode[index] : -1
        }
    }

    function create_config() {
        const config = createTemporaryObject(config_component, test_case)
        verify(config !== null)
        return config
    }

    function spy_on(target, signal_name) {
        return createTemporaryObject(spy_component, test_case,
                                     { target: target, signalName: signal_name })
    }

    readonly property var config_signals: [
        "device_uid_h_changed", "device_uid_l_changed", "fw_version_changed",
        "use_joystick_changed", "sw_simplified_config_changed",
        "sw_simplified_release_mode_changed", "mouse_move_summary_profile_changed",
        "mouse_move_summary_wheel_speed_changed"
    ]

    function test_new_config() {
        const config = create_config()
        compare(config.N_SWITCHES, 8)
        compare(config.MAX_MOUSE_MOVE_PROFILES, 4)
        compare(config.use_joystick, false)
        compare(config.sw_simplified_config.length, 8)
        compare(config.sw_simplified_release_mode.length, 8)
        for (let i = 0; i < 8; ++i) {
            const entry = config.sw_simplified_config[i]
            compare(entry.iface, ConfigSwitch.Iface.None)
            compare(entry.action, 0)
            compare(entry.param1, 0)
            compare(entry.param2, 0)
            compare(config.sw_simplified_release_mode[i], Config.ReleaseMode.Automatic)
        }
        // Entries are distinct objects, and the same object on every read.
        verify(config.sw_simplified_config[0] !== config.sw_simplified_config[1])
        verify(config.sw_simplified_config[3] === config.sw_simplified_config[3])
    }

    function test_scoped_enumerations_data() {
        return [
            { tag: "Iface.None", value: ConfigSwitch.Iface.None, expected: 0 },
            { tag: "Iface.Mouse", value: ConfigSwitch.Iface.Mouse, expected: 1 },
            { tag: "Iface.Keybd", value: ConfigSwitch.Iface.Keybd, expected: 2 },
            { tag: "Iface.Cctrl", value: ConfigSwitch.Iface.Cctrl, expected: 3 },
            { tag: "Iface.Joyst", value: ConfigSwitch.Iface.Joyst, expected: 4 },
            { tag: "Iface.Gener", value: ConfigSwitch.Iface.Gener, expected: 5 },
            { tag: "MouseAction.Move", value: ConfigSwitch.MouseAction.Move, expected: 1 },
            { tag: "MouseAction.Press", value: ConfigSwitch.MouseAction.Press, expected: 4 },
            { tag: "MouseAction.Click", value: ConfigSwitch.MouseAction.Click, expected: 7 },
            { tag: "MouseAction.DoubleClick", value: ConfigSwitch.MouseAction.DoubleClick,
              expected: 8 },
            { tag: "KeybdAction.Press", value: ConfigSwitch.KeybdAction.Press, expected: 1 },
            { tag: "KeybdAction.Tap", value: ConfigSwitch.KeybdAction.Tap, expected: 4 },
            { tag: "CctrlAction.PressRelease", value: ConfigSwitch.CctrlAction.PressRelease,
              expected: 3 },
            { tag: "JoystAction.SetPos", value: ConfigSwitch.JoystAction.SetPos, expected: 1 },
            { tag: "JoystAction.Click", value: ConfigSwitch.JoystAction.Click, expected: 7 },
            { tag: "GenerAction.Send", value: ConfigSwitch.GenerAction.Send, expected: 1 },
            { tag: "Axis.Wheel", value: ConfigSwitch.Axis.Wheel, expected: 2 },
            { tag: "Sign.Negative", value: ConfigSwitch.Sign.Negative, expected: 2 },
            { tag: "ReleaseMode.Automatic", value: Config.ReleaseMode.Automatic, expected: 0 },
            { tag: "ReleaseMode.Manual", value: Config.ReleaseMode.Manual, expected: 1 },
            { tag: "ReleaseMode.Alternate", value: Config.ReleaseMode.Alternate, expected: 2 },
            // Unscoped names would be ambiguous (Press of which action?) and must not resolve.
            { tag: "unscoped Mouse", value: ConfigSwitch.Mouse, expected: undefined },
            { tag: "unscoped Press", value: ConfigSwitch.Press, expected: undefined },
            { tag: "unscoped Wheel", value: ConfigSwitch.Wheel, expected: undefined },
            { tag: "unscoped Manual", value: Config.Manual, expected: undefined }
        ]
    }

    function test_scoped_enumerations(data) {
        compare(data.value, data.expected)
    }

    function test_config_switch_is_not_creatable() {
        let message = ""
        try {
            Qt.createQmlObject("import Velquin 1.0; ConfigSwitch {}", test_case, "inline")
        } catch (error) {
            message = error.qmlErrors.map(e => e.message).join("\n")
        }
        verify(message.indexOf("Cannot create in QML") >= 0, message)
    }

    function test_release_mode_element_assignment_data() {
        const rows = []
        for (let i = 0; i < 8; ++i) {
            rows.push({ tag: "switch " + (i + 1) + " Manual", index: i,
                        mode: Config.ReleaseMode.Manual })
            rows.push({ tag: "switch " + (i + 1) + " Alternate", index: i,
                        mode: Config.ReleaseMode.Alternate })
        }
        return rows
    }

    function test_release_mode_element_assignment(data) {
        const config = create_config()
        const view = createTemporaryObject(mode_view_component, test_case,
                                           { config: config, index: data.index })
        const spy = spy_on(config, "sw_simplified_release_mode_changed")

        config.sw_simplified_release_mode[data.index] = data.mode

        compare(spy.count, 1)
        const expected = [0, 0, 0, 0, 0, 0, 0, 0]
        expected[data.index] = data.mode
        compare(config.sw_simplified_release_mode, expected)
        compare(view.mode, data.mode)

        // The same value again is no change.
        config.sw_simplified_release_mode[data.index] = data.mode
        compare(spy.count, 1)

        // The C++ side holds the new list: a copy carries it.
        const copy = create_config()
        copy.copy_from(config)
        compare(copy.sw_simplified_release_mode[data.index], data.mode)
    }

    function test_entry_field_assignment() {
        const config = create_config()
        const entry = config.sw_simplified_config[2]
        const spies = ["iface_changed", "action_changed", "param1_changed", "param2_changed"]
            .map(s => spy_on(entry, s))
        const list_spy = spy_on(config, "sw_simplified_config_changed")
        const other_spy = spy_on(config.sw_simplified_config[3], "iface_changed")

        config.sw_simplified_config[2].iface = ConfigSwitch.Iface.Keybd
        config.sw_simplified_config[2].action = ConfigSwitch.KeybdAction.Tap
        config.sw_simplified_config[2].param1 = 0x04
        config.sw_simplified_config[2].param2 = 0x05

        compare(config.sw_simplified_config[2].iface, ConfigSwitch.Iface.Keybd)
        compare(config.sw_simplified_config[2].action, ConfigSwitch.KeybdAction.Tap)
        compare(config.sw_simplified_config[2].param1, 0x04)
        compare(config.sw_simplified_config[2].param2, 0x05)
        compare(spies.map(s => s.count), [1, 1, 1, 1])
        compare(list_spy.count, 0)
        compare(other_spy.count, 0)
        compare(config.sw_simplified_config[3].iface, ConfigSwitch.Iface.None)

        // Same value: no signal.
        config.sw_simplified_config[2].param1 = 0x04
        compare(spies[2].count, 1)

        // Fields are unsigned bytes: a movement of -127 is stored as 0x81.
        config.sw_simplified_config[2].param2 = -127 & 0xFF
        compare(config.sw_simplified_config[2].param2, 0x81)
    }

    function test_copy_from_between_qml_configs() {
        const source = create_config()
        const destination = create_config()
        source.use_joystick = true
        source.device_uid_h = 0x12
        source.mouse_move_summary_profile = 3
        source.mouse_move_summary_wheel_speed = 0
        source.sw_simplified_config[5].iface = ConfigSwitch.Iface.Mouse
        source.sw_simplified_config[5].action = ConfigSwitch.MouseAction.Move
        source.sw_simplified_config[5].param1 = ConfigSwitch.Axis.Wheel
        source.sw_simplified_config[5].param2 = ConfigSwitch.Sign.Negative
        source.sw_simplified_release_mode[5] = Config.ReleaseMode.Alternate
        destination.device_uid_h = 0xAB

        const entry_before = destination.sw_simplified_config[5]
        const spies = config_signals.map(s => spy_on(destination, s))
        const entry_spy = spy_on(entry_before, "iface_changed")

        destination.copy_from(source)

        compare(spies.map(s => s.count), [1, 1, 1, 1, 1, 1, 1, 1])
        compare(entry_spy.count, 0)
        compare(destination.device_uid_h, 0xAB)
        compare(destination.use_joystick, true)
        compare(destination.mouse_move_summary_profile, 3)
        compare(destination.mouse_move_summary_wheel_speed, 0)
        verify(destination.sw_simplified_config[5] === entry_before)
        verify(destination.sw_simplified_config[5] !== source.sw_simplified_config[5])
        compare(destination.sw_simplified_config[5].iface, ConfigSwitch.Iface.Mouse)
        compare(destination.sw_simplified_config[5].action, ConfigSwitch.MouseAction.Move)
        compare(destination.sw_simplified_config[5].param1, ConfigSwitch.Axis.Wheel)
        compare(destination.sw_simplified_config[5].param2, ConfigSwitch.Sign.Negative)
        compare(destination.sw_simplified_release_mode[5], Config.ReleaseMode.Alternate)

        // Copies values only: editing the source later leaves the destination alone.
        source.sw_simplified_config[5].param1 = ConfigSwitch.Axis.X
        compare(destination.sw_simplified_config[5].param1, ConfigSwitch.Axis.Wheel)
    }
}
