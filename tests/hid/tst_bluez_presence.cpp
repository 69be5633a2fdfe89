// The Bluetooth presence watcher against python3-dbusmock's BlueZ template on a private bus that
// stands in for the system bus: each case gets a fresh bus and a fresh BlueZ.
#include "bluezmock.h"
#include "vhid_linux_bluez.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <poll.h>
#include <thread>

namespace {

constexpr const char* hci0 = bluez_mock::hci0;
constexpr const char* hci1 = bluez_mock::hci1;

} // namespace

class tst_bluez_presence : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void no_system_bus_hides_nothing();
    void answers_from_what_bluez_knows_data();
    void answers_from_what_bluez_knows();
    void hidraw_node_presence_data();
    void hidraw_node_presence();
    void follows_connected_of_an_asked_device();
    void changes_of_other_devices_need_no_check();
    void removed_device_is_no_longer_hidden();
    void bluez_restart_is_followed();
    void lost_bus_hides_nothing();
    void queries_from_other_threads_during_changes();

private:
    // Waits for process() to report a change, handling every message meanwhile.
    bool wait_change(vhid::bluez_presence& presence, int timeout_ms = 5000);
    bool add_adapter(const char* name) { return mock_->add_adapter(name); }
    bool add_device(const char* adapter, const char* address, bool connected)
    {
        return mock_->add_device(adapter, address, connected);
    }
    bool set_connected(const char* adapter, const char* address, bool connected)
    {
        return mock_->set_connected(adapter, address, connected);
    }

    std::unique_ptr<bluez_mock> mock_;
};

void tst_bluez_presence::initTestCase()
{
    const QString missing = bluez_mock::missing();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
}

void tst_bluez_presence::init()
{
    mock_.reset(new bluez_mock);
    QVERIFY(mock_->start_bus());
    QVERIFY(mock_->start_bluez());
}

void tst_bluez_presence::cleanup()
{
    mock_.reset();
}

bool tst_bluez_presence::wait_change(vhid::bluez_presence& presence, int timeout_ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        if (presence.process())
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || presence.fd() < 0)
            return false;
        pollfd pfd{presence.fd(), presence.events(), 0};
        poll(&pfd, 1, static_cast<int>(left.count()));
    }
}

void tst_bluez_presence::no_system_bus_hides_nothing()
{
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velquin-test-bus");
    vhid::bluez_presence presence;
    QVERIFY(!presence.open());
    QCOMPARE(presence.fd(), -1);
    QVERIFY(!presence.process());
    QVERIFY(presence.connected("AA:BB:CC:DD:EE:01", hci0));
}

void tst_bluez_presence::answers_from_what_bluez_knows_data()
{
    QTest::addColumn<bool>("known_before_open");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("adapter");
    QTest::addColumn<bool>("connected");

    // A on hci0 connected; B on hci0 disconnected; C disconnected on hci0, connected on hci1.
    struct row
    {
        const char* name;
        const char* address;
        const char* adapter;
        bool connected;
    };
    const row rows[] = {
        {"connected device", "AA:BB:CC:DD:EE:01", hci0, true},
        {"disconnected device", "AA:BB:CC:DD:EE:02", hci0, false},
        {"address in the kernel's lower case", "aa:bb:cc:dd:ee:02", "00:01:02:03:04:05", false},
        {"no adapter given", "AA:BB:CC:DD:EE:02", "", false},
        {"device unknown to BlueZ", "AA:BB:CC:DD:EE:99", hci0, true},
        {"adapter unknown to BlueZ", "AA:BB:CC:DD:EE:02", "0A:0B:0C:0D:0E:0F", false},
        {"disconnected on the node's adapter", "AA:BB:CC:DD:EE:03", hci0, false},
        {"connected on the node's adapter", "AA:BB:CC:DD:EE:03", hci1, true},
        {"connected on some adapter", "AA:BB:CC:DD:EE:03", "", true},
    };
    for (bool before : {true, false})
        for (const row& r : rows)
            QTest::addRow("%s, %s", r.name, before ? "read at open" : "followed after open")
                << before << r.address << r.adapter << r.connected;
}

void tst_bluez_presence::answers_from_what_bluez_knows()
{
    QFETCH(bool, known_before_open);
    QFETCH(QString, address);
    QFETCH(QString, adapter);
    QFETCH(bool, connected);

    const char* const last_added = "AA:BB:CC:DD:EE:FF";
    auto build = [this] {
        return add_adapter("hci0") && add_adapter("hci1") &&
               add_device("hci0", "AA:BB:CC:DD:EE:01", true) &&
               add_device("hci0", "AA:BB:CC:DD:EE:02", false) &&
               add_device("hci0", "AA:BB:CC:DD:EE:03", false) &&
               add_device("hci1", "AA:BB:CC:DD:EE:03", true);
    };
    vhid::bluez_presence presence;
    if (known_before_open) {
        QVERIFY(build());
        QVERIFY(presence.open());
    } else {
        QVERIFY(presence.open());
        for (const char* device : {"AA:BB:CC:DD:EE:01", "AA:BB:CC:DD:EE:02", "AA:BB:CC:DD:EE:03"})
            presence.connected(device, "");
        // The mock's signals come in order: once the last device added is known, all are.
        QVERIFY(presence.connected(last_added, ""));
        QVERIFY(build() && add_device("hci1", last_added, false));
        QTRY_VERIFY_WITH_TIMEOUT((presence.process(), !presence.connected(last_added, "")), 5000);
    }
    QCOMPARE(presence.connected(address.toStdString(), adapter.toStdString()), connected);
}

void tst_bluez_presence::hidraw_node_presence_data()
{
    QTest::addColumn<QByteArray>("hid_id");
    QTest::addColumn<QByteArray>("uniq");
    QTest::addColumn<QByteArray>("phys");
    QTest::addColumn<bool>("present");

    // BlueZ knows AA:BB:CC:DD:EE:01 disconnected and AA:BB:CC:DD:EE:02 connected, both on hci0.
    const QByteArray bt = "0005:000008E6:00000001", usb = "0003:000008E6:00000001";
    QTest::newRow("Bluetooth, disconnected")
        << bt << QByteArray("aa:bb:cc:dd:ee:01") << QByteArray(hci0).toLower() << false;
    QTest::newRow("Bluetooth, connected")
        << bt << QByteArray("aa:bb:cc:dd:ee:02") << QByteArray(hci0).toLower() << true;
    QTest::newRow("Bluetooth, unknown to BlueZ")
        << bt << QByteArray("aa:bb:cc:dd:ee:03") << QByteArray(hci0).toLower() << true;
    QTest::newRow("Bluetooth, no adapter address")
        << bt << QByteArray("aa:bb:cc:dd:ee:01") << QByteArray("velquin-uhid") << false;
    QTest::newRow("Bluetooth, no device address")
        << bt << QByteArray() << QByteArray(hci0).toLower() << true;
    QTest::newRow("USB, same address as a disconnected one")
        << usb << QByteArray("aa:bb:cc:dd:ee:01") << QByteArray("usb-0000:00:14.0-1/input0")
        << true;
    QTest::newRow("no HID_ID") << QByteArray() << QByteArray("aa:bb:cc:dd:ee:01")
                               << QByteArray(hci0).toLower() << true;
}

void tst_bluez_presence::hidraw_node_presence()
{
    QFETCH(QByteArray, hid_id);
    QFETCH(QByteArray, uniq);
    QFETCH(QByteArray, phys);
    QFETCH(bool, present);

    QVERIFY(add_adapter("hci0"));
    QVERIFY(add_device("hci0", "AA:BB:CC:DD:EE:01", false));
    QVERIFY(add_device("hci0", "AA:BB:CC:DD:EE:02", true));
    vhid::bluez_presence presence;
    QVERIFY(presence.open());
    auto text = [](const QByteArray& b) { return b.isNull() ? nullptr : b.constData(); };
    QCOMPARE(vhid::hid_device_present(presence, text(hid_id), text(uniq), text(phys)), present);
}

void tst_bluez_presence::follows_connected_of_an_asked_device()
{
    QVERIFY(add_adapter("hci0"));
    QVERIFY(add_device("hci0", "AA:BB:CC:DD:EE:01", false));
    vhid::bluez_presence presence;
    QVERIFY(presence.open());
    QVERIFY(!presence.connected("aa:bb:cc:dd:ee:01", hci0));

    for (int round = 0; round < 3; ++round) {
        QVERIFY(set_connected("hci0", "AA:BB:CC:DD:EE:01", true));
        QVERIFY(wait_change(presence));
        QVERIFY(presence.connected("aa:bb:cc:dd:ee:01", hci0));
        QVERIFY(set_connected("hci0", "AA:BB:CC:DD:EE:01", false));
        QVERIFY(wait_change(presence));
        QVERIFY(!presence.connected("aa:bb:cc:dd:ee:01", hci0));
    }
}

void tst_bluez_presence::changes_of_other_devices_need_no_check()
{
    QVERIFY(add_adapter("hci0"));
    QVERIFY(add_device("hci0", "AA:BB:CC:DD:EE:01", false));
    QVERIFY(add_device("hci0", "11:22:33:44:55:66", false));
    vhid::bluez_presence presence;
    QVERIFY(presence.open());
    QVERIFY(!presence.connected("AA:BB:CC:DD:EE:01", hci0));

    // A headset connecting is none of the HID layer's business...
    QVERIFY(set_connected("hci0", "11:22:33:44:55:66", true));
    QVERIFY(!wait_change(presence, 300));
    // ...but it is still followed, for when its node is asked about.
    QVERIFY(presence.connected("11:22:33:44:55:66", hci0));
    QVERIFY(set_connected("hci0", "11:22:33:44:55:66", false));
    QVERIFY(wait_change(presence));
    QVERIFY(!presence.connected("11:22:33:44:55:66", hci0));
}

void tst_bluez_presence::removed_device_is_no_longer_hidden()
{
    QVERIFY(add_adapter("hci0"));
    QVERIFY(add_device("hci0", "AA:BB:CC:DD:EE:01", false));
    vhid::bluez_presence presence;
    QVERIFY(presence.open());
    QVERIFY(!presence.connected("AA:BB:CC:DD:EE:01", hci0));

    QVERIFY(mock_->call("/org/bluez/hci0", "org.bluez.Adapter1", "RemoveDevice", "o",
                        {"/org/bluez/hci0/dev_AA_BB_CC_DD_EE_01"}));
    QVERIFY(wait_change(presence));
    QVERIFY(presence.connected("AA:BB:CC:DD:EE:01", hci0));
}

void tst_bluez_presence::bluez_restart_is_followed()
{
    QVERIFY(add_adapter("hci0"));
    QVERIFY(add_device("hci0", "AA:BB:CC:DD:EE:01", false));
    vhid::bluez_presence presence;
    QVERIFY(presence.open());
    QVERIFY(!presence.connected("AA:BB:CC:DD:EE:01", hci0));

    mock_->stop_bluez();
    QVERIFY(wait_change(presence));
    QVERIFY(presence.connected("AA:BB:CC:DD:EE:01", hci0));

    QVERIFY(mock_->start_bluez());
    QVERIFY(add_adapter("hci0"));
    QVERIFY(add_device("hci0", "AA:BB:CC:DD:EE:01", false));
    QVERIFY(wait_change(presence));
    QVERIFY(!presence.connected("AA:BB:CC:DD:EE:01", hci0));
}

void tst_bluez_presence::lost_bus_hides_nothing()
{
    QVERIFY(add_adapter("hci0"));
    QVERIFY(add_device("hci0", "AA:BB:CC:DD:EE:01", false));
    vhid::bluez_presence presence;
    QVERIFY(presence.open());
    QVERIFY(!presence.connected("AA:BB:CC:DD:EE:01", hci0));

    mock_->kill_bus();
    QVERIFY(wait_change(presence));
    QCOMPARE(presence.fd(), -1);
    QVERIFY(presence.connected("AA:BB:CC:DD:EE:01", hci0));
}

void tst_bluez_presence::queries_from_other_threads_during_changes()
{
    QVERIFY(add_adapter("hci0"));
    QVERIFY(add_device("hci0", "AA:BB:CC:DD:EE:01", false));
    vhid::bluez_presence presence;
    QVERIFY(presence.open());
    QVERIFY(!presence.connected("AA:BB:CC:DD:EE:01", hci0));

    // Checks run on the GUI thread and the notification thread while the latter processes.
    std::atomic<bool> stop{false};
    std::atomic<int> queries{0};
    std::thread checker([&] {
        while (!stop) {
            presence.connected("AA:BB:CC:DD:EE:01", hci0);
            presence.connected("AA:BB:CC:DD:EE:02", "");
            ++queries;
        }
    });
    // The rounds start once the checker runs, so that the two overlap.
    while (queries == 0)
        std::this_thread::yield();
    bool ok = true;
    for (int round = 0; round < 10 && ok; ++round)
        ok = set_connected("hci0", "AA:BB:CC:DD:EE:01", round % 2 == 0) && wait_change(presence) &&
             presence.connected("AA:BB:CC:DD:EE:01", hci0) == (round % 2 == 0);
    stop = true;
    checker.join();
    QVERIFY(ok);
}

QTEST_GUILESS_MAIN(tst_bluez_presence)
#include "tst_bluez_presence.moc"
