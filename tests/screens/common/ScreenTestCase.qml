import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0

// What the editor's tests add to the shared base; it goes with them.
WindowTest {
    function none() {
        return entry(ConfigSwitch.Iface.None, 0, 0, 0)
    }

    // A read after the writes: the device answers it only once they are applied.
    function flush_device() {
        device.read_config()
        wait_for_read()
    }

    function settle(item) {
        for (let it = item; it; it = it.parent)
            waitForItemPolished(it)
    }

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

    function compare_stored(i, press, release) {
        tryVerify(function() {
            return same_entry(sim.press_entries()[i], press)
                    && same_entry(sim.release_entries()[i], release)
        }, 3000)
        compare(sim.press_entries()[i], press, "press entry of switch " + i)
        compare(sim.release_entries()[i], release, "release entry of switch " + i)
    }
}
