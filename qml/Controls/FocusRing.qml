import QtQuick 2.15
import QtQuick.Controls.Material 2.15
import "Focus.js" as Focus

// The mark of keyboard focus: an outline in the accent colour around a control's background, or
// around the text of a focusable label. Shown only while the focus came from the keyboard.
Rectangle {
    id: ring

    property Item target: parent
    // What the outline goes round: the control's background when it has one.
    property Item shape: target && target.background ? target.background : target
    property real shape_radius: shape && shape.radius !== undefined ? shape.radius : 4
    // Space between the shape and the outline; negative draws it inside (clipped controls).
    property real gap: 3
    // A text is outlined round its lines, not round the whole area it may take.
    readonly property bool text_only: shape === target && target.contentWidth !== undefined
    readonly property real shape_width: text_only ? Math.min(target.width, target.contentWidth)
                                                  : shape.width
    readonly property real shape_height: text_only ? Math.min(target.height, target.contentHeight)
                                                   : shape.height
    readonly property real shape_x: shape === target
                                    ? (text_only && target.horizontalAlignment === Text.AlignHCenter
                                       ? (target.width - shape_width) / 2 : 0)
                                    : shape.x

    visible: Focus.marked(target)
    x: shape_x - gap
    y: (shape === target ? 0 : shape.y) - gap
    width: shape_width + 2 * gap
    height: shape_height + 2 * gap
    z: 100
    radius: shape_radius + gap
    color: "transparent"
    border.width: 2
    border.color: Material.accent
}
