// HID report descriptor parsing: the top-level application collections of a device with their
// usage, their report ids and their longest report per direction, counted as Windows counts
// them (the report id byte always included). The Linux backend presents each collection as one
// interface, as Windows does.
#ifndef HID_DESCRIPTOR_H
#define HID_DESCRIPTOR_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vhid {

struct hid_collection
{
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    // Report ids of the collection's reports per direction; {0} on a device without ids.
    std::vector<uint8_t> input_ids;
    std::vector<uint8_t> output_ids;
    std::vector<uint8_t> feature_ids;
    // Longest report in bytes, report id byte included; 0 when the collection has none.
    int32_t input_report_len = 0;
    int32_t output_report_len = 0;
    int32_t feature_report_len = 0;
};

struct hid_descriptor
{
    bool numbered = false; // the device's reports start with a report id
    std::vector<hid_collection> collections;
};

// Largest descriptor the kernel hands out.
constexpr size_t max_descriptor_size = 4096;

// Parses a report descriptor. False for a malformed one (a truncated item, an unbalanced
// collection or push/pop, a report id of 0, more than max_descriptor_size bytes); `out` is
// then unspecified.
bool parse_hid_descriptor(const uint8_t* data, size_t size, hid_descriptor& out);

// The collection that owns an input report with this id (0 on a device without ids), or -1.
int input_collection(const hid_descriptor& descriptor, uint8_t report_id);

// Frames an input report as read from a whole device (hidraw: report id first only on a device
// with ids) for one of its collections, as Windows hands reports to a reader: report id first
// (0 on a device without ids), zero-padded to `length`. Returns the length the device sent, id
// byte included, at most `length` (so a truncated report stays recognisable), or -1 when the
// report belongs to another collection (or is empty) and must be skipped.
int32_t frame_input_report(const hid_descriptor& descriptor, int collection, const uint8_t* report,
                           size_t size, uint8_t* buffer, int32_t length);

} // namespace vhid

#endif
