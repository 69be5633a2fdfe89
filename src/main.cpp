#include "commandline.h"
#include "devicehid.h"
#include "diagnostics.h"
#include "language.h"
#include "logring.h"
#include "qmltypes.h"
#include "sim/simulator.h"
#include "translate.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFontDatabase>
#include <QInputMethod>
#include <QLocale>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QSettings>
#include <QUrl>

int main(int argc, char* argv[])
{
    // Every message from here on can go into a diagnostics report.
    LogRing::install();

    QCoreApplication::setOrganizationDomain(QStringLiteral("tarvek.example"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvek"));
    QCoreApplication::setApplicationName(QStringLiteral("Velquin Plus"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELQUIN_PROJECT_VERSION));
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);

    // --help, --version and a bad command line end the program before the device exists.
    QCommandLineParser command_line;
    const QCommandLineOption diagnostics(
        QStringLiteral("diagnostics"),
        QStringLiteral("Prints a report of what the app sees of the device and exits."));
    command_line.addOption(diagnostics);
    command_line.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("A saved configuration (.velquin) to show, and to write to the device once "
                       "you confirm."),
        QStringLiteral("[file]"));
    if (const std::optional<int> exit_code = answer_command_line(command_line, argc, argv))
        return *exit_code;
    // The report needs no window, nor a display.
    const bool report_only = command_line.isSet(diagnostics);
    if (report_only && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // VELQUIN_SIMULATOR=1 puts the virtual Velquin Plus on the bus before the device looks for it.
    simulator_start_from_environment();

    // Before the application object: its first connection check runs right here.
    DeviceHid device;

    // The file dialogs fall back to Qt Widgets where the desktop offers no native ones.
    QApplication app(argc, argv);
    // The device object outlives the application object, but its transport callbacks wake the
    // application's event loop: they end as the application goes, before its event dispatcher.
    QObject::connect(&app, &QObject::destroyed, &device, [&device] { device.detach(); });

    if (report_only) {
        register_qml_types();
        return Diagnostics::print(device);
    }

    QString lang;
    QSettings settings;
    lang = settle_language(settings, QGuiApplication::inputMethod()->locale().name());

    QQmlApplicationEngine engine;

    Translate translate(&engine);
    translate.set_language(lang);

    QFontDatabase::addApplicationFont(QStringLiteral(":/font/Nunito-Bold.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/font/Nunito-Regular.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/font/OpenSans-Regular.ttf"));

    register_qml_types();

    QQmlContext* context = engine.rootContext();
    context->setContextProperty(QStringLiteral("device"), &device);
    context->setContextProperty(QStringLiteral("translate"), &translate);
    context->setContextProperty(QStringLiteral("PROJECT_NAME"),
                                QStringLiteral(VELQUIN_PROJECT_NAME));
    context->setContextProperty(QStringLiteral("PROJECT_VERSION"),
                                QStringLiteral(VELQUIN_PROJECT_VERSION));

    device.take_handed_over();
    engine.load(QUrl(QStringLiteral("qrc:/qml/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return -1;
    // As the desktop opens a configuration file with the app.
    if (!command_line.positionalArguments().isEmpty())
        engine.rootObjects().constFirst()->setProperty(
            "file_to_load", QUrl::fromUserInput(command_line.positionalArguments().constFirst(),
                                                QDir::currentPath(), QUrl::AssumeLocalFile));

    return app.exec();
}
