#pragma once

#include "simconfig.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

// The Velquin Plus's side of the configuration protocol, without any transport: it takes the
// host's output reports and says what to send back. Not thread-safe; the transport glue (the
// virtual bus here, a uhid tool elsewhere) serialises the calls.
//
// A configuration write takes effect at its end marker, all at once: sections that arrive before
// it are staged, so an interrupted write leaves the stored configuration as it was. The end marker
// of a write whose press entry of switch 0 carries the restore mark (iface 0xFF) restores the
// factory configuration instead (identity kept). A device section with control byte 0xFF is the
// bootloader request.
class SimDevice
{
public:
    using Bytes = std::vector<uint8_t>;

    static constexpr uint16_t VENDOR_ID = 0x08E6;
    static constexpr uint16_t PRODUCT_ID = 0x0001;
    static constexpr uint16_t USAGE_PAGE = 0xFF00;
    static constexpr int REPORT_LEN = 9;
    static constexpr uint8_t INPUT_REPORT_ID = 0x04;
    static constexpr uint8_t OUTPUT_REPORT_ID = 0x05;

    // Positions of the reports in the answer to a read: device section, press entries 0 to 7,
    // release entries 0 to 7, profiles 0 to 3, end marker.
    static constexpr int POS_DEVICE = 0;
    static constexpr int pos_press(int i) { return 1 + i; }
    static constexpr int pos_release(int i) { return 1 + SimConfig::N_SWITCHES + i; }
    static constexpr int pos_profile(int j) { return 1 + 2 * SimConfig::N_SWITCHES + j; }
    static constexpr int POS_END = 1 + 2 * SimConfig::N_SWITCHES + SimConfig::N_PROFILES;
    static constexpr int ANSWER_LEN = POS_END + 1;

    // How the answer to a read deviates from the usual one (for tests).
    struct AnswerOptions
    {
        std::vector<int> order;        // positions in sending order; empty: 0 to 21
        std::set<int> dropped;         // positions not sent
        std::map<int, Bytes> replaced; // positions sent as these bytes (any length) instead
    };

    enum class Outcome {
        Ignored,   // not a report of the protocol, or a section that is not valid
        Read,      // answer with answer()
        Staged,    // a section of a write, waiting for its end marker
        Applied,   // end marker: the staged write is now the configuration
        Restored,  // end marker of a write with the restore mark: factory configuration
        Bootloader // leave the bus
    };

    struct Stats
    {
        int read_requests = 0;
        int writes_applied = 0;
        int restores = 0;
        int bootloader_requests = 0;
        int ignored = 0;
    };

    SimDevice();

    Outcome handle_output(const uint8_t* data, std::size_t len);
    // The reports of the answer to a read of the current configuration, options applied.
    std::vector<Bytes> answer() const;
    // The usual report at one answer position, for the current configuration.
    Bytes answer_report(int position) const;

    const SimConfig& config() const { return current; }
    void set_config(const SimConfig& config);
    void reset_to_factory();
    const AnswerOptions& answer_options() const { return options; }
    void set_answer_options(AnswerOptions options);
    const Stats& stats() const { return counts; }

private:
    SimConfig current;
    std::optional<SimConfig> staged;
    AnswerOptions options;
    Stats counts;
};
