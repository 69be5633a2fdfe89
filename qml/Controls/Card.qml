import QtQuick 2.15
import QtGraphicalEffects 1.12

// A rounded panel; the content goes on top of it as children.
Item {
    id: card

    Rectangle {
        id: panel
        anchors.fill: parent
        color: "#3f3f51"
        radius: 10
        visible: false
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
}
