// The virtual Velquin Plus's side of the protocol, without a transport.

#include "devicetestutil.h"
#include "sim/simdevice.h"

#include <QtTest>

Q_DECLARE_METATYPE(SimDevice::Outcome)

namespace {

SimDevice::Outcome feed(SimDevice& device, const QString& report)
{
    const SimDevice::Bytes bytes = hex(report);
    return device.handle_output(bytes.data(), bytes.size());
}

// A whole write of `config` as the host sends it.
QStringList write_of(const SimConfig& c, bool restore_mark = false)
{
    const auto b = [](int v) { return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')); };
    QStringList lines{"05 02 00 00 00 00 " + b(c.use_joystick) + " 00 00"};
    for (int section : {1, 2})
        for (int i = 0; i < 8; ++i) {
            SimConfig::Entry e = section == 1 ? c.press[i] : c.release[i];
            if (section == 1 && i == 0 && restore_mark)
                e.iface = 0xFF;
            lines << QStringList{"05 02",     b(section),  b(i),        b(e.iface),
                                 b(e.action), b(e.param1), b(e.param2), "00"}
                         .join(' ');
        }
    for (int j = 0; j < 4; ++j) {
        const SimConfig::Profile& p = c.profiles[j];
        lines << QStringList{"05 02 03",    b(j), b(p.n_intervals), b(p.speed[0]), b(p.speed[1]),
                             b(p.speed[2]), "00"}
                     .join(' ');
    }
    lines << "05 02 FF 00 00 00 00 00 00";
    return lines;
}

SimConfig edited()
{
    SimConfig c = SimConfig::factory();
    c.use_joystick = true;
    c.press[2] = {2, 1, 0x04, 0x01};
    c.release[2] = {2, 2, 0x04, 0x01};
    c.profiles[3] = {2, {{9, 8, 7}}};
    return c;
}

} // namespace

class TestSimDevice : public QObject
{
    Q_OBJECT

private slots:
    void single_reports_data();
    void single_reports();
    void write_takes_effect_at_the_end();
    void restore_keeps_identity();
    void answer_in_order();
    void answer_options();
};

void TestSimDevice::single_reports_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<SimDevice::Outcome>("outcome");
    using O = SimDevice::Outcome;
    QTest::newRow("read") << "05 01 00 00 00 00 00 00 00" << O::Read;
    QTest::newRow("bootloader") << "05 02 00 00 00 FF 01 00 00" << O::Bootloader;
    QTest::newRow("device section") << "05 02 00 00 00 00 01 00 00" << O::Staged;
    QTest::newRow("press entry") << "05 02 01 07 01 07 00 00 00" << O::Staged;
    QTest::newRow("profile") << "05 02 03 03 03 01 02 03 00" << O::Staged;
    QTest::newRow("switch index 8") << "05 02 01 08 01 07 00 00 00" << O::Ignored;
    QTest::newRow("profile index 4") << "05 02 03 04 03 01 02 03 00" << O::Ignored;
    QTest::newRow("4 intervals") << "05 02 03 00 04 01 02 03 00" << O::Ignored;
    QTest::newRow("end with nothing staged") << "05 02 FF 00 00 00 00 00 00" << O::Ignored;
    QTest::newRow("unknown command") << "05 03 00 00 00 00 00 00 00" << O::Ignored;
    QTest::newRow("unknown section") << "05 02 07 00 00 00 00 00 00" << O::Ignored;
    QTest::newRow("input report id") << "04 01 00 00 00 00 00 00 00" << O::Ignored;
    QTest::newRow("short") << "05 01" << O::Ignored;
}

void TestSimDevice::single_reports()
{
    QFETCH(QString, report);
    QFETCH(SimDevice::Outcome, outcome);
    SimDevice device;
    QCOMPARE(feed(device, report), outcome);
    // Nothing but a whole write changes what the device stores.
    QCOMPARE(diff(SimConfig::factory(), device.config()), QString());
}

void TestSimDevice::write_takes_effect_at_the_end()
{
    SimDevice device;
    const QStringList write = write_of(edited());
    for (int k = 0; k < write.size() - 1; ++k)
        QCOMPARE(feed(device, write[k]), SimDevice::Outcome::Staged);
    // A read in the middle still answers with what is stored.
    QCOMPARE(feed(device, "05 01 00 00 00 00 00 00 00"), SimDevice::Outcome::Read);
    QCOMPARE(hex(device.answer().front()), QString("04 01 00 34 12 45 00 00 00"));
    QCOMPARE(feed(device, write.last()), SimDevice::Outcome::Applied);
    QCOMPARE(diff(SimConfig::factory(), device.config()),
             QString("joystick=1; press[2]=02 01 04 01; release[2]=02 02 04 01; "
                     "profile[3]=2: 09 08 07"));
    QCOMPARE(device.stats().writes_applied, 1);
}

void TestSimDevice::restore_keeps_identity()
{
    SimDevice device;
    SimConfig unit = edited();
    unit.uid_l = 0x77;
    unit.fw_version = 0x81;
    device.set_config(unit);
    for (const QString& report : write_of(unit, true))
        feed(device, report);
    SimConfig expected = SimConfig::factory();
    expected.uid_l = 0x77;
    expected.fw_version = 0x81;
    QCOMPARE(diff(expected, device.config()), QString());
    QCOMPARE(device.stats().restores, 1);
    QCOMPARE(device.stats().writes_applied, 0);
}

void TestSimDevice::answer_in_order()
{
    SimDevice device;
    device.set_config(edited());
    const QStringList answer = hex(device.answer());
    QCOMPARE(answer.size(), SimDevice::ANSWER_LEN);
    QCOMPARE(answer.at(SimDevice::POS_DEVICE), QString("04 01 00 34 12 45 01 00 00"));
    QCOMPARE(answer.at(SimDevice::pos_press(2)), QString("04 01 01 02 02 01 04 01 00"));
    QCOMPARE(answer.at(SimDevice::pos_release(2)), QString("04 01 02 02 02 02 04 01 00"));
    QCOMPARE(answer.at(SimDevice::pos_profile(3)), QString("04 01 03 03 02 09 08 07 00"));
    QCOMPARE(answer.at(SimDevice::POS_END), QString("04 01 FF 00 00 00 00 00 00"));
    // A write of what was read gives the same configuration back.
    SimDevice other;
    for (const QString& report : write_of(device.config()))
        feed(other, report);
    QCOMPARE(diff(device.config(), other.config()), QString());
}

void TestSimDevice::answer_options()
{
    SimDevice device;
    SimDevice::AnswerOptions options;
    options.order = {SimDevice::POS_END, SimDevice::pos_profile(1), SimDevice::POS_DEVICE};
    options.dropped = {SimDevice::pos_profile(1)};
    options.replaced[SimDevice::POS_DEVICE] = hex("04 01");
    device.set_answer_options(options);
    QCOMPARE(hex(device.answer()), (QStringList{"04 01 FF 00 00 00 00 00 00", "04 01"}));
}

QTEST_GUILESS_MAIN(TestSimDevice)
#include "tst_simdevice.moc"
