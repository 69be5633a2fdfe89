import QtQuick 2.15
import QtQuick.Controls 2.15

ApplicationWindow {
    width: 450
    height: 700
    visible: true
    color: "#333344"
    title: "Baseline"

    Column {
        anchors.centerIn: parent
        spacing: 12

        Label {
            text: "Velquin Plus"
            font.family: "Nunito"
            font.bold: true
            font.pixelSize: 28
        }

        Label {
            text: "Toolkit floor"
            font.family: "Open Sans"
            font.pixelSize: 16
        }
    }
}
