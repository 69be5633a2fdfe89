import QtQuick 2.15
import QtQuick.Controls 2.15
import QtGraphicalEffects 1.12

ComboBox {
    id: control

    property color bg_color: "#3f3f51"

    font.family: "Open Sans"
    font.pixelSize: 16

    background: Item {
        implicitWidth: 120
        implicitHeight: 48

        Rectangle {
            id: panel
            anchors.fill: parent
            radius: 10
            color: control.bg_color
            visible: false

            Behavior on color {
                ColorAnimation {
                    duration: 300
                }
            }
        }

        DropShadow {
            anchors.fill: panel
            source: panel
            color: "#30000000"
            verticalOffset: 3
            spread: 0
            samples: 32
            transparentBorder: true
            cached: true
            fast: true
        }

        Rectangle {
            objectName: "hover_overlay"
            anchors.fill: parent
            radius: 10
            color: control.pressed || control.hovered ? "#22ffffff" : "transparent"

            Behavior on color {
                ColorAnimation {
                    duration: 300
                }
            }
        }
    }
}
