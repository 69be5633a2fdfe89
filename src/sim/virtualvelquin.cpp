#include "virtualvelquin.h"

#include "vhid_virtual.h"

#include <chrono>
#include <map>

namespace {

// The received reports kept for inspection; older ones are forgotten.
constexpr std::size_t MAX_RECEIVED = 4096;

// Live devices by token. Its mutex is locked before a device's own, never after it.
struct Registry
{
    std::mutex mutex;
    std::map<uintptr_t, VirtualVelquin*> devices;
    uintptr_t next_token = 1;
};

// Never destroyed: a device may be destroyed during static destruction.
Registry& registry()
{
    static Registry* r = new Registry;
    return *r;
}

uintptr_t register_device(VirtualVelquin* device)
{
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const uintptr_t token = r.next_token++;
    r.devices.emplace(token, device);
    return token;
}

} // namespace

VirtualVelquin::VirtualVelquin() : token(register_device(this)), thread(&VirtualVelquin::run, this)
{
}

VirtualVelquin::~VirtualVelquin()
{
    unplug();
    {
        std::lock_guard<std::mutex> lock(registry().mutex);
        registry().devices.erase(token);
    }
    {
        std::unique_lock<std::mutex> lock(mutex);
        // A write that reached the device just before it left may still be inside it.
        idle.wait(lock, [this] { return outputs_running == 0; });
        stopping = true;
    }
    wake.notify_all();
    thread.join();
    set_trace_file(std::string());
}

namespace {

void* as_user(uintptr_t token)
{
    return reinterpret_cast<void*>(token);
}

} // namespace

bool VirtualVelquin::plug(Layout layout)
{
    std::lock_guard<std::mutex> plug_lock(plug_mutex);
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (in_iface >= 0 || out_iface >= 0)
            return false;
        ++generation;
        jobs.clear();
        received_reports.clear();
    }

    const uint16_t vid = SimDevice::VENDOR_ID, pid = SimDevice::PRODUCT_ID;
    const uint16_t page = SimDevice::USAGE_PAGE;
    const int32_t len = SimDevice::REPORT_LEN;
    int32_t in = -1, out = -1;
    if (layout == Layout::Combined) {
        const vhid_virtual_iface both{vid, pid, page, len, len};
        in = out = vhid_virtual_plug(&both, &VirtualVelquin::on_output, as_user(token));
    } else {
        const vhid_virtual_iface input{vid, pid, page, len, 0};
        const vhid_virtual_iface output{vid, pid, page, 0, len};
        in = vhid_virtual_plug(&input, nullptr, nullptr);
        out = vhid_virtual_plug(&output, &VirtualVelquin::on_output, as_user(token));
        if (in < 0 || out < 0) {
            for (int32_t id : {in, out})
                if (id >= 0)
                    vhid_virtual_unplug(id);
            in = out = -1;
        }
    }

    std::lock_guard<std::mutex> lock(mutex);
    in_iface = in;
    out_iface = out;
    split = layout == Layout::Split;
    return in >= 0;
}

bool VirtualVelquin::plug_input()
{
    std::lock_guard<std::mutex> plug_lock(plug_mutex);
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!split || in_iface >= 0 || out_iface < 0)
            return false;
    }
    const vhid_virtual_iface input{SimDevice::VENDOR_ID, SimDevice::PRODUCT_ID,
                                   SimDevice::USAGE_PAGE, SimDevice::REPORT_LEN, 0};
    const int32_t in = vhid_virtual_plug(&input, nullptr, nullptr);
    std::lock_guard<std::mutex> lock(mutex);
    in_iface = in;
    return in >= 0;
}

void VirtualVelquin::unplug()
{
    unplug_ifaces(true, true);
}

void VirtualVelquin::unplug_input()
{
    unplug_ifaces(true, false);
}

void VirtualVelquin::unplug_output()
{
    unplug_ifaces(false, true);
}

void VirtualVelquin::unplug_ifaces(bool input, bool output)
{
    std::lock_guard<std::mutex> plug_lock(plug_mutex);
    int32_t gone[2] = {-1, -1};
    {
        std::lock_guard<std::mutex> lock(mutex);
        const bool combined = !split;
        if (input || combined) {
            gone[0] = in_iface;
            in_iface = -1;
            // Whatever was still to be sent has nowhere to go.
            ++generation;
            jobs.clear();
        }
        if (output || combined) {
            if (out_iface != gone[0])
                gone[1] = out_iface;
            out_iface = -1;
        }
        if (!busy)
            idle.notify_all();
    }
    wake.notify_all();
    for (int32_t id : gone)
        if (id >= 0)
            vhid_virtual_unplug(id);
}

bool VirtualVelquin::is_plugged() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return in_iface >= 0 || out_iface >= 0;
}

void VirtualVelquin::set_report_delay_ms(unsigned ms)
{
    std::lock_guard<std::mutex> lock(mutex);
    delay_ms = ms;
}

unsigned VirtualVelquin::report_delay_ms() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return delay_ms;
}

void VirtualVelquin::set_answer_options(SimDevice::AnswerOptions options)
{
    std::lock_guard<std::mutex> lock(mutex);
    device.set_answer_options(std::move(options));
}

bool VirtualVelquin::set_trace_file(const std::string& path)
{
    std::lock_guard<std::mutex> lock(trace_mutex);
    if (trace_file != nullptr) {
        std::fclose(trace_file);
        trace_file = nullptr;
    }
    if (path.empty())
        return true;
    trace_file = std::fopen(path.c_str(), "a");
    return trace_file != nullptr;
}

SimConfig VirtualVelquin::config() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return device.config();
}

void VirtualVelquin::set_config(const SimConfig& config)
{
    std::lock_guard<std::mutex> lock(mutex);
    device.set_config(config);
}

void VirtualVelquin::reset_to_factory()
{
    std::lock_guard<std::mutex> lock(mutex);
    device.reset_to_factory();
}

SimConfig::Entry VirtualVelquin::press(int i) const
{
    return config().press.at(static_cast<std::size_t>(i));
}

SimConfig::Entry VirtualVelquin::release(int i) const
{
    return config().release.at(static_cast<std::size_t>(i));
}

SimConfig::Profile VirtualVelquin::profile(int j) const
{
    return config().profiles.at(static_cast<std::size_t>(j));
}

bool VirtualVelquin::use_joystick() const
{
    return config().use_joystick;
}

SimDevice::Stats VirtualVelquin::stats() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return device.stats();
}

std::vector<SimDevice::Bytes> VirtualVelquin::received() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return {received_reports.begin(), received_reports.end()};
}

void VirtualVelquin::clear_received()
{
    std::lock_guard<std::mutex> lock(mutex);
    received_reports.clear();
}

bool VirtualVelquin::send_input(const SimDevice::Bytes& report)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (in_iface < 0)
            return false;
        jobs.push_back(Job{Job::Kind::Send, report, generation});
    }
    wake.notify_all();
    return true;
}

bool VirtualVelquin::wait_idle(int timeout_ms) const
{
    std::unique_lock<std::mutex> lock(mutex);
    return idle.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                         [this] { return jobs.empty() && !busy; });
}

void VirtualVelquin::on_output(void* user, int32_t, const uint8_t* data, int32_t length)
{
    VirtualVelquin* device = nullptr;
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> registry_lock(r.mutex);
        const auto it = r.devices.find(reinterpret_cast<uintptr_t>(user));
        if (it == r.devices.end())
            return;
        device = it->second;
        std::lock_guard<std::mutex> lock(device->mutex);
        ++device->outputs_running;
    }
    device->handle_output(data, length);
}

void VirtualVelquin::handle_output(const uint8_t* data, int32_t length)
{
    const std::size_t len = length > 0 ? static_cast<std::size_t>(length) : 0;
    std::unique_lock<std::mutex> lock(mutex);
    const unsigned delay = delay_ms;
    lock.unlock();

    trace('>', data, len);
    // The link's latency: the host's write returns only when the report has been taken.
    if (delay != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));

    lock.lock();
    received_reports.emplace_back(data, data + len);
    if (received_reports.size() > MAX_RECEIVED)
        received_reports.pop_front();
    switch (device.handle_output(data, len)) {
    case SimDevice::Outcome::Read:
        for (SimDevice::Bytes& report : device.answer())
            jobs.push_back(Job{Job::Kind::Send, std::move(report), generation});
        break;
    case SimDevice::Outcome::Bootloader:
        jobs.push_back(Job{Job::Kind::Leave, {}, generation});
        break;
    default:
        break;
    }
    --outputs_running;
    if (outputs_running == 0)
        idle.notify_all();
    lock.unlock();
    wake.notify_all();
}

void VirtualVelquin::run()
{
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return stopping || !jobs.empty(); });
        if (stopping)
            return;
        Job job = std::move(jobs.front());
        jobs.pop_front();
        busy = true;
        if (delay_ms != 0)
            wake.wait_for(lock, std::chrono::milliseconds(delay_ms),
                          [&] { return stopping || job.generation != generation; });
        if (stopping)
            return;
        const bool current = job.generation == generation;
        const int32_t iface = in_iface;
        lock.unlock();

        if (current && job.kind == Job::Kind::Send && iface >= 0) {
            if (vhid_virtual_send_input(iface, job.report.data(),
                                        static_cast<int32_t>(job.report.size())) == 0)
                trace('<', job.report.data(), job.report.size());
        } else if (current && job.kind == Job::Kind::Leave) {
            // Into the bootloader: the device is gone from the bus until it is plugged again.
            unplug();
        }

        lock.lock();
        busy = false;
        if (jobs.empty())
            idle.notify_all();
    }
}

void VirtualVelquin::trace(char direction, const uint8_t* data, std::size_t length)
{
    std::lock_guard<std::mutex> lock(trace_mutex);
    if (trace_file == nullptr)
        return;
    static const char digits[] = "0123456789ABCDEF";
    std::string line(1, direction);
    for (std::size_t i = 0; i < length; ++i) {
        line += ' ';
        line += digits[data[i] >> 4];
        line += digits[data[i] & 0x0F];
    }
    line += '\n';
    std::fputs(line.c_str(), trace_file);
    std::fflush(trace_file);
}
