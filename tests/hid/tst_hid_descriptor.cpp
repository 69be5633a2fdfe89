// Report descriptor parsing against real descriptor layouts: what each top-level collection
// presents as an interface, which reports its reader gets and how, and what is refused.
#include "hid_descriptor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
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

// A composite device with report ids: the keyboard 1, the mouse 2, consumer control 3, the vendor
// collection 4 and 5.
bytes with_id(const bytes& collection, uint8_t id)
{
    bytes all(collection);
    all.insert(all.begin() + 6, {0x85, id}); // after the application collection opens
    return all;
}
const bytes composite = [] {
    bytes all = with_id(boot_keyboard, 1);
    for (const bytes& part :
         {with_id(wheel_mouse, 2),
          with_id({0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x03, 0x19,
                   0x00, 0x2A, 0xFF, 0x03, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0},
                  3),
          vendor_collection})
        all.insert(all.end(), part.begin(), part.end());
    return all;
}();

// Each collection's usage page and usage, then the ids and longest report of input and of
// output, as "01/06 in 1,:9 out 1,:2".
std::string describe(const hid_descriptor& d)
{
    std::string out = d.numbered ? "numbered" : "unnumbered";
    for (const hid_collection& c : d.collections) {
        char text[32];
        std::snprintf(text, sizeof text, " | %02X/%02X", c.usage_page, c.usage);
        out += text;
        for (const auto& [name, ids, len] :
             {std::make_tuple(" in ", &c.input_ids, c.input_report_len),
              std::make_tuple(" out ", &c.output_ids, c.output_report_len)}) {
            out += name;
            for (uint8_t id : *ids)
                out += std::to_string(id) + ",";
            out += ":" + std::to_string(len);
        }
    }
    return out;
}

TEST(Descriptor, CollectionsAsWindowsPresentsThem)
{
    const struct
    {
        const bytes& descriptor;
        const char* collections;
    } rows[] = {
        {boot_keyboard, "unnumbered | 01/06 in 0,:9 out 0,:2"},
        {vendor_collection, "numbered | FF00/01 in 4,:9 out 5,:9"},
        {composite,
         "numbered | 01/06 in 1,:9 out 1,:2 | 01/02 in 2,:5 out :0 | 0C/01 in 3,:3 out :0"
         " | FF00/01 in 4,:9 out 5,:9"},
    };
    for (const auto& r : rows) {
        hid_descriptor d;
        ASSERT_TRUE(vhid::parse_hid_descriptor(r.descriptor.data(), r.descriptor.size(), d));
        EXPECT_EQ(describe(d), r.collections);
    }
}

// The kernel hands a reader every report of the device; a collection's reader gets only its own,
// framed as on Windows: report id first (0 without ids), cut to its length, but not padded in
// the length it gives, so that a truncated report is recognised.
TEST(Descriptor, ReadersGetOnlyTheirCollectionsReports)
{
    const struct
    {
        const bytes& descriptor;
        int collection;
        bytes report;
        int32_t length;
        bytes framed; // empty: skipped
    } rows[] = {
        {composite, 3, {4, 0x10, 1, 2, 3, 4, 5, 6, 7}, 9, {4, 0x10, 1, 2, 3, 4, 5, 6, 7}},
        {composite, 3, {1, 0x02, 0, 0x04, 0, 0, 0, 0, 0}, 9, {}},
        {composite, 3, {2, 0, 5, 0xFB, 0}, 9, {}},
        {composite, 3, {}, 9, {}},
        {composite, 0, {1, 0x02, 0, 0x04, 0, 0, 0, 0, 0}, 9, {1, 0x02, 0, 0x04, 0, 0, 0, 0, 0}},
        {composite, 7, {4, 0x10}, 9, {}},
        {composite, 3, {4, 0x10, 1}, 9, {4, 0x10, 1}}, // a cut-off report stays short
        {composite, 3, {4, 0x10, 1, 2, 3}, 4, {4, 0x10, 1, 2}},
        {boot_keyboard, 0, {2, 0, 4, 5, 0, 0, 0, 0}, 9, {0, 2, 0, 4, 5, 0, 0, 0, 0}},
    };
    hid_descriptor d;
    for (const auto& r : rows) {
        ASSERT_TRUE(vhid::parse_hid_descriptor(r.descriptor.data(), r.descriptor.size(), d));
        uint8_t buffer[9];
        const int32_t n = vhid::frame_input_report(d, r.collection, r.report.data(),
                                                   r.report.size(), buffer, r.length);
        EXPECT_EQ(n < 0 ? bytes() : bytes(buffer, buffer + n), r.framed);
    }
    EXPECT_EQ(vhid::input_collection(d, 0), 0);
    ASSERT_TRUE(vhid::parse_hid_descriptor(composite.data(), composite.size(), d));
    EXPECT_EQ(vhid::input_collection(d, 3), 2);
    EXPECT_EQ(vhid::input_collection(d, 5), -1) << "report 5 is an output report";
}

TEST(Descriptor, MalformedDescriptorsAreRefused)
{
    const bytes rows[] = {
        {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x26, 0xFF},       // truncated item
        {0xC0},                                                 // end without collection
        {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01},                   // collection never ended
        {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x00, 0xC0}, // report id 0
        {0xB4},                                                 // pop without push
        {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x85, 0x01, 0x81,
         0x02, 0xC0},             // a report before the first id
        {0xFE, 0x05, 0x10, 0x01}, // truncated long item
        {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0x00, 0x97, 0xFF, 0xFF, 0xFF,
         0x00, 0x81, 0x02, 0xC0}, // a report of absurd size
        bytes(vhid::max_descriptor_size + 1, 0x00),
    };
    for (const bytes& row : rows) {
        hid_descriptor d;
        EXPECT_FALSE(vhid::parse_hid_descriptor(row.data(), row.size(), d)) << describe(d);
    }
}

} // namespace
