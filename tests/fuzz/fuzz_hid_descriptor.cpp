// libFuzzer entry for the report descriptor parser and the framing of input reports by what it
// found: no input may crash them or read out of bounds.
#include "hid_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vhid::hid_descriptor d;
    if (!vhid::parse_hid_descriptor(data, size, d))
        return 0;
    uint8_t buffer[64];
    for (size_t i = 0; i < d.collections.size(); ++i)
        vhid::frame_input_report(d, int(i), data, size, buffer, sizeof buffer);
    return 0;
}
