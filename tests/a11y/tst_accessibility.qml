import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0

// What assistive technology sees of every screen, with its lists and dialogs open: no control
// without a name or a role, no picture that is not hidden, no clickable item that it cannot see;
// the names it reads; and what it must not see.
WindowTest {
    name: "Accessibility"

    readonly property var iface: ConfigSwitch.Iface

    function initTestCase() {
        // Controls take their accessible names only while a bridge is active when they are made.
        verify(AccessibilityTree.activate(), "no accessibility bridge")
    }

    // Opens the row's page as the row says: a stored entry for the editor, no device, a setting,
    // a pop-up open, a read under way.
    function show(data) {
        if (data.press) {
            const presses = sim.press_entries()
            presses[2] = data.press
            store_on_device(presses, data.press.iface === iface.Joyst)
        }
        // As start-up does: the language first.
        translate.set_language(data.lang || "")
        create_window({ show_generic_iface: data.press !== undefined && data.press.iface === iface.Gener,
                        lang: data.lang || "" })
        const page = data.page || (data.press ? "editor" : "overview")
        if (pages[page].connected === false || data.unplugged)
            sim.unplug()
        open_page(page, page === "editor" ? 2 : undefined)
        if (data.click)
            click(child(data.click))
        if (data.popup) {
            const popup = child(data.popup).popup || child(data.popup)
            popup.enter = null
            popup.open()
            tryCompare(popup, "opened", true)
        }
        if (data.reading) {
            sim.set_latency(30)
            device.read_config()
            tryCompare(device, "config_ready", false)
        }
    }

    function test_every_screen_names_its_controls_data() {
        const M = ConfigSwitch.MouseAction
        return [
            { tag: "overview, menu", click: "menu_toggle" },
            { tag: "overview, pointer list", popup: "pointer_list" },
            { tag: "overview, reading", reading: true },
            { tag: "editor, mouse button", press: entry(iface.Mouse, M.Click, 1, 0) },
            { tag: "editor, mouse movement", press: entry(iface.Mouse, M.Move, 0, 1), popup: "mouse_list" },
            { tag: "editor, double click", press: entry(iface.Mouse, M.DoubleClick, 0, 20) },
            { tag: "editor, key list", press: entry(iface.Keybd, 4, 0x04, 0x41), popup: "keybd_list" },
            { tag: "editor, multimedia", press: entry(iface.Cctrl, 4, 0xE9, 0) },
            { tag: "editor, joystick", press: entry(iface.Joyst, 1, 0, 0x81) },
            { tag: "editor, generic", press: entry(iface.Gener, 1, 3, 0), reading: true },
            { tag: "about", page: "about" },
            { tag: "settings, language list", page: "settings", popup: "settings_language" },
            { tag: "settings, joystick dialog", page: "settings", popup: "settings_joystick_dialog" },
            { tag: "settings, restore dialog", page: "settings", popup: "settings_restore_dialog" },
            { tag: "settings, reading", page: "settings", reading: true },
            { tag: "no device", page: "connect" },
            { tag: "no device, pairing", page: "help", click: "help_answer_first_time" },
            { tag: "no device, reconnecting", page: "help", click: "help_answer_paired" },
            { tag: "no device, settings", page: "settings", unplugged: true }
        ]
    }

    function test_every_screen_names_its_controls(data) {
        show(data)
        const faults = AccessibilityTree.faults(window)
        verify(faults.length === 0, faults.join("\n"))
    }

    function test_names_data() {
        return [
            { tag: "edit button", item: "switch_edit_2", name: "Edit switch 3",
              description: "Keyboard, Key Space" },
            { tag: "edit button, es", item: "switch_edit_2", name: "Editar el pulsador 3", lang: "es" },
            { tag: "switch row, fr", item: "switch_row_2", lang: "fr",
              name: "Contacteur 3: Clavier, Touche Espace" },
            { tag: "switch row", item: "switch_row_4",
              name: "Switch 5: Mouse, Move up, Alternate move/stop" },
            { tag: "list", item: "pointer_list", name: "Pointer: Accelerate" },
            { tag: "reading bars", item: "switches_loading", name: "Reading the configuration",
              reading: true },
            { tag: "abridged caption", item: "iface_cctrl", name: "Multimedia",
              press: entry(iface.Joyst, 1, 0, 0x81) },
            { tag: "release option", item: "keybd_release_manual", name: "Release manually",
              description: "The key will remain pressed until you release the switch.",
              press: entry(iface.Keybd, 4, 0x2C, 0) },
            { tag: "help answer", item: "help_answer_paired", page: "help",
              name: "Yes, Velquin Plus is paired." }
        ]
    }

    function test_names(data) {
        show(data)
        const item = child(data.item)
        verify(AccessibilityTree.exposed(item), data.item + " is not exposed")
        compare(AccessibilityTree.name_of(item), data.name)
        if (data.description !== undefined)
            compare(AccessibilityTree.description_of(item), data.description)
    }

    // Pictures, and everything on the pages out of sight.
    function test_hidden_data() {
        return [
            { tag: "device picture", item: "header_device" },
            { tag: "interface icon", item: "switch_icon_0" },
            { tag: "row line read by its row", item: "switch_action_0" },
            { tag: "switch symbol", item: "switch_symbol", page: "editor" },
            { tag: "about picture", item: "about_device_image", page: "about" },
            { tag: "editor out of sight", item: "iface_mouse" },
            { tag: "settings out of sight", item: "settings_back" },
            { tag: "connect page out of sight", item: "help_question" }
        ]
    }

    function test_hidden(data) {
        show(data)
        verify(!AccessibilityTree.exposed(child(data.item)), data.item + " is exposed")
    }
}
