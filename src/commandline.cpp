#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

// The options that QGuiApplication, its X11 platform plugin and Qt Quick Controls take out of argv.
// They reach the application object unchanged; listed here only so that they are not unknown.
const char* const qt_options_with_value[] = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",  "qmljsdebugger",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session", "style",
    "display",         "geometry",           "title",         "icon",    "name",
    "visual"};
const char* const qt_flags[] = {"reverse", "testability", "nograb", "dograb"};

void add_hidden(QCommandLineParser& parser, const char* name, bool takes_value)
{
    QCommandLineOption option(QString::fromLatin1(name));
    if (takes_value)
        option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

std::optional<int> answer_command_line(QCommandLineParser& parser, int argc, char* argv[])
{
    parser.setApplicationDescription(
        QStringLiteral("Configures the switches of a Velquin Plus switch-access device.\n"
                       "Qt's own options, such as -platform or -style, are passed on to Qt."));
    // Qt's options are single-dash words (-platform), not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Not addHelpOption(): its --help-all lists Qt's options only with an application object.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays the version and exits."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : qt_options_with_value)
        add_hidden(parser, name, true);
    for (const char* name : qt_flags)
        add_hidden(parser, name, false);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString program = QFileInfo(arguments.value(0)).fileName();

    if (!parser.parse(arguments)) {
        print(stderr, QStringLiteral("%1: %2\nTry '%1 --help' for the options.\n")
                          .arg(program, parser.errorText()));
        return 1;
    }
    if (parser.isSet(help)) {
        // The usage line names the program through an application object: one with the bare
        // name, gone again before the real one.
        QByteArray name = program.toLocal8Bit();
        char* core_argv[] = {name.data(), nullptr};
        int core_argc = 1;
        QCoreApplication core(core_argc, core_argv);
        print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return 0;
    }
    return std::nullopt;
}
