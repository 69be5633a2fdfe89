#pragma once

#include <cstdint>

class Config;

// One input report of the device, decoded: the fields it carries for one section of the
// configuration, or the reason it is dropped. Decoding touches no Config, so it can run where the
// report arrives; storing runs where the Config lives.
class ConfigReport
{
public:
    static constexpr int REPORT_LEN = 9;
    static constexpr uint8_t REPORT_ID = 0x04;
    static constexpr uint8_t ANSWER_TO_READ = 0x01;

    enum class Kind {
        Ignored,      // not an answer to a read, or an unknown section: dropped silently
        Short,        // fewer bytes than a report holds
        WrongId,      // not input report 4
        BadSwitch,    // press or release entry for switch index 8 to 15
        BadProfile,   // profile index 4 to 15
        BadIntervals, // a profile with more than 3 intervals
        DeviceSection,
        PressEntry,
        ReleaseEntry,
        Profile,
        End
    };

    static ConfigReport decode(const uint8_t* data, int len);

    bool is_error() const;
    // Writes the critical message of a rejected report; nothing for any other.
    void log_error() const;
    // Stores the section's fields into config, without any change signal. The end marker and
    // dropped reports store nothing.
    void store(Config& config) const;

    Kind kind = Kind::Ignored;
    // What an error message names: the report length, the switch or profile index, the count.
    int number = 0;
    // Switch or profile index of an entry or a profile.
    uint8_t index = 0;
    // Device section: uid_l, uid_h, fw_version, use_joystick (0 or 1).
    // Press or release entry: iface, action, param1, param2.
    // Profile: n_intervals, then the speeds of the first n_intervals intervals.
    uint8_t fields[4] = {};
};
