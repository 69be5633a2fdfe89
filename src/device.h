#pragma once

#include "config.h"

#include <QObject>
#include <QString>

// The device as the interface sees it: whether it is there, whether its configuration has been
// read, the configuration itself, and four commands. The implementation (DeviceHid) reaches the
// device; the interface only ever holds a Device.
class Device : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool connected READ is_connected NOTIFY connected_changed)
    Q_PROPERTY(bool config_ready READ is_config_ready NOTIFY config_ready_changed)
    Q_PROPERTY(Config* config READ get_config NOTIFY config_changed)
    // Why the device cannot be reached while it is not connected: empty when connected or when
    // nothing matching is present, else "no_permission", "open_failed" or "disconnected" (a
    // Bluetooth device that is paired but not connected). problem_message holds the system's
    // words for "open_failed".
    Q_PROPERTY(QString problem READ get_problem NOTIFY problem_changed)
    Q_PROPERTY(QString problem_message READ get_problem_message NOTIFY problem_message_changed)

public:
    explicit Device(QObject* parent = nullptr);
    ~Device() override;

    bool is_connected() const { return connected; }
    bool is_config_ready() const { return config_ready; }
    // The address never changes; config_changed tells bindings that read through it to re-read.
    Config* get_config() { return &config; }
    QString get_problem() const { return problem; }
    QString get_problem_message() const { return problem_message; }

    Q_INVOKABLE virtual void read_config() = 0;
    Q_INVOKABLE virtual void send_config() = 0;
    Q_INVOKABLE virtual void restore_default_config() = 0;
    Q_INVOKABLE virtual void reset_to_bootloader() = 0;

signals:
    void connected_changed();
    void config_ready_changed();
    void config_changed();
    void problem_changed();
    void problem_message_changed();

protected:
    // Stores both and emits the change signal of each that differs.
    void set_problem(const QString& code, const QString& message);

    bool connected = false;
    bool config_ready = false;
    Config config;

private:
    QString problem;
    QString problem_message;
};
