#include "reportwriter.h"

#include "vhid.h"

#include <QDebug>

ReportWriter::ReportWriter(std::size_t max_series, std::chrono::milliseconds shutdown_deadline)
    : max_series(max_series), shutdown_deadline(shutdown_deadline),
      thread(&ReportWriter::run, state)
{
}

ReportWriter::~ReportWriter()
{
    State& s = *state;
    const auto deadline = std::chrono::steady_clock::now() + shutdown_deadline;
    std::unique_lock<std::mutex> lock(s.mutex);
    // The last edit before exit should reach the device, but a stalled link must not hold the
    // exit: what is not out by the deadline is dropped.
    s.stopping = true;
    s.wake.notify_all();
    if (!s.idle.wait_until(lock, deadline, [&] { return s.finished; })) {
        s.cancelled = true;
        std::size_t dropped = s.reports_in_flight;
        for (const Series& series : s.queue)
            dropped += series.reports.size();
        s.queue.clear();
        const bool writing = s.writing;
        const int index = s.writing_index;
        lock.unlock();
        if (writing)
            vhid_cancel_writes(index);
        QMessageLogger().critical()
            << "Error: HID link too slow at exit, dropped" << dropped << "report(s)";
        lock.lock();
        if (!s.idle.wait_until(lock, deadline + CANCEL_GRACE, [&] { return s.finished; })) {
            lock.unlock();
            QMessageLogger().critical() << "Error: HID write still blocked at exit, left behind";
            thread.detach();
            return;
        }
    }
    lock.unlock();
    thread.join();
}

bool ReportWriter::submit(int hid_index, Kind kind, std::vector<Report> reports)
{
    State& s = *state;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (kind == Kind::FullConfig && !s.queue.empty() &&
            s.queue.back().kind == Kind::FullConfig && s.queue.back().hid_index == hid_index) {
            // Still waiting, and this one holds everything it would have written.
            s.queue.back().reports = std::move(reports);
            ++s.n_superseded;
            return true;
        }
        if (s.queue.size() < max_series) {
            s.queue.push_back(Series{hid_index, kind, std::move(reports)});
            s.wake.notify_one();
            return true;
        }
    }
    QMessageLogger().critical() << "Error: HID write queue is full, dropped" << reports.size()
                                << "report(s)";
    return false;
}

std::size_t ReportWriter::pending_series() const
{
    std::lock_guard<std::mutex> lock(state->mutex);
    return state->queue.size() + (state->writing ? 1 : 0);
}

std::size_t ReportWriter::pending_reports() const
{
    std::lock_guard<std::mutex> lock(state->mutex);
    std::size_t n = state->reports_in_flight;
    for (const Series& series : state->queue)
        n += series.reports.size();
    return n;
}

std::size_t ReportWriter::superseded() const
{
    std::lock_guard<std::mutex> lock(state->mutex);
    return state->n_superseded;
}

bool ReportWriter::wait_idle(int timeout_ms) const
{
    State& s = *state;
    std::unique_lock<std::mutex> lock(s.mutex);
    return s.idle.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                           [&] { return s.queue.empty() && !s.writing; });
}

void ReportWriter::run(std::shared_ptr<State> state)
{
    State& s = *state;
    std::unique_lock<std::mutex> lock(s.mutex);
    for (;;) {
        s.wake.wait(lock, [&] { return s.stopping || !s.queue.empty(); });
        if (s.queue.empty() || s.cancelled)
            break;
        Series series = std::move(s.queue.front());
        s.queue.pop_front();
        s.writing = true;
        s.writing_index = series.hid_index;
        s.reports_in_flight = series.reports.size();

        std::size_t failed_at = series.reports.size();
        for (std::size_t i = 0; i < series.reports.size() && !s.cancelled; ++i) {
            lock.unlock();
            const Report& report = series.reports[i];
            const int32_t written =
                vhid_write(series.hid_index, report.data(), static_cast<int32_t>(report.size()));
            lock.lock();
            if (written != static_cast<int32_t>(report.size())) {
                failed_at = i;
                break;
            }
            --s.reports_in_flight;
        }
        const bool cancelled = s.cancelled;
        s.writing = false;
        s.reports_in_flight = 0;
        if (s.queue.empty())
            s.idle.notify_all();
        if (failed_at < series.reports.size() && !cancelled) {
            lock.unlock();
            QMessageLogger().critical(
                "Error: HID write failed at report %zu of %zu, dropped the rest of the series",
                failed_at + 1, series.reports.size());
            lock.lock();
        }
    }
    s.finished = true;
    s.idle.notify_all();
}
