import QtQuick 2.15
import QtQuick.Controls 2.15
import "Controls"

Item {
    readonly property Item first_focus: swipeview_connected.first_focus

    PageView {
        id: swipeview_connected
        objectName: "swipeview_connected"

        // The switch that the switch configuration page edits.
        property int switch_index: -1

        anchors.fill: parent
        interactive: false
        clip: true

        ScrollingPage {
            objectName: "device_configuration_page"

            DeviceConfiguration {
                anchors.fill: parent
            }
        }

        ScrollingPage {
            objectName: "switch_configuration_page"

            SwitchConfiguration {
                anchors.fill: parent
                switch_index: swipeview_connected.switch_index
            }
        }
    }
}
