#include "reportwriter.h"

#include "vhid.h"

#include <QDebug>
#include <chrono>

ReportWriter::ReportWriter(std::size_t max_series)
    : max_series(max_series), thread(&ReportWriter::run, this)
{
}

ReportWriter::~ReportWriter()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    thread.join();
}

bool ReportWriter::submit(int hid_index, Kind kind, std::vector<Report> reports)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (kind == Kind::FullConfig && !queue.empty() && queue.back().kind == Kind::FullConfig &&
            queue.back().hid_index == hid_index) {
            // Still waiting, and this one holds everything it would have written.
            queue.back().reports = std::move(reports);
            ++n_superseded;
            return true;
        }
        if (queue.size() < max_series) {
            queue.push_back(Series{hid_index, kind, std::move(reports)});
            wake.notify_one();
            return true;
        }
    }
    QMessageLogger().critical() << "Error: HID write queue is full, dropped" << reports.size()
                                << "report(s)";
    return false;
}

std::size_t ReportWriter::pending_series() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return queue.size() + (writing ? 1 : 0);
}

std::size_t ReportWriter::pending_reports() const
{
    std::lock_guard<std::mutex> lock(mutex);
    std::size_t n = reports_in_flight;
    for (const Series& series : queue)
        n += series.reports.size();
    return n;
}

std::size_t ReportWriter::superseded() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return n_superseded;
}

bool ReportWriter::wait_idle(int timeout_ms) const
{
    std::unique_lock<std::mutex> lock(mutex);
    return idle.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                         [this] { return queue.empty() && !writing; });
}

void ReportWriter::run()
{
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return stopping || !queue.empty(); });
        // Stopping still writes what was queued: the last edit before exit must reach the device.
        if (queue.empty())
            return;
        Series series = std::move(queue.front());
        queue.pop_front();
        writing = true;
        reports_in_flight = series.reports.size();
        lock.unlock();

        std::size_t failed = 0;
        for (const Report& report : series.reports) {
            const int32_t written =
                vhid_write(series.hid_index, report.data(), static_cast<int32_t>(report.size()));
            if (written != static_cast<int32_t>(report.size()))
                ++failed;
            lock.lock();
            --reports_in_flight;
            lock.unlock();
        }
        if (failed != 0)
            QMessageLogger().critical() << "Error: HID write failed for" << failed << "of"
                                        << series.reports.size() << "report(s)";

        lock.lock();
        writing = false;
        if (queue.empty())
            idle.notify_all();
    }
}
