import QtQuick 2.15
import Velquin 1.0

// A rounded panel; the content goes on top of it as children.
Item {
    id: card

    property color color: Theme.card

    // The shadow is a pre-rendered nine-patch: a blur effect would build a shader and an offscreen
    // texture per card before the first frame, most of a start without a GPU driver.
    BorderImage {
        x: -16
        y: -13
        width: card.width + 32
        height: card.height + 32
        source: "qrc:/img/card_shadow.png"
        border.left: 40
        border.right: 40
        border.top: 40
        border.bottom: 40
    }

    Rectangle {
        anchors.fill: parent
        color: card.color
        radius: 10
    }
}
