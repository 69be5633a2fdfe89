// The device link tests' view of a configuration: reports as hex text, a Config in the virtual
// device's terms, and the fields in which two configurations differ.
#pragma once

#include "config.h"
#include "sim/simdevice.h"

#include <QStringList>

using Bytes = SimDevice::Bytes;

// "05 01 00" <-> {0x05, 0x01, 0x00}
inline Bytes hex(const QString& text)
{
    Bytes bytes;
    for (const QString& item : text.split(' ', Qt::SkipEmptyParts))
        bytes.push_back(uint8_t(item.toUInt(nullptr, 16)));
    return bytes;
}
inline QString hex(const Bytes& bytes)
{
    QStringList items;
    for (uint8_t b : bytes)
        items << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return items.join(' ');
}
inline QStringList hex(const std::vector<Bytes>& reports)
{
    QStringList lines;
    for (const Bytes& report : reports)
        lines << hex(report);
    return lines;
}

inline SimConfig snapshot(const Config& c)
{
    SimConfig s{c.device_uid_l, c.device_uid_h, c.fw_version, c.use_joystick};
    for (int i = 0; i < SimConfig::N_SWITCHES; ++i) {
        for (auto [to, from] : {std::make_pair(&s.press[i], c.sw_press_config[i]),
                                std::make_pair(&s.release[i], c.sw_release_config[i])})
            *to = {from->iface, from->action, from->param1, from->param2};
    }
    for (int j = 0; j < SimConfig::N_PROFILES; ++j) {
        s.profiles[j].n_intervals = c.mouse_move_profiles[j]->n_intervals;
        for (int k = 0; k < 3; ++k)
            s.profiles[j].speed[k] = c.mouse_move_profiles[j]->speed.value(k);
    }
    return s;
}

// Every field as "name=bytes", in report order.
inline QStringList fields(const SimConfig& c)
{
    QStringList f{"uid=" + hex(Bytes{c.uid_l, c.uid_h}), "fw=" + hex(Bytes{c.fw_version}),
                  QStringLiteral("joystick=%1").arg(c.use_joystick)};
    for (const auto& [name, entries] : {std::make_pair("press", &c.press), {"release", &c.release}})
        for (int i = 0; i < SimConfig::N_SWITCHES; ++i) {
            const SimConfig::Entry& e = (*entries)[i];
            f << QStringLiteral("%1[%2]=").arg(name).arg(i) +
                     hex(Bytes{e.iface, e.action, e.param1, e.param2});
        }
    for (int j = 0; j < SimConfig::N_PROFILES; ++j)
        f << QStringLiteral("profile[%1]=").arg(j) +
                 hex(Bytes{c.profiles[j].n_intervals, c.profiles[j].speed[0],
                           c.profiles[j].speed[1], c.profiles[j].speed[2]});
    return f;
}

// The fields of `after` that differ from `before`, as "press[3]=01 07 02 00; joystick=1".
inline QString diff(const SimConfig& before, const SimConfig& after)
{
    const QStringList a = fields(before), b = fields(after);
    QStringList changed;
    for (int i = 0; i < b.size(); ++i)
        if (a[i] != b[i])
            changed << b[i];
    return changed.join("; ");
}
