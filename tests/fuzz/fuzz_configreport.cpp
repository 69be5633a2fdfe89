// libFuzzer target for the configuration report decoder: a stream of input reports of any length
// and content, each preceded by its length byte (0 to 15, so that short and long reads occur),
// decoded and stored as the device object does, into one Config that lives across inputs.
#include "config.h"
#include "configreport.h"

#include <algorithm>

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
    return 0;
}
