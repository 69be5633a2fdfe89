// A private bus that stands in for the system bus, with python3-dbusmock's BlueZ template on it,
// for the Bluetooth presence tests. The bus's address goes into DBUS_SYSTEM_BUS_ADDRESS, so the
// code under test finds it as the system bus.
#ifndef VHID_TEST_BLUEZMOCK_H
#define VHID_TEST_BLUEZMOCK_H

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <systemd/sd-bus.h>

#include <csignal>
#include <cstring>
#include <initializer_list>
#include <sys/prctl.h>

// A helper process that dies with the test, even when a sanitizer ends the test abruptly.
class child_process : public QProcess
{
protected:
    void setupChildProcess() override { prctl(PR_SET_PDEATHSIG, SIGKILL); }
};

class bluez_mock
{
public:
    static constexpr const char* hci0 = "00:01:02:03:04:05"; // the template's adapter addresses
    static constexpr const char* hci1 = "01:02:03:04:05:06";

    ~bluez_mock() { stop_bus(); }

    // Why the mock cannot run here, or an empty text.
    static QString missing()
    {
        QProcess probe;
        probe.start(python(), {"-c", "import dbusmock"});
        if (!probe.waitForFinished(20000) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0)
            return "python3-dbusmock is not installed";
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
            return "dbus-daemon is not installed";
        return {};
    }

    bool start_bus()
    {
        QFile config(dir_.filePath("bus.conf"));
        if (!dir_.isValid() || !config.open(QIODevice::WriteOnly))
            return false;
        config.write(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\""
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>system</type><listen>unix:tmpdir=" +
            dir_.path().toUtf8() +
            "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
            "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
            "<allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        daemon_.start("dbus-daemon",
                      {"--config-file=" + config.fileName(), "--nofork", "--print-address=1"});
        if (!daemon_.waitForStarted())
            return false;
        while (!daemon_.canReadLine())
            if (!daemon_.waitForReadyRead(10000))
                return false;
        address_ = daemon_.readLine().trimmed();
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address_);
        return sd_bus_open_system(&control_) >= 0;
    }

    void stop_bus()
    {
        control_ = sd_bus_flush_close_unref(control_);
        stop_bluez();
        daemon_.terminate();
        daemon_.waitForFinished();
    }

    // Kills the bus daemon: every connection to it breaks.
    void kill_bus()
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }

    bool start_bluez()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", address_);
        bluez_.setProcessEnvironment(env);
        bluez_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        bluez_.start(python(), {"-m", "dbusmock", "--template", "bluez5"});
        if (!bluez_.waitForStarted())
            return false;
        // The mock is ready once it owns the name.
        for (int i = 0; i < 400; ++i) {
            sd_bus_message* reply = nullptr;
            int owned = 0;
            if (sd_bus_call_method(control_, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   "org.freedesktop.DBus", "NameHasOwner", nullptr, &reply, "s",
                                   "org.bluez") >= 0)
                sd_bus_message_read(reply, "b", &owned);
            sd_bus_message_unref(reply);
            if (owned)
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    void stop_bluez()
    {
        bluez_.terminate();
        bluez_.waitForFinished();
    }

    bool add_adapter(const char* name)
    {
        return call("/", "org.bluez.Mock", "AddAdapter", "ss", {name, "test host"});
    }

    bool add_device(const char* adapter, const char* address, bool connected)
    {
        return call("/", "org.bluez.Mock", "AddDevice", "sss", {adapter, address, "switch"}) &&
               (!connected || set_connected(adapter, address, true));
    }

    bool set_connected(const char* adapter, const char* address, bool connected)
    {
        return call("/", "org.bluez.Mock", connected ? "ConnectDevice" : "DisconnectDevice", "ss",
                    {adapter, address});
    }

    // A method call on the test's own connection, with string or object path arguments as
    // `types` says; false (and a warning) on error.
    bool call(const char* path, const char* iface, const char* method, const char* types,
              std::initializer_list<const char*> args)
    {
        sd_bus_message* m = nullptr;
        sd_bus_message* reply = nullptr;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        int r = sd_bus_message_new_method_call(control_, &m, "org.bluez", path, iface, method);
        const char* type = types;
        for (const char* arg : args)
            if (r >= 0)
                r = sd_bus_message_append_basic(m, *type++, arg);
        if (r >= 0)
            r = sd_bus_call(control_, m, 0, &error, &reply);
        if (r < 0)
            qWarning("%s failed: %s", method, error.message ? error.message : std::strerror(-r));
        sd_bus_error_free(&error);
        sd_bus_message_unref(reply);
        sd_bus_message_unref(m);
        return r >= 0;
    }

private:
    static QString python() { return QStringLiteral("/usr/bin/python3"); }

    QTemporaryDir dir_;
    child_process daemon_;
    child_process bluez_;
    QByteArray address_;
    sd_bus* control_ = nullptr;
};

#endif
