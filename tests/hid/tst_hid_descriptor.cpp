// Report descriptor parsing against real descriptor layouts: what each top-level collection
// presents as an interface, and which collection an input report belongs to.
#include "hid_descriptor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bytes = std::vector<uint8_t>;
using vhid::hid_collection;
using vhid::hid_descriptor;

// The standard HID boot keyboard: modifiers, a reserved byte, six keys; five LEDs.
const bytes boot_keyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, 0x95, 0x05, 0x75, 0x01,
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x01, 0x95, 0x06,
    0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0};

// A three-button wheel mouse: a pointer collection inside the application collection.
const bytes wheel_mouse = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05,
                           0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03,
                           0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05,
                           0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F,
                           0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0};

// The device's own vendor collection: input report 4 and output report 5, 8 data bytes each.
const bytes vendor_collection = {0x06, 0x00, 0xFF,             // usage page 0xFF00
                                 0x09, 0x01, 0xA1, 0x01,       // usage 1, application collection
                                 0x15, 0x00, 0x26, 0xFF, 0x00, // logical 0..255
                                 0x75, 0x08, 0x95, 0x08,       // 8 fields of 8 bits
                                 0x85, 0x04, 0x09, 0x01, 0x81, 0x02, // report 4: input
                                 0x85, 0x05, 0x09, 0x01, 0x91, 0x02, // report 5: output
                                 0xC0};

bytes concat(std::initializer_list<bytes> parts)
{
    bytes all;
    for (const bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// A composite device with report ids: keyboard 1, mouse 2, consumer control 3, vendor 4/5.
const bytes composite = concat({
    {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01, // keyboard, report 1
     0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08,
     0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, 0x95, 0x06, 0x75, 0x08, 0x26, 0xFF,
     0x00, 0x19, 0x00, 0x2A, 0xFF, 0x00, 0x81, 0x00, 0x05, 0x08, 0x95, 0x05, 0x75, 0x01,
     0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x01, 0xC0},
    {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x02, 0x09, 0x01, 0xA1, 0x00, // mouse, report 2
     0x05, 0x09, 0x19, 0x01, 0x29, 0x05, 0x15, 0x00, 0x25, 0x01, 0x95, 0x05, 0x75, 0x01,
     0x81, 0x02, 0x95, 0x01, 0x75, 0x03, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31,
     0x09, 0x38, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0},
    {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x03, // consumer control, report 3
     0x15, 0x00, 0x26, 0xFF, 0x03, 0x19, 0x00, 0x2A, 0xFF,
     0x03, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0},
    vendor_collection,
});

struct layout
{
    const char* name;
    bytes descriptor;
    bool numbered;
    std::vector<hid_collection> collections; // ids and lengths that matter
};

hid_collection collection(uint16_t page, uint16_t usage, bytes in_ids, int32_t in_len,
                          bytes out_ids, int32_t out_len)
{
    hid_collection c;
    c.usage_page = page;
    c.usage = usage;
    c.input_ids = in_ids;
    c.input_report_len = in_len;
    c.output_ids = out_ids;
    c.output_report_len = out_len;
    return c;
}

void PrintTo(const layout& l, std::ostream* os)
{
    *os << l.name;
}

class Descriptor : public ::testing::TestWithParam<layout>
{
};

TEST_P(Descriptor, CollectionsAsWindowsPresentsThem)
{
    const layout& l = GetParam();
    hid_descriptor d;
    ASSERT_TRUE(vhid::parse_hid_descriptor(l.descriptor.data(), l.descriptor.size(), d));
    EXPECT_EQ(d.numbered, l.numbered);
    ASSERT_EQ(d.collections.size(), l.collections.size());
    for (size_t i = 0; i < l.collections.size(); ++i) {
        SCOPED_TRACE("collection " + std::to_string(i));
        const hid_collection& got = d.collections[i];
        const hid_collection& want = l.collections[i];
        EXPECT_EQ(got.usage_page, want.usage_page);
        EXPECT_EQ(got.usage, want.usage);
        EXPECT_EQ(got.input_ids, want.input_ids);
        EXPECT_EQ(got.input_report_len, want.input_report_len);
        EXPECT_EQ(got.output_ids, want.output_ids);
        EXPECT_EQ(got.output_report_len, want.output_report_len);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RealLayouts, Descriptor,
    ::testing::Values(
        layout{"BootKeyboard", boot_keyboard, false, {collection(0x01, 0x06, {0}, 9, {0}, 2)}},
        layout{"WheelMouse", wheel_mouse, false, {collection(0x01, 0x02, {0}, 5, {}, 0)}},
        layout{"VendorCollection",
               vendor_collection,
               true,
               {collection(0xFF00, 0x01, {4}, 9, {5}, 9)}},
        layout{"CompositeWithReportIds",
               composite,
               true,
               {collection(0x01, 0x06, {1}, 9, {1}, 2), collection(0x01, 0x02, {2}, 5, {}, 0),
                collection(0x0C, 0x01, {3}, 3, {}, 0), collection(0xFF00, 0x01, {4}, 9, {5}, 9)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DescriptorRules, InputReportsBelongToTheirCollection)
{
    hid_descriptor d;
    ASSERT_TRUE(vhid::parse_hid_descriptor(composite.data(), composite.size(), d));
    EXPECT_EQ(vhid::input_collection(d, 1), 0);
    EXPECT_EQ(vhid::input_collection(d, 2), 1);
    EXPECT_EQ(vhid::input_collection(d, 3), 2);
    EXPECT_EQ(vhid::input_collection(d, 4), 3);
    EXPECT_EQ(vhid::input_collection(d, 5), -1) << "report 5 is an output report";
    EXPECT_EQ(vhid::input_collection(d, 0), -1);

    ASSERT_TRUE(vhid::parse_hid_descriptor(boot_keyboard.data(), boot_keyboard.size(), d));
    EXPECT_EQ(vhid::input_collection(d, 0), 0) << "a device without ids has report 0";
}

TEST(DescriptorRules, ReadersGetOnlyTheirCollectionsReportsFramedAsOnWindows)
{
    hid_descriptor d;
    ASSERT_TRUE(vhid::parse_hid_descriptor(composite.data(), composite.size(), d));
    const int vendor = 3, keyboard = 0;
    const bytes config = {4, 0x10, 1, 2, 3, 4, 5, 6, 7};
    const bytes key_press = {1, 0x02, 0, 0x04, 0, 0, 0, 0, 0};
    const bytes mouse_move = {2, 0, 5, 0xFB, 0};
    uint8_t buffer[9];

    EXPECT_EQ(vhid::frame_input_report(d, vendor, config.data(), config.size(), buffer, 9), 9);
    EXPECT_EQ(bytes(buffer, buffer + 9), config);
    EXPECT_EQ(vhid::frame_input_report(d, vendor, key_press.data(), key_press.size(), buffer, 9),
              -1);
    EXPECT_EQ(vhid::frame_input_report(d, vendor, mouse_move.data(), mouse_move.size(), buffer, 9),
              -1);
    EXPECT_EQ(vhid::frame_input_report(d, keyboard, key_press.data(), key_press.size(), buffer, 9),
              9);
    EXPECT_EQ(vhid::frame_input_report(d, vendor, config.data(), 0, buffer, 9), -1);
    EXPECT_EQ(vhid::frame_input_report(d, 7, config.data(), config.size(), buffer, 9), -1);

    // A short report is padded; a long one is cut at the reader's length.
    const bytes short_config = {4, 0x10, 1};
    EXPECT_EQ(vhid::frame_input_report(d, vendor, short_config.data(), 3, buffer, 9), 9);
    EXPECT_EQ(bytes(buffer, buffer + 9), (bytes{4, 0x10, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(vhid::frame_input_report(d, vendor, config.data(), config.size(), buffer, 4), 4);
    EXPECT_EQ(bytes(buffer, buffer + 4), (bytes{4, 0x10, 1, 2}));

    // Without ids the kernel hands the data alone; the reader gets a report id of 0 first.
    ASSERT_TRUE(vhid::parse_hid_descriptor(boot_keyboard.data(), boot_keyboard.size(), d));
    const bytes raw = {0x02, 0, 0x04, 0x05, 0, 0, 0, 0};
    EXPECT_EQ(vhid::frame_input_report(d, 0, raw.data(), raw.size(), buffer, 9), 9);
    EXPECT_EQ(bytes(buffer, buffer + 9), (bytes{0, 0x02, 0, 0x04, 0x05, 0, 0, 0, 0}));
}

TEST(DescriptorRules, LongestReportOfACollectionCounts)
{
    // Two input reports in one collection: 2 bytes (id 1) and 6 bytes (id 2).
    const bytes d_bytes = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08,
                           0x85, 0x01, 0x95, 0x02, 0x81, 0x02, 0x85, 0x02, 0x95,
                           0x06, 0x81, 0x02, 0x95, 0x01, 0x81, 0x02, 0xC0};
    hid_descriptor d;
    ASSERT_TRUE(vhid::parse_hid_descriptor(d_bytes.data(), d_bytes.size(), d));
    ASSERT_EQ(d.collections.size(), 1u);
    EXPECT_EQ(d.collections[0].input_report_len, 8) << "6 + 1 bytes of report 2, id included";
    EXPECT_EQ(d.collections[0].input_ids, (bytes{1, 2}));
}

TEST(DescriptorRules, ExtendedUsageAndPushPopAndLongItems)
{
    const bytes d_bytes = {
        0x05, 0x01,                   // usage page 1 ...
        0x0B, 0x01, 0x00, 0x00, 0xFF, // ... but an extended usage: page 0xFF00, usage 1
        0xA1, 0x01, 0xA4,             // collection, push
        0x75, 0x10, 0x95, 0x04,       // 4 fields of 16 bits
        0xFE, 0x02, 0x10, 0xAA, 0xBB, // a long item, skipped
        0x81, 0x02, 0xB4,             // input; pop
        0x95, 0x01, 0x91, 0x02,       // report size came back as 0: an empty output
        0xC0};
    hid_descriptor d;
    ASSERT_TRUE(vhid::parse_hid_descriptor(d_bytes.data(), d_bytes.size(), d));
    ASSERT_EQ(d.collections.size(), 1u);
    EXPECT_EQ(d.collections[0].usage_page, 0xFF00);
    EXPECT_EQ(d.collections[0].usage, 0x0001);
    EXPECT_EQ(d.collections[0].input_report_len, 9);
    EXPECT_EQ(d.collections[0].output_report_len, 0);
}

TEST(DescriptorRules, MalformedDescriptorsAreRefused)
{
    const struct
    {
        const char* what;
        bytes data;
    } rows[] = {
        {"truncated item", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x26, 0xFF}},
        {"end without collection", {0xC0}},
        {"collection never ended", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01}},
        {"report id 0", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x00, 0xC0}},
        {"pop without push", {0xB4}},
        {"report before the first id",
         {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x85, 0x01, 0x81,
          0x02, 0xC0}},
        {"truncated long item", {0xFE, 0x05, 0x10, 0x01}},
        {"report of absurd size",
         {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0x00, 0x97, 0xFF, 0xFF, 0xFF,
          0x00, 0x81, 0x02, 0xC0}},
    };
    for (const auto& row : rows) {
        hid_descriptor d;
        EXPECT_FALSE(vhid::parse_hid_descriptor(row.data.data(), row.data.size(), d)) << row.what;
    }
    bytes too_long(vhid::max_descriptor_size + 1, 0x00);
    hid_descriptor d;
    EXPECT_FALSE(vhid::parse_hid_descriptor(too_long.data(), too_long.size(), d));
    EXPECT_TRUE(vhid::parse_hid_descriptor(nullptr, 0, d));
    EXPECT_TRUE(d.collections.empty());
}

} // namespace
