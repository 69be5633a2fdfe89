import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import Velquin 1.0
import "Controls"

Item {
    id: please_connect

    readonly property bool mobile: Qt.platform.os === "android" || Qt.platform.os === "ios"
    readonly property Item first_focus: help_question

    signal about_requested
    signal settings_requested
    signal pairing_help_requested

    // The light behind the picture: an ellipse across the screen, a little below its middle. An
    // image, as a gradient effect would build a shader before the first frame.
    Image {
        y: parent.height * 0.25
        width: parent.width
        height: parent.height * 0.6
        source: "qrc:/img/glow.png"
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.topMargin: 15
        spacing: 0

        Row {
            Layout.alignment: Qt.AlignHCenter | Qt.AlignTop
            spacing: 1
            // Read as one title, the wordmark as the name it stands for.
            Accessible.role: Accessible.Heading
            Accessible.name: qsTr("Connect your") + " Velquin Plus"

            Label {
                text: qsTr("Connect your") + " "
                color: Theme.text
                font.family: "Nunito"
                font.pixelSize: 28
                Accessible.ignored: true
            }
            Wordmark {
                pixel_size: 28
                Accessible.ignored: true
            }
        }

        Image {
            objectName: "device_picture"
            Layout.fillWidth: true
            Layout.preferredHeight: Window.height * 0.40
            source: "qrc:/img/device.png"
            // Decoded at twice the height shown, not at its full 1608 pixels.
            sourceSize.height: 560
            fillMode: Image.PreserveAspectFit
        }

        Item {
            Layout.fillHeight: true
        }

        LinkLabel {
            id: help_question
            objectName: "help_question"
            Layout.fillWidth: true
            Layout.bottomMargin: 30
            text: qsTr("Do you need help to connect Velquin Plus to this ")
                  + (please_connect.mobile ? qsTr("device") : qsTr("computer")) + "?"
            color: Theme.link
            font.family: "Open Sans"
            font.pixelSize: 16
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            onActivated: please_connect.pairing_help_requested()

            MouseArea {
                anchors.fill: parent
                cursorShape: Qt.PointingHandCursor
                onClicked: help_question.activated()
            }

            FocusRing {}
        }

        DeviceProblem {
            objectName: "device_problem"
            Layout.fillWidth: true
            Layout.bottomMargin: 20
        }

        RowLayout {
            Layout.fillWidth: true

            RoundButton {
                objectName: "please_connect_help"
                Layout.preferredWidth: 64
                Layout.preferredHeight: 64
                Material.elevation: 0
                display: AbstractButton.IconOnly
                text: qsTr("Help")
                icon.source: "qrc:/img/help.png"
                icon.width: 36
                icon.height: 36
                ToolTip.text: text
                ToolTip.visible: hovered
                ToolTip.delay: 1000
                onClicked: please_connect.about_requested()

                FocusRing {}
            }

            Item {
                Layout.fillWidth: true
            }

            RoundButton {
                objectName: "please_connect_settings"
                Layout.preferredWidth: 64
                Layout.preferredHeight: 64
                Material.elevation: 0
                display: AbstractButton.IconOnly
                text: qsTr("Settings")
                icon.source: "qrc:/img/settings.png"
                icon.width: 36
                icon.height: 36
                ToolTip.text: text
                ToolTip.visible: hovered
                ToolTip.delay: 1000
                onClicked: please_connect.settings_requested()

                FocusRing {}
            }
        }
    }
}
