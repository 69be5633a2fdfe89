#include "simcontrol.h"

#include "devicehid.h"
#include "sim/simulator.h"
#include "sim/virtualvelquin.h"
#include "vhid_virtual.h"

#include <QSettings>
#include <QTest>

namespace {

constexpr int wait_ms = 5000;

QVariantMap entry_to_js(const SimConfig::Entry& entry)
{
    return {{"iface", entry.iface},
            {"action", entry.action},
            {"param1", entry.param1},
            {"param2", entry.param2}};
}

SimConfig::Entry entry_from_js(const QVariantMap& map)
{
    SimConfig::Entry entry;
    entry.iface = static_cast<uint8_t>(map.value("iface").toUInt());
    entry.action = static_cast<uint8_t>(map.value("action").toUInt());
    entry.param1 = static_cast<uint8_t>(map.value("param1").toUInt());
    entry.param2 = static_cast<uint8_t>(map.value("param2").toUInt());
    return entry;
}

} // namespace

SimControl::SimControl(VirtualVelquin& device, DeviceHid& link, QObject* parent)
    : QObject(parent), device(device), link(link)
{
}

void SimControl::reset()
{
    QSettings().clear();
    // Whatever the last test left on its way ends first, so that no late answer lands in this one.
    device.set_report_delay_ms(0);
    device.set_answer_options({});
    if (!wait_for_writes() ||
        !QTest::qWaitFor([this] { return !link.is_connected() || link.is_config_ready(); },
                         wait_ms))
        qFatal("The device link did not settle");
    device.reset_to_factory();
    set_fault("");
    // Plugging reads the configuration by itself.
    if (device.is_plugged())
        link.read_config();
    else
        plug();
    if (!QTest::qWaitFor([this] { return link.is_connected() && link.is_config_ready(); }, wait_ms))
        qFatal("The virtual Velquin Plus was not read");
}

bool SimControl::wait_for_writes() const
{
    return link.wait_for_writes(wait_ms) && device.wait_idle(wait_ms);
}

bool SimControl::plugged() const
{
    return device.is_plugged();
}

void SimControl::set_fault(const QString& name)
{
    if (!simulator_set_fault(name.toUtf8()))
        qFatal("No fault %s", qPrintable(name));
    vhid_virtual_notify_arrival();
}

bool SimControl::plug()
{
    const bool done = device.plug();
    emit plugged_changed();
    return done;
}

void SimControl::unplug()
{
    device.unplug();
    emit plugged_changed();
}

QVariantList SimControl::press_entries() const
{
    QVariantList entries;
    for (int i = 0; i < SimConfig::N_SWITCHES; ++i)
        entries.append(entry_to_js(device.press(i)));
    return entries;
}

QVariantList SimControl::release_entries() const
{
    QVariantList entries;
    for (int i = 0; i < SimConfig::N_SWITCHES; ++i)
        entries.append(entry_to_js(device.release(i)));
    return entries;
}

bool SimControl::use_joystick() const
{
    return device.use_joystick();
}

void SimControl::set_press(int index, const QVariantMap& entry)
{
    if (index < 0 || index >= SimConfig::N_SWITCHES) {
        qWarning("sim.set_press: no switch %d", index);
        return;
    }
    SimConfig config = device.config();
    config.press[index] = entry_from_js(entry);
    device.set_config(config);
}

void SimControl::set_release(int index, const QVariantMap& entry)
{
    if (index < 0 || index >= SimConfig::N_SWITCHES) {
        qWarning("sim.set_release: no switch %d", index);
        return;
    }
    SimConfig config = device.config();
    config.release[index] = entry_from_js(entry);
    device.set_config(config);
}

void SimControl::set_use_joystick(bool use)
{
    SimConfig config = device.config();
    config.use_joystick = use;
    device.set_config(config);
}

void SimControl::reset_factory()
{
    device.reset_to_factory();
}

void SimControl::set_latency(int ms)
{
    device.set_report_delay_ms(ms < 0 ? 0u : static_cast<unsigned>(ms));
}

int SimControl::read_requests() const
{
    return device.stats().read_requests;
}

int SimControl::writes_applied() const
{
    return device.stats().writes_applied;
}

int SimControl::restores() const
{
    return device.stats().restores;
}
