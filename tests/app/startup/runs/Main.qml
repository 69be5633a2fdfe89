import QtQuick 2.15
import QtQuick.Window 2.15
import Velquin 1.0

// Stands in for the main window: tells through the exit code what start-up set up before
// loading it (10: English shown, 11: a catalog installed; 22 and up: something is missing).
Window {
    function check() {
        if (typeof device.read_config !== "function" || typeof translate.set_language !== "function")
            return 22
        // The virtual device was plugged before the device object looked for it.
        if (!device.connected)
            return 23
        const families = Qt.fontFamilies()
        if (families.indexOf("Nunito") < 0 || families.indexOf("Open Sans") < 0)
            return 25
        return qsTranslate("PleaseConnect", "Connect your") === "Connect your" ? 10 : 11
    }

    // The app's types are registered: this file compiles.
    property Config config: Config {}

    Timer {
        running: true
        interval: 0
        onTriggered: Qt.exit(check())
    }
}
