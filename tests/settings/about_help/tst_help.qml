import QtQuick 2.15
import QtTest 1.2
import "../common"

// The pairing help, reached while no device is connected.
WindowTest {
    name: "Help"

    readonly property string first_pairing_step: "Switch Velquin Plus on by pushing the side button. The LED will turn on for 1s and start blinking."
    readonly property string last_pairing_step: "When 'Velquin Plus' shows up on the list, select it."
    readonly property string first_reconnecting_step: "Switch Velquin Plus on by pushing the side button. The LED will turn on for 1s and then off"
    readonly property string last_reconnecting_step: "If it fails to connect, make sure Velquin Plus is not already connected to another device (e.g. a computer)."

    function initTestCase() {
        create_window()
        sim.unplug()
        tryVerify(function () { return !device.connected })
        show_page("swipeview_connection", 0)
    }

    function cleanupTestCase() {
        destroy_window()
        sim.plug()
        tryVerify(function () { return device.connected && device.config_ready })
    }

    function init() {
        child("help").platform = Qt.platform.os
        show_page("swipeview_disconnected", 1)
    }

    function cleanup() {
        show_page("swipeview_help", 0)
    }

    function steps_shown(page_name) {
        return findChild(child(page_name), "help_steps_text").text
    }

    function test_steps_by_platform_data() {
        return [
            { tag: "windows", pairing: [
                  first_pairing_step,
                  "Launch Start > Settings > Devices > Bluetooth & other devices.",
                  "Select Add Bluetooth or other device > Bluetooth.",
                  last_pairing_step],
              reconnecting: "If it does not connect automatically, launch Start > Settings > Devices > Bluetooth & other devices and click on 'Velquin Plus'." },
            { tag: "android", pairing: [
                  first_pairing_step,
                  "Launch Android Bluetooth settings and tap on 'Pair new device'.",
                  last_pairing_step],
              reconnecting: "If it does not connect automatically, launch Android Bluetooth settings and tap on 'Velquin Plus'." },
            { tag: "linux", pairing: [
                  first_pairing_step,
                  "Launch Bluetooth settings and select 'Pair new device'.",
                  last_pairing_step],
              reconnecting: "If it does not connect automatically, launch Bluetooth settings and select 'Velquin Plus'." },
            { tag: "ios", pairing: [
                  first_pairing_step,
                  "Launch Bluetooth settings and select 'Pair new device'.",
                  last_pairing_step],
              reconnecting: "If it does not connect automatically, launch Bluetooth settings and select 'Velquin Plus'." }
        ]
    }

    function test_steps_by_platform(data) {
        child("help").platform = data.tag
        const pairing = steps_shown("help_pairing")
        compare(pairing.split("· ").length - 1, data.pairing.length)
        compare(pairing, "· " + data.pairing.join("\n\n· ") + "\n\n")
        // Three steps everywhere; the first keeps its text without a closing full stop.
        compare(steps_shown("help_reconnecting"),
                "· " + first_reconnecting_step + "\n\n· " + data.reconnecting + "\n\n· " + last_reconnecting_step + "\n\n")
    }

    function test_answers_lead_to_their_pages_data() {
        return [
            { tag: "first time", answer: "help_answer_first_time", page: 1 },
            { tag: "paired", answer: "help_answer_paired", page: 2 }
        ]
    }

    function test_answers_lead_to_their_pages(data) {
        const help_view = child("swipeview_help")
        compare(help_view.currentIndex, 0)
        const answer = child(data.answer)
        compare(answer.children[0].cursorShape, Qt.PointingHandCursor)
        mouseClick(answer)
        compare(help_view.currentIndex, data.page)
        show_page("swipeview_help", data.page)

        // Back to the question, then back to the connection page.
        mouseClick(child("help_back"))
        compare(help_view.currentIndex, 0)
        compare(child("swipeview_disconnected").currentIndex, 1)
        show_page("swipeview_help", 0)
        mouseClick(child("help_back"))
        compare(child("swipeview_disconnected").currentIndex, 0)
    }

    function test_whole_paired_answer_is_clickable() {
        const answer = child("help_answer_paired")
        // It takes the rest of the page, far below its one line of text.
        verify(answer.height > 3 * answer.contentHeight)
        mouseClick(answer, answer.width / 2, answer.height - 5)
        compare(child("swipeview_help").currentIndex, 2)
    }

    function test_flow_stays_on_its_page_when_left() {
        mouseClick(child("help_answer_first_time"))
        show_page("swipeview_help", 1)
        show_page("swipeview_disconnected", 0)
        show_page("swipeview_disconnected", 1)
        compare(child("swipeview_help").currentIndex, 1)
        verify(steps_shown("help_pairing").length > 0)
    }
}
