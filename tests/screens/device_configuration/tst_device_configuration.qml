import QtQuick 2.15
import QtTest 1.15
import Velquin 1.0
import VelquinTest 1.0

// The overview's two mouse movement lists: a pick is sent once and reads back as picked; a read
// moves the list and sends nothing, and so does picking the row shown.
WindowTest {
    name: "DeviceConfiguration"

    function test_list_sends_once_on_a_pick_data() {
        // Movements on the list's axis that select its rows 1 and 0, and the value the list sets.
        return [
            { tag: "pointer", list: "pointer_list", axis: ConfigSwitch.Axis.Y, row1: 0x11, row0: 0x01,
              value: "mouse_move_summary_profile" },
            { tag: "wheel", list: "wheel_list", axis: ConfigSwitch.Axis.Wheel, row1: 0x71, row0: 0xF1,
              value: "mouse_move_summary_wheel_speed" }
        ]
    }

    function test_list_sends_once_on_a_pick(data) {
        const movement = function (param2) {
            return entry(ConfigSwitch.Iface.Mouse, ConfigSwitch.MouseAction.MoveStop, data.axis, param2)
        }
        store_on_device([movement(data.row1)])
        create_window()
        const list = child(data.list)
        compare(list.currentIndex, 1)
        flush_device()
        const writes = sim.writes_applied()

        choose(list, 2)
        flush_device()
        compare(sim.writes_applied(), writes + 1)
        // What the device stores reads back as the pick.
        device.read_config()
        wait_for_read()
        compare(device.config[data.value], 2)

        sim.set_press(0, movement(data.row0))
        device.read_config()
        wait_for_read()
        compare(list.currentIndex, 0)
        choose(list, 0)
        flush_device()
        compare(sim.writes_applied(), writes + 1)
    }
}
