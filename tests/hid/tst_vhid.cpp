// The vhid core on the virtual bus: the connection check and its callbacks for every layout and
// sequence of arrivals, removals and faults; matching and sharing; reads, writes and detaching.
#include "recorder.h"
#include "vhid_virtual.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <sstream>

namespace {

constexpr uint16_t vid = 0x08E6, pid = 0x0001, page = 0xFF00;

vhid_virtual_iface iface(int32_t in_len, int32_t out_len)
{
    return {vid, pid, page, in_len, out_len};
}

class Vhid : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vhid_virtual_use();
        vhid_virtual_reset();
        vhid_init();
    }
    void TearDown() override
    {
        vhid_virtual_reset();
        vhid_init();
        EXPECT_EQ(vhid_virtual_open_handles(), 0) << "a handle outlived re-initialisation";
    }
    int32_t plug(vhid_virtual_iface f)
    {
        const int32_t id = vhid_virtual_plug(&f, nullptr, nullptr);
        vhid_virtual_settle();
        return id;
    }
};

// How each open handle of the plugged interfaces shares, as "0:r3 0:w3 1:r1": interface, access
// (read or write), share flags.
std::string open_modes(const std::vector<int32_t>& ids)
{
    std::ostringstream out;
    for (size_t i = 0; i < ids.size(); ++i) {
        vhid_virtual_open_mode modes[4];
        const int32_t n = vhid_virtual_open_modes(ids[i], modes, 4);
        for (int32_t k = 0; k < n; ++k)
            out << (out.tellp() ? " " : "") << i << ":" << (modes[k].access >> 31 ? "r" : "w")
                << modes[k].share;
    }
    return out.str();
}

struct script_case
{
    const char* name;
    const char* regs;   // "pair": the device object's two; "both": one that reads and writes;
                        // "page 0": one that reads from any usage page
    const char* before; // steps before the callbacks are set
    const char* after;
    const char* callbacks; // index, Connected or Disconnected, on the caller's thread or another
    const char* handles;
};

void PrintTo(const script_case& c, std::ostream* os)
{
    *os << c.name;
}

class VhidScript : public Vhid, public ::testing::WithParamInterface<script_case>
{
};

// Steps: +in +out +both plug one of the device's interfaces, +page1 +len8 +len10 +product2
// +other one that differs (numbered from 0 in plugging order); -N unplugs one; ~ sends an
// unrelated arrival; list / open:N / probe:N set a fault, ok / ok:N clear it; terminate ends the
// notifications.
TEST_P(VhidScript, CallbacksAndHandles)
{
    const script_case& c = GetParam();
    recorder rec;
    std::vector<int32_t> ids;
    const auto run = [&](const char* steps) {
        std::istringstream in(steps);
        for (std::string s; in >> s;) {
            const int32_t n =
                s.find(':') != std::string::npos ? std::stoi(s.substr(s.find(':') + 1)) : 0;
            const int32_t target = s.find(':') != std::string::npos ? ids.at(size_t(n)) : -1;
            if (s[0] == '+') {
                const std::map<std::string, vhid_virtual_iface> kinds{
                    {"+in", iface(9, 0)},
                    {"+out", iface(0, 9)},
                    {"+both", iface(9, 9)},
                    {"+page1", {vid, pid, 1, 9, 0}},
                    {"+len8", iface(8, 0)},
                    {"+len10", iface(10, 0)},
                    {"+product2", {vid, 2, page, 9, 0}},
                    {"+other", {0x046D, 0xC077, 1, 5, 0}}};
                ids.push_back(vhid_virtual_plug(&kinds.at(s), nullptr, nullptr));
            } else if (s[0] == '-') {
                vhid_virtual_unplug(ids.at(size_t(std::stoi(s.substr(1)))));
            } else if (s == "~") {
                vhid_virtual_notify_arrival();
            } else if (s == "terminate") {
                vhid_terminate();
            } else {
                const uint32_t fault = s == "list"                ? VHID_VIRTUAL_FAULT_LIST
                                       : s.rfind("open", 0) == 0  ? VHID_VIRTUAL_FAULT_OPEN
                                       : s.rfind("probe", 0) == 0 ? VHID_VIRTUAL_FAULT_PROBE
                                                                  : 0;
                vhid_virtual_set_faults(target, fault);
            }
            vhid_virtual_settle();
        }
    };
    run(c.before);
    if (c.regs == std::string("pair"))
        rec.attach_device_pair();
    else
        rec.attach(c.regs == std::string("both") ? vhid_add_device(vid, pid, page, 9, 9)
                                                 : vhid_add_device(vid, pid, 0, 9, 0));
    run(c.after);
    std::ostringstream seen;
    for (const recorder::event& e : rec.snapshot())
        seen << (seen.tellp() ? " " : "") << e.index << (e.what == recorder::connected ? "C" : "D")
             << (e.thread == std::this_thread::get_id() ? "c" : "n");
    EXPECT_EQ(seen.str(), c.callbacks);
    EXPECT_EQ(open_modes(ids), c.handles);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, VhidScript,
    ::testing::Values(
        script_case{"Absent", "pair", "", "", "0Dc 1Dc", ""},
        script_case{"PresentOneCollection", "pair", "+both", "", "0Cc 1Cc", "0:r3 0:w3"},
        script_case{"PresentTwoCollections", "pair", "+in +out", "", "0Cc 1Cc", "0:r1 1:w1"},
        script_case{"PlugAndUnplug", "pair", "", "+both -0", "0Dc 1Dc 0Cn 1Cn 0Dn 1Dn", ""},
        script_case{"TwoCollections", "pair", "", "+in +out -1 -0", "0Dc 1Dc 0Cn 1Cn 1Dn 0Dn", ""},
        script_case{"OutputFirst", "pair", "", "+out +in", "0Dc 1Dc 1Cn 0Cn", "0:w1 1:r1"},
        script_case{"OtherDevices", "pair", "+page1 +len8 +len10 +product2", "+other -4 ~",
                    "0Dc 1Dc", ""},
        script_case{"AnyUsagePage", "page 0", "+page1", "", "0Cc", "0:r1"},
        script_case{"UnrelatedArrivals", "pair", "+both", "+other -1 ~ ~", "0Cc 1Cc", "0:r3 0:w3"},
        script_case{"NoListAtFirst", "pair", "+both list", "ok ~", "0Cn 1Cn", "0:r3 0:w3"},
        script_case{"NoListKeepsHandles", "pair", "+both", "list ~ ok ~", "0Cc 1Cc 0Cn 1Cn",
                    "0:r3 0:w3"},
        script_case{"HeldElsewhere", "pair", "+in probe:0", "+in", "0Dc 1Dc 0Cn", "1:r1"},
        script_case{"LaterMatchReplaces", "pair", "+in", "+in ~", "0Cc 1Dc", "1:r1"},
        script_case{"EarlierMatchAgain", "pair", "+in", "+in -1", "0Cc 1Dc", "0:r1"},
        script_case{"FailedOpenLeavesNothing", "both", "+in +out open:1", "", "0Dc", ""},
        script_case{"FailedOpenWhileConnected", "both", "+in", "list +out open:1 ok ~ ok:1 ~",
                    "0Cc 0Dn 0Cn", "0:r1 1:w1"},
        script_case{"Terminated", "pair", "", "terminate +both", "0Dc 1Dc", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Reports reach the reader in order and as long as they were sent, through empty reads and an
// unrelated arrival (re-opening on every arrival lost the reports still queued on the old handle).
// Where 0 bytes mean the end of the file, a reader that went on reading would spin for ever.
TEST_F(Vhid, ReportsArriveInOrderAsSentAndTheReaderEndsWithItsInterface)
{
    const int32_t dev = plug(iface(9, 0));
    recorder rec;
    rec.attach_device_pair();
    vhid_virtual_set_delays(2000, 0);
    vhid_virtual_set_faults(dev, VHID_VIRTUAL_FAULT_ZERO_READ);
    for (uint8_t i = 0; i < 22; ++i) {
        const uint8_t report[3] = {4, i, 0xAA};
        ASSERT_EQ(vhid_virtual_send_input(dev, report, 3), 0);
    }
    vhid_virtual_unplug(plug({0x046D, 0xC077, 1, 5, 0}));
    vhid_virtual_notify_arrival();
    ASSERT_TRUE(rec.wait_for(recorder::report, 22));
    uint8_t next = 0;
    for (const auto& e : rec.snapshot()) {
        if (e.what != recorder::report)
            continue;
        EXPECT_EQ(e.index, rec.in);
        EXPECT_NE(e.thread, std::this_thread::get_id());
        EXPECT_EQ(e.data, (std::vector<uint8_t>{4, next++, 0xAA})) << "as long as it was sent";
    }
    vhid_terminate(); // no removal check stops the reader
    vhid_virtual_set_faults(dev, VHID_VIRTUAL_FAULT_ZERO_AT_END);
    vhid_virtual_unplug(dev);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (vhid_virtual_open_handles() > 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(vhid_virtual_open_handles(), 0) << "the reader still reads its dead handle";
    EXPECT_EQ(rec.count(recorder::report), 22u);
}

TEST_F(Vhid, Writes)
{
    std::vector<std::vector<uint8_t>> written; // on this thread, as each write runs
    const vhid_virtual_iface f = iface(0, 9);
    const int32_t dev = vhid_virtual_plug(
        &f,
        [](void* to, int32_t, const uint8_t* data, int32_t length) {
            static_cast<std::vector<std::vector<uint8_t>>*>(to)->emplace_back(data, data + length);
        },
        &written);
    vhid_virtual_settle();
    const uint8_t report[12] = {5, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    recorder rec;
    rec.hook = [&](const recorder::event& e) { // the first check, from inside its callback
        if (e.what == recorder::connected) {
            EXPECT_EQ(vhid_write(rec.out, report, 9), 9);
        }
    };
    rec.attach_device_pair();
    rec.hook = nullptr;
    EXPECT_EQ(vhid_write(rec.out, report, 0), -1);
    EXPECT_EQ(vhid_write(2, report, 9), -1) << "no such registration";
    EXPECT_EQ(vhid_write(rec.in, report, 9), -1) << "a registration that never writes";
    // A one-byte heap buffer: reading a second byte would be a heap overflow under ASan.
    auto one = std::make_unique<uint8_t[]>(1);
    one[0] = 5;
    EXPECT_EQ(vhid_write(rec.out, one.get(), 1), 9);
    EXPECT_EQ(vhid_write(rec.out, report, 12), 9);
    EXPECT_EQ(written, (std::vector<std::vector<uint8_t>>{{5, 1, 2, 3, 4, 5, 6, 7, 8},
                                                          {5, 0, 0, 0, 0, 0, 0, 0, 0},
                                                          {5, 1, 2, 3, 4, 5, 6, 7, 8}}));
    vhid_virtual_set_faults(dev, VHID_VIRTUAL_FAULT_WRITE);
    EXPECT_EQ(vhid_write(rec.out, report, 9), 0);
    // A handle that failed a write is opened anew by the next check, without a callback.
    vhid_virtual_set_faults(dev, VHID_VIRTUAL_FAULT_NONE);
    vhid_virtual_notify_arrival();
    vhid_virtual_settle();
    EXPECT_EQ(vhid_write(rec.out, report, 9), 9);
    EXPECT_EQ(rec.count(recorder::connected), 1u);
    vhid_virtual_unplug(dev); // the write may run before or after the removal's check
    const int32_t result = vhid_write(rec.out, report, 9);
    EXPECT_TRUE(result == 0 || result == -1) << result;
    vhid_virtual_settle();
    EXPECT_EQ(vhid_write(rec.out, report, 9), -1);
}

// Detaching from another thread waits for the running callback; from inside the callback it
// returns at once. Either way no callback follows.
TEST_F(Vhid, DetachWaitsForARunningCallbackAndWorksFromInsideOne)
{
    const int32_t dev = plug(iface(9, 0));
    const uint8_t report[9] = {4};
    for (bool inside : {false, true}) {
        std::atomic<int> entered{0};
        std::atomic<bool> release{inside}, detached{false};
        recorder rec;
        rec.hook = [&](const recorder::event& e) {
            if (e.what == recorder::report && ++entered && inside)
                vhid_detach(e.index);
            while (e.what == recorder::report && !release)
                std::this_thread::yield();
        };
        rec.attach_device_pair();
        for (int i = 0; i < 3; ++i)
            ASSERT_EQ(vhid_virtual_send_input(dev, report, 9), 0);
        for (auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
             !entered && std::chrono::steady_clock::now() < until;)
            std::this_thread::yield();
        std::thread owner([&] {
            vhid_detach(rec.in);
            detached = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_TRUE(inside || !detached) << "detach returned while the callback ran";
        release = true;
        owner.join();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(entered, 1) << "a callback after detach";
        EXPECT_EQ(rec.count(recorder::report), 1u) << "the callback returned";
    }
}

} // namespace
