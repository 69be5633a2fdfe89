// The main function of the window tests (Qt Quick Test) and what they reach of the device: see
// README.md.
#include "devicehid.h"
#include "qmltypes.h"
#include "sim/simulator.h"
#include "sim/virtualvelquin.h"
#include "translate.h"
#include "vhid_virtual.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtQuickTest>

#include <memory>

// The virtual Velquin Plus as QML tests see it (context property "sim"): a clean start, plugging,
// what the device stores, and how fast it answers. Entries are objects {iface, action, param1,
// param2}.
class SimControl : public QObject
{
    Q_OBJECT

public:
    SimControl(VirtualVelquin& device, DeviceHid& link) : device(device), link(link) {}

    // Where every test starts: an empty settings store, no latency, the device plugged with its
    // factory configuration read.
    Q_INVOKABLE void reset()
    {
        QSettings().clear();
        // What the last test left on its way ends first, so that no late answer lands in this one.
        device.set_report_delay_ms(0);
        if (!wait_for_writes() ||
            !QTest::qWaitFor([this] { return !link.is_connected() || link.is_config_ready(); },
                             wait_ms))
            qFatal("The device link did not settle");
        device.reset_to_factory();
        set_fault("");
        // Plugging reads the configuration by itself.
        if (device.is_plugged())
            link.read_config();
        else
            device.plug();
        if (!QTest::qWaitFor([this] { return link.is_connected() && link.is_config_ready(); },
                             wait_ms))
            qFatal("The virtual Velquin Plus was not read");
    }

    // Waits until everything sent has reached the device; false after 5 s.
    Q_INVOKABLE bool wait_for_writes() const
    {
        return link.wait_for_writes(wait_ms) && device.wait_idle(wait_ms);
    }

    // Makes the device out of reach for a reason (simulator_set_fault: "denied", "failing",
    // "disconnected"; "" clears it), then sends an arrival, as the system does on such a change.
    Q_INVOKABLE void set_fault(const QString& name)
    {
        if (!simulator_set_fault(name.toUtf8()))
            qFatal("No fault %s", qPrintable(name));
        vhid_virtual_notify_arrival();
    }

    Q_INVOKABLE bool plug() { return device.plug(); }
    Q_INVOKABLE void unplug() { device.unplug(); }
    // A pause before each report in either direction.
    Q_INVOKABLE void set_latency(int ms) { device.set_report_delay_ms(unsigned(qMax(ms, 0))); }

    Q_INVOKABLE QVariantList press_entries() const { return entries(&SimConfig::press); }
    Q_INVOKABLE QVariantList release_entries() const { return entries(&SimConfig::release); }
    Q_INVOKABLE bool use_joystick() const { return device.use_joystick(); }
    Q_INVOKABLE void reset_factory() { device.reset_to_factory(); }
    Q_INVOKABLE void set_press(int i, const QVariantMap& e) { set(&SimConfig::press, i, e); }
    Q_INVOKABLE void set_release(int i, const QVariantMap& e) { set(&SimConfig::release, i, e); }
    Q_INVOKABLE void set_use_joystick(bool use)
    {
        SimConfig config = device.config();
        config.use_joystick = use;
        device.set_config(config);
    }

    // Since the start: writes applied at their end marker, factory restores.
    Q_INVOKABLE int writes_applied() const { return device.stats().writes_applied; }
    Q_INVOKABLE int restores() const { return device.stats().restores; }

private:
    static constexpr int wait_ms = 5000;
    using Entries = std::array<SimConfig::Entry, SimConfig::N_SWITCHES> SimConfig::*;

    QVariantList entries(Entries side) const
    {
        QVariantList list;
        const SimConfig config = device.config();
        for (const SimConfig::Entry& e : config.*side)
            list.append(QVariantMap{{"iface", e.iface},
                                    {"action", e.action},
                                    {"param1", e.param1},
                                    {"param2", e.param2}});
        return list;
    }

    void set(Entries side, int i, const QVariantMap& map)
    {
        if (i < 0 || i >= SimConfig::N_SWITCHES)
            return qWarning("sim: no switch %d", i);
        SimConfig config = device.config();
        (config.*side)[i] = {uint8_t(map["iface"].toUInt()), uint8_t(map["action"].toUInt()),
                             uint8_t(map["param1"].toUInt()), uint8_t(map["param2"].toUInt())};
        device.set_config(config);
    }

    VirtualVelquin& device;
    DeviceHid& link;
};

// Built before the application object, as start-up builds the device: a settings store of its own
// in a temporary folder, the virtual HID bus with the virtual Velquin Plus plugged in, and the real
// DeviceHid. Every QML file then gets a fresh engine with the real types, the context properties of
// start-up and `sim`, in English.
class QmlTestSetup : public QObject
{
    Q_OBJECT

public:
    QmlTestSetup()
    {
        // Never the user's own store.
        if (!settings_dir.isValid())
            qFatal("Cannot make a temporary folder for the settings store");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings_dir.path()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_dir.path());
        // A developer's plain `ctest` without a display still runs the tests.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QCoreApplication::setOrganizationDomain(QStringLiteral("tarvek.example"));
        QCoreApplication::setOrganizationName(QStringLiteral("Tarvek"));
        QCoreApplication::setApplicationName(QStringLiteral("Velquin Plus"));
        QCoreApplication::setApplicationVersion(QStringLiteral(VELQUIN_PROJECT_VERSION));
        vhid_virtual_use();
        virtual_device = std::make_unique<VirtualVelquin>();
        if (!virtual_device->plug())
            qFatal("Cannot plug the virtual Velquin Plus");
        device = std::make_unique<DeviceHid>();
        sim = std::make_unique<SimControl>(*virtual_device, *device);
    }

public slots:
    void applicationAvailable()
    {
        for (const char* font : {"Nunito-Bold", "Nunito-Regular", "OpenSans-Regular"})
            QFontDatabase::addApplicationFont(QStringLiteral(":/font/%1.ttf").arg(font));
        register_qml_types();
        qmlRegisterType(
            QUrl::fromLocalFile(QStringLiteral(VELQUIN_TEST_SUPPORT_DIR "/WindowTest.qml")),
            "VelquinTest", 1, 0, "WindowTest");
        // As start-up does: the device's transport callbacks end with the application object.
        DeviceHid* const dev = device.get();
        connect(QCoreApplication::instance(), &QObject::destroyed, dev, [dev] { dev->detach(); });
    }

    void qmlEngineAvailable(QQmlEngine* engine)
    {
        // English: the translators of earlier files (handed to the application) go. Not qApp, which
        // QTest casts to QApplication.
        translate.reset();
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>(
            QString(), Qt::FindDirectChildrenOnly));
        translate = std::make_unique<Translate>(engine);
        connect(engine, &QObject::destroyed, this, [this] { translate.reset(); });
        QQmlContext* context = engine->rootContext();
        context->setContextProperty(QStringLiteral("device"), device.get());
        context->setContextProperty(QStringLiteral("translate"), translate.get());
        context->setContextProperty(QStringLiteral("PROJECT_NAME"),
                                    QStringLiteral(VELQUIN_PROJECT_NAME));
        context->setContextProperty(QStringLiteral("PROJECT_VERSION"),
                                    QStringLiteral(VELQUIN_PROJECT_VERSION));
        context->setContextProperty(QStringLiteral("sim"), sim.get());
    }

    void cleanupTestCase() { translate.reset(); }

private:
    QTemporaryDir settings_dir;
    // Before the device object, so that it goes after it, as in the application.
    std::unique_ptr<VirtualVelquin> virtual_device;
    std::unique_ptr<DeviceHid> device;
    std::unique_ptr<SimControl> sim;
    std::unique_ptr<Translate> translate;
};

QUICK_TEST_MAIN_WITH_SETUP(tst_qml, QmlTestSetup)

#include "qmltestsetup.moc"
