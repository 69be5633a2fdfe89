import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import "../common"

// Opening the switch editor in the real window: what it shows for what the device stores, and
// that opening alone changes nothing that the switch does.
SwitchTestCase {
    name: "SwitchOpening"

    // Stores up to eight cases, one per switch, and opens each switch's editor in turn: a window
    // per eight cases keeps the test quick.
    function for_each_stored(cases, use_joystick, check) {
        for (let first = 0; first < cases.length; first += 8) {
            const batch = cases.slice(first, first + 8)
            store_on_device(batch.map(function (c) { return c.press }), use_joystick)
            const stored = sim.press_entries()
            create_window()
            for (let i = 0; i < batch.length; ++i) {
                open_switch(i)
                check(batch[i], i, stored[i])
                go_back()
            }
            close_window()
        }
    }

    function test_opening_shows_the_stored_entry() {
        const cases = [
            { tag: "keyboard A, ctrl alt, manual", press: entry(keybd, keybd_action.Press, 0x04, 0x05),
              iface: "keybd", list: 0, text: "A", release: "manual",
              boxes: [true, false, true, false, false] },
            { tag: "keyboard space, all modifiers, alternate",
              press: entry(keybd, keybd_action.PressRelease, 0x2C, 0x4F), iface: "keybd", list: 40,
              text: "Space", release: "alternate", boxes: [true, true, true, true, true] },
            { tag: "multimedia home, automatic", press: entry(cctrl, keybd_action.Tap, 0x23, 0x02),
              iface: "cctrl", list: 22, text: "Home", release: "automatic" },
            { tag: "mouse right button, manual", press: entry(mouse, mouse_action.Press, 1, 0),
              iface: "mouse", list: 1, text: "Right button", release: "manual" },
            { tag: "mouse wheel down, alternate",
              press: entry(mouse, mouse_action.MoveStop, axis_wheel, 0xF2), iface: "mouse",
              list: 11, text: "Wheel down", release: "alternate" },
            { tag: "mouse right, manual", press: entry(mouse, mouse_action.Move, axis_x, 0x31),
              iface: "mouse", list: 9, text: "Move right", release: "manual" },
            { tag: "mouse double click", press: entry(mouse, mouse_action.DoubleClick, 0, 20),
              iface: "mouse", list: 5, text: "Double click", release: "automatic" },
            { tag: "joystick left", press: entry(joyst, joyst_action.SetPosCenter, axis_x, 0x81),
              iface: "joyst", list: 10, text: "Move left", release: "alternate" },
            { tag: "joystick down", press: entry(joyst, joyst_action.SetPos, axis_y, 0x7F),
              iface: "joyst", list: 9, text: "Move down", release: "manual" },
            { tag: "joystick button 8", press: entry(joyst, joyst_action.Click, 7, 0),
              iface: "joyst", list: 7, text: "Button 8", release: "automatic" },
            { tag: "generic event 8", press: entry(gener, ConfigSwitch.GenerAction.Send, 7, 0),
              iface: "gener", list: 7, text: "Event 8" },
            { tag: "none", press: none(), iface: "" }
        ]
        for_each_stored(cases, false, function (c, i, stored_press) {
            const stored_mode = child("config").sw_simplified_release_mode[i]
            compare(checked_iface(), c.iface, c.tag)
            compare(shown_panels(), c.iface, c.tag)
            if (c.iface !== "") {
                const list = child(c.iface + "_list")
                compare(list.currentIndex, c.list, c.tag)
                compare(list.displayText, c.text, c.tag)
                if (c.release !== undefined)
                    compare(checked_release(c.iface), c.release, c.tag)
                if (c.boxes !== undefined)
                    compare(modifier_boxes(), c.boxes, c.tag)
                // The joystick panel opens even while its button is hidden, the generic panel
                // without its list; only a double click hides the mouse's release options.
                compare(child("iface_joyst").visible, false, c.tag)
                compare(child("gener_list").visible, false, c.tag)
                if (c.iface === "mouse")
                    compare(child("mouse_release").visible, c.list !== 5, c.tag)
            }

            // Opening changes nothing that the switch does (it may write the same entry again,
            // which also fills in the release entry that belongs to it).
            flush_device()
            compare(sim.press_entries()[i], stored_press, c.tag)
            compare(child("config").sw_simplified_release_mode[i], stored_mode, c.tag)
        })
    }

    // Values that no option holds open with no option selected and stay as they are until the
    // user picks one.
    function test_entries_matching_no_option_select_nothing() {
        test_settings.set_value("show_generic_iface", true)
        const cases = [
            { tag: "mouse click button 7", press: entry(mouse, mouse_action.Click, 7, 0),
              iface: "mouse", pick: 2, picked: entry(mouse, mouse_action.Click, 2, 0) },
            { tag: "mouse stop", press: entry(mouse, mouse_action.Stop, axis_x, 0), iface: "mouse",
              pick: 6, picked: entry(mouse, mouse_action.Move, axis_y, 0x02) },
            { tag: "mouse move on axis 3", press: entry(mouse, mouse_action.Move, 3, 0x01),
              iface: "mouse", pick: 0, picked: entry(mouse, mouse_action.Click, 0, 0) },
            { tag: "joystick button 9", press: entry(joyst, joyst_action.Click, 8, 0),
              iface: "joyst", pick: 1, picked: entry(joyst, joyst_action.Click, 1, 0) },
            { tag: "joystick center", press: entry(joyst, joyst_action.Center, axis_x, 0),
              iface: "joyst", pick: 11, picked: entry(joyst, joyst_action.SetPos, axis_x, 0x7F) },
            { tag: "unknown key", press: entry(keybd, keybd_action.Tap, 0x99, 0x01),
              iface: "keybd", pick: 1, picked: entry(keybd, keybd_action.Tap, 0x05, 0x01) },
            { tag: "unknown media code", press: entry(cctrl, keybd_action.Tap, 0x23, 0x00),
              iface: "cctrl", pick: 0, picked: entry(cctrl, keybd_action.Tap, 0xE9, 0x00) },
            { tag: "generic event 9", press: entry(gener, ConfigSwitch.GenerAction.Send, 8, 0),
              iface: "gener", pick: 3, picked: entry(gener, ConfigSwitch.GenerAction.Send, 3, 0) }
        ]
        for_each_stored(cases, true, function (c, i, stored_press) {
            const writes = sim.writes_applied()
            compare(checked_iface(), c.iface, c.tag)
            const list = child(c.iface + "_list")
            compare(list.currentIndex, -1, c.tag)
            compare(list.displayText, "", c.tag)
            flush_device()
            compare(sim.writes_applied(), writes, c.tag)
            compare(sim.press_entries()[i], stored_press, c.tag)

            // Nothing either when a release option is picked while the list has no selection.
            if (c.iface !== "gener") {
                click(child(c.iface + "_release_alternate"))
                flush_device()
                compare(sim.writes_applied(), writes, c.tag)
                compare(sim.press_entries()[i], stored_press, c.tag)
            }

            choose(list, c.pick)
            compare(simplified(child("config"), i), c.picked, c.tag)
            tryVerify(function() { return sim.writes_applied() > writes }, 3000, c.tag)
        })
    }

    function test_reading_notice_and_back_button() {
        open_stored(entry(mouse, mouse_action.Click, 0, 0))
        compare(child("reading_notice").visible, false)
        compare(child("switch_back").visible, true)

        sim.set_latency(20)
        device.read_config()
        compare(child("reading_notice").visible, true)
        compare(child("reading_notice").text, "Reading...")
        compare(child("switch_back").visible, false)
        tryCompare(device, "config_ready", true)
        compare(child("reading_notice").visible, false)
        compare(child("switch_back").visible, true)
    }

    // Each switch's editor shows its own entry; opening the loaded switch again reloads nothing.
    function test_switching_between_switches() {
        store_on_device([entry(mouse, mouse_action.Click, 2, 0),
                         entry(keybd, keybd_action.Press, 0x2C, 0x02)])
        create_window()
        open_switch(1)
        compare(String(child("switch_symbol").source), "qrc:/img/sw_2.png")
        compare(checked_iface(), "keybd")
        compare(child("keybd_list").displayText, "Space")
        compare(checked_release("keybd"), "manual")
        go_back()

        open_switch(0)
        compare(String(child("switch_symbol").source), "qrc:/img/sw_1.png")
        compare(checked_iface(), "mouse")
        compare(child("mouse_list").currentIndex, 2)
        compare(checked_release("mouse"), "automatic")
        go_back()

        const writes = sim.writes_applied()
        child("config").sw_simplified_config[0].param1 = 1
        open_switch(0)
        compare(child("mouse_list").currentIndex, 2)
        flush_device()
        compare(sim.writes_applied(), writes)
    }
}
