import QtQuick 2.15
import QtQuick.Controls 2.15
import Velquin 1.0

ComboBox {
    id: control

    property color bg_color: Theme.card
    // What the list chooses, for assistive technology, which reads it before the choice.
    property string label

    // Whether the Enter key that is down opened the list: its release must not close it again.
    property bool opening_by_enter: false

    // Enter opens the list as Space does; in the open list it takes the highlighted row.
    function open_on_enter(event) {
        event.accepted = !popup.visible
        if (event.accepted) {
            opening_by_enter = true
            popup.open()
        }
    }

    font.family: "Open Sans"
    font.pixelSize: 16

    Accessible.name: label === "" ? displayText
                   : displayText === "" ? label : label + ": " + displayText
    Keys.onReturnPressed: function (event) { open_on_enter(event) }
    Keys.onEnterPressed: function (event) { open_on_enter(event) }
    Keys.onReleased: function (event) {
        event.accepted = opening_by_enter
                && (event.key === Qt.Key_Return || event.key === Qt.Key_Enter)
        opening_by_enter = false
    }
    // The style shows the choice in a text field of its own, which the box's name already reads.
    Component.onCompleted: contentItem.Accessible.ignored = true

    background: Card {
        implicitWidth: 120
        implicitHeight: 48
        color: control.bg_color

        Behavior on color {
            ColorAnimation {
                duration: 300
            }
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

    FocusRing {
        shape_radius: 10
    }
}
