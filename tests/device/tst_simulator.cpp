// The start-up switch to the virtual Velquin Plus, as main() uses it: environment variables read,
// the device plugged before the device object is built, and that before the application object.

#include "devicehid.h"
#include "devicetestutil.h"
#include "sim/simulator.h"
#include "sim/virtualvelquin.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <chrono>
#include <thread>

namespace {

const int TIMEOUT_MS = 5000;
const QByteArray EARLIER_LINE = "< 04 01 FF 00 00 00 00 00 00";

QStringList trace_lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

public:
    TestSimulator(DeviceHid* device, bool started, bool connected_at_start, QString trace)
        : device(device), started(started), connected_at_start(connected_at_start),
          trace(std::move(trace))
    {
    }

private slots:
    void started_before_the_device_object();
    void reads_the_virtual_device();
    void trace_has_a_line_per_report();
    void only_when_asked_data();
    void only_when_asked();

private:
    DeviceHid* device;
    bool started;
    bool connected_at_start;
    QString trace;
};

void TestSimulator::started_before_the_device_object()
{
    QVERIFY(started);
    QVERIFY(connected_at_start);
    QVERIFY(simulator_device() != nullptr);
    QVERIFY(simulator_device()->is_plugged());
    QCOMPARE(simulator_device()->report_delay_ms(), 2u);
}

void TestSimulator::reads_the_virtual_device()
{
    QTRY_VERIFY_WITH_TIMEOUT(device->is_config_ready(), TIMEOUT_MS);
    const Config& c = *device->get_config();
    QCOMPARE(c.device_uid_h, quint8(0x12));
    QCOMPARE(c.device_uid_l, quint8(0x34));
    QCOMPARE(c.fw_version, quint8(0x45));
    QCOMPARE(diff(SimConfig::factory(), snapshot(c)), QString());
}

void TestSimulator::trace_has_a_line_per_report()
{
    QTRY_VERIFY_WITH_TIMEOUT(device->is_config_ready(), TIMEOUT_MS);
    QStringList lines = trace_lines(trace);
    // What was in the file stays; the read is one line out and 22 lines back.
    QCOMPARE(lines.size(), 1 + 1 + 22);
    QCOMPARE(lines.at(0), QString(EARLIER_LINE));
    QCOMPARE(lines.at(1), QString("> 05 01 00 00 00 00 00 00 00"));
    QCOMPARE(lines.at(2), QString("< 04 01 00 34 12 45 00 00 00"));
    QCOMPARE(lines.at(3), QString("< 04 01 01 00 01 07 00 00 00"));
    QCOMPARE(lines.last(), QString("< 04 01 FF 00 00 00 00 00 00"));
    const QRegularExpression format("^[<>]( [0-9A-F]{2}){9}$");
    for (const QString& line : lines)
        QVERIFY2(format.match(line).hasMatch(), qPrintable(line));

    // Each line is in the file as soon as its report has crossed.
    device->reset_to_bootloader();
    QVERIFY(device->wait_for_writes(TIMEOUT_MS));
    lines = trace_lines(trace);
    QCOMPARE(lines.size(), 1 + 1 + 22 + 1);
    QCOMPARE(lines.last(), QString("> 05 02 00 00 00 FF 00 00 00"));
    QTRY_VERIFY_WITH_TIMEOUT(!device->is_connected(), TIMEOUT_MS);
}

void TestSimulator::only_when_asked_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("unset") << QByteArray();
    QTest::newRow("0") << QByteArray("0");
    QTest::newRow("yes") << QByteArray("yes");
    QTest::newRow("1 with a space") << QByteArray(" 1");
}

void TestSimulator::only_when_asked()
{
    QFETCH(QByteArray, value);
    if (value.isNull())
        qunsetenv("VELQUIN_SIMULATOR");
    else
        qputenv("VELQUIN_SIMULATOR", value);
    QVERIFY(!simulator_start_from_environment());
    qputenv("VELQUIN_SIMULATOR", "1");
}

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.txt");
    {
        QFile file(trace);
        if (!file.open(QIODevice::WriteOnly) || file.write(EARLIER_LINE + '\n') < 0)
            return 1;
    }
    qputenv("VELQUIN_SIMULATOR", "1");
    qputenv("VELQUIN_SIMULATOR_LATENCY_MS", "2");
    qputenv("VELQUIN_SIMULATOR_TRACE", trace.toLocal8Bit());

    // The order of main(): the device object exists before the application object.
    const bool started = simulator_start_from_environment();
    DeviceHid device;
    const bool connected = device.is_connected();
    // Let the answer to the first read arrive while there is no application object yet: what the
    // transport hands over then is taken once the event loop runs.
    if (simulator_device() != nullptr && simulator_device()->wait_idle(5000))
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    QCoreApplication app(argc, argv);
    TestSimulator test(&device, started, connected, trace);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_simulator.moc"
