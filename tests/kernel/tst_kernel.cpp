// The HID layer's Linux backend and the device link against the real kernel: the virtual Velquin
// Plus is plugged in through /dev/uhid, so arrival, removal, hidraw reads and writes and the udev
// monitor are the kernel's own. Runs inside the qemu guest of scripts/qemu-test (it needs
// /dev/uhid and root); VELQUIN_EXPECT_UDEVD=0/1 states whether systemd-udevd must be running.
#include "configdiff.h"
#include "devicehid.h"
#include "recorder.h"
#include "uhiddevice.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QtTest>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

constexpr int WAIT_MS = 15000; // the guest runs on an emulated CPU

// The virtual device in the kernel, with a thread that answers the kernel's events.
struct Uhid : UhidDevice
{
    int stop = eventfd(0, EFD_CLOEXEC);
    std::thread thread;
    bool start()
    {
        std::string error;
        if (!open(error))
            qWarning("%s", error.c_str());
        else
            thread = std::thread([this] { run(stop); });
        return thread.joinable();
    }
    ~Uhid()
    {
        unplug();
        const uint64_t one = 1;
        if (::write(stop, &one, sizeof one) == sizeof one && thread.joinable())
            thread.join();
        ::close(stop);
    }
};

int count_in(const char* dir, const std::function<bool(const QFileInfo&)>& wanted)
{
    int n = 0;
    for (const QFileInfo& f : QDir(dir).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
        n += wanted(f);
    return n;
}

// Live threads: a joined thread may linger a moment as a zombie.
int threads()
{
    return count_in("/proc/self/task", [](const QFileInfo& t) {
        QFile stat(t.filePath() + "/stat");
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : "";
        const int end = line.lastIndexOf(')');
        return end > 0 && end + 2 < line.size() && line[end + 2] != 'Z' && line[end + 2] != 'X';
    });
}

// Device-change messages the layer has seen. Set once, never removed: the layer calls it
// without a lock.
std::atomic<int> changes{0};

// Waits until the layer has seen no device-change message for 700 ms, so that the late uevents
// of the device's input nodes have been handled.
void settle()
{
    QDeadlineTimer limit(WAIT_MS);
    for (int last = -1; last != changes && !limit.hasExpired(); QTest::qWait(700))
        last = changes;
}

} // namespace

class TestKernel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void plug_stalled_read_and_unplug_during_a_blocked_read();
    void device_link_reads_writes_and_keeps_the_configuration();
    void no_permission_until_the_rule_is_applied();

private:
    std::unique_ptr<Uhid> uhid;
};

void TestKernel::initTestCase()
{
    QVERIFY2(QFile::exists("/dev/uhid"), "no /dev/uhid: run this test through scripts/qemu-test");
    const bool udevd = QFile::exists("/run/udev/control");
    qInfo("systemd-udevd is %s", udevd ? "running" : "not running");
    if (!qEnvironmentVariableIsEmpty("VELQUIN_EXPECT_UDEVD"))
        QCOMPARE(udevd, qgetenv("VELQUIN_EXPECT_UDEVD") == "1");
    vhid_set_device_change_callback([](void*, uint32_t, uintptr_t, intptr_t) { ++changes; },
                                    nullptr);
}

void TestKernel::init()
{
    uhid = std::make_unique<Uhid>();
    QVERIFY(uhid->start());
    uhid->set_noise(true); // switch presses while the host reads
}

void TestKernel::cleanup()
{
    uhid.reset();
    vhid_init(); // the next test starts on a quiet layer
}

// The reader takes the answer's first report, then stalls until the device has sent the rest, as
// a reader on a loaded machine falls behind, only longer: hidraw must keep every report, and only
// the vendor collection's reach it. The watch is the one that re-initialisation started.
void TestKernel::plug_stalled_read_and_unplug_during_a_blocked_read()
{
    vhid_init();
    vhid_terminate();
    std::atomic<bool> stalled{false};
    std::atomic<int> sent_when_resumed{0};
    recorder rec;
    rec.hook = [&](const recorder::event& e) {
        if (e.what != recorder::report || stalled.exchange(true))
            return;
        for (QDeadlineTimer limit(WAIT_MS);
             uhid->counters().config_inputs_sent < 22 && !limit.hasExpired();)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        sent_when_resumed = uhid->counters().config_inputs_sent;
    };
    vhid_init();
    rec.attach_device_pair();
    const int threads_absent = threads();
    QCOMPARE(rec.count(recorder::disconnected), size_t(2));
    QVERIFY(uhid->plug());
    QVERIFY(rec.wait_for(recorder::connected, 2));
    settle(); // however many messages the arrival brings, each a check, the callbacks come once
    QVERIFY(changes > 0);
    QCOMPARE(rec.count(recorder::connected), size_t(2));
    QVERIFY(rec.snapshot().back().thread != std::this_thread::get_id());
    QTRY_COMPARE_WITH_TIMEOUT(threads(), threads_absent + 1, WAIT_MS); // one reader

    const uint8_t read_request[9] = {0x05, 0x01};
    QCOMPARE(vhid_write(rec.out, read_request, 9), 9);
    QVERIFY(rec.wait_for(recorder::report, 22, rec.in));
    QCOMPARE(sent_when_resumed.load(), 22);
    QTest::qWait(300); // a stray keyboard or mouse report would have come by now
    QCOMPARE(uhid->counters().inputs_sent, 22 + UhidDevice::NOISE_REPORTS);
    SimDevice sim;
    sim.set_config(uhid->config());
    QCOMPARE(hex(rec.reports(rec.in)), hex(sim.answer()));

    QVERIFY(uhid->unplug()); // the reader is blocked in its read
    QVERIFY(rec.wait_for(recorder::disconnected, 4));
    QTRY_COMPARE_WITH_TIMEOUT(threads(), threads_absent, WAIT_MS);
    const auto hidraw = [](const QFileInfo& f) {
        return f.symLinkTarget().startsWith("/dev/hidraw");
    };
    QTRY_COMPARE_WITH_TIMEOUT(count_in("/proc/self/fd", hidraw), 0, WAIT_MS);
    QCOMPARE(vhid_write(rec.out, read_request, 9), -1);
    settle();
    QCOMPARE(rec.count(recorder::disconnected), size_t(4));
    QCOMPARE(rec.repeated_transitions(), 0);
}

// Read as it arrives, with switch presses in between; edited and written while the device answers
// another read, and taken at once, not after the answer: the kernel's queue of 32 events never
// has to hold it. Unplugged, the configuration shown stays.
void TestKernel::device_link_reads_writes_and_keeps_the_configuration()
{
    SimConfig stored = SimConfig::factory();
    stored.uid_l = 0x21;
    stored.profiles[2].speed = {{0x21, 7, 9}};
    uhid->set_config(stored);
    uhid->set_report_interval(std::chrono::milliseconds(30)); // an answer takes about a second
    DeviceHid dev;
    QVERIFY(uhid->plug());
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), WAIT_MS);
    QCOMPARE(diff(stored, snapshot(*dev.get_config())), QString());
    for (int i = 0; i < 5; ++i)
        QVERIFY(uhid->emit_key(0x2C) && uhid->emit_mouse(3, -3, 1));
    dev.read_config();
    QTRY_VERIFY_WITH_TIMEOUT(uhid->counters().config_inputs_sent > 22, WAIT_MS);
    Config& c = *dev.get_config();
    c.set_use_joystick(true);
    c.mouse_move_profiles[3]->speed[1] = 42;
    const SimConfig written = snapshot(c);
    dev.send_config();
    QTRY_COMPARE_WITH_TIMEOUT(uhid->sim_stats().writes_applied, 1, WAIT_MS);
    QVERIFY(uhid->counters().config_inputs_sent < 44);
    QCOMPARE(diff(uhid->config(), written), QString());
    QCOMPARE(uhid->sim_stats().ignored, 0);
    QTRY_COMPARE_WITH_TIMEOUT(uhid->counters().config_inputs_sent, 44, WAIT_MS);
    settle();
    const SimConfig shown = snapshot(c);
    QVERIFY(uhid->unplug());
    QTRY_VERIFY_WITH_TIMEOUT(!dev.is_connected(), WAIT_MS);
    QVERIFY(dev.is_config_ready());
    QCOMPARE(diff(shown, snapshot(c)), QString());
}

// A root-only node refuses the layer run by another user. A rule that gives the user the node,
// applied with udevadm as "Allow access..." does, lets the device connect without a restart.
void TestKernel::no_permission_until_the_rule_is_applied()
{
    if (!QFile::exists("/run/udev/control"))
        QSKIP("needs systemd-udevd to apply a rule");
    QVERIFY(uhid->plug());
    QTRY_VERIFY_WITH_TIMEOUT(
        !QDir("/sys/bus/hid/devices").entryList({"0005:08E6:0001.*"}).isEmpty(), WAIT_MS);
    QCOMPARE(QProcess::execute("udevadm", {"settle"}), 0);
    // Every thread's user, back to root however the test ends; the guest keeps no rule.
    const auto restore = qScopeGuard([] { QVERIFY(seteuid(0) == 0); });
    QCOMPARE(seteuid(65534), 0);
    DeviceHid dev;
    QTRY_COMPARE_WITH_TIMEOUT(dev.get_problem(), QString("no_permission"), WAIT_MS);
    const QString apply =
        "mkdir -p /etc/udev/rules.d && echo 'KERNELS==\"*:08E6:0001.*\", OWNER="
        "\"65534\"' > /etc/udev/rules.d/99-velquin-test.rules && udevadm control "
        "--reload-rules && udevadm trigger --subsystem-match=hidraw --action=change";
    QVERIFY(seteuid(0) == 0 && QProcess::execute("/bin/sh", {"-c", apply}) == 0);
    QCOMPARE(seteuid(65534), 0);
    QTRY_VERIFY_WITH_TIMEOUT(dev.is_config_ready(), WAIT_MS);
}

QTEST_GUILESS_MAIN(TestKernel)
#include "tst_kernel.moc"
