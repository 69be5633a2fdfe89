// The vhid core on the virtual bus: the table, the connection check and its callbacks, sharing,
// reads, writes, detaching and re-initialisation.
#include "recorder.h"
#include "vhid.h"
#include "vhid_virtual.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

namespace {

constexpr int32_t vid = 0x08E6;
constexpr int32_t pid = 0x0001;
constexpr int32_t page = 0xFF00;

vhid_virtual_iface device_iface(int32_t in_len, int32_t out_len, uint16_t usage_page = page)
{
    return vhid_virtual_iface{vid, pid, usage_page, in_len, out_len};
}

// Output reports that reached a virtual interface.
struct sink
{
    std::mutex mutex;
    std::vector<std::vector<uint8_t>> reports;

    static void take(void* self, int32_t, const uint8_t* data, int32_t length)
    {
        auto* s = static_cast<sink*>(self);
        std::lock_guard<std::mutex> lock(s->mutex);
        s->reports.emplace_back(data, data + length);
    }
    std::vector<std::vector<uint8_t>> all()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return reports;
    }
};

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

    int32_t plug(vhid_virtual_iface iface, sink* out = nullptr)
    {
        const int32_t id = vhid_virtual_plug(&iface, out ? sink::take : nullptr, out);
        vhid_virtual_settle();
        return id;
    }
    void unplug(int32_t id)
    {
        vhid_virtual_unplug(id);
        vhid_virtual_settle();
    }
    void add_device_pair() { ASSERT_TRUE(rec.attach_device_pair()); }
    std::vector<vhid_virtual_open_mode> modes(int32_t iface)
    {
        std::vector<vhid_virtual_open_mode> m(8);
        m.resize(size_t(vhid_virtual_open_modes(iface, m.data(), int32_t(m.size()))));
        return m;
    }

    recorder rec;
};

// --- The table of registrations -----------------------------------------------------------

TEST_F(Vhid, TableHoldsThirtyTwoAndRefusesTheThirtyThird)
{
    for (int32_t i = 0; i < VHID_MAX_DEVICES; ++i)
        ASSERT_EQ(vhid_add_device(vid, pid, page, 9, 0), i);
    EXPECT_EQ(vhid_add_device(vid, pid, page, 9, 0), -1);
    EXPECT_EQ(vhid_add_device(vid, pid, page, 9, 0), -1);

    rec.attach(VHID_MAX_DEVICES); // not a record: ignored
    rec.attach(-1);
    EXPECT_TRUE(rec.snapshot().empty());
    rec.attach(VHID_MAX_DEVICES - 1);
    EXPECT_EQ(rec.count(recorder::disconnected, VHID_MAX_DEVICES - 1), 1u);
}

TEST_F(Vhid, AddDeviceMakesNoCheckAndNoCallback)
{
    plug(device_iface(9, 0));
    ASSERT_EQ(vhid_add_device(vid, pid, page, 9, 0), 0);
    vhid_virtual_notify_arrival();
    vhid_virtual_settle();
    EXPECT_EQ(vhid_virtual_open_handles(), 0);
    rec.attach(0);
    EXPECT_EQ(rec.count(recorder::connected, 0), 1u) << "the first check belongs to the caller";
}

// --- The first check, run by vhid_set_callbacks ------------------------------------------

TEST_F(Vhid, FirstCheckWithoutDeviceCallsDisconnectedOnceOnTheCallingThread)
{
    add_device_pair();
    auto events = rec.snapshot();
    ASSERT_EQ(events.size(), 2u);
    for (int32_t i = 0; i < 2; ++i) {
        EXPECT_EQ(events[size_t(i)].what, recorder::disconnected);
        EXPECT_EQ(events[size_t(i)].index, i);
        EXPECT_EQ(events[size_t(i)].thread, std::this_thread::get_id());
    }
    // Another device coming and going changes nothing for these records.
    const int32_t other = plug(vhid_virtual_iface{0x1234, 0x5678, 1, 5, 0});
    unplug(other);
    EXPECT_EQ(rec.snapshot().size(), 2u);
}

TEST_F(Vhid, FirstCheckWithDeviceCallsConnectedOnTheCallingThread)
{
    sink out;
    plug(device_iface(9, 9), &out);
    bool wrote = false;
    rec.on_connected = [&](int32_t index) {
        if (index == 1) {
            const uint8_t request[9] = {5, 0x01};
            wrote = vhid_write(1, request, 9) == 9;
        }
    };
    add_device_pair();
    auto events = rec.snapshot();
    ASSERT_EQ(events.size(), 2u);
    for (const auto& e : events) {
        EXPECT_EQ(e.what, recorder::connected);
        EXPECT_EQ(e.thread, std::this_thread::get_id());
    }
    EXPECT_TRUE(wrote) << "a connected callback writes from inside the check";
    ASSERT_EQ(out.all().size(), 1u);
    EXPECT_EQ(out.all()[0][1], 0x01);
}

TEST_F(Vhid, NoInterfaceListMeansNoCallbackUntilAListCanBeMade)
{
    vhid_virtual_set_faults(-1, VHID_VIRTUAL_FAULT_LIST);
    add_device_pair();
    EXPECT_TRUE(rec.snapshot().empty());
    vhid_virtual_set_faults(-1, VHID_VIRTUAL_FAULT_NONE);
    vhid_virtual_notify_arrival();
    vhid_virtual_settle();
    EXPECT_EQ(rec.count(recorder::disconnected, 0), 1u);
    EXPECT_EQ(rec.count(recorder::disconnected, 1), 1u);
}

TEST_F(Vhid, NoInterfaceListLeavesAnOpenHandleAlone)
{
    const int32_t dev = plug(device_iface(9, 0));
    add_device_pair();
    vhid_virtual_set_faults(-1, VHID_VIRTUAL_FAULT_LIST);
    vhid_virtual_notify_arrival();
    vhid_virtual_settle();
    vhid_virtual_set_faults(-1, VHID_VIRTUAL_FAULT_NONE);
    const uint8_t report[9] = {4, 1};
    ASSERT_EQ(vhid_virtual_send_input(dev, report, 9), 0);
    EXPECT_TRUE(rec.wait_for(recorder::report, 1, 0));
    vhid_virtual_notify_arrival(); // state unknown -> connected again: one more callback
    vhid_virtual_settle();
    EXPECT_EQ(rec.count(recorder::connected, 0), 2u);
}

// --- Plugging and unplugging --------------------------------------------------------------

struct plug_case
{
    const char* name;
    std::vector<vhid_virtual_iface> ifaces; // plugged one after another
};

void PrintTo(const plug_case& c, std::ostream* os)
{
    *os << c.name;
}

class VhidPlug : public Vhid, public ::testing::WithParamInterface<plug_case>
{
};

TEST_P(VhidPlug, OneCallbackPerRegistrationPerPlugAndUnplug)
{
    add_device_pair();
    std::vector<int32_t> ids;
    for (const auto& iface : GetParam().ifaces)
        ids.push_back(vhid_virtual_plug(&iface, nullptr, nullptr));
    for (int i = 0; i < 3; ++i)
        vhid_virtual_notify_arrival();
    vhid_virtual_settle();

    auto events = rec.snapshot();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(rec.count(recorder::connected, 0), 1u);
    EXPECT_EQ(rec.count(recorder::connected, 1), 1u);
    for (size_t i = 2; i < 4; ++i)
        EXPECT_NE(events[i].thread, std::this_thread::get_id()) << "on the notification thread";
    if (GetParam().ifaces.size() == 1) {
        EXPECT_EQ(events[2].index, 0) << "records are checked in index order";
        EXPECT_EQ(events[3].index, 1);
    }

    for (int32_t id : ids)
        vhid_virtual_unplug(id);
    vhid_virtual_settle();
    EXPECT_EQ(rec.count(recorder::disconnected, 0), 2u);
    EXPECT_EQ(rec.count(recorder::disconnected, 1), 2u);
    EXPECT_EQ(rec.snapshot().size(), 6u);
    EXPECT_EQ(vhid_virtual_open_handles(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, VhidPlug,
    ::testing::Values(plug_case{"OneCollection", {device_iface(9, 9)}},
                      plug_case{"TwoCollections", {device_iface(9, 0), device_iface(0, 9)}},
                      plug_case{"OutputFirst", {device_iface(0, 9), device_iface(9, 0)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Vhid, UnrelatedArrivalMakesNoCallbackAndKeepsTheOpenHandles)
{
    const int32_t dev = plug(device_iface(9, 9));
    add_device_pair();
    const auto before = modes(dev);
    ASSERT_EQ(before.size(), 2u);

    const int32_t other = plug(vhid_virtual_iface{0x046D, 0xC077, 1, 5, 0});
    unplug(other);
    EXPECT_EQ(rec.snapshot().size(), 2u);
    EXPECT_EQ(vhid_virtual_open_handles(), 2);
}

// Re-opening on every arrival lost the reports still queued on the old handle: an unrelated
// device plugged in during a configuration read cut the answer short.
TEST_F(Vhid, UnrelatedArrivalLosesNoQueuedReport)
{
    const int32_t dev = plug(device_iface(9, 0));
    add_device_pair();
    vhid_virtual_set_delays(2000, 0);
    constexpr int n = 22;
    for (uint8_t i = 0; i < n; ++i) {
        const uint8_t report[9] = {4, i};
        ASSERT_EQ(vhid_virtual_send_input(dev, report, 9), 0);
    }
    const int32_t other = plug(vhid_virtual_iface{0x046D, 0xC077, 1, 5, 0});
    unplug(other);
    ASSERT_TRUE(rec.wait_for(recorder::report, n, 0));
    auto events = rec.snapshot();
    std::vector<uint8_t> seen;
    for (const auto& e : events)
        if (e.what == recorder::report)
            seen.push_back(e.data.at(1));
    ASSERT_EQ(seen.size(), size_t(n));
    for (uint8_t i = 0; i < n; ++i)
        EXPECT_EQ(seen[i], i);
}

TEST_F(Vhid, MatchingRules)
{
    struct row
    {
        const char* what;
        vhid_virtual_iface iface;
        int32_t usage_page, in_len, out_len;
        bool connects;
    };
    const row rows[] = {
        {"exact match", device_iface(9, 0), page, 9, 0, true},
        {"usage page 0 matches a vendor page", device_iface(9, 0), 0, 9, 0, true},
        {"usage page 0 matches page 1", device_iface(9, 0, 1), 0, 9, 0, true},
        {"other usage page", device_iface(9, 0, 1), page, 9, 0, false},
        {"other vendor", {0x08E7, pid, page, 9, 0}, page, 9, 0, false},
        {"other product", {vid, 2, page, 9, 0}, page, 9, 0, false},
        {"shorter input report", device_iface(8, 0), page, 9, 0, false},
        {"registration that never reads", device_iface(9, 0), page, 0, 0, false},
        {"input side alone connects both", device_iface(9, 0), page, 9, 9, true},
        {"output side alone connects both", device_iface(0, 9), page, 9, 9, true},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        vhid_init(); // forgets the previous row's recorder before its interface goes
        vhid_virtual_reset();
        recorder local;
        detach_all local_guard;
        plug(r.iface);
        const int32_t index = vhid_add_device(vid, pid, r.usage_page, r.in_len, r.out_len);
        ASSERT_EQ(index, 0);
        local.attach(index);
        EXPECT_EQ(local.count(recorder::connected), r.connects ? 1u : 0u);
        EXPECT_EQ(local.count(recorder::disconnected), r.connects ? 0u : 1u);
    }
}

TEST_F(Vhid, InterfaceThatCannotBeProbedIsSkipped)
{
    const int32_t held = plug(device_iface(9, 0));
    vhid_virtual_set_faults(held, VHID_VIRTUAL_FAULT_PROBE);
    add_device_pair();
    EXPECT_EQ(rec.count(recorder::disconnected, 0), 1u);
    plug(device_iface(9, 0));
    EXPECT_EQ(rec.count(recorder::connected, 0), 1u);
}

// --- Sharing ------------------------------------------------------------------------------

TEST_F(Vhid, OneWayInterfacesAreOpenedSharingReadOnly)
{
    const struct
    {
        const char* what;
        int32_t in_len, out_len;
        uint32_t access;
    } rows[] = {
        {"input only", 9, 0, 0x80000000u},
        {"output only", 0, 9, 0x40000000u},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        vhid_init();
        vhid_virtual_reset();
        const int32_t dev = plug(device_iface(r.in_len, r.out_len));
        add_device_pair();
        const auto m = modes(dev);
        ASSERT_EQ(m.size(), 1u);
        EXPECT_EQ(m[0].access, r.access);
        EXPECT_EQ(m[0].share, 1u);
    }
}

TEST_F(Vhid, TwoWayInterfaceIsSharedSoBothRegistrationsOpenIt)
{
    const int32_t dev = plug(device_iface(9, 9));
    add_device_pair();
    EXPECT_EQ(rec.count(recorder::connected), 2u);
    const auto m = modes(dev);
    ASSERT_EQ(m.size(), 2u);
    for (const auto& mode : m)
        EXPECT_EQ(mode.share, 3u);
}

TEST_F(Vhid, OneRegistrationOpensBothSidesOfATwoWayInterface)
{
    sink out;
    const int32_t dev = plug(device_iface(9, 9), &out);
    ASSERT_EQ(vhid_add_device(vid, pid, page, 9, 9), 0);
    rec.attach(0);
    EXPECT_EQ(modes(dev).size(), 2u);
    const uint8_t report[9] = {5, 7};
    EXPECT_EQ(vhid_write(0, report, 9), 9);
    ASSERT_EQ(vhid_virtual_send_input(dev, report, 9), 0);
    EXPECT_TRUE(rec.wait_for(recorder::report, 1, 0));
}

// --- Writes -------------------------------------------------------------------------------

TEST_F(Vhid, WriteRefusals)
{
    plug(device_iface(9, 0)); // input only: the output registration stays disconnected
    add_device_pair();
    const uint8_t report[9] = {5};
    EXPECT_EQ(vhid_write(1, report, 0), -1) << "length 0";
    EXPECT_EQ(vhid_write(1, report, -3), -1) << "negative length";
    EXPECT_EQ(vhid_write(-1, report, 9), -1) << "negative index";
    EXPECT_EQ(vhid_write(2, report, 9), -1) << "index not below the count";
    EXPECT_EQ(vhid_write(0, report, 9), -1) << "registration that never writes";
    EXPECT_EQ(vhid_write(1, report, 9), -1) << "no open write handle";
}

TEST_F(Vhid, WriteAlwaysSendsTheWholeReportAndNeverReadsPastLength)
{
    sink out;
    plug(device_iface(0, 9), &out);
    add_device_pair();

    // A one-byte heap buffer: reading a second byte would be a heap overflow under ASan.
    auto one = std::make_unique<uint8_t[]>(1);
    one[0] = 5;
    EXPECT_EQ(vhid_write(1, one.get(), 1), 9);
    const uint8_t longer[12] = {5, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    EXPECT_EQ(vhid_write(1, longer, 12), 9);

    const auto reports = out.all();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], (std::vector<uint8_t>{5, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(reports[1], (std::vector<uint8_t>{5, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(Vhid, WriteResultsAreWhatTheSystemAccepted)
{
    const int32_t dev = plug(device_iface(0, 9));
    add_device_pair();
    const uint8_t report[9] = {5};
    vhid_virtual_set_faults(dev, VHID_VIRTUAL_FAULT_SHORT_WRITE);
    EXPECT_EQ(vhid_write(1, report, 9), 8);
    vhid_virtual_set_faults(dev, VHID_VIRTUAL_FAULT_WRITE);
    EXPECT_EQ(vhid_write(1, report, 9), 0);
    vhid_virtual_set_faults(dev, VHID_VIRTUAL_FAULT_NONE);
    // A handle that failed a write is opened anew by the next check, silently.
    vhid_virtual_notify_arrival();
    vhid_virtual_settle();
    EXPECT_EQ(vhid_write(1, report, 9), 9);
    EXPECT_EQ(rec.count(recorder::connected, 1), 1u);
    EXPECT_EQ(vhid_virtual_open_handles(), 1);
}

TEST_F(Vhid, WriteAfterUnplugFailsOrIsRefused)
{
    const int32_t dev = plug(device_iface(0, 9));
    add_device_pair();
    vhid_virtual_unplug(dev); // the write may run before or after the removal's check
    const uint8_t report[9] = {5};
    const int32_t result = vhid_write(1, report, 9);
    EXPECT_TRUE(result == 0 || result == -1) << result;
    vhid_virtual_settle();
    EXPECT_EQ(vhid_write(1, report, 9), -1);
}

// --- Reads --------------------------------------------------------------------------------

TEST_F(Vhid, ReportsArriveInOrderOnTheReaderThread)
{
    const int32_t dev = plug(device_iface(9, 0));
    add_device_pair();
    for (uint8_t i = 0; i < 5; ++i) {
        const uint8_t report[3] = {4, i, 0xAA};
        ASSERT_EQ(vhid_virtual_send_input(dev, report, 3), 0);
    }
    ASSERT_TRUE(rec.wait_for(recorder::report, 5));
    uint8_t next = 0;
    for (const auto& e : rec.snapshot()) {
        if (e.what != recorder::report)
            continue;
        EXPECT_EQ(e.index, 0);
        EXPECT_NE(e.thread, std::this_thread::get_id());
        EXPECT_EQ(e.data, (std::vector<uint8_t>{4, next++, 0xAA, 0, 0, 0, 0, 0, 0}));
    }
}

TEST_F(Vhid, ZeroByteReadCallsNothingAndTheReaderGoesOn)
{
    const int32_t dev = plug(device_iface(9, 0));
    add_device_pair();
    vhid_virtual_set_faults(dev, VHID_VIRTUAL_FAULT_ZERO_READ);
    const uint8_t report[9] = {4, 9};
    ASSERT_EQ(vhid_virtual_send_input(dev, report, 9), 0);
    ASSERT_TRUE(rec.wait_for(recorder::report, 1));
    EXPECT_EQ(rec.count(recorder::report), 1u);
    EXPECT_EQ(rec.snapshot().back().data.at(1), 9);
}

// Where 0 bytes mean the end of the file, a reader that went on reading would spin for ever.
TEST_F(Vhid, ZeroByteReadsOfAGoneInterfaceEndTheReader)
{
    const int32_t dev = plug(device_iface(9, 0));
    add_device_pair();
    vhid_terminate(); // no removal check will stop the reader: it has to notice by itself
    vhid_virtual_set_faults(dev, VHID_VIRTUAL_FAULT_ZERO_AT_END);
    vhid_virtual_unplug(dev);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (vhid_virtual_open_handles() > 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(vhid_virtual_open_handles(), 0) << "the reader still reads its dead handle";
    EXPECT_EQ(rec.count(recorder::report), 0u);
}

TEST_F(Vhid, UnplugEndsTheReaderAndClosesItsHandle)
{
    const int32_t dev = plug(device_iface(9, 9));
    add_device_pair();
    EXPECT_EQ(vhid_virtual_open_handles(), 2);
    unplug(dev);
    EXPECT_EQ(vhid_virtual_open_handles(), 0);
    EXPECT_EQ(vhid_virtual_send_input(dev, reinterpret_cast<const uint8_t*>("\4"), 1), -1);
}

// --- Several matches, failed opens ---------------------------------------------------------

TEST_F(Vhid, LaterMatchReplacesTheEarlierHandleWithOneReader)
{
    const int32_t first = plug(device_iface(9, 0));
    add_device_pair();
    const int32_t second = plug(device_iface(9, 0));
    EXPECT_EQ(modes(first).size(), 0u) << "the earlier handle is closed";
    EXPECT_EQ(modes(second).size(), 1u);
    EXPECT_EQ(rec.count(recorder::connected, 0), 1u);

    const uint8_t report[9] = {4, 1};
    EXPECT_EQ(vhid_virtual_send_input(first, report, 9), 0);
    EXPECT_EQ(vhid_virtual_send_input(second, report, 9), 0);
    ASSERT_TRUE(rec.wait_for(recorder::report, 1));
    vhid_virtual_notify_arrival(); // the record's match is unchanged now: nothing re-opened
    vhid_virtual_settle();
    EXPECT_EQ(vhid_virtual_send_input(second, report, 9), 0);
    ASSERT_TRUE(rec.wait_for(recorder::report, 2));
    EXPECT_FALSE(rec.wait_for(recorder::report, 3, -1, std::chrono::milliseconds(100)))
        << "one reader per record";

    unplug(second); // the earlier interface is the match again
    EXPECT_EQ(modes(first).size(), 1u);
    EXPECT_EQ(rec.count(recorder::disconnected, 0), 0u);
}

TEST_F(Vhid, FailedOpenEndsDisconnectedWithNothingLeftOpen)
{
    const int32_t in = plug(device_iface(9, 0));
    const int32_t out = plug(device_iface(0, 9));
    vhid_virtual_set_faults(out, VHID_VIRTUAL_FAULT_OPEN);
    ASSERT_EQ(vhid_add_device(vid, pid, page, 9, 9), 0);
    rec.attach(0);
    EXPECT_EQ(rec.count(recorder::disconnected, 0), 1u);
    EXPECT_EQ(vhid_virtual_open_handles(), 0) << "the input handle opened earlier in the walk";
    const uint8_t report[9] = {4};
    EXPECT_EQ(vhid_virtual_send_input(in, report, 9), 0);
    EXPECT_FALSE(rec.wait_for(recorder::report, 1, -1, std::chrono::milliseconds(100)));
    EXPECT_EQ(vhid_write(0, report, 9), -1);
}

TEST_F(Vhid, FailedOpenOfAConnectedRecordClosesItsKeptHandles)
{
    const int32_t in = plug(device_iface(9, 0));
    ASSERT_EQ(vhid_add_device(vid, pid, page, 9, 9), 0);
    rec.attach(0);
    ASSERT_EQ(rec.count(recorder::connected, 0), 1u);
    // The output interface arrives but cannot be opened: no check may run in between.
    vhid_virtual_set_faults(-1, VHID_VIRTUAL_FAULT_LIST);
    const int32_t out = plug(device_iface(0, 9));
    vhid_virtual_set_faults(out, VHID_VIRTUAL_FAULT_OPEN);
    vhid_virtual_set_faults(-1, VHID_VIRTUAL_FAULT_NONE);
    vhid_virtual_notify_arrival();
    vhid_virtual_settle();
    EXPECT_EQ(rec.count(recorder::disconnected, 0), 1u);
    EXPECT_EQ(modes(in).size(), 0u);
    vhid_virtual_set_faults(out, VHID_VIRTUAL_FAULT_NONE);
    vhid_virtual_notify_arrival();
    vhid_virtual_settle();
    EXPECT_EQ(rec.count(recorder::connected, 0), 2u);
    EXPECT_EQ(vhid_virtual_open_handles(), 2);
}

// --- Detaching, terminating, re-initialising ---------------------------------------------

TEST_F(Vhid, DetachWaitsForARunningCallbackAndStopsAllLaterOnes)
{
    const int32_t dev = plug(device_iface(9, 0));
    ASSERT_EQ(vhid_add_device(vid, pid, page, 9, 0), 0);

    struct gate
    {
        std::mutex mutex;
        std::condition_variable cv;
        bool entered = false, release = false;
        std::atomic<int> calls{0};
    } g;
    detach_all guard;
    auto on_report = [](void* user, int32_t, uint8_t*, int32_t) {
        auto* g = static_cast<gate*>(user);
        g->calls++;
        std::unique_lock<std::mutex> lock(g->mutex);
        g->entered = true;
        g->cv.notify_all();
        g->cv.wait(lock, [&] { return g->release; });
    };
    vhid_set_callbacks(0, nullptr, nullptr, on_report, &g);
    const uint8_t report[9] = {4};
    ASSERT_EQ(vhid_virtual_send_input(dev, report, 9), 0);
    {
        std::unique_lock<std::mutex> lock(g.mutex);
        ASSERT_TRUE(g.cv.wait_for(lock, std::chrono::seconds(10), [&] { return g.entered; }));
    }
    std::atomic<bool> detached{false};
    std::thread owner([&] {
        vhid_detach(0);
        detached = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(detached.load()) << "detach returned while the callback ran";
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        g.release = true;
        g.cv.notify_all();
    }
    owner.join();
    EXPECT_TRUE(detached.load());
    ASSERT_EQ(vhid_virtual_send_input(dev, report, 9), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(g.calls.load(), 1);
}

TEST_F(Vhid, DetachFromInsideItsOwnCallbackReturns)
{
    const int32_t dev = plug(device_iface(9, 0));
    ASSERT_EQ(vhid_add_device(vid, pid, page, 9, 0), 0);
    std::atomic<int> calls{0};
    detach_all guard;
    auto on_report = [](void* user, int32_t index, uint8_t*, int32_t) {
        static_cast<std::atomic<int>*>(user)->fetch_add(1);
        vhid_detach(index);
    };
    vhid_set_callbacks(0, nullptr, nullptr, on_report, &calls);
    const uint8_t report[9] = {4};
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(vhid_virtual_send_input(dev, report, 9), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(calls.load(), 1);
}

TEST_F(Vhid, ObserverSeesEveryDeviceChangeMessageOnTheNotificationThread)
{
    struct seen
    {
        std::mutex mutex;
        std::vector<uintptr_t> events;
        std::thread::id thread;
    } s;
    vhid_set_device_change_callback(
        [](void* user, uint32_t message, uintptr_t event, intptr_t) {
            auto* s = static_cast<seen*>(user);
            std::lock_guard<std::mutex> lock(s->mutex);
            EXPECT_EQ(message, 0x0219u);
            s->events.push_back(event);
            s->thread = std::this_thread::get_id();
        },
        &s);
    const int32_t dev = plug(device_iface(9, 0));
    unplug(dev);
    vhid_set_device_change_callback(nullptr, nullptr);
    vhid_virtual_notify_arrival();
    vhid_virtual_settle();
    std::lock_guard<std::mutex> lock(s.mutex);
    EXPECT_EQ(s.events, (std::vector<uintptr_t>{0x8000, 0x8004}));
    EXPECT_NE(s.thread, std::this_thread::get_id());
}

TEST_F(Vhid, TerminateStopsNotifications)
{
    add_device_pair();
    vhid_terminate();
    plug(device_iface(9, 9));
    EXPECT_EQ(rec.count(recorder::connected), 0u);
    EXPECT_EQ(rec.count(recorder::disconnected), 2u);
}

TEST_F(Vhid, InitAgainClosesEverythingAndForgetsTheOldCallbacks)
{
    const int32_t dev = plug(device_iface(9, 9));
    add_device_pair();
    EXPECT_EQ(vhid_virtual_open_handles(), 2);
    vhid_init();
    EXPECT_EQ(vhid_virtual_open_handles(), 0);
    EXPECT_EQ(vhid_write(1, reinterpret_cast<const uint8_t*>("\5"), 1), -1);

    const uint8_t report[9] = {4};
    EXPECT_EQ(vhid_virtual_send_input(dev, report, 9), 0);
    vhid_virtual_notify_arrival();
    vhid_virtual_settle();
    EXPECT_EQ(rec.snapshot().size(), 2u) << "no callback of the old registrations";

    recorder second;
    detach_all guard;
    ASSERT_EQ(vhid_add_device(vid, pid, page, 9, 0), 0) << "the table starts empty";
    second.attach(0);
    EXPECT_EQ(second.count(recorder::connected, 0), 1u);
}

} // namespace
