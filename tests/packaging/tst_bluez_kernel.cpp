// The Linux HID layer with Bluetooth presence, against the real kernel and python3-dbusmock's
// BlueZ: a Bluetooth HID device plugged in through /dev/uhid keeps its hidraw node while BlueZ
// says it is disconnected, as BlueZ 5.73 and later do, and the layer must follow BlueZ's word.
// Needs /dev/uhid and root: it runs in the qemu guest of scripts/qemu-test.
#include "bluezmock.h"
#include "recorder.h"
#include "vhid.h"

#include <QDir>
#include <QtTest>

#include <unistd.h>

namespace {

constexpr const char* address = "AA:BB:CC:DD:EE:01";

} // namespace

class tst_bluez_kernel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void kept_node_of_a_disconnected_device_is_absent_data();
    void kept_node_of_a_disconnected_device_is_absent();
    void connected_changes_are_arrivals_and_removals();

private:
    bool node_present() const;

    bluez_mock mock_;
    child_process uhid_;
};

void tst_bluez_kernel::initTestCase()
{
    if (geteuid() != 0 || !QFile::exists("/dev/uhid"))
        QSKIP("needs /dev/uhid and root (scripts/qemu-test runs it)");
    const QString missing = bluez_mock::missing();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    QVERIFY(mock_.start_bus());
    QVERIFY(mock_.start_bluez());
    QVERIFY(mock_.add_adapter("hci0"));
    QVERIFY(mock_.add_device("hci0", address, true));

    // As BlueZ presents a device: the device's address as uniq, the adapter's as phys.
    uhid_.start("/usr/bin/python3",
                {QFINDTESTDATA("uhid_device.py"), "--bus", "0005", "--vendor", "08E6", "--product",
                 "0001", "--uniq", QByteArray(address).toLower(), "--phys",
                 QByteArray(bluez_mock::hci0).toLower()});
    QVERIFY(uhid_.waitForReadyRead(20000));
    QTRY_VERIFY_WITH_TIMEOUT(node_present(), 20000);
}

void tst_bluez_kernel::cleanupTestCase()
{
    vhid_terminate();
    uhid_.terminate();
    uhid_.waitForFinished();
}

bool tst_bluez_kernel::node_present() const
{
    const QDir nodes("/sys/class/hidraw");
    for (const QString& node :
         nodes.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (QFileInfo(nodes.filePath(node) + "/device")
                .canonicalFilePath()
                .contains("/0005:08E6:0001.") &&
            QFile::exists("/dev/" + node))
            return true;
    return false;
}

void tst_bluez_kernel::kept_node_of_a_disconnected_device_is_absent_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("problem");
    QTest::newRow("BlueZ says connected") << true << VHID_PROBLEM_NONE;
    QTest::newRow("BlueZ says disconnected, the node stays") << false << VHID_PROBLEM_DISCONNECTED;
}

// The first check, made on the caller's thread, already goes by BlueZ's word.
void tst_bluez_kernel::kept_node_of_a_disconnected_device_is_absent()
{
    QFETCH(bool, connected);
    QFETCH(int, problem);
    QVERIFY(mock_.set_connected("hci0", address, connected));
    QVERIFY(node_present());

    recorder rec;
    detach_all detach;
    vhid_init();
    const int32_t index = vhid_add_device(0x08E6, 0x0001, 0xFF00, 9, 0);
    QCOMPARE(index, 0);
    rec.attach(index);
    QCOMPARE(rec.count(recorder::connected), size_t(connected ? 1 : 0));
    QCOMPARE(rec.count(recorder::disconnected), size_t(connected ? 0 : 1));
    QCOMPARE(rec.snapshot().front().thread, std::this_thread::get_id());
    vhid_status status;
    QCOMPARE(vhid_get_status(index, &status), 0);
    QCOMPARE(status.problem, problem);
}

void tst_bluez_kernel::connected_changes_are_arrivals_and_removals()
{
    QVERIFY(mock_.set_connected("hci0", address, true));
    recorder rec;
    detach_all detach;
    vhid_init();
    rec.attach(vhid_add_device(0x08E6, 0x0001, 0xFF00, 9, 0));
    QCOMPARE(rec.count(recorder::connected), size_t(1));

    for (size_t round = 1; round <= 3; ++round) {
        QVERIFY(mock_.set_connected("hci0", address, false));
        QVERIFY(rec.wait_for(recorder::disconnected, round));
        QVERIFY(node_present()); // udev saw nothing: only BlueZ's word made the removal
        QVERIFY(mock_.set_connected("hci0", address, true));
        QVERIFY(rec.wait_for(recorder::connected, round + 1));
    }
    // The first check ran here; every later one on the notification thread.
    const std::vector<recorder::event> events = rec.snapshot();
    for (size_t i = 1; i < events.size(); ++i)
        QVERIFY(events[i].thread != std::this_thread::get_id());
}

QTEST_GUILESS_MAIN(tst_bluez_kernel)
#include "tst_bluez_kernel.moc"
