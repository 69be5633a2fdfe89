import QtQuick 2.15

// Two pulsing bars that stand in for content still being read.
Item {
    id: control

    implicitWidth: 200
    implicitHeight: bars.implicitHeight
    Accessible.role: Accessible.ProgressBar
    Accessible.name: qsTranslate("Accessibility", "Reading the configuration")

    Column {
        id: bars
        width: control.width
        spacing: 20

        Rectangle {
            width: control.width
            height: 12
            radius: 100
            color: "#33ffffff"

            SequentialAnimation on color {
                running: control.visible
                loops: Animation.Infinite

                ColorAnimation {
                    to: "#66ffffff"
                    duration: 500
                }
                ColorAnimation {
                    to: "#33ffffff"
                    duration: 500
                }
            }
        }

        Rectangle {
            width: control.width * 0.55
            height: 12
            radius: 100
            color: "#33ffffff"

            // A slower way back keeps the two bars out of step.
            SequentialAnimation on color {
                running: control.visible
                loops: Animation.Infinite

                ColorAnimation {
                    to: "#66ffffff"
                    duration: 500
                }
                ColorAnimation {
                    to: "#33ffffff"
                    duration: 1000
                }
            }
        }
    }
}
