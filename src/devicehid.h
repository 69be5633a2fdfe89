#pragma once

#include "device.h"
#include "reportwriter.h"
#include "threadhandoff.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class ConfigReport;

// The device reached through the HID layer: two registrations (one reads input reports, one writes
// output reports), the command channel and the configuration report protocol.
//
// The object belongs to the thread that constructs it (the GUI thread). Transport callbacks that
// arrive on other threads are handed to that thread, and input reports are decoded where they
// arrive and stored there, so connected, config_ready and config are only ever touched by the
// owner thread. Of a flood of reports only the latest of each section and one end marker wait,
// and the device's bad reports are logged a few a second. Output reports go out on a writing thread
// of their own, one command series at a time, so no caller waits for the link.
class DeviceHid : public Device
{
public:
    // The device's identity on the HID bus.
    static constexpr int vendor_id = 0x08E6;
    static constexpr int product_id = 0x0001;

    explicit DeviceHid(QObject* parent = nullptr);
    ~DeviceHid() override;

    void read_config() override;
    void send_config() override;
    void restore_default_config() override;
    void reset_to_bootloader() override;

    // The four commands, send_command and do_send_config belong to the owner thread.

    // Frames one command of at most 8 bytes into one output report (report id 5) and queues it.
    void send_command(std::vector<unsigned char> command) const;
    // Writes the whole of config: device section, 8 press and 8 release entries, 4 profiles, end.
    void do_send_config();

    // Ends the transport callbacks for good: once it returns, none runs or will run (writes go on).
    // The destructor does it too; start-up does it when the application object goes, since the
    // callbacks hand their work to the application's event loop and this object outlives it.
    void detach();

    // Owner thread: runs now the callbacks handed over so far, instead of when the event loop
    // next gets to them. Start-up calls it before the window is made, so that a configuration
    // read while the application was being set up is shown in the window's first frame.
    void take_handed_over();

    // Transport callbacks; safe to call on any thread.
    void hid_connected_cb(int id);
    void hid_disconnected_cb(int id);
    void hid_report_cb(int id, uint8_t* data, int len);
    // A registration's status changed (vhid_get_status): the problem is worked out anew.
    void hid_status_cb(int id);

    // Output not yet written, as command series and as reports (for tests and figures).
    std::size_t pending_series() const;
    std::size_t pending_reports() const;
    // Full configuration writes that a newer one replaced before they started.
    std::size_t superseded_writes() const;
    // Blocks until every queued report has been written or the timeout has passed.
    bool wait_for_writes(int timeout_ms) const;
    // Transport callbacks handed to the owner thread and not yet run there.
    std::size_t pending_callbacks() const;

    // Messages about bad reports logged per second at most; the rest are counted and summed up.
    static constexpr int MAX_ERRORS_PER_SECOND = 5;

private:
    using Report = ReportWriter::Report;

    bool on_owner_thread() const;
    void apply_report(const ConfigReport& report);
    void update_problem();
    void log_rejected(const ConfigReport& report);
    void log_suppressed();

    const std::thread::id owner = std::this_thread::get_id();
    int hid_in_id = -1;
    int hid_out_id = -1;
    bool hid_in_connected = false;
    bool hid_out_connected = false;

    // The messages of rejected reports in the current second (any thread).
    struct ErrorBudget
    {
        std::mutex mutex;
        std::chrono::steady_clock::time_point second_start;
        int logged = 0;
        std::size_t suppressed = 0;
        bool summary_due = false; // a summary of the suppressed ones is on its way
    } errors;

    // Takes transport callbacks of other threads to the owner thread.
    ThreadHandoff handoff;
    std::unique_ptr<ReportWriter> writer;
    // While do_send_config runs, send_command collects its reports here so the configuration goes
    // out as one series.
    std::vector<Report>* open_series = nullptr;
};
