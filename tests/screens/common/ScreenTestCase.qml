import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0

// The real main window on the virtual Velquin Plus, driven as a user drives it: helpers to store
// entries on the device, open a switch's editor, and click, pick and type in the window.
TestCase {
    id: screen_test

    property var window: null

    readonly property int automatic: Config.ReleaseMode.Automatic
    readonly property int manual: Config.ReleaseMode.Manual
    readonly property int alternate: Config.ReleaseMode.Alternate

    function entry(iface, action, param1, param2) {
        return { iface: iface, action: action, param1: param1, param2: param2 }
    }

    function none() {
        return entry(ConfigSwitch.Iface.None, 0, 0, 0)
    }

    function simplified(config, i) {
        const sw = config.sw_simplified_config[i]
        return entry(sw.iface, sw.action, sw.param1, sw.param2)
    }

    function wait_for_read() {
        tryCompare(device, "config_ready", false)
        tryCompare(device, "config_ready", true)
    }

    // The device answers a read only after the writes before it, so once the read is done every
    // earlier send has been applied (or was never made).
    function flush_device() {
        device.read_config()
        wait_for_read()
    }

    // Stores press entries on the device (release entries cleared) and reads them back.
    function store_on_device(presses, use_joystick) {
        for (let i = 0; i < 8; ++i) {
            sim.set_press(i, presses[i] || none())
            sim.set_release(i, none())
        }
        sim.set_use_joystick(use_joystick === true)
        device.read_config()
        wait_for_read()
    }

    function create_window() {
        const component = Qt.createComponent("qrc:/qml/Main.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window !== null, "Main.qml gave no window")
        // The pages change at once instead of sliding for a quarter of a second each time.
        for (const name of ["swipeview_main", "swipeview_connected"])
            child(name).contentItem.highlightMoveDuration = 0
        return window
    }

    function close_window() {
        if (window === null)
            return
        window.destroy()
        window = null
        wait(0)
    }

    // Repeater rows are no QObject children of the window: search the items first.
    function child(name) {
        const found = findChild(window.contentItem, name) || findChild(window, name)
        verify(found !== null, "no item named " + name)
        return found
    }

    // Lets every layout between item and the window place its children.
    function settle(item) {
        for (let it = item; it; it = it.parent)
            waitForItemPolished(it)
    }

    // Scrolls the page that holds item until item is inside the window, then clicks it.
    function click(item) {
        verify(item.visible, item.objectName + " is hidden")
        settle(item)
        for (let it = item.parent; it; it = it.parent) {
            if (it.contentItem !== undefined && it.contentY !== undefined
                    && it.flickableDirection !== undefined) {
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
        // No fading in and out: the pop-up is there at once.
        list.popup.enter = null
        list.popup.exit = null
        click(list)
        tryCompare(list.popup, "opened", true)
        const view = list.popup.contentItem
        view.positionViewAtIndex(index, ListView.Center)
        let row = null
        tryVerify(function() { row = view.itemAtIndex(index); return row !== null })
        waitForItemPolished(view)
        mouseClick(row)
        tryCompare(list.popup, "visible", false)
        compare(list.currentIndex, index)
    }

    // Waits for a page view's slide to bring page to the window's left edge.
    function wait_for_page(page) {
        tryVerify(function() { return page.mapToItem(null, 0, 0).x === 0 }, 5000,
                  page.objectName + " did not slide in")
    }

    function open_switch(i) {
        compare(child("swipeview_connected").currentIndex, 0, "not on the overview")
        click(child("switch_edit_" + i))
        compare(child("swipeview_connected").switch_index, i)
        compare(child("swipeview_connected").currentIndex, 1)
        wait_for_page(child("switch_configuration_page"))
    }

    function go_back() {
        click(child("switch_back"))
        compare(child("swipeview_connected").currentIndex, 0)
        wait_for_page(child("device_configuration_page"))
    }

    function same_entry(a, b) {
        return a.iface === b.iface && a.action === b.action && a.param1 === b.param1
                && a.param2 === b.param2
    }

    // The device applies a write on a thread of its own, a moment after the send.
    function compare_stored(i, press, release) {
        tryVerify(function() {
            return same_entry(sim.press_entries()[i], press)
                    && same_entry(sim.release_entries()[i], release)
        }, 3000)
        const stored_press = sim.press_entries()[i]
        const stored_release = sim.release_entries()[i]
        compare(stored_press, press, "press entry of switch " + i + ": "
                + JSON.stringify(stored_press) + ", expected " + JSON.stringify(press))
        compare(stored_release, release, "release entry of switch " + i + ": "
                + JSON.stringify(stored_release) + ", expected " + JSON.stringify(release))
    }

    when: windowShown

    function init() {
        test_settings.set_value("first_run", false)
        test_settings.remove("show_generic_iface")
        sim.set_latency(0)
        tryCompare(device, "connected", true)
        tryCompare(device, "config_ready", true)
    }

    function cleanup() {
        close_window()
    }
}
