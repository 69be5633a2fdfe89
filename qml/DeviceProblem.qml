import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import QtQuick.Layouts 1.15
import Velquin 1.0
import "Controls"

// Why the device cannot be reached, and the remedy, under the help question of PleaseConnect.
// Empty while nothing matching is present.
ColumnLayout {
    id: device_problem

    readonly property string problem: device.problem
    readonly property bool no_permission: problem === "no_permission"

    visible: problem !== ""
    spacing: 10

    DeviceAccess {
        id: access
    }

    Label {
        objectName: "problem_text"
        Layout.fillWidth: true
        text: device_problem.problem === "no_permission"
              ? qsTr("Velquin Plus is paired but this app may not open it.")
              : device_problem.problem === "disconnected"
                ? qsTr("Velquin Plus is paired but not connected. Switch it off and on.")
                : device.problem_message
        color: Theme.hint
        font.family: "Open Sans"
        font.pixelSize: 16
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignHCenter
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    RowLayout {
        Layout.alignment: Qt.AlignHCenter
        visible: device_problem.no_permission
        spacing: 10

        ProblemButton {
            objectName: "problem_allow"
            visible: access.can_allow && access.state !== "refused"
            enabled: access.state !== "running"
            text: qsTr("Allow access...")
            onClicked: access.allow()
        }

        ProblemButton {
            id: copy_commands
            objectName: "problem_copy_commands"
            property bool copied: false
            visible: !access.can_allow || access.state === "refused"
            text: copied ? qsTr("Commands copied") : qsTr("Copy commands")
            onClicked: {
                access.copy_commands()
                copied = true
            }
        }
    }

    component ProblemButton: RoundButton {
        radius: 10
        leftPadding: 20
        rightPadding: 20
        highlighted: true
        Material.accent: Theme.card
        font.family: "Open Sans"

        FocusRing {}
    }
}
