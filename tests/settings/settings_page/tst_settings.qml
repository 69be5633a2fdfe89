import QtQuick 2.15
import QtTest 1.2
import "../common"

// The settings page in the real window, with the virtual Velquin Plus plugged in.
WindowTest {
    name: "Settings"

    function open_dialog(button_name, dialog_name) {
        const dialog = child(dialog_name)
        mouseClick(child(button_name))
        tryCompare(dialog, "opened", true)
        return dialog
    }

    // Whether the switch editor shows the named control, looked at on the editor's own page: pages
    // out of sight are hidden.
    function shown_in_editor(name) {
        const main_index = child("swipeview_main").currentIndex
        show_page("swipeview_main", 0)
        show_page("swipeview_connected", 1)
        const shown = child(name).visible
        show_page("swipeview_connected", 0)
        show_page("swipeview_main", main_index)
        return shown
    }

    function device_state() {
        return {
            joystick: sim.use_joystick(),
            writes: sim.writes_applied(),
            restores: sim.restores(),
            reads: sim.read_requests(),
            press: JSON.stringify(sim.press_entries())
        }
    }

    function initTestCase() {
        create_window()
    }

    function cleanupTestCase() {
        destroy_window()
    }

    function init() {
        show_settings()
    }

    function cleanup() {
        // A closing dialog still takes the clicks until its exit transition ends.
        for (const name of ["settings_joystick_dialog", "settings_restore_dialog"]) {
            child(name).close()
            tryCompare(child(name), "visible", false)
        }
        // The factory configuration again for the next case.
        sim.set_latency(0)
        sim.reset_factory()
        device.read_config()
        tryVerify(function () { return device.config_ready })
    }

    function test_device_controls_only_while_configuration_is_ready() {
        const device_controls = ["settings_generic", "settings_joystick", "settings_restore",
                                 "settings_identity", "settings_firmware"]
        const always = ["settings_language", "settings_app_version", "settings_back"]
        for (const name of device_controls.concat(always))
            verify(child(name).visible, name)

        // A slow answer keeps the page in its reading state long enough to look at it.
        sim.set_latency(40)
        device.read_config()
        verify(!device.config_ready)
        for (const name of device_controls)
            verify(!child(name).visible, name)
        for (const name of always)
            verify(child(name).visible, name)

        tryVerify(function () { return device.config_ready }, 5000)
        for (const name of device_controls)
            verify(child(name).visible, name)
    }

    function test_identity_and_version_lines_data() {
        return [
            { tag: "one digit per byte", uid_h: 0x0A, uid_l: 0x05, fw: 0x45, id: "A5", version: "1.5" },
            { tag: "two digits per byte", uid_h: 0xB1, uid_l: 0x2C, fw: 0x00, id: "B12C", version: "0.0" },
            { tag: "zero bytes", uid_h: 0x00, uid_l: 0x00, fw: 0xC0, id: "00", version: "3.0" },
            { tag: "all bits", uid_h: 0xFF, uid_l: 0x0F, fw: 0xFF, id: "FFF", version: "3.63" }
        ]
    }

    function test_identity_and_version_lines(data) {
        // The lines show the device's own configuration, never the window's editable copy.
        child("config").device_uid_h = 0x77
        child("config").fw_version = 0x3F
        device.config.device_uid_h = data.uid_h
        device.config.device_uid_l = data.uid_l
        device.config.fw_version = data.fw
        compare(child("settings_identity").text, "Connected Velquin Plus - " + data.id)
        compare(child("settings_firmware").text, "Fw. version " + data.version)
        compare(child("settings_app_version").text, "App version " + PROJECT_VERSION)
        compare(PROJECT_VERSION, "1.1.0")
    }

    function test_identity_read_from_the_device() {
        // What the virtual unit reports at its factory settings: 0x12 0x34, firmware 0x45.
        compare(child("settings_identity").text, "Connected Velquin Plus - 1234")
        compare(child("settings_firmware").text, "Fw. version 1.5")
    }

    function test_generic_check_box_stores_its_state() {
        const box = child("settings_generic")
        verify(!box.checked)
        mouseClick(box)
        verify(box.checked)
        tryVerify(function () { return test_settings.value("show_generic_iface") === true })
        // The switch editor offers the generic interface at once.
        verify(shown_in_editor("iface_gener"))
        mouseClick(box)
        verify(!box.checked)
        tryVerify(function () { return test_settings.value("show_generic_iface") === false })
        verify(!shown_in_editor("iface_gener"))
    }

    function test_joystick_dialog_confirmed() {
        const config = child("config")
        const button = child("settings_joystick")
        verify(!config.use_joystick)
        verify(!sim.use_joystick())
        compare(button.text, "Enable joystick interface")
        const writes = sim.writes_applied()

        let dialog = open_dialog("settings_joystick", "settings_joystick_dialog")
        compare(dialog.yes_text, "Yes, enable joystick interface")
        compare(dialog.info_text, "Using the joystick interface will make iOS devices (such as iPad or iPhone) not recognize Velquin Plus. Are you sure?")
        mouseClick(findChild(dialog, "dialog_yes"))
        tryCompare(dialog, "visible", false)
        verify(config.use_joystick)
        compare(child("swipeview_main").currentIndex, 0)
        tryVerify(function () { return sim.use_joystick() })
        tryVerify(function () { return sim.writes_applied() === writes + 1 })
        // The switch editor offers the joystick, with smaller captions to make room.
        verify(shown_in_editor("iface_joyst"))
        compare(child("iface_mouse").font_size, 12)

        // And back.
        show_settings()
        compare(button.text, "Disable joystick interface")
        dialog = open_dialog("settings_joystick", "settings_joystick_dialog")
        compare(dialog.yes_text, "Yes, disable joystick interface")
        compare(dialog.info_text, "Using the joystick interface will make iOS devices (such as iPad or iPhone) not recognize Velquin Plus. Are you sure?")
        mouseClick(findChild(dialog, "dialog_yes"))
        tryCompare(dialog, "visible", false)
        tryVerify(function () { return !sim.use_joystick() })
        verify(!config.use_joystick)
        compare(child("swipeview_main").currentIndex, 0)
        verify(!shown_in_editor("iface_joyst"))
        compare(child("iface_mouse").font_size, 16)
    }

    function test_restore_dialog_confirmed() {
        const factory = JSON.stringify(sim.press_entries())
        // Give the unit a configuration of its own first.
        sim.set_press(0, { iface: 2, action: 4, param1: 0x04, param2: 0x01 })
        sim.set_use_joystick(true)
        device.read_config()
        tryVerify(function () { return device.config_ready })
        const config = child("config")
        verify(config.use_joystick)
        compare(config.sw_simplified_config[0].iface, 2)
        const restores = sim.restores()

        sim.set_latency(40)
        const dialog = open_dialog("settings_restore", "settings_restore_dialog")
        compare(dialog.yes_text, "Yes, restore default configuration")
        compare(dialog.info_text, "This will restore your Velquin Plus to factory settings, but will keep pairing information. Are you sure?")
        mouseClick(findChild(dialog, "dialog_yes"))
        tryCompare(dialog, "visible", false)
        compare(child("swipeview_main").currentIndex, 0)
        // The device pages wait for the restored configuration.
        verify(!device.config_ready)
        verify(child("switches_loading").visible)
        verify(!child("switch_row_0").visible)

        tryVerify(function () { return device.config_ready }, 5000)
        compare(sim.restores(), restores + 1)
        compare(JSON.stringify(sim.press_entries()), factory)
        verify(!sim.use_joystick())
        // The window's copy is the device's factory configuration again.
        verify(!config.use_joystick)
        compare(config.sw_simplified_config[0].iface, 1)
        verify(child("switch_row_0").visible)
    }

    function test_dialog_dismissed_changes_nothing_data() {
        const rows = []
        for (const dialog of ["joystick", "restore"]) {
            rows.push({ tag: dialog + ", Cancel", dialog: dialog, how: "cancel" })
            rows.push({ tag: dialog + ", Escape", dialog: dialog, how: "escape" })
            rows.push({ tag: dialog + ", press outside", dialog: dialog, how: "outside" })
        }
        return rows
    }

    function test_dialog_dismissed_changes_nothing(data) {
        const config = child("config")
        const before = device_state()
        const dialog = open_dialog("settings_" + data.dialog, "settings_" + data.dialog + "_dialog")

        if (data.how === "cancel")
            mouseClick(findChild(dialog, "dialog_cancel"))
        else if (data.how === "escape") {
            // Keys go to the active window.
            window.requestActivate()
            tryVerify(function () { return window.active })
            keyClick(Qt.Key_Escape)
        }
        else
            mouseClick(window.contentItem, window.width / 2, window.height - 5)
        tryCompare(dialog, "visible", false)

        // Commands are written on the calling thread, so a wrong one would already be counted.
        compare(device_state(), before)
        verify(!config.use_joystick)
        verify(device.config_ready)
        compare(child("swipeview_main").currentIndex, 2)
        compare(child("settings_joystick").text, "Enable joystick interface")
    }

    function test_back_button_shows_the_device_pages() {
        mouseClick(child("settings_back"))
        compare(child("swipeview_main").currentIndex, 0)
    }
}
