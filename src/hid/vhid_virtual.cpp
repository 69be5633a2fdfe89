// The virtual HID bus: interfaces plugged by test code, opened, read and written by the core as
// the system's own would be, with Windows' sharing rules and injectable faults.
#include "vhid_virtual.h"
#include "vhid_backend.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Reports queued per open read handle before newer ones are dropped, as hidraw does.
constexpr size_t max_queued_reports = 64;
// Device-change messages waiting for the notification thread before senders wait.
constexpr size_t max_queued_messages = 256;

struct vif
{
    vhid_virtual_iface info;
    vhid_virtual_output_fn on_output;
    void* user;
    uint32_t faults = 0;
};

struct vhandle
{
    int32_t iface;
    uint32_t access;
    uint32_t share;
    std::deque<std::vector<uint8_t>> queue;
    std::condition_variable arrived;
    bool cancelled = false;
    bool gone = false;        // the interface was unplugged
    bool zero_at_end = false; // ... and its reads now give 0 bytes
};

struct bus
{
    std::atomic<bool> selected{false};

    std::mutex mutex;
    std::map<int32_t, vif> ifaces;
    std::map<vhid_handle_t, std::shared_ptr<vhandle>> handles;
    int32_t next_iface = 0;
    vhid_handle_t next_handle = 1;
    uint32_t bus_faults = 0;
    uint32_t read_us = 0;
    uint32_t write_us = 0;

    // The notification thread and its message queue.
    std::mutex nmutex;
    std::condition_variable nchanged;
    std::deque<uintptr_t> messages;
    std::thread thread;
    std::thread::id thread_id;
    vhid::notify_fn notify = nullptr;
    bool running = false;
    bool registered = false;
    uint64_t posted = 0;
    uint64_t handled = 0;
};

bus& the_bus()
{
    static bus* b = new bus;
    return *b;
}

std::string path_of(int32_t iface)
{
    return "virtual:" + std::to_string(iface);
}

int32_t iface_of(const std::string& path)
{
    const std::string prefix = "virtual:";
    if (path.compare(0, prefix.size(), prefix) != 0)
        return -1;
    return int32_t(std::strtol(path.c_str() + prefix.size(), nullptr, 10));
}

void pause_us(uint32_t us)
{
    if (us)
        std::this_thread::sleep_for(std::chrono::microseconds(us));
}

uint32_t needed_share(uint32_t access)
{
    uint32_t share = 0;
    if (access & vhid::access_read)
        share |= vhid::share_read;
    if (access & vhid::access_write)
        share |= vhid::share_write;
    return share;
}

void post(uintptr_t event)
{
    bus& b = the_bus();
    std::unique_lock<std::mutex> lock(b.nmutex);
    if (!b.registered)
        return;
    if (std::this_thread::get_id() != b.thread_id)
        b.nchanged.wait(lock,
                        [&] { return b.messages.size() < max_queued_messages || !b.registered; });
    if (!b.registered)
        return;
    b.messages.push_back(event);
    ++b.posted;
    b.nchanged.notify_all();
}

void run_notifications()
{
    vhid::name_thread("vhid-notify");
    bus& b = the_bus();
    std::unique_lock<std::mutex> lock(b.nmutex);
    for (;;) {
        b.nchanged.wait(lock, [&] { return !b.messages.empty() || !b.running; });
        if (!b.running)
            break;
        const uintptr_t event = b.messages.front();
        b.messages.pop_front();
        const vhid::notify_fn notify = b.notify;
        b.nchanged.notify_all(); // room for a waiting sender
        lock.unlock();
        notify(vhid::msg_device_change, event, 0);
        lock.lock();
        ++b.handled;
        b.nchanged.notify_all();
    }
}

// Drops queued messages as handled, so that settle does not wait for them.
void forget_messages(bus& b)
{
    b.handled += b.messages.size();
    b.messages.clear();
    b.nchanged.notify_all();
}

bool bus_enumerate(std::vector<vhid::iface_info>& out)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.mutex);
    if (b.bus_faults & VHID_VIRTUAL_FAULT_LIST)
        return false;
    for (const auto& [id, f] : b.ifaces) {
        if (f.faults & VHID_VIRTUAL_FAULT_PROBE)
            continue;
        vhid::iface_info i;
        i.path = path_of(id);
        i.vendor_id = f.info.vendor_id;
        i.product_id = f.info.product_id;
        i.usage_page = f.info.usage_page;
        i.input_report_len = f.info.input_report_len;
        i.output_report_len = f.info.output_report_len;
        i.disconnected = (f.faults | b.bus_faults) & VHID_VIRTUAL_FAULT_DISCONNECTED;
        out.push_back(std::move(i));
    }
    return true;
}

vhid_handle_t bus_open(const vhid::iface_info& info, uint32_t access, uint32_t share,
                       vhid::open_error& error)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.mutex);
    const int32_t id = iface_of(info.path);
    auto f = b.ifaces.find(id);
    if (f == b.ifaces.end()) {
        error.message = "No such device";
        return VHID_INVALID_HANDLE;
    }
    const uint32_t faults = f->second.faults | b.bus_faults; // the bus's apply to every one
    if (faults & VHID_VIRTUAL_FAULT_DENIED) {
        error.problem = VHID_PROBLEM_NO_PERMISSION;
        error.message = "Permission denied";
        return VHID_INVALID_HANDLE;
    }
    if (faults & VHID_VIRTUAL_FAULT_OPEN) {
        error.message = "Input/output error";
        return VHID_INVALID_HANDLE;
    }
    for (const auto& [h, open] : b.handles) {
        if (open->iface != id)
            continue;
        if ((needed_share(access) & ~open->share) || (needed_share(open->access) & ~share)) {
            error.message = "The device is in use by another program";
            return VHID_INVALID_HANDLE; // a sharing violation, as Windows reports it
        }
    }
    auto h = std::make_shared<vhandle>();
    h->iface = id;
    h->access = access;
    h->share = share;
    const vhid_handle_t handle = b.next_handle++;
    b.handles.emplace(handle, std::move(h));
    return handle;
}

int32_t bus_read(vhid_handle_t handle, uint8_t* buffer, int32_t length)
{
    bus& b = the_bus();
    std::unique_lock<std::mutex> lock(b.mutex);
    auto it = b.handles.find(handle);
    if (it == b.handles.end())
        return -1;
    std::shared_ptr<vhandle> h = it->second;
    auto zero_read = [&] {
        auto f = b.ifaces.find(h->iface);
        return f != b.ifaces.end() && (f->second.faults & VHID_VIRTUAL_FAULT_ZERO_READ);
    };
    h->arrived.wait(lock,
                    [&] { return h->cancelled || !h->queue.empty() || h->gone || zero_read(); });
    if (!h->cancelled && zero_read()) {
        b.ifaces[h->iface].faults &= ~uint32_t(VHID_VIRTUAL_FAULT_ZERO_READ);
        return 0;
    }
    if (h->cancelled)
        return -1;
    if (h->queue.empty())
        return h->zero_at_end ? 0 : -1;
    const std::vector<uint8_t> report = std::move(h->queue.front());
    h->queue.pop_front();
    const uint32_t delay = b.read_us;
    lock.unlock();
    const int32_t n = std::min(length, int32_t(report.size()));
    std::copy(report.begin(), report.begin() + n, buffer);
    pause_us(delay);
    return n;
}

void bus_cancel(vhid_handle_t handle)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.mutex);
    auto it = b.handles.find(handle);
    if (it == b.handles.end())
        return;
    it->second->cancelled = true;
    it->second->arrived.notify_all();
}

int32_t bus_write(vhid_handle_t handle, const uint8_t* data, int32_t length)
{
    bus& b = the_bus();
    std::unique_lock<std::mutex> lock(b.mutex);
    auto it = b.handles.find(handle);
    if (it == b.handles.end() || !(it->second->access & vhid::access_write))
        return 0;
    const std::shared_ptr<vhandle> h = it->second;
    // The link's delay comes before the device has the report; a cancel or an unplug ends it.
    const auto stopped = [&] { return h->cancelled || h->gone; };
    if (b.write_us > 0)
        h->arrived.wait_for(lock, std::chrono::microseconds(b.write_us), stopped);
    if (stopped())
        return 0;
    const vif& f = b.ifaces.at(h->iface);
    if (f.faults & VHID_VIRTUAL_FAULT_WRITE)
        return 0;
    const int32_t n = (f.faults & VHID_VIRTUAL_FAULT_SHORT_WRITE) ? length - 1 : length;
    const vhid_virtual_output_fn on_output = f.on_output;
    void* user = f.user;
    const int32_t id = h->iface;
    lock.unlock();
    if (on_output && n > 0)
        on_output(user, id, data, n);
    return n;
}

void bus_close(vhid_handle_t handle)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.mutex);
    b.handles.erase(handle);
}

bool bus_alive(vhid_handle_t handle)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.mutex);
    auto it = b.handles.find(handle);
    return it != b.handles.end() && !it->second->gone;
}

bool bus_start(vhid::notify_fn notify)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.nmutex);
    b.notify = notify;
    b.running = true;
    b.registered = true;
    b.thread = std::thread(run_notifications);
    b.thread_id = b.thread.get_id();
    return true;
}

void bus_cancel_notifications()
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.nmutex);
    b.registered = false;
    forget_messages(b);
}

void bus_stop()
{
    bus& b = the_bus();
    {
        std::lock_guard<std::mutex> lock(b.nmutex);
        b.running = false;
        b.registered = false;
        forget_messages(b);
    }
    if (b.thread.joinable())
        b.thread.join();
    std::lock_guard<std::mutex> lock(b.nmutex);
    b.thread_id = std::thread::id();
}

void unplug_locked(bus& b, int32_t iface)
{
    const bool zero_at_end = b.ifaces.at(iface).faults & VHID_VIRTUAL_FAULT_ZERO_AT_END;
    b.ifaces.erase(iface);
    for (auto& [handle, h] : b.handles) {
        if (h->iface == iface) {
            h->gone = true;
            h->zero_at_end = zero_at_end;
            h->arrived.notify_all();
        }
    }
}

bool bus_watching()
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.nmutex);
    return b.running && b.registered;
}

void bus_rescan()
{
    post(vhid::event_arrival);
}

const char* bus_event_source()
{
    return "virtual";
}

const vhid::backend virtual_table = {
    "virtual bus", bus_enumerate, bus_open,   bus_read,         bus_cancel,
    bus_write,     bus_close,     bus_alive,  bus_start,        bus_cancel_notifications,
    bus_stop,      bus_watching,  bus_rescan, bus_event_source,
};

} // namespace

namespace vhid {

const backend& virtual_backend()
{
    return virtual_table;
}

bool virtual_selected()
{
    return the_bus().selected.load();
}

} // namespace vhid

extern "C" {

void vhid_virtual_use(void)
{
    the_bus().selected.store(true);
}

int32_t vhid_virtual_plug(const vhid_virtual_iface* iface, vhid_virtual_output_fn on_output,
                          void* user)
{
    if (!iface || iface->input_report_len < 0 || iface->output_report_len < 0)
        return -1;
    bus& b = the_bus();
    int32_t id;
    {
        std::lock_guard<std::mutex> lock(b.mutex);
        id = b.next_iface++;
        b.ifaces[id] = vif{*iface, on_output, user};
    }
    post(vhid::event_arrival);
    return id;
}

void vhid_virtual_unplug(int32_t iface)
{
    bus& b = the_bus();
    {
        std::lock_guard<std::mutex> lock(b.mutex);
        if (!b.ifaces.count(iface))
            return;
        unplug_locked(b, iface);
    }
    post(vhid::event_removal);
}

void vhid_virtual_reset(void)
{
    bus& b = the_bus();
    size_t removed;
    {
        std::lock_guard<std::mutex> lock(b.mutex);
        std::vector<int32_t> ids;
        for (const auto& entry : b.ifaces)
            ids.push_back(entry.first);
        for (int32_t id : ids)
            unplug_locked(b, id);
        removed = ids.size();
        b.bus_faults = 0;
        b.read_us = 0;
        b.write_us = 0;
    }
    for (size_t i = 0; i < removed; ++i)
        post(vhid::event_removal);
}

void vhid_virtual_notify_arrival(void)
{
    post(vhid::event_arrival);
}

int32_t vhid_virtual_send_input(int32_t iface, const uint8_t* data, int32_t length)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.mutex);
    auto f = b.ifaces.find(iface);
    if (f == b.ifaces.end() || !data || length < 1 || length > f->second.info.input_report_len)
        return -1;
    // As long as the device sent it, as hidraw hands it to a reader.
    const std::vector<uint8_t> report(data, data + length);
    int32_t result = 0;
    for (auto& [handle, h] : b.handles) {
        if (h->iface != iface || !(h->access & vhid::access_read))
            continue;
        if (h->queue.size() >= max_queued_reports) {
            result = -1;
            continue;
        }
        h->queue.push_back(report);
        h->arrived.notify_all();
    }
    return result;
}

void vhid_virtual_set_faults(int32_t iface, uint32_t faults)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.mutex);
    if (iface < 0) {
        b.bus_faults = faults;
        return;
    }
    auto f = b.ifaces.find(iface);
    if (f == b.ifaces.end())
        return;
    f->second.faults = faults;
    for (auto& [handle, h] : b.handles)
        if (h->iface == iface)
            h->arrived.notify_all(); // a blocked read takes a zero-byte fault at once
}

void vhid_virtual_set_delays(uint32_t read_us, uint32_t write_us)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.mutex);
    b.read_us = read_us;
    b.write_us = write_us;
}

int32_t vhid_virtual_open_handles(void)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.mutex);
    return int32_t(b.handles.size());
}

void vhid_virtual_settle(void)
{
    bus& b = the_bus();
    std::unique_lock<std::mutex> lock(b.nmutex);
    if (std::this_thread::get_id() == b.thread_id)
        return;
    const uint64_t target = b.posted;
    b.nchanged.wait(lock, [&] { return b.handled >= target || !b.running; });
}

int32_t vhid_virtual_open_modes(int32_t iface, vhid_virtual_open_mode* modes, int32_t max)
{
    bus& b = the_bus();
    std::lock_guard<std::mutex> lock(b.mutex);
    int32_t n = 0;
    for (const auto& [handle, h] : b.handles) {
        if (h->iface != iface)
            continue;
        if (modes && n < max)
            modes[n] = vhid_virtual_open_mode{h->access, h->share};
        ++n;
    }
    return n;
}

} // extern "C"
