#include "qmltestsetup.h"

#include "devicehid.h"
#include "qmltypes.h"
#include "settingsstore.h"
#include "sim/virtualvelquin.h"
#include "simcontrol.h"
#include "translate.h"
#include "vhid_virtual.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QTest>
#include <QTranslator>

namespace {

constexpr int wait_ms = 10000;

} // namespace

QmlTestSetup::QmlTestSetup()
{
    // Never the user's own store: the native settings of this run live in a temporary folder.
    if (!settings_dir.isValid())
        qFatal("Cannot make a temporary folder for the settings store");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings_dir.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_dir.path());

    // A developer's plain `ctest` without a display still runs the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QCoreApplication::setOrganizationDomain(QStringLiteral("tarvek.example"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvek"));
    QCoreApplication::setApplicationName(QStringLiteral("Velquin Plus"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELQUIN_PROJECT_VERSION));

    // As start-up does: the device is there before the application object.
    vhid_virtual_use();
    virtual_device = std::make_unique<VirtualVelquin>();
    if (!virtual_device->plug())
        qFatal("Cannot plug the virtual Velquin Plus");
    device = std::make_unique<DeviceHid>();
}

QmlTestSetup::~QmlTestSetup() = default;

void QmlTestSetup::applicationAvailable()
{
    QFontDatabase::addApplicationFont(QStringLiteral(":/font/Nunito-Bold.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/font/Nunito-Regular.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/font/OpenSans-Regular.ttf"));
    register_qml_types();
    // As start-up does: the device's transport callbacks end with the application object.
    DeviceHid* const dev = device.get();
    connect(QCoreApplication::instance(), &QObject::destroyed, dev, [dev] { dev->detach(); });
    sim = std::make_unique<SimControl>(*virtual_device);
    settings_store = std::make_unique<SettingsStore>();
}

void QmlTestSetup::qmlEngineAvailable(QQmlEngine* engine)
{
    reset_settings();
    reset_device();

    // English: the translators of earlier files (handed to the application) go.
    translate.reset();
    // Not qApp: QTest brings in QApplication, whose qApp casts this QGuiApplication to it.
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>(
        QString(), Qt::FindDirectChildrenOnly));
    translate = std::make_unique<Translate>(engine);
    connect(engine, &QObject::destroyed, this, [this]() { translate.reset(); });

    QQmlContext* context = engine->rootContext();
    context->setContextProperty(QStringLiteral("device"), device.get());
    context->setContextProperty(QStringLiteral("translate"), translate.get());
    context->setContextProperty(QStringLiteral("PROJECT_NAME"),
                                QStringLiteral(VELQUIN_PROJECT_NAME));
    context->setContextProperty(QStringLiteral("PROJECT_VERSION"),
                                QStringLiteral(VELQUIN_PROJECT_VERSION));
    context->setContextProperty(QStringLiteral("sim"), sim.get());
    context->setContextProperty(QStringLiteral("test_settings"), settings_store.get());
}

void QmlTestSetup::cleanupTestCase()
{
    translate.reset();
}

void QmlTestSetup::reset_settings()
{
    settings_store->clear();
    // VELQUIN_TEST_SETTINGS="first_run=false,lang=es" seeds keys for every file of the test.
    const QString seeds = qEnvironmentVariable("VELQUIN_TEST_SETTINGS");
    for (const QString& seed : seeds.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int equals = seed.indexOf(QLatin1Char('='));
        if (equals <= 0)
            qFatal("VELQUIN_TEST_SETTINGS: \"%s\" is not key=value", qPrintable(seed));
        settings_store->set_value(seed.left(equals), seed.mid(equals + 1));
    }
}

void QmlTestSetup::reset_device()
{
    // A file starts with the device plugged and its factory configuration read, whatever the
    // previous file left.
    if (virtual_device->is_plugged()) {
        virtual_device->unplug();
        if (!QTest::qWaitFor([this]() { return !device->is_connected(); }, wait_ms))
            qFatal("The device object did not see the virtual device leave");
    }
    virtual_device->set_report_delay_ms(0);
    virtual_device->set_answer_options({});
    virtual_device->reset_to_factory();
    if (!virtual_device->plug())
        qFatal("Cannot plug the virtual Velquin Plus");
    if (!QTest::qWaitFor([this]() { return device->is_connected() && device->is_config_ready(); },
                         wait_ms))
        qFatal("The virtual Velquin Plus was not read after plugging");
}
