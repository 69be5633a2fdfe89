// The device link on the real HID layer over the virtual bus: how it takes the device's reports,
// the bytes it writes, when it counts as connected, how its writing thread orders, replaces and
// bounds what it writes, and how it holds against a flooding device and a stalled link.
#include "configdiff.h"
#include "devicehid.h"
#include "sim/virtualvelquin.h"
#include "vhid.h"
#include "vhid_virtual.h"

#include <QScopeGuard>
#include <QtTest>
#include <atomic>
#include <cstring>
#include <thread>

namespace {

constexpr int TIMEOUT_MS = 10000;
constexpr vhid_virtual_iface IN{0x08E6, 0x0001, 0xFF00, 9, 0}, OUT{0x08E6, 0x0001, 0xFF00, 0, 9},
    BOTH{0x08E6, 0x0001, 0xFF00, 9, 9};

// The object's signals in order, with the state each announced (the configuration by its summary
// pointer profile, which the simplified form carries).
struct SignalLog : QStringList
{
    explicit SignalLog(Device& dev)
    {
        QObject::connect(&dev, &Device::connected_changed, &guard,
                         [&] { *this << QStringLiteral("connected=%1").arg(dev.is_connected()); });
        QObject::connect(&dev, &Device::config_ready_changed, &guard,
                         [&] { *this << QStringLiteral("ready=%1").arg(dev.is_config_ready()); });
        QObject::connect(&dev, &Device::config_changed, &guard, [&] {
            *this << QStringLiteral("config %1").arg(dev.get_config()->mouse_move_summary_profile);
        });
    }
    QObject guard;
};

// Hands reports to the object as its reader thread would, but on this thread.
void feed(DeviceHid& dev, const std::vector<Bytes>& reports)
{
    for (Bytes r : reports)
        dev.hid_report_cb(0, r.data(), int(r.size()));
}

// The critical messages logged from any thread since the last take; QtTest still sees each.
std::mutex criticals_mutex;
QStringList criticals;
QtMessageHandler qtest_handler; // installed before the first test
void record_critical(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtCriticalMsg) {
        std::lock_guard<std::mutex> lock(criticals_mutex);
        criticals << text;
    }
    qtest_handler(type, context, text);
}
QStringList take_criticals()
{
    std::lock_guard<std::mutex> lock(criticals_mutex);
    return std::exchange(criticals, {});
}

} // namespace

class TestDevice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        vhid_virtual_use();
        qtest_handler = qInstallMessageHandler(record_critical);
    }
    void cleanup() { vhid_virtual_reset(); }
    void cleanupTestCase() { vhid_init(); }
    void decoder_data();
    void decoder();
    void byte_images_data();
    void byte_images();
    void connection_data();
    void connection();
    void flood_data();
    void flood();
    void writer_data();
    void writer();
    void destruction_under_traffic();
};

void TestDevice::decoder_data()
{
    QTest::addColumn<QString>("reports"); // a report, or an answer to a read: see decoder()
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("signals_");

    const auto row = [](const char* report, const char* message, const char* change,
                        QStringList signals_ = {}) {
        QTest::newRow(report) << report << message << change << signals_;
    };
    row("04 01 00 35 13 46 01 00 00", "", "uid=35 13; fw=46; joystick=1");
    row("04 01 00 34 12 45 80 00 00", "", "joystick=1");
    row("04 01 01 05 02 04 0E 03 00", "", "press[5]=02 04 0E 03");
    row("04 01 02 07 02 02 0E 03 00", "", "release[7]=02 02 0E 03");
    row("04 01 01 13 05 01 04 00 00", "", "press[3]=05 01 04 00");
    row("04 01 01 08 05 01 04 00 00", "Error: Received config for switch  8", "");
    row("04 01 03 00 02 07 09 55 00", "", "profile[0]=02 07 09 00");
    row("04 01 03 11 03 01 02 03 00", "", "profile[1]=03 01 02 03");
    row("04 01 03 04 03 01 02 03 00", "Error: Received config for profile  4", "");
    row("04 01 03 02 04 01 02 03 00", "Error: Received config for  4  intervals", "");
    row("04 01 03 03 00 01 02 03 00", "", "profile[3]=00 02 0A 04");
    row("04 01 03 02 01 33 44 55 00", "", "profile[2]=01 33 05 0A");
    row("03 01 01 00 05 01 04 00 00", "Error: Received HID report from wrong ID", "");
    row("04 01 01 00 02 04 0E 03", "Error: Received HID report of 8 bytes instead of 9", "");
    row("04", "Error: Received HID report of 1 bytes instead of 9", "");
    row("04 02 01 00 05 01 04 00 00", "", ""); // not an answer to a read
    row("04 01 04 00 05 01 04 00 00", "", ""); // no such section
    row("04 01 FF 00 00 00 00 00 00", "", "", {"config 2", "ready=1"});
    const char* answer = "press[3]=02 04 29 00; press[7]=01 03 00 31; release[2]=02 02 2C 00; "
                         "profile[1]=02 07 08 00";
    const QStringList read{"config 3", "ready=1"};
    row("answer", "", answer, read);
    row("answer reversed", "", answer, read);
    row("answer without press 3", "", answer + std::strlen("press[3]=02 04 29 00; "), read);
    row("answer with profile 1 04 01 03 01 09 00 00 00 00",
        "Error: Received config for  9  intervals",
        "press[3]=02 04 29 00; press[7]=01 03 00 31; release[2]=02 02 2C 00", read);
}

// On a configuration read before: what a report changes, logs and announces. An answer is that
// of a device whose configuration differs in a few entries, sent in order, reversed (the end
// marker last), without a section, or with one replaced: sections that did not come, or were
// refused, keep their values, and the end marker brings the simplified form and readiness.
void TestDevice::decoder()
{
    QFETCH(QString, reports);
    QFETCH(QString, message);
    QFETCH(QString, change);
    QFETCH(QStringList, signals_);
    DeviceHid dev; // nothing plugged: the reports reach the decoder and nothing else
    feed(dev, SimDevice().answer());
    const SimConfig before = snapshot(*dev.get_config());
    std::vector<Bytes> sent{hex(reports)};
    if (reports.startsWith("answer")) {
        SimDevice device;
        SimConfig c = SimConfig::factory();
        c.release[2] = {2, 2, 0x2C, 0};
        c.press[3] = {2, 4, 0x29, 0};
        c.press[7] = {1, 3, 0, 0x31};
        c.profiles[1] = {2, {{7, 8, 9}}};
        device.set_config(c);
        sent = device.answer();
        const int at = reports.contains("press 3") ? 4 : reports.contains("profile 1") ? 18 : 0;
        if (reports.contains("reversed"))
            std::reverse(sent.begin(), sent.end() - 1);
        else if (reports.contains("without"))
            sent.erase(sent.begin() + at);
        else if (reports.contains("with"))
            sent[size_t(at)] = hex(reports.section(' ', -9));
    }
    SignalLog log(dev);
    if (!message.isEmpty())
        QTest::ignoreMessage(QtCriticalMsg, qPrintable(message));
    feed(dev, sent);
    QCOMPARE(diff(before, snapshot(*dev.get_config())), change);
    QCOMPARE(log, signals_);
}

void TestDevice::byte_images_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("reports");
    QTest::addColumn<QString>("message");

    // The virtual device's factory configuration with the joystick on and switch 2 held: its
    // identity (34 12, firmware 45) is never written.
    const QStringList write{
        "05 02 00 00 00 00 01 00 00", "05 02 01 00 01 07 00 00 00", "05 02 01 01 01 07 01 00 00",
        "05 02 01 02 02 01 2C 00 00", "05 02 01 03 02 04 28 00 00", "05 02 01 04 01 03 01 22 00",
        "05 02 01 05 01 03 01 21 00", "05 02 01 06 01 03 00 22 00", "05 02 01 07 01 03 00 21 00",
        "05 02 02 00 00 00 00 00 00", "05 02 02 01 00 00 00 00 00", "05 02 02 02 02 02 2C 00 00",
        "05 02 02 03 00 00 00 00 00", "05 02 02 04 00 00 00 00 00", "05 02 02 05 00 00 00 00 00",
        "05 02 02 06 00 00 00 00 00", "05 02 02 07 00 00 00 00 00", "05 02 03 00 01 03 00 00 00",
        "05 02 03 01 01 08 00 00 00", "05 02 03 02 03 02 05 0A 00", "05 02 03 03 03 02 0A 04 00",
        "05 02 FF 00 00 00 00 00 00"};
    // A restore writes the entries as they were read, with the mark on switch 0.
    QStringList restore = write;
    restore[1] = "05 02 01 00 FF 07 00 00 00";
    restore[3] = "05 02 01 02 02 04 2C 00 00";
    restore[11] = "05 02 02 02 00 00 00 00 00";
    QTest::newRow("read") << "read" << QStringList{"05 01 00 00 00 00 00 00 00"} << "";
    QTest::newRow("write") << "write" << write << "";
    QTest::newRow("restore") << "restore" << restore << "";
    QTest::newRow("bootloader") << "bootloader" << QStringList{"05 02 00 00 00 FF 01 00 00"} << "";
    QTest::newRow("8 bytes") << "01 02 03 04 05 06 07 08"
                             << QStringList{"05 01 02 03 04 05 06 07 08"} << "";
    QTest::newRow("9 bytes") << "01 02 03 04 05 06 07 08 09" << QStringList{}
                             << "Error: HID command is too long";
}

void TestDevice::byte_images()
{
    QFETCH(QString, command);
    QFETCH(QStringList, reports);
    QFETCH(QString, message);
    VirtualVelquin vv;
    QVERIFY(vv.plug());
    DeviceHid dev;
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), TIMEOUT_MS);
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    vv.clear_received();
    dev.get_config()->use_joystick = true;
    dev.get_config()->sw_simplified_release_mode[2] = int(Config::ReleaseMode::Manual);
    if (!message.isEmpty())
        QTest::ignoreMessage(QtCriticalMsg, qPrintable(message));
    const std::map<QString, void (DeviceHid::*)()> commands{
        {"read", &DeviceHid::read_config},
        {"write", &DeviceHid::send_config},
        {"restore", &DeviceHid::restore_default_config},
        {"bootloader", &DeviceHid::reset_to_bootloader}};
    if (commands.count(command))
        (dev.*commands.at(command))();
    else
        dev.send_command(hex(command));
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    QCOMPARE(hex(vv.received()), reports);
}

void TestDevice::connection_data()
{
    QTest::addColumn<QString>("present"); // plugged before the object is made
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("log"); // connected at the start, signals, connected and ready

    const auto row = [](const char* name, const char* present, const char* script,
                        const char* log) { QTest::newRow(name) << present << script << log; };
    row("absent", "", "", "0 | 0 0");
    row("present: checked in the constructor", "in+ out+", "", "1 | 1 0");
    row("input, then output", "", "in+ out+", "0 connected=1 ready=0 | 1 0");
    row("output, then input", "", "out+ in+", "0 connected=1 ready=0 | 1 0");
    row("one collection", "", "both+", "0 connected=1 ready=0 | 1 0");
    row("input alone", "", "in+", "0 | 0 0");
    row("output alone", "out+", "", "0 | 0 0");
    row("input lost", "in+ out+", "end in-", "1 config 2 ready=1 | 1 1");
    row("both lost", "in+ out+", "end in- out-", "1 config 2 ready=1 connected=0 | 0 1");
    row("back", "both+", "end both- both+",
        "1 config 2 ready=1 connected=0 connected=1 ready=0 | 1 0");
}

// Connected while both registrations are, from the first check on, which runs in the constructor;
// a connection change never touches the configuration held.
void TestDevice::connection()
{
    QFETCH(QString, present);
    QFETCH(QString, script);
    QFETCH(QString, log);
    std::map<QString, int32_t> plugged;
    const auto run = [&](const QString& steps, DeviceHid* dev) {
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            const QString name = step.chopped(1);
            const vhid_virtual_iface* iface = name == "in" ? &IN : name == "out" ? &OUT : &BOTH;
            if (step == "end")
                feed(*dev, {hex("04 01 FF 00 00 00 00 00 00")});
            else if (step.endsWith('+'))
                plugged[name] = vhid_virtual_plug(iface, nullptr, nullptr);
            else
                vhid_virtual_unplug(plugged[name]);
            vhid_virtual_settle();
            QCoreApplication::processEvents();
        }
    };
    run(present, nullptr);
    DeviceHid dev;
    QStringList seen{QString::number(dev.is_connected())};
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    SignalLog signals_(dev);
    Config& c = *dev.get_config();
    c.sw_press_config[3]->assign(2, 4, 0x2C, 0);
    const SimConfig before = snapshot(c);
    run(script, &dev);
    QVERIFY(dev.wait_for_writes(TIMEOUT_MS));
    seen << signals_ << "|" << QString::number(dev.is_connected())
         << QString::number(dev.is_config_ready());
    QCOMPARE(seen.join(' '), log);
    QCOMPARE(diff(before, snapshot(c)), QString());
}

void TestDevice::flood_data()
{
    QTest::addColumn<QString>("round"); // sent a thousand times, its %1 the round's number
    QTest::addColumn<int>("waiting");
    QTest::addColumn<QStringList>("shown"); // press 3's first byte at each configuration shown
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("answers")
        << "04 01 01 03 01 01 %1 00 00;04 01 01 05 01 01 %1 00 00;04 01 FF 00 00 00 00 00 00" << 4
        << QStringList{"E7"} << "press[3]=01 01 EE 00; press[5]=01 01 E7 00" << QStringList{};
    QStringList bad = QVector<QString>(5, "Error: Received config for switch  8").toList();
    QTest::newRow("bad reports")
        << "04 01 01 08 05 01 %1 00 00" << 7 << QStringList{} << "press[3]=01 01 EE 00"
        << (bad << "Error: Suppressed 995 more message(s) about bad HID reports");
}

// While the interface thread is busy, its reader hands the object a flood of reports, then the
// first of the next answer: only the latest of each entry and one end marker wait, the window is
// shown the last answer whole once, without what came after its end marker, and bad reports are
// logged a few a second.
void TestDevice::flood()
{
    QFETCH(QString, round);
    QFETCH(QStringList, messages);
    DeviceHid dev;
    const SimConfig before = snapshot(*dev.get_config());
    std::vector<Bytes> sent;
    for (int i = 0; i < 1000; ++i)
        for (const QString& report : round.arg(i % 256, 2, 16, QLatin1Char('0')).split(';'))
            sent.push_back(hex(report));
    sent.push_back(hex("04 01 01 03 01 01 EE 00 00"));
    QStringList seen;
    connect(&dev, &Device::config_changed, this,
            [&] { seen << hex(Bytes{dev.get_config()->sw_press_config[3]->param1}); });
    take_criticals();
    std::thread([&] { feed(dev, sent); }).join();
    QTEST(int(dev.pending_callbacks()), "waiting");
    QTRY_COMPARE_WITH_TIMEOUT(dev.pending_callbacks(), std::size_t(0), TIMEOUT_MS);
    QStringList logged;
    QTRY_COMPARE_WITH_TIMEOUT(logged += take_criticals(), messages, TIMEOUT_MS);
    QTEST(seen, "shown");
    QTEST(diff(before, snapshot(*dev.get_config())), "change");
}

void TestDevice::writer_data()
{
    QTest::addColumn<uint32_t>("faults");
    QTest::addColumn<uint32_t>("write_us");
    QTest::addColumn<QString>("held");   // the device holds the first write: until all is queued,
                                         // or through the exit, where no cancel reaches it
    QTest::addColumn<QString>("series"); // numbered from 1: Full configuration, Restore, Commands
    QTest::addColumn<QString>("taken");  // the runs of a series' reports taken in order
    QTest::addColumn<QStringList>("messages");

    const QString failed =
        "Error: HID write failed at report 1 of 22, dropped the rest of the series";
    const QString dropped = "Error: HID link too slow at exit, dropped 66 report(s)";
    QTest::newRow("ordered, replaced, bounded")
        << 0u << 0u << "until queued"
        << "F F F R R C"
        << "1x22 3x22 4x22 5x22"
        << QStringList{"Error: HID write queue is full, dropped 22 report(s)"};
    QTest::newRow("refused") << uint32_t(VHID_VIRTUAL_FAULT_SHORT_WRITE) << 0u << ""
                             << "R R R"
                             << "1x1 2x1 3x1" << QStringList{failed, failed, failed};
    QTest::newRow("stalled") << 0u << 60000000u << ""
                             << "R R R"
                             << "" << QStringList{dropped};
    QTest::newRow("stuck") << 0u << 0u << "through the exit"
                           << "R R R"
                           << "1x1"
                           << QStringList{dropped,
                                          "Error: HID write still blocked at exit, left behind"};
}

// Series of 22 reports queued for a writer of at most three waiting series, then the writer
// destroyed: series go out whole and in order, a waiting full configuration gives way to a newer
// one, a series ends at its first failed write, and the exit waits for the link only so long.
void TestDevice::writer()
{
    QFETCH(uint32_t, faults);
    QFETCH(uint32_t, write_us);
    QFETCH(QString, held);
    QFETCH(QString, series);
    static std::mutex mutex;
    static std::vector<std::array<int, 3>> runs; // series, reports, the last one's place
    static std::atomic<bool> hold;
    runs.clear();
    hold = !held.isEmpty();
    const auto release = qScopeGuard([] { hold = false; });
    const auto take = [](void*, int32_t, const uint8_t* data, int32_t) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!runs.empty() && runs.back()[0] == data[1] && runs.back()[2] + 1 == data[2])
                ++runs.back()[1], ++runs.back()[2];
            else
                runs.push_back({data[1], 1, data[2]});
        }
        while (hold)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    const auto taken = [] {
        std::lock_guard<std::mutex> lock(mutex);
        QStringList text;
        for (const auto& run : runs)
            text << QStringLiteral("%1x%2").arg(run[0]).arg(run[1]);
        return text.join(' ');
    };
    vhid_virtual_set_faults(vhid_virtual_plug(&OUT, take, nullptr), faults);
    vhid_virtual_set_delays(0, write_us);
    vhid_init();
    const int32_t out = vhid_add_device(0x08E6, 0x0001, 0xFF00, 0, 9);
    vhid_set_callbacks(out, nullptr, nullptr, nullptr, nullptr);
    take_criticals();
    {
        using Kind = ReportWriter::Kind;
        const std::map<QString, Kind> kinds{
            {"F", Kind::FullConfig}, {"R", Kind::Restore}, {"C", Kind::Commands}};
        ReportWriter writer(3);
        uint8_t id = 0;
        for (const QString& kind : series.split(' ')) {
            std::vector<ReportWriter::Report> reports(22, ReportWriter::Report{5, ++id});
            for (uint8_t i = 0; i < 22; ++i)
                reports[i][2] = i;
            writer.submit(out, kinds.at(kind), std::move(reports));
            if (hold)
                QTRY_VERIFY_WITH_TIMEOUT(!taken().isEmpty(), TIMEOUT_MS);
        }
        if (held == "until queued")
            hold = false; // what still waits goes out before the writer goes
    }
    hold = false;
    QTEST(take_criticals(), "messages");
    QTEST(taken(), "taken");
}

// A device object destroyed while its reader is inside its callback and answers keep coming.
void TestDevice::destruction_under_traffic()
{
    VirtualVelquin vv;
    for (int round = 0; round < 15; ++round) {
        QVERIFY(vv.plug());
        auto dev = std::make_unique<DeviceHid>();
        std::atomic<bool> stop{false};
        std::thread flood([&] {
            while (!stop && vv.send_input(hex("04 01 00 34 12 45 01 00 00")) &&
                   vv.send_input(hex("04 01 FF 00 00 00 00 00 00")))
                vv.wait_idle(TIMEOUT_MS);
        });
        QElapsedTimer timer;
        for (timer.start(); timer.elapsed() < 5 + round % 4;)
            QCoreApplication::processEvents();
        if (round % 3 == 0)
            dev->send_config();
        dev.reset();
        QCoreApplication::processEvents();
        stop = true;
        flood.join();
        vv.unplug();
    }
}

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
