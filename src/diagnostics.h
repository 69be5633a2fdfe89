#pragma once

#include "threadhandoff.h"

#include <QObject>
#include <QString>

#include <thread>

class Device;

// The plain-text report a support person asks for: app, Qt and system versions, the HID
// backend and every interface of the device's vendor and product, the current problem, the
// device and its configuration in words, and the app's last log messages.
class Diagnostics : public QObject
{
    Q_OBJECT
    // The device the report tells about.
    Q_PROPERTY(Device* device MEMBER device NOTIFY device_changed)

public:
    explicit Diagnostics(QObject* parent = nullptr);
    ~Diagnostics() override;

    // The HID part: backend, event source and matching interfaces. Blocks on the system's
    // device list.
    static QString hid_section();

    // The whole report. `device_words` is the device's identity, firmware and configuration in
    // the interface's words, one item a line; empty while no configuration has been read.
    QString report(const QString& hid, const QString& device_words) const;

    // Prints the report on standard output, once a configuration read under way has ended (or a
    // few seconds have passed): the command-line form. Needs the application object and the
    // module's types.
    static int print(Device& device);

    // Builds the report away from the GUI thread and puts it on the clipboard, then emits copied.
    Q_INVOKABLE void copy(const QString& device_words);

signals:
    void copied();
    void device_changed();

private:
    Device* device = nullptr;
    ThreadHandoff handoff; // brings the worker's result back to this object's thread
    std::thread worker;
};
