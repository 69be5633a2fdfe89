#include "uhiddevice.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

// Keyboard (1, with its LED output report), mouse (2), consumer control (3), the vendor-defined
// configuration collection (input 4, output 5, 8 data bytes each) and joystick (6).
// clang-format off
const std::vector<uint8_t> descriptor = {
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x06,        // Usage (Keyboard)
    0xA1, 0x01,        // Collection (Application)
    0x85, UhidDevice::KEYBOARD_REPORT_ID,
    0x05, 0x07,        //   Usage Page (Keyboard)
    0x19, 0xE0,        //   Usage Minimum (Left Control)
    0x29, 0xE7,        //   Usage Maximum (Right GUI)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute): modifiers
    0x95, 0x01,        //   Report Count (1)
    0x75, 0x08,        //   Report Size (8)
    0x81, 0x01,        //   Input (Constant): reserved
    0x95, 0x05,        //   Report Count (5)
    0x75, 0x01,        //   Report Size (1)
    0x05, 0x08,        //   Usage Page (LEDs)
    0x19, 0x01,        //   Usage Minimum (Num Lock)
    0x29, 0x05,        //   Usage Maximum (Kana)
    0x91, 0x02,        //   Output (Data, Variable, Absolute): LEDs
    0x95, 0x01,        //   Report Count (1)
    0x75, 0x03,        //   Report Size (3)
    0x91, 0x01,        //   Output (Constant): padding
    0x95, 0x06,        //   Report Count (6)
    0x75, 0x08,        //   Report Size (8)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x05, 0x07,        //   Usage Page (Keyboard)
    0x19, 0x00,        //   Usage Minimum (0)
    0x2A, 0xFF, 0x00,  //   Usage Maximum (255)
    0x81, 0x00,        //   Input (Data, Array, Absolute): keys
    0xC0,              // End Collection

    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x02,        // Usage (Mouse)
    0xA1, 0x01,        // Collection (Application)
    0x85, UhidDevice::MOUSE_REPORT_ID,
    0x09, 0x01,        //   Usage (Pointer)
    0xA1, 0x00,        //   Collection (Physical)
    0x05, 0x09,        //     Usage Page (Button)
    0x19, 0x01,        //     Usage Minimum (1)
    0x29, 0x03,        //     Usage Maximum (3)
    0x15, 0x00,        //     Logical Minimum (0)
    0x25, 0x01,        //     Logical Maximum (1)
    0x95, 0x03,        //     Report Count (3)
    0x75, 0x01,        //     Report Size (1)
    0x81, 0x02,        //     Input (Data, Variable, Absolute): buttons
    0x95, 0x01,        //     Report Count (1)
    0x75, 0x05,        //     Report Size (5)
    0x81, 0x01,        //     Input (Constant): padding
    0x05, 0x01,        //     Usage Page (Generic Desktop)
    0x09, 0x30,        //     Usage (X)
    0x09, 0x31,        //     Usage (Y)
    0x09, 0x38,        //     Usage (Wheel)
    0x15, 0x81,        //     Logical Minimum (-127)
    0x25, 0x7F,        //     Logical Maximum (127)
    0x75, 0x08,        //     Report Size (8)
    0x95, 0x03,        //     Report Count (3)
    0x81, 0x06,        //     Input (Data, Variable, Relative)
    0xC0,              //   End Collection
    0xC0,              // End Collection

    0x05, 0x0C,        // Usage Page (Consumer)
    0x09, 0x01,        // Usage (Consumer Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, UhidDevice::CONSUMER_REPORT_ID,
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x03,  //   Logical Maximum (1023)
    0x19, 0x00,        //   Usage Minimum (0)
    0x2A, 0xFF, 0x03,  //   Usage Maximum (1023)
    0x75, 0x10,        //   Report Size (16)
    0x95, 0x01,        //   Report Count (1)
    0x81, 0x00,        //   Input (Data, Array, Absolute)
    0xC0,              // End Collection

    0x06, 0x00, 0xFF,  // Usage Page (Vendor Defined 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, SimDevice::INPUT_REPORT_ID,
    0x09, 0x01,        //   Usage (1)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x85, SimDevice::OUTPUT_REPORT_ID,
    0x09, 0x02,        //   Usage (2)
    0x95, 0x08,        //   Report Count (8)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection

    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x04,        // Usage (Joystick)
    0xA1, 0x01,        // Collection (Application)
    0x85, UhidDevice::JOYSTICK_REPORT_ID,
    0x09, 0x30,        //   Usage (X)
    0x09, 0x31,        //   Usage (Y)
    0x15, 0x81,        //   Logical Minimum (-127)
    0x25, 0x7F,        //   Logical Maximum (127)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x02,        //   Report Count (2)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x05, 0x09,        //   Usage Page (Button)
    0x19, 0x01,        //   Usage Minimum (1)
    0x29, 0x08,        //   Usage Maximum (8)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0xC0,              // End Collection
};
// clang-format on

std::string hex(const uint8_t* data, std::size_t len)
{
    std::string text;
    char byte[4];
    for (std::size_t i = 0; i < len; ++i) {
        std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", data[i]);
        text += byte;
    }
    return text;
}

} // namespace

const std::vector<uint8_t>& UhidDevice::report_descriptor()
{
    return descriptor;
}

UhidDevice::UhidDevice() = default;

UhidDevice::~UhidDevice()
{
    unplug();
    if (uhid_fd >= 0)
        ::close(uhid_fd);
}

bool UhidDevice::open(std::string& error, const char* path)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (uhid_fd >= 0)
        return true;
    uhid_fd = ::open(path, O_RDWR | O_CLOEXEC);
    if (uhid_fd < 0) {
        error = std::string("cannot open ") + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool UhidDevice::write_event(const void* event, std::size_t size)
{
    ssize_t written;
    do {
        written = ::write(uhid_fd, event, size);
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(size)) {
        log(std::string("uhid write failed: ") +
            (written < 0 ? std::strerror(errno) : "short write"));
        return false;
    }
    return true;
}

bool UhidDevice::plug()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (uhid_fd < 0 || is_plugged)
        return is_plugged;
    uhid_event ev{};
    ev.type = UHID_CREATE2;
    auto& req = ev.u.create2;
    std::snprintf(reinterpret_cast<char*>(req.name), sizeof req.name, "Velquin Plus");
    std::snprintf(reinterpret_cast<char*>(req.phys), sizeof req.phys, "velquin-uhid");
    req.rd_size = static_cast<uint16_t>(descriptor.size());
    req.bus = BUS_BLUETOOTH_ID;
    req.vendor = SimDevice::VENDOR_ID;
    req.product = SimDevice::PRODUCT_ID;
    req.version = sim.config().fw_version;
    req.country = 0;
    std::memcpy(req.rd_data, descriptor.data(), descriptor.size());
    is_plugged = write_event(&ev, sizeof ev);
    plugs += is_plugged;
    counts.bootloader = false;
    return is_plugged;
}

bool UhidDevice::unplug()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!is_plugged)
        return true;
    uhid_event ev{};
    ev.type = UHID_DESTROY;
    if (!write_event(&ev, sizeof ev))
        return false;
    is_plugged = false;
    return true;
}

bool UhidDevice::plugged() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return is_plugged;
}

bool UhidDevice::dispatch()
{
    uhid_event ev{};
    ssize_t got;
    do {
        got = ::read(uhid_fd, &ev, sizeof ev);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        log(std::string("uhid read failed: ") + (got < 0 ? std::strerror(errno) : "end of file"));
        return false;
    }

    std::lock_guard<std::mutex> lock(mutex);
    switch (ev.type) {
    case UHID_START:
        ++counts.starts;
        log("started by the kernel");
        break;
    case UHID_STOP:
        log("stopped by the kernel");
        break;
    case UHID_OPEN:
        log("opened");
        break;
    case UHID_CLOSE:
        log("closed");
        break;
    case UHID_OUTPUT:
        on_output(ev.u.output.data, std::min<std::size_t>(ev.u.output.size, UHID_DATA_MAX),
                  ev.u.output.rtype);
        break;
    case UHID_GET_REPORT: {
        // The device has no feature reports and cannot be polled: refuse at once, so that the
        // caller does not wait for the kernel's timeout.
        ++counts.get_reports_refused;
        log("GET_REPORT " + std::to_string(ev.u.get_report.rnum) + " refused");
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = ev.u.get_report.id;
        reply.u.get_report_reply.err = EIO;
        write_event(&reply, sizeof reply);
        break;
    }
    case UHID_SET_REPORT: {
        ++counts.set_reports_refused;
        log("SET_REPORT " + std::to_string(ev.u.set_report.rnum) + " refused");
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = ev.u.set_report.id;
        reply.u.set_report_reply.err = EIO;
        write_event(&reply, sizeof reply);
        break;
    }
    default:
        log("unknown uhid event " + std::to_string(ev.type));
        break;
    }
    return true;
}

bool UhidDevice::run(int stop_fd)
{
    pollfd fds[2] = {{uhid_fd, POLLIN, 0}, {stop_fd, POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, poll_timeout_ms());
        send_due();
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            log(std::string("poll failed: ") + std::strerror(errno));
            return false;
        }
        if (fds[1].revents)
            return true;
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return false;
        if ((fds[0].revents & POLLIN) && !dispatch())
            return false;
    }
}

void UhidDevice::on_output(const uint8_t* data, std::size_t len, uint8_t rtype)
{
    if (rtype != UHID_OUTPUT_REPORT || len == 0 || data[0] != SimDevice::OUTPUT_REPORT_ID) {
        ++counts.other_outputs;
        log("output report ignored: " + hex(data, len));
        return;
    }
    ++counts.config_outputs;
    switch (sim.handle_output(data, len)) {
    case SimDevice::Outcome::Read:
        log("read request: answering");
        answer();
        break;
    case SimDevice::Outcome::Applied:
        log("configuration written");
        break;
    case SimDevice::Outcome::Restored:
        log("factory configuration restored");
        break;
    case SimDevice::Outcome::Bootloader: {
        log("bootloader request: leaving the bus");
        uhid_event ev{};
        ev.type = UHID_DESTROY;
        if (is_plugged && write_event(&ev, sizeof ev))
            is_plugged = false;
        counts.bootloader = true;
        break;
    }
    case SimDevice::Outcome::Staged:
        break;
    case SimDevice::Outcome::Ignored:
        log("configuration report ignored: " + hex(data, len));
        break;
    }
}

bool UhidDevice::send_input_locked(const uint8_t* data, std::size_t len)
{
    if (uhid_fd < 0 || !is_plugged || len > UHID_DATA_MAX)
        return false;
    uhid_event ev{};
    ev.type = UHID_INPUT2;
    ev.u.input2.size = static_cast<uint16_t>(len);
    std::memcpy(ev.u.input2.data, data, len);
    // Only the used part of the data goes out; the kernel takes the size from the header.
    if (!write_event(&ev, offsetof(uhid_event, u.input2.data) + len))
        return false;
    ++counts.inputs_sent;
    return true;
}

void UhidDevice::answer()
{
    const std::vector<SimDevice::Bytes> reports = sim.answer();
    const std::size_t middle = reports.size() / 2;
    if (outgoing.empty())
        next_due = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < reports.size(); ++i) {
        if (noise && (i == 0 || i == middle || i + 1 == reports.size())) {
            outgoing.push_back({{KEYBOARD_REPORT_ID, 0, 0, 0x04, 0, 0, 0, 0, 0}, plugs, false});
            outgoing.push_back({{KEYBOARD_REPORT_ID, 0, 0, 0, 0, 0, 0, 0, 0}, plugs, false});
            outgoing.push_back({{MOUSE_REPORT_ID, 0, 1, 0xFF, 0}, plugs, false});
        }
        outgoing.push_back({reports[i], plugs, true});
    }
    send_due_locked();
}

int UhidDevice::poll_timeout_ms() const
{
    std::lock_guard<std::mutex> lock(mutex);
    if (outgoing.empty())
        return -1;
    const auto left = next_due - std::chrono::steady_clock::now();
    // Rounded up: woken early, the loop would only wait again.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return ms > 0 ? static_cast<int>(ms) : 0;
}

void UhidDevice::send_due()
{
    std::lock_guard<std::mutex> lock(mutex);
    send_due_locked();
}

void UhidDevice::send_due_locked()
{
    const auto now = std::chrono::steady_clock::now();
    while (!outgoing.empty() && next_due <= now) {
        const Paced report = std::move(outgoing.front());
        outgoing.pop_front();
        if (report.plug != plugs || !is_plugged) {
            log("answer cut short: the device was unplugged");
            outgoing.clear();
            return;
        }
        if (!send_input_locked(report.data.data(), report.data.size())) {
            outgoing.clear();
            return;
        }
        counts.config_inputs_sent += report.config;
        next_due = now + report_interval;
    }
}

bool UhidDevice::emit_key(uint8_t usage, uint8_t modifiers)
{
    const uint8_t down[] = {KEYBOARD_REPORT_ID, modifiers, 0, usage, 0, 0, 0, 0, 0};
    const uint8_t up[] = {KEYBOARD_REPORT_ID, 0, 0, 0, 0, 0, 0, 0, 0};
    std::lock_guard<std::mutex> lock(mutex);
    return send_input_locked(down, sizeof down) && send_input_locked(up, sizeof up);
}

bool UhidDevice::emit_mouse(int8_t dx, int8_t dy, uint8_t buttons, int8_t wheel)
{
    const uint8_t report[] = {MOUSE_REPORT_ID, buttons, static_cast<uint8_t>(dx),
                              static_cast<uint8_t>(dy), static_cast<uint8_t>(wheel)};
    std::lock_guard<std::mutex> lock(mutex);
    if (!send_input_locked(report, sizeof report))
        return false;
    if (!buttons)
        return true;
    const uint8_t release[] = {MOUSE_REPORT_ID, 0, 0, 0, 0};
    return send_input_locked(release, sizeof release);
}

void UhidDevice::set_noise(bool on)
{
    std::lock_guard<std::mutex> lock(mutex);
    noise = on;
}

void UhidDevice::set_report_interval(std::chrono::microseconds interval)
{
    std::lock_guard<std::mutex> lock(mutex);
    report_interval = interval;
}

void UhidDevice::set_logger(Logger new_logger)
{
    std::lock_guard<std::mutex> lock(mutex);
    logger = std::move(new_logger);
}

void UhidDevice::log(const std::string& text) const
{
    if (logger)
        logger(text);
}

SimConfig UhidDevice::config() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return sim.config();
}

void UhidDevice::set_config(const SimConfig& config)
{
    std::lock_guard<std::mutex> lock(mutex);
    sim.set_config(config);
}

SimDevice::Stats UhidDevice::sim_stats() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return sim.stats();
}

UhidDevice::Counters UhidDevice::counters() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return counts;
}
