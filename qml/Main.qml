import QtQuick 2.15
import QtQuick.Controls 2.15
import Qt.labs.settings 1.0
import Velquin 1.0

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
    }
    Component.onDestruction: settings.first_run = false

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

    SwipeView {
        id: swipeview_main
        objectName: "swipeview_main"

        anchors.fill: parent
        interactive: false
        clip: true
        currentIndex: settings.first_run ? 1 : 0

        SwipeView {
            id: swipeview_connection
            objectName: "swipeview_connection"

            interactive: false
            clip: true
            currentIndex: device.connected ? 1 : 0

            Disconnected {}
            Connected {}
        }

        Item {
            About {
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
