import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0

// The real main window on the virtual Velquin Plus.
TestCase {
    id: test_case

    property var main_window: null
    property var main_page_x: []

    function create_window() {
        const component = Qt.createComponent("qrc:/qml/Main.qml")
        compare(component.status, Component.Ready, component.errorString())
        const created = component.createObject(null)
        // Where the main page view stood in every frame drawn.
        const pages = findChild(created, "swipeview_main")
        main_page_x = []
        created.frameSwapped.connect(function() { main_page_x.push(pages.contentItem.contentX) })
        verify(created !== null, "Main.qml gave no window")
        // Laid out and shown once, so that clicks land where the items are drawn.
        waitForRendering(created.contentItem)
        return created
    }

    // Destroys the window as a program end does (its settings are written then).
    function close_window() {
        if (main_window === null)
            return
        main_window.destroy()
        main_window = null
        wait(0)
    }

    function child(name) {
        const found = findChild(main_window, name)
        verify(found !== null, "no item named " + name)
        return found
    }

    function entry(iface, action, param1, param2) {
        return { iface: iface, action: action, param1: param1, param2: param2 }
    }

    function simplified(cfg, i) {
        const sw = cfg.sw_simplified_config[i]
        return entry(sw.iface, sw.action, sw.param1, sw.param2)
    }

    function wait_for_read() {
        tryCompare(device, "config_ready", false)
        tryCompare(device, "config_ready", true)
    }

    function please_connect_question() {
        return qsTranslate("PleaseConnect", "Do you need help to connect Velquin Plus to this ")
                + qsTranslate("PleaseConnect", "computer") + "?"
    }

    name: "MainWindow"

    function init() {
        test_settings.set_value("first_run", false)
        if (!sim.plugged)
            verify(sim.plug())
        tryCompare(device, "connected", true)
        tryCompare(device, "config_ready", true)
    }

    function cleanup() {
        close_window()
        translate.set_language("")
    }

    function test_first_start_shows_about_until_a_normal_exit() {
        test_settings.remove("first_run")
        main_window = create_window()
        compare(child("swipeview_main").currentIndex, 1)
        // Opened on the about page, not slid there.
        wait(300)
        compare(main_page_x.filter(function(x) { return x !== main_window.width }), [])
        mouseClick(child("about_continue"))
        compare(child("swipeview_main").currentIndex, 0)

        close_window()
        compare(String(test_settings.value("first_run")), "false")

        main_window = create_window()
        compare(child("swipeview_main").currentIndex, 0)
        // The stored value is loaded after creation; the page must not move then.
        wait(300)
        compare(child("swipeview_main").currentIndex, 0)
        compare(main_page_x.filter(function(x) { return x !== 0 }), [])
        close_window()

        // Still false after a second start.
        compare(String(test_settings.value("first_run")), "false")
    }

    function test_window_geometry() {
        main_window = create_window()
        compare(main_window.title, "Velquin Plus")
        compare(main_window.width, 450)
        compare(main_window.height, 700)
        verify(main_window.visible)
        compare(String(main_window.color), "#333344")
    }

    function test_connection_page_follows_plug_and_unplug() {
        main_window = create_window()
        const connection = child("swipeview_connection")
        compare(connection.currentIndex, 1)

        // The switch page stays the open page across a reconnection.
        const connected = child("swipeview_connected")
        connected.switch_index = 3
        connected.currentIndex = 1

        sim.unplug()
        tryCompare(device, "connected", false)
        compare(connection.currentIndex, 0)
        compare(child("swipeview_disconnected").currentIndex, 0)

        verify(sim.plug())
        tryCompare(device, "connected", true)
        compare(connection.currentIndex, 1)
        compare(connected.currentIndex, 1)
        compare(connected.switch_index, 3)
        tryCompare(device, "config_ready", true)
    }

    function test_config_copied_at_creation() {
        main_window = create_window()
        const config = child("config")
        for (let i = 0; i < 8; ++i)
            compare(simplified(config, i), simplified(device.config, i), "switch " + i)
        compare(config.sw_simplified_release_mode, device.config.sw_simplified_release_mode)
        compare(config.use_joystick, device.config.use_joystick)
        compare(config.mouse_move_summary_profile, device.config.mouse_move_summary_profile)
        compare(config.mouse_move_summary_wheel_speed,
                device.config.mouse_move_summary_wheel_speed)
    }

    function test_every_completed_read_replaces_the_edits_data() {
        return [
            { tag: "read request", reconnect: false },
            { tag: "reconnection", reconnect: true }
        ]
    }

    function test_every_completed_read_replaces_the_edits(data) {
        main_window = create_window()
        const config = child("config")
        const stored_joystick = config.use_joystick

        // Unsent edits of the window's copy.
        config.use_joystick = !stored_joystick
        config.sw_simplified_config[5].iface = ConfigSwitch.Iface.Gener
        // And a change on the device's side: switch 1 now types key 0x04 with modifier 0x02.
        sim.set_press(1, entry(ConfigSwitch.Iface.Keybd, ConfigSwitch.KeybdAction.Press, 4, 2))

        if (data.reconnect) {
            sim.unplug()
            tryCompare(device, "connected", false)
            compare(config.use_joystick, !stored_joystick, "a removal keeps the copy")
            verify(sim.plug())
            tryCompare(device, "connected", true)
            tryCompare(device, "config_ready", true)
        } else {
            device.read_config()
            wait_for_read()
        }

        compare(config.use_joystick, stored_joystick)
        compare(simplified(config, 5), simplified(device.config, 5))
        compare(simplified(config, 1),
                entry(ConfigSwitch.Iface.Keybd, ConfigSwitch.KeybdAction.Tap, 4, 2))
        compare(config.sw_simplified_release_mode[1], Config.ReleaseMode.Manual)
    }

    function test_edits_reach_the_device_through_send_config() {
        main_window = create_window()
        const config = child("config")
        const writes = sim.writes_applied()

        const sw = config.sw_simplified_config[2]
        sw.iface = ConfigSwitch.Iface.Keybd
        sw.action = ConfigSwitch.KeybdAction.Tap
        sw.param1 = 4
        sw.param2 = 2
        const modes = config.sw_simplified_release_mode
        modes[2] = Config.ReleaseMode.Manual
        config.sw_simplified_release_mode = modes
        config.use_joystick = !sim.use_joystick()
        const joystick = config.use_joystick

        main_window.send_config()
        tryVerify(function() { return sim.writes_applied() > writes }, 5000)

        compare(sim.press_entries()[2], entry(ConfigSwitch.Iface.Keybd,
                                              ConfigSwitch.KeybdAction.Press, 4, 2))
        compare(sim.release_entries()[2], entry(ConfigSwitch.Iface.Keybd,
                                                ConfigSwitch.KeybdAction.Release, 4, 2))
        compare(sim.use_joystick(), joystick)

        // What the device now stores reads back as the same edit.
        device.read_config()
        wait_for_read()
        compare(simplified(config, 2), entry(ConfigSwitch.Iface.Keybd,
                                             ConfigSwitch.KeybdAction.Tap, 4, 2))
        compare(config.sw_simplified_release_mode[2], Config.ReleaseMode.Manual)
        compare(config.use_joystick, joystick)
    }

    function test_set_language_stores_and_retranslates_at_once_data() {
        return [
            { tag: "es", lang: "es", translated: true },
            { tag: "fr", lang: "fr", translated: true },
            { tag: "it (no catalog)", lang: "it", translated: false },
            { tag: "en", lang: "en", translated: false }
        ]
    }

    function test_set_language_stores_and_retranslates_at_once(data) {
        main_window = create_window()
        const question = child("help_question")
        const english = please_connect_question()
        compare(question.text, english)

        main_window.set_language("fr")
        main_window.set_language(data.lang)

        // The window's settings object writes a moment later.
        tryVerify(function() { return test_settings.value("lang") === data.lang }, 3000,
                  "lang not stored")
        // Same label object: retranslated in place, not rebuilt.
        compare(question.text, please_connect_question())
        if (data.translated)
            verify(question.text !== english, "still English in " + data.lang)
        else
            compare(question.text, english)
    }
}
