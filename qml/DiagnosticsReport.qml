import QtQml 2.15
import Velquin 1.0

// "Copy diagnostics": the report of what the app sees, put on the clipboard for a support person.
QtObject {
    id: report

    property bool copied: false
    readonly property string label: copied ? qsTr("Diagnostics copied") : qsTr("Copy diagnostics")
    readonly property var reached: device

    property DeviceWords words: DeviceWords {}
    property Diagnostics diagnostics: Diagnostics {
        device: report.reached
        onCopied: report.copied = true
    }

    function copy() {
        copied = false
        diagnostics.copy(device.config_ready ? words.describe(device.config) : "")
    }
}
