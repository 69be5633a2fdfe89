// The Linux backend: hidraw nodes found and watched through libudev. A hidraw node carries a
// whole device, so every top-level application collection of its report descriptor is
// presented as an interface of its own, as Windows does, and a read on such an interface hands
// on only the input reports of that collection.
#include "hid_descriptor.h"
#include "vhid_backend.h"
#include "vhid_linux_bluez.h"

#include <libudev.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <poll.h>
#include <set>
#include <string>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr const char* udev_rule = "/usr/lib/udev/rules.d/70-velquin-plus.rules";
constexpr size_t max_report_size = 16384; // the kernel's largest HID report buffer

// What a read handle needs to frame and filter its node's reports.
struct open_handle
{
    int cancel_fd = -1;
    std::shared_ptr<const vhid::hid_descriptor> descriptor;
    int collection = -1;
};

struct linux_state
{
    std::mutex mutex;
    // By node and device name, from the last listing.
    std::map<std::string, std::shared_ptr<const vhid::hid_descriptor>> descriptors;
    std::map<int, open_handle> handles;      // by file descriptor
    std::set<std::string> permission_hinted; // nodes already logged

    std::thread thread;
    int wake_fd = -1; // eventfd that wakes the notification thread for one of these:
    std::atomic<bool> cancelled{false};
    std::atomic<bool> stopping{false};
    std::atomic<bool> rescan{false};
    std::atomic<const char*> source{""}; // "udev" or "kernel"
    vhid::notify_fn notify = nullptr;
};

linux_state& state()
{
    static linux_state* s = new linux_state;
    return *s;
}

// An interface path: "<node>@<HID device name>#<collection>", e.g.
// "/dev/hidraw3@0005:08E6:0001.000A#3". The device name's instance number is never reused, so
// a replugged device gets new paths even when its node name comes back.
std::string node_of(const std::string& path)
{
    return path.substr(0, path.find('@'));
}

std::string device_of(const std::string& path)
{
    return path.substr(0, path.find('#'));
}

int collection_of(const std::string& path)
{
    const auto hash = path.rfind('#');
    return hash == std::string::npos ? -1 : std::atoi(path.c_str() + hash + 1);
}

bool read_file(const std::string& file, std::vector<uint8_t>& out)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    out.resize(vhid::max_descriptor_size + 1);
    size_t got = 0;
    for (;;) {
        const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += size_t(n);
        if (got == out.size())
            break;
    }
    ::close(fd);
    out.resize(got);
    return got > 0;
}

// The node's HID device: bus, vendor and product from HID_ID ("0005:000008E6:00000001").
bool hid_identity(udev_device* hid, uint16_t& vendor, uint16_t& product)
{
    const char* id = udev_device_get_property_value(hid, "HID_ID");
    unsigned bus = 0, v = 0, p = 0;
    if (!id || std::sscanf(id, "%x:%x:%x", &bus, &v, &p) != 3)
        return false;
    vendor = uint16_t(v);
    product = uint16_t(p);
    return true;
}

void list_node(udev_device* raw, std::vector<vhid::iface_info>& out,
               std::map<std::string, std::shared_ptr<const vhid::hid_descriptor>>& descriptors)
{
    const char* node = udev_device_get_devnode(raw);
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(raw, "hid", nullptr);
    uint16_t vendor, product;
    if (!node || !hid || !hid_identity(hid, vendor, product))
        return;
    // BlueZ keeps a disconnected Bluetooth device's node: listed, but as not there.
    const bool disconnected = !vhid::hid_device_present(hid);
    std::vector<uint8_t> bytes;
    vhid::hid_descriptor descriptor;
    const std::string file = std::string(udev_device_get_syspath(hid)) + "/report_descriptor";
    if (!read_file(file, bytes) ||
        !vhid::parse_hid_descriptor(bytes.data(), bytes.size(), descriptor)) {
        std::fprintf(stderr, "vhid: cannot read the report descriptor of %s\n", node);
        return;
    }
    const std::string device = std::string(node) + "@" + udev_device_get_sysname(hid);
    for (size_t i = 0; i < descriptor.collections.size(); ++i) {
        const vhid::hid_collection& c = descriptor.collections[i];
        vhid::iface_info info;
        info.path = device + "#" + std::to_string(i);
        info.vendor_id = vendor;
        info.product_id = product;
        info.usage_page = c.usage_page;
        info.input_report_len = c.input_report_len;
        info.output_report_len = c.output_report_len;
        info.disconnected = disconnected;
        out.push_back(std::move(info));
    }
    descriptors[device] = std::make_shared<const vhid::hid_descriptor>(std::move(descriptor));
}

bool linux_enumerate(std::vector<vhid::iface_info>& out)
{
    udev* u = udev_new();
    if (!u)
        return false;
    udev_enumerate* e = udev_enumerate_new(u);
    if (!e || udev_enumerate_add_match_subsystem(e, "hidraw") < 0 ||
        udev_enumerate_scan_devices(e) < 0) {
        udev_enumerate_unref(e);
        udev_unref(u);
        return false;
    }
    std::map<std::string, std::shared_ptr<const vhid::hid_descriptor>> descriptors;
    udev_list_entry* entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e))
    {
        udev_device* raw = udev_device_new_from_syspath(u, udev_list_entry_get_name(entry));
        if (!raw)
            continue;
        list_node(raw, out, descriptors);
        udev_device_unref(raw);
    }
    udev_enumerate_unref(e);
    udev_unref(u);
    linux_state& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.descriptors = std::move(descriptors);
    return true;
}

void hint_permission(const std::string& node, const std::string& device)
{
    linux_state& s = state();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (!s.permission_hinted.insert(device).second)
            return;
    }
    std::fprintf(stderr,
                 "vhid: no permission to open %s; install the udev rule %s (README.md, "
                 "\"Installing on Linux\") and plug the device in again\n",
                 node.c_str(), udev_rule);
}

// Linux has no share modes: the sharing rule is Windows' own, so `share` is not needed here.
vhid_handle_t linux_open(const vhid::iface_info& iface, uint32_t access, uint32_t,
                         vhid::open_error& error)
{
    const std::string node = node_of(iface.path);
    const bool reading = access & vhid::access_read;
    const int fd = ::open(node.c_str(), (reading ? O_RDONLY : O_WRONLY) | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        error.message = std::strerror(code);
        error.problem = VHID_PROBLEM_OPEN_FAILED;
        if (code == EACCES || code == EPERM) {
            error.problem = VHID_PROBLEM_NO_PERMISSION;
            hint_permission(node, device_of(iface.path));
        }
        return VHID_INVALID_HANDLE;
    }
    open_handle h;
    if (reading) {
        h.cancel_fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (h.cancel_fd < 0) {
            error.message = std::strerror(errno);
            ::close(fd);
            return VHID_INVALID_HANDLE;
        }
    }
    linux_state& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto d = s.descriptors.find(device_of(iface.path));
    if (d != s.descriptors.end()) {
        h.descriptor = d->second;
        h.collection = collection_of(iface.path);
    }
    s.handles[fd] = std::move(h);
    return fd;
}

// Blocks on the node and the handle's cancel event; a report of another collection of the
// same node is skipped.
int32_t linux_read(vhid_handle_t handle, uint8_t* buffer, int32_t length)
{
    const int fd = int(handle);
    int cancel_fd;
    std::shared_ptr<const vhid::hid_descriptor> descriptor;
    int collection;
    {
        linux_state& s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        auto it = s.handles.find(fd);
        if (it == s.handles.end() || it->second.cancel_fd < 0 || !it->second.descriptor)
            return -1;
        cancel_fd = it->second.cancel_fd;
        descriptor = it->second.descriptor;
        collection = it->second.collection;
    }
    uint8_t report[max_report_size];
    for (;;) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {cancel_fd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (fds[1].revents)
            return -1;
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return -1;
        const ssize_t n = ::read(fd, report, sizeof report);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0) // 0 is the end of the node, not an empty report
            return -1;
        const int32_t framed =
            vhid::frame_input_report(*descriptor, collection, report, size_t(n), buffer, length);
        if (framed > 0)
            return framed;
    }
}

void linux_cancel(vhid_handle_t handle)
{
    linux_state& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.handles.find(int(handle));
    if (it != s.handles.end() && it->second.cancel_fd >= 0) {
        const uint64_t one = 1;
        if (::write(it->second.cancel_fd, &one, sizeof one) < 0)
            std::fprintf(stderr, "vhid: cannot wake a reader: %s\n", std::strerror(errno));
    }
}

int32_t linux_write(vhid_handle_t handle, const uint8_t* data, int32_t length)
{
    for (;;) {
        const ssize_t n = ::write(int(handle), data, size_t(length));
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 ? 0 : int32_t(n);
    }
}

void linux_close(vhid_handle_t handle)
{
    linux_state& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.handles.find(int(handle));
    if (it != s.handles.end()) {
        if (it->second.cancel_fd >= 0)
            ::close(it->second.cancel_fd);
        s.handles.erase(it);
    }
    ::close(int(handle));
}

bool linux_alive(vhid_handle_t handle)
{
    pollfd p = {int(handle), 0, 0};
    return ::poll(&p, 1, 0) >= 0 && !(p.revents & (POLLERR | POLLHUP | POLLNVAL));
}

// The "udev" source fires after udevd has applied permissions; without a udev daemon (a
// container, an initramfs) only the kernel's own messages come.
udev_monitor* open_monitor(udev* u)
{
    const bool udevd = ::access("/run/udev/control", F_OK) == 0;
    const char* source = udevd ? "udev" : "kernel";
    state().source.store(source);
    udev_monitor* m = udev_monitor_new_from_netlink(u, source);
    if (!m)
        return nullptr;
    if (udev_monitor_filter_add_match_subsystem_devtype(m, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m) < 0) {
        udev_monitor_unref(m);
        return nullptr;
    }
    return m;
}

void run_notifications(udev* u, udev_monitor* monitor)
{
    vhid::name_thread("vhid-notify");
    linux_state& s = state();
    // A change of a Bluetooth device's Connected is checked like an arrival or a removal. BlueZ
    // is asked here, not on the thread that starts the layer, and answers when it can: a slow
    // or absent BlueZ holds nothing up.
    vhid::bluez_presence& bluez = vhid::bluez();
    bluez.open();
    for (;;) {
        if (bluez.process())
            s.notify(vhid::msg_device_change, vhid::event_arrival, 0);
        // poll() skips the entries whose descriptor is -1.
        pollfd fds[3] = {{s.wake_fd, POLLIN, 0},
                         {monitor ? udev_monitor_get_fd(monitor) : -1, POLLIN, 0},
                         {bluez.fd(), bluez.events(), 0}};
        if (::poll(fds, 3, bluez.timeout_ms()) < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "vhid: the device watch failed: %s\n", std::strerror(errno));
            break;
        }
        if (fds[0].revents) {
            uint64_t count;
            if (::read(s.wake_fd, &count, sizeof count) < 0)
                std::fprintf(stderr, "vhid: %s\n", std::strerror(errno));
            if (s.stopping.load())
                break;
            if (s.rescan.exchange(false))
                s.notify(vhid::msg_device_change, vhid::event_arrival, 0);
            if (s.cancelled.load() && monitor) { // the thread stays, the registration goes
                monitor = udev_monitor_unref(monitor);
                bluez.close();
            }
            continue;
        }
        if (!monitor || !fds[1].revents)
            continue;
        udev_device* dev = udev_monitor_receive_device(monitor);
        if (!dev)
            continue;
        const char* action = udev_device_get_action(dev);
        // A "change" is what re-applying the udev rules sends: the node's access may be new.
        if (action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "change") == 0))
            s.notify(vhid::msg_device_change, vhid::event_arrival, 0);
        else if (action && std::strcmp(action, "remove") == 0)
            s.notify(vhid::msg_device_change, vhid::event_removal, 0);
        udev_device_unref(dev);
    }
    if (monitor)
        udev_monitor_unref(monitor);
    bluez.close();
    udev_unref(u);
}

bool linux_start(vhid::notify_fn notify)
{
    linux_state& s = state();
    udev* u = udev_new();
    if (!u)
        return false;
    udev_monitor* monitor = open_monitor(u);
    s.wake_fd = ::eventfd(0, EFD_CLOEXEC);
    if (!monitor || s.wake_fd < 0) {
        if (monitor)
            udev_monitor_unref(monitor);
        if (s.wake_fd >= 0)
            ::close(s.wake_fd);
        s.wake_fd = -1;
        udev_unref(u);
        return false;
    }
    s.notify = notify;
    s.cancelled.store(false);
    s.stopping.store(false);
    s.thread = std::thread(run_notifications, u, monitor);
    return true;
}

void wake()
{
    linux_state& s = state();
    const uint64_t one = 1;
    if (s.wake_fd >= 0 && ::write(s.wake_fd, &one, sizeof one) < 0)
        std::fprintf(stderr, "vhid: cannot wake the device watch: %s\n", std::strerror(errno));
}

void linux_cancel_notifications()
{
    state().cancelled.store(true);
    wake();
}

void linux_stop()
{
    linux_state& s = state();
    s.stopping.store(true);
    wake();
    if (s.thread.joinable())
        s.thread.join();
    if (s.wake_fd >= 0)
        ::close(s.wake_fd);
    s.wake_fd = -1;
}

void linux_rescan()
{
    state().rescan.store(true);
    wake();
}

const char* linux_event_source()
{
    return state().source.load();
}

bool linux_watching()
{
    linux_state& s = state();
    return s.thread.joinable() && !s.cancelled.load() && !s.stopping.load();
}

const vhid::backend linux_table = {
    "hidraw",    linux_enumerate, linux_open,   linux_read,         linux_cancel,
    linux_write, linux_close,     linux_alive,  linux_start,        linux_cancel_notifications,
    linux_stop,  linux_watching,  linux_rescan, linux_event_source,
};

} // namespace

const vhid::backend& vhid::platform_backend()
{
    return linux_table;
}
