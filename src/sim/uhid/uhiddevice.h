#pragma once

#include "simdevice.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The virtual Velquin Plus presented to the Linux kernel through /dev/uhid: a composite Bluetooth
// HID device (keyboard, mouse, consumer control and joystick collections, and the vendor-defined
// collection of the configuration protocol) whose configuration reports are answered by
// SimDevice. Thread-safe: one thread may dispatch the kernel's events while others plug, unplug,
// emit reports or look at the state.
class UhidDevice
{
public:
    static constexpr uint8_t KEYBOARD_REPORT_ID = 1;
    static constexpr uint8_t MOUSE_REPORT_ID = 2;
    static constexpr uint8_t CONSUMER_REPORT_ID = 3;
    static constexpr uint8_t JOYSTICK_REPORT_ID = 6;
    static constexpr uint16_t BUS_BLUETOOTH_ID = 0x05;

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
    // Dispatches events until stop_fd becomes readable (an eventfd or a pipe) or a read fails.
    bool run(int stop_fd);

    // As if a switch were pressed and released: a key with modifiers, or a mouse report.
    bool emit_key(uint8_t usage, uint8_t modifiers = 0);
    bool emit_mouse(int8_t dx, int8_t dy, uint8_t buttons = 0, int8_t wheel = 0);

    // When set, a key press and release and a mouse report precede every configuration report the
    // device sends, as when a user presses switches while the host reads the configuration.
    void set_noise(bool on);
    // The pause after each report of an answer. The kernel keeps 64 reports per open hidraw node
    // and drops newer ones, so an answer sent in one burst can lose its end; a real device sends
    // no faster than its Bluetooth link.
    void set_report_interval(std::chrono::microseconds interval);
    void set_logger(Logger logger);

    SimConfig config() const;
    void set_config(const SimConfig& config);
    SimDevice::Stats sim_stats() const;
    Counters counters() const;

private:
    bool write_event(const void* event, std::size_t size);
    bool send_input_locked(const uint8_t* data, std::size_t len);
    bool send_paced_locked(const uint8_t* data, std::size_t len);
    void on_output(const uint8_t* data, std::size_t len, uint8_t rtype);
    void log(const std::string& text) const;

    mutable std::mutex mutex;
    int uhid_fd = -1;
    bool is_plugged = false;
    bool noise = false;
    std::chrono::microseconds report_interval{1000};
    SimDevice sim;
    Counters counts;
    Logger logger;
};
