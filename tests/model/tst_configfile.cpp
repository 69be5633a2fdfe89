// Set-up files: random set-ups come back byte for byte after saving, writing to the virtual device,
// reading back and saving again, and a read-back is said to differ exactly when it does; damaged or
// hostile files are refused, say what is wrong and change nothing.
#include "configfile.h"
#include "devicehid.h"
#include "sim/virtualvelquin.h"
#include "vhid_virtual.h"

#include <QtTest>

namespace {

const QDateTime SAVED(QDate(2024, 3, 1), QTime(9, 30), Qt::UTC);

const auto any_entry = [](const ConfigSwitch&) { return true; };

// A good file, with the first occurrence of `from` replaced: switch 1 is a keyboard tap of A with
// Ctrl, the other switches do nothing.
QByteArray good(const QByteArray& from = {}, const QByteArray& to = {})
{
    Config setup;
    setup.sw_simplified_config[0]->assign(2, 4, 0x04, 0x01);
    QByteArray file = ConfigFile::encode(setup, setup, SAVED);
    return from.isEmpty() ? file : file.replace(file.indexOf(from), from.size(), to);
}

} // namespace

class TestConfigFile : public QObject
{
    Q_OBJECT

private slots:
    void random_setups_come_back_from_the_device()
    {
        vhid_virtual_use();
        VirtualVelquin virtual_device;
        QVERIFY(virtual_device.plug());
        DeviceHid device;
        QTRY_VERIFY_WITH_TIMEOUT(device.is_config_ready(), 10000);
        Config& on_device = *device.get_config();
        QRandomGenerator random(16);
        for (int tried = 0, valid = 0; valid < 30; ++tried) {
            QVERIFY(tried < 20000);
            Config setup;
            for (int i = 0; i < Config::N_SWITCHES; ++i) {
                setup.sw_simplified_config[i]->assign(random.bounded(6), random.bounded(1, 9),
                                                      random.bounded(256), random.bounded(256));
                setup.sw_simplified_release_mode[i] = random.bounded(3);
            }
            setup.mouse_move_summary_profile = random.bounded(4);
            setup.mouse_move_summary_wheel_speed = random.bounded(3);
            setup.use_joystick = random.bounded(2);
            Config before;
            before.copy_from(&on_device);
            const QByteArray saved = ConfigFile::encode(setup, on_device, SAVED);
            // Random bytes seldom make a set-up the app can load.
            if (!ConfigFile::decode(saved, on_device, any_entry).isEmpty())
                continue;
            ++valid;
            device.send_config();
            device.read_config();
            QTRY_VERIFY_WITH_TIMEOUT(device.is_config_ready(), 10000);
            QCOMPARE(QString(ConfigFile::encode(on_device, on_device, SAVED)), QString(saved));
            QCOMPARE(ConfigFile::difference(before, on_device).isEmpty(),
                     saved == ConfigFile::encode(before, on_device, SAVED));
        }
    }

    void bad_files_are_refused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("says");
        QTest::newRow("cut short") << good().left(300) << "byte 30\\d";
        QTest::newRow("over the size limit") << good() + QByteArray(70000, ' ') << "64 kB";
        QTest::newRow("another format") << good("Plus configuration", "X") << "not a Velquin";
        QTest::newRow("newer version") << good("version\": 1", "version\": 2") << "version 2;";
        QTest::newRow("no switches") << good("switches\": [", "s\": [], \"x\": [") << "0 switches";
        QTest::newRow("unknown interface") << good("Keybd", "Mouze") << "Switch 1:.*\"Mouze\"";
        QTest::newRow("action of another interface") << good("Tap", "Move") << "\"Move\"";
        QTest::newRow("parameter too large") << good("1\": 4", "1\": 256") << "param1 is 256";
        QTest::newRow("parameter text") << good("2\": 1", "2\": \"1\"") << "param2 is \"1\"";
        QTest::newRow("unknown release mode") << good("Automatic", "Later") << "\"Later\"";
        QTest::newRow("not kept as it is") << good("Tap", "Press") << "Switch 1: the device";
        QTest::newRow("pointer profile") << good("profile\": 2", "profile\": 4") << "profile is 4";
        QTest::newRow("wheel speed") << good("speed\": 1", "speed\": 3") << "speed is 3";
        QTest::newRow("joystick flag") << good("false", "1") << "setting is 1";
    }

    void bad_files_are_refused()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, says);
        Config into;
        QSignalSpy announced(&into, &Config::sw_simplified_config_changed);
        const QString error = ConfigFile::decode(file, into, any_entry);
        QVERIFY2(QRegularExpression(says).match(error).hasMatch(), qPrintable(error));
        QCOMPARE(announced.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
