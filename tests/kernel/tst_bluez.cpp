// The Linux HID layer with Bluetooth presence, against the real kernel and python3-dbusmock's
// BlueZ on a private bus: a Bluetooth HID device plugged in through /dev/uhid keeps its hidraw node
// when BlueZ says it has disconnected (BlueZ 5.73 and later), and the layer must follow BlueZ's
// word. Needs /dev/uhid and root: it runs in the qemu guest of scripts/qemu-test.
#include "bluezmock.h"
#include "recorder.h"

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
    void first_check_goes_by_bluez();
    void connected_changes_are_arrivals_and_removals();

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

void TestBluez::first_check_goes_by_bluez()
{
    for (bool connected : {true, false}) {
        QVERIFY(mock.call(connected ? "ConnectDevice" : "DisconnectDevice", {"hci0", A}));
        vhid_init();
        recorder rec;
        const int32_t index = vhid_add_device(0x08E6, 0x0001, 0xFF00, 9, 0);
        rec.attach(index);
        QCOMPARE(rec.count(recorder::connected), size_t(connected));
        QCOMPARE(rec.snapshot().at(0).thread, std::this_thread::get_id());
        vhid_status status;
        QCOMPARE(vhid_get_status(index, &status), 0);
        QCOMPARE(status.problem, connected ? VHID_PROBLEM_NONE : VHID_PROBLEM_DISCONNECTED);
    }
}

void TestBluez::connected_changes_are_arrivals_and_removals()
{
    QVERIFY(mock.call("ConnectDevice", {"hci0", A}));
    vhid_init();
    recorder rec;
    rec.attach(vhid_add_device(0x08E6, 0x0001, 0xFF00, 9, 0));
    QCOMPARE(rec.count(recorder::connected), size_t(1));
    for (size_t round = 1; round <= 3; ++round) {
        QVERIFY(mock.call("DisconnectDevice", {"hci0", A}));
        QVERIFY(rec.wait_for(recorder::disconnected, round));
        QVERIFY(node_present()); // udev saw nothing: BlueZ's word alone made the removal
        QVERIFY(mock.call("ConnectDevice", {"hci0", A}));
        QVERIFY(rec.wait_for(recorder::connected, round + 1));
    }
    QVERIFY(rec.snapshot().back().thread != std::this_thread::get_id());
    vhid_terminate();
}

QTEST_GUILESS_MAIN(TestBluez)
#include "tst_bluez.moc"
