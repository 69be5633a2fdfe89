// The device link under concurrent traffic: transport threads plugging, unplugging and answering
// while the interface thread reads, copies, edits and sends. Meant for ThreadSanitizer as much as
// for its own checks.

#include "devicehid.h"
#include "devicetestutil.h"
#include "sim/virtualvelquin.h"
#include "vhid.h"
#include "vhid_virtual.h"

#include <QElapsedTimer>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

constexpr int TIMEOUT_MS = 10000;

void pause_ms(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Splits the reports the device received into command series, named "read", "write", "restore",
// "bootloader" or "other"; a configuration write must be whole and in order. Returns the first
// fault found, or an empty string.
QString split_series(const std::vector<SimDevice::Bytes>& reports, QStringList& kinds)
{
    std::size_t i = 0;
    while (i < reports.size()) {
        const SimDevice::Bytes& r = reports[i];
        if (r.size() != 9 || r[0] != 0x05)
            return QStringLiteral("report %1 is not an output report: %2").arg(i).arg(hex(r));
        if (r[1] == 0x01) {
            kinds << "read";
            ++i;
            continue;
        }
        if (r[1] == 0x02 && r[2] == 0x00 && r[5] == 0xFF) {
            kinds << "bootloader";
            ++i;
            continue;
        }
        if (r[1] != 0x02 || r[2] != 0x00) {
            kinds << "other";
            ++i;
            continue;
        }
        // A configuration write: device section, press 0-7, release 0-7, profiles 0-3, end.
        if (i + 22 > reports.size())
            return QStringLiteral("write from report %1 is cut short").arg(i);
        for (int k = 1; k < 22; ++k) {
            const SimDevice::Bytes& s = reports[i + k];
            const int section = k <= 8 ? 1 : k <= 16 ? 2 : k <= 20 ? 3 : 0xFF;
            const int index = k <= 8 ? k - 1 : k <= 16 ? k - 9 : k <= 20 ? k - 17 : 0;
            if (s[0] != 0x05 || s[1] != 0x02 || s[2] != section || s[3] != index)
                return QStringLiteral("write from report %1 broken at %2: %3")
                    .arg(i)
                    .arg(k)
                    .arg(hex(s));
        }
        kinds << (reports[i + 1][4] == 0xFF ? "restore" : "write");
        i += 22;
    }
    return QString();
}

} // namespace

class TestDeviceHidThreads : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { vhid_virtual_use(); }
    void cleanup()
    {
        vhid_virtual_reset();
        QVERIFY(readers_ended());
    }
    void cleanupTestCase() { vhid_init(); }

    void series_stay_whole_and_ordered();
    void interface_copies_during_traffic();
    void destruction_under_traffic();
    void queue_is_bounded();
};

void TestDeviceHidThreads::series_stay_whole_and_ordered()
{
    VirtualVelquin vv;
    vv.set_report_delay_ms(1);
    QVERIFY(vv.plug(VirtualVelquin::Layout::Split));
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    vv.clear_received();

    // The input collection comes and goes: each return is an arrival that reads the device, in
    // the middle of the interface's writes.
    std::atomic<bool> stop{false};
    std::thread arrivals([&] {
        while (!stop) {
            vv.unplug_input();
            pause_ms(4);
            vv.plug_input();
            pause_ms(6);
        }
    });

    Config edit;
    edit.copy_from(dev.get_config());
    QList<int> modes = edit.sw_simplified_release_mode;
    modes[7] = int(Config::ReleaseMode::Automatic);
    edit.set_sw_simplified_release_mode(modes);
    const auto send_edit = [&](int round) {
        edit.sw_simplified_config[7]->assign(quint8(ConfigSwitch::Iface::Keybd), 4,
                                             quint8(0x04 + round), 0);
        dev.get_config()->copy_from(&edit);
        dev.send_config();
        QCoreApplication::processEvents();
    };
    for (int round = 0; round < 10; ++round)
        send_edit(round);
    dev.restore_default_config();
    dev.read_config();
    for (int round = 10; round < 20; ++round) {
        send_edit(round);
        pause_ms(2);
    }
    stop = true;
    arrivals.join();
    vv.plug_input();
    vhid_virtual_settle();
    QCoreApplication::processEvents();
    dev.read_config();
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);

    QStringList kinds;
    QCOMPARE(split_series(vv.received(), kinds), QString());
    QCOMPARE(kinds.count("restore"), 1);
    QVERIFY(kinds.indexOf("read", kinds.indexOf("restore")) > 0);
    QCOMPARE(kinds.last(), QString("read"));
    // Writes that waited behind others gave way to newer ones; the newest reached the device.
    QCOMPARE(kinds.count("write") + int(dev.superseded_writes()), 20);
    QCOMPARE(vv.press(7), (SimConfig::Entry{2, 4, 0x04 + 19, 0}));
    // An earlier answer may have ended the read first; the last answer still lands.
    QTRY_COMPARE_WITH_TIMEOUT(diff(vv.config(), snapshot(*dev.get_config())), QString(),
                              TIMEOUT_MS);
}

void TestDeviceHidThreads::interface_copies_during_traffic()
{
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    Config window;
    int copies = 0;
    QObject::connect(&dev, &Device::config_ready_changed, &window, [&] {
        if (dev.is_config_ready()) {
            window.copy_from(dev.get_config());
            ++copies;
        }
    });

    // The device comes and goes, and volunteers end markers of its own.
    std::atomic<bool> stop{false};
    std::thread traffic([&] {
        for (int cycle = 0; !stop; ++cycle) {
            pause_ms(15 + cycle % 7);
            vv.unplug();
            pause_ms(3);
            vv.plug();
            for (int k = 0; k < 3; ++k)
                vv.send_input(hex("04 01 FF 00 00 00 00 00 00"));
        }
    });

    QElapsedTimer timer;
    timer.start();
    volatile int sink = 0; // keeps the reads
    for (int round = 0; timer.elapsed() < 1500; ++round) {
        QCoreApplication::processEvents();
        // What the screens do: read through device.config, edit the copy, send it back.
        const Config& c = *dev.get_config();
        sink = sink + c.device_uid_h + c.fw_version + c.sw_press_config[round % 8]->param1 +
               c.mouse_move_profiles[round % 4]->speed.value(0) +
               c.sw_simplified_release_mode.value(round % 8);
        if (round % 50 == 0) {
            window.sw_simplified_config[round % 8]->assign(2, 4, quint8(round), 0);
            dev.get_config()->copy_from(&window);
            dev.send_config();
        }
        if (round % 170 == 0)
            dev.read_config();
        pause_ms(1);
    }
    stop = true;
    traffic.join();
    if (!vv.is_plugged())
        QVERIFY(vv.plug());
    vhid_virtual_settle();
    QCoreApplication::processEvents();
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    dev.read_config();
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    QTRY_COMPARE_WITH_TIMEOUT(diff(vv.config(), snapshot(*dev.get_config())), QString(),
                              TIMEOUT_MS);
    QVERIFY(vv.wait_idle(TIMEOUT_MS));
    QCoreApplication::processEvents();

    QVERIFY(dev.is_connected());
    QVERIFY(copies > 1);
    // The window's copy has everything but the identity, which it reads from the device's own.
    SimConfig copied = snapshot(window);
    copied.uid_l = vv.config().uid_l;
    copied.uid_h = vv.config().uid_h;
    copied.fw_version = vv.config().fw_version;
    QCOMPARE(diff(vv.config(), copied), QString());
}

void TestDeviceHidThreads::destruction_under_traffic()
{
    VirtualVelquin vv;
    for (int round = 0; round < 15; ++round) {
        QVERIFY(vv.plug());
        auto dev = std::make_unique<DeviceHid>();
        QVERIFY(dev->is_connected());
        // Reports keep coming, so a reader is inside the object's callback when it goes.
        std::atomic<bool> stop{false};
        std::thread flood([&] {
            while (!stop) {
                for (const char* report :
                     {"04 01 00 34 12 45 01 00 00", "04 01 01 02 02 04 0E 00 00",
                      "04 01 FF 00 00 00 00 00 00"})
                    vv.send_input(hex(report));
                vv.wait_idle(TIMEOUT_MS);
            }
        });
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5 + round % 4)
            QCoreApplication::processEvents();
        if (round % 3 == 0)
            dev->send_config();
        dev.reset();
        // Whatever the transport handed over for it went with it.
        QCoreApplication::processEvents();
        stop = true;
        flood.join();
        vv.unplug();
        QVERIFY(readers_ended());
    }
}

void TestDeviceHidThreads::queue_is_bounded()
{
    MessageLog messages;
    VirtualVelquin vv;
    vv.set_report_delay_ms(20);
    QVERIFY(vv.plug());
    DeviceHid dev;
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    vv.clear_received();
    // One read may be taken by the writing thread at once; 64 wait; the rest are refused.
    for (int i = 0; i < 70; ++i)
        dev.read_config();
    const QStringList refused = messages.errors();
    QVERIFY2(refused.size() == 5 || refused.size() == 6, qPrintable(refused.join('\n')));
    QCOMPARE(refused.first(), QString("Error: HID write queue is full, dropped 1 report(s)"));
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    QCOMPARE(int(vv.received().size()), 70 - refused.size());
}

QTEST_GUILESS_MAIN(TestDeviceHidThreads)
#include "tst_devicehid_threads.moc"
