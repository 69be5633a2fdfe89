// The device link on the real HID layer over the virtual bus: how it takes the device's reports,
// the bytes it writes, when it counts as connected, how its writing thread orders, replaces and
// bounds what it writes, and how it holds against a flooding device and a stalled link.
#include "configdiff.h"
#include "devicehid.h"
#include "sim/virtualvelquin.h"
#include "vhid.h"
#include "vhid_virtual.h"

#include <QtTest>
#include <atomic>
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

// The critical messages logged from any thread since the last clear; QtTest still sees each.
struct Criticals
{
    static QStringList take()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return std::exchange(seen, {});
    }
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtCriticalMsg) {
            std::lock_guard<std::mutex> lock(mutex);
            seen << text;
        }
        next(type, context, text);
    }
    static inline std::mutex mutex;
    static inline QStringList seen;
    static inline QtMessageHandler next; // QtTest's, installed before the first test
};

} // namespace

class TestDevice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        vhid_virtual_use();
        Criticals::next = qInstallMessageHandler(Criticals::handler);
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
    void writer_orders_replaces_and_bounds();
    void writer_gives_up_and_never_holds_the_exit_data();
    void writer_gives_up_and_never_holds_the_exit();
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
    row("04 01 03 08 03 01 02 03 00", "Error: Received config for profile  8", "");
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
    row("answer without press 3", "",
        "press[7]=01 03 00 31; release[2]=02 02 2C 00; "
        "profile[1]=02 07 08 00",
        read);
    row("answer with profile 1 04 01 03 01 09 00 00 00 00",
        "Error: Received config for  9  intervals",
        "press[3]=02 04 29 00; press[7]=01 03 00 31; release[2]=02 02 2C 00", read);
    row("answer with device 07 01 00 00 00 00 00 00 00", "Error: Received HID report from wrong ID",
        answer, read);
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
    row("output lost", "in+ out+", "end out-", "1 config 2 ready=1 | 1 1");
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
    QTest::addColumn<QString>("tail");
    QTest::addColumn<int>("waiting");
    QTest::addColumn<QStringList>("shown"); // press 3's first byte at each configuration shown
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("messages");

    const QString answer =
        "04 01 01 03 01 01 %1 00 00;04 01 01 05 01 01 %1 00 00;04 01 FF 00 00 00 00 00 00";
    QTest::newRow("answers") << answer << "" << 3 << QStringList{"E7"}
                             << "press[3]=01 01 E7 00; press[5]=01 01 E7 00" << QStringList{};
    QTest::newRow("answers, the next one begun")
        << answer << "04 01 01 03 01 01 EE 00 00" << 4 << QStringList{"E7"}
        << "press[3]=01 01 EE 00; press[5]=01 01 E7 00" << QStringList{};
    QStringList bad;
    for (int i = 0; i < 5; ++i)
        bad << "Error: Received config for switch  8";
    QTest::newRow("bad reports")
        << "04 01 01 08 05 01 %1 00 00"
        << "" << 6 << QStringList{} << ""
        << (bad << "Error: Suppressed 995 more message(s) about bad HID reports");
}

// While the interface thread is busy, its reader hands the object a flood of reports: only the
// latest of each entry and one end marker wait, the window is shown the last answer whole once,
// without what came after its end marker, and bad reports are logged a few a second.
void TestDevice::flood()
{
    QFETCH(QString, round);
    QFETCH(QString, tail);
    QFETCH(int, waiting);
    QFETCH(QStringList, shown);
    QFETCH(QString, change);
    QFETCH(QStringList, messages);
    DeviceHid dev;
    const SimConfig before = snapshot(*dev.get_config());
    std::vector<Bytes> sent;
    for (int i = 0; i < 1000; ++i)
        for (const QString& report : round.arg(i % 256, 2, 16, QLatin1Char('0')).split(';'))
            sent.push_back(hex(report));
    if (!tail.isEmpty())
        sent.push_back(hex(tail));
    QStringList seen;
    connect(&dev, &Device::config_changed, this,
            [&] { seen << hex(Bytes{dev.get_config()->sw_press_config[3]->param1}); });
    Criticals::take();
    std::thread([&] { feed(dev, sent); }).join();
    QCOMPARE(dev.pending_callbacks(), std::size_t(waiting));
    QTRY_COMPARE_WITH_TIMEOUT(dev.pending_callbacks(), std::size_t(0), TIMEOUT_MS);
    QStringList logged;
    QTRY_COMPARE_WITH_TIMEOUT(logged += Criticals::take(), messages, TIMEOUT_MS);
    QCOMPARE(seen, shown);
    QCOMPARE(diff(before, snapshot(*dev.get_config())), change);
}

// The writing thread is held inside a configuration write while more series queue behind it.
void TestDevice::writer_orders_replaces_and_bounds()
{
    struct Gate
    {
        std::mutex mutex;
        std::condition_variable changed;
        bool open = false;
        std::vector<Bytes> written;
    } gate;
    const auto take = [](void* user, int32_t, const uint8_t* data, int32_t length) {
        auto& g = *static_cast<Gate*>(user);
        std::unique_lock<std::mutex> lock(g.mutex);
        g.written.emplace_back(data, data + length);
        g.changed.notify_all();
        g.changed.wait(lock, [&] { return g.open; });
    };
    QVERIFY(vhid_virtual_plug(&OUT, take, &gate) >= 0);
    vhid_init();
    const int32_t out = vhid_add_device(0x08E6, 0x0001, 0xFF00, 0, 9);
    vhid_set_callbacks(out, nullptr, nullptr, nullptr, nullptr);
    const auto series = [](uint8_t id) {
        std::vector<ReportWriter::Report> reports(22, ReportWriter::Report{5, id});
        for (uint8_t i = 0; i < 22; ++i)
            reports[i][2] = i;
        return reports;
    };
    using Kind = ReportWriter::Kind;
    {
        ReportWriter writer(3);
        struct Opener // before the writer goes, also when a check fails
        {
            Gate& g;
            ~Opener()
            {
                std::lock_guard<std::mutex> lock(g.mutex);
                g.open = true;
                g.changed.notify_all();
            }
        } opener{gate};
        QVERIFY(writer.submit(out, Kind::FullConfig, series(1)));
        {
            std::unique_lock<std::mutex> lock(gate.mutex);
            QVERIFY(gate.changed.wait_for(lock, std::chrono::seconds(10),
                                          [&] { return !gate.written.empty(); }));
        }
        QVERIFY(writer.submit(out, Kind::FullConfig, series(2))); // the one being written stays
        QVERIFY(writer.submit(out, Kind::FullConfig, series(3))); // replaces 2
        QVERIFY(writer.submit(out, Kind::Restore, series(4)));
        QVERIFY(writer.submit(out, Kind::Restore, series(5)));
        QTest::ignoreMessage(QtCriticalMsg, "Error: HID write queue is full, dropped 22 report(s)");
        QVERIFY(!writer.submit(out, Kind::Commands, series(6)));
        QCOMPARE(writer.superseded(), std::size_t(1));
    } // what still waits is written before the writer goes
    QStringList expected;
    for (uint8_t id : {1, 3, 4, 5})
        for (const ReportWriter::Report& r : series(id))
            expected << hex(Bytes(r.begin(), r.end()));
    QCOMPARE(hex(gate.written), expected);
}

void TestDevice::writer_gives_up_and_never_holds_the_exit_data()
{
    QTest::addColumn<uint32_t>("faults");
    QTest::addColumn<uint32_t>("write_us");
    QTest::addColumn<bool>("stuck"); // a second inside the write, where no cancel reaches
    QTest::addColumn<int>("taken");
    QTest::addColumn<QStringList>("messages");

    const QString failed =
        "Error: HID write failed at report 1 of 22, dropped the rest of the series";
    const QString dropped = "Error: HID link too slow at exit, dropped 66 report(s)";
    QTest::newRow("refused") << uint32_t(VHID_VIRTUAL_FAULT_SHORT_WRITE) << 0u << false << 3
                             << QStringList{failed, failed, failed};
    QTest::newRow("stalled") << 0u << 60000000u << false << 0 << QStringList{dropped};
    QTest::newRow("stuck") << 0u << 0u << true << 1
                           << QStringList{dropped,
                                          "Error: HID write still blocked at exit, left behind"};
}

// Three series of 22 reports queued, then the writer destroyed at once: a series ends at its
// first failed write, and the exit waits for a stalled link only until the deadline.
void TestDevice::writer_gives_up_and_never_holds_the_exit()
{
    QFETCH(uint32_t, faults);
    QFETCH(uint32_t, write_us);
    QFETCH(bool, stuck);
    QFETCH(int, taken);
    static std::atomic<int> n;
    static std::atomic<bool> hold;
    n = 0;
    hold = stuck;
    const auto take = [](void*, int32_t, const uint8_t*, int32_t) {
        if (++n && hold)
            std::this_thread::sleep_for(std::chrono::seconds(1));
    };
    vhid_virtual_set_faults(vhid_virtual_plug(&OUT, take, nullptr), faults);
    vhid_virtual_set_delays(0, write_us);
    vhid_init();
    const int32_t out = vhid_add_device(0x08E6, 0x0001, 0xFF00, 0, 9);
    vhid_set_callbacks(out, nullptr, nullptr, nullptr, nullptr);
    Criticals::take();
    {
        ReportWriter writer(64, std::chrono::milliseconds(100));
        for (int i = 0; i < 3; ++i)
            QVERIFY(writer.submit(out, ReportWriter::Kind::Restore,
                                  std::vector<ReportWriter::Report>(22, {0x05, 0x02})));
        QTRY_VERIFY_WITH_TIMEOUT(!stuck || n == 1, TIMEOUT_MS);
    }
    QTEST(Criticals::take(), "messages");
    QCOMPARE(n.load(), taken);
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
