#include "config.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <vector>

namespace {

using Iface = ConfigSwitch::Iface;
using MouseAction = ConfigSwitch::MouseAction;
using KeybdAction = ConfigSwitch::KeybdAction;
using CctrlAction = ConfigSwitch::CctrlAction;
using JoystAction = ConfigSwitch::JoystAction;
using GenerAction = ConfigSwitch::GenerAction;
using Axis = ConfigSwitch::Axis;
using Sign = ConfigSwitch::Sign;
using ReleaseMode = Config::ReleaseMode;

constexpr int N = Config::N_SWITCHES;
constexpr int AUTOMATIC = int(ReleaseMode::Automatic);
constexpr int MANUAL = int(ReleaseMode::Manual);
constexpr int ALTERNATE = int(ReleaseMode::Alternate);

template <typename E> constexpr quint8 u8(E value)
{
    return static_cast<quint8>(value);
}

// The four fields of one ConfigSwitch as a value.
struct Entry
{
    quint8 iface = 0;
    quint8 action = 0;
    quint8 param1 = 0;
    quint8 param2 = 0;
    bool operator==(const Entry& o) const
    {
        return iface == o.iface && action == o.action && param1 == o.param1 && param2 == o.param2;
    }
    bool operator!=(const Entry& o) const { return !(*this == o); }
};

template <typename A> Entry entry(Iface iface, A action, int param1, int param2)
{
    return {u8(iface), u8(action), quint8(param1), quint8(param2)};
}

constexpr Entry NONE{};
constexpr Entry JUNK{0xAA, 0xBB, 0xCC, 0xDD};

QString describe(const Entry& e)
{
    return QString::asprintf("{%u, %u, 0x%02X, 0x%02X}", e.iface, e.action, e.param1, e.param2);
}

char* toString(const Entry& e)
{
    return qstrdup(describe(e).toUtf8().constData());
}

Entry get(const ConfigSwitch* s)
{
    return {s->iface, s->action, s->param1, s->param2};
}

void put(ConfigSwitch* s, const Entry& e)
{
    s->iface = e.iface;
    s->action = e.action;
    s->param1 = e.param1;
    s->param2 = e.param2;
}

using ConfigSignal = void (Config::*)();
struct NamedSignal
{
    const char* name;
    ConfigSignal signal;
};

// The change signals of Config in their declaration order.
const std::vector<NamedSignal> CONFIG_SIGNALS = {
    {"device_uid_h_changed", &Config::device_uid_h_changed},
    {"device_uid_l_changed", &Config::device_uid_l_changed},
    {"fw_version_changed", &Config::fw_version_changed},
    {"use_joystick_changed", &Config::use_joystick_changed},
    {"sw_simplified_config_changed", &Config::sw_simplified_config_changed},
    {"sw_simplified_release_mode_changed", &Config::sw_simplified_release_mode_changed},
    {"mouse_move_summary_profile_changed", &Config::mouse_move_summary_profile_changed},
    {"mouse_move_summary_wheel_speed_changed", &Config::mouse_move_summary_wheel_speed_changed},
};

// Records, in order, every signal that a Config and all its entries emit.
class SignalLog
{
public:
    explicit SignalLog(Config* config)
    {
        for (const NamedSignal& s : CONFIG_SIGNALS) {
            const QString name = s.name;
            connections_.push_back(
                QObject::connect(config, s.signal, [this, name] { log.append(name); }));
        }
        for (const QList<ConfigSwitch*>* list :
             {&config->sw_press_config, &config->sw_release_config,
              &config->sw_simplified_config}) {
            for (ConfigSwitch* s : *list) {
                watch(s, &ConfigSwitch::iface_changed, "iface_changed");
                watch(s, &ConfigSwitch::action_changed, "action_changed");
                watch(s, &ConfigSwitch::param1_changed, "param1_changed");
                watch(s, &ConfigSwitch::param2_changed, "param2_changed");
            }
        }
    }
    ~SignalLog()
    {
        for (const QMetaObject::Connection& c : connections_)
            QObject::disconnect(c);
    }

    QStringList log;

private:
    void watch(ConfigSwitch* s, void (ConfigSwitch::*signal)(), const QString& name)
    {
        connections_.push_back(QObject::connect(s, signal, [this, name] { log.append(name); }));
    }
    std::vector<QMetaObject::Connection> connections_;
};

QStringList config_signal_names()
{
    QStringList names;
    for (const NamedSignal& s : CONFIG_SIGNALS)
        names.append(s.name);
    return names;
}

// Every field of a Config, for comparing two configurations or one before and after.
struct Snapshot
{
    quint8 uid_h, uid_l, fw;
    bool use_joystick;
    QVector<Entry> press, release, simplified;
    QList<int> modes;
    QVector<quint8> n_intervals;
    QVector<QList<quint8>> speeds;
    int profile, wheel_speed;

    explicit Snapshot(const Config& c)
        : uid_h(c.device_uid_h), uid_l(c.device_uid_l), fw(c.fw_version),
          use_joystick(c.use_joystick), modes(c.sw_simplified_release_mode),
          profile(c.mouse_move_summary_profile), wheel_speed(c.mouse_move_summary_wheel_speed)
    {
        for (int i = 0; i < N; ++i) {
            press.append(get(c.sw_press_config[i]));
            release.append(get(c.sw_release_config[i]));
            simplified.append(get(c.sw_simplified_config[i]));
        }
        for (const MouseMoveProfile* p : c.mouse_move_profiles) {
            n_intervals.append(p->n_intervals);
            speeds.append(p->speed);
        }
    }

    auto identity() const { return std::make_tuple(uid_h, uid_l, fw); }
    auto full_form() const { return std::make_tuple(press, release); }
    auto simplified_form() const
    {
        return std::make_tuple(simplified, modes, profile, wheel_speed);
    }
    auto device_settings() const { return std::make_tuple(use_joystick, n_intervals, speeds); }
};

// Gives every field of the configuration a value of its own, derived from seed.
void fill(Config& c, int seed)
{
    c.device_uid_h = quint8(seed + 1);
    c.device_uid_l = quint8(seed + 2);
    c.fw_version = quint8(seed + 3);
    c.use_joystick = seed % 2;
    for (int i = 0; i < N; ++i) {
        put(c.sw_press_config[i], {quint8(seed + i), quint8(seed + 10 + i), quint8(seed + 20 + i),
                                   quint8(seed + 30 + i)});
        put(c.sw_release_config[i], {quint8(seed + 40 + i), quint8(seed + 50 + i),
                                     quint8(seed + 60 + i), quint8(seed + 70 + i)});
        put(c.sw_simplified_config[i], {quint8(seed + 80 + i), quint8(seed + 90 + i),
                                        quint8(seed + 100 + i), quint8(seed + 110 + i)});
        c.sw_simplified_release_mode[i] = (seed + i) % 5; // 3 and 4 lie outside ReleaseMode
    }
    for (int j = 0; j < Config::MAX_MOUSE_MOVE_PROFILES; ++j) {
        MouseMoveProfile* p = c.mouse_move_profiles[j];
        p->n_intervals = quint8((seed + j) % 4);
        for (int k = 0; k < MouseMoveProfile::MAX_INTERVALS; ++k)
            p->speed[k] = quint8(seed + 120 + 3 * j + k);
    }
    c.mouse_move_summary_profile = seed + 130;
    c.mouse_move_summary_wheel_speed = seed + 140;
}

// The key codes of the switch editor's keyboard and multimedia tables.
const QVector<int> KEYBD_CODES = {
    0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x33,
    0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x31, 0x27, 0x1E,
    0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x00, 0x28, 0x2C, 0x3A, 0x3B, 0x3C, 0x3D,
    0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x30, 0x36, 0x37, 0x38, 0x39, 0x29, 0x2B,
    0x2A, 0x46, 0x49, 0x4A, 0x4E, 0x4B, 0x4C, 0x4D, 0x4F, 0x50, 0x51, 0x52};
const QVector<int> CCTRL_CODES = {0xE9, 0xEA, 0xE2, 0xB0, 0xB1, 0xCD,  0xB7,  0xB5,
                                  0xB6, 0xB2, 0xB3, 0xB4, 0x41, 0x42,  0x43,  0x44,
                                  0x45, 0x46, 0x47, 0x48, 0x61, 0x221, 0x223, 0x224};
const int MODIFIER_BITS[] = {0x01, 0x02, 0x04, 0x08, 0x40};

// Every simplified entry that the switch editor writes.
QVector<Entry> editor_entries()
{
    QVector<Entry> entries;
    for (int button = 0; button <= 4; ++button)
        entries.append(entry(Iface::Mouse, MouseAction::Click, button, 0));
    entries.append(entry(Iface::Mouse, MouseAction::DoubleClick, 0, 20));
    for (Axis axis : {Axis::Y, Axis::X, Axis::Wheel}) {
        for (Sign sign : {Sign::Negative, Sign::Positive})
            entries.append(entry(Iface::Mouse, MouseAction::Move, int(axis), int(sign)));
    }
    for (int code : KEYBD_CODES) {
        for (int combination = 0; combination < 32; ++combination) {
            int modifiers = 0;
            for (int b = 0; b < 5; ++b) {
                if (combination & (1 << b))
                    modifiers |= MODIFIER_BITS[b];
            }
            entries.append(entry(Iface::Keybd, KeybdAction::Tap, code, modifiers));
        }
    }
    for (int code : CCTRL_CODES)
        entries.append(entry(Iface::Cctrl, CctrlAction::Tap, code & 0xFF, code >> 8));
    for (int button = 0; button <= 7; ++button)
        entries.append(entry(Iface::Joyst, JoystAction::Click, button, 0));
    for (Axis axis : {Axis::Y, Axis::X}) {
        for (int position : {0x81, 0x7F})
            entries.append(entry(Iface::Joyst, JoystAction::SetPos, int(axis), position));
    }
    for (int event = 0; event <= 7; ++event)
        entries.append(entry(Iface::Gener, GenerAction::Send, event, 0));
    return entries;
}

bool is_mouse_move(const Entry& e)
{
    return e.iface == u8(Iface::Mouse) && e.action == u8(MouseAction::Move);
}

} // namespace

Q_DECLARE_METATYPE(Entry)

class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    void new_config_has_defaults();
    void entries_are_owned_by_their_config();
    void signals_are_declared_in_order();
    void setters_emit_only_on_change_data();
    void setters_emit_only_on_change();
    void simplified_config_setter_compares_pointers();
    void list_setters_refuse_wrong_lengths();
    void profile_speed_setter();
    void copy_from_copies_values_into_existing_entries();
    void copy_from_null_changes_nothing();
    void calculate_full_data();
    void calculate_full();
    void calculate_simplified_data();
    void calculate_simplified();
    void summary_values_data();
    void summary_values();
    void conversions_touch_only_their_members();
    void round_trip_of_every_editor_entry();
};

void TestConfig::new_config_has_defaults()
{
    Config c;
    QSet<QObject*> objects;
    for (int i = 0; i < N; ++i) {
        for (ConfigSwitch* s :
             {c.sw_press_config[i], c.sw_release_config[i], c.sw_simplified_config[i]}) {
            QCOMPARE(get(s), NONE);
            QCOMPARE(s->parent(), nullptr);
            objects.insert(s);
        }
    }
    QCOMPARE(c.sw_press_config.size(), N);
    QCOMPARE(c.sw_release_config.size(), N);
    QCOMPARE(c.sw_simplified_config.size(), N);
    QCOMPARE(objects.size(), 3 * N);
    QCOMPARE(c.sw_simplified_release_mode, QList<int>({0, 0, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(c.use_joystick, false);
    QCOMPARE(c.mouse_move_profiles.size(), 4);
    for (MouseMoveProfile* p : c.mouse_move_profiles) {
        QCOMPARE(p->n_intervals, quint8(3));
        QCOMPARE(p->speed, QList<quint8>({0, 0, 0}));
        objects.insert(p);
    }
    QCOMPARE(objects.size(), 3 * N + 4);
    QCOMPARE(c.property("N_SWITCHES").toInt(), 8);
    QCOMPARE(c.property("MAX_MOUSE_MOVE_PROFILES").toInt(), 4);

    Config other;
    for (int i = 0; i < N; ++i)
        QVERIFY(!objects.contains(other.sw_simplified_config[i]));
}

void TestConfig::entries_are_owned_by_their_config()
{
    auto* c = new Config;
    QVector<QPointer<QObject>> owned;
    for (int i = 0; i < N; ++i) {
        owned.append(c->sw_press_config[i]);
        owned.append(c->sw_release_config[i]);
        owned.append(c->sw_simplified_config[i]);
    }
    for (MouseMoveProfile* p : c->mouse_move_profiles)
        owned.append(p);
    // A rearranged simplified list must not change what the destructor deletes.
    QList<ConfigSwitch*> reversed;
    for (int i = N - 1; i >= 0; --i)
        reversed.append(c->sw_simplified_config[i]);
    c->set_sw_simplified_config(reversed);
    delete c;
    for (const QPointer<QObject>& p : owned)
        QVERIFY(p.isNull());
}

void TestConfig::signals_are_declared_in_order()
{
    const QMetaObject* mo = &Config::staticMetaObject;
    QStringList declared;
    for (int m = mo->methodOffset(); m < mo->methodCount(); ++m) {
        if (mo->method(m).methodType() == QMetaMethod::Signal)
            declared.append(mo->method(m).name());
    }
    QCOMPARE(declared, config_signal_names());

    const QMetaObject* so = &ConfigSwitch::staticMetaObject;
    QStringList entry_signals;
    for (int m = so->methodOffset(); m < so->methodCount(); ++m) {
        if (so->method(m).methodType() == QMetaMethod::Signal)
            entry_signals.append(so->method(m).name());
    }
    QCOMPARE(entry_signals,
             QStringList({"iface_changed", "action_changed", "param1_changed", "param2_changed"}));
}

void TestConfig::setters_emit_only_on_change_data()
{
    QTest::addColumn<bool>("on_entry");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("device_uid_h") << false << QByteArray("device_uid_h") << QVariant(0xAB);
    QTest::newRow("device_uid_l") << false << QByteArray("device_uid_l") << QVariant(0x01);
    QTest::newRow("fw_version") << false << QByteArray("fw_version") << QVariant(0x42);
    QTest::newRow("use_joystick") << false << QByteArray("use_joystick") << QVariant(true);
    QTest::newRow("release mode, one element")
        << false << QByteArray("sw_simplified_release_mode")
        << QVariant::fromValue(QList<int>({0, 0, 0, MANUAL, 0, 0, 0, 0}));
    QTest::newRow("release mode, last element")
        << false << QByteArray("sw_simplified_release_mode")
        << QVariant::fromValue(QList<int>({0, 0, 0, 0, 0, 0, 0, ALTERNATE}));
    QTest::newRow("summary profile")
        << false << QByteArray("mouse_move_summary_profile") << QVariant(3);
    QTest::newRow("summary wheel speed")
        << false << QByteArray("mouse_move_summary_wheel_speed") << QVariant(2);
    QTest::newRow("iface") << true << QByteArray("iface") << QVariant(u8(Iface::Keybd));
    QTest::newRow("action") << true << QByteArray("action") << QVariant(u8(KeybdAction::Tap));
    QTest::newRow("param1") << true << QByteArray("param1") << QVariant(0x04);
    QTest::newRow("param2") << true << QByteArray("param2") << QVariant(0xFF);
}

// Writes through the property system, as QML does, and checks that only the property's own
// change signal fires, and only on a real change.
void TestConfig::setters_emit_only_on_change()
{
    QFETCH(bool, on_entry);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);

    Config config;
    QObject* target = on_entry ? static_cast<QObject*>(config.sw_simplified_config[5]) : &config;
    const QMetaObject* mo = target->metaObject();
    const QMetaProperty meta = mo->property(mo->indexOfProperty(property));
    QVERIFY(meta.isValid());
    QVERIFY(meta.hasNotifySignal());

    SignalLog log(&config);
    QVERIFY(meta.write(target, meta.read(target)));
    QCOMPARE(log.log, QStringList());

    QVERIFY(meta.write(target, value));
    QCOMPARE(log.log, QStringList({QString(meta.notifySignal().name())}));
    QCOMPARE(meta.read(target), value);

    QVERIFY(meta.write(target, value));
    QCOMPARE(log.log.size(), 1);
}

void TestConfig::simplified_config_setter_compares_pointers()
{
    Config c;
    const QList<ConfigSwitch*> original = c.sw_simplified_config;
    QSignalSpy spy(&c, &Config::sw_simplified_config_changed);

    c.set_sw_simplified_config(QList<ConfigSwitch*>(original));
    QVERIFY(c.setProperty("sw_simplified_config", QVariant::fromValue(original)));
    QCOMPARE(spy.count(), 0);

    // Same objects, another order: a different list.
    QList<ConfigSwitch*> swapped = original;
    swapped.swapItemsAt(0, 7);
    c.set_sw_simplified_config(swapped);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(c.property("sw_simplified_config").value<QList<ConfigSwitch*>>(), swapped);
}

void TestConfig::list_setters_refuse_wrong_lengths()
{
    Config c;
    SignalLog log(&c);
    const QList<ConfigSwitch*> entries = c.sw_simplified_config;

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignored a list of 9 release modes"));
    c.set_sw_simplified_release_mode({1, 1, 1, 1, 1, 1, 1, 1, 1});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignored a list of 0 release modes"));
    c.set_sw_simplified_release_mode({});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignored a simplified configuration"));
    c.set_sw_simplified_config(entries.mid(1));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignored a simplified configuration"));
    QList<ConfigSwitch*> with_null = entries;
    with_null[3] = nullptr;
    c.set_sw_simplified_config(with_null);

    QCOMPARE(log.log, QStringList());
    QCOMPARE(c.sw_simplified_release_mode.size(), N);
    QCOMPARE(c.sw_simplified_config, entries);
    c.calculate_full(); // would read past the lists had they been taken
}

void TestConfig::profile_speed_setter()
{
    MouseMoveProfile p;
    QVERIFY(p.setProperty("speed", QVariant::fromValue(QList<quint8>({5, 6, 7}))));
    QCOMPARE(p.speed, QList<quint8>({5, 6, 7}));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignored a list of 2 speeds"));
    p.set_speed({1, 2});
    QCOMPARE(p.speed, QList<quint8>({5, 6, 7}));
    QVERIFY(p.setProperty("n_intervals", 1));
    QCOMPARE(p.n_intervals, quint8(1));
}

void TestConfig::copy_from_copies_values_into_existing_entries()
{
    Config src;
    fill(src, 1);
    src.mouse_move_profiles[2]->n_intervals = 1; // its three speeds are copied all the same
    Config dst;
    fill(dst, 8);
    const Snapshot before(dst);
    QVERIFY(before.use_joystick != src.use_joystick); // every copied value must be visible
    const QList<ConfigSwitch*> press = dst.sw_press_config;
    const QList<ConfigSwitch*> release = dst.sw_release_config;
    const QList<ConfigSwitch*> simplified = dst.sw_simplified_config;
    const QList<MouseMoveProfile*> profiles = dst.mouse_move_profiles;

    SignalLog log(&dst);
    QVERIFY(QMetaObject::invokeMethod(&dst, "copy_from", Q_ARG(Config*, &src)));

    // Only the eight list- and object-level signals, in declaration order; no entry signal.
    QCOMPARE(log.log, config_signal_names());

    QCOMPARE(dst.sw_press_config, press);
    QCOMPARE(dst.sw_release_config, release);
    QCOMPARE(dst.sw_simplified_config, simplified);
    QCOMPARE(dst.mouse_move_profiles, profiles);

    const Snapshot s(src), d(dst);
    QCOMPARE(d.identity(), before.identity());
    QVERIFY(d.uid_h != s.uid_h && d.uid_l != s.uid_l && d.fw != s.fw);
    QCOMPARE(d.full_form(), s.full_form());
    QCOMPARE(d.simplified_form(), s.simplified_form());
    QCOMPARE(d.device_settings(), s.device_settings());

    // Values, not objects: the two configurations stay independent.
    put(src.sw_simplified_config[0], JUNK);
    src.mouse_move_profiles[0]->speed[0] = 0xEE;
    QCOMPARE(get(dst.sw_simplified_config[0]), s.simplified[0]);
    QCOMPARE(dst.mouse_move_profiles[0]->speed[0], s.speeds[0][0]);
}

void TestConfig::copy_from_null_changes_nothing()
{
    Config c;
    fill(c, 3);
    const Snapshot before(c);
    SignalLog log(&c);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no source configuration"));
    c.copy_from(nullptr);
    QCOMPARE(log.log, QStringList());
    const Snapshot after(c);
    QCOMPARE(after.simplified, before.simplified);
    QCOMPARE(after.press, before.press);
    QCOMPARE(after.modes, before.modes);
}

void TestConfig::calculate_full_data()
{
    QTest::addColumn<Entry>("simplified");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("profile");
    QTest::addColumn<int>("wheel_speed");
    QTest::addColumn<Entry>("press");
    QTest::addColumn<Entry>("release");

    const auto M = Iface::Mouse;
    const auto K = Iface::Keybd;
    const auto C = Iface::Cctrl;
    const auto J = Iface::Joyst;
    const auto G = Iface::Gener;
    const int X = int(Axis::X), Y = int(Axis::Y), W = int(Axis::Wheel);

    const Entry right_click = entry(M, MouseAction::Click, 1, 0);
    QTest::newRow("mouse click, automatic")
        << right_click << AUTOMATIC << 2 << 1 << right_click << NONE;
    QTest::newRow("mouse click, mode 3") << right_click << 3 << 2 << 1 << right_click << NONE;
    QTest::newRow("mouse click, mode -1") << right_click << -1 << 2 << 1 << right_click << NONE;
    QTest::newRow("mouse click, manual")
        << right_click << MANUAL << 2 << 1 << entry(M, MouseAction::Press, 1, 0)
        << entry(M, MouseAction::Release, 1, 0);
    QTest::newRow("mouse click, alternate")
        << right_click << ALTERNATE << 2 << 1 << entry(M, MouseAction::PressRelease, 1, 0) << NONE;

    QTest::newRow("move X+, profile 3, manual")
        << entry(M, MouseAction::Move, X, 0x01) << MANUAL << 3 << 1
        << entry(M, MouseAction::Move, X, 0x31) << entry(M, MouseAction::Stop, X, 0);
    QTest::newRow("move Y-, profile 0, stale nibble")
        << entry(M, MouseAction::Move, Y, 0x52) << MANUAL << 0 << 1
        << entry(M, MouseAction::Move, Y, 0x02) << entry(M, MouseAction::Stop, Y, 0);
    QTest::newRow("move X-, profile 1, alternate")
        << entry(M, MouseAction::Move, X, 0x02) << ALTERNATE << 1 << 1
        << entry(M, MouseAction::MoveStop, X, 0x12) << NONE;
    QTest::newRow("move Y+, automatic toggles")
        << entry(M, MouseAction::Move, Y, 0x01) << AUTOMATIC << 2 << 1
        << entry(M, MouseAction::MoveStop, Y, 0x21) << NONE;
    QTest::newRow("move, mode 7 toggles") << entry(M, MouseAction::Move, X, 0x01) << 7 << 2 << 1
                                          << entry(M, MouseAction::MoveStop, X, 0x21) << NONE;
    QTest::newRow("move, profile 17 keeps low 8 bits")
        << entry(M, MouseAction::Move, X, 0x01) << MANUAL << 17 << 1
        << entry(M, MouseAction::Move, X, 0x11) << entry(M, MouseAction::Stop, X, 0);
    QTest::newRow("move, profile -1")
        << entry(M, MouseAction::Move, X, 0x02) << MANUAL << -1 << 1
        << entry(M, MouseAction::Move, X, 0xF2) << entry(M, MouseAction::Stop, X, 0);
    QTest::newRow("move on axis 7 uses the profile")
        << entry(M, MouseAction::Move, 7, 0x01) << MANUAL << 1 << 0
        << entry(M, MouseAction::Move, 7, 0x11) << entry(M, MouseAction::Stop, 7, 0);
    QTest::newRow("wheel-, slow, alternate")
        << entry(M, MouseAction::Move, W, 0x02) << ALTERNATE << 3 << 0
        << entry(M, MouseAction::MoveStop, W, 0xF2) << NONE;
    QTest::newRow("wheel+, fast, manual")
        << entry(M, MouseAction::Move, W, 0x01) << MANUAL << 3 << 2
        << entry(M, MouseAction::Move, W, 0x11) << entry(M, MouseAction::Stop, W, 0);
    QTest::newRow("wheel+, medium, automatic")
        << entry(M, MouseAction::Move, W, 0x01) << AUTOMATIC << 3 << 1
        << entry(M, MouseAction::MoveStop, W, 0x71) << NONE;
    QTest::newRow("wheel, speed 5 is medium")
        << entry(M, MouseAction::Move, W, 0xF1) << ALTERNATE << 0 << 5
        << entry(M, MouseAction::MoveStop, W, 0x71) << NONE;
    QTest::newRow("wheel, speed -1 is medium")
        << entry(M, MouseAction::Move, W, 0x02) << ALTERNATE << 0 << -1
        << entry(M, MouseAction::MoveStop, W, 0x72) << NONE;
    for (int mode : {AUTOMATIC, MANUAL, ALTERNATE}) {
        const Entry dbl = entry(M, MouseAction::DoubleClick, 0, 20);
        QTest::addRow("double click, mode %d", mode) << dbl << mode << 3 << 0 << dbl << NONE;
    }
    const Entry move_stop = entry(M, MouseAction::MoveStop, X, 0x01);
    QTest::newRow("mouse MoveStop is not re-encoded")
        << move_stop << MANUAL << 3 << 0 << move_stop << NONE;
    const Entry mouse_press = entry(M, MouseAction::Press, 0, 0);
    QTest::newRow("mouse Press, manual") << mouse_press << MANUAL << 2 << 1 << mouse_press << NONE;

    const Entry key = entry(K, KeybdAction::Tap, 0x04, 0x05);
    QTest::newRow("key tap, manual")
        << key << MANUAL << 2 << 1 << entry(K, KeybdAction::Press, 0x04, 0x05)
        << entry(K, KeybdAction::Release, 0x04, 0x05);
    QTest::newRow("key tap, automatic") << key << AUTOMATIC << 2 << 1 << key << NONE;
    QTest::newRow("key tap, mode 4") << key << 4 << 2 << 1 << key << NONE;
    QTest::newRow("key tap, alternate")
        << key << ALTERNATE << 2 << 1 << entry(K, KeybdAction::PressRelease, 0x04, 0x05) << NONE;
    const Entry key_release = entry(K, KeybdAction::Release, 0x28, 0x41);
    QTest::newRow("key Release, manual") << key_release << MANUAL << 2 << 1 << key_release << NONE;
    const Entry media = entry(C, CctrlAction::Tap, 0x23, 0x02);
    QTest::newRow("media tap, manual")
        << media << MANUAL << 2 << 1 << entry(C, CctrlAction::Press, 0x23, 0x02)
        << entry(C, CctrlAction::Release, 0x23, 0x02);
    QTest::newRow("media tap, alternate")
        << media << ALTERNATE << 2 << 1 << entry(C, CctrlAction::PressRelease, 0x23, 0x02) << NONE;
    QTest::newRow("media tap, automatic") << media << AUTOMATIC << 2 << 1 << media << NONE;

    const Entry joy_button = entry(J, JoystAction::Click, 3, 0);
    QTest::newRow("joystick click, manual")
        << joy_button << MANUAL << 2 << 1 << entry(J, JoystAction::Press, 3, 0)
        << entry(J, JoystAction::Release, 3, 0);
    QTest::newRow("joystick click, alternate")
        << joy_button << ALTERNATE << 2 << 1 << entry(J, JoystAction::PressRelease, 3, 0) << NONE;
    QTest::newRow("joystick click, automatic")
        << joy_button << AUTOMATIC << 2 << 1 << joy_button << NONE;
    QTest::newRow("joystick Y+127, manual, not re-encoded")
        << entry(J, JoystAction::SetPos, Y, 0x7F) << MANUAL << 3 << 0
        << entry(J, JoystAction::SetPos, Y, 0x7F) << entry(J, JoystAction::Center, Y, 0);
    QTest::newRow("joystick X-127, alternate")
        << entry(J, JoystAction::SetPos, X, 0x81) << ALTERNATE << 3 << 0
        << entry(J, JoystAction::SetPosCenter, X, 0x81) << NONE;
    QTest::newRow("joystick X-127, automatic toggles")
        << entry(J, JoystAction::SetPos, X, 0x81) << AUTOMATIC << 3 << 0
        << entry(J, JoystAction::SetPosCenter, X, 0x81) << NONE;
    const Entry joy_center = entry(J, JoystAction::Center, X, 0);
    QTest::newRow("joystick Center, manual")
        << joy_center << MANUAL << 2 << 1 << joy_center << NONE;

    for (int mode : {AUTOMATIC, MANUAL, ALTERNATE}) {
        const Entry event = entry(G, GenerAction::Send, 5, 0);
        QTest::addRow("generic event, mode %d", mode)
            << event << mode << 2 << 1 << event << entry(G, GenerAction::Send, 5, 1);
    }
    QTest::newRow("generic, any action") << entry(G, 0, 3, 9) << MANUAL << 2 << 1
                                         << entry(G, 0, 3, 9) << entry(G, GenerAction::Send, 3, 1);
    QTest::newRow("none with stray fields")
        << entry(Iface::None, 7, 1, 0) << MANUAL << 2 << 1 << entry(Iface::None, 7, 1, 0) << NONE;
    QTest::newRow("iface 255") << Entry{255, 7, 1, 0} << MANUAL << 2 << 1 << Entry{255, 7, 1, 0}
                               << NONE;
    QTest::newRow("iface 6") << Entry{6, 1, 0, 0x01} << MANUAL << 2 << 1 << Entry{6, 1, 0, 0x01}
                             << NONE;
}

void TestConfig::calculate_full()
{
    QFETCH(Entry, simplified);
    QFETCH(int, mode);
    QFETCH(int, profile);
    QFETCH(int, wheel_speed);
    QFETCH(Entry, press);
    QFETCH(Entry, release);

    // At every index, with stale press and release entries that must all be overwritten.
    for (int i = 0; i < N; ++i) {
        Config c;
        for (int k = 0; k < N; ++k) {
            put(c.sw_press_config[k], JUNK);
            put(c.sw_release_config[k], JUNK);
        }
        put(c.sw_simplified_config[i], simplified);
        c.sw_simplified_release_mode[i] = mode;
        c.mouse_move_summary_profile = profile;
        c.mouse_move_summary_wheel_speed = wheel_speed;

        c.calculate_full();

        for (int k = 0; k < N; ++k) {
            QCOMPARE(get(c.sw_press_config[k]), k == i ? press : NONE);
            QCOMPARE(get(c.sw_release_config[k]), k == i ? release : NONE);
        }
        QCOMPARE(get(c.sw_simplified_config[i]), simplified);
        QCOMPARE(c.sw_simplified_release_mode[i], mode);
    }
}

void TestConfig::calculate_simplified_data()
{
    QTest::addColumn<Entry>("press");
    QTest::addColumn<Entry>("simplified");
    QTest::addColumn<int>("mode");

    const auto M = Iface::Mouse;
    const auto K = Iface::Keybd;
    const auto C = Iface::Cctrl;
    const auto J = Iface::Joyst;

    auto same = [](const char* name, const Entry& e, int mode) {
        QTest::newRow(name) << e << e << mode;
    };
    same("mouse Move", entry(M, MouseAction::Move, 0, 0x31), MANUAL);
    QTest::newRow("mouse MoveStop") << entry(M, MouseAction::MoveStop, 2, 0xF2)
                                    << entry(M, MouseAction::Move, 2, 0xF2) << ALTERNATE;
    QTest::newRow("mouse Press") << entry(M, MouseAction::Press, 1, 0)
                                 << entry(M, MouseAction::Click, 1, 0) << MANUAL;
    QTest::newRow("mouse PressRelease") << entry(M, MouseAction::PressRelease, 2, 0)
                                        << entry(M, MouseAction::Click, 2, 0) << ALTERNATE;
    same("mouse Stop", entry(M, MouseAction::Stop, 0, 0), AUTOMATIC);
    same("mouse Release", entry(M, MouseAction::Release, 0, 0), AUTOMATIC);
    same("mouse Click", entry(M, MouseAction::Click, 4, 0), AUTOMATIC);
    same("mouse DoubleClick", entry(M, MouseAction::DoubleClick, 0, 20), AUTOMATIC);
    same("mouse action 0", entry(M, 0, 1, 1), AUTOMATIC);
    same("mouse action 200", entry(M, 200, 1, 1), AUTOMATIC);
    same("joystick SetPos", entry(J, JoystAction::SetPos, 1, 0x7F), MANUAL);
    QTest::newRow("joystick SetPosCenter") << entry(J, JoystAction::SetPosCenter, 0, 0x81)
                                           << entry(J, JoystAction::SetPos, 0, 0x81) << ALTERNATE;
    QTest::newRow("joystick Press")
        << entry(J, JoystAction::Press, 7, 0) << entry(J, JoystAction::Click, 7, 0) << MANUAL;
    QTest::newRow("joystick PressRelease") << entry(J, JoystAction::PressRelease, 6, 0)
                                           << entry(J, JoystAction::Click, 6, 0) << ALTERNATE;
    same("joystick Center", entry(J, JoystAction::Center, 0, 0), AUTOMATIC);
    same("joystick Click", entry(J, JoystAction::Click, 0, 0), AUTOMATIC);
    QTest::newRow("key Press") << entry(K, KeybdAction::Press, 0x04, 0x05)
                               << entry(K, KeybdAction::Tap, 0x04, 0x05) << MANUAL;
    QTest::newRow("key PressRelease") << entry(K, KeybdAction::PressRelease, 0x2C, 0x40)
                                      << entry(K, KeybdAction::Tap, 0x2C, 0x40) << ALTERNATE;
    same("key Release", entry(K, KeybdAction::Release, 0x04, 0), AUTOMATIC);
    same("key Tap", entry(K, KeybdAction::Tap, 0x04, 0), AUTOMATIC);
    QTest::newRow("media Press") << entry(C, CctrlAction::Press, 0x23, 0x02)
                                 << entry(C, CctrlAction::Tap, 0x23, 0x02) << MANUAL;
    QTest::newRow("media PressRelease") << entry(C, CctrlAction::PressRelease, 0xE9, 0)
                                        << entry(C, CctrlAction::Tap, 0xE9, 0) << ALTERNATE;
    same("media Release", entry(C, CctrlAction::Release, 0xE9, 0), AUTOMATIC);
    same("generic Send", entry(Iface::Gener, GenerAction::Send, 3, 0), AUTOMATIC);
    same("none, action 1", entry(Iface::None, 1, 0, 0), AUTOMATIC);
    same("none, action 3", entry(Iface::None, 3, 0, 0), AUTOMATIC);
    same("iface 255, action 1", Entry{255, 1, 0, 0}, AUTOMATIC);
    same("iface 6, action 4", Entry{6, 4, 0, 0}, AUTOMATIC);
}

void TestConfig::calculate_simplified()
{
    QFETCH(Entry, press);
    QFETCH(Entry, simplified);
    QFETCH(int, mode);

    for (int i = 0; i < N; ++i) {
        Config c;
        for (int k = 0; k < N; ++k) {
            put(c.sw_release_config[k], JUNK); // neither read nor written
            put(c.sw_simplified_config[k], JUNK);
            c.sw_simplified_release_mode[k] = 9;
        }
        put(c.sw_press_config[i], press);

        c.calculate_simplified();

        for (int k = 0; k < N; ++k) {
            QCOMPARE(get(c.sw_simplified_config[k]), k == i ? simplified : NONE);
            QCOMPARE(c.sw_simplified_release_mode[k], k == i ? mode : AUTOMATIC);
            QCOMPARE(get(c.sw_release_config[k]), JUNK);
        }
        QCOMPARE(get(c.sw_press_config[i]), press);
    }
}

void TestConfig::summary_values_data()
{
    QTest::addColumn<QVector<Entry>>("presses");
    QTest::addColumn<int>("profile");
    QTest::addColumn<int>("wheel_speed");

    const int X = int(Axis::X), Y = int(Axis::Y), W = int(Axis::Wheel);
    auto move = [](int axis, int param2) {
        return entry(Iface::Mouse, MouseAction::Move, axis, param2);
    };
    auto move_stop = [](int axis, int param2) {
        return entry(Iface::Mouse, MouseAction::MoveStop, axis, param2);
    };
    auto at = [](QVector<std::pair<int, Entry>> placed) {
        QVector<Entry> presses(N);
        for (const auto& p : placed)
            presses[p.first] = p.second;
        return presses;
    };

    QTest::newRow("no movement: defaults") << at({}) << 2 << 1;
    QTest::newRow("nibbles 0 and 3 at 2 and 5")
        << at({{2, move(X, 0x01)}, {5, move_stop(Y, 0x32)}}) << 3 << 1;
    QTest::newRow("nibbles 3 and 0 at 2 and 5")
        << at({{2, move(X, 0x31)}, {5, move_stop(Y, 0x02)}}) << 0 << 1;
    QTest::newRow("profile nibble 9, no range test") << at({{0, move(Y, 0x91)}}) << 9 << 1;
    QTest::newRow("pointer on axis 5 sets the profile") << at({{7, move(5, 0x11)}}) << 1 << 1;
    QTest::newRow("wheel nibble 1: fast") << at({{4, move(W, 0x11)}}) << 2 << 2;
    QTest::newRow("wheel nibble 15: slow") << at({{4, move_stop(W, 0xF2)}}) << 2 << 0;
    QTest::newRow("wheel nibble 7: medium") << at({{4, move(W, 0x72)}}) << 2 << 1;
    QTest::newRow("wheel nibble 4: medium") << at({{4, move(W, 0x41)}}) << 2 << 1;
    QTest::newRow("wheel nibble 0: medium") << at({{4, move(W, 0x01)}}) << 2 << 1;
    QTest::newRow("last wheel wins") << at({{1, move(W, 0x11)}, {6, move(W, 0xF1)}}) << 2 << 0;
    QTest::newRow("wheel and pointer apart")
        << at({{0, move_stop(W, 0xF1)}, {7, move(X, 0x11)}}) << 1 << 0;
    QTest::newRow("joystick position is no profile")
        << at({{3, entry(Iface::Joyst, JoystAction::SetPos, X, 0x7F)}}) << 2 << 1;
    QTest::newRow("mouse Stop is no movement")
        << at({{3, entry(Iface::Mouse, MouseAction::Stop, X, 0x30)}}) << 2 << 1;
    QTest::newRow("key with high modifier bits")
        << at({{3, entry(Iface::Keybd, KeybdAction::Press, 0, 0x35)}}) << 2 << 1;
}

void TestConfig::summary_values()
{
    QFETCH(QVector<Entry>, presses);
    QFETCH(int, profile);
    QFETCH(int, wheel_speed);

    Config c;
    c.mouse_move_summary_profile = 77; // stale values from an earlier reading
    c.mouse_move_summary_wheel_speed = 77;
    for (int i = 0; i < N; ++i)
        put(c.sw_press_config[i], presses[i]);
    // Release entries never count, even if they look like movements.
    for (int i = 0; i < N; ++i)
        put(c.sw_release_config[i], entry(Iface::Mouse, MouseAction::Move, 0, 0x31));

    c.calculate_simplified();

    QCOMPARE(c.mouse_move_summary_profile, profile);
    QCOMPARE(c.mouse_move_summary_wheel_speed, wheel_speed);
}

void TestConfig::conversions_touch_only_their_members()
{
    Config c;
    fill(c, 5);
    SignalLog log(&c);

    const Snapshot before_simplified(c);
    c.calculate_simplified();
    const Snapshot simplified(c);
    QCOMPARE(simplified.full_form(), before_simplified.full_form());
    QCOMPARE(simplified.device_settings(), before_simplified.device_settings());
    QCOMPARE(simplified.identity(), before_simplified.identity());

    fill(c, 9);
    const Snapshot before_full(c);
    c.calculate_full();
    const Snapshot full(c);
    QCOMPARE(full.simplified_form(), before_full.simplified_form());
    QCOMPARE(full.device_settings(), before_full.device_settings());
    QCOMPARE(full.identity(), before_full.identity());

    QCOMPARE(log.log, QStringList()); // the callers announce the changes
}

// Every entry that the editor writes, under every release mode, pointer profile and wheel speed,
// eight at a time as a whole configuration: full form and back gives the same simplified form,
// except that an Automatic movement comes back Alternate, a double click and a generic event
// come back Automatic, and a mouse movement carries its profile or wheel code in the high nibble.
void TestConfig::round_trip_of_every_editor_entry()
{
    const QVector<Entry> all = editor_entries();
    QCOMPARE(all.size(), 12 + 72 * 32 + 24 + 12 + 8);
    // Spread the kinds over the configurations so that movements meet every other kind.
    QVector<Entry> entries;
    for (int k = 0; k < all.size(); ++k)
        entries.append(all[(k * 37) % all.size()]);

    Config c;
    int conversions = 0;
    for (int profile = 0; profile <= 3; ++profile) {
        for (int wheel_speed = 0; wheel_speed <= 2; ++wheel_speed) {
            const int wheel_code = wheel_speed == 0 ? 15 : wheel_speed == 2 ? 1 : 7;
            for (int rotation = 0; rotation < 3; ++rotation) {
                for (int first = 0; first < entries.size(); first += N) {
                    QVector<Entry> in(N);
                    QVector<int> modes(N, AUTOMATIC);
                    for (int i = 0; i < N && first + i < entries.size(); ++i) {
                        in[i] = entries[first + i];
                        modes[i] = (first + i + rotation) % 3;
                    }
                    for (int i = 0; i < N; ++i) {
                        put(c.sw_simplified_config[i], in[i]);
                        c.sw_simplified_release_mode[i] = modes[i];
                    }
                    c.mouse_move_summary_profile = profile;
                    c.mouse_move_summary_wheel_speed = wheel_speed;

                    c.calculate_full();
                    const Snapshot full(c);
                    for (int i = 0; i < N; ++i) {
                        put(c.sw_simplified_config[i], JUNK);
                        c.sw_simplified_release_mode[i] = 9;
                    }
                    c.mouse_move_summary_profile = -5;
                    c.mouse_move_summary_wheel_speed = -5;
                    c.calculate_simplified();
                    ++conversions;

                    bool pointer = false, wheel = false;
                    for (int i = 0; i < N; ++i) {
                        const Entry e = in[i];
                        Entry expected = e;
                        int expected_mode = modes[i];
                        const bool moves =
                            is_mouse_move(e) ||
                            (e.iface == u8(Iface::Joyst) && e.action == u8(JoystAction::SetPos));
                        if (is_mouse_move(e)) {
                            const bool on_wheel = e.param1 == u8(Axis::Wheel);
                            (on_wheel ? wheel : pointer) = true;
                            expected.param2 |= (on_wheel ? wheel_code : profile) << 4;
                        }
                        if (moves && expected_mode == AUTOMATIC)
                            expected_mode = ALTERNATE;
                        if ((e.iface == u8(Iface::Mouse) &&
                             e.action == u8(MouseAction::DoubleClick)) ||
                            e.iface == u8(Iface::Gener))
                            expected_mode = AUTOMATIC;
                        // Only a held action and a generic event need a release entry.
                        const bool releases = e.iface == u8(Iface::Gener) ||
                                              (e.iface != u8(Iface::None) && modes[i] == MANUAL &&
                                               !(e.iface == u8(Iface::Mouse) &&
                                                 e.action == u8(MouseAction::DoubleClick)));

                        const QString where =
                            QString("entry %1 mode %2 profile %3 wheel speed %4: ")
                                .arg(describe(e))
                                .arg(modes[i])
                                .arg(profile)
                                .arg(wheel_speed);
                        const Entry back = get(c.sw_simplified_config[i]);
                        QVERIFY2(back == expected,
                                 qPrintable(where + "came back as " + describe(back)));
                        QVERIFY2(c.sw_simplified_release_mode[i] == expected_mode,
                                 qPrintable(where + "came back in mode " +
                                            QString::number(c.sw_simplified_release_mode[i])));
                        QVERIFY2((full.release[i].iface != 0) == releases,
                                 qPrintable(where + "release entry " + describe(full.release[i])));
                    }
                    QCOMPARE(c.mouse_move_summary_profile, pointer ? profile : 2);
                    QCOMPARE(c.mouse_move_summary_wheel_speed, wheel ? wheel_speed : 1);

                    // What came back sends exactly what was sent.
                    c.calculate_full();
                    const Snapshot again(c);
                    QCOMPARE(again.press, full.press);
                    QCOMPARE(again.release, full.release);
                }
            }
        }
    }
    QCOMPARE(conversions, 4 * 3 * 3 * ((all.size() + N - 1) / N));
}

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
