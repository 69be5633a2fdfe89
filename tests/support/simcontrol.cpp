#include "simcontrol.h"

#include "sim/virtualvelquin.h"

namespace {

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

SimControl::SimControl(VirtualVelquin& device, QObject* parent) : QObject(parent), device(device) {}

bool SimControl::plugged() const
{
    return device.is_plugged();
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

QVariantList SimControl::profiles() const
{
    QVariantList profiles;
    for (int j = 0; j < SimConfig::N_PROFILES; ++j) {
        const SimConfig::Profile profile = device.profile(j);
        QVariantList speed;
        for (uint8_t s : profile.speed)
            speed.append(s);
        profiles.append(QVariantMap{{"n_intervals", profile.n_intervals}, {"speed", speed}});
    }
    return profiles;
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
