import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0

// The window over the device link: where it opens, and its editable copy of the configuration.
WindowTest {
    name: "MainWindow"

    // The about page opens first until the program has once ended normally (the quit tests).
    function test_first_start_shows_about() {
        stored_settings.setValue("first_run", true)
        create_window()
        compare(shown_page(), "about")
        click(child("about_continue"))
        compare(shown_page(), "device_configuration")
    }

    property var problem_texts: ({})

    function test_connect_screen_says_why_the_device_is_out_of_reach_data() {
        return [{ tag: "no permission", fault: "denied", problem: "no_permission", remedy: true },
                { tag: "open failed", fault: "failing", problem: "open_failed", remedy: false },
                { tag: "Bluetooth link down", fault: "disconnected", problem: "disconnected",
                  remedy: false }]
    }

    function test_connect_screen_says_why_the_device_is_out_of_reach(data) {
        create_window()
        sim.unplug()
        sim.set_fault(data.fault)
        verify(sim.plug())
        tryCompare(device, "problem", data.problem)
        const text = child("problem_text").text // its own words for each reason
        verify(child("device_problem").visible && text !== "" && !(text in problem_texts))
        problem_texts[text] = true
        compare(child("problem_allow").visible || child("problem_copy_commands").visible, data.remedy)
        sim.set_fault("")
        tryCompare(device, "connected", true)
        compare(device.problem, "")
    }

    function test_a_completed_read_replaces_unsent_edits_data() {
        return [{ tag: "read request", reconnect: false }, { tag: "reconnection", reconnect: true }]
    }

    function test_a_completed_read_replaces_unsent_edits(data) {
        create_window()
        const config = child("config")
        config.use_joystick = true
        config.sw_simplified_config[5].iface = ConfigSwitch.Iface.Gener
        // And a change on the device's side: switch 1 now types key 0x04 with modifier 0x02.
        sim.set_press(1, entry(ConfigSwitch.Iface.Keybd, ConfigSwitch.KeybdAction.Press, 4, 2))
        if (data.reconnect) {
            sim.unplug()
            tryCompare(device, "connected", false)
            verify(config.use_joystick, "a removal dropped the edits")
            verify(sim.plug())
            tryCompare(device, "connected", true)
            tryCompare(device, "config_ready", true)
        } else {
            device.read_config()
            wait_for_read()
        }
        verify(!config.use_joystick)
        compare(simplified(config, 5), simplified(device.config, 5))
        compare(simplified(config, 1),
                entry(ConfigSwitch.Iface.Keybd, ConfigSwitch.KeybdAction.Tap, 4, 2))
        compare(config.sw_simplified_release_mode[1], Config.ReleaseMode.Manual)
    }
}
