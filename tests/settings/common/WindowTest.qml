import QtQuick 2.15
import QtTest 1.2

// A test case on the real main window, with the virtual Velquin Plus plugged in.
TestCase {
    property var window: null

    function create_window(seeds) {
        test_settings.set_value("first_run", false)
        test_settings.set_value("lang", "en")
        for (const key in seeds)
            test_settings.set_value(key, seeds[key])
        const component = Qt.createComponent("qrc:/qml/Main.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window)
        tryVerify(function () { return device.config_ready })
    }

    function destroy_window() {
        if (window) {
            window.destroy()
            window = null
            wait(0)
        }
    }

    function child(name) {
        // Repeater rows are only among the visual children, popups only among the QObject ones.
        const found = findChild(window.contentItem, name) || findChild(window, name)
        verify(found, "no " + name)
        return found
    }

    // A page view slides to its page; clicks land only once it has arrived.
    function show_page(view_name, index) {
        const view = child(view_name)
        view.currentIndex = index
        tryVerify(function () {
            return Math.abs(view.contentItem.contentX - view.currentIndex * view.width) < 0.5
        })
    }

    function show_settings() {
        show_page("swipeview_main", 2)
    }

    function texts_under(item) {
        let texts = typeof item.text === "string" ? [item.text] : []
        for (let i = 0; i < item.children.length; ++i)
            texts = texts.concat(texts_under(item.children[i]))
        return texts
    }

    when: windowShown
}
