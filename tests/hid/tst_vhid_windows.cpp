// The Windows backend under Wine: the hidden notification window and its registration, Wine's own
// HID devices (vendor 0x845E) found or skipped exactly as the connection check's rules say, and a
// stalled write cancelled.
#include "recorder.h"
#include "vhid_backend.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

// A pipe whose other end never reads stands in for an endpoint that stalls.
TEST(VhidWindows, AWriteNobodyTakesIsCancelled)
{
    vhid::iface_info pipe;
    pipe.path = "\\\\.\\pipe\\velquin-stalled-write";
    HANDLE reader = CreateNamedPipeA(pipe.path.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0,
                                     0, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    const vhid::backend& be = vhid::platform_backend();
    vhid::open_error error;
    const vhid_handle_t h = be.open(pipe, vhid::access_write, vhid::share_read, error);
    ASSERT_NE(h, VHID_INVALID_HANDLE);
    const std::vector<uint8_t> report(1 << 20, 5);
    std::atomic<int32_t> written{-1};
    std::thread writer([&] { written = be.write(h, report.data(), int32_t(report.size())); });
    Sleep(300);
    EXPECT_EQ(written.load(), -1) << "the write waits for the other end";
    be.cancel(h);
    writer.join();
    EXPECT_EQ(written.load(), 0);
    be.close(h);
    CloseHandle(reader);
}

// The notification window and its registration, and Wine's own HID devices found or skipped by
// the check's rules.
TEST(VhidWindows, NotificationWindowAndWineDevices)
{
    vhid_init();
    EXPECT_NE(FindWindowA("VHid", "VHid"), nullptr);
    const vhid::backend& be = vhid::platform_backend();
    EXPECT_TRUE(be.watching());
    std::vector<vhid::iface_info> list;
    ASSERT_TRUE(be.enumerate(list));
    int seen = 0;
    for (const auto& f : list) {
        if (f.vendor_id != 0x845E || f.input_report_len == 0)
            continue;
        ++seen;
        // Whether the check can open it the way it will.
        vhid::open_error error;
        const vhid_handle_t h = be.open(f, vhid::access_read, f.output_report_len ? 3 : 1, error);
        const bool opens = h != VHID_INVALID_HANDLE;
        if (opens)
            be.close(h);
        const struct
        {
            int32_t page, in_len;
            bool connects;
        } rows[] = {{f.usage_page, f.input_report_len, opens},
                    {0, f.input_report_len, opens},
                    {f.usage_page ^ 0x00FF, f.input_report_len, false},
                    {f.usage_page, f.input_report_len + 1, false}};
        for (const auto& r : rows) {
            vhid_init();
            recorder rec;
            rec.attach(vhid_add_device(f.vendor_id, f.product_id, r.page, r.in_len, 0));
            EXPECT_EQ(rec.count(recorder::connected), r.connects ? 1u : 0u) << f.path << r.page;
        }
    }
    vhid_terminate();
    EXPECT_FALSE(be.watching()) << "terminate cancels the registration";
    EXPECT_NE(FindWindowA("VHid", "VHid"), nullptr) << "and leaves the window";
    vhid_init(); // joins the window thread
    if (seen == 0)
        GTEST_SKIP() << "this Wine presents no HID device of its own";
}
