.pragma library
.import Velquin 1.0 as Velquin

// The options that the switch editor lists for each interface, in list order, with the entry that
// a switch stores for each. The editor's lists, the entry written for a row, the row that a stored
// entry shows and the overview's words for such an entry all come from these rows, so the editor
// and the overview cannot disagree. The keyboard and multimedia options are the rows of the key
// tables, which callers pass as key_tables ({ keybd, cctrl }). Texts are source texts, translated
// where they are shown (text()) in the editor's context.

const Iface = Velquin.ConfigSwitch.Iface
const Axis = Velquin.ConfigSwitch.Axis
const Sign = Velquin.ConfigSwitch.Sign

function button(text, action, param1, param2) {
    return { text: text, action: action, param1: param1, param2: param2, movement: false }
}

function movement(text, action, param1, param2) {
    return { text: text, action: action, param1: param1, param2: param2, movement: true }
}

const MouseAction = Velquin.ConfigSwitch.MouseAction
const JoystAction = Velquin.ConfigSwitch.JoystAction
const GenerAction = Velquin.ConfigSwitch.GenerAction

// A mouse movement carries only its sign: sending fills the high nibble with the pointer profile
// or the wheel speed. A double click presses and releases by itself: it has no release options.
const mouse_options = [
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Left button"), MouseAction.Click, 0, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Right button"), MouseAction.Click, 1, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Middle button"), MouseAction.Click, 2, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Aux button 1"), MouseAction.Click, 3, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Aux button 2"), MouseAction.Click, 4, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Double click"), MouseAction.DoubleClick, 0,
           20),
    movement(QT_TRANSLATE_NOOP("SwitchConfiguration", "Move up"), MouseAction.Move, Axis.Y,
             Sign.Negative),
    movement(QT_TRANSLATE_NOOP("SwitchConfiguration", "Move down"), MouseAction.Move, Axis.Y,
             Sign.Positive),
    movement(QT_TRANSLATE_NOOP("SwitchConfiguration", "Move left"), MouseAction.Move, Axis.X,
             Sign.Negative),
    movement(QT_TRANSLATE_NOOP("SwitchConfiguration", "Move right"), MouseAction.Move, Axis.X,
             Sign.Positive),
    movement(QT_TRANSLATE_NOOP("SwitchConfiguration", "Wheel up"), MouseAction.Move, Axis.Wheel,
             Sign.Positive),
    movement(QT_TRANSLATE_NOOP("SwitchConfiguration", "Wheel down"), MouseAction.Move, Axis.Wheel,
             Sign.Negative)
]

// Positions -127 and +127, stored as the bytes 0x81 and 0x7F.
const joyst_options = [
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Button 1"), JoystAction.Click, 0, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Button 2"), JoystAction.Click, 1, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Button 3"), JoystAction.Click, 2, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Button 4"), JoystAction.Click, 3, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Button 5"), JoystAction.Click, 4, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Button 6"), JoystAction.Click, 5, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Button 7"), JoystAction.Click, 6, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Button 8"), JoystAction.Click, 7, 0),
    movement(QT_TRANSLATE_NOOP("SwitchConfiguration", "Move up"), JoystAction.SetPos, Axis.Y, 0x81),
    movement(QT_TRANSLATE_NOOP("SwitchConfiguration", "Move down"), JoystAction.SetPos, Axis.Y,
             0x7F),
    movement(QT_TRANSLATE_NOOP("SwitchConfiguration", "Move left"), JoystAction.SetPos, Axis.X,
             0x81),
    movement(QT_TRANSLATE_NOOP("SwitchConfiguration", "Move right"), JoystAction.SetPos, Axis.X,
             0x7F)
]

const gener_options = [
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Event 1"), GenerAction.Send, 0, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Event 2"), GenerAction.Send, 1, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Event 3"), GenerAction.Send, 2, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Event 4"), GenerAction.Send, 3, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Event 5"), GenerAction.Send, 4, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Event 6"), GenerAction.Send, 5, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Event 7"), GenerAction.Send, 6, 0),
    button(QT_TRANSLATE_NOOP("SwitchConfiguration", "Event 8"), GenerAction.Send, 7, 0)
]

// The keyboard's modifiers: their bits in a HID keyboard report's modifier byte (left Control,
// Shift, Alt, GUI, right Alt), in the order that the editor shows and the overview names them.
const modifiers = [
    { bit: 0x01, name: "ctrl", text: QT_TRANSLATE_NOOP("SwitchConfiguration", "Ctrl") },
    { bit: 0x02, name: "shift", text: QT_TRANSLATE_NOOP("SwitchConfiguration", "Shift") },
    { bit: 0x04, name: "alt", text: QT_TRANSLATE_NOOP("SwitchConfiguration", "Alt") },
    { bit: 0x08, name: "gui", text: QT_TRANSLATE_NOOP("SwitchConfiguration", "GUI") },
    { bit: 0x40, name: "altgr", text: QT_TRANSLATE_NOOP("SwitchConfiguration", "AltGr") }
]

function modifier_keys() {
    return modifiers
}

// A key table's rows as options: the code's low byte and high byte (a keyboard code has no high
// byte; the editor adds its modifiers there).
function key_options(table, tap) {
    const options = []
    for (let i = 0; i < table.count; ++i) {
        const row = table.get(i)
        options.push(button(row.name, tap, row.code & 0xFF, row.code >> 8))
    }
    return options
}

// The options of the interfaces whose lists are fixed here; none for the others.
function fixed_options(iface) {
    switch (iface) {
    case Iface.Mouse:
        return mouse_options
    case Iface.Joyst:
        return joyst_options
    case Iface.Gener:
        return gener_options
    }
    return []
}

// The options of an interface in list order; none for an interface without a list.
function options(iface, key_tables) {
    if (iface === Iface.Keybd)
        return key_options(key_tables.keybd, Velquin.ConfigSwitch.KeybdAction.Tap)
    if (iface === Iface.Cctrl)
        return key_options(key_tables.cctrl, Velquin.ConfigSwitch.CctrlAction.Tap)
    return fixed_options(iface)
}

// What of param2 tells one option from another: a movement's direction (the mouse's low nibble,
// whose high nibble carries the speed; the sign of the joystick's position, 0 being none) and a
// multimedia code's high byte. Elsewhere nothing does (undefined): a button's param2 is unused, and
// the keyboard's holds the modifiers, which are no part of the option.
function param2_key(iface, is_movement, param2) {
    if (!is_movement)
        return iface === Iface.Cctrl ? param2 : undefined
    if (iface === Iface.Mouse)
        return param2 & 0x0F
    if (param2 === 0)
        return 0
    return (param2 & 0x80) !== 0 ? Sign.Negative : Sign.Positive
}

// The row whose option the entry ({ iface, action, param1, param2 }) holds, or -1.
function row_of(entry, key_tables) {
    const list = options(entry.iface, key_tables)
    for (let i = 0; i < list.length; ++i) {
        const option = list[i]
        if (option.action === entry.action && option.param1 === entry.param1
                && param2_key(entry.iface, option.movement, option.param2)
                   === param2_key(entry.iface, option.movement, entry.param2))
            return i
    }
    return -1
}

// The entry that row index of the interface stores; a keyboard key without modifiers.
function entry_of(iface, index, key_tables) {
    const option = options(iface, key_tables)[index]
    return { iface: iface, action: option.action, param1: option.param1, param2: option.param2 }
}

function text(iface, index, key_tables) {
    const option = options(iface, key_tables)[index]
    // Key names come translated from their tables.
    if (iface === Iface.Keybd || iface === Iface.Cctrl)
        return option.text
    return qsTranslate("SwitchConfiguration", option.text)
}

function is_movement(iface, index, key_tables) {
    const option = options(iface, key_tables)[index]
    return option !== undefined && option.movement
}

// Whether the action is a movement of the interface (it stops rather than releases).
function is_movement_action(iface, action) {
    return fixed_options(iface).some(function (option) {
        return option.movement && option.action === action
    })
}

// Whether the row presses and releases by itself, so that no release option applies.
function releases_by_itself(iface, index) {
    const option = fixed_options(iface)[index]
    return iface === Iface.Mouse && option !== undefined
            && option.action === MouseAction.DoubleClick
}

// Whether two entries hold the same option, the keyboard's with the same modifiers.
function same_option(a, b, key_tables) {
    const row = row_of(a, key_tables)
    return a.iface === b.iface && row >= 0 && row === row_of(b, key_tables)
            && (a.iface !== Iface.Keybd || a.param2 === b.param2)
}
