import QtQuick 2.15
import QtTest 1.15
import VelquinTest 1.0
import "../../screens/common"

// The real window on the virtual Velquin Plus, seen by assistive technology and driven by the
// keyboard: key presses go to the window, which has to be the active one.
ScreenTestCase {
    function initTestCase() {
        // Controls take their accessible names only while a bridge is active when they are made.
        verify(AccessibilityTree.activate(), "no accessibility bridge")
    }

    function init() {
        if (!sim.plugged)
            sim.plug()
        test_settings.set_value("first_run", false)
        test_settings.remove("show_generic_iface")
        sim.set_latency(0)
        tryCompare(device, "connected", true)
        tryCompare(device, "config_ready", true)
    }

    function open_window() {
        create_window()
        window.requestActivate()
        tryCompare(window, "active", true)
        // The window places its first focus once it has settled.
        tryVerify(function () { return focused() !== null && focused().objectName !== "" })
    }

    function focused() {
        return window.activeFocusItem
    }

    function press(key, modifiers) {
        keyClick(key, modifiers === undefined ? Qt.NoModifier : modifiers)
    }

    function tab(times, modifiers) {
        for (let i = 0; i < (times === undefined ? 1 : times); ++i)
            press(Qt.Key_Tab, modifiers)
    }

    // The focus mark drawn on item (its FocusRing), or null.
    function ring_of(item) {
        for (let i = 0; i < item.children.length; ++i) {
            const c = item.children[i]
            if (c.shape_radius !== undefined && c.border !== undefined)
                return c
        }
        return null
    }

    // The focus is on the named item and marked there, as the keyboard moved it.
    function expect_focus(name, marked) {
        tryVerify(function () { return focused() && focused().objectName === name }, 3000,
                  "focus on " + (focused() ? focused().objectName || String(focused()) : "nothing")
                  + ", not " + name)
        const ring = ring_of(focused())
        verify(ring !== null, name + " has no focus mark")
        tryCompare(ring, "visible", marked === undefined ? true : marked)
    }

    // Every test leaves English, the device plugged and its configuration read.
    function cleanup() {
        close_window()
        translate.set_language("")
        if (!sim.plugged)
            sim.plug()
        sim.set_latency(0)
        tryCompare(device, "connected", true)
        // A reading started by a test ends before the next one.
        tryCompare(device, "config_ready", true, 5000)
    }

    function no_faults(where) {
        const faults = AccessibilityTree.faults(window)
        verify(faults.length === 0, where + ":\n" + faults.join("\n") + "\n\nThe tree:\n"
               + AccessibilityTree.dump(window).join("\n"))
    }

    function show(view, index) {
        const page_view = child(view)
        page_view.currentIndex = index
        tryVerify(function () {
            return Math.abs(page_view.contentItem.contentX - index * page_view.width) < 0.5
        }, 3000, view + " did not reach page " + index)
    }

    function start_reading() {
        sim.set_latency(30)
        device.read_config()
        tryCompare(device, "config_ready", false)
    }

    function unplugged() {
        sim.unplug()
        tryCompare(device, "connected", false)
        show("swipeview_main", 0)
        tryCompare(child("swipeview_connection"), "currentIndex", 0)
    }
}
