#include "vhid_linux_bluez.h"

#include <libudev.h>
#include <systemd/sd-bus.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace vhid {
namespace {

constexpr const char* bluez_service = "org.bluez";
constexpr const char* bus_service = "org.freedesktop.DBus";
constexpr const char* device_iface = "org.bluez.Device1";
constexpr const char* adapter_iface = "org.bluez.Adapter1";
// Until BlueZ answers, its devices count as connected; a hung BlueZ is given up after this.
constexpr uint64_t call_timeout_us = 5000000;

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void log_failure(const char* what, int error)
{
    std::fprintf(stderr, "vhid: Bluetooth presence: %s (%s)\n", what, std::strerror(-error));
}

// What one a{sv} property dictionary of a BlueZ device or adapter says.
struct properties
{
    bool has_address = false, has_adapter = false, has_connected = false;
    std::string address, adapter;
    bool connected = false;
};

// Walks a dictionary whose entries have the given signature; `entry` reads (or skips) one entry.
template <typename Entry>
int read_dictionary(sd_bus_message* m, const char* entry_signature, Entry entry)
{
    const std::string array = std::string("{") + entry_signature + "}";
    int r = sd_bus_message_enter_container(m, 'a', array.c_str());
    if (r < 0)
        return r;
    while ((r = sd_bus_message_enter_container(m, 'e', entry_signature)) > 0)
        if ((r = entry()) < 0 || (r = sd_bus_message_exit_container(m)) < 0)
            return r;
    if (r < 0)
        return r;
    return sd_bus_message_exit_container(m);
}

// Reads a{sv}, keeping the three properties that matter; a value of an unexpected type is skipped.
int read_properties(sd_bus_message* m, properties& out)
{
    return read_dictionary(m, "sv", [&]() -> int {
        int r;
        const char* key = nullptr;
        if ((r = sd_bus_message_read(m, "s", &key)) < 0)
            return r;
        const char* contents = nullptr;
        if ((r = sd_bus_message_peek_type(m, nullptr, &contents)) < 0)
            return r;
        const bool is_string = contents && std::strcmp(contents, "s") == 0;
        const bool is_path = contents && std::strcmp(contents, "o") == 0;
        const bool is_bool = contents && std::strcmp(contents, "b") == 0;
        if (std::strcmp(key, "Address") == 0 && is_string) {
            const char* value = nullptr;
            if ((r = sd_bus_message_read(m, "v", "s", &value)) < 0)
                return r;
            out.address = upper(value);
            out.has_address = true;
        } else if (std::strcmp(key, "Adapter") == 0 && is_path) {
            const char* value = nullptr;
            if ((r = sd_bus_message_read(m, "v", "o", &value)) < 0)
                return r;
            out.adapter = value;
            out.has_adapter = true;
        } else if (std::strcmp(key, "Connected") == 0 && is_bool) {
            int value = 0;
            if ((r = sd_bus_message_read(m, "v", "b", &value)) < 0)
                return r;
            out.connected = value != 0;
            out.has_connected = true;
        } else if ((r = sd_bus_message_skip(m, "v")) < 0) {
            return r;
        }
        return 0;
    });
}

} // namespace

bluez_presence::~bluez_presence()
{
    close();
}

bool bluez_presence::open()
{
    close();
    // Connects without waiting: the handshake and every call below go on in process().
    int r = sd_bus_open_system(&bus_);
    if (r < 0) {
        bus_ = nullptr;
        log_failure("no system bus; Bluetooth devices count as connected", r);
        return false;
    }
    sd_bus_set_method_call_timeout(bus_, call_timeout_us);
    if (!subscribe()) {
        close();
        return false;
    }
    // The owner is asked after subscribing, so that no change of it can fall in between.
    r = sd_bus_call_method_async(bus_, &call_, bus_service, "/org/freedesktop/DBus", bus_service,
                                 "GetNameOwner", on_owner, this, "s", bluez_service);
    if (r < 0) {
        log_failure("cannot ask for BlueZ", r);
        close();
        return false;
    }
    return true;
}

void bluez_presence::close()
{
    call_ = sd_bus_slot_unref(call_);
    for (sd_bus_slot*& slot : slots_)
        slot = sd_bus_slot_unref(slot);
    if (bus_)
        bus_ = sd_bus_flush_close_unref(bus_);
    owner_.clear();
    ready_ = false;
    std::lock_guard<std::mutex> lock(mutex_);
    devices_.clear();
    adapters_.clear();
}

int bluez_presence::fd() const
{
    return bus_ ? sd_bus_get_fd(bus_) : -1;
}

short bluez_presence::events() const
{
    const int events = bus_ ? sd_bus_get_events(bus_) : 0;
    return static_cast<short>(events < 0 ? 0 : events);
}

int bluez_presence::timeout_ms() const
{
    uint64_t at = UINT64_MAX;
    if (!bus_ || sd_bus_get_timeout(bus_, &at) < 0 || at == UINT64_MAX)
        return -1;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t now_us = uint64_t(now.tv_sec) * 1000000 + uint64_t(now.tv_nsec) / 1000;
    return at <= now_us ? 0 : int(std::min<uint64_t>((at - now_us + 999) / 1000, 60000));
}

std::string bluez_presence::bus_name() const
{
    const char* name = nullptr;
    return bus_ && sd_bus_get_unique_name(bus_, &name) >= 0 && name ? name : "";
}

bool bluez_presence::subscribe()
{
    // The bus daemon matches the well-known sender name against the sender's current owner, but
    // only for broadcasts: each handler checks the sender itself.
    static const char* const rules[] = {
        "type='signal',sender='org.bluez',interface='org.freedesktop.DBus.Properties',"
        "member='PropertiesChanged',arg0='org.bluez.Device1'",
        "type='signal',sender='org.bluez',interface='org.freedesktop.DBus.ObjectManager',"
        "member='InterfacesAdded'",
        "type='signal',sender='org.bluez',interface='org.freedesktop.DBus.ObjectManager',"
        "member='InterfacesRemoved'",
        "type='signal',sender='org.freedesktop.DBus',interface='org.freedesktop.DBus',"
        "member='NameOwnerChanged',arg0='org.bluez'",
    };
    static const sd_bus_message_handler_t handlers[] = {
        on_properties_changed, on_interfaces_added, on_interfaces_removed, on_name_owner_changed};
    for (size_t i = 0; i < 4; ++i) {
        const int r =
            sd_bus_add_match_async(bus_, &slots_[i], rules[i], handlers[i], on_subscribed, this);
        if (r < 0) {
            log_failure("cannot subscribe to BlueZ's signals", r);
            return false;
        }
    }
    return true;
}

int bluez_presence::on_subscribed(sd_bus_message* m, void*, sd_bus_error*)
{
    if (sd_bus_message_is_method_error(m, nullptr))
        log_failure("cannot subscribe to BlueZ's signals",
                    -sd_bus_error_get_errno(sd_bus_message_get_error(m)));
    return 0;
}

int bluez_presence::on_owner(sd_bus_message* m, void* self_ptr, sd_bus_error*)
{
    auto* self = static_cast<bluez_presence*>(self_ptr);
    const char* owner = nullptr;
    if (sd_bus_message_is_method_error(m, nullptr) || sd_bus_message_read(m, "s", &owner) < 0)
        owner = ""; // NameHasNoOwner: BlueZ does not run
    self->follow_owner(owner);
    return 0;
}

// Believes `owner` from now on: reads its devices, or forgets them all when BlueZ has gone.
void bluez_presence::follow_owner(const std::string& owner)
{
    owner_ = owner;
    call_ = sd_bus_slot_unref(call_); // an answer for an earlier owner no longer counts
    forget_all();
    if (owner_.empty())
        ready_ = true;
    else
        reload();
}

bool bluez_presence::from_bluez(sd_bus_message* m) const
{
    const char* sender = sd_bus_message_get_sender(m);
    return sender && !owner_.empty() && owner_ == sender;
}

void bluez_presence::reload()
{
    sd_bus_message* call = nullptr;
    // Asked of the owner itself, so the answer is BlueZ's; asking must not start BlueZ.
    int r =
        sd_bus_message_new_method_call(bus_, &call, owner_.c_str(), "/",
                                       "org.freedesktop.DBus.ObjectManager", "GetManagedObjects");
    if (r >= 0)
        r = sd_bus_message_set_auto_start(call, 0);
    if (r >= 0)
        r = sd_bus_call_async(bus_, &call_, call, on_objects, this, 0);
    sd_bus_message_unref(call);
    if (r < 0) {
        log_failure("cannot list BlueZ's devices", r);
        ready_ = true;
    }
}

int bluez_presence::on_objects(sd_bus_message* m, void* self_ptr, sd_bus_error*)
{
    auto* self = static_cast<bluez_presence*>(self_ptr);
    self->call_ = sd_bus_slot_unref(self->call_);
    self->ready_ = true;
    if (sd_bus_message_is_method_error(m, nullptr)) {
        const sd_bus_error* error = sd_bus_message_get_error(m);
        // Gone meanwhile: its NameOwnerChanged follows. Anything else is worth a line.
        if (!sd_bus_error_has_name(error, SD_BUS_ERROR_SERVICE_UNKNOWN) &&
            !sd_bus_error_has_name(error, SD_BUS_ERROR_NAME_HAS_NO_OWNER))
            std::fprintf(stderr, "vhid: Bluetooth presence: cannot list BlueZ's devices (%s)\n",
                         error && error->message ? error->message : "no answer");
        return 0;
    }
    const int r = read_dictionary(m, "oa{sa{sv}}", [&]() -> int {
        const char* path = nullptr;
        const int read = sd_bus_message_read(m, "o", &path);
        return read < 0 ? read : self->read_object(m, path);
    });
    if (r < 0)
        log_failure("cannot read BlueZ's device list", r);
    return 0;
}

// Reads the a{sa{sv}} of one object, as GetManagedObjects and InterfacesAdded give it.
int bluez_presence::read_object(sd_bus_message* m, const std::string& path)
{
    return read_dictionary(m, "sa{sv}", [&]() -> int {
        const char* iface = nullptr;
        int r = sd_bus_message_read(m, "s", &iface);
        if (r < 0)
            return r;
        const bool is_device = std::strcmp(iface, device_iface) == 0;
        const bool is_adapter = std::strcmp(iface, adapter_iface) == 0;
        if (!is_device && !is_adapter)
            return sd_bus_message_skip(m, "a{sv}");
        properties props;
        if ((r = read_properties(m, props)) < 0)
            return r;
        std::lock_guard<std::mutex> lock(mutex_);
        if (is_adapter && props.has_address) {
            adapters_[path] = props.address;
        } else if (is_device && props.has_address) {
            device& dev = devices_[path];
            dev.address = props.address;
            dev.adapter = props.has_adapter ? props.adapter : std::string();
            dev.connected = !props.has_connected || props.connected;
            if (watched(dev.address))
                changed_ = true;
        }
        return 0;
    });
}

int bluez_presence::on_properties_changed(sd_bus_message* m, void* self_ptr, sd_bus_error*)
{
    auto* self = static_cast<bluez_presence*>(self_ptr);
    if (!self->from_bluez(m))
        return 0;
    const char* iface = nullptr;
    properties props;
    int r = sd_bus_message_read(m, "s", &iface);
    if (r >= 0)
        r = read_properties(m, props);
    if (r < 0) {
        log_failure("unreadable PropertiesChanged signal", r);
        return 0;
    }
    // Connected among the invalidated properties: no longer known, so no longer hides the node.
    bool invalidated = false;
    if (sd_bus_message_enter_container(m, 'a', "s") > 0) {
        const char* name = nullptr;
        while (sd_bus_message_read(m, "s", &name) > 0)
            invalidated = invalidated || std::strcmp(name, "Connected") == 0;
    }
    if (!props.has_connected && !invalidated)
        return 0;

    std::lock_guard<std::mutex> lock(self->mutex_);
    auto it = self->devices_.find(sd_bus_message_get_path(m));
    if (it == self->devices_.end())
        return 0;
    const bool connected = props.has_connected ? props.connected : true;
    if (it->second.connected != connected) {
        it->second.connected = connected;
        if (self->watched(it->second.address))
            self->changed_ = true;
    }
    return 0;
}

int bluez_presence::on_interfaces_added(sd_bus_message* m, void* self_ptr, sd_bus_error*)
{
    auto* self = static_cast<bluez_presence*>(self_ptr);
    if (!self->from_bluez(m))
        return 0;
    const char* path = nullptr;
    int r = sd_bus_message_read(m, "o", &path);
    if (r >= 0)
        r = self->read_object(m, path);
    if (r < 0)
        log_failure("unreadable InterfacesAdded signal", r);
    return 0;
}

int bluez_presence::on_interfaces_removed(sd_bus_message* m, void* self_ptr, sd_bus_error*)
{
    auto* self = static_cast<bluez_presence*>(self_ptr);
    if (!self->from_bluez(m))
        return 0;
    const char* path = nullptr;
    int r = sd_bus_message_read(m, "o", &path);
    if (r >= 0)
        r = sd_bus_message_enter_container(m, 'a', "s");
    if (r < 0) {
        log_failure("unreadable InterfacesRemoved signal", r);
        return 0;
    }
    const char* iface = nullptr;
    std::lock_guard<std::mutex> lock(self->mutex_);
    while (sd_bus_message_read(m, "s", &iface) > 0) {
        if (std::strcmp(iface, adapter_iface) == 0) {
            self->adapters_.erase(path);
        } else if (std::strcmp(iface, device_iface) == 0) {
            auto it = self->devices_.find(path);
            if (it == self->devices_.end())
                continue;
            if (self->watched(it->second.address))
                self->changed_ = true;
            self->devices_.erase(it);
        }
    }
    return 0;
}

int bluez_presence::on_name_owner_changed(sd_bus_message* m, void* self_ptr, sd_bus_error*)
{
    auto* self = static_cast<bluez_presence*>(self_ptr);
    const char* sender = sd_bus_message_get_sender(m);
    const char *name = nullptr, *old_owner = nullptr, *new_owner = nullptr;
    if (!sender || std::strcmp(sender, bus_service) != 0 ||
        sd_bus_message_read(m, "sss", &name, &old_owner, &new_owner) < 0 ||
        std::strcmp(name, bluez_service) != 0)
        return 0;
    // A restarted BlueZ sends no signal for the devices it already knows: read them again.
    self->follow_owner(new_owner);
    return 0;
}

void bluez_presence::forget_all()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& entry : devices_)
        if (watched(entry.second.address))
            changed_ = true;
    devices_.clear();
    adapters_.clear();
}

bool bluez_presence::process()
{
    if (!bus_)
        return false;
    for (;;) {
        const int r = sd_bus_process(bus_, nullptr);
        if (r == 0)
            break;
        if (r < 0) {
            // The bus is gone: without BlueZ's word every device counts as connected again.
            log_failure("lost the system bus; Bluetooth devices count as connected", r);
            close();
            std::lock_guard<std::mutex> lock(mutex_);
            changed_ = true;
            break;
        }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

bool bluez_presence::watched(const std::string& address) const
{
    return watched_.count(address) != 0;
}

bool bluez_presence::connected(const std::string& device_address,
                               const std::string& adapter_address)
{
    const std::string address = upper(device_address);
    const std::string adapter = upper(adapter_address);
    std::lock_guard<std::mutex> lock(mutex_);
    watched_.insert(address);
    // The node's adapter narrows the choice only when BlueZ knows it.
    std::string adapter_path;
    for (const auto& entry : adapters_)
        if (entry.second == adapter)
            adapter_path = entry.first;
    bool known = false;
    for (const auto& entry : devices_) {
        const device& dev = entry.second;
        if (dev.address != address || (!adapter_path.empty() && dev.adapter != adapter_path))
            continue;
        if (dev.connected)
            return true;
        known = true;
    }
    return !known;
}

bluez_presence& bluez()
{
    static bluez_presence* presence = new bluez_presence; // outlives every thread
    return *presence;
}

bool hid_device_present(bluez_presence& presence, const char* hid_id, const char* uniq,
                        const char* phys)
{
    unsigned bus = 0;
    if (!hid_id || std::sscanf(hid_id, "%x:", &bus) != 1 || bus != 0x0005 || !uniq || !*uniq)
        return true;
    // HID_PHYS is the adapter's address for Bluetooth; anything else names no adapter.
    std::string adapter = phys ? phys : "";
    if (adapter.size() != 17)
        adapter.clear();
    return presence.connected(uniq, adapter);
}

bool hid_device_present(udev_device* hid)
{
    return hid_device_present(bluez(), udev_device_get_property_value(hid, "HID_ID"),
                              udev_device_get_property_value(hid, "HID_UNIQ"),
                              udev_device_get_property_value(hid, "HID_PHYS"));
}

} // namespace vhid
