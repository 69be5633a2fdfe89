#include "simconfig.h"

namespace {

// Byte values as the configuration model numbers them.
constexpr uint8_t MOUSE = 1, KEYBD = 2;
constexpr uint8_t MOUSE_MOVE_STOP = 3, MOUSE_CLICK = 7;
constexpr uint8_t KEYBD_TAP = 4;
constexpr uint8_t AXIS_X = 0, AXIS_Y = 1;
constexpr uint8_t POSITIVE = 1, NEGATIVE = 2;
constexpr uint8_t BUTTON_LEFT = 0, BUTTON_RIGHT = 1;
constexpr uint8_t KEY_ENTER = 0x28, KEY_SPACE = 0x2C;
constexpr uint8_t PROFILE_ACCELERATE = 2;

constexpr uint8_t move(uint8_t sign)
{
    return static_cast<uint8_t>(PROFILE_ACCELERATE << 4 | sign);
}

} // namespace

SimConfig SimConfig::factory()
{
    SimConfig c;
    c.uid_h = 0x12;
    c.uid_l = 0x34;
    c.fw_version = 0x45; // 1.5
    c.use_joystick = false;
    // Two buttons, two keys, and the pointer in four directions (each press starts or stops it).
    c.press = {{{MOUSE, MOUSE_CLICK, BUTTON_LEFT, 0},
                {MOUSE, MOUSE_CLICK, BUTTON_RIGHT, 0},
                {KEYBD, KEYBD_TAP, KEY_SPACE, 0},
                {KEYBD, KEYBD_TAP, KEY_ENTER, 0},
                {MOUSE, MOUSE_MOVE_STOP, AXIS_Y, move(NEGATIVE)},
                {MOUSE, MOUSE_MOVE_STOP, AXIS_Y, move(POSITIVE)},
                {MOUSE, MOUSE_MOVE_STOP, AXIS_X, move(NEGATIVE)},
                {MOUSE, MOUSE_MOVE_STOP, AXIS_X, move(POSITIVE)}}};
    c.release = {};
    // Constant slow, constant fast, accelerate, accelerate then decelerate.
    c.profiles = {{{1, {{3, 0, 0}}}, {1, {{8, 0, 0}}}, {3, {{2, 5, 10}}}, {3, {{2, 10, 4}}}}};
    return c;
}

bool SimConfig::operator==(const SimConfig& o) const
{
    return uid_l == o.uid_l && uid_h == o.uid_h && fw_version == o.fw_version &&
           use_joystick == o.use_joystick && press == o.press && release == o.release &&
           profiles == o.profiles;
}
