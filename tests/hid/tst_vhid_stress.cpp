// The vhid core under load on the virtual bus: thousands of plug and unplug cycles, paced and not,
// with input reports streaming in and output reports written from another thread and from inside
// the connected callbacks. Run under TSan and ASan+UBSan as well.
#include "recorder.h"
#include "vhid_virtual.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

using namespace std::chrono_literals;

// Reports carry a sequence number and its complement, so that a torn or stale buffer shows.
struct stream
{
    uint8_t id;
    std::atomic<uint32_t> next{1}, last{0};
    std::atomic<int> bad{0};
    std::array<uint8_t, 9> make()
    {
        const uint32_t seq = next++, inverse = ~seq;
        std::array<uint8_t, 9> r{id};
        std::memcpy(&r[1], &seq, 4);
        std::memcpy(&r[5], &inverse, 4);
        return r;
    }
    // In order, when the stream has one reader at a time.
    void check(const uint8_t* r, int32_t length, bool ordered)
    {
        uint32_t seq = 0, inverse = 0;
        if (length == 9 && r[0] == id)
            std::memcpy(&seq, r + 1, 4), std::memcpy(&inverse, r + 5, 4);
        bad += inverse != ~seq || (ordered && seq <= last.exchange(seq));
    }
};

// Every third cycle plugs and unplugs at once; the others wait for the callbacks and a report.
TEST(VhidStress, PlugUnplugStormGivesOneCallbackPerTransition)
{
    vhid_virtual_use();
    vhid_virtual_reset();
    vhid_init();
    const char* env = std::getenv("VHID_STRESS_CYCLES");
    const int n = env ? std::atoi(env) : 3000;
    stream in{4};
    const uint8_t report[9] = {5};
    std::atomic<int> reports{0}, bad_results{0};
    // A write fails when the device went meanwhile (an unpaced cycle), but never half-way.
    const auto write = [&] {
        const int32_t written = vhid_write(1, report, 9);
        bad_results += written != 9 && written != 0 && written != -1;
    };
    recorder rec;
    rec.keep_reports = false;
    rec.hook = [&](const recorder::event& e) {
        if (e.what == recorder::connected && e.index == 1)
            write(); // from inside the check
        if (e.what == recorder::report) {
            in.check(e.data.data(), int32_t(e.data.size()), true); // readers follow one another
            bad_results += e.index != 0;
            ++reports;
        }
    };
    rec.attach_device_pair();
    std::atomic<int32_t> target{-1};
    std::atomic<bool> stop{false};
    std::thread input([&] {
        for (; !stop; std::this_thread::sleep_for(20us))
            if (target >= 0)
                vhid_virtual_send_input(target, in.make().data(), 9);
    });
    std::thread output([&] {
        for (; !stop; std::this_thread::sleep_for(20us))
            write();
    });
    size_t paced = 0;
    for (int c = 1; c <= n; ++c) {
        const size_t connects = rec.count(recorder::connected);
        const size_t disconnects = rec.count(recorder::disconnected);
        vhid_virtual_iface both{0x08E6, 1, 0xFF00, 9, 9}, one_way[2] = {both, both};
        one_way[0].output_report_len = one_way[1].input_report_len = 0;
        // One collection, or an input-only and an output-only one.
        const int32_t ids[2] = {vhid_virtual_plug(c % 2 ? &both : &one_way[0], nullptr, nullptr),
                                c % 2 ? -1 : vhid_virtual_plug(&one_way[1], nullptr, nullptr)};
        target = ids[0];
        if (c % 3) {
            ++paced;
            const int before = reports;
            if (!rec.wait_for(recorder::connected, connects + 2)) {
                ADD_FAILURE() << "no connection in cycle " << c;
                break;
            }
            for (auto until = std::chrono::steady_clock::now() + 10s;
                 reports == before && std::chrono::steady_clock::now() < until;)
                std::this_thread::yield();
            if (c % 16 == 1)
                vhid_virtual_notify_arrival(); // an unrelated device while connected
        }
        target = -1;
        for (int32_t id : ids)
            vhid_virtual_unplug(id);
        if (c % 3 && !rec.wait_for(recorder::disconnected, disconnects + 2))
            ADD_FAILURE() << "no removal in cycle " << c;
        vhid_virtual_settle();
    }
    stop = true;
    input.join();
    output.join();
    for (int32_t i : {0, 1}) {
        EXPECT_EQ(rec.count(recorder::disconnected, i), rec.count(recorder::connected, i) + 1);
        EXPECT_GE(rec.count(recorder::connected, i), paced);
    }
    EXPECT_EQ(rec.repeated_transitions(), 0);
    EXPECT_EQ(in.bad, 0);
    EXPECT_EQ(bad_results, 0);
    EXPECT_GE(size_t(reports), paced) << "reports flowed in every paced cycle";
    vhid_virtual_reset();
    vhid_init();
    EXPECT_EQ(vhid_virtual_open_handles(), 0) << "leaked handles";
}

} // namespace
