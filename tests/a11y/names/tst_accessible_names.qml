import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0
import "../common"

// The names that assistive technology reads, in each language, and what it does not see: pictures
// and the pages out of sight.
A11yTestCase {
    name: "AccessibleNames"

    // Names as a screen reader says them.
    function test_names_data() {
        return [
            { tag: "edit button", item: "switch_edit_2", name: "Edit switch 3",
              description: "Keyboard, Key Space" },
            { tag: "switch row", item: "switch_row_4", name: "Switch 5: Mouse, Move up, Alternate move/stop" },
            { tag: "menu", item: "menu_toggle", name: "Menu" },
            { tag: "pointer list", item: "pointer_list", name: "Pointer: Accelerate" },
            { tag: "wheel list", item: "wheel_list", name: "Wheel: Medium" },
            { tag: "reading bars", item: "switches_loading", name: "Reading the configuration",
              reading: true },
            { tag: "editor back", item: "switch_back", name: "Back", editor: true },
            { tag: "editor title", item: "switch_title", name: "Switch 3", editor: true },
            { tag: "abridged caption", item: "iface_cctrl", name: "Multimedia", editor: true,
              joystick: true },
            { tag: "key list", item: "keybd_list", name: "Key: Space", editor: true },
            { tag: "release option", item: "keybd_release_manual", name: "Release manually",
              description: "The key will remain pressed until you release the switch.",
              editor: true },
            { tag: "settings back", item: "settings_back", name: "Back", page: 2 },
            { tag: "language list", item: "settings_language", name: "Language: English", page: 2 },
            { tag: "about link", item: "about_description", page: 1,
              name: "Velquin Plus is a Bluetooth LE device to access your computer, phone or tablet using standard switches. Visit tarvek.example/velquin-plus for more information." },
            { tag: "help question", item: "help_question", unplugged: true,
              name: "Do you need help to connect Velquin Plus to this computer?" },
            { tag: "help answer", item: "help_answer_paired", unplugged: true, help: true,
              name: "Yes, Velquin Plus is paired." },
            { tag: "help back", item: "help_back", unplugged: true, help: true, name: "Back" }
        ]
    }

    function test_names(data) {
        test_settings.set_value("lang", "en")
        const presses = sim.press_entries()
        if (data.joystick) {
            store_on_device(presses, true)
        }
        open_window()
        if (data.editor) {
            open_switch(2)
        }
        if (data.page !== undefined)
            show("swipeview_main", data.page)
        if (data.unplugged)
            unplugged()
        if (data.help)
            show("swipeview_disconnected", 1)
        if (data.reading)
            start_reading()
        const item = child(data.item)
        verify(AccessibilityTree.exposed(item), data.item + " is not exposed")
        compare(AccessibilityTree.name_of(item), data.name)
        if (data.description !== undefined)
            compare(AccessibilityTree.description_of(item), data.description)
    }

    // Pictures are hidden, and so is everything on the pages out of sight.
    function test_hidden_from_assistive_technology_data() {
        return [
            { tag: "device picture of the overview", item: "header_device" },
            { tag: "interface icon", item: "switch_icon_0" },
            { tag: "switch symbol of the editor", item: "switch_symbol" },
            { tag: "about picture", item: "about_device_image" },
            { tag: "editor out of sight", item: "iface_mouse" },
            { tag: "settings out of sight", item: "settings_back" },
            { tag: "about out of sight", item: "about_continue" },
            { tag: "connect page out of sight", item: "help_question" },
            { tag: "row line read by its row", item: "switch_action_0" }
        ]
    }

    function test_hidden_from_assistive_technology(data) {
        open_window()
        verify(!AccessibilityTree.exposed(child(data.item)), data.item + " is exposed")
    }

    function test_names_follow_the_language_data() {
        return [
            { tag: "es", lang: "es", edit: "Editar el pulsador 3", row: "Pulsador 3: Teclado, " },
            { tag: "fr", lang: "fr", edit: "Modifier le contacteur 3", row: "Contacteur 3: Clavier, " }
        ]
    }

    function test_names_follow_the_language(data) {
        open_window()
        window.set_language(data.lang)
        compare(AccessibilityTree.name_of(child("switch_edit_2")), data.edit)
        const row = AccessibilityTree.name_of(child("switch_row_2"))
        compare(row.substring(0, data.row.length), data.row)
        no_faults(data.lang)
    }
}
