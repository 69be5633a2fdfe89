// Figures of the device link under a device that floods it and a link that stalls, each against
// a baseline taken in the same run:
// - flood: a device that sends whole configurations (22 reports, each new) as fast as the layer
//   takes them for 2 s, first while the interface thread is busy, then while its event loop
//   runs; the window's copy of the configuration is made at every end marker, as the window
//   does. Printed: what waits for the interface thread, how much memory grew, the longest single
//   pass of the event loop against the longest with the device quiet (what the machine's load
//   alone costs), and whether the configuration shown is the last one sent.
// - stalled link: the device object destroyed with three configuration writes queued, at 100 ms
//   and at 5 s per report, against destroying it with nothing queued.

#include "devicehid.h"
#include "sim/simdevice.h"
#include "sim/virtualvelquin.h"
#include "vhid.h"
#include "vhid_virtual.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int FLOOD_MS = 2000;
constexpr int TIMEOUT_MS = 60000;

double ms_since(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double rss_mb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// The configuration of series n: every entry and profile differs from that of series n - 1.
SimConfig series_config(unsigned n)
{
    SimConfig c = SimConfig::factory();
    const auto v = uint8_t(n);
    for (int i = 0; i < SimConfig::N_SWITCHES; ++i) {
        c.press[i].param1 = uint8_t(v + i);
        c.release[i].param2 = uint8_t(v + i);
    }
    for (SimConfig::Profile& p : c.profiles)
        p.speed[0] = v;
    return c;
}

bool same(const Config& shown, const SimConfig& sent)
{
    for (int i = 0; i < SimConfig::N_SWITCHES; ++i)
        if (shown.sw_press_config[i]->param1 != sent.press[i].param1 ||
            shown.sw_release_config[i]->param2 != sent.release[i].param2)
            return false;
    for (int j = 0; j < SimConfig::N_PROFILES; ++j)
        if (shown.mouse_move_profiles[j]->speed.value(0) != sent.profiles[j].speed[0])
            return false;
    return true;
}

// Sends whole configurations on `iface` until `stop`, waiting whenever the reader's queue is full
// so that nothing is dropped; returns the number of the last series sent completely.
unsigned flood(int32_t iface, const std::atomic<bool>& stop, std::atomic<unsigned>& reports)
{
    unsigned n = 0;
    for (;; ++n) {
        SimDevice sim;
        sim.set_config(series_config(n));
        for (const SimDevice::Bytes& r : sim.answer()) {
            while (vhid_virtual_send_input(iface, r.data(), int32_t(r.size())) != 0)
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            ++reports;
        }
        if (stop)
            return n;
    }
}

// Runs the event loop until `done` or the timeout, adding the length of each pass in ms.
template <typename Done>
void run_loop(Done done, std::vector<double>& passes, int timeout_ms = TIMEOUT_MS)
{
    QElapsedTimer total, pass;
    total.start();
    while (!done() && total.elapsed() < timeout_ms) {
        pass.start();
        QCoreApplication::processEvents();
        passes.push_back(ms_since(pass));
    }
}

// The longest pass, and the length that 99% of the passes do not exceed.
std::pair<double, double> longest(std::vector<double> passes)
{
    if (passes.empty())
        return {0, 0};
    std::sort(passes.begin(), passes.end());
    return {passes.back(), passes[passes.size() * 99 / 100]};
}

bool run_flood()
{
    const vhid_virtual_iface both{SimDevice::VENDOR_ID, SimDevice::PRODUCT_ID,
                                  SimDevice::USAGE_PAGE, 9, 9};
    const int32_t iface = vhid_virtual_plug(&both, nullptr, nullptr);
    DeviceHid dev;
    Config shown; // the window's copy
    unsigned copies = 0;
    QObject::connect(&dev, &Device::config_ready_changed, &dev, [&] {
        if (dev.is_config_ready()) {
            shown.copy_from(dev.get_config());
            ++copies;
        }
    });
    vhid_virtual_settle();
    if (!dev.is_connected())
        return false;

    // Baseline: the passes that take one ordinary answer.
    std::atomic<bool> stop{true};
    std::atomic<unsigned> reports{0};
    std::vector<double> passes;
    flood(iface, stop, reports);
    run_loop([&] { return same(shown, series_config(0)); }, passes, 5000);
    const double one_answer = longest(passes).first;
    // And the machine's own noise: the loop with the device quiet for as long as a flood.
    passes.clear();
    QElapsedTimer quiet;
    quiet.start();
    run_loop([&] { return quiet.elapsed() >= FLOOD_MS; }, passes);
    const double noise = longest(passes).first;
    std::printf("Flood of whole configurations, %d ms each phase\n", FLOOD_MS);
    std::printf("  baselines: the longest pass that takes one answer: %.3f ms; the longest of "
                "%d ms with the device quiet: %.3f ms\n",
                one_answer, FLOOD_MS, noise);

    for (bool busy : {true, false}) {
        stop = false;
        reports = 0;
        copies = 0;
        passes.clear();
        const double rss_before = rss_mb();
        unsigned last = 0;
        std::thread sender([&] { last = flood(iface, stop, reports); });
        QElapsedTimer timer;
        timer.start();
        std::size_t waiting = 0;
        if (busy) {
            std::this_thread::sleep_for(std::chrono::milliseconds(FLOOD_MS));
            waiting = dev.pending_callbacks();
        } else {
            run_loop([&] { return timer.elapsed() >= FLOOD_MS; }, passes);
        }
        const double rss_flood = rss_mb();
        stop = true;
        sender.join();
        // Until the reader has handed on what the layer still held.
        run_loop([&] { return same(shown, series_config(last)); }, passes, 5000);
        const auto [worst, p99] = longest(passes);
        std::printf("  interface thread %s: %u reports sent\n", busy ? "busy" : "running its loop",
                    reports.load());
        if (busy)
            std::printf("    waiting for the interface thread after the flood: %zu callbacks\n",
                        waiting);
        std::printf("    memory grown by %.1f MB\n", rss_flood - rss_before);
        std::printf(
            "    longest pass of the event loop: %.2f ms (%.1f times the quiet one); 99%% of "
            "%zu passes within %.3f ms; %u copies for the window\n",
            worst, worst / std::max(noise, 1e-3), passes.size(), p99, copies);
        std::printf("    configuration shown is the last one sent: %s\n",
                    same(shown, series_config(last)) ? "yes" : "NO");
    }
    return true;
}

// Destroys a connected device object with `series` configuration writes queued on a link that
// takes `write_ms` per report; gives the time the destructor took in ms.
double destroy_with_queue(int series, unsigned write_ms)
{
    VirtualVelquin vv;
    auto dev = std::make_unique<DeviceHid>();
    if (!vv.plug())
        return -1;
    QElapsedTimer timer;
    timer.start();
    while (!dev->is_config_ready() && timer.elapsed() < TIMEOUT_MS)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    dev->wait_for_writes(TIMEOUT_MS);
    vhid_virtual_set_delays(0, write_ms * 1000);
    for (int i = 0; i < series; ++i) {
        // Each a restore: none replaces another while it waits.
        dev->restore_default_config();
    }
    timer.restart();
    dev.reset();
    const double took = ms_since(timer);
    vhid_virtual_set_delays(0, 0);
    return took;
}

} // namespace

int main(int argc, char** argv)
{
    vhid_virtual_use();
    QCoreApplication app(argc, argv);
    // The device link logs every dropped report at exit; the figures are what matters here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    if (!run_flood()) {
        std::fprintf(stderr, "the virtual interface did not connect\n");
        return 1;
    }
    vhid_virtual_reset();

    std::printf("Quitting over a stalled link\n");
    const double baseline = destroy_with_queue(0, 0);
    std::printf("  baseline: the device object destroyed with nothing queued: %.1f ms\n", baseline);
    for (unsigned write_ms : {100u, 5000u}) {
        const double took = destroy_with_queue(3, write_ms);
        std::printf("  3 writes (66 reports) queued at %u ms per report: %.1f ms (%.0f times the "
                    "baseline)\n",
                    write_ms, took, took / std::max(baseline, 1e-3));
    }
    vhid_virtual_reset();
    vhid_init(); // joins the readers of the unplugged devices
    return 0;
}
