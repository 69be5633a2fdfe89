// The Windows backend under Wine: the hidden notification window and its registration, the
// device's identity reported disconnected once, and Wine's own HID devices (vendor 0x845E)
// found or skipped exactly as the connection check's rules say.
#include "recorder.h"
#include "vhid.h"
#include "vhid_backend.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

constexpr uint16_t wine_vendor = 0x845E;

class VhidWindows : public ::testing::Test
{
protected:
    void SetUp() override { vhid_init(); }
    void TearDown() override { vhid_init(); } // joins the window thread of this test
};

TEST_F(VhidWindows, NotificationWindowAndRegistrationExist)
{
    EXPECT_NE(FindWindowA("VHid", "VHid"), nullptr);
    EXPECT_TRUE(vhid::platform_backend().watching());
    vhid_terminate();
    EXPECT_FALSE(vhid::platform_backend().watching()) << "terminate cancels the registration";
    EXPECT_NE(FindWindowA("VHid", "VHid"), nullptr) << "and leaves the window";
}

TEST_F(VhidWindows, AbsentDeviceIsReportedDisconnectedOnce)
{
    recorder rec;
    detach_all guard;
    ASSERT_TRUE(rec.attach_device_pair());
    Sleep(200);
    const auto events = rec.snapshot();
    ASSERT_EQ(events.size(), 2u);
    for (int32_t i = 0; i < 2; ++i) {
        EXPECT_EQ(events[size_t(i)].what, recorder::disconnected);
        EXPECT_EQ(events[size_t(i)].index, i);
    }
    const uint8_t report[9] = {5, 1};
    EXPECT_EQ(vhid_write(1, report, 9), -1);
}

TEST_F(VhidWindows, WineDevicesAreFoundOrSkippedByTheCheckRules)
{
    const vhid::backend& be = vhid::platform_backend();
    std::vector<vhid::iface_info> list;
    ASSERT_TRUE(be.enumerate(list));
    std::vector<vhid::iface_info> wine;
    for (const auto& f : list) {
        std::printf("enumerated %04X:%04X page %04X input %d output %d %s\n", f.vendor_id,
                    f.product_id, f.usage_page, f.input_report_len, f.output_report_len,
                    f.path.c_str());
        if (f.vendor_id == wine_vendor)
            wine.push_back(f);
    }
    if (wine.empty())
        GTEST_SKIP() << "this Wine presents no HID device of its own";

    for (const auto& f : wine) {
        SCOPED_TRACE(f.path);
        // Whether the check can open it the way it will: for reading when it has input reports.
        bool opens = false;
        if (f.input_report_len > 0) {
            const uint32_t share = f.output_report_len ? 3 : 1;
            vhid::open_error error;
            const vhid_handle_t h = be.open(f, vhid::access_read, share, error);
            opens = h != VHID_INVALID_HANDLE;
            if (opens)
                be.close(h);
        }
        std::printf("%04X:%04X %s\n", f.vendor_id, f.product_id,
                    opens ? "opens for reading: expect connected"
                          : "cannot be opened for reading: expect disconnected");
        struct row
        {
            const char* what;
            int32_t page, in_len;
            bool connects;
        } rows[] = {
            {"its identity, page and length", f.usage_page, f.input_report_len, opens},
            {"usage page 0 matches any", 0, f.input_report_len, opens},
            {"another usage page", f.usage_page ^ 0x00FF, f.input_report_len, false},
            {"another input length", f.usage_page, f.input_report_len + 1, false},
        };
        for (const row& r : rows) {
            SCOPED_TRACE(r.what);
            vhid_init();
            recorder rec;
            detach_all guard;
            ASSERT_EQ(vhid_add_device(f.vendor_id, f.product_id, r.page, r.in_len, 0), 0);
            rec.attach(0);
            EXPECT_EQ(rec.count(recorder::connected), r.connects ? 1u : 0u);
            EXPECT_EQ(rec.count(recorder::disconnected), r.connects ? 0u : 1u);
            if (r.connects) {
                EXPECT_EQ(vhid_write(0, reinterpret_cast<const uint8_t*>("\0"), 1), -1)
                    << "a registration that never writes";
            }
        }
    }
}

} // namespace
