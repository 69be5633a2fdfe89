import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import Velquin 1.0
import "Controls"

Item {
    id: about
    objectName: "about"

    readonly property Item first_focus: continue_button

    signal continue_requested

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        Image {
            objectName: "about_device_image"
            source: "qrc:/img/device.png"
            // Twice the height shown, as the overview's header decodes it, so both share one copy.
            sourceSize.height: 360
            fillMode: Image.PreserveAspectFit
            Layout.fillWidth: true
            Layout.preferredHeight: Window.height * 0.25
            Layout.alignment: Qt.AlignTop
        }

        Wordmark {
            Layout.alignment: Qt.AlignHCenter
            pixel_size: 44
        }

        LinkLabel {
            id: description

            // The keyboard reaches the text's one link through the text itself.
            readonly property string link: (text.match(/href="([^"]*)"/) || ["", ""])[1]

            objectName: "about_description"
            Layout.topMargin: 30
            Layout.fillWidth: true
            Layout.fillHeight: true
            verticalAlignment: Text.AlignTop
            wrapMode: Text.WordWrap
            textFormat: Text.RichText
            font.family: "Open Sans"
            font.pixelSize: 16
            lineHeight: 1.4
            // The style sheet has to come first: Qt applies it only to what follows.
            text: "<style>a:link { color: " + Theme.link + "; }</style>"
                  + qsTr("Velquin Plus is a Bluetooth LE device to access your computer, phone or tablet using standard switches. Visit <a href=\"https://tarvek.example/velquin-plus\">tarvek.example/velquin-plus</a> for more information.")
            onLinkActivated: function (link) {
                Qt.openUrlExternally(link)
            }
            onActivated: linkActivated(link)

            FocusRing {}

            MouseArea {
                objectName: "about_link_cursor"
                anchors.fill: parent
                acceptedButtons: Qt.NoButton
                cursorShape: description.hoveredLink !== "" ? Qt.PointingHandCursor : Qt.ArrowCursor
            }
        }

        RoundButton {
            id: continue_button
            objectName: "about_continue"
            text: qsTr("Continue")
            Layout.alignment: Qt.AlignHCenter | Qt.AlignBottom
            Layout.bottomMargin: 10
            leftPadding: 100
            rightPadding: 100
            topPadding: 20
            bottomPadding: 20
            radius: 100
            highlighted: true
            Material.accent: Material.color(Material.Indigo, Material.Shade400)
            onClicked: about.continue_requested()

            FocusRing {}
        }
    }
}
