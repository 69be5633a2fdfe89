// The vhid core under load on the virtual bus: thousands of plug/unplug cycles with input
// reports streaming in and output reports written from another thread, detaching under fire.
// Run under TSan and ASan+UBSan as well.
#include "recorder.h"
#include "vhid.h"
#include "vhid_virtual.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#ifdef __linux__
#include <dirent.h>
#endif

namespace {

using namespace std::chrono_literals;

constexpr int32_t vid = 0x08E6;
constexpr int32_t pid = 0x0001;
constexpr int32_t page = 0xFF00;

int cycles(int fallback)
{
    const char* env = std::getenv("VHID_STRESS_CYCLES");
    return env ? std::atoi(env) : fallback;
}

int thread_count()
{
#ifdef __linux__
    int n = 0;
    if (DIR* d = opendir("/proc/self/task")) {
        while (dirent* e = readdir(d))
            n += e->d_name[0] != '.';
        closedir(d);
    }
    return n;
#else
    return 0;
#endif
}

// A report that carries its sequence number twice, so a torn or stale buffer shows.
void make_report(uint8_t* r, uint32_t seq)
{
    r[0] = 4;
    for (int i = 0; i < 4; ++i) {
        r[1 + i] = uint8_t(seq >> (8 * i));
        r[5 + i] = uint8_t(~(seq >> (8 * i)));
    }
}

bool read_report(const uint8_t* r, int32_t length, uint32_t& seq)
{
    if (length != 9 || r[0] != 4)
        return false;
    seq = 0;
    for (int i = 0; i < 4; ++i) {
        if (uint8_t(r[1 + i] ^ r[5 + i]) != 0xFF)
            return false;
        seq |= uint32_t(r[1 + i]) << (8 * i);
    }
    return true;
}

// Counts transitions per record and every rule a callback sequence can break.
struct watcher
{
    std::mutex mutex;
    std::condition_variable changed;
    int state[2] = {0, 0};
    int connects[2] = {0, 0};
    int disconnects[2] = {0, 0};
    std::atomic<int> violations{0};  // a callback repeated the state it reported last
    std::atomic<int> bad_reports{0}; // torn, misaddressed or out of order
    std::atomic<int> reports{0};
    std::atomic<uint32_t> last_seq{0};
    std::atomic<int> write_in_callback_failures{0};
    bool write_on_connect = false;

    static void on_connected(void* self, int32_t index)
    {
        auto* w = static_cast<watcher*>(self);
        if (w->write_on_connect && index == 1) {
            uint8_t r[9];
            make_report(r, 0);
            r[0] = 5;
            if (vhid_write(1, r, 9) != 9)
                w->write_in_callback_failures++;
        }
        std::lock_guard<std::mutex> lock(w->mutex);
        w->violations += w->state[index] == 1;
        w->state[index] = 1;
        w->connects[index]++;
        w->changed.notify_all();
    }
    static void on_disconnected(void* self, int32_t index)
    {
        auto* w = static_cast<watcher*>(self);
        std::lock_guard<std::mutex> lock(w->mutex);
        w->violations += w->state[index] == 2;
        w->state[index] = 2;
        w->disconnects[index]++;
        w->changed.notify_all();
    }
    static void on_report(void* self, int32_t index, uint8_t* data, int32_t length)
    {
        auto* w = static_cast<watcher*>(self);
        uint32_t seq;
        if (index != 0 || !read_report(data, length, seq)) {
            w->bad_reports++;
            return;
        }
        // Readers follow one another, so sequence numbers only grow.
        if (seq <= w->last_seq.exchange(seq))
            w->bad_reports++;
        w->reports++;
    }

    bool wait(int (watcher::*counts)[2], int n)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, 10s,
                                [&] { return (this->*counts)[0] >= n && (this->*counts)[1] >= n; });
    }
    std::string describe()
    {
        std::lock_guard<std::mutex> lock(mutex);
        char text[160];
        std::snprintf(text, sizeof text,
                      "connects %d/%d, disconnects %d/%d, violations %d, bad reports %d",
                      connects[0], connects[1], disconnects[0], disconnects[1], violations.load(),
                      bad_reports.load());
        return text;
    }
    void attach_pair()
    {
        ASSERT_EQ(vhid_add_device(vid, pid, page, 9, 0), 0);
        vhid_set_callbacks(0, on_connected, on_disconnected, on_report, this);
        ASSERT_EQ(vhid_add_device(vid, pid, page, 0, 9), 1);
        vhid_set_callbacks(1, on_connected, on_disconnected, on_report, this);
    }
};

void check_output(void* user, int32_t, const uint8_t* data, int32_t length)
{
    uint32_t seq;
    auto* bad = static_cast<std::atomic<int>*>(user);
    if (length != 9 || data[0] != 5 || !read_report(data, length, seq))
        if (!(length == 9 && data[0] == 5))
            (*bad)++;
}

class VhidStress : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vhid_virtual_use();
        vhid_virtual_reset();
        vhid_init();
        threads_before = thread_count();
    }
    void TearDown() override
    {
        vhid_virtual_reset();
        vhid_virtual_settle();
        EXPECT_EQ(vhid_virtual_open_handles(), 0) << "leaked handles";
        EXPECT_EQ(thread_count(), threads_before) << "leaked reader threads";
        vhid_init();
    }
    int threads_before = 0;
};

// Streams input reports to whatever interface `current` names, paced like a busy device.
struct streamer
{
    std::atomic<int32_t> current{-1};
    std::atomic<bool> stop{false};
    std::atomic<uint32_t> seq{1};
    std::thread thread{[this] {
        while (!stop.load()) {
            const int32_t id = current.load();
            if (id >= 0) {
                uint8_t r[9];
                make_report(r, seq.fetch_add(1));
                vhid_virtual_send_input(id, r, 9);
            }
            std::this_thread::sleep_for(20us);
        }
    }};
    ~streamer()
    {
        stop = true;
        thread.join();
    }
};

// Writes output reports to registration 1 from its own thread and checks every result.
struct writer_thread
{
    std::atomic<bool> stop{false};
    std::atomic<int> written{0};
    std::atomic<int> bad_results{0};
    std::thread thread{[this] {
        uint8_t r[9];
        make_report(r, 7);
        r[0] = 5;
        while (!stop.load()) {
            const int32_t n = vhid_write(1, r, 9);
            if (n == 9)
                written++;
            else if (n != 0 && n != -1)
                bad_results++;
            std::this_thread::sleep_for(20us);
        }
    }};
    ~writer_thread()
    {
        stop = true;
        thread.join();
    }
};

TEST_F(VhidStress, PlugUnplugCyclesWithTrafficGiveOneCallbackPerTransition)
{
    const int n = cycles(3000);
    watcher w;
    detach_all guard;
    w.write_on_connect = true;
    w.attach_pair();
    std::atomic<int> bad_output{0};
    const auto start = std::chrono::steady_clock::now();
    {
        streamer in;
        writer_thread out;
        for (int c = 1; c <= n; ++c) {
            // Alternate between one two-way collection and two one-way collections.
            int32_t ids[2] = {-1, -1};
            if (c % 2) {
                vhid_virtual_iface both{vid, pid, page, 9, 9};
                ids[0] = vhid_virtual_plug(&both, check_output, &bad_output);
            } else {
                vhid_virtual_iface input{vid, pid, page, 9, 0};
                vhid_virtual_iface output{vid, pid, page, 0, 9};
                ids[0] = vhid_virtual_plug(&input, nullptr, nullptr);
                ids[1] = vhid_virtual_plug(&output, check_output, &bad_output);
            }
            const int reports_before = w.reports.load();
            in.current = ids[0];
            ASSERT_TRUE(w.wait(&watcher::connects, c)) << "cycle " << c << ": " << w.describe();
            for (auto until = std::chrono::steady_clock::now() + 10s;
                 w.reports.load() == reports_before && std::chrono::steady_clock::now() < until;)
                std::this_thread::yield();
            if (c % 16 == 0) // an unrelated device while connected: no callback
                vhid_virtual_notify_arrival();
            in.current = -1;
            for (int32_t id : ids)
                vhid_virtual_unplug(id);
            ASSERT_TRUE(w.wait(&watcher::disconnects, c + 1))
                << "cycle " << c << ": " << w.describe();
        }
        vhid_virtual_settle();
        EXPECT_EQ(out.bad_results.load(), 0);
        EXPECT_GT(out.written.load(), 0);
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d cycles in %.1f s, %d reports read\n", n, seconds, w.reports.load());

    std::lock_guard<std::mutex> lock(w.mutex);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(w.connects[i], n);
        EXPECT_EQ(w.disconnects[i], n + 1) << "the first check reported disconnected";
    }
    EXPECT_EQ(w.violations.load(), 0);
    EXPECT_EQ(w.bad_reports.load(), 0);
    EXPECT_EQ(w.write_in_callback_failures.load(), 0);
    EXPECT_EQ(bad_output.load(), 0);
    EXPECT_GE(w.reports.load(), n) << "reports flowed in every cycle";
}

TEST_F(VhidStress, UnpacedPlugUnplugKeepsCallbacksAlternating)
{
    const int n = cycles(3000) * 2;
    watcher w;
    detach_all guard;
    w.attach_pair();
    std::mt19937 random(12345);
    std::vector<int32_t> plugged;
    {
        streamer in;
        writer_thread out;
        for (int i = 0; i < n; ++i) {
            // At most four matching interfaces at a time, as a real desk might have.
            const unsigned op = plugged.size() >= 4 ? 2 : random() % 4;
            switch (op) {
            case 0:
            case 1: {
                vhid_virtual_iface both{vid, pid, page, 9, 9};
                plugged.push_back(vhid_virtual_plug(&both, nullptr, nullptr));
                in.current = plugged.back();
                break;
            }
            case 2:
                if (!plugged.empty()) {
                    const size_t k = random() % plugged.size();
                    vhid_virtual_unplug(plugged[k]);
                    plugged.erase(plugged.begin() + long(k));
                    in.current = plugged.empty() ? -1 : plugged.back();
                }
                break;
            default:
                vhid_virtual_notify_arrival();
            }
        }
        vhid_virtual_settle();
        std::lock_guard<std::mutex> lock(w.mutex);
        EXPECT_EQ(w.state[0], plugged.empty() ? 2 : 1);
        EXPECT_EQ(w.state[1], plugged.empty() ? 2 : 1);
    }
    vhid_virtual_reset();
    vhid_virtual_settle();
    std::lock_guard<std::mutex> lock(w.mutex);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(w.state[i], 2);
        EXPECT_EQ(w.disconnects[i], w.connects[i] + 1);
    }
    EXPECT_EQ(w.violations.load(), 0);
    EXPECT_EQ(w.bad_reports.load(), 0);
}

TEST_F(VhidStress, NoCallbackAfterDetachReturns)
{
    const int n = cycles(3000) / 4;
    vhid_virtual_iface both{vid, pid, page, 9, 9};
    const int32_t dev = vhid_virtual_plug(&both, nullptr, nullptr);
    vhid_virtual_settle();
    ASSERT_EQ(vhid_add_device(vid, pid, page, 9, 0), 0);

    struct watch
    {
        std::atomic<bool> detached{false};
        std::atomic<int> late{0};
        std::atomic<int> calls{0};
    } g;
    detach_all guard;
    auto on_report = [](void* user, int32_t, uint8_t*, int32_t) {
        auto* g = static_cast<watch*>(user);
        g->calls++;
        std::this_thread::sleep_for(10us); // widen the window in which detach must wait
        g->late += g->detached.load();
    };
    streamer in;
    in.current = dev;
    std::mt19937 random(7);
    for (int i = 0; i < n; ++i) {
        g.detached = false;
        const int calls_before = g.calls.load();
        vhid_set_callbacks(0, nullptr, nullptr, on_report, &g);
        // Detach while reports are flowing: after the first one, at a random moment.
        for (auto until = std::chrono::steady_clock::now() + 10s;
             g.calls.load() == calls_before && std::chrono::steady_clock::now() < until;)
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 200));
        vhid_detach(0);
        g.detached = true;
        if (i % 8 == 0)
            vhid_virtual_notify_arrival();
    }
    in.current = -1;
    EXPECT_EQ(g.late.load(), 0);
    EXPECT_GE(g.calls.load(), n) << "reports flowed in every round";
}

} // namespace
