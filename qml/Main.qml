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

    // A configuration file to show for loading once the device is read (set at start-up).
    property url file_to_load
    // Saving and printing work once a configuration has been read, also after the device has gone.
    property bool config_read: false

    function set_language(lang) {
        settings.lang = lang
        translate.set_language(lang)
    }

    // The pages ask for each other by name; only here are their page views and places known.
    function show_page(name) {
        const places = {
            "connection": [swipeview_main, 0],
            "about": [swipeview_main, 1],
            "settings": [swipeview_main, 2],
            "please_connect": [swipeview_disconnected, 0],
            "pairing_help": [swipeview_disconnected, 1],
            "device_configuration": [swipeview_connected, 0],
            "switch_configuration": [swipeview_connected, 1]
        }
        const [view, index] = places[name]
        view.currentIndex = index
    }

    // The editor loads the switch before it slides in.
    function edit_switch(index) {
        swipeview_connected.switch_index = index
        show_page("switch_configuration")
    }

    title: "Velquin Plus"
    width: 450
    height: 700
    visible: true
    color: Theme.background

    Component.onCompleted: {
        config.copy_from(device.config)
        config_read = device.config_ready
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
            if (!device.config_ready)
                return
            config.copy_from(device.config)
            window.config_read = true
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

            Item {
                readonly property Item first_focus: swipeview_disconnected.first_focus

                PageView {
                    id: swipeview_disconnected
                    objectName: "swipeview_disconnected"

                    in_sight: swipeview_main.currentIndex === 0
                              && swipeview_connection.currentIndex === 0

                    anchors.fill: parent
                    anchors.topMargin: window.height * 0.05
                    anchors.bottomMargin: window.height * 0.05
                    anchors.leftMargin: window.width * 0.05
                    anchors.rightMargin: window.width * 0.05
                    interactive: false
                    clip: true

                    LazyPage {
                        PleaseConnect {
                            onAbout_requested: window.show_page("about")
                            onSettings_requested: window.show_page("settings")
                            onPairing_help_requested: window.show_page("pairing_help")
                        }
                    }

                    LazyPage {
                        Help {
                            onBack_requested: window.show_page("please_connect")
                        }
                    }
                }
            }

            PageView {
                id: swipeview_connected
                objectName: "swipeview_connected"

                // The switch that the switch configuration page edits.
                property int switch_index: -1

                in_sight: swipeview_main.currentIndex === 0
                          && swipeview_connection.currentIndex === 1
                interactive: false
                clip: true

                LazyPage {
                    ScrollingPage {
                        objectName: "device_configuration_page"

                        DeviceConfiguration {
                            anchors.fill: parent
                            onEdit_requested: function (index) { window.edit_switch(index) }
                            onSettings_requested: window.show_page("settings")
                            onAbout_requested: window.show_page("about")
                            onEdited: window.send_config()
                        }
                    }
                }

                LazyPage {
                    ScrollingPage {
                        objectName: "switch_configuration_page"

                        SwitchConfiguration {
                            anchors.fill: parent
                            switch_index: swipeview_connected.switch_index
                            onBack_requested: window.show_page("device_configuration")
                            onEdited: window.send_config()
                        }
                    }
                }
            }
        }

        LazyPage {
            Item {
                readonly property Item first_focus: about_page.first_focus

                About {
                    id: about_page
                    anchors.fill: parent
                    anchors.topMargin: window.width * 0.1
                    anchors.bottomMargin: window.width * 0.1
                    anchors.leftMargin: window.width * 0.05
                    anchors.rightMargin: window.width * 0.05
                    onContinue_requested: window.show_page("connection")
                }
            }
        }

        LazyPage {
            // The page of the configuration files loads a file given at start-up.
            wanted: window.file_to_load.toString() !== ""

            ScrollingPage {
                objectName: "settings_page"

                AppSettings {
                    anchors.fill: parent
                    onBack_requested: window.show_page("connection")
                    onLanguage_picked: function (lang) { window.set_language(lang) }
                    onEdited: window.send_config()
                    file_to_load: window.file_to_load
                }
            }
        }
    }
}
