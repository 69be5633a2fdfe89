#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// One thread that writes output reports through the HID layer, a series of reports at a time:
// series never interleave and go out in the order they were queued. A full configuration write
// that is still waiting is replaced by a newer one queued right behind it (each is complete);
// every other series, a restore included, is written as queued.
class ReportWriter
{
public:
    using Report = std::array<uint8_t, 9>;

    enum class Kind {
        Commands,   // single commands: read request, bootloader request
        FullConfig, // a complete configuration; a newer one supersedes it while it waits
        Restore     // a configuration carrying the restore mark; never merged
    };

    // At most max_series series wait; a series queued beyond that is dropped with a message.
    explicit ReportWriter(std::size_t max_series = 64);
    // Writes what is still queued, then ends the thread.
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

    void run();

    const std::size_t max_series;
    mutable std::mutex mutex;
    std::condition_variable wake;
    mutable std::condition_variable idle;
    std::deque<Series> queue;
    std::size_t reports_in_flight = 0; // reports of the series being written, not yet written
    bool writing = false;
    bool stopping = false;
    std::size_t n_superseded = 0;
    std::thread thread;
};
