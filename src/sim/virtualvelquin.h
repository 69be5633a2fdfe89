#pragma once

#include "simconfig.h"
#include "simdevice.h"

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The virtual Velquin Plus on the virtual HID bus: a SimDevice behind the device's vendor
// collection (vendor 0x08E6, product 0x0001, usage page 0xFF00, 9-byte input report 4 and output
// report 5). Output reports are handled on the host's writing thread as they are written; answers
// and the bootloader's departure go out on a thread of the device's own, in order.
//
// Select the virtual bus (vhid_virtual_use) before vhid_init, and plug after that or before.
class VirtualVelquin
{
public:
    enum class Layout {
        Combined, // one collection with both reports (how the device presents itself)
        Split     // an input-only and an output-only collection
    };

    VirtualVelquin();
    // Unplugs and ends the device's thread.
    ~VirtualVelquin();

    VirtualVelquin(const VirtualVelquin&) = delete;
    VirtualVelquin& operator=(const VirtualVelquin&) = delete;

    // Plugs the device; false when it is plugged already or the bus refused.
    bool plug(Layout layout = Layout::Combined);
    // Unplugs every collection of the device (reports not yet sent are dropped).
    void unplug();
    // Split layout: unplugs only the input-only or only the output-only collection, and plugs
    // the input-only one again (false when it is there or the device is not split).
    void unplug_input();
    void unplug_output();
    bool plug_input();
    bool is_plugged() const;

    // Pause before each report in either direction: a written report is taken that much later,
    // and each report of an answer is sent that much after the previous one.
    void set_report_delay_ms(unsigned ms);
    unsigned report_delay_ms() const;
    void set_answer_options(SimDevice::AnswerOptions options);
    // Appends one line per report crossing the bus to the file ("> 05 01 00 ..." host to device,
    // "< 04 01 ..." device to host), flushed at once. An empty path stops tracing. False when the
    // file cannot be opened.
    bool set_trace_file(const std::string& path);

    SimConfig config() const;
    void set_config(const SimConfig& config);
    void reset_to_factory();
    SimConfig::Entry press(int i) const;
    SimConfig::Entry release(int i) const;
    SimConfig::Profile profile(int j) const;
    bool use_joystick() const;
    SimDevice::Stats stats() const;

    // Every output report received since plugging or the last clear, in order.
    std::vector<SimDevice::Bytes> received() const;
    void clear_received();

    // Sends one input report of any bytes, after whatever the device is still sending.
    bool send_input(const SimDevice::Bytes& report);
    // Blocks until the device has nothing left to send, or the timeout has passed.
    bool wait_idle(int timeout_ms) const;

private:
    struct Job
    {
        enum class Kind { Send, Leave } kind;
        SimDevice::Bytes report;
        unsigned generation; // jobs of an earlier plug are dropped
    };

    static void on_output(void* user, int32_t iface, const uint8_t* data, int32_t length);
    void handle_output(const uint8_t* data, int32_t length);
    void run();
    void trace(char direction, const uint8_t* data, std::size_t length);
    void unplug_ifaces(bool input, bool output);

    // Serialises plugging and unplugging. Never held by the bus's callback, and the device's own
    // mutex is never held while calling the bus, so no lock order can invert.
    std::mutex plug_mutex;
    mutable std::mutex mutex;
    std::condition_variable wake;
    mutable std::condition_variable idle;
    SimDevice device;
    std::deque<SimDevice::Bytes> received_reports;
    // The bus may call on_output after an unplug returns: it finds the device through a registry
    // of live devices by this token, never through a pointer that might dangle.
    const uintptr_t token;
    int outputs_running = 0; // bus callbacks inside handle_output
    std::deque<Job> jobs;
    bool busy = false;
    bool stopping = false;
    unsigned delay_ms = 0;
    unsigned generation = 0;
    int32_t in_iface = -1;  // the collection that sends input reports
    int32_t out_iface = -1; // the collection that takes output reports (the same when combined)
    bool split = false;

    std::mutex trace_mutex;
    std::FILE* trace_file = nullptr;

    std::thread thread;
};
