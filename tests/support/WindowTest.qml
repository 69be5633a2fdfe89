import QtQuick 2.15
import QtTest 1.15
import Qt.labs.settings 1.0
import Velquin 1.0

// The real main window on the virtual Velquin Plus, driven as a user drives it (README.md). Every
// test starts from sim.reset(): an empty settings store but for first_run false, English, and the
// device plugged with its factory configuration read.
TestCase {
    property var window: null
    // The store that the window's settings live in: value(key), setValue(key, value).
    readonly property Settings stored_settings: Settings {}

    // The window's pages by the names its navigation knows them by, and the page views that show
    // them (page view, index), outermost first: the one place that knows how the window holds its
    // pages. Tests use open_page() and shown_page().
    readonly property var pages: ({
        device_configuration: [["swipeview_main", 0], ["swipeview_connection", 1],
                               ["swipeview_connected", 0]],
        switch_configuration: [["swipeview_main", 0], ["swipeview_connection", 1],
                               ["swipeview_connected", 1]],
        please_connect: [["swipeview_main", 0], ["swipeview_connection", 0],
                         ["swipeview_disconnected", 0]],
        pairing_help: [["swipeview_main", 0], ["swipeview_connection", 0],
                       ["swipeview_disconnected", 1]],
        about: [["swipeview_main", 1]],
        settings: [["swipeview_main", 2]]
    })

    function init() {
        sim.reset()
        stored_settings.setValue("first_run", false)
    }

    function cleanup() {
        close_window()
        translate.set_language("")
    }

    function entry(iface, action, param1, param2) {
        return { iface: iface, action: action, param1: param1, param2: param2 }
    }

    function simplified(config, i) {
        const sw = config.sw_simplified_config[i]
        return entry(sw.iface, sw.action, sw.param1, sw.param2)
    }

    // Seeds settings, then makes the window and makes it the active one (keys go there).
    function create_window(settings) {
        for (const key in settings)
            stored_settings.setValue(key, settings[key])
        const component = Qt.createComponent("qrc:/qml/Main.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        waitForRendering(window.contentItem)
        window.requestActivate()
        tryCompare(window, "active", true)
        return window
    }

    // As a program end does: the window's settings are written then.
    function close_window() {
        if (window !== null)
            window.destroy()
        window = null
        wait(0)
    }

    // Waits for the item to exist: pages may be made after the first frame.
    function child(name) {
        let found = null
        tryVerify(function () {
            // Repeater rows are only among the items, pop-ups only among the QObject children.
            found = findChild(window.contentItem, name) || findChild(window, name)
            return found !== null
        }, 3000, "no item named " + name)
        return found
    }

    // Shows the page as the window's navigation does (switch_index: the switch the editor opens)
    // and waits until it has slid in. The connection pages follow the device: plug or unplug first.
    function open_page(name, switch_index) {
        verify(pages[name] !== undefined, "no page " + name)
        if (pages[name][0][1] === 0)
            window.show_page("connection")
        if (name === "switch_configuration")
            window.edit_switch(switch_index)
        else
            window.show_page(name)
        for (const [view_name, index] of pages[name]) {
            const view = child(view_name)
            tryVerify(function () {
                return view.currentIndex === index
                        && Math.abs(view.contentItem.contentX - index * view.width) < 0.5
            }, 3000, view_name + " did not reach page " + index)
        }
    }

    function shown_page() {
        return Object.keys(pages).find(function (name) {
            return pages[name].every(function (step) { return child(step[0]).currentIndex === step[1] })
        })
    }

    function wait_for_read() {
        tryCompare(device, "config_ready", false)
        tryCompare(device, "config_ready", true, 5000)
    }

    // Once the writer is idle every earlier send has reached the device (or was never made).
    function flush_device() {
        verify(sim.wait_for_writes(), "the writer did not finish")
    }

    // Stores press entries on the device (release entries cleared) and reads them back.
    function store_on_device(presses, use_joystick) {
        for (let i = 0; i < 8; ++i) {
            sim.set_press(i, presses[i] || entry(ConfigSwitch.Iface.None, 0, 0, 0))
            sim.set_release(i, entry(ConfigSwitch.Iface.None, 0, 0, 0))
        }
        sim.set_use_joystick(use_joystick === true)
        device.read_config()
        wait_for_read()
    }

    // Scrolls the page that holds item until item is inside the window, then clicks it.
    function click(item) {
        verify(item.visible, item.objectName + " is hidden")
        for (let it = item; it; it = it.parent)
            waitForItemPolished(it)
        for (let it = item.parent; it; it = it.parent) {
            if (it.contentY !== undefined && it.flickableDirection !== undefined) {
                const y = item.mapToItem(it.contentItem, 0, 0).y
                const top = Math.max(0, it.contentHeight - it.height)
                it.contentY = Math.min(top, Math.max(0, y + item.height / 2 - it.height / 2))
                break
            }
        }
        mouseClick(item)
    }

    // Picks row index of a list through its pop-up, as a user does.
    function choose(list, index) {
        list.popup.enter = null
        list.popup.exit = null
        click(list)
        tryCompare(list.popup, "opened", true)
        const view = list.popup.contentItem
        view.positionViewAtIndex(index, ListView.Center)
        let row = null
        tryVerify(function () { row = view.itemAtIndex(index); return row !== null })
        waitForItemPolished(view)
        mouseClick(row)
        tryCompare(list.popup, "visible", false)
        compare(list.currentIndex, index)
    }

    function tab(times) {
        for (let i = 0; i < (times || 1); ++i)
            keyClick(Qt.Key_Tab)
    }

    // The focus is on the named item, and its focus mark is shown (or not, when marked is false).
    function expect_focus(name, marked) {
        tryVerify(function () { return (window.activeFocusItem || {}).objectName === name }, 3000,
                  "focus on " + String(window.activeFocusItem) + ", not " + name)
        // The mark is the control's FocusRing.
        const rings = Array.from(window.activeFocusItem.children).filter(function (c) {
            return c.shape_radius !== undefined && c.border !== undefined
        })
        compare(rings.length, 1, name + " has no focus mark")
        tryCompare(rings[0], "visible", marked !== false)
    }
}
