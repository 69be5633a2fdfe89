#include "configreport.h"

#include "config.h"

#include <QDebug>

namespace {

enum Section : uint8_t {
    SECTION_DEVICE = 0x00,
    SECTION_PRESS = 0x01,
    SECTION_RELEASE = 0x02,
    SECTION_PROFILE = 0x03,
    SECTION_END = 0xFF
};

ConfigReport make(ConfigReport::Kind kind, int number = 0)
{
    ConfigReport report;
    report.kind = kind;
    report.number = number;
    return report;
}

} // namespace

ConfigReport ConfigReport::decode(const uint8_t* data, int len)
{
    // A short read would otherwise be decoded from stale bytes of the previous report.
    if (data == nullptr || len < REPORT_LEN)
        return make(Kind::Short, len);
    if (data[0] != REPORT_ID)
        return make(Kind::WrongId);
    if (data[1] != ANSWER_TO_READ)
        return make(Kind::Ignored);

    ConfigReport report;
    switch (data[2]) {
    case SECTION_DEVICE:
        report.kind = Kind::DeviceSection;
        report.fields[0] = data[3];
        report.fields[1] = data[4];
        report.fields[2] = data[5];
        report.fields[3] = data[6] != 0 ? 1 : 0;
        return report;
    case SECTION_PRESS:
    case SECTION_RELEASE: {
        const int index = data[3] & 0x0F;
        if (index & 0x08)
            return make(Kind::BadSwitch, index);
        report.kind = data[2] == SECTION_PRESS ? Kind::PressEntry : Kind::ReleaseEntry;
        report.index = static_cast<uint8_t>(index);
        for (int i = 0; i < 4; ++i)
            report.fields[i] = data[4 + i];
        return report;
    }
    case SECTION_PROFILE: {
        const int index = data[3] & 0x0F;
        if (index & 0x0C)
            return make(Kind::BadProfile, index);
        const int n = data[4];
        if (n > MouseMoveProfile::MAX_INTERVALS)
            return make(Kind::BadIntervals, n);
        report.kind = Kind::Profile;
        report.index = static_cast<uint8_t>(index);
        report.fields[0] = static_cast<uint8_t>(n);
        for (int k = 0; k < n; ++k)
            report.fields[1 + k] = data[5 + k];
        return report;
    }
    case SECTION_END:
        report.kind = Kind::End;
        return report;
    default:
        return make(Kind::Ignored);
    }
}

bool ConfigReport::is_error() const
{
    switch (kind) {
    case Kind::Short:
    case Kind::WrongId:
    case Kind::BadSwitch:
    case Kind::BadProfile:
    case Kind::BadIntervals:
        return true;
    default:
        return false;
    }
}

void ConfigReport::log_error() const
{
    // The default category, without file, line or function.
    const QMessageLogger log;
    switch (kind) {
    case Kind::Short:
        log.critical() << "Error: Received HID report of" << number << "bytes instead of"
                       << REPORT_LEN;
        break;
    case Kind::WrongId:
        log.critical() << "Error: Received HID report from wrong ID";
        break;
    case Kind::BadSwitch:
        log.critical() << "Error: Received config for switch " << number;
        break;
    case Kind::BadProfile:
        log.critical() << "Error: Received config for profile " << number;
        break;
    case Kind::BadIntervals:
        log.critical() << "Error: Received config for " << number << " intervals";
        break;
    default:
        break;
    }
}

void ConfigReport::store(Config& config) const
{
    switch (kind) {
    case Kind::DeviceSection:
        config.device_uid_l = fields[0];
        config.device_uid_h = fields[1];
        config.fw_version = fields[2];
        config.use_joystick = fields[3] != 0;
        break;
    case Kind::PressEntry:
    case Kind::ReleaseEntry: {
        auto& list = kind == Kind::PressEntry ? config.sw_press_config : config.sw_release_config;
        list[index]->assign(fields[0], fields[1], fields[2], fields[3]);
        break;
    }
    case Kind::Profile: {
        MouseMoveProfile* profile = config.mouse_move_profiles[index];
        profile->n_intervals = fields[0];
        // Speeds beyond the interval count keep their values.
        for (int k = 0; k < fields[0] && k < profile->speed.size(); ++k)
            profile->speed[k] = fields[1 + k];
        break;
    }
    default:
        break;
    }
}
