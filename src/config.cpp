#include "config.h"

#include <QMetaType>
#include <QtDebug>

namespace {

using Iface = ConfigSwitch::Iface;
using MouseAction = ConfigSwitch::MouseAction;
using KeybdAction = ConfigSwitch::KeybdAction;
using JoystAction = ConfigSwitch::JoystAction;
using GenerAction = ConfigSwitch::GenerAction;
using Axis = ConfigSwitch::Axis;
using ReleaseMode = Config::ReleaseMode;

// Wheel step-interval codes that the device keeps in the high nibble of a wheel movement.
constexpr unsigned WHEEL_CODE_SLOW = 15;
constexpr unsigned WHEEL_CODE_MEDIUM = 7;
constexpr unsigned WHEEL_CODE_FAST = 1;
constexpr int WHEEL_SPEED_SLOW = 0;
constexpr int WHEEL_SPEED_MEDIUM = 1;
constexpr int WHEEL_SPEED_FAST = 2;
// Summary values when no press entry carries them.
constexpr int DEFAULT_SUMMARY_PROFILE = 2;
constexpr int DEFAULT_SUMMARY_WHEEL_SPEED = WHEEL_SPEED_MEDIUM;

template <typename E> constexpr quint8 u8(E value)
{
    return static_cast<quint8>(value);
}

template <typename T, typename Signal>
void set_and_notify(Config* config, T& field, const T& value, Signal signal)
{
    if (field == value)
        return;
    field = value;
    emit(config->*signal)();
}

// The conversions of QList<int> and QList<ConfigSwitch*> to sequential iterables come with their
// registration; QML needs them to index the list properties and to pass a Config to copy_from.
void register_meta_types()
{
    static const bool registered = [] {
        qRegisterMetaType<QList<ConfigSwitch*>>();
        qRegisterMetaType<QList<int>>();
        qRegisterMetaType<QList<quint8>>();
        qRegisterMetaType<Config*>();
        return true;
    }();
    Q_UNUSED(registered)
}

bool is_mouse_or_joyst(quint8 iface)
{
    return iface == u8(Iface::Mouse) || iface == u8(Iface::Joyst);
}

bool is_keybd_or_cctrl(quint8 iface)
{
    return iface == u8(Iface::Keybd) || iface == u8(Iface::Cctrl);
}

// Mouse and joystick share the numbering of their action pairs (Move/SetPos, MoveStop/SetPosCenter,
// Press, PressRelease, Click), and so do keyboard and multimedia.
ReleaseMode simplify_entry(ConfigSwitch& entry)
{
    if (is_mouse_or_joyst(entry.iface)) {
        switch (entry.action) {
        case u8(MouseAction::Move):
            return ReleaseMode::Manual;
        case u8(MouseAction::MoveStop):
            entry.action = u8(MouseAction::Move);
            return ReleaseMode::Alternate;
        case u8(MouseAction::Press):
            entry.action = u8(MouseAction::Click);
            return ReleaseMode::Manual;
        case u8(MouseAction::PressRelease):
            entry.action = u8(MouseAction::Click);
            return ReleaseMode::Alternate;
        default:
            return ReleaseMode::Automatic;
        }
    }
    if (is_keybd_or_cctrl(entry.iface)) {
        switch (entry.action) {
        case u8(KeybdAction::Press):
            entry.action = u8(KeybdAction::Tap);
            return ReleaseMode::Manual;
        case u8(KeybdAction::PressRelease):
            entry.action = u8(KeybdAction::Tap);
            return ReleaseMode::Alternate;
        default:
            return ReleaseMode::Automatic;
        }
    }
    return ReleaseMode::Automatic;
}

quint8 encode_move_param2(quint8 param1, quint8 param2, int profile, int wheel_speed)
{
    unsigned high;
    if (param1 == u8(Axis::Wheel)) {
        if (wheel_speed == WHEEL_SPEED_SLOW)
            high = WHEEL_CODE_SLOW << 4;
        else if (wheel_speed == WHEEL_SPEED_FAST)
            high = WHEEL_CODE_FAST << 4;
        else
            high = WHEEL_CODE_MEDIUM << 4;
    } else {
        // Unsigned, so that an out-of-range profile wraps instead of shifting a negative value.
        high = (static_cast<unsigned>(profile) << 4) & 0xF0u;
    }
    return static_cast<quint8>((param2 & 0x0Fu) | high);
}

// A button (Click) is tapped, held, or toggled; the release entry of a held button releases it.
void expand_click(ConfigSwitch& press, ConfigSwitch& release, int mode, quint8 press_action,
                  quint8 release_action, quint8 toggle_action)
{
    if (mode == int(ReleaseMode::Manual)) {
        press.action = press_action;
        release.assign(press.iface, release_action, press.param1, 0);
    } else if (mode == int(ReleaseMode::Alternate)) {
        press.action = toggle_action;
    }
}

} // namespace

Config::Config(QObject* parent) : QObject(parent)
{
    register_meta_types();
    for (QList<ConfigSwitch*>* list : {&sw_press_config, &sw_release_config}) {
        for (int i = 0; i < N_SWITCHES; ++i)
            list->append(new ConfigSwitch);
    }
    for (int i = 0; i < MAX_MOUSE_MOVE_PROFILES; ++i)
        mouse_move_profiles.append(new MouseMoveProfile);
    for (int i = 0; i < N_SWITCHES; ++i)
        sw_simplified_config.append(new ConfigSwitch);
    for (int i = 0; i < N_SWITCHES; ++i)
        sw_simplified_release_mode.append(int(ReleaseMode::Automatic));

    for (QObject* object : qAsConst(sw_press_config))
        owned_.append(object);
    for (QObject* object : qAsConst(sw_release_config))
        owned_.append(object);
    for (QObject* object : qAsConst(mouse_move_profiles))
        owned_.append(object);
    for (QObject* object : qAsConst(sw_simplified_config))
        owned_.append(object);
}

Config::~Config()
{
    qDeleteAll(owned_);
}

void Config::set_device_uid_h(quint8 value)
{
    set_and_notify(this, device_uid_h, value, &Config::device_uid_h_changed);
}

void Config::set_device_uid_l(quint8 value)
{
    set_and_notify(this, device_uid_l, value, &Config::device_uid_l_changed);
}

void Config::set_fw_version(quint8 value)
{
    set_and_notify(this, fw_version, value, &Config::fw_version_changed);
}

void Config::set_use_joystick(bool value)
{
    set_and_notify(this, use_joystick, value, &Config::use_joystick_changed);
}

void Config::set_sw_simplified_config(const QList<ConfigSwitch*>& value)
{
    // Every conversion indexes all eight entries.
    if (value.size() != N_SWITCHES || value.contains(nullptr)) {
        qWarning("Config: ignored a simplified configuration without %d entries", N_SWITCHES);
        return;
    }
    set_and_notify(this, sw_simplified_config, value, &Config::sw_simplified_config_changed);
}

void Config::set_sw_simplified_release_mode(const QList<int>& value)
{
    if (value.size() != N_SWITCHES) {
        qWarning("Config: ignored a list of %d release modes", int(value.size()));
        return;
    }
    set_and_notify(this, sw_simplified_release_mode, value,
                   &Config::sw_simplified_release_mode_changed);
}

void Config::set_mouse_move_summary_profile(int value)
{
    set_and_notify(this, mouse_move_summary_profile, value,
                   &Config::mouse_move_summary_profile_changed);
}

void Config::set_mouse_move_summary_wheel_speed(int value)
{
    set_and_notify(this, mouse_move_summary_wheel_speed, value,
                   &Config::mouse_move_summary_wheel_speed_changed);
}

void Config::copy_from(Config* src)
{
    // QML can pass null; copying nothing is better than crashing the window.
    if (!src) {
        qWarning("Config::copy_from: no source configuration");
        return;
    }
    use_joystick = src->use_joystick;
    for (int i = 0; i < N_SWITCHES; ++i) {
        sw_press_config[i]->assign(*src->sw_press_config[i]);
        sw_release_config[i]->assign(*src->sw_release_config[i]);
        sw_simplified_config[i]->assign(*src->sw_simplified_config[i]);
        sw_simplified_release_mode[i] = src->sw_simplified_release_mode[i];
    }
    for (int i = 0; i < MAX_MOUSE_MOVE_PROFILES; ++i) {
        MouseMoveProfile* to = mouse_move_profiles[i];
        const MouseMoveProfile* from = src->mouse_move_profiles[i];
        to->n_intervals = from->n_intervals;
        for (int k = 0; k < MouseMoveProfile::MAX_INTERVALS; ++k)
            to->speed[k] = from->speed[k];
    }
    mouse_move_summary_profile = src->mouse_move_summary_profile;
    mouse_move_summary_wheel_speed = src->mouse_move_summary_wheel_speed;

    // The identity fields stay the device's own, but listeners re-read them all the same.
    emit device_uid_h_changed();
    emit device_uid_l_changed();
    emit fw_version_changed();
    emit use_joystick_changed();
    emit sw_simplified_config_changed();
    emit sw_simplified_release_mode_changed();
    emit mouse_move_summary_profile_changed();
    emit mouse_move_summary_wheel_speed_changed();
}

void Config::calculate_simplified()
{
    for (int i = 0; i < N_SWITCHES; ++i) {
        ConfigSwitch& simplified = *sw_simplified_config[i];
        simplified.assign(*sw_press_config[i]);
        sw_simplified_release_mode[i] = int(simplify_entry(simplified));
    }

    mouse_move_summary_profile = DEFAULT_SUMMARY_PROFILE;
    mouse_move_summary_wheel_speed = DEFAULT_SUMMARY_WHEEL_SPEED;
    // The last movement entry wins for each summary value.
    for (const ConfigSwitch* press : qAsConst(sw_press_config)) {
        if (press->iface != u8(Iface::Mouse) ||
            (press->action != u8(MouseAction::Move) && press->action != u8(MouseAction::MoveStop)))
            continue;
        const int n = press->param2 >> 4;
        if (press->param1 != u8(Axis::Wheel))
            mouse_move_summary_profile = n;
        else if (n == int(WHEEL_CODE_FAST))
            mouse_move_summary_wheel_speed = WHEEL_SPEED_FAST;
        else if (n == int(WHEEL_CODE_SLOW))
            mouse_move_summary_wheel_speed = WHEEL_SPEED_SLOW;
        else
            mouse_move_summary_wheel_speed = WHEEL_SPEED_MEDIUM;
    }
}

void Config::calculate_full()
{
    for (int i = 0; i < N_SWITCHES; ++i) {
        ConfigSwitch& press = *sw_press_config[i];
        ConfigSwitch& release = *sw_release_config[i];
        const int mode = sw_simplified_release_mode[i];
        press.assign(*sw_simplified_config[i]);
        release.clear();

        switch (press.iface) {
        case u8(Iface::Mouse):
            if (press.action == u8(MouseAction::Click)) {
                expand_click(press, release, mode, u8(MouseAction::Press), u8(MouseAction::Release),
                             u8(MouseAction::PressRelease));
            } else if (press.action == u8(MouseAction::Move)) {
                press.param2 =
                    encode_move_param2(press.param1, press.param2, mouse_move_summary_profile,
                                       mouse_move_summary_wheel_speed);
                if (mode == int(ReleaseMode::Manual))
                    release.assign(press.iface, u8(MouseAction::Stop), press.param1, 0);
                else
                    press.action = u8(MouseAction::MoveStop);
            }
            break;
        case u8(Iface::Keybd):
        case u8(Iface::Cctrl):
            if (press.action != u8(KeybdAction::Tap))
                break;
            if (mode == int(ReleaseMode::Manual)) {
                press.action = u8(KeybdAction::Press);
                release.assign(press.iface, u8(KeybdAction::Release), press.param1, press.param2);
            } else if (mode == int(ReleaseMode::Alternate)) {
                press.action = u8(KeybdAction::PressRelease);
            }
            break;
        case u8(Iface::Joyst):
            if (press.action == u8(JoystAction::Click)) {
                expand_click(press, release, mode, u8(JoystAction::Press), u8(JoystAction::Release),
                             u8(JoystAction::PressRelease));
            } else if (press.action == u8(JoystAction::SetPos)) {
                if (mode == int(ReleaseMode::Manual))
                    release.assign(press.iface, u8(JoystAction::Center), press.param1, 0);
                else
                    press.action = u8(JoystAction::SetPosCenter);
            }
            break;
        case u8(Iface::Gener):
            release.assign(press.iface, u8(GenerAction::Send), press.param1, 1);
            break;
        default:
            break;
        }
    }
}
