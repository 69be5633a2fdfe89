import QtQuick 2.15
import QtQuick.Controls 2.15
import "Controls"

Item {
    readonly property Item first_focus: swipeview_disconnected.first_focus

    PageView {
        id: swipeview_disconnected
        objectName: "swipeview_disconnected"
        anchors.fill: parent
        anchors.topMargin: window.height * 0.05
        anchors.bottomMargin: window.height * 0.05
        anchors.leftMargin: window.width * 0.05
        anchors.rightMargin: window.width * 0.05
        interactive: false
        clip: true

        PleaseConnect {}
        Help {}
    }
}
