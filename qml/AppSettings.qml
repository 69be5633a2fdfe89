import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import QtQuick.Layouts 1.15
import Velquin 1.0
import "Controls"

Item {
    id: app_settings
    objectName: "app_settings"

    readonly property Item last_item: filler
    readonly property Item first_focus: language_list
    // Names are shown as each language writes itself, so they are never translated.
    readonly property var languages: [
        { name: "English", code: "en" },
        { name: "Español", code: "es" },
        { name: "Français", code: "fr" },
        { name: "Italiano", code: "it" },
        { name: "Português", code: "pt" },
        { name: "Català", code: "ca" },
        { name: "Euskara", code: "eu" }
    ]

    // A configuration file to show for loading once the device is read.
    property url file_to_load

    signal back_requested
    signal language_picked(string lang)
    // The window's config changed and goes to the device.
    signal edited

    // Never squeezed: below its natural height the scrolling page scrolls instead.
    ColumnLayout {
        width: parent.width
        height: Math.max(parent.height, implicitHeight)
        spacing: 20

        RowLayout {
            Layout.fillWidth: true

            Label {
                objectName: "settings_title"
                text: qsTr("Settings")
                color: Theme.text
                font.family: "Nunito"
                font.pixelSize: 26
                elide: Text.ElideRight
                Layout.fillWidth: true
            }

            RoundButton {
                objectName: "settings_back"
                Layout.preferredWidth: 64
                Layout.preferredHeight: 64
                icon.source: "qrc:/img/back.png"
                icon.width: 36
                icon.height: 36
                Material.elevation: 0
                onClicked: app_settings.back_requested()
                Accessible.name: qsTranslate("Accessibility", "Back")

                FocusRing {}
            }
        }

        CardComboBox {
            id: language_list
            objectName: "settings_language"
            label: qsTranslate("Accessibility", "Language")
            Layout.fillWidth: true
            Layout.preferredHeight: 80
            model: app_settings.languages
            textRole: "name"
            valueRole: "code"
            // A code the list lacks (one seeded from the system locale) selects nothing.
            currentIndex: app_settings.languages.findIndex(function (language) {
                return language.code === settings.lang
            })
            onCurrentValueChanged: {
                if (currentIndex >= 0 && currentValue !== settings.lang)
                    app_settings.language_picked(currentValue)
            }
        }

        CheckBox {
            objectName: "settings_generic"
            visible: device.config_ready
            text: qsTr("Show generic interface (development)")
            font.family: "Open Sans"
            font.pixelSize: 16
            checked: settings.show_generic_iface
            onToggled: settings.show_generic_iface = checked

            FocusRing {}
        }

        SettingsButton {
            objectName: "settings_joystick"
            text: config.use_joystick ? qsTr("Disable joystick interface") : qsTr("Enable joystick interface")
            onClicked: joystick_dialog.open()
        }

        SettingsButton {
            objectName: "settings_restore"
            text: qsTr("Restore default configuration")
            onClicked: restore_dialog.open()
        }

        SettingsButton {
            objectName: "settings_save"
            visible: window.config_read
            text: qsTranslate("ConfigurationFiles", "Save configuration...")
            onClicked: configuration_files.ask_save()
        }

        SettingsButton {
            objectName: "settings_load"
            visible: device.connected && device.config_ready
            text: qsTranslate("ConfigurationFiles", "Load configuration...")
            onClicked: configuration_files.ask_load()
        }

        SettingsButton {
            objectName: "settings_print"
            visible: window.config_read
            text: qsTranslate("ConfigurationFiles", "Print switch sheet...")
            onClicked: configuration_files.ask_print()
        }

        SettingsButton {
            objectName: "settings_diagnostics"
            visible: true
            text: diagnostics_report.label
            onClicked: diagnostics_report.copy()
        }

        Item {
            Layout.fillWidth: true
            Layout.preferredHeight: 100
            Layout.margins: 5

            Column {
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                spacing: 10

                InfoLine {
                    objectName: "settings_identity"
                    visible: device.config_ready
                    text: qsTr("Connected") + " Velquin Plus - "
                          + diagnostics_report.words.identity(device.config)
                }
                InfoLine {
                    objectName: "settings_firmware"
                    visible: device.config_ready
                    text: qsTr("Fw. version") + " " + diagnostics_report.words.firmware(device.config)
                }
                InfoLine {
                    objectName: "settings_app_version"
                    text: qsTr("App version") + " " + PROJECT_VERSION
                }
            }
        }

        Item {
            id: filler
            Layout.fillHeight: true
        }
    }

    DiagnosticsReport {
        id: diagnostics_report
    }

    ConfigurationFiles {
        id: configuration_files
        objectName: "configuration_files"
        device_name: diagnostics_report.words.identity(device.config)
        language: settings.lang
        file_to_load: app_settings.file_to_load
        onEdited: app_settings.edited()
        onWritten: app_settings.back_requested()
    }

    YesCancelDialog {
        id: joystick_dialog
        objectName: "settings_joystick_dialog"
        yes_text: config.use_joystick ? qsTr("Yes, disable joystick interface") : qsTr("Yes, enable joystick interface")
        info_text: qsTr("Using the joystick interface will make iOS devices (such as iPad or iPhone) not recognize Velquin Plus. Are you sure?")
        onYes: {
            config.use_joystick = !config.use_joystick
            app_settings.back_requested()
            app_settings.edited()
        }
    }

    YesCancelDialog {
        id: restore_dialog
        objectName: "settings_restore_dialog"
        yes_text: qsTr("Yes, restore default configuration")
        info_text: qsTr("This will restore your Velquin Plus to factory settings, but will keep pairing information. Are you sure?")
        onYes: {
            device.restore_default_config()
            app_settings.back_requested()
            device.read_config()
        }
    }

    component SettingsButton: RoundButton {
        visible: device.config_ready
        Layout.fillWidth: true
        radius: 10
        leftPadding: 30
        rightPadding: 30
        topPadding: 20
        bottomPadding: 20
        highlighted: true
        Material.accent: Theme.card

        FocusRing {}
    }

    component InfoLine: Label {
        color: Theme.info
        font.family: "Open Sans"
        font.pixelSize: 14
    }
}
