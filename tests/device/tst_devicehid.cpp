// The device link against the virtual Velquin Plus, through the real HID layer on the virtual bus.

#include "devicehid.h"
#include "devicetestutil.h"
#include "sim/virtualvelquin.h"
#include "vhid.h"
#include "vhid_virtual.h"

#include <QSignalSpy>
#include <QtTest>
#include <atomic>
#include <memory>

namespace {

constexpr int TIMEOUT_MS = 5000;

std::atomic<int> raw_outputs{0};

void count_output(void*, int32_t, const uint8_t*, int32_t)
{
    ++raw_outputs;
}

// Lets the layer handle the messages sent so far and the object take what they posted.
void settle()
{
    vhid_virtual_settle();
    QCoreApplication::processEvents();
}

SimDevice::Bytes end_marker()
{
    return hex("04 01 FF 00 00 00 00 00 00");
}

} // namespace

class TestDeviceHid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { vhid_virtual_use(); }
    void cleanup()
    {
        vhid_virtual_reset();
        QVERIFY(readers_ended());
    }
    // Readers that ended after the last device object went are joined by the next vhid_init.
    void cleanupTestCase() { vhid_init(); }

    void meta_object();
    void plugged_before_start();
    void absent_at_start();
    void one_registration_only_data();
    void one_registration_only();
    void one_registration_lost_data();
    void one_registration_lost();
    void both_lost_keep_configuration();
    void detached_object_hears_nothing();
    void callbacks_for_other_ids();
    void byte_images_data();
    void byte_images();
    void full_write_order();
    void send_command_lengths_data();
    void send_command_lengths();
    void decoder_data();
    void decoder();
    void short_report_is_dropped_data();
    void short_report_is_dropped();
    void end_marker_alone();
    void answer_variants_data();
    void answer_variants();
    void read_while_reading();
    void restore_then_read();
    void bootloader();
    void round_trip();
};

void TestDeviceHid::meta_object()
{
    DeviceHid dev;
    // QML sees Device's meta-object only: three read-only properties, three signals, and the four
    // commands, which reach DeviceHid through the virtual slots.
    const QMetaObject* meta = dev.metaObject();
    QCOMPARE(meta, &Device::staticMetaObject);
    QCOMPARE(meta->className(), "Device");
    QStringList properties;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        QVERIFY(!p.isWritable());
        properties << QStringLiteral("%1 %2 %3")
                          .arg(p.typeName(), p.name(), QString(p.notifySignal().name()));
    }
    QCOMPARE(properties, (QStringList{"bool connected connected_changed",
                                      "bool config_ready config_ready_changed",
                                      "Config* config config_changed",
                                      "QString problem problem_changed",
                                      "QString problem_message problem_message_changed"}));
    QStringList methods;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        methods << QString(meta->method(i).methodSignature());
    QCOMPARE(methods, (QStringList{"connected_changed()", "config_ready_changed()",
                                   "config_changed()", "problem_changed()",
                                   "problem_message_changed()", "read_config()", "send_config()",
                                   "restore_default_config()", "reset_to_bootloader()"}));
    QCOMPARE(dev.property("config").value<Config*>(), dev.get_config());

    // The invokables reach the implementation: read_config clears config_ready and writes the
    // request, which fails with no device there.
    SignalLog log(dev);
    QTest::ignoreMessage(QtCriticalMsg, "Error: HID write failed for 1 of 1 report(s)");
    QVERIFY(QMetaObject::invokeMethod(&dev, "read_config"));
    QCOMPARE(log.entries, QStringList{"ready=0"});
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
}

void TestDeviceHid::plugged_before_start()
{
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    // The first checks ran inside the constructor.
    QVERIFY(dev.is_connected());
    QVERIFY(!dev.is_config_ready());
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    QCOMPARE(hex(vv.received()), QStringList{"05 01 00 00 00 00 00 00 00"});

    SignalLog log(dev);
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    QCOMPARE(log.entries, (QStringList{"config", "ready=1"}));
    QCOMPARE(diff(vv.config(), snapshot(*dev.get_config())), QString());

    // The simplified form is derived at the end marker.
    const Config& c = *dev.get_config();
    QCOMPARE(c.sw_simplified_config[0]->action, quint8(ConfigSwitch::MouseAction::Click));
    QCOMPARE(c.sw_simplified_release_mode[0], int(Config::ReleaseMode::Automatic));
    QCOMPARE(c.sw_simplified_config[4]->action, quint8(ConfigSwitch::MouseAction::Move));
    QCOMPARE(c.sw_simplified_release_mode[4], int(Config::ReleaseMode::Alternate));
    QCOMPARE(c.mouse_move_summary_profile, 2);
}

void TestDeviceHid::absent_at_start()
{
    VirtualVelquin vv;
    DeviceHid dev;
    QVERIFY(!dev.is_connected());
    QVERIFY(!dev.is_config_ready());
    QCOMPARE(dev.pending_series(), std::size_t(0));

    SignalLog log(dev);
    QVERIFY(vv.plug());
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    QCOMPARE(log.entries, (QStringList{"connected=1", "ready=0", "config", "ready=1"}));
    QCOMPARE(vv.stats().read_requests, 1);
    QCOMPARE(diff(vv.config(), snapshot(*dev.get_config())), QString());
}

void TestDeviceHid::one_registration_only_data()
{
    QTest::addColumn<int>("in_len");
    QTest::addColumn<int>("out_len");
    QTest::newRow("input only") << 9 << 0;
    QTest::newRow("output only") << 0 << 9;
}

void TestDeviceHid::one_registration_only()
{
    QFETCH(int, in_len);
    QFETCH(int, out_len);
    raw_outputs = 0;
    DeviceHid dev;
    SignalLog log(dev);
    const vhid_virtual_iface half{SimDevice::VENDOR_ID, SimDevice::PRODUCT_ID,
                                  SimDevice::USAGE_PAGE, in_len, out_len};
    const int32_t id = vhid_virtual_plug(&half, count_output, nullptr);
    QVERIFY(id >= 0);
    settle();
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    QVERIFY(!dev.is_connected());
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(raw_outputs.load(), 0);

    // The other half completes the device: now the request goes out.
    const vhid_virtual_iface other{SimDevice::VENDOR_ID, SimDevice::PRODUCT_ID,
                                   SimDevice::USAGE_PAGE, out_len, in_len};
    QVERIFY(vhid_virtual_plug(&other, count_output, nullptr) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_connected(), TIMEOUT_MS);
    QTRY_COMPARE_WITH_TIMEOUT(raw_outputs.load(), 1, TIMEOUT_MS);
    QCOMPARE(log.entries, (QStringList{"connected=1", "ready=0"}));
}

void TestDeviceHid::one_registration_lost_data()
{
    QTest::addColumn<bool>("lose_input");
    QTest::newRow("input lost") << true;
    QTest::newRow("output lost") << false;
}

void TestDeviceHid::one_registration_lost()
{
    QFETCH(bool, lose_input);
    MessageLog messages;
    VirtualVelquin vv;
    QVERIFY(vv.plug(VirtualVelquin::Layout::Split));
    DeviceHid dev;
    QVERIFY(dev.is_connected());
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);

    SignalLog log(dev);
    if (lose_input)
        vv.unplug_input();
    else
        vv.unplug_output();
    settle();
    QVERIFY(dev.is_connected());
    QVERIFY(dev.is_config_ready());
    QCOMPARE(log.entries, QStringList());

    vv.clear_received();
    if (!lose_input)
        QTest::ignoreMessage(QtCriticalMsg, "Error: HID write failed for 22 of 22 report(s)");
    dev.send_config();
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    // Commands still go to the output registration while it is there; a lost one is reported.
    QCOMPARE(int(vv.received().size()), lose_input ? 22 : 0);
    QCOMPARE(messages.errors().size(), lose_input ? 0 : 1);
}

void TestDeviceHid::both_lost_keep_configuration()
{
    VirtualVelquin vv;
    QVERIFY(vv.plug(VirtualVelquin::Layout::Split));
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    const SimConfig read = snapshot(*dev.get_config());

    SignalLog log(dev);
    vv.unplug();
    QTRY_VERIFY_WITH_TIMEOUT(!dev.is_connected(), TIMEOUT_MS);
    settle();
    QCOMPARE(log.entries, QStringList{"connected=0"});
    QVERIFY(dev.is_config_ready());
    QCOMPARE(diff(read, snapshot(*dev.get_config())), QString());
}

void TestDeviceHid::detached_object_hears_nothing()
{
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    dev.detach();

    // Commands still go out, but neither the answer nor the departure comes back.
    SignalLog log(dev);
    dev.read_config();
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    QCOMPARE(vv.stats().read_requests, 2);
    QVERIFY(vv.wait_idle(TIMEOUT_MS));
    vv.unplug();
    settle();
    QVERIFY(dev.is_connected());
    QVERIFY(!dev.is_config_ready());
    QCOMPARE(log.entries, QStringList{"ready=0"});
}

void TestDeviceHid::callbacks_for_other_ids()
{
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    SignalLog log(dev);
    // Registration 7 is neither of the device's two (0 and 1 after vhid_init).
    dev.hid_disconnected_cb(7);
    QVERIFY(dev.is_connected());
    QCOMPARE(log.entries, QStringList());
    // With both flags set, any arrival announces the device again and reads it.
    dev.hid_connected_cb(7);
    QCOMPARE(log.entries, (QStringList{"connected=1", "ready=0"}));
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    QCOMPARE(vv.stats().read_requests, 2);

    // Both registrations gone, one announcement; a repeated removal announces again.
    log.entries.clear();
    dev.hid_disconnected_cb(0);
    QCOMPARE(log.entries, QStringList());
    dev.hid_disconnected_cb(1);
    dev.hid_disconnected_cb(1);
    QCOMPARE(log.entries, (QStringList{"connected=0", "connected=0"}));
}

void TestDeviceHid::byte_images_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("reports");
    QTest::newRow("read request") << "read" << QStringList{"05 01 00 00 00 00 00 00 00"};
    QTest::newRow("bootloader, joystick on")
        << "bootloader" << QStringList{"05 02 00 00 00 FF 01 00 00"};
    QTest::newRow("profile 2 in a write") << "profile" << QStringList{"05 02 03 02 03 0A 14 1E 00"};
    QTest::newRow("end of a write") << "end" << QStringList{"05 02 FF 00 00 00 00 00 00"};
    QTest::newRow("restore mark") << "restore" << QStringList{"05 02 01 00 FF 07 00 00 00"};
}

void TestDeviceHid::byte_images()
{
    QFETCH(QString, command);
    QFETCH(QStringList, reports);
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    vv.clear_received();
    Config& c = *dev.get_config();
    c.use_joystick = true;
    MouseMoveProfile& p = *c.mouse_move_profiles[2];
    p.n_intervals = 3;
    p.speed = {10, 20, 30};

    if (command == "read")
        dev.read_config();
    else if (command == "bootloader")
        dev.reset_to_bootloader();
    else if (command == "restore")
        dev.restore_default_config();
    else
        dev.do_send_config();
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    const QStringList sent = hex(vv.received());
    if (command == "read" || command == "bootloader") {
        QCOMPARE(sent, reports);
    } else {
        QCOMPARE(sent.size(), 22);
        const int at = command == "profile" ? 19 : command == "end" ? 21 : 1;
        QCOMPARE(sent.at(at), reports.first());
    }
}

void TestDeviceHid::full_write_order()
{
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    vv.clear_received();

    // Distinct bytes everywhere, so a report in the wrong place or with the wrong field shows.
    Config& c = *dev.get_config();
    c.use_joystick = true;
    for (int i = 0; i < 8; ++i) {
        c.sw_press_config[i]->assign(0x10 + i, 0x20 + i, 0x30 + i, 0x40 + i);
        c.sw_release_config[i]->assign(0x50 + i, 0x60 + i, 0x70 + i, 0x80 + i);
    }
    for (int j = 0; j < 4; ++j) {
        c.mouse_move_profiles[j]->n_intervals = quint8(j);
        c.mouse_move_profiles[j]->speed = {quint8(0x90 + j), quint8(0xA0 + j), quint8(0xB0 + j)};
    }
    dev.do_send_config();
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));

    const QStringList expected{
        "05 02 00 00 00 00 01 00 00", "05 02 01 00 10 20 30 40 00", "05 02 01 01 11 21 31 41 00",
        "05 02 01 02 12 22 32 42 00", "05 02 01 03 13 23 33 43 00", "05 02 01 04 14 24 34 44 00",
        "05 02 01 05 15 25 35 45 00", "05 02 01 06 16 26 36 46 00", "05 02 01 07 17 27 37 47 00",
        "05 02 02 00 50 60 70 80 00", "05 02 02 01 51 61 71 81 00", "05 02 02 02 52 62 72 82 00",
        "05 02 02 03 53 63 73 83 00", "05 02 02 04 54 64 74 84 00", "05 02 02 05 55 65 75 85 00",
        "05 02 02 06 56 66 76 86 00", "05 02 02 07 57 67 77 87 00", "05 02 03 00 00 90 A0 B0 00",
        "05 02 03 01 01 91 A1 B1 00", "05 02 03 02 02 92 A2 B2 00", "05 02 03 03 03 93 A3 B3 00",
        "05 02 FF 00 00 00 00 00 00"};
    QCOMPARE(hex(vv.received()), expected);
    // The device took it whole at the end marker; its identity is never written.
    SimConfig stored = snapshot(c);
    stored.uid_l = 0x34;
    stored.uid_h = 0x12;
    stored.fw_version = 0x45;
    QCOMPARE(diff(stored, vv.config()), QString());
    QVERIFY(dev.is_config_ready());
}

void TestDeviceHid::send_command_lengths_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("report");
    QTest::newRow("empty") << ""
                           << "05 00 00 00 00 00 00 00 00";
    QTest::newRow("one byte") << "01"
                              << "05 01 00 00 00 00 00 00 00";
    QTest::newRow("eight bytes") << "11 22 33 44 55 66 77 88"
                                 << "05 11 22 33 44 55 66 77 88";
    QTest::newRow("nine bytes") << "11 22 33 44 55 66 77 88 99"
                                << "";
}

void TestDeviceHid::send_command_lengths()
{
    QFETCH(QString, command);
    QFETCH(QString, report);
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    vv.clear_received();
    if (report.isEmpty())
        QTest::ignoreMessage(QtCriticalMsg, "Error: HID command is too long");
    dev.send_command(hex(command));
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    QCOMPARE(hex(vv.received()), report.isEmpty() ? QStringList() : QStringList{report});
}

void TestDeviceHid::decoder_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("change");

    QTest::newRow("device section") << "04 01 00 35 13 46 01 00 00"
                                    << ""
                                    << "uid_l=35; uid_h=13; fw=46; joystick=1";
    QTest::newRow("joystick from any non-zero byte") << "04 01 00 34 12 45 80 00 00"
                                                     << ""
                                                     << "joystick=1";
    QTest::newRow("press entry") << "04 01 01 05 02 04 0E 03 00"
                                 << ""
                                 << "press[5]=02 04 0E 03";
    QTest::newRow("release entry") << "04 01 02 07 02 02 0E 03 00"
                                   << ""
                                   << "release[7]=02 02 0E 03";
    QTest::newRow("press index, high bits ignored") << "04 01 01 13 05 01 04 00 00"
                                                    << ""
                                                    << "press[3]=05 01 04 00";
    QTest::newRow("press index 8") << "04 01 01 08 05 01 04 00 00"
                                   << "Error: Received config for switch  8"
                                   << "";
    QTest::newRow("release index 15") << "04 01 02 0F 05 01 04 00 00"
                                      << "Error: Received config for switch  15"
                                      << "";
    QTest::newRow("profile") << "04 01 03 00 02 07 09 55 00"
                             << ""
                             << "profile[0]=2: 07 09 00";
    QTest::newRow("profile index, high bits ignored") << "04 01 03 11 03 01 02 03 00"
                                                      << ""
                                                      << "profile[1]=3: 01 02 03";
    QTest::newRow("profile index 4") << "04 01 03 04 03 01 02 03 00"
                                     << "Error: Received config for profile  4"
                                     << "";
    QTest::newRow("profile index 8") << "04 01 03 08 03 01 02 03 00"
                                     << "Error: Received config for profile  8"
                                     << "";
    QTest::newRow("profile with 4 intervals") << "04 01 03 02 04 01 02 03 00"
                                              << "Error: Received config for  4  intervals"
                                              << "";
    QTest::newRow("profile with 255 intervals") << "04 01 03 02 FF 01 02 03 00"
                                                << "Error: Received config for  255  intervals"
                                                << "";
    QTest::newRow("profile with no interval") << "04 01 03 03 00 01 02 03 00"
                                              << ""
                                              << "profile[3]=0: 02 0A 04";
    QTest::newRow("profile with one interval") << "04 01 03 02 01 33 44 55 00"
                                               << ""
                                               << "profile[2]=1: 33 05 0A";
    QTest::newRow("wrong report id") << "03 01 01 00 05 01 04 00 00"
                                     << "Error: Received HID report from wrong ID"
                                     << "";
    QTest::newRow("not an answer to a read") << "04 02 01 00 05 01 04 00 00"
                                             << ""
                                             << "";
    QTest::newRow("unknown section") << "04 01 04 00 05 01 04 00 00"
                                     << ""
                                     << "";
}

void TestDeviceHid::decoder()
{
    QFETCH(QString, report);
    QFETCH(QString, message);
    QFETCH(QString, change);
    MessageLog messages;
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    const SimConfig before = snapshot(*dev.get_config());

    QSignalSpy ends(&dev, &Device::config_ready_changed);
    if (!message.isEmpty())
        QTest::ignoreMessage(QtCriticalMsg, message.toUtf8().constData());
    QVERIFY(vv.send_input(hex(report)));
    QVERIFY(vv.send_input(end_marker()));
    QVERIFY(ends.wait(TIMEOUT_MS));
    QCOMPARE(diff(before, snapshot(*dev.get_config())), change);
    QCOMPARE(messages.errors(), message.isEmpty() ? QStringList() : QStringList{message});
}

void TestDeviceHid::short_report_is_dropped_data()
{
    QTest::addColumn<int>("len");
    for (int len : {0, 1, 3, 8})
        QTest::addRow("%d bytes", len) << len;
}

void TestDeviceHid::short_report_is_dropped()
{
    QFETCH(int, len);
    DeviceHid dev;
    const SimConfig before = snapshot(*dev.get_config());
    // A press entry whose tail would, decoded from 9 bytes, overwrite switch 0.
    uint8_t report[9] = {0x04, 0x01, 0x01, 0x00, 0x02, 0x04, 0x0E, 0x03, 0x00};
    QTest::ignoreMessage(
        QtCriticalMsg,
        QStringLiteral("Error: Received HID report of %1 bytes instead of 9").arg(len).toUtf8());
    dev.hid_report_cb(0, report, len);
    QCOMPARE(diff(before, snapshot(*dev.get_config())), QString());

    dev.hid_report_cb(0, report, 9);
    QCOMPARE(diff(before, snapshot(*dev.get_config())), QString("press[0]=02 04 0E 03"));
}

void TestDeviceHid::end_marker_alone()
{
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    Config& c = *dev.get_config();
    // A simplified form that no longer matches the press entries.
    c.sw_simplified_config[2]->assign(0, 0, 0, 0);
    c.sw_simplified_release_mode[5] = int(Config::ReleaseMode::Manual);
    c.mouse_move_summary_profile = 0;

    SignalLog log(dev);
    QVERIFY(vv.send_input(end_marker()));
    QTRY_COMPARE_WITH_TIMEOUT(log.entries, (QStringList{"config", "ready=1"}), TIMEOUT_MS);
    QCOMPARE(c.sw_simplified_config[2]->iface, quint8(ConfigSwitch::Iface::Keybd));
    QCOMPARE(c.sw_simplified_release_mode[5], int(Config::ReleaseMode::Alternate));
    QCOMPARE(c.mouse_move_summary_profile, 2);
}

void TestDeviceHid::answer_variants_data()
{
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QList<int>>("dropped");
    QTest::addColumn<int>("replaced_at");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("message");
    QTest::addColumn<unsigned>("delay_ms");

    QList<int> reversed;
    for (int position = SimDevice::POS_END - 1; position >= 0; --position)
        reversed << position;
    reversed << SimDevice::POS_END;
    QList<int> interleaved;
    for (int i = 0; i < 8; ++i)
        interleaved << SimDevice::pos_release(7 - i) << SimDevice::pos_press(i);
    interleaved << SimDevice::pos_profile(3) << SimDevice::POS_DEVICE << SimDevice::pos_profile(0)
                << SimDevice::pos_profile(2) << SimDevice::pos_profile(1) << SimDevice::POS_END;

    QTest::newRow("reversed") << reversed << QList<int>() << -1 << ""
                              << "" << 0u;
    QTest::newRow("interleaved, 2 ms per report") << interleaved << QList<int>() << -1 << ""
                                                  << "" << 2u;
    QTest::newRow("press entry 3 dropped")
        << QList<int>() << QList<int>{SimDevice::pos_press(3)} << -1 << ""
        << "" << 0u;
    QTest::newRow("profile 1 malformed")
        << QList<int>() << QList<int>() << SimDevice::pos_profile(1) << "04 01 03 01 09 00 00 00 00"
        << "Error: Received config for  9  intervals" << 0u;
    QTest::newRow("device section from a wrong id")
        << QList<int>() << QList<int>() << SimDevice::POS_DEVICE << "07 01 00 00 00 00 00 00 00"
        << "Error: Received HID report from wrong ID" << 0u;
}

void TestDeviceHid::answer_variants()
{
    QFETCH(QList<int>, order);
    QFETCH(QList<int>, dropped);
    QFETCH(int, replaced_at);
    QFETCH(QString, replacement);
    QFETCH(QString, message);
    QFETCH(unsigned, delay_ms);

    VirtualVelquin vv;
    SimConfig stored = SimConfig::factory();
    for (int i = 0; i < 8; ++i)
        stored.release[i] = {4, 5, uint8_t(i), 0};
    stored.profiles[1] = {2, {{7, 8, 9}}};
    stored.use_joystick = true;
    vv.set_config(stored);
    SimDevice::AnswerOptions options;
    options.order.assign(order.begin(), order.end());
    options.dropped.insert(dropped.begin(), dropped.end());
    if (replaced_at >= 0)
        options.replaced[replaced_at] = hex(replacement);
    vv.set_answer_options(options);
    vv.set_report_delay_ms(delay_ms);
    if (!message.isEmpty())
        QTest::ignoreMessage(QtCriticalMsg, message.toUtf8().constData());

    QVERIFY(vv.plug());
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);

    // What did not arrive keeps the value it had: here the defaults of a new Config.
    const SimConfig received = snapshot(*dev.get_config());
    SimConfig expected = stored;
    const SimConfig defaults = snapshot(Config());
    // Speeds beyond a profile's interval count are not read.
    expected.profiles[1].speed[2] = defaults.profiles[1].speed[2];
    for (int position : dropped + QList<int>{replaced_at}) {
        if (position == SimDevice::POS_DEVICE) {
            expected.uid_l = defaults.uid_l;
            expected.uid_h = defaults.uid_h;
            expected.fw_version = defaults.fw_version;
            expected.use_joystick = defaults.use_joystick;
        } else if (position == SimDevice::pos_press(3)) {
            expected.press[3] = defaults.press[3];
        } else if (position == SimDevice::pos_profile(1)) {
            expected.profiles[1] = defaults.profiles[1];
        }
    }
    QCOMPARE(diff(expected, received), QString());
}

void TestDeviceHid::read_while_reading()
{
    VirtualVelquin vv;
    vv.set_report_delay_ms(3);
    QVERIFY(vv.plug());
    DeviceHid dev;
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    SignalLog log(dev);
    dev.read_config();
    QCOMPARE(log.entries, QStringList{"ready=0"});
    // The first answer's end marker arrives while the second read is still under way.
    QTRY_COMPARE_WITH_TIMEOUT(log.entries.size(), 5, TIMEOUT_MS);
    QCOMPARE(log.entries, (QStringList{"ready=0", "config", "ready=1", "config", "ready=1"}));
    QCOMPARE(vv.stats().read_requests, 2);
}

void TestDeviceHid::restore_then_read()
{
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    Config& c = *dev.get_config();

    // Something else than the factory configuration on the device first.
    c.sw_simplified_config[0]->assign(2, 4, 0x04, 0x01);
    c.use_joystick = true;
    dev.send_config();
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    QCOMPARE(vv.press(0), (SimConfig::Entry{2, 4, 0x04, 0x01}));
    vv.clear_received();

    dev.restore_default_config();
    QCOMPARE(c.sw_press_config[0]->iface, quint8(255));
    dev.read_config();
    QCOMPARE(c.sw_press_config[0]->iface, quint8(255));
    QVERIFY(!dev.is_config_ready());
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);

    const QStringList sent = hex(vv.received());
    QCOMPARE(sent.size(), 23);
    QCOMPARE(sent.at(1), QString("05 02 01 00 FF 04 04 01 00"));
    QCOMPARE(sent.at(22), QString("05 01 00 00 00 00 00 00 00"));
    QCOMPARE(vv.stats().restores, 1);
    QCOMPARE(diff(SimConfig::factory(), snapshot(c)), QString());
}

void TestDeviceHid::bootloader()
{
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    vv.clear_received();
    dev.get_config()->use_joystick = false;

    SignalLog log(dev);
    dev.reset_to_bootloader();
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    QCOMPARE(hex(vv.received()), QStringList{"05 02 00 00 00 FF 00 00 00"});
    // The device leaves the bus for its bootloader.
    QTRY_VERIFY_WITH_TIMEOUT(!dev.is_connected(), TIMEOUT_MS);
    QVERIFY(!vv.is_plugged());
    QCOMPARE(log.entries, QStringList{"connected=0"});
    QVERIFY(dev.is_config_ready());
    QCOMPARE(vv.stats().bootloader_requests, 1);
    QCOMPARE(vv.stats().writes_applied, 0);
}

void TestDeviceHid::round_trip()
{
    using Iface = ConfigSwitch::Iface;
    using Mode = Config::ReleaseMode;
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);

    // As the window does: edit a copy, copy it back, send.
    Config edit;
    edit.copy_from(dev.get_config());
    edit.sw_simplified_config[1]->assign(quint8(Iface::Keybd), 4, 0x04, 0x01); // Ctrl+A
    edit.sw_simplified_config[2]->assign(quint8(Iface::Mouse), 7, 1, 0);       // right click
    edit.sw_simplified_config[3]->assign(quint8(Iface::Mouse), 1, 0, 0x01);    // right
    edit.sw_simplified_config[4]->assign(quint8(Iface::Mouse), 1, 2, 0x02);    // wheel down
    edit.sw_simplified_config[5]->assign(quint8(Iface::Joyst), 1, 1, 0x7F);    // down
    edit.sw_simplified_config[6]->assign(quint8(Iface::Gener), 1, 5, 0);       // event 6
    edit.sw_simplified_release_mode = {
        int(Mode::Automatic), int(Mode::Manual), int(Mode::Manual),    int(Mode::Manual),
        int(Mode::Alternate), int(Mode::Manual), int(Mode::Automatic), int(Mode::Automatic)};
    edit.mouse_move_summary_profile = 3;
    edit.mouse_move_summary_wheel_speed = 0;
    dev.get_config()->copy_from(&edit);
    dev.send_config();
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));

    const QList<QPair<SimConfig::Entry, SimConfig::Entry>> stored{
        {{1, 7, 0, 0}, {0, 0, 0, 0}},    {{2, 1, 0x04, 0x01}, {2, 2, 0x04, 0x01}},
        {{1, 4, 1, 0}, {1, 5, 1, 0}},    {{1, 1, 0, 0x31}, {1, 2, 0, 0}},
        {{1, 3, 2, 0xF2}, {0, 0, 0, 0}}, {{4, 1, 1, 0x7F}, {4, 2, 1, 0}},
        {{5, 1, 5, 0}, {5, 1, 5, 1}},    {{1, 3, 0, 0x31}, {0, 0, 0, 0}}};
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(vv.press(i), stored[i].first);
        QCOMPARE(vv.release(i), stored[i].second);
    }

    // Read back, the simplified form is what was edited.
    dev.read_config();
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    const Config& c = *dev.get_config();
    QCOMPARE(c.sw_simplified_config[1]->action, quint8(4));
    QCOMPARE(c.sw_simplified_release_mode[1], int(Mode::Manual));
    QCOMPARE(c.sw_simplified_config[2]->action, quint8(7));
    QCOMPARE(c.sw_simplified_release_mode[2], int(Mode::Manual));
    QCOMPARE(c.sw_simplified_release_mode[5], int(Mode::Manual));
    QCOMPARE(c.mouse_move_summary_profile, 3);
    QCOMPARE(c.mouse_move_summary_wheel_speed, 0);
}

QTEST_GUILESS_MAIN(TestDeviceHid)
#include "tst_devicehid.moc"
