import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0
import "../common"

// Where the keyboard focus goes, how it is marked, and what Escape, Enter and the arrows do, on
// the real window with the virtual Velquin Plus.
A11yTestCase {
    name: "Focus"

    // Shift+Tab from the first switch reaches the menu, which Space opens.
    function open_menu_by_keys() {
        expect_focus("switch_edit_0", false)
        tab(1, Qt.ShiftModifier)
        expect_focus("menu_toggle")
        press(Qt.Key_Space)
        tryVerify(function () { return child("menu_settings").visible })
    }

    function open_settings_by_keys() {
        open_menu_by_keys()
        tab()
        expect_focus("menu_settings")
        press(Qt.Key_Return)
        tryCompare(child("swipeview_main"), "currentIndex", 2)
        expect_focus("settings_language")
    }

    function test_tab_marks_the_focus_and_goes_round() {
        open_window()
        expect_focus("switch_edit_0", false)
        tab()
        expect_focus("switch_edit_1")
        tab(1, Qt.ShiftModifier)
        expect_focus("switch_edit_0")
        tab(1, Qt.ShiftModifier)
        expect_focus("menu_toggle")
        // From the first stop back round to the last, which the page scrolls into sight.
        tab(1, Qt.ShiftModifier)
        expect_focus("wheel_list")
        const page = child("device_configuration_page")
        const wheel = child("wheel_list")
        tryVerify(function () {
            const y = wheel.mapToItem(page, 0, 0).y
            return y >= 0 && y + wheel.height <= page.height
        }, 3000, "the wheel list is out of sight")
        tab()
        expect_focus("menu_toggle")
    }

    function test_escape_folds_the_menu() {
        open_window()
        open_menu_by_keys()
        tab()
        expect_focus("menu_settings")
        press(Qt.Key_Escape)
        tryVerify(function () { return !child("menu_settings").visible })
        expect_focus("menu_toggle")
    }

    function test_settings_open_on_their_first_control_and_return_to_the_menu() {
        open_window()
        open_settings_by_keys()
        verify(!child("menu_settings").visible, "the menu stayed open")
        tab(1, Qt.ShiftModifier)
        expect_focus("settings_back")
        press(Qt.Key_Space)
        tryCompare(child("swipeview_main"), "currentIndex", 0)
        expect_focus("menu_toggle")
    }

    function test_dialog_by_keys_data() {
        return [
            { tag: "Escape", keys: [Qt.Key_Escape], confirmed: false },
            { tag: "Cancel with Enter", keys: [Qt.Key_Return], confirmed: false },
            { tag: "Cancel with Space", keys: [Qt.Key_Space], confirmed: false },
            { tag: "Yes with Enter", back_to_yes: true, keys: [Qt.Key_Return], confirmed: true }
        ]
    }

    function test_dialog_by_keys(data) {
        const config_before = sim.use_joystick()
        open_window()
        open_settings_by_keys()
        tab(2)
        expect_focus("settings_joystick")
        const dialog = child("settings_joystick_dialog")
        dialog.enter = null
        dialog.exit = null
        press(Qt.Key_Space)
        tryCompare(dialog, "opened", true)
        // The safe answer first; Tab stays in the dialog.
        expect_focus("dialog_cancel")
        tab()
        expect_focus("dialog_yes")
        tab()
        expect_focus("dialog_cancel")
        if (data.back_to_yes) {
            tab(1, Qt.ShiftModifier)
            expect_focus("dialog_yes")
        }
        for (const key of data.keys)
            press(key)
        tryCompare(dialog, "visible", false)
        compare(child("config").use_joystick, data.confirmed ? !config_before : config_before)
        if (data.confirmed) {
            // The answer leads back to the device pages, where the user came from.
            compare(child("swipeview_main").currentIndex, 0)
            expect_focus("menu_toggle")
            tryVerify(function () { return sim.use_joystick() === !config_before })
            child("config").use_joystick = config_before
            window.send_config()
            flush_device()
        } else {
            compare(child("swipeview_main").currentIndex, 2)
            expect_focus("settings_joystick")
        }
    }

    function test_list_opens_with_enter_and_closes_with_escape() {
        open_window()
        tab(8)
        expect_focus("pointer_list")
        const list = child("pointer_list")
        list.popup.enter = null
        list.popup.exit = null
        const before = list.currentIndex
        flush_device()
        const writes = sim.writes_applied()

        press(Qt.Key_Return)
        tryCompare(list.popup, "opened", true)
        press(Qt.Key_Down)
        press(Qt.Key_Escape)
        tryCompare(list.popup, "visible", false)
        compare(list.currentIndex, before)
        expect_focus("pointer_list")
        flush_device()
        compare(sim.writes_applied(), writes)

        // Enter takes the row the arrows moved to; that is an edit sent at once.
        const next = (before + 1) % list.count
        press(Qt.Key_Return)
        tryCompare(list.popup, "opened", true)
        if (next === 0)
            press(Qt.Key_Home)
        else
            press(Qt.Key_Down)
        press(Qt.Key_Return)
        tryCompare(list.popup, "visible", false)
        compare(list.currentIndex, next)
        compare(child("config").mouse_move_summary_profile, next)
        tryVerify(function () { return sim.writes_applied() > writes })
        expect_focus("pointer_list")
        child("config").mouse_move_summary_profile = before
        window.send_config()
        flush_device()
    }

    function test_arrows_choose_within_a_radio_group() {
        open_window()
        tab(1)
        press(Qt.Key_Return)
        wait_for_page(child("switch_configuration_page"))
        // Switch 2 is a mouse button: release options Automatic, Manual, Alternate.
        expect_focus("iface_mouse")
        tab(4)
        expect_focus("mouse_release_automatic")
        verify(child("mouse_release_automatic").checked)
        press(Qt.Key_Up)
        expect_focus("mouse_release_alternate")
        verify(child("mouse_release_alternate").checked)
        compare(child("config").sw_simplified_release_mode[1], alternate)
        press(Qt.Key_Down)
        expect_focus("mouse_release_automatic")
        compare(child("config").sw_simplified_release_mode[1], automatic)
        // Left from the first interface goes round to the last one shown.
        tab(4, Qt.ShiftModifier)
        expect_focus("iface_mouse")
        press(Qt.Key_Left)
        expect_focus("iface_cctrl")
        verify(child("iface_cctrl").checked)
        press(Qt.Key_Right)
        expect_focus("iface_mouse")
        verify(child("iface_mouse").checked)
        compare(simplified(child("config"), 1),
                entry(ConfigSwitch.Iface.Mouse, ConfigSwitch.MouseAction.Click, 1, 0))
        compare(child("config").sw_simplified_release_mode[1], automatic)
    }

    function test_help_flow_by_keys() {
        open_window()
        sim.unplug()
        // The connect page takes the focus from the pages that went.
        expect_focus("help_question", false)
        press(Qt.Key_Return)
        expect_focus("help_answer_first_time")
        press(Qt.Key_Space)
        tryCompare(child("swipeview_help"), "currentIndex", 1)
        expect_focus("help_pairing")
        tab()
        expect_focus("help_back")
        press(Qt.Key_Space)
        tryCompare(child("swipeview_help"), "currentIndex", 0)
        // Back on the answer that led away.
        expect_focus("help_answer_first_time")
        tab(2)
        expect_focus("help_back")
        press(Qt.Key_Return)
        tryCompare(child("swipeview_disconnected"), "currentIndex", 0)
        expect_focus("help_question")
    }

    function test_link_opens_with_enter() {
        test_settings.set_value("first_run", true)
        create_window()
        window.requestActivate()
        tryCompare(window, "active", true)
        // A first start shows the about page, ready on its button.
        expect_focus("about_continue", false)
        tab(1, Qt.ShiftModifier)
        expect_focus("about_description")
        UrlSink.clear()
        press(Qt.Key_Return)
        compare(UrlSink.last_url, "https://tarvek.example/velquin-plus")
        compare(UrlSink.count, 1)
        tab()
        expect_focus("about_continue")
        press(Qt.Key_Space)
        tryCompare(child("swipeview_main"), "currentIndex", 0)
        expect_focus("switch_edit_0")
    }
}
