import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15

// A confirmation question; only the confirming button emits `yes`.
Popup {
    id: dialog

    property string info_text
    property string yes_text

    signal yes

    modal: true
    visible: false
    width: parent ? parent.width : implicitWidth
    y: parent ? Math.max(0, (parent.height - height) / 2) : 0
    padding: 10

    Column {
        width: dialog.width - 20
        spacing: 5

        Label {
            width: parent.width
            leftPadding: 5
            rightPadding: 5
            topPadding: 10
            bottomPadding: 10
            text: dialog.info_text
            color: "white"
            font.family: "Open Sans"
            font.pixelSize: 16
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignLeft
        }

        RoundButton {
            objectName: "dialog_yes"
            width: parent.width
            radius: 10
            leftPadding: 30
            rightPadding: 30
            topPadding: 20
            bottomPadding: 20
            highlighted: true
            Material.accent: Material.color(Material.Indigo, Material.Shade400)
            text: dialog.yes_text
            onClicked: {
                dialog.close()
                dialog.yes()
            }
        }

        RoundButton {
            objectName: "dialog_cancel"
            width: parent.width
            radius: 10
            leftPadding: 30
            rightPadding: 30
            topPadding: 20
            bottomPadding: 20
            text: qsTr("Cancel")
            onClicked: dialog.close()
        }
    }
}
