// The Linux HID layer with Bluetooth presence, against the real kernel and python3-dbusmock's
// BlueZ on a private bus: a Bluetooth HID device plugged in through /dev/uhid keeps its hidraw node
// when BlueZ says it has disconnected (BlueZ 5.73 and later), and the layer must follow BlueZ's
// word. Needs /dev/uhid and root: it runs in the qemu guest of scripts/qemu-test.
#include "bluezmock.h"
#include "recorder.h"
#include "vhid_linux_bluez.h"

#include <QDir>
#include <QtTest>
#include <unistd.h>

namespace {

const char* const A = "AA:BB:CC:DD:EE:01";

bool node_present()
{
    const QDir nodes("/sys/class/hidraw");
    for (const QString& node : nodes.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (QFileInfo(nodes.filePath(node) + "/device").canonicalFilePath().contains("/0005:08E6:"))
            return true;
    return false;
}

} // namespace

class TestBluez : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void connected_is_followed();
    void signals_from_others_change_nothing_data();
    void signals_from_others_change_nothing();

private:
    bluez_mock mock;
    child_process uhid;
};

void TestBluez::initTestCase()
{
    if (geteuid() != 0 || !QFile::exists("/dev/uhid"))
        QSKIP("needs /dev/uhid and root (scripts/qemu-test runs it)");
    QVERIFY(mock.start());
    QVERIFY(mock.call("AddDevice", {"hci0", A, "switch"}));
    // As BlueZ presents a device: its address as uniq, the adapter's as phys.
    uhid.start("/usr/bin/python3", {VELQUIN_UHID_DEVICE, "--bus", "0005", "--vendor", "08E6",
                                    "--product", "0001", "--uniq", QByteArray(A).toLower(),
                                    "--phys", QByteArray(bluez_mock::hci0).toLower()});
    QTRY_VERIFY_WITH_TIMEOUT(node_present(), 20000);
}

// The first check runs on the caller's thread without waiting for BlueZ, also when BlueZ is slow
// to answer; its word follows from the notification thread, and so does every later change of
// Connected, as an arrival or a removal.
void TestBluez::connected_is_followed()
{
    const struct
    {
        bool connected, slow;
    } cases[] = {{false, false}, {false, true}, {true, false}};
    for (const auto [connected, slow] : cases) {
        QVERIFY(mock.call(connected ? "ConnectDevice" : "DisconnectDevice", {"hci0", A}));
        mock.pause(slow);
        vhid_init();
        recorder rec;
        const int32_t index = vhid_add_device(0x08E6, 0x0001, 0xFF00, 9, 0);
        rec.attach(index);
        mock.pause(false);
        QCOMPARE(rec.snapshot().at(0).thread, std::this_thread::get_id());
        QVERIFY(rec.wait_for(connected ? recorder::connected : recorder::disconnected, 1));
        QCOMPARE(rec.snapshot().back().what,
                 connected ? recorder::connected : recorder::disconnected);
        vhid_status status;
        QCOMPARE(vhid_get_status(index, &status), 0);
        QCOMPARE(status.problem, connected ? VHID_PROBLEM_NONE : VHID_PROBLEM_DISCONNECTED);
        for (size_t round = 1; connected && round <= 3; ++round) {
            QVERIFY(mock.call("DisconnectDevice", {"hci0", A}));
            QVERIFY(rec.wait_for(recorder::disconnected, round));
            QVERIFY(node_present()); // udev saw nothing: BlueZ's word alone made the removal
            QVERIFY(mock.call("ConnectDevice", {"hci0", A}));
            QVERIFY(rec.wait_for(recorder::connected, round + 1));
            QVERIFY(rec.snapshot().back().thread != std::this_thread::get_id());
        }
    }
    vhid_terminate();
}

void TestBluez::signals_from_others_change_nothing_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("signal"); // path, interface, member, signature, arguments
    const QString dev = "/org/bluez/hci0/dev_AA_BB_CC_DD_EE_01 ";
    const QString manager = "/ org.freedesktop.DBus.ObjectManager ";
    QTest::newRow("the device added as disconnected")
        << true
        << manager + "InterfacesAdded oa{sa{sv}} " + dev +
               "1 org.bluez.Device1 3 Address s AA:BB:CC:DD:EE:01 Adapter o /org/bluez/hci0 "
               "Connected b false";
    QTest::newRow("its Connected changed to false")
        << true
        << dev + "org.freedesktop.DBus.Properties PropertiesChanged sa{sv}as org.bluez.Device1 1 "
                 "Connected b false 0";
    QTest::newRow("the disconnected device removed")
        << false << manager + "InterfacesRemoved oas " + dev + "1 org.bluez.Device1";
    QTest::newRow("BlueZ gone, as the bus would say")
        << false
        << "/org/freedesktop/DBus org.freedesktop.DBus NameOwnerChanged sss org.bluez :1.1 ";
}

// Any user may send a signal straight to the watcher's connection: here, one without rights.
void TestBluez::signals_from_others_change_nothing()
{
    QFETCH(bool, connected);
    QFETCH(QString, signal);
    QVERIFY(mock.call(connected ? "ConnectDevice" : "DisconnectDevice", {"hci0", A}));
    vhid::bluez_presence presence;
    const auto settle = [&](int ms) { // true when the presence of A may have changed
        bool changed = false;
        for (QDeadlineTimer limit(ms); !limit.hasExpired() && !changed; QTest::qWait(10))
            changed = presence.process();
        return changed;
    };
    QVERIFY(presence.open());
    presence.connected(A, bluez_mock::hci0);
    QVERIFY(settle(5000) && presence.ready());
    QCOMPARE(presence.connected(A, bluez_mock::hci0), connected);
    const QString spoof =
        QStringLiteral("--reuid=nobody --regid=nogroup --clear-groups busctl "
                       "--address=%1 emit --destination=%2 %3")
            .arg(mock.address, QString::fromStdString(presence.bus_name()), signal);
    QCOMPARE(QProcess::execute("setpriv", spoof.split(' ')), 0);
    QVERIFY(!settle(1000));
    QCOMPARE(presence.connected(A, bluez_mock::hci0), connected);
}

QTEST_GUILESS_MAIN(TestBluez)
#include "tst_bluez.moc"
