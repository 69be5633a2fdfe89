#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

// Gives this user access to the device on Linux by applying the udev rule shipped with the app,
// as root through pkexec (polkit asks for the password). What runs as root is fixed when the app
// is built: absolute tools, a constant script, and the shipped rule from a root-owned path passed
// as an argument, never spliced into the script. Nothing from the user, the environment or the
// device reaches it. Where that cannot run, the same commands go to the clipboard instead.
class DeviceAccess : public QObject
{
    Q_OBJECT
    // "" before any attempt, then "running", "done" or "refused" (pkexec missing, dismissed,
    // not allowed, or a command failed).
    Q_PROPERTY(QString state READ get_state NOTIFY state_changed)
    Q_PROPERTY(bool can_allow READ can_allow CONSTANT)
    // The commands, one a line, for a terminal.
    Q_PROPERTY(QString commands READ commands CONSTANT)

public:
    // What the privileged step uses: absolute paths fixed at build time. Tests point the tools
    // at stand-ins.
    struct Tools
    {
        QString pkexec;
        QString shell;
        QString install;
        QString udevadm;
        QString rules_dir; // where udev reads an administrator's rules
        QStringList rules; // where the shipped rule may be, in order of preference
    };
    static Tools system_tools();

    explicit DeviceAccess(QObject* parent = nullptr);
    DeviceAccess(Tools tools, QObject* parent);
    ~DeviceAccess() override;

    QString get_state() const { return state; }
    bool can_allow() const;
    QString commands() const;

    // The program and its arguments that pkexec's step runs; empty without a usable rule.
    QStringList privileged_command() const;

    // Applies the rule through pkexec, then has the HID layer look again at once.
    Q_INVOKABLE void allow();
    Q_INVOKABLE void copy_commands() const;

signals:
    void state_changed();

private:
    // The shipped rule if it is where only root can change it, else empty.
    QString shipped_rule() const;
    void set_state(const QString& value);

    Tools tools;
    QString state;
    QProcess* process = nullptr;
};
