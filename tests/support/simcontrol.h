#pragma once

#include <QObject>
#include <QVariantList>
#include <QVariantMap>

class DeviceHid;
class VirtualVelquin;

// The virtual Velquin Plus as QML tests see it (context property "sim"): a clean start, plugging,
// what the device stores, and how it answers. Entries are objects {iface, action, param1, param2}.
class SimControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool plugged READ plugged NOTIFY plugged_changed)

public:
    SimControl(VirtualVelquin& device, DeviceHid& link, QObject* parent = nullptr);

    bool plugged() const;

    // Where every test starts: an empty settings store, no latency, the device plugged with its
    // factory configuration, read.
    Q_INVOKABLE void reset();
    // Waits until every queued report has been written to the device; false after 5 s.
    Q_INVOKABLE bool wait_for_writes() const;

    // Makes the device out of reach for a reason (simulator_set_fault: "denied", "failing",
    // "disconnected"; "" clears it), then sends an arrival, as the system does on such a change.
    Q_INVOKABLE void set_fault(const QString& name);
    Q_INVOKABLE bool plug();
    Q_INVOKABLE void unplug();

    Q_INVOKABLE QVariantList press_entries() const;
    Q_INVOKABLE QVariantList release_entries() const;
    Q_INVOKABLE bool use_joystick() const;
    Q_INVOKABLE void set_press(int index, const QVariantMap& entry);
    Q_INVOKABLE void set_release(int index, const QVariantMap& entry);
    Q_INVOKABLE void set_use_joystick(bool use);
    Q_INVOKABLE void reset_factory();

    // Pause before each report in either direction, in milliseconds.
    Q_INVOKABLE void set_latency(int ms);

    // Counters since the device was made: read requests answered, writes applied at their end
    // marker, factory restores.
    Q_INVOKABLE int read_requests() const;
    Q_INVOKABLE int writes_applied() const;
    Q_INVOKABLE int restores() const;

signals:
    void plugged_changed();

private:
    VirtualVelquin& device;
    DeviceHid& link;
};
