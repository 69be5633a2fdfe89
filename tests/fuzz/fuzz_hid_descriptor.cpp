// libFuzzer entry for the report descriptor parser and the framing of input reports by what it
// found: no input may crash them, read out of bounds, or yield lengths and ids that break what the
// Linux backend relies on.
#include "hid_descriptor.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vhid::hid_descriptor d;
    if (!vhid::parse_hid_descriptor(data, size, d))
        return 0;
    uint8_t buffer[64];
    for (size_t i = 0; i < d.collections.size(); ++i)
        vhid::frame_input_report(d, int(i), data, size, buffer, sizeof buffer);
    for (const vhid::hid_collection& c : d.collections) {
        const bool lengths_fit = c.input_report_len >= 0 && c.output_report_len >= 0 &&
                                 c.input_report_len <= 65537 && c.output_report_len <= 65537;
        const bool ids_match = c.input_ids.empty() == (c.input_report_len == 0) &&
                               c.output_ids.empty() == (c.output_report_len == 0);
        if (!lengths_fit || !ids_match)
            std::abort();
        for (uint8_t id : c.input_ids)
            if (vhid::input_collection(d, id) < 0 || (id == 0) == d.numbered)
                std::abort();
    }
    return 0;
}
