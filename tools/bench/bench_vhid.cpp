// Figures of the HID layer on the virtual bus: the latency from an input report sent to its
// report callback (median, p99) and output reports written per second, each beside a baseline
// measured in the same run (a bare condition-variable hand-off between two threads, and a
// direct call of the output handler).
//
//   bench_vhid [reports] [seconds of writing]
#include "vhid.h"
#include "vhid_virtual.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

struct latency_probe
{
    std::mutex mutex;
    std::condition_variable arrived;
    bool got = false;
    clock_type::time_point received;

    void mark()
    {
        const auto now = clock_type::now();
        std::lock_guard<std::mutex> lock(mutex);
        received = now;
        got = true;
        arrived.notify_one();
    }
    double wait_us(clock_type::time_point sent)
    {
        std::unique_lock<std::mutex> lock(mutex);
        arrived.wait(lock, [&] { return got; });
        got = false;
        return std::chrono::duration<double, std::micro>(received - sent).count();
    }
};

void print_percentiles(const char* what, std::vector<double> us)
{
    std::sort(us.begin(), us.end());
    const double median = us[us.size() / 2];
    const double p99 = us[std::min(us.size() - 1, us.size() * 99 / 100)];
    std::printf("%-44s median %8.1f us   p99 %8.1f us\n", what, median, p99);
}

double median_of(std::vector<double> us)
{
    std::sort(us.begin(), us.end());
    return us[us.size() / 2];
}

// A report sent with vhid_virtual_send_input until the reader thread calls back, one at a time.
std::vector<double> layer_latency(int n)
{
    vhid_virtual_iface iface{0x08E6, 0x0001, 0xFF00, 9, 0};
    const int32_t dev = vhid_virtual_plug(&iface, nullptr, nullptr);
    vhid_virtual_settle();
    latency_probe probe;
    const int32_t index = vhid_add_device(0x08E6, 0x0001, 0xFF00, 9, 0);
    vhid_set_callbacks(
        index, nullptr, nullptr,
        [](void* user, int32_t, uint8_t*, int32_t) { static_cast<latency_probe*>(user)->mark(); },
        &probe);
    std::vector<double> us;
    us.reserve(size_t(n));
    const uint8_t report[9] = {4, 0x10};
    for (int i = 0; i < n; ++i) {
        const auto sent = clock_type::now();
        vhid_virtual_send_input(dev, report, 9);
        us.push_back(probe.wait_us(sent));
    }
    vhid_detach(index);
    vhid_virtual_unplug(dev);
    vhid_virtual_settle();
    return us;
}

// The least any cross-thread delivery costs: a flag and a notify to a thread waiting for it.
std::vector<double> handoff_latency(int n)
{
    latency_probe probe;
    std::mutex m;
    std::condition_variable cv;
    bool pending = false, done = false;
    std::thread other([&] {
        std::unique_lock<std::mutex> lock(m);
        for (;;) {
            cv.wait(lock, [&] { return pending || done; });
            if (done)
                return;
            pending = false;
            probe.mark();
        }
    });
    std::vector<double> us;
    us.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const auto sent = clock_type::now();
        {
            std::lock_guard<std::mutex> lock(m);
            pending = true;
        }
        cv.notify_one();
        us.push_back(probe.wait_us(sent));
    }
    {
        std::lock_guard<std::mutex> lock(m);
        done = true;
    }
    cv.notify_one();
    other.join();
    return us;
}

std::atomic<long> received_bytes{0};

void count_output(void*, int32_t, const uint8_t* data, int32_t length)
{
    if (data[0] == 5)
        received_bytes += length;
}

double writes_per_second(double seconds, bool through_layer)
{
    vhid_init(); // no registration of an earlier run holds the interface
    vhid_virtual_iface iface{0x08E6, 0x0001, 0xFF00, 0, 9};
    const int32_t dev = vhid_virtual_plug(&iface, count_output, nullptr);
    vhid_virtual_settle();
    const int32_t index = vhid_add_device(0x08E6, 0x0001, 0xFF00, 0, 9);
    vhid_set_callbacks(index, nullptr, nullptr, nullptr, nullptr);
    uint8_t report[9] = {5, 0x02};
    long writes = 0;
    const auto start = clock_type::now();
    const auto until = start + std::chrono::duration<double>(seconds);
    while (clock_type::now() < until) {
        for (int i = 0; i < 256; ++i) {
            report[2] = uint8_t(i);
            if (through_layer)
                vhid_write(index, report, 9);
            else
                count_output(nullptr, dev, report, 9);
        }
        writes += 256;
    }
    const double elapsed = std::chrono::duration<double>(clock_type::now() - start).count();
    vhid_virtual_unplug(dev);
    vhid_virtual_settle();
    return double(writes) / elapsed;
}

} // namespace

int main(int argc, char** argv)
{
    const int reports = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;
    const double seconds = argc > 2 ? std::max(0.1, std::atof(argv[2])) : 1.0;
    vhid_virtual_use();
    vhid_init();

    std::printf("Virtual bus, %d input reports of 9 bytes, one at a time:\n", reports);
    const auto handoff = handoff_latency(reports);
    const auto layer = layer_latency(reports);
    print_percentiles("  baseline: condition-variable hand-off", handoff);
    print_percentiles("  input report to report callback", layer);
    std::printf("  ratio of medians: %.1f\n\n", median_of(layer) / median_of(handoff));

    std::printf("Output reports of 9 bytes, %.1f s each:\n", seconds);
    const double direct = writes_per_second(seconds, false);
    const double written = writes_per_second(seconds, true);
    std::printf("  baseline: direct call of the output handler %12.0f /s\n", direct);
    std::printf("  vhid_write                                  %12.0f /s\n", written);
    std::printf("  ratio: %.1f times slower than the direct call\n", direct / written);
    vhid_init(); // closes everything before the process ends
    return received_bytes.load() > 0 ? 0 : 1;
}
