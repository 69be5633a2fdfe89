import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import Velquin 1.0
import "Controls"
import "Controls/Focus.js" as Focus

Item {
    id: help
    objectName: "help"

    readonly property Item first_focus: swipeview_help.first_focus

    // Back from the question page: the help flow is done.
    signal back_requested

    // The steps name the system's own Bluetooth settings; tests set other platforms.
    property string platform: Qt.platform.os
    readonly property bool is_windows: platform === "windows"
    readonly property bool is_android: platform === "android"

    readonly property var pairing_steps: {
        var steps = [qsTr("Switch Velquin Plus on by pushing the side button. The LED will turn on for 1s and start blinking.")]
        if (is_windows) {
            steps.push(qsTr("Launch Start > Settings > Devices > Bluetooth & other devices."))
            steps.push(qsTr("Select Add Bluetooth or other device > Bluetooth."))
        } else if (is_android) {
            steps.push(qsTr("Launch Android Bluetooth settings and tap on 'Pair new device'."))
        } else {
            steps.push(qsTr("Launch Bluetooth settings and select 'Pair new device'."))
        }
        steps.push(qsTr("When 'Velquin Plus' shows up on the list, select it."))
        return steps
    }

    readonly property var reconnecting_steps: [
        qsTr("Switch Velquin Plus on by pushing the side button. The LED will turn on for 1s and then off"),
        is_windows ? qsTr("If it does not connect automatically, launch Start > Settings > Devices > Bluetooth & other devices and click on 'Velquin Plus'.")
                   : is_android ? qsTr("If it does not connect automatically, launch Android Bluetooth settings and tap on 'Velquin Plus'.")
                                : qsTr("If it does not connect automatically, launch Bluetooth settings and select 'Velquin Plus'."),
        qsTr("If it fails to connect, make sure Velquin Plus is not already connected to another device (e.g. a computer).")
    ]

    // For the inline components, which do not see the imported script (Qt 5.15).
    function came_by_tab(item) {
        return Focus.came_by_tab(item)
    }

    function steps_text(steps) {
        return steps.map(function (step) { return "· " + step + "\n\n" }).join("")
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 10

        Label {
            objectName: "help_title"
            text: qsTr("How to connect Velquin Plus")
            color: Theme.text
            font.family: "Nunito"
            font.pixelSize: 26
            wrapMode: Text.WordWrap
            Layout.fillWidth: true
        }

        PageView {
            id: swipeview_help
            objectName: "swipeview_help"
            interactive: false
            clip: true
            Layout.topMargin: Window.height * 0.05
            Layout.fillWidth: true
            Layout.fillHeight: true

            Item {
                readonly property Item first_focus: first_answer

                ColumnLayout {
                    anchors.fill: parent
                    spacing: 20

                    Label {
                        text: qsTr("Have you paired Velquin Plus to this device before?")
                        color: Theme.text
                        font.family: "Open Sans"
                        font.pixelSize: 18
                        wrapMode: Text.WordWrap
                        Layout.fillWidth: true
                    }

                    HelpAnswer {
                        id: first_answer
                        objectName: "help_answer_first_time"
                        text: "· " + qsTr("No, this is the first time I use Velquin Plus on this device, or I unpaired it.")
                        onClicked: swipeview_help.currentIndex = 1
                    }

                    HelpAnswer {
                        objectName: "help_answer_paired"
                        text: "· " + qsTr("Yes, Velquin Plus is paired.")
                        verticalAlignment: Text.AlignTop
                        Layout.fillHeight: true
                        onClicked: swipeview_help.currentIndex = 2
                    }
                }
            }

            HelpSteps {
                objectName: "help_pairing"
                text: help.steps_text(help.pairing_steps)
            }

            HelpSteps {
                objectName: "help_reconnecting"
                text: help.steps_text(help.reconnecting_steps)
            }
        }

        RoundButton {
            objectName: "help_back"
            Layout.preferredWidth: 64
            Layout.preferredHeight: 64
            icon.source: "qrc:/img/back.png"
            icon.width: 36
            icon.height: 36
            Material.elevation: 0
            onClicked: {
                if (swipeview_help.currentIndex === 0)
                    help.back_requested()
                else
                    swipeview_help.currentIndex = 0
            }
            Accessible.name: qsTranslate("Accessibility", "Back")

            FocusRing {}
        }
    }

    component HelpAnswer: LinkLabel {
        signal clicked

        color: Theme.link
        font.family: "Open Sans"
        font.pixelSize: 16
        wrapMode: Text.WordWrap
        Layout.fillWidth: true
        onActivated: clicked()

        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: parent.clicked()
        }

        FocusRing {}
    }

    // Reached by Tab and scrolled by the arrow and page keys, as a text that may not fit.
    component HelpSteps: Flickable {
        id: steps

        property alias text: steps_label.text
        readonly property Item first_focus: steps
        // Focus that no key moved here goes unmarked (see Focus.place and Focus.came_by_tab).
        property bool quiet_focus: true

        function scroll_by(dy) {
            contentY = Math.max(0, Math.min(contentHeight - height, contentY + dy))
        }

        clip: true
        flickableDirection: Flickable.VerticalFlick
        boundsBehavior: Flickable.StopAtBounds
        contentWidth: width
        contentHeight: steps_label.height
        activeFocusOnTab: true
        onActiveFocusChanged: if (activeFocus) quiet_focus = !help.came_by_tab(steps)
        Keys.onUpPressed: scroll_by(-steps_label.font.pixelSize * 2)
        Keys.onDownPressed: scroll_by(steps_label.font.pixelSize * 2)
        Keys.onPressed: function (event) {
            if (event.key === Qt.Key_PageUp || event.key === Qt.Key_PageDown) {
                scroll_by(event.key === Qt.Key_PageUp ? -height * 0.9 : height * 0.9)
                event.accepted = true
            }
        }
        Accessible.role: Accessible.StaticText
        Accessible.name: steps_label.text

        // On the view itself, not on its moving content; inside, as the view clips.
        FocusRing {
            parent: steps
            gap: -1
        }

        Label {
            id: steps_label
            objectName: "help_steps_text"
            width: parent.width
            color: Theme.text
            font.family: "Open Sans"
            font.pixelSize: 16
            lineHeight: 1.4
            wrapMode: Text.WordWrap
        }
    }
}
