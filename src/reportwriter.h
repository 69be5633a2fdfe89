#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// One thread that writes output reports through the HID layer, a series of reports at a time:
// series never interleave and go out in the order they were queued. A full configuration write
// that is still waiting is replaced by a newer one queued right behind it (each is complete);
// every other series, a restore included, is written as queued. A series is given up at its
// first failed write, since the device would take the rest out of context.
class ReportWriter
{
public:
    using Report = std::array<uint8_t, 9>;

    enum class Kind {
        Commands,   // single commands: read request, bootloader request
        FullConfig, // a complete configuration; a newer one supersedes it while it waits
        Restore     // a configuration carrying the restore mark; never merged
    };

    // How long the destructor lets what is queued go out before it cancels the rest.
    static constexpr std::chrono::milliseconds SHUTDOWN_DEADLINE{2000};
    // How long it then waits for a write that the platform could not interrupt.
    static constexpr std::chrono::milliseconds CANCEL_GRACE{300};

    // At most max_series series wait; a series queued beyond that is dropped with a message.
    explicit ReportWriter(std::size_t max_series = 64,
                          std::chrono::milliseconds shutdown_deadline = SHUTDOWN_DEADLINE);
    // Writes what is still queued until the shutdown deadline, then cancels the write in flight
    // and drops the rest. Returns within the deadline and the grace: a writing thread still
    // blocked in the system by then is left to end on its own.
    ~ReportWriter();

    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // Queues a series for the registration hid_index. False when it was dropped (queue full).
    bool submit(int hid_index, Kind kind, std::vector<Report> reports);

    // Series not yet finished (waiting or being written), and the reports they still hold.
    std::size_t pending_series() const;
    std::size_t pending_reports() const;
    // Waiting full configuration writes that a newer one replaced.
    std::size_t superseded() const;
    bool wait_idle(int timeout_ms) const;

private:
    struct Series
    {
        int hid_index;
        Kind kind;
        std::vector<Report> reports;
    };

    // Shared with the writing thread, which may outlive this object (see the destructor).
    struct State
    {
        std::mutex mutex;
        std::condition_variable wake;
        std::condition_variable idle; // queue empty and no series in flight, or the thread ended
        std::deque<Series> queue;
        std::size_t reports_in_flight = 0; // reports of the series being written, not yet written
        bool writing = false;
        int writing_index = -1; // registration of the series in flight
        bool stopping = false;
        bool cancelled = false;
        bool finished = false;
        std::size_t n_superseded = 0;
    };

    static void run(std::shared_ptr<State> state);

    const std::size_t max_series;
    const std::chrono::milliseconds shutdown_deadline;
    const std::shared_ptr<State> state = std::make_shared<State>();
    std::thread thread;
};
