import QtQuick 2.15
import QtTest 1.15

// The app publishes its own device and translator once; QML cannot make more of them (a second
// device would start the HID layer anew and drop the app's registrations).
TestCase {
    id: module_test
    name: "QmlModule"

    function test_app_objects_cannot_be_made_in_qml_data() {
        return [{ tag: "Device" }, { tag: "Translate" }, { tag: "ConfigSwitch" }]
    }

    function test_app_objects_cannot_be_made_in_qml(data) {
        let message = ""
        try {
            Qt.createQmlObject("import Velquin 1.0; " + data.tag + " {}", module_test, "inline")
        } catch (error) {
            message = error.qmlErrors.map(function (e) { return e.message }).join()
        }
        verify(message.indexOf("Cannot create in QML") >= 0, message)
    }
}
