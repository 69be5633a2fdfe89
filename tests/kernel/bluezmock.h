// A private bus that stands in for the system bus, under the system bus's own policy, with
// python3-dbusmock's BlueZ template on it and its adapter hci0. The bus's address goes into
// DBUS_SYSTEM_BUS_ADDRESS, so the code under test takes it for the system bus; users without
// rights can reach it.
#pragma once

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>
#include <systemd/sd-bus.h>

// A helper process that dies with the test, even when a sanitizer ends the test abruptly.
class child_process : public QProcess
{
protected:
    void setupChildProcess() override { prctl(PR_SET_PDEATHSIG, SIGKILL); }
};

class bluez_mock
{
public:
    static constexpr const char* hci0 = "00:01:02:03:04:05"; // the template's first adapter

    ~bluez_mock() { sd_bus_flush_close_unref(control); }

    bool start()
    {
        // The stock policy, and BlueZ's right to its name as BlueZ's package grants it.
        QFile stock("/usr/share/dbus-1/system.conf"), config(dir.filePath("bus.conf"));
        if (!stock.open(QIODevice::ReadOnly) || !config.open(QIODevice::WriteOnly))
            return false;
        config.write("<busconfig><type>system</type><auth>EXTERNAL</auth><listen>unix:tmpdir=" +
                     dir.path().toUtf8() + "</listen>");
        const QRegularExpression policy("<policy[^>]*>.*?</policy>",
                                        QRegularExpression::DotMatchesEverythingOption);
        for (auto it = policy.globalMatch(QString::fromUtf8(stock.readAll())); it.hasNext();)
            config.write(it.next().captured().toUtf8());
        config.write("<policy user=\"root\"><allow own=\"org.bluez\"/>"
                     "<allow send_destination=\"org.bluez\"/></policy></busconfig>");
        config.close();
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther);
        daemon.start("dbus-daemon",
                     {"--config-file=" + config.fileName(), "--nofork", "--print-address=1"});
        if (!daemon.waitForReadyRead(10000))
            return false;
        address = daemon.readLine().trimmed();
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        bluez.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        bluez.start("/usr/bin/python3", {"-m", "dbusmock", "--system", "--template", "bluez5"});
        if (sd_bus_open_system(&control) < 0)
            return false;
        for (int i = 0; i < 400; ++i, QTest::qWait(50)) // ready once it takes its name
            if (call("AddAdapter", {"hci0", "host"}))
                return true;
        return false;
    }

    // A method of the template's org.bluez.Mock interface, string arguments: AddDevice (adapter,
    // address, alias), ConnectDevice and DisconnectDevice (adapter, address).
    bool call(const char* method, std::initializer_list<const char*> args)
    {
        sd_bus_message* m = nullptr;
        int r =
            sd_bus_message_new_method_call(control, &m, "org.bluez", "/", "org.bluez.Mock", method);
        for (const char* arg : args)
            r = r < 0 ? r : sd_bus_message_append_basic(m, 's', arg);
        r = r < 0 ? r : sd_bus_call(control, m, 0, nullptr, nullptr);
        sd_bus_message_unref(m);
        return r >= 0;
    }

    // Stops or resumes BlueZ: stopped, it answers nothing.
    void pause(bool paused) { ::kill(bluez.processId(), paused ? SIGSTOP : SIGCONT); }

    QByteArray address;

private:
    QTemporaryDir dir;
    child_process daemon, bluez;
    sd_bus* control = nullptr;
};
