import QtQuick 2.15
import QtQuick.Controls 2.15
import Qt.labs.settings 1.0
import Velquin 1.0
import "Controls"
import "Controls/Focus.js" as Focus

ApplicationWindow {
    id: window
    objectName: "window"

    // The one way an edit reaches the device: the whole editable copy is sent at once.
    function send_config() {
        device.config.copy_from(config)
        device.send_config()
    }

    function set_language(lang) {
        settings.lang = lang
        translate.set_language(lang)
    }

    title: "Velquin Plus"
    width: 450
    height: 700
    visible: true
    color: "#333344"

    Component.onCompleted: {
        config.copy_from(device.config)
        // The first page as stored settings say; from here on only the buttons move it.
        swipeview_main.currentIndex = settings.first_run ? 1 : 0
        // Ready for the keyboard from the start, without a focus mark until a key moves it.
        Qt.callLater(function () { Focus.place(swipeview_main.first_focus, false) })
    }
    Component.onDestruction: settings.first_run = false
    onActiveFocusItemChanged: Focus.focus_changed(activeFocusItem)

    Settings {
        id: settings

        property bool first_run: true
        property string lang: ""
        property bool show_generic_iface: false
    }

    Config {
        id: config
        objectName: "config"
    }

    KeybdCodes {
        id: keybd_codes
    }

    CctrlCodes {
        id: cctrl_codes
    }

    // Every completed read, on connection or after a factory reset, replaces all edits.
    Connections {
        target: device

        function onConfig_ready_changed() {
            if (device.config_ready)
                config.copy_from(device.config)
        }
    }

    PageView {
        id: swipeview_main
        objectName: "swipeview_main"

        anchors.fill: parent
        interactive: false
        clip: true
        currentIndex: settings.first_run ? 1 : 0

        // Enter and Return press the focused button, as Space does.
        Keys.onReturnPressed: function (event) { Focus.enter_pressed(event, window.activeFocusItem) }
        Keys.onEnterPressed: function (event) { Focus.enter_pressed(event, window.activeFocusItem) }
        Keys.onTabPressed: function (event) {
            Focus.wrap_tab(event, swipeview_main, window.activeFocusItem, true)
        }
        Keys.onBacktabPressed: function (event) {
            Focus.wrap_tab(event, swipeview_main, window.activeFocusItem, false)
        }

        PageView {
            id: swipeview_connection
            objectName: "swipeview_connection"

            interactive: false
            clip: true
            currentIndex: device.connected ? 1 : 0

            Disconnected {}
            Connected {}
        }

        Item {
            readonly property Item first_focus: about_page.first_focus

            About {
                id: about_page
                anchors.fill: parent
                anchors.topMargin: window.width * 0.1
                anchors.bottomMargin: window.width * 0.1
                anchors.leftMargin: window.width * 0.05
                anchors.rightMargin: window.width * 0.05
            }
        }

        ScrollingPage {
            objectName: "settings_page"

            AppSettings {
                anchors.fill: parent
            }
        }
    }
}
