// libFuzzer target for the configuration report decoder: a stream of input reports of any length
// and content, each preceded by its length byte (0 to 15, so that short and long reads occur),
// decoded and stored as the device object does, into one Config that lives across inputs. Aborts
// when what the screens read from the Config would no longer hold.
#include "config.h"
#include "configreport.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Config& c = *[] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return new Config;
    }();
    for (size_t i = 0, len = 0; i < size; i += len) {
        const size_t wanted = data[i++] % 16;
        len = std::min(wanted, size - i);
        const ConfigReport report = ConfigReport::decode(data + i, int(len));
        if (report.is_error())
            report.log_error();
        report.store(c);
        if (report.kind == ConfigReport::Kind::End)
            c.calculate_simplified();
    }
    for (const QList<ConfigSwitch*>* list :
         {&c.sw_press_config, &c.sw_release_config, &c.sw_simplified_config})
        if (list->size() != Config::N_SWITCHES ||
            c.sw_simplified_release_mode.size() != list->size())
            std::abort();
    for (const MouseMoveProfile* p : c.mouse_move_profiles)
        if (p->n_intervals > MouseMoveProfile::MAX_INTERVALS || p->speed.size() != 3)
            std::abort();
    return 0;
}
