#pragma once

// Helpers shared by the device link tests: report byte images, snapshots of a Config in the
// virtual device's terms, and a record of log messages and signals.

#include "config.h"
#include "device.h"
#include "sim/simconfig.h"
#include "sim/simdevice.h"
#include "vhid_virtual.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <chrono>
#include <mutex>
#include <thread>

// Waits until the readers of unplugged interfaces have ended (only the output registration's
// write handle stays open), so that the next vhid_init finds the layer quiet.
inline bool readers_ended(int timeout_ms = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (vhid_virtual_open_handles() > 1) {
        if (timer.elapsed() > timeout_ms)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// "05 01 00" -> {0x05, 0x01, 0x00}
inline SimDevice::Bytes hex(const QString& text)
{
    SimDevice::Bytes bytes;
    for (const QString& item : text.split(' ', Qt::SkipEmptyParts))
        bytes.push_back(static_cast<uint8_t>(item.toUInt(nullptr, 16)));
    return bytes;
}

inline QString hex(const SimDevice::Bytes& bytes)
{
    QStringList items;
    for (uint8_t b : bytes)
        items << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return items.join(' ');
}

inline QStringList hex(const std::vector<SimDevice::Bytes>& reports)
{
    QStringList lines;
    for (const SimDevice::Bytes& report : reports)
        lines << hex(report);
    return lines;
}

// What a Config holds of the device's configuration, in the virtual device's form.
inline SimConfig snapshot(const Config& config)
{
    SimConfig s;
    s.uid_l = config.device_uid_l;
    s.uid_h = config.device_uid_h;
    s.fw_version = config.fw_version;
    s.use_joystick = config.use_joystick;
    for (int i = 0; i < SimConfig::N_SWITCHES; ++i) {
        const ConfigSwitch* p = config.sw_press_config[i];
        const ConfigSwitch* r = config.sw_release_config[i];
        s.press[i] = {p->iface, p->action, p->param1, p->param2};
        s.release[i] = {r->iface, r->action, r->param1, r->param2};
    }
    for (int j = 0; j < SimConfig::N_PROFILES; ++j) {
        const MouseMoveProfile* m = config.mouse_move_profiles[j];
        s.profiles[j].n_intervals = m->n_intervals;
        for (int k = 0; k < 3; ++k)
            s.profiles[j].speed[k] = m->speed.value(k);
    }
    return s;
}

// The fields that differ from `before`, as "press[3]=01 07 02 00; joystick=1".
inline QString diff(const SimConfig& before, const SimConfig& after)
{
    QStringList items;
    const auto byte = [](uint8_t b) {
        return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    };
    const auto entry = [&](const SimConfig::Entry& e) {
        return byte(e.iface) + ' ' + byte(e.action) + ' ' + byte(e.param1) + ' ' + byte(e.param2);
    };
    if (before.uid_l != after.uid_l)
        items << "uid_l=" + byte(after.uid_l);
    if (before.uid_h != after.uid_h)
        items << "uid_h=" + byte(after.uid_h);
    if (before.fw_version != after.fw_version)
        items << "fw=" + byte(after.fw_version);
    if (before.use_joystick != after.use_joystick)
        items << QStringLiteral("joystick=%1").arg(after.use_joystick ? 1 : 0);
    for (int i = 0; i < SimConfig::N_SWITCHES; ++i) {
        if (before.press[i] != after.press[i])
            items << QStringLiteral("press[%1]=").arg(i) + entry(after.press[i]);
        if (before.release[i] != after.release[i])
            items << QStringLiteral("release[%1]=").arg(i) + entry(after.release[i]);
    }
    for (int j = 0; j < SimConfig::N_PROFILES; ++j) {
        const SimConfig::Profile& p = after.profiles[j];
        if (before.profiles[j] != p)
            items << QStringLiteral("profile[%1]=%2: ").arg(j).arg(p.n_intervals) +
                         byte(p.speed[0]) + ' ' + byte(p.speed[1]) + ' ' + byte(p.speed[2]);
    }
    return items.join("; ");
}

// Records every log message (from any thread) and hands it on to the previous handler, so that
// QTest::ignoreMessage keeps working.
class MessageLog
{
public:
    MessageLog()
    {
        current = this;
        previous = qInstallMessageHandler(&MessageLog::handler);
    }
    ~MessageLog()
    {
        qInstallMessageHandler(previous);
        current = nullptr;
    }
    QStringList errors() const
    {
        std::lock_guard<std::mutex> lock(mutex);
        return messages.filter(QRegExp("^Error: "));
    }

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        {
            std::lock_guard<std::mutex> lock(current->mutex);
            current->messages << text;
        }
        current->previous(type, context, text);
    }

    static inline MessageLog* current = nullptr;
    QtMessageHandler previous = nullptr;
    mutable std::mutex mutex;
    QStringList messages;
};

// The device object's signals in the order they came, with the state each announced.
class SignalLog : public QObject
{
public:
    explicit SignalLog(Device& device)
    {
        connect(&device, &Device::connected_changed, this, [this, &device] {
            entries << QStringLiteral("connected=%1").arg(device.is_connected() ? 1 : 0);
        });
        connect(&device, &Device::config_ready_changed, this, [this, &device] {
            entries << QStringLiteral("ready=%1").arg(device.is_config_ready() ? 1 : 0);
        });
        connect(&device, &Device::config_changed, this, [this] { entries << "config"; });
    }
    QStringList entries;
};
