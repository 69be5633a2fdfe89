import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import Velquin 1.0
import "Controls"
import "ConfigSwitchUtil.js" as ConfigSwitchUtil
import "Controls/Focus.js" as Focus

// The overview of the eight switches and the two settings shared by every mouse movement.
ColumnLayout {
    id: device_configuration

    readonly property Item last_item: filler
    property bool menu_open: false
    // The first switch's edit button, or the menu while the switches are being read.
    readonly property Item first_focus: device.config_ready && switch_rows.count > 0
                                        ? switch_rows.itemAt(0).edit_button : menu_toggle

    signal edit_requested(int switch_index)
    signal settings_requested
    signal about_requested
    // The window's config changed and goes to the device.
    signal edited

    // Interface names for assistive technology, which cannot see the icons.
    function iface_name(iface_id) {
        switch (iface_id) {
        case "mouse":
            return qsTranslate("Accessibility", "Mouse")
        case "keybd":
            return qsTranslate("Accessibility", "Keyboard")
        case "cctrl":
            return qsTranslate("Accessibility", "Multimedia")
        case "joyst":
            return qsTranslate("Accessibility", "Joystick")
        case "gener":
            return qsTranslate("Accessibility", "Generic")
        }
        return ""
    }

    // The focus waits on the menu button while the menu folds away, so that it returns there.
    function close_menu() {
        Focus.place(menu_toggle, Focus.marked(Window.activeFocusItem))
        menu_open = false
    }

    spacing: 30

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 0

        RowLayout {
            Layout.fillWidth: true
            spacing: 0

            // Balances the menu, so the picture stays centred.
            Item {
                Layout.preferredWidth: 64
                Layout.preferredHeight: 64
                Layout.alignment: Qt.AlignTop
            }

            Image {
                objectName: "header_device"
                Layout.fillWidth: true
                Layout.preferredHeight: 180
                Layout.topMargin: 10
                source: "qrc:/img/device.png"
                sourceSize.height: 360
                fillMode: Image.PreserveAspectFit
            }

            Rectangle {
                objectName: "menu"
                Layout.alignment: Qt.AlignTop
                Layout.rightMargin: 10
                Layout.preferredWidth: menu_column.width
                Layout.preferredHeight: menu_column.height
                radius: 100
                color: device_configuration.menu_open ? Theme.card : "transparent"

                Column {
                    id: menu_column

                    MenuButton {
                        id: menu_toggle
                        objectName: "menu_toggle"
                        text: qsTr("Menu")
                        icon.source: device_configuration.menu_open ? "qrc:/img/close.png"
                                                                     : "qrc:/img/expand.png"
                        icon.width: device_configuration.menu_open ? 36 : 48
                        icon.height: device_configuration.menu_open ? 36 : 48
                        onClicked: device_configuration.menu_open = !device_configuration.menu_open
                    }

                    MenuButton {
                        objectName: "menu_settings"
                        visible: device_configuration.menu_open
                        text: qsTr("Settings")
                        icon.source: "qrc:/img/settings.png"
                        onClicked: {
                            device_configuration.close_menu()
                            device_configuration.settings_requested()
                        }
                    }

                    MenuButton {
                        objectName: "menu_help"
                        visible: device_configuration.menu_open
                        text: qsTr("Help")
                        icon.source: "qrc:/img/help.png"
                        onClicked: {
                            device_configuration.close_menu()
                            device_configuration.about_requested()
                        }
                    }
                }
            }
        }

        Wordmark {
            Layout.alignment: Qt.AlignHCenter
            pixel_size: 36
        }
    }

    Card {
        objectName: "switches_card"
        Layout.fillWidth: true
        Layout.leftMargin: 5
        Layout.rightMargin: 5
        // The column's height rather than its implicit height, which a layout on a page out of
        // sight works out anew when read, inside this binding.
        Layout.preferredHeight: switches_column.height + 50

        ColumnLayout {
            id: switches_column
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 20
            spacing: 20

            CardTitle {
                text: qsTr("Switches")
            }

            Separator {}

            LoadingBars {
                objectName: "switches_loading"
                visible: !device.config_ready
                Layout.preferredWidth: switches_column.width * 0.9
                Layout.topMargin: 10
                Layout.bottomMargin: 25
            }

            Repeater {
                id: switch_rows
                model: config.N_SWITCHES

                ColumnLayout {
                    id: switch_row

                    required property int index
                    readonly property Item edit_button: edit_button
                    // What the row shows, in words: interface, description and release line.
                    readonly property string reading: {
                        const parts = [device_configuration.iface_name(switch_icon.iface_id),
                                       switch_action.text,
                                       release(ConfigSwitchUtil.release_mode_show_in_device_config)
                                       ? switch_release.text : ""]
                        return parts.filter(function (part) { return part !== "" }).join(", ")
                    }

                    // Applies a release mode function of the library to this switch. The entry is
                    // read through the list in every evaluation: a var property holding it would
                    // not notify when a completed read changes the same entry object silently.
                    function release(describe) {
                        const entry = config.sw_simplified_config[index]
                        return describe(entry.iface, entry.action,
                                        config.sw_simplified_release_mode[index])
                    }

                    objectName: "switch_row_" + index
                    visible: device.config_ready
                    Layout.fillWidth: true
                    spacing: 15
                    Accessible.role: Accessible.ListItem
                    Accessible.name: qsTranslate("Accessibility", "Switch %1").arg(index + 1) + ": "
                                     + reading

                    RowLayout {
                        Layout.fillWidth: true
                        spacing: 20

                        Image {
                            Layout.preferredWidth: 24
                            Layout.preferredHeight: 24
                            source: "qrc:/img/sw_" + (switch_row.index + 1) + ".png"
                            // Decoded at the size shown in device pixels, so no mipmaps are
                            // needed to keep the thin lines.
                            sourceSize.width: 24 * Screen.devicePixelRatio
                            sourceSize.height: 24 * Screen.devicePixelRatio
                            fillMode: Image.PreserveAspectFit
                        }

                        Separator {
                            vertical: true
                        }

                        ColumnLayout {
                            Layout.fillWidth: true
                            spacing: 10

                            RowLayout {
                                Layout.fillWidth: true
                                spacing: 6

                                // Every binding reads the entry through the list property too: a
                                // completed read changes the entries silently and announces the list.
                                Image {
                                    id: switch_icon
                                    objectName: "switch_icon_" + switch_row.index
                                    readonly property string iface_id:
                                        ConfigSwitchUtil.iface_id(config.sw_simplified_config[switch_row.index].iface)
                                    Layout.preferredWidth: 24
                                    Layout.preferredHeight: 24
                                    source: iface_id === "" ? "" : "qrc:/img/iface_" + iface_id + ".png"
                                    sourceSize.width: 24 * Screen.devicePixelRatio
                                    sourceSize.height: 24 * Screen.devicePixelRatio
                                    fillMode: Image.PreserveAspectFit
                                }

                                Label {
                                    id: switch_action
                                    objectName: "switch_action_" + switch_row.index
                                    Layout.fillWidth: true
                                    text: ConfigSwitchUtil.switch_action_name(
                                              config.sw_simplified_config[switch_row.index])
                                    color: Theme.text
                                    font.family: "Open Sans"
                                    font.pixelSize: 16
                                    wrapMode: Text.WordWrap
                                    // The row reads it.
                                    Accessible.ignored: true
                                }
                            }

                            Label {
                                id: switch_release
                                objectName: "switch_release_" + switch_row.index
                                Layout.fillWidth: true
                                visible: switch_row.release(
                                             ConfigSwitchUtil.release_mode_show_in_device_config)
                                text: switch_row.release(ConfigSwitchUtil.release_mode_name)
                                color: Theme.secondary
                                font.family: "Open Sans"
                                font.pixelSize: 16
                                wrapMode: Text.WordWrap
                                Accessible.ignored: true
                            }
                        }

                        RoundButton {
                            id: edit_button
                            objectName: "switch_edit_" + switch_row.index
                            visible: device.config_ready
                            Layout.alignment: Qt.AlignVCenter
                            Material.elevation: 0
                            display: AbstractButton.IconOnly
                            icon.source: "qrc:/img/edit.png"
                            icon.width: 24
                            icon.height: 24
                            ToolTip.text: "Editar"
                            ToolTip.visible: hovered
                            onClicked: device_configuration.edit_requested(switch_row.index)
                            Accessible.name: qsTranslate("Accessibility", "Edit switch %1")
                                             .arg(switch_row.index + 1)
                            Accessible.description: switch_row.reading

                            FocusRing {}
                        }
                    }

                    Separator {}
                }
            }
        }
    }

    Card {
        objectName: "mouse_movement_card"
        Layout.fillWidth: true
        Layout.leftMargin: 5
        Layout.rightMargin: 5
        // The column's height rather than its implicit height, which a layout on a page out of
        // sight works out anew when read, inside this binding.
        Layout.preferredHeight: mouse_column.height + 50

        ColumnLayout {
            id: mouse_column
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 20
            spacing: 20

            CardTitle {
                text: qsTr("Mouse movement")
            }

            Separator {}

            LoadingBars {
                objectName: "mouse_movement_loading"
                visible: !device.config_ready
                Layout.preferredWidth: mouse_column.width * 0.8
                Layout.topMargin: 10
            }

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 10

                SettingRow {
                    label: qsTr("Pointer")
                    list_name: "pointer_list"
                    value: config.mouse_move_summary_profile
                    model: ListModel {
                        ListElement { text: qsTr("Constant speed (slow)") }
                        ListElement { text: qsTr("Constant speed (fast)") }
                        ListElement { text: qsTr("Accelerate") }
                        ListElement { text: qsTr("Accelerate, decelerate") }
                    }
                    onPicked: function (index) {
                        config.mouse_move_summary_profile = index
                        device_configuration.edited()
                    }
                }

                SettingRow {
                    label: qsTr("Wheel")
                    list_name: "wheel_list"
                    value: config.mouse_move_summary_wheel_speed
                    model: ListModel {
                        ListElement { text: qsTr("Slow") }
                        ListElement { text: qsTr("Medium") }
                        ListElement { text: qsTr("Fast") }
                    }
                    onPicked: function (index) {
                        console.debug("QML mouse_move_summary_wheel_speed = " + index)
                        config.mouse_move_summary_wheel_speed = index
                        device_configuration.edited()
                    }
                }
            }
        }
    }

    Item {
        id: filler
        Layout.fillHeight: true
    }

    component CardTitle: Label {
        Accessible.role: Accessible.Heading
        color: Theme.text
        font.family: "Nunito"
        font.pixelSize: 22
    }

    component MenuButton: RoundButton {
        width: 60
        height: 60
        Material.elevation: 0
        display: AbstractButton.IconOnly
        icon.width: 36
        icon.height: 36
        ToolTip.text: text
        ToolTip.visible: hovered
        ToolTip.delay: 1000
        // Escape folds the open menu.
        Keys.onEscapePressed: function (event) {
            event.accepted = device_configuration.menu_open
            if (event.accepted)
                device_configuration.close_menu()
        }

        FocusRing {}
    }

    // A label and its list. The list's index follows value, a completed read included; picked
    // reports only an index that differs from it, so the bound value moving sends nothing.
    component SettingRow: RowLayout {
        id: setting_row

        property string label
        property alias list_name: setting_list.objectName
        property alias model: setting_list.model
        property int value

        signal picked(int index)

        visible: device.config_ready
        Layout.fillWidth: true
        spacing: 20

        Label {
            Layout.preferredWidth: 65
            // The list carries it as its name.
            Accessible.ignored: true
            text: setting_row.label + ":"
            color: Theme.text
            font.family: "Nunito"
            font.pixelSize: 18
        }

        CardComboBox {
            id: setting_list
            Layout.fillWidth: true
            Layout.preferredHeight: 70
            bg_color: Theme.background
            label: setting_row.label
            textRole: "text"
            currentIndex: setting_row.value
            // Names are read again on every evaluation, so the shown text follows a language
            // change.
            displayText: currentIndex < 0 ? "" : model.get(currentIndex).text
            onCurrentIndexChanged: {
                if (device.config_ready && currentIndex !== setting_row.value)
                    setting_row.picked(currentIndex)
            }
        }
    }
}
