// libFuzzer target for the set-up file loader: any bytes, read into one Config that lives across
// inputs; a refused file must leave it as it was.
#include "config.h"
#include "configfile.h"

// Qt 5.15's JSON parser leaks the first value of a key that a file repeats (an object or a list),
// and its frames carry no symbols to suppress that leak alone.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Config* into = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return new Config;
    }();
    const QByteArray before = ConfigFile::encode(*into, *into, {});
    const QByteArray file(reinterpret_cast<const char*>(data), int(size));
    // A refused file leaves the set-up as it was.
    const auto any_entry = [](const ConfigSwitch&) { return true; };
    if (!ConfigFile::decode(file, *into, any_entry).isEmpty() &&
        ConfigFile::encode(*into, *into, {}) != before)
        std::abort();
    return 0;
}
