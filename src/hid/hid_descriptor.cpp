#include "hid_descriptor.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

namespace vhid {

namespace {

enum item_type { type_main = 0, type_global = 1, type_local = 2 };
enum main_tag {
    tag_input = 8,
    tag_output = 9,
    tag_collection = 10,
    tag_feature = 11,
    tag_end = 12
};
enum global_tag {
    tag_usage_page = 0,
    tag_report_size = 7,
    tag_report_id = 8,
    tag_report_count = 9,
    tag_push = 10,
    tag_pop = 11,
};
constexpr uint32_t tag_usage = 0;
constexpr uint32_t collection_application = 1;

// Bounds that no real device comes near; they keep hostile descriptors cheap.
constexpr size_t max_push_depth = 16;
constexpr uint32_t max_collection_depth = 64;
constexpr uint64_t max_report_bits = 65536 * 8;

struct globals
{
    uint32_t usage_page = 0;
    uint32_t report_size = 0;
    uint32_t report_count = 0;
    uint8_t report_id = 0;
};

void add_id(std::vector<uint8_t>& ids, uint8_t id)
{
    if (std::find(ids.begin(), ids.end(), id) == ids.end())
        ids.push_back(id);
}

} // namespace

bool parse_hid_descriptor(const uint8_t* data, size_t size, hid_descriptor& out)
{
    out = hid_descriptor{};
    if (size > max_descriptor_size || (!data && size))
        return false;

    globals g;
    std::vector<globals> stack;
    uint32_t depth = 0;
    int current = -1; // the top-level application collection being read
    bool have_usage = false;
    uint32_t usage = 0;
    bool usage_has_page = false;
    // Bits per (collection, main tag, report id), in order of first appearance.
    std::map<std::tuple<int, uint32_t, uint8_t>, uint64_t> bits;
    std::vector<std::tuple<int, uint32_t, uint8_t>> order;

    size_t i = 0;
    while (i < size) {
        const uint8_t prefix = data[i++];
        if (prefix == 0xFE) { // a long item: data size, tag, data; no meaning for reports
            if (i + 2 > size || i + 2 + data[i] > size)
                return false;
            i += 2 + size_t(data[i]);
            continue;
        }
        const size_t n = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (i + n > size)
            return false;
        uint32_t value = 0;
        for (size_t k = 0; k < n; ++k)
            value |= uint32_t(data[i + k]) << (8 * k);
        i += n;
        const uint32_t type = (prefix >> 2) & 3;
        const uint32_t tag = prefix >> 4;

        if (type == type_global) {
            switch (tag) {
            case tag_usage_page:
                g.usage_page = value & 0xFFFF;
                break;
            case tag_report_size:
                g.report_size = value;
                break;
            case tag_report_id:
                if (value == 0 || value > 0xFF)
                    return false;
                g.report_id = uint8_t(value);
                out.numbered = true;
                break;
            case tag_report_count:
                g.report_count = value;
                break;
            case tag_push:
                if (stack.size() >= max_push_depth)
                    return false;
                stack.push_back(g);
                break;
            case tag_pop:
                if (stack.empty())
                    return false;
                g = stack.back();
                stack.pop_back();
                break;
            default:
                break;
            }
        } else if (type == type_local) {
            if (tag == tag_usage && !have_usage) {
                have_usage = true;
                usage = value;
                usage_has_page = n == 4;
            }
        } else if (type == type_main) {
            if (tag == tag_collection) {
                if (depth == 0 && (value & 0xFF) == collection_application) {
                    hid_collection c;
                    c.usage_page = uint16_t(usage_has_page ? usage >> 16 : g.usage_page);
                    c.usage = uint16_t(usage & 0xFFFF);
                    out.collections.push_back(c);
                    current = int(out.collections.size()) - 1;
                }
                if (++depth > max_collection_depth)
                    return false;
            } else if (tag == tag_end) {
                if (depth == 0)
                    return false;
                if (--depth == 0)
                    current = -1;
            } else if ((tag == tag_input || tag == tag_output || tag == tag_feature) &&
                       current >= 0) {
                const uint64_t field = uint64_t(g.report_size) * g.report_count;
                if (field > max_report_bits)
                    return false;
                if (field) {
                    const auto key = std::make_tuple(current, tag, g.report_id);
                    auto [it, added] = bits.emplace(key, 0);
                    if (added)
                        order.push_back(key);
                    it->second += field;
                    if (it->second > max_report_bits)
                        return false;
                }
            }
            have_usage = false; // locals end with every main item
        }
    }
    if (depth != 0)
        return false;
    // On a device with ids every report needs one: a report before the first id has no frame.
    for (const auto& key : order)
        if (out.numbered && std::get<2>(key) == 0)
            return false;

    for (const auto& key : order) {
        const auto [index, tag, id] = key;
        hid_collection& c = out.collections[size_t(index)];
        const int32_t bytes = int32_t((bits[key] + 7) / 8) + 1;
        if (tag == tag_input) {
            add_id(c.input_ids, id);
            c.input_report_len = std::max(c.input_report_len, bytes);
        } else if (tag == tag_output) {
            add_id(c.output_ids, id);
            c.output_report_len = std::max(c.output_report_len, bytes);
        } else {
            add_id(c.feature_ids, id);
            c.feature_report_len = std::max(c.feature_report_len, bytes);
        }
    }
    return true;
}

int input_collection(const hid_descriptor& descriptor, uint8_t report_id)
{
    for (size_t i = 0; i < descriptor.collections.size(); ++i) {
        const auto& ids = descriptor.collections[i].input_ids;
        if (std::find(ids.begin(), ids.end(), report_id) != ids.end())
            return int(i);
    }
    return -1;
}

int32_t frame_input_report(const hid_descriptor& descriptor, int collection, const uint8_t* report,
                           size_t size, uint8_t* buffer, int32_t length)
{
    if (size == 0 || length < 1 || collection < 0 ||
        size_t(collection) >= descriptor.collections.size())
        return -1;
    const uint8_t id = descriptor.numbered ? report[0] : 0;
    const auto& ids = descriptor.collections[size_t(collection)].input_ids;
    if (std::find(ids.begin(), ids.end(), id) == ids.end())
        return -1;
    std::memset(buffer, 0, size_t(length));
    const size_t sent = descriptor.numbered ? size : size + 1;
    const size_t kept = std::min(sent, size_t(length));
    if (descriptor.numbered)
        std::memcpy(buffer, report, kept);
    else
        std::memcpy(buffer + 1, report, kept - 1);
    return int32_t(kept);
}

} // namespace vhid
