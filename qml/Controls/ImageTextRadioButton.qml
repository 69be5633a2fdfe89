import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import Velquin 1.0
import "Focus.js" as Focus

// A selectable tile: a picture over a caption.
RadioButton {
    id: control

    property url img_source
    property int font_size: 16

    clip: true
    indicator: null
    contentItem: Item {}

    // The arrow keys move through the tiles of the group, choosing as they go.
    Keys.onLeftPressed: function (event) { event.accepted = Focus.step_in_group(control, ButtonGroup.group, -1) }
    Keys.onUpPressed: function (event) { event.accepted = Focus.step_in_group(control, ButtonGroup.group, -1) }
    Keys.onRightPressed: function (event) { event.accepted = Focus.step_in_group(control, ButtonGroup.group, 1) }
    Keys.onDownPressed: function (event) { event.accepted = Focus.step_in_group(control, ButtonGroup.group, 1) }

    background: Rectangle {
        objectName: "tile"
        radius: 10
        color: control.pressed ? "#77000000"
             : (control.hovered || control.checked) ? "#66000000"
             : "#11000000"

        Behavior on color {
            ColorAnimation {
                duration: 100
            }
        }

        ColumnLayout {
            anchors.fill: parent
            anchors.topMargin: 15
            anchors.bottomMargin: 15
            spacing: 8

            Image {
                Layout.fillWidth: true
                Layout.fillHeight: true
                source: control.img_source
                fillMode: Image.PreserveAspectFit
                mipmap: true
                opacity: control.enabled ? 1 : 0.5
            }

            Label {
                Layout.fillWidth: true
                text: control.text
                color: Theme.text
                font.family: "Open Sans"
                font.pixelSize: control.font_size
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                opacity: control.enabled ? 1 : 0.5
                // The button itself carries the name.
                Accessible.ignored: true
            }
        }
    }

    // Inside the tile, which clips.
    FocusRing {
        gap: -2
    }
}
