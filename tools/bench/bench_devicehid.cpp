// Figures of the device link against the virtual Velquin Plus at 0 ms and at 15 ms per report:
// how long from plugging to a read configuration, how long one send_config holds the interface
// thread (against writing the same 22 reports on that thread), and what is left to write after
// 50 rapid edits.

#include "devicehid.h"
#include "sim/virtualvelquin.h"
#include "vhid.h"
#include "vhid_virtual.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int EDITS = 50;
constexpr int TIMEOUT_MS = 60000;

double ms_since(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

bool wait_ready(DeviceHid& dev)
{
    QElapsedTimer timer;
    timer.start();
    while (!dev.is_config_ready()) {
        if (timer.elapsed() > TIMEOUT_MS)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

bool run(unsigned latency_ms)
{
    VirtualVelquin vv;
    vv.set_report_delay_ms(latency_ms);
    DeviceHid dev;

    QElapsedTimer timer;
    timer.start();
    if (!vv.plug() || !wait_ready(dev))
        return false;
    const double plug_to_ready = ms_since(timer);
    if (!dev.wait_for_writes(TIMEOUT_MS) || !vv.wait_idle(TIMEOUT_MS))
        return false;

    // Baseline: the 22 reports of one configuration written on the calling thread.
    std::vector<ReportWriter::Report> series;
    for (int k = 0; k < 22; ++k)
        series.push_back({0x05, 0x02, uint8_t(k == 21 ? 0xFF : 0x00)});
    timer.restart();
    for (const ReportWriter::Report& report : series)
        vhid_write(1, report.data(), int32_t(report.size()));
    const double synchronous = ms_since(timer);
    vv.clear_received();

    // 50 edits as fast as the interface can make them.
    std::vector<double> blocked;
    Config& config = *dev.get_config();
    for (int edit = 0; edit < EDITS; ++edit) {
        config.sw_simplified_config[edit % 8]->assign(2, 4, uint8_t(0x04 + edit), 0);
        timer.restart();
        dev.send_config();
        blocked.push_back(ms_since(timer));
    }
    const std::size_t backlog_series = dev.pending_series();
    const std::size_t backlog_reports = dev.pending_reports();
    timer.restart();
    if (!dev.wait_for_writes(TIMEOUT_MS))
        return false;
    const double drained = ms_since(timer);
    const std::size_t written = vv.received().size();

    std::sort(blocked.begin(), blocked.end());
    const double longest = blocked.back();
    std::printf("%u ms per report\n", latency_ms);
    std::printf("  plug to configuration ready:   %8.2f ms\n", plug_to_ready);
    std::printf("  interface thread held by one send_config: longest %.3f ms, median %.3f ms\n",
                longest, blocked[blocked.size() / 2]);
    std::printf(
        "    the same 22 reports written on that thread: %.2f ms (%.1f times the longest)\n",
        synchronous, synchronous / std::max(longest, 1e-6));
    std::printf("  after %d rapid edits: %zu series (%zu reports) still to write, %zu superseded\n",
                EDITS, backlog_series, backlog_reports, dev.superseded_writes());
    std::printf("    drained in %.2f ms; %zu reports written instead of %d (%.1f%%)\n", drained,
                written, EDITS * 22, 100.0 * double(written) / (EDITS * 22));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    vhid_virtual_use();
    QCoreApplication app(argc, argv);
    for (unsigned latency : {0u, 15u})
        if (!run(latency)) {
            std::fprintf(stderr, "the virtual device did not answer\n");
            return 1;
        }
    vhid_init(); // joins the readers of the unplugged device
    return 0;
}
