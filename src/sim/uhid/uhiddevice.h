#pragma once

#include "simdevice.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The virtual Velquin Plus presented to the Linux kernel through /dev/uhid: a composite Bluetooth
// HID device (keyboard, mouse, consumer control and joystick collections, and the vendor-defined
// collection of the configuration protocol) whose configuration reports are answered by
// SimDevice. Thread-safe: one thread may dispatch the kernel's events while others plug, unplug,
// emit reports or look at the state. Answers go out paced, between the kernel's events: the
// dispatching thread waits at most poll_timeout_ms() for the next event and then calls
// send_due(), so the kernel's output queue (32 events) is read while an answer is under way.
class UhidDevice
{
public:
    static constexpr uint8_t KEYBOARD_REPORT_ID = 1;
    static constexpr uint8_t MOUSE_REPORT_ID = 2;
    static constexpr uint8_t CONSUMER_REPORT_ID = 3;
    static constexpr uint8_t JOYSTICK_REPORT_ID = 6;
    static constexpr uint16_t BUS_BLUETOOTH_ID = 0x05;
    // Keyboard and mouse reports that noise adds to each answer.
    static constexpr int NOISE_REPORTS = 9;

    struct Counters
    {
        int starts = 0;              // UHID_START: a driver took the device
        int config_outputs = 0;      // output reports of the configuration protocol
        int other_outputs = 0;       // other output reports (keyboard LEDs)
        int get_reports_refused = 0; // UHID_GET_REPORT answered with an error
        int set_reports_refused = 0; // UHID_SET_REPORT answered with an error
        int inputs_sent = 0;         // input reports handed to the kernel
        int config_inputs_sent = 0;  // of which configuration reports (report id 4)
        bool bootloader = false;     // the bootloader request made the device leave the bus
    };

    using Logger = std::function<void(const std::string&)>;

    static const std::vector<uint8_t>& report_descriptor();

    UhidDevice();
    ~UhidDevice(); // unplugs and closes
    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;

    // Opens the uhid node; false with the reason in `error`.
    bool open(std::string& error, const char* path = "/dev/uhid");
    int fd() const { return uhid_fd; }

    // Creates the kernel device (the host sees it arrive) and destroys it (the host sees it go).
    bool plug();
    bool unplug();
    bool plugged() const;

    // Handles one event from the kernel; call when fd() is readable. False when the read failed.
    bool dispatch();
    // Milliseconds until the next report of an answer is due (0: now), or -1 when none waits.
    int poll_timeout_ms() const;
    // Sends the reports of answers that are due.
    void send_due();
    // Dispatches events and paces answers until stop_fd becomes readable (an eventfd or a pipe)
    // or a read fails.
    bool run(int stop_fd);

    // As if a switch were pressed and released: a key with modifiers, or a mouse report.
    bool emit_key(uint8_t usage, uint8_t modifiers = 0);
    bool emit_mouse(int8_t dx, int8_t dy, uint8_t buttons = 0, int8_t wheel = 0);

    // When set, a switch is pressed at the start, in the middle and just before the end marker of
    // every answer to a read request: a key press, its release and a mouse move each time, as when
    // a user presses switches while the host reads the configuration.
    void set_noise(bool on);
    // The time between two reports of an answer; by default 7.5 ms, the shortest Bluetooth LE
    // connection interval, as a real device sends no faster than its link. The kernel keeps at
    // most 63 unread reports per open hidraw file, all collections together, and drops newer
    // ones: an answer (22 reports, 31 with noise) fits, so a reader that stalls loses nothing.
    void set_report_interval(std::chrono::microseconds interval);
    void set_logger(Logger logger);

    SimConfig config() const;
    void set_config(const SimConfig& config);
    SimDevice::Stats sim_stats() const;
    Counters counters() const;

private:
    bool write_event(const void* event, std::size_t size);
    bool send_input_locked(const uint8_t* data, std::size_t len);
    void answer();
    void send_due_locked();
    void on_output(const uint8_t* data, std::size_t len, uint8_t rtype);
    void log(const std::string& text) const;

    mutable std::mutex mutex;
    int uhid_fd = -1;
    bool is_plugged = false;
    unsigned plugs = 0; // an answer ends when the device it was for has gone
    bool noise = false;
    std::chrono::microseconds report_interval{7500};

    // Reports of answers not yet sent, the first due at next_due.
    struct Paced
    {
        SimDevice::Bytes data;
        unsigned plug;
        bool config;
    };
    std::deque<Paced> outgoing;
    std::chrono::steady_clock::time_point next_due;
    SimDevice sim;
    Counters counts;
    Logger logger;
};
