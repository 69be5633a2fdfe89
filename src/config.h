#pragma once

#include "configswitch.h"
#include "mousemoveprofile.h"

#include <QList>
#include <QObject>

// One complete configuration of the device: identity, the full press/release form that the device
// stores, the movement profiles, and the simplified form that the user edits.
//
// The entry objects are created once by the constructor and never added, removed or replaced, so
// pointers to them stay valid for the life of the Config. Bulk writers (the report decoder,
// copy_from and the two conversions) write the public fields directly and announce their changes
// themselves; the property setters emit only on a real change.
class Config : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("RegisterEnumClassesUnscoped", "false")
    Q_PROPERTY(int N_SWITCHES READ n_switches CONSTANT)
    Q_PROPERTY(int MAX_MOUSE_MOVE_PROFILES READ max_mouse_move_profiles CONSTANT)
    Q_PROPERTY(
        quint8 device_uid_h MEMBER device_uid_h WRITE set_device_uid_h NOTIFY device_uid_h_changed)
    Q_PROPERTY(
        quint8 device_uid_l MEMBER device_uid_l WRITE set_device_uid_l NOTIFY device_uid_l_changed)
    Q_PROPERTY(quint8 fw_version MEMBER fw_version WRITE set_fw_version NOTIFY fw_version_changed)
    Q_PROPERTY(
        bool use_joystick MEMBER use_joystick WRITE set_use_joystick NOTIFY use_joystick_changed)
    Q_PROPERTY(QList<ConfigSwitch*> sw_simplified_config MEMBER sw_simplified_config WRITE
                   set_sw_simplified_config NOTIFY sw_simplified_config_changed)
    Q_PROPERTY(QList<int> sw_simplified_release_mode MEMBER sw_simplified_release_mode WRITE
                   set_sw_simplified_release_mode NOTIFY sw_simplified_release_mode_changed)
    Q_PROPERTY(int mouse_move_summary_profile MEMBER mouse_move_summary_profile WRITE
                   set_mouse_move_summary_profile NOTIFY mouse_move_summary_profile_changed)
    Q_PROPERTY(int mouse_move_summary_wheel_speed MEMBER mouse_move_summary_wheel_speed WRITE
                   set_mouse_move_summary_wheel_speed NOTIFY mouse_move_summary_wheel_speed_changed)

public:
    enum class ReleaseMode { Automatic = 0, Manual = 1, Alternate = 2 };
    Q_ENUM(ReleaseMode)

    static constexpr int N_SWITCHES = 8;
    static constexpr int MAX_MOUSE_MOVE_PROFILES = 4;

    explicit Config(QObject* parent = nullptr);
    ~Config() override;

    int n_switches() const { return N_SWITCHES; }
    int max_mouse_move_profiles() const { return MAX_MOUSE_MOVE_PROFILES; }

    void set_device_uid_h(quint8 value);
    void set_device_uid_l(quint8 value);
    void set_fw_version(quint8 value);
    void set_use_joystick(bool value);
    void set_sw_simplified_config(const QList<ConfigSwitch*>& value);
    void set_sw_simplified_release_mode(const QList<int>& value);
    void set_mouse_move_summary_profile(int value);
    void set_mouse_move_summary_wheel_speed(int value);

    // Copies src's values into this object's existing entries (the identity fields excepted) and
    // then emits all eight change signals; the entries themselves stay silent.
    Q_INVOKABLE void copy_from(Config* src);

    // Derives the simplified form and the two summary values from the press entries.
    void calculate_simplified();
    // Rebuilds every press and release entry from the simplified form.
    void calculate_full();

    quint8 device_uid_h = 0;
    quint8 device_uid_l = 0;
    quint8 fw_version = 0;
    bool use_joystick = false;
    QList<ConfigSwitch*> sw_press_config;
    QList<ConfigSwitch*> sw_release_config;
    QList<MouseMoveProfile*> mouse_move_profiles;
    QList<ConfigSwitch*> sw_simplified_config;
    QList<int> sw_simplified_release_mode;
    int mouse_move_summary_profile = 0;
    int mouse_move_summary_wheel_speed = 0;

private:
    // Everything the constructor created, for the destructor: the simplified list itself is
    // writable as a property.
    QList<QObject*> owned_;

signals:
    void device_uid_h_changed();
    void device_uid_l_changed();
    void fw_version_changed();
    void use_joystick_changed();
    void sw_simplified_config_changed();
    void sw_simplified_release_mode_changed();
    void mouse_move_summary_profile_changed();
    void mouse_move_summary_wheel_speed_changed();
};
