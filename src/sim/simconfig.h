#pragma once

#include <array>
#include <cstdint>

// What the virtual Velquin Plus stores: its identity, the joystick switch, the press and release
// entry of each switch and the four mouse movement profiles, byte for byte as the reports carry
// them.
struct SimConfig
{
    struct Entry
    {
        uint8_t iface = 0;
        uint8_t action = 0;
        uint8_t param1 = 0;
        uint8_t param2 = 0;
        bool operator==(const Entry& o) const
        {
            return iface == o.iface && action == o.action && param1 == o.param1 &&
                   param2 == o.param2;
        }
        bool operator!=(const Entry& o) const { return !(*this == o); }
    };

    struct Profile
    {
        uint8_t n_intervals = 3;
        std::array<uint8_t, 3> speed{};
        bool operator==(const Profile& o) const
        {
            return n_intervals == o.n_intervals && speed == o.speed;
        }
        bool operator!=(const Profile& o) const { return !(*this == o); }
    };

    static constexpr int N_SWITCHES = 8;
    static constexpr int N_PROFILES = 4;

    uint8_t uid_l = 0;
    uint8_t uid_h = 0;
    uint8_t fw_version = 0; // major in bits 7 and 6, minor in bits 5 to 0
    bool use_joystick = false;
    std::array<Entry, N_SWITCHES> press{};
    std::array<Entry, N_SWITCHES> release{};
    std::array<Profile, N_PROFILES> profiles{};

    // The configuration a new unit ships with, and what the restore mark brings back.
    static SimConfig factory();

    bool operator==(const SimConfig& o) const;
    bool operator!=(const SimConfig& o) const { return !(*this == o); }
};
