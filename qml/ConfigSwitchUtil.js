.import Velquin 1.0 as Velquin
.import "SwitchOptions.js" as SwitchOptions

// Words for one simplified switch entry: its description, the name of its interface's icon and the
// wording of its release mode. Deliberately not a .pragma library: the key names come from the
// window's keybd_codes and cctrl_codes, which only the importing screen's context can reach.

function iface_id(iface) {
    switch (iface) {
    case Velquin.ConfigSwitch.Iface.Mouse:
        return "mouse"
    case Velquin.ConfigSwitch.Iface.Keybd:
        return "keybd"
    case Velquin.ConfigSwitch.Iface.Cctrl:
        return "cctrl"
    case Velquin.ConfigSwitch.Iface.Joyst:
        return "joyst"
    case Velquin.ConfigSwitch.Iface.Gener:
        return "gener"
    }
    return ""
}

function key_tables() {
    return { keybd: keybd_codes, cctrl: cctrl_codes }
}

// The editor's text for the option that the entry holds; undefined for an entry that none holds.
function option_text(iface, action, param1, param2) {
    const entry = { iface: iface, action: action, param1: param1, param2: param2 }
    const row = SwitchOptions.row_of(entry, key_tables())
    return row < 0 ? undefined : SwitchOptions.text(iface, row, key_tables())
}

// Undefined where no description fits, as for a button index past the end of its list.
function mouse_text(action, param1, param2) {
    const Mouse = Velquin.ConfigSwitch.Iface.Mouse
    const Sign = Velquin.ConfigSwitch.Sign
    const sign = param2 & 0x0F
    switch (action) {
    case Velquin.ConfigSwitch.MouseAction.Move: {
        // X and Y read any sign but Positive as left and up, the wheel any sign but Negative as
        // up; the editor shows no direction for a sign of 0.
        const read = param1 === Velquin.ConfigSwitch.Axis.Wheel
                ? (sign === Sign.Negative ? Sign.Negative : Sign.Positive)
                : (sign === Sign.Positive ? Sign.Positive : Sign.Negative)
        return option_text(Mouse, action, param1, read)
    }
    case Velquin.ConfigSwitch.MouseAction.PressRelease:
        return [qsTr("Press/release"), qsTr("Press/release right button"),
                qsTr("Press/release middle button")][param1]
    case Velquin.ConfigSwitch.MouseAction.DoubleClick:
        // The editor offers the left button's double click only.
        if (param1 > 0)
            return [qsTr("Double right click"), qsTr("Double middle click"),
                    qsTr("Double aux 1 click"), qsTr("Double aux 2 click")][param1 - 1]
        break
    }
    return option_text(Mouse, action, param1, param2)
}

function modifiers_text(param2) {
    let text = ""
    for (const modifier of SwitchOptions.modifier_keys()) {
        if (param2 & modifier.bit)
            text += " + " + qsTranslate("SwitchConfiguration", modifier.text)
    }
    return text
}

// Keyboard and multimedia share their action values; only the Tap wording differs.
function key_text(action, key, tap_prefix) {
    const KeybdAction = Velquin.ConfigSwitch.KeybdAction
    switch (action) {
    case KeybdAction.Press:
        return qsTr("Press") + key
    case KeybdAction.Release:
        return qsTr("Release") + key
    case KeybdAction.PressRelease:
        return qsTr("Press/Release") + key
    case KeybdAction.Tap:
        return tap_prefix + key
    }
    return undefined
}

function joyst_text(action, param1, param2) {
    const Joyst = Velquin.ConfigSwitch.Iface.Joyst
    switch (action) {
    case Velquin.ConfigSwitch.JoystAction.SetPos:
        // Every position names a direction: the centre, which no option holds, reads as right or
        // down.
        return option_text(Joyst, action, param1, param2 === 0 ? 1 : param2)
    case Velquin.ConfigSwitch.JoystAction.Click: {
        const text = option_text(Joyst, action, param1, 0)
        return text !== undefined ? text : qsTr("Button") + " " + (param1 + 1)
    }
    }
    return undefined
}

// Any action reads as its event.
function gener_text(action, param1, param2) {
    const text = option_text(Velquin.ConfigSwitch.Iface.Gener, action, param1, param2)
    return text !== undefined ? text : qsTr("Event") + " " + (param1 + 1)
}

// The words for an entry, or undefined where none fit.
function action_text(entry) {
    const Iface = Velquin.ConfigSwitch.Iface
    const action = entry.action
    const param1 = entry.param1
    const param2 = entry.param2
    let text
    switch (entry.iface) {
    case Iface.Mouse:
        text = mouse_text(action, param1, param2)
        break
    case Iface.Keybd:
        text = key_text(action, " " + key_name(entry) + modifiers_text(param2), qsTr("Key"))
        break
    case Iface.Cctrl:
        text = key_text(action, " " + key_name(entry), "")
        break
    case Iface.Joyst:
        text = joyst_text(action, param1, param2)
        break
    case Iface.Gener:
        text = gener_text(action, param1, param2)
        break
    }
    return text
}

function switch_action_name(entry) {
    const text = action_text(entry)
    return text === undefined ? qsTr("Other") : text
}

// Whether the words for an entry say all it does, its key included: the only entries that a
// configuration file may bring in.
function describes(entry) {
    return key_name(entry) !== "" && action_text(entry) !== undefined
}

// The name of a keyboard or multimedia entry's key ("" when its list has no such key), undefined
// for other interfaces. A multimedia code keeps its low byte in param1 and its high byte in param2.
function key_name(entry) {
    let codes, code
    if (entry.iface === Velquin.ConfigSwitch.Iface.Keybd) {
        codes = keybd_codes
        code = entry.param1
    } else if (entry.iface === Velquin.ConfigSwitch.Iface.Cctrl) {
        codes = cctrl_codes
        code = (entry.param2 << 8) | entry.param1
    } else {
        return undefined
    }
    for (let i = 0; i < codes.count; ++i) {
        if (codes.get(i).code === code)
            return codes.get(i).name
    }
    return ""
}

function release_mode_name(iface, action, mode) {
    // Movements stop rather than release, and automatic release means nothing for them.
    const movement = SwitchOptions.is_movement_action(iface, action)
    switch (mode) {
    case Velquin.Config.ReleaseMode.Automatic:
        return movement ? "" : qsTr("Release automatically")
    case Velquin.Config.ReleaseMode.Manual:
        return movement ? qsTr("Stop when released") : qsTr("Release manually")
    case Velquin.Config.ReleaseMode.Alternate:
        return movement ? qsTr("Alternate move/stop") : qsTr("Alternate press/release")
    }
    return ""
}

// A mouse movement normally stops on release, so the overview mentions only the alternate mode;
// every other entry, joystick movements included, shows any mode but the automatic one.
function release_mode_show_in_device_config(iface, action, mode) {
    if (iface === Velquin.ConfigSwitch.Iface.Mouse
            && action === Velquin.ConfigSwitch.MouseAction.Move)
        return mode === Velquin.Config.ReleaseMode.Alternate
    return mode !== Velquin.Config.ReleaseMode.Automatic
}
