// The device link held to its limits: a device that floods it with reports, good or bad, and a
// link that refuses or stalls the writes.

#include "devicehid.h"
#include "devicetestutil.h"
#include "vhid.h"
#include "vhid_virtual.h"

#include <QtTest>
#include <atomic>
#include <thread>

namespace {

constexpr int TIMEOUT_MS = 10000;
constexpr int ROUNDS = 1000;

// Hands reports to the object on a thread of its own, as its reader does, while this one waits.
void feed_from_thread(DeviceHid& dev, std::vector<SimDevice::Bytes> reports)
{
    std::thread([&] {
        for (SimDevice::Bytes& r : reports)
            dev.hid_report_cb(0, r.data(), int(r.size()));
    }).join();
}

// Output reports the device took; while `stuck`, each stays a second inside the write, where no
// cancel reaches it.
std::atomic<int> taken{0};
std::atomic<bool> stuck{false};

void take(void*, int32_t, const uint8_t*, int32_t)
{
    ++taken;
    if (stuck)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

} // namespace

class TestDeviceLimits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { vhid_virtual_use(); }
    void cleanup() { vhid_virtual_reset(); }
    void cleanupTestCase() { vhid_init(); }

    void flood_keeps_the_latest_of_each_section_data();
    void flood_keeps_the_latest_of_each_section();
    void flood_of_bad_reports_is_logged_a_few_a_second();
    void writer_gives_up_and_never_holds_the_exit_data();
    void writer_gives_up_and_never_holds_the_exit();
};

void TestDeviceLimits::flood_keeps_the_latest_of_each_section_data()
{
    QTest::addColumn<QString>("tail");
    QTest::addColumn<int>("waiting");
    QTest::addColumn<int>("stored");
    QTest::newRow("whole answers") << "" << 9 << (ROUNDS - 1) % 256;
    QTest::newRow("the next answer begun") << "04 01 01 03 01 01 EE 00 00" << 10 << 0xEE;
}

// While the interface thread is busy, the device sends a thousand answers of eight press entries
// and an end marker: the latest of each entry and one end marker wait, and the window sees the
// last answer whole, without what came after its end marker.
void TestDeviceLimits::flood_keeps_the_latest_of_each_section()
{
    QFETCH(QString, tail);
    QFETCH(int, waiting);
    QFETCH(int, stored);
    DeviceHid dev;
    std::vector<SimDevice::Bytes> reports;
    for (int round = 0; round < ROUNDS; ++round) {
        for (uint8_t i = 0; i < 8; ++i)
            reports.push_back({0x04, 0x01, 0x01, i, 0x01, 0x01, uint8_t(round), 0, 0});
        reports.push_back(hex("04 01 FF 00 00 00 00 00 00"));
    }
    if (!tail.isEmpty())
        reports.push_back(hex(tail));
    QList<int> at_end_marker;
    connect(&dev, &Device::config_changed, this,
            [&] { at_end_marker << dev.get_config()->sw_press_config[3]->param1; });
    feed_from_thread(dev, reports);
    QCOMPARE(dev.pending_callbacks(), std::size_t(waiting));
    QTRY_COMPARE_WITH_TIMEOUT(dev.pending_callbacks(), std::size_t(0), TIMEOUT_MS);
    QCOMPARE(at_end_marker, QList<int>{(ROUNDS - 1) % 256});
    QCOMPARE(int(dev.get_config()->sw_press_config[3]->param1), stored);
}

void TestDeviceLimits::flood_of_bad_reports_is_logged_a_few_a_second()
{
    DeviceHid dev;
    MessageLog messages;
    QStringList expected;
    for (int i = 0; i < DeviceHid::MAX_ERRORS_PER_SECOND; ++i)
        expected << "Error: Received config for switch  8";
    expected << QStringLiteral("Error: Suppressed %1 more message(s) about bad HID reports")
                    .arg(ROUNDS - DeviceHid::MAX_ERRORS_PER_SECOND);
    for (const QString& message : expected)
        QTest::ignoreMessage(QtCriticalMsg, qPrintable(message));
    feed_from_thread(dev, std::vector<SimDevice::Bytes>(ROUNDS, hex("04 01 01 08 05 01 04 00 00")));
    QTRY_COMPARE_WITH_TIMEOUT(messages.errors(), expected, TIMEOUT_MS);
}

void TestDeviceLimits::writer_gives_up_and_never_holds_the_exit_data()
{
    QTest::addColumn<uint32_t>("faults");
    QTest::addColumn<uint32_t>("write_us");
    QTest::addColumn<bool>("hold");
    QTest::addColumn<int>("taken");
    QTest::addColumn<QStringList>("messages");

    const QString failed =
        "Error: HID write failed at report 1 of 22, dropped the rest of the series";
    const QString dropped = "Error: HID link too slow at exit, dropped 66 report(s)";
    QTest::newRow("refused") << uint32_t(VHID_VIRTUAL_FAULT_SHORT_WRITE) << 0u << false << 3
                             << QStringList{failed, failed, failed};
    QTest::newRow("stalled") << 0u << 60000000u << false << 0 << QStringList{dropped};
    QTest::newRow("stuck where no cancel reaches")
        << 0u << 0u << true << 1
        << QStringList{dropped, "Error: HID write still blocked at exit, left behind"};
}

// Three configuration writes of 22 reports queued, then the writer destroyed at once.
void TestDeviceLimits::writer_gives_up_and_never_holds_the_exit()
{
    QFETCH(uint32_t, faults);
    QFETCH(uint32_t, write_us);
    QFETCH(bool, hold);
    QFETCH(int, taken);
    QFETCH(QStringList, messages);
    stuck = hold;
    ::taken = 0;
    const vhid_virtual_iface out{SimDevice::VENDOR_ID, SimDevice::PRODUCT_ID, SimDevice::USAGE_PAGE,
                                 0, 9};
    vhid_virtual_set_faults(vhid_virtual_plug(&out, take, nullptr), faults);
    vhid_virtual_set_delays(0, write_us);
    vhid_init();
    const int32_t index = vhid_add_device(out.vendor_id, out.product_id, out.usage_page, 0, 9);
    vhid_set_callbacks(index, nullptr, nullptr, nullptr, nullptr);
    MessageLog log;
    for (const QString& message : messages)
        QTest::ignoreMessage(QtCriticalMsg, qPrintable(message));
    {
        ReportWriter writer(64, std::chrono::milliseconds(100));
        for (int i = 0; i < 3; ++i)
            QVERIFY(writer.submit(index, ReportWriter::Kind::Restore,
                                  std::vector<ReportWriter::Report>(22, {0x05, 0x02})));
        QTRY_VERIFY_WITH_TIMEOUT(!hold || ::taken == 1, TIMEOUT_MS);
    }
    QCOMPARE(log.errors(), messages);
    QCOMPARE(::taken.load(), taken);
}

QTEST_GUILESS_MAIN(TestDeviceLimits)
#include "tst_device_limits.moc"
