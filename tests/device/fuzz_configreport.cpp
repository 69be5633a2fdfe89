// libFuzzer target for the configuration report decoder: a stream of input reports of any
// length and content, decoded and stored as the device object does, into one Config that lives
// across inputs.

#include "config.h"
#include "configreport.h"

#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void discard(QtMsgType, const QMessageLogContext&, const QString&) {}

Config& config()
{
    static Config* c = [] {
        qInstallMessageHandler(discard);
        return new Config;
    }();
    return *c;
}

// What every later reader of the Config relies on.
void check(const Config& c)
{
    if (c.sw_press_config.size() != Config::N_SWITCHES ||
        c.sw_release_config.size() != Config::N_SWITCHES ||
        c.sw_simplified_config.size() != Config::N_SWITCHES ||
        c.sw_simplified_release_mode.size() != Config::N_SWITCHES ||
        c.mouse_move_profiles.size() != Config::MAX_MOUSE_MOVE_PROFILES)
        std::abort();
    for (const MouseMoveProfile* p : c.mouse_move_profiles)
        if (p->n_intervals > MouseMoveProfile::MAX_INTERVALS ||
            p->speed.size() != MouseMoveProfile::MAX_INTERVALS)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Config& c = config();
    // Each report is preceded by its length byte (0 to 15, so short and long reads occur).
    std::size_t i = 0;
    while (i < size) {
        const std::size_t wanted = data[i++] % 16;
        const std::size_t len = wanted < size - i ? wanted : size - i;
        const ConfigReport report = ConfigReport::decode(data + i, static_cast<int>(len));
        if (report.is_error()) {
            report.log_error();
        } else {
            report.store(c);
            if (report.kind == ConfigReport::Kind::End)
                c.calculate_simplified();
        }
        i += len;
    }
    check(c);
    return 0;
}
