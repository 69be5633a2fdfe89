// Bluetooth presence for the Linux backend. BlueZ 5.73 and later keep a Bluetooth HID device's
// hidraw node after the device disconnects, so udev reports no removal. This follows the
// `Connected` property of BlueZ's devices on the system bus, so that the backend can treat the
// node of a disconnected device as absent and re-check when a device connects or disconnects.
// Only the connection that owns BlueZ's name is believed: any user of the system bus can send
// a signal straight to this connection.
#ifndef VHID_LINUX_BLUEZ_H
#define VHID_LINUX_BLUEZ_H

#include <systemd/sd-bus.h>

#include <map>
#include <mutex>
#include <set>
#include <string>

struct udev_device;

namespace vhid {

class bluez_presence
{
public:
    bluez_presence() = default;
    ~bluez_presence();
    bluez_presence(const bluez_presence&) = delete;
    bluez_presence& operator=(const bluez_presence&) = delete;

    // Connects to the system bus and asks for BlueZ's signals, its owner and its present devices,
    // without waiting for any answer: they come through process(), and until BlueZ's list has
    // come every device counts as connected. False when there is no system bus: then every
    // device counts as connected. A BlueZ that is not running yet is fine; it is followed from
    // when it appears.
    bool open();

    // Ends the bus connection. Not while another thread is in process().
    void close();

    // The bus connection's descriptor, the poll events to wait for on it and the poll timeout in
    // milliseconds (-1: none) for the calls under way; fd() is -1 when not open. Whoever waits on
    // it calls process() when it is ready or the timeout has passed.
    int fd() const;
    short events() const;
    int timeout_ms() const;

    // True once BlueZ's devices are known, or BlueZ is known not to run (the processing thread).
    bool ready() const { return ready_; }
    // The connection's unique name on the bus, or empty (the processing thread).
    std::string bus_name() const;

    // Handles every message that has arrived, without blocking. True when the presence of a
    // device that connected() was asked about may have changed: the caller then checks its nodes
    // again. Called by one thread at a time.
    bool process();

    // Whether the Bluetooth device with this address, as seen by the adapter with this address,
    // is connected (the HID_UNIQ and HID_PHYS of its hidraw node's HID device; the adapter may be
    // empty). True when BlueZ does not know the device or is not running: only BlueZ's word
    // that it is disconnected hides a node. Any thread; never touches the bus.
    bool connected(const std::string& device_address, const std::string& adapter_address);

private:
    struct device
    {
        std::string address; // upper case, as BlueZ writes it
        std::string adapter; // the adapter's object path
        bool connected = true;
    };

    static int on_properties_changed(sd_bus_message* m, void* self, sd_bus_error* error);
    static int on_interfaces_added(sd_bus_message* m, void* self, sd_bus_error* error);
    static int on_interfaces_removed(sd_bus_message* m, void* self, sd_bus_error* error);
    static int on_name_owner_changed(sd_bus_message* m, void* self, sd_bus_error* error);
    static int on_subscribed(sd_bus_message* m, void* self, sd_bus_error* error);
    static int on_owner(sd_bus_message* m, void* self, sd_bus_error* error);
    static int on_objects(sd_bus_message* m, void* self, sd_bus_error* error);

    bool subscribe();
    void follow_owner(const std::string& owner);
    void reload();
    bool from_bluez(sd_bus_message* m) const;
    int read_object(sd_bus_message* m, const std::string& path);
    bool watched(const std::string& address) const;
    void forget_all();

    sd_bus* bus_ = nullptr;
    sd_bus_slot* slots_[4] = {};
    sd_bus_slot* call_ = nullptr; // the call under way: GetNameOwner, then GetManagedObjects
    std::string owner_;           // BlueZ's unique name; empty when it does not run or is unknown
    bool ready_ = false;

    // Guards what connected() reads; bus_ and the slots belong to the thread in process().
    mutable std::mutex mutex_;
    std::map<std::string, device> devices_;       // by object path
    std::map<std::string, std::string> adapters_; // object path -> address
    std::set<std::string> watched_;               // addresses asked about, upper case
    bool changed_ = false;
};

// The Linux backend's one watcher: opened, processed and closed on its notification thread.
bluez_presence& bluez();

// Whether a HID device's hidraw node stands for a device that is there: false only for a
// Bluetooth device (bus 0005 in HID_ID) that BlueZ reports as disconnected. `hid_id`, `uniq`
// and `phys` are the HID device's HID_ID, HID_UNIQ (the device's address) and HID_PHYS (its
// adapter's address); any of them may be null.
bool hid_device_present(bluez_presence& presence, const char* hid_id, const char* uniq,
                        const char* phys);

// The same for a udev device of the "hid" subsystem, asking bluez().
bool hid_device_present(udev_device* hid);

} // namespace vhid

#endif
