import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0

// Helpers for the switch editor's tests: which interface, panel, option and boxes it shows.
ScreenTestCase {
    readonly property int mouse: ConfigSwitch.Iface.Mouse
    readonly property int keybd: ConfigSwitch.Iface.Keybd
    readonly property int cctrl: ConfigSwitch.Iface.Cctrl
    readonly property int joyst: ConfigSwitch.Iface.Joyst
    readonly property int gener: ConfigSwitch.Iface.Gener
    readonly property var mouse_action: ConfigSwitch.MouseAction
    readonly property var keybd_action: ConfigSwitch.KeybdAction
    readonly property var joyst_action: ConfigSwitch.JoystAction
    readonly property int axis_x: ConfigSwitch.Axis.X
    readonly property int axis_y: ConfigSwitch.Axis.Y
    readonly property int axis_wheel: ConfigSwitch.Axis.Wheel

    readonly property var iface_names: ["", "mouse", "keybd", "cctrl", "joyst", "gener"]

    function checked_iface() {
        const checked = []
        for (let i = 1; i < iface_names.length; ++i) {
            if (child("iface_" + iface_names[i]).checked)
                checked.push(iface_names[i])
        }
        return checked.join(",")
    }

    function shown_panels() {
        const shown = []
        for (let i = 1; i < iface_names.length; ++i) {
            if (child(iface_names[i] + "_panel").visible)
                shown.push(iface_names[i])
        }
        return shown.join(",")
    }

    // "automatic", "manual", "alternate" or "" for the release options of a panel.
    function checked_release(panel) {
        for (const mode of ["automatic", "manual", "alternate"]) {
            if (child(panel + "_release_" + mode).checked)
                return mode
        }
        return ""
    }

    function modifier_boxes() {
        return ["ctrl", "shift", "alt", "gui", "altgr"].map(function (name) {
            return child("modifier_" + name).checked
        })
    }

    // Stores the entry as switch 0's press entry, opens the window and the switch's editor.
    function open_stored(press, use_joystick) {
        store_on_device([press], use_joystick)
        create_window()
        open_switch(0)
    }
}
