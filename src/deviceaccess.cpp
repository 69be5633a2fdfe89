#include "deviceaccess.h"

#include "vhid.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

namespace {

constexpr const char* rule_name = "70-velquin-plus.rules";
constexpr const char* package_rules_dir = "/usr/lib/udev/rules.d";

// The scripts that run as root. Every path comes in as a positional parameter, so no path can
// change what the shell parses: $1 install, $2 the rule, $3 where it goes, $4 udevadm.
constexpr const char* install_and_apply =
    "\"$1\" -m 644 -T -- \"$2\" \"$3\" && \"$4\" control --reload-rules && "
    "\"$4\" trigger --subsystem-match=hidraw --action=change";
// A rule that is already where udev reads it only needs applying.
constexpr const char* apply_only =
    "\"$4\" control --reload-rules && \"$4\" trigger --subsystem-match=hidraw --action=change";

// Root and nobody else may change it, nor replace it in its folder.
bool only_root_can_change(const QFileInfo& file)
{
    const QFileInfo folder(file.absolutePath());
    const auto others_write = QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return file.isFile() && !file.isSymLink() && file.ownerId() == 0 &&
           !(file.permissions() & others_write) && folder.ownerId() == 0 &&
           !(folder.permissions() & others_write);
}

bool in_udev_folder(const QString& rule, const QString& rules_dir)
{
    const QString folder = QFileInfo(rule).absolutePath();
    return folder == QLatin1String(package_rules_dir) || folder == rules_dir;
}

// Quoted for a POSIX shell, for the commands shown to the user.
QString quoted(QString text)
{
    return '\'' + text.replace('\'', QLatin1String("'\\''")) + '\'';
}

} // namespace

DeviceAccess::Tools DeviceAccess::system_tools()
{
    Tools t;
#ifdef Q_OS_LINUX
    t.pkexec = QStringLiteral("/usr/bin/pkexec");
    t.shell = QStringLiteral("/bin/sh");
    t.install = QStringLiteral("/usr/bin/install");
    t.udevadm = QStringLiteral("/bin/udevadm");
    t.rules_dir = QStringLiteral("/etc/udev/rules.d");
    // Where this build installs it, then where the package puts it.
    t.rules << QStringLiteral(VELQUIN_INSTALLED_RULE);
    const QString packaged = QLatin1String(package_rules_dir) + '/' + rule_name;
    if (!t.rules.contains(packaged))
        t.rules << packaged;
#endif
    return t;
}

DeviceAccess::DeviceAccess(QObject* parent) : DeviceAccess(system_tools(), parent) {}

DeviceAccess::DeviceAccess(Tools tools, QObject* parent) : QObject(parent), tools(std::move(tools))
{
}

DeviceAccess::~DeviceAccess()
{
    if (process) {
        process->disconnect(this);
        delete process; // ends pkexec and its password dialog
    }
}

QString DeviceAccess::shipped_rule() const
{
    for (const QString& rule : tools.rules)
        if (QDir::isAbsolutePath(rule) && only_root_can_change(QFileInfo(rule)))
            return rule;
    return {};
}

bool DeviceAccess::can_allow() const
{
    return !tools.pkexec.isEmpty() && QFileInfo(tools.pkexec).isExecutable() &&
           !shipped_rule().isEmpty();
}

QStringList DeviceAccess::privileged_command() const
{
    const QString rule = shipped_rule();
    if (rule.isEmpty())
        return {};
    const bool in_place = in_udev_folder(rule, tools.rules_dir);
    return {tools.shell,
            QStringLiteral("-c"),
            QLatin1String(in_place ? apply_only : install_and_apply),
            QStringLiteral("sh"),
            tools.install,
            rule,
            tools.rules_dir + '/' + rule_name,
            tools.udevadm};
}

QString DeviceAccess::commands() const
{
    if (tools.rules.isEmpty())
        return {};
    QString rule = shipped_rule();
    if (rule.isEmpty()) {
        // A build that is not installed: the rule in its source tree.
        rule = QStringLiteral(VELQUIN_SOURCE_RULE);
    }
    QStringList lines;
    if (!in_udev_folder(rule, tools.rules_dir))
        lines << QStringLiteral("sudo install -m 644 %1 %2/").arg(quoted(rule), tools.rules_dir);
    lines << QStringLiteral("sudo udevadm control --reload-rules")
          << QStringLiteral("sudo udevadm trigger --subsystem-match=hidraw --action=change");
    return lines.join('\n') + '\n';
}

void DeviceAccess::allow()
{
    if (state == QLatin1String("running"))
        return;
    if (!can_allow()) {
        set_state(QStringLiteral("refused"));
        return;
    }
    delete process;
    process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            qWarning("Cannot start %s: %s", qPrintable(tools.pkexec),
                     qPrintable(process->errorString()));
            set_state(QStringLiteral("refused"));
        }
    });
    connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            [this](int code, QProcess::ExitStatus status) {
                if (status != QProcess::NormalExit || code != 0) {
                    // 126: the password dialog was dismissed; 127: not allowed.
                    qWarning("Applying the udev rule through pkexec failed (exit code %d)", code);
                    set_state(QStringLiteral("refused"));
                    return;
                }
                vhid_rescan();
                set_state(QStringLiteral("done"));
            });
    set_state(QStringLiteral("running"));
    process->start(tools.pkexec, privileged_command());
}

void DeviceAccess::copy_commands() const
{
    QGuiApplication::clipboard()->setText(commands());
}

void DeviceAccess::set_state(const QString& value)
{
    if (value == state)
        return;
    state = value;
    emit state_changed();
}
