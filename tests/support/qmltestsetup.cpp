// The main function of the window tests (Qt Quick Test): see README.md.
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
#include <QTemporaryDir>
#include <QTranslator>
#include <QtQuickTest>

#include <memory>

// Built before the application object, as start-up builds the device: a settings store of its own
// in a temporary folder, the virtual HID bus with the virtual Velquin Plus plugged in, and the real
// DeviceHid. Every QML file then gets a fresh engine with the real types, the context properties of
// start-up and the tests' own (sim, test_settings), in English.
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
        sim = std::make_unique<SimControl>(*virtual_device, *device);
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
        context->setContextProperty(QStringLiteral("test_settings"), &settings_store);
    }

    void cleanupTestCase() { translate.reset(); }

private:
    QTemporaryDir settings_dir;
    // Before the device object, so that it goes after it, as in the application.
    std::unique_ptr<VirtualVelquin> virtual_device;
    std::unique_ptr<DeviceHid> device;
    std::unique_ptr<SimControl> sim;
    SettingsStore settings_store;
    std::unique_ptr<Translate> translate;
};

QUICK_TEST_MAIN_WITH_SETUP(tst_qml, QmlTestSetup)

#include "qmltestsetup.moc"
