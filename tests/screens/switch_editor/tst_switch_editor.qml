import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0

// The switch editor in the real window on the virtual device: a switch stored on the device, what
// the user does in its editor, and then what the device stores, the row and release option that
// the editor shows, and how many configurations it sent.
WindowTest {
    name: "SwitchEditor"

    // Steps: "iface keybd", "row mouse 6" (picked from the list), "release keybd manual",
    // "box ctrl", "language es". shows: [interface, row of its list, release option: "automatic",
    // "manual", "alternate", "" for none selected or none there, "hidden" for none shown, and
    // optionally the list's text].
    function scenario(tag, press, steps, stored, shows, sends, settings) {
        const unchanged = [press, entry(ConfigSwitch.Iface.None, 0, 0, 0)]
        return { tag: tag, press: press, steps: steps, stored: stored || unchanged, shows: shows,
                 sends: sends, settings: settings || {} }
    }

    function test_editing_a_stored_switch_data() {
        const S = ConfigSwitch
        const mouse = function (action, p1, p2) { return entry(S.Iface.Mouse, action, p1, p2) }
        const keybd = function (action, p1, p2) { return entry(S.Iface.Keybd, action, p1, p2) }
        const joyst = function (action, p1, p2) { return entry(S.Iface.Joyst, action, p1, p2) }
        const gener = function (p1, p2) { return entry(S.Iface.Gener, S.GenerAction.Send, p1, p2) }
        const cctrl = function (action) { return entry(S.Iface.Cctrl, action, 0x23, 0x02) }
        const M = S.MouseAction
        const J = S.JoystAction
        const K = S.KeybdAction
        const joystick = { use_joystick: true }
        const none = entry(S.Iface.None, 0, 0, 0)
        return [
            // Entries that no option holds open with no row and are never written back.
            scenario("double right click", mouse(M.DoubleClick, 1, 20), [], null,
                     ["mouse", -1, "automatic"], 0),
            scenario("pointer move without a sign", mouse(M.Move, S.Axis.X, 0x20), [], null,
                     ["mouse", -1, "manual"], 0),
            scenario("wheel move without a sign", mouse(M.MoveStop, S.Axis.Wheel, 0x70), [], null,
                     ["mouse", -1, "alternate"], 0),
            scenario("joystick at the centre", joyst(J.SetPos, S.Axis.X, 0), [], null,
                     ["joyst", -1, "manual"], 0, joystick),
            scenario("unknown key, then a release option", keybd(K.Tap, 0x99, 0),
                     ["release keybd alternate"], null, ["keybd", -1, "alternate"], 0),
            scenario("interface none", none, [], null, ["", -1, ""], 0),
            // A pick and its undo give back what was stored.
            scenario("keyboard to mouse and back", keybd(K.Press, 0x06, 0x4F),
                     ["iface mouse", "iface keybd"],
                     [keybd(K.Press, 0x06, 0x4F), keybd(K.Release, 0x06, 0x4F)],
                     ["keybd", 2, "manual"], 2),
            scenario("wheel to multimedia and back", mouse(M.MoveStop, S.Axis.Wheel, 0xF2),
                     ["iface cctrl", "iface mouse"], null, ["mouse", 11, "alternate"], 2),
            scenario("joystick button to mouse and back", joyst(J.PressRelease, 7, 0),
                     ["iface mouse", "iface joyst"], [joyst(J.PressRelease, 7, 0), none],
                     ["joyst", 7, "alternate"], 2, joystick),
            // Picks.
            scenario("same row again", mouse(M.Click, 2, 0), ["row mouse 2"], null,
                     ["mouse", 2, "automatic"], 0),
            scenario("another language", joyst(J.SetPos, S.Axis.Y, 0x81), ["language es"], null,
                     ["joyst", 8, "manual", "Mover hacia arriba"], 0, joystick),
            scenario("button to movement", mouse(M.Click, 0, 0), ["row mouse 6"],
                     [mouse(M.Move, S.Axis.Y, 0x22), mouse(M.Stop, S.Axis.Y, 0)],
                     ["mouse", 6, "manual"], 1),
            scenario("movement to button", mouse(M.MoveStop, S.Axis.X, 0x21), ["row mouse 0"],
                     [mouse(M.Click, 0, 0), none], ["mouse", 0, "automatic"], 1),
            scenario("double click", mouse(M.Press, 1, 0), ["row mouse 5"],
                     [mouse(M.DoubleClick, 0, 20), none], ["mouse", 5, "hidden"], 1),
            scenario("key with a modifier, held", mouse(M.Click, 0, 0),
                     ["iface keybd", "row keybd 1", "box ctrl", "release keybd manual"],
                     [keybd(K.Press, 0x05, 0x01), keybd(K.Release, 0x05, 0x01)],
                     ["keybd", 1, "manual"], 4),
            scenario("multimedia key, alternating", cctrl(S.CctrlAction.Tap),
                     ["release cctrl alternate"], [cctrl(S.CctrlAction.PressRelease), none],
                     ["cctrl", 22, "alternate"], 1),
            scenario("joystick direction", joyst(J.SetPos, S.Axis.Y, 0x7F), ["row joyst 10"],
                     [joyst(J.SetPos, S.Axis.X, 0x81), joyst(J.Center, S.Axis.X, 0)],
                     ["joyst", 10, "manual"], 1, joystick),
            scenario("generic event", mouse(M.Press, 0, 0), ["iface gener", "row gener 6"],
                     [gener(6, 0), gener(6, 1)], ["gener", 6, ""], 2,
                     { show_generic_iface: true })
        ]
    }

    function do_step(step) {
        const [what, name, value] = step.split(" ")
        if (what === "row")
            choose(child(name + "_list"), Number(value))
        else if (what === "iface")
            click(child("iface_" + name))
        else if (what === "box")
            click(child("modifier_" + name))
        else if (what === "language")
            window.set_language(name)
        else
            click(child(name + "_release_" + value))
    }

    function shown_release(iface) {
        if (iface === "" || iface === "gener")
            return ""
        if (!child(iface + "_release").visible)
            return "hidden"
        return ["automatic", "manual", "alternate"].find(function (mode) {
            return child(iface + "_release_" + mode).checked
        }) || ""
    }

    function test_editing_a_stored_switch(data) {
        store_on_device([data.press], data.settings.use_joystick)
        create_window({ show_generic_iface: data.settings.show_generic_iface === true })
        open_page("switch_configuration", 0)
        const writes = sim.writes_applied()
        // One step at a time: the writer drops a queued configuration that a newer one replaces.
        for (const step of data.steps) {
            do_step(step)
            flush_device()
        }

        const fields = function (e) { return [e.iface, e.action, e.param1, e.param2].join() }
        compare(fields(sim.press_entries()[0]), fields(data.stored[0]), "press entry")
        compare(fields(sim.release_entries()[0]), fields(data.stored[1]), "release entry")
        const [iface, row, release, text] = data.shows
        const checked = ["mouse", "keybd", "cctrl", "joyst", "gener"].filter(function (name) {
            return child("iface_" + name).checked
        })
        compare(checked.join(), iface, "interface")
        if (iface !== "")
            compare(child(iface + "_list").currentIndex, row, "row")
        if (text !== undefined)
            compare(child(iface + "_list").displayText, text, "list's text")
        compare(shown_release(iface), release, "release option")
        compare(sim.writes_applied() - writes, data.sends, "configurations sent")
    }
}
