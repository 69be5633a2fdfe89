// The configuration model's two conversions: the press and release entries that the device stores,
// built from the simplified form that the switch editor writes, and the simplified form derived
// back from the press entries. Set-up files: random set-ups come back byte for byte after saving,
// loading and saving again, and a loaded set-up is said to differ exactly when it does; damaged or
// hostile files are refused, say what is wrong and change nothing.
#include "configdiff.h"
#include "configfile.h"

#include <QtTest>
#include <numeric>

namespace {

using Mode = Config::ReleaseMode;
constexpr int N = Config::N_SWITCHES;
const QString NONE = "00 00 00 00";
const QString JUNK = "AA BB CC DD";

QString text(const ConfigSwitch* s)
{
    return hex(Bytes{s->iface, s->action, s->param1, s->param2});
}

void put(ConfigSwitch* s, const QString& entry)
{
    const Bytes b = hex(entry);
    s->assign(b[0], b[1], b[2], b[3]);
}

// The kinds of entry that the editor writes, each parameter over the whole range it may take:
// buttons, double click, pointer and wheel, joystick positions, every key code with modifier
// combinations, media usages, generic events, and nothing.
QStringList editor_entries()
{
    QStringList all{"01 08 00 14", NONE};
    for (int b = 0; b < 8; ++b)
        all << hex(Bytes{1, 7, uint8_t(b), 0}) << hex(Bytes{4, 7, uint8_t(b), 0})
            << hex(Bytes{5, 1, uint8_t(b), 0});
    for (uint8_t axis : {0, 1, 2})
        for (uint8_t sign : {1, 2})
            all << hex(Bytes{1, 1, axis, sign});
    for (uint8_t axis : {0, 1})
        for (uint8_t position : {0x81, 0x7F})
            all << hex(Bytes{4, 1, axis, position});
    for (int code = 0; code < 256; ++code)
        for (uint8_t modifiers : {0x00, 0x01, 0x02, 0x04, 0x08, 0x40, 0x4B})
            all << hex(Bytes{2, 4, uint8_t(code), modifiers});
    for (int usage = 0; usage < 0x400; usage += 3)
        all << hex(Bytes{3, 4, uint8_t(usage), uint8_t(usage >> 8)});
    return all;
}

const QDateTime SAVED(QDate(2024, 3, 1), QTime(9, 30), Qt::UTC);

const auto any_entry = [](const ConfigSwitch&) { return true; };

// A good file, with the first occurrence of `from` replaced: switch 1 is a keyboard tap of A with
// Ctrl, the other switches do nothing.
QByteArray good(const QByteArray& from = {}, const QByteArray& to = {})
{
    Config setup;
    setup.sw_simplified_config[0]->assign(2, 4, 0x04, 0x01);
    QByteArray file = ConfigFile::encode(setup, setup, SAVED);
    return from.isEmpty() ? file : file.replace(file.indexOf(from), from.size(), to);
}

} // namespace

class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    void calculate_full_data()
    {
        QTest::addColumn<QString>("simplified");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("profile");
        QTest::addColumn<int>("wheel_speed");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("release");

        const int A = int(Mode::Automatic), M = int(Mode::Manual), T = int(Mode::Alternate);
        const auto row = [](const char* name, const char* simplified, int mode, int profile,
                            int wheel, const char* press, const QString& release) {
            QTest::newRow(name) << simplified << mode << profile << wheel << press << release;
        };
        row("click, automatic", "01 07 01 00", A, 2, 1, "01 07 01 00", NONE);
        row("click, manual", "01 07 01 00", M, 2, 1, "01 04 01 00", "01 05 01 00");
        row("click, alternate", "01 07 01 00", T, 2, 1, "01 06 01 00", NONE);
        row("click, unknown mode taps", "01 07 01 00", 3, 2, 1, "01 07 01 00", NONE);
        row("mouse press, manual", "01 04 00 00", M, 2, 1, "01 04 00 00", NONE);
        row("pointer, manual, profile 3", "01 01 00 01", M, 3, 1, "01 01 00 31", "01 02 00 00");
        row("pointer, stale nibble", "01 01 01 52", M, 0, 1, "01 01 01 02", "01 02 01 00");
        row("pointer, alternate, profile 1", "01 01 00 02", T, 1, 1, "01 03 00 12", NONE);
        row("pointer, automatic toggles", "01 01 01 01", A, 2, 1, "01 03 01 21", NONE);
        row("pointer, profile -1", "01 01 00 02", M, -1, 1, "01 01 00 F2", "01 02 00 00");
        row("wheel, slow", "01 01 02 02", T, 3, 0, "01 03 02 F2", NONE);
        row("wheel, medium", "01 01 02 01", A, 3, 1, "01 03 02 71", NONE);
        row("wheel, fast", "01 01 02 01", M, 3, 2, "01 01 02 11", "01 02 02 00");
        row("key, automatic", "02 04 04 05", A, 2, 1, "02 04 04 05", NONE);
        row("key, manual", "02 04 04 05", M, 2, 1, "02 01 04 05", "02 02 04 05");
        row("key, alternate", "02 04 04 05", T, 2, 1, "02 03 04 05", NONE);
        row("key, unknown mode taps", "02 04 04 05", 3, 2, 1, "02 04 04 05", NONE);
        row("media, manual", "03 04 23 02", M, 2, 1, "03 01 23 02", "03 02 23 02");
        row("joystick button, manual", "04 07 03 00", M, 2, 1, "04 04 03 00", "04 05 03 00");
        row("joystick button, alternate", "04 07 03 00", T, 2, 1, "04 06 03 00", NONE);
        row("joystick position, manual", "04 01 01 7F", M, 3, 0, "04 01 01 7F", "04 02 01 00");
        row("joystick position, alternate", "04 01 00 81", T, 3, 0, "04 03 00 81", NONE);
        row("joystick position, automatic", "04 01 00 81", A, 3, 0, "04 03 00 81", NONE);
        for (int mode : {A, M, T})
            row(qPrintable(QString("generic, mode %1").arg(mode)), "05 01 05 00", mode, 2, 1,
                "05 01 05 00", "05 01 05 01");
        row("nothing", "00 07 01 00", M, 2, 1, "00 07 01 00", NONE);
        row("unknown interface", "06 01 00 01", M, 2, 1, "06 01 00 01", NONE);
    }

    // At every switch, over stale entries that must all be overwritten.
    void calculate_full()
    {
        QFETCH(QString, simplified);
        QFETCH(int, mode);
        QFETCH(int, profile);
        QFETCH(int, wheel_speed);
        QFETCH(QString, press);
        QFETCH(QString, release);
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
                QCOMPARE(text(c.sw_press_config[k]), k == i ? press : NONE);
                QCOMPARE(text(c.sw_release_config[k]), k == i ? release : NONE);
            }
            QCOMPARE(text(c.sw_simplified_config[i]), simplified);
        }
    }

    void calculate_simplified_data()
    {
        QTest::addColumn<QStringList>("presses"); // at switches 0, 1, ...
        QTest::addColumn<QString>("simplified");  // of switch 0
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("profile");
        QTest::addColumn<int>("wheel_speed");

        const int A = int(Mode::Automatic), M = int(Mode::Manual);
        const auto row = [](const char* name, QStringList presses, const QString& simplified,
                            int mode, int profile = 2, int wheel = 1) {
            QTest::newRow(name) << presses << simplified << mode << profile << wheel;
        };
        // What the editor writes comes back in the round trip below; these the editor never writes.
        row("mouse stop", {"01 02 00 30"}, "01 02 00 30", A);
        row("mouse action 200", {"01 C8 01 01"}, "01 C8 01 01", A);
        row("key release", {"02 02 04 00"}, "02 02 04 00", A);
        row("unknown interface", {"06 04 00 00"}, "06 04 00 00", A);
        row("profile and wheel from their nibbles", {NONE, "01 01 02 11", "01 03 00 32"}, NONE, A,
            3, 2);
        row("last movement wins", {"01 01 02 11", "01 01 01 01", "01 03 02 F2"}, "01 01 02 11", M,
            0, 0);
        row("profile nibble 9", {NONE, "01 01 01 91"}, NONE, A, 9, 1);
        row("no movement: joystick, stop, key", {"04 01 00 7F", "01 02 00 30", "02 01 00 35"},
            "04 01 00 7F", M);
    }

    void calculate_simplified()
    {
        QFETCH(QStringList, presses);
        QFETCH(QString, simplified);
        QFETCH(int, mode);
        QFETCH(int, profile);
        QFETCH(int, wheel_speed);
        Config c;
        for (int k = 0; k < N; ++k) {
            put(c.sw_press_config[k], k < presses.size() ? presses[k] : NONE);
            put(c.sw_release_config[k], "01 01 00 71"); // never read
            put(c.sw_simplified_config[k], JUNK);
            c.sw_simplified_release_mode[k] = 9;
        }
        c.mouse_move_summary_profile = c.mouse_move_summary_wheel_speed = 77;
        c.calculate_simplified();
        QCOMPARE(text(c.sw_simplified_config[0]), simplified);
        QCOMPARE(c.sw_simplified_release_mode[0], mode);
        QCOMPARE(c.mouse_move_summary_profile, profile);
        QCOMPARE(c.mouse_move_summary_wheel_speed, wheel_speed);
        QCOMPARE(text(c.sw_press_config[0]), presses[0]);
        QCOMPARE(text(c.sw_release_config[0]), QString("01 01 00 71"));
    }

    // Eight at a time in every release mode, pointer profile and wheel speed, full form and back:
    // the same simplified form, except that an automatic movement comes back alternating, a double
    // click and a generic event come back automatic, nothing comes back automatic, and a movement
    // carries its profile or wheel code.
    void round_trip_of_every_editor_entry()
    {
        const QStringList all = editor_entries();
        QCOMPARE(std::gcd(all.size(), 37), 1); // the spread below takes every entry
        Config c;
        for (int profile = 0; profile <= 3; ++profile) {
            for (int wheel_speed = 0; wheel_speed <= 2; ++wheel_speed) {
                const int wheel_code = wheel_speed == 0 ? 15 : wheel_speed == 2 ? 1 : 7;
                for (int j = 0; j < 3 * all.size(); j += N) {
                    // Spread so that movements meet every other kind; each entry in every mode.
                    QStringList in;
                    for (int i = 0; i < N; ++i) {
                        const int k = (j + i) % all.size();
                        in << (j + i < 3 * all.size() ? all[k * 37 % all.size()] : NONE);
                        put(c.sw_simplified_config[i], in[i]);
                        c.sw_simplified_release_mode[i] = (k + (j + i) / all.size()) % 3;
                    }
                    const QList<int> modes = c.sw_simplified_release_mode;
                    c.mouse_move_summary_profile = profile;
                    c.mouse_move_summary_wheel_speed = wheel_speed;
                    c.calculate_full();
                    const SimConfig full = snapshot(c);
                    c.calculate_simplified();
                    bool pointer = false, wheel = false;
                    for (int i = 0; i < N; ++i) {
                        Bytes e = hex(in[i]);
                        int mode = modes[i];
                        if (e[0] == 1 && e[1] == 1) {
                            (e[2] == 2 ? wheel : pointer) = true;
                            e[3] |= (e[2] == 2 ? wheel_code : profile) << 4;
                        }
                        if (((e[0] == 1 || e[0] == 4) && e[1] == 1) && mode == int(Mode::Automatic))
                            mode = int(Mode::Alternate);
                        if ((e[0] == 1 && e[1] == 8) || e[0] == 5 || e[0] == 0)
                            mode = int(Mode::Automatic);
                        const QString got =
                            QString("%1 mode %2")
                                .arg(text(c.sw_simplified_config[i]),
                                     QString::number(c.sw_simplified_release_mode[i]));
                        QCOMPARE(got, QString("%1 mode %2").arg(hex(e)).arg(mode));
                    }
                    QCOMPARE(c.mouse_move_summary_profile, pointer ? profile : 2);
                    QCOMPARE(c.mouse_move_summary_wheel_speed, wheel ? wheel_speed : 1);
                    c.calculate_full(); // what came back writes exactly what was written
                    QCOMPARE(diff(full, snapshot(c)), QString());
                }
            }
        }
    }

    void random_setups_load_as_saved()
    {
        Config loaded;
        QRandomGenerator random(16);
        for (int tried = 0, valid = 0; valid < 30; ++tried) {
            QVERIFY(tried < 20000);
            Config setup;
            for (int i = 0; i < Config::N_SWITCHES; ++i) {
                setup.sw_simplified_config[i]->assign(random.bounded(6), random.bounded(1, 9),
                                                      random.bounded(256), random.bounded(256));
                setup.sw_simplified_release_mode[i] = random.bounded(3);
            }
            setup.mouse_move_summary_profile = random.bounded(4);
            setup.mouse_move_summary_wheel_speed = random.bounded(3);
            setup.use_joystick = random.bounded(2);
            Config before;
            before.copy_from(&loaded);
            const QByteArray saved = ConfigFile::encode(setup, loaded, SAVED);
            // Random bytes seldom make a set-up the app can load.
            if (!ConfigFile::decode(saved, loaded, any_entry).isEmpty())
                continue;
            ++valid;
            QCOMPARE(QString(ConfigFile::encode(loaded, loaded, SAVED)), QString(saved));
            QCOMPARE(ConfigFile::difference(before, loaded).isEmpty(),
                     saved == ConfigFile::encode(before, loaded, SAVED));
        }
    }

    void bad_files_are_refused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("says");
        QTest::newRow("cut short") << good().left(300) << "byte 30\\d";
        QTest::newRow("over the size limit") << good() + QByteArray(70000, ' ') << "64 kB";
        QTest::newRow("another format") << good("Plus configuration", "X") << "not a Velquin";
        QTest::newRow("newer version") << good("version\": 1", "version\": 2") << "version 2;";
        QTest::newRow("no switches") << good("switches\": [", "s\": [], \"x\": [") << "0 switches";
        QTest::newRow("unknown interface") << good("Keybd", "Mouze") << "Switch 1:.*\"Mouze\"";
        QTest::newRow("action of another interface") << good("Tap", "Move") << "\"Move\"";
        QTest::newRow("parameter too large") << good("1\": 4", "1\": 256") << "param1 is 256";
        QTest::newRow("parameter text") << good("2\": 1", "2\": \"1\"") << "param2 is \"1\"";
        QTest::newRow("unknown release mode") << good("Automatic", "Later") << "\"Later\"";
        QTest::newRow("not kept as it is") << good("Tap", "Press") << "Switch 1: the device";
        QTest::newRow("pointer profile") << good("profile\": 2", "profile\": 4") << "profile is 4";
        QTest::newRow("wheel speed") << good("speed\": 1", "speed\": 3") << "speed is 3";
        QTest::newRow("joystick flag") << good("false", "1") << "setting is 1";
    }

    void bad_files_are_refused()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, says);
        Config into;
        QSignalSpy announced(&into, &Config::sw_simplified_config_changed);
        const QString error = ConfigFile::decode(file, into, any_entry);
        QVERIFY2(QRegularExpression(says).match(error).hasMatch(), qPrintable(error));
        QCOMPARE(announced.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
