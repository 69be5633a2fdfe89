#include "configfile.h"

#include "config.h"

#include <QFile>
#include <QJSEngine>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>
#include <QSaveFile>
#include <QStringList>

#include <utility>

namespace {

const QString FORMAT_NAME = QStringLiteral("Velquin Plus configuration");

const QMetaEnum& iface_enum()
{
    static const QMetaEnum e = QMetaEnum::fromType<ConfigSwitch::Iface>();
    return e;
}

// Each interface's actions are the enumeration named after it: Mouse -> MouseAction.
QMetaEnum action_enum(quint8 iface)
{
    const char* key = iface_enum().valueToKey(iface);
    if (!key)
        return QMetaEnum();
    const QMetaObject& meta = ConfigSwitch::staticMetaObject;
    const int index = meta.indexOfEnumerator(QByteArray(key).append("Action").constData());
    return index < 0 ? QMetaEnum() : meta.enumerator(index);
}

const QMetaEnum& release_enum()
{
    static const QMetaEnum e = QMetaEnum::fromType<Config::ReleaseMode>();
    return e;
}

// A name of the enumeration, or the bare number where it has none.
QJsonValue named(const QMetaEnum& e, int value)
{
    const char* key = e.isValid() ? e.valueToKey(value) : nullptr;
    return key ? QJsonValue(QString::fromLatin1(key)) : QJsonValue(value);
}

// The value behind a name of the enumeration, or -1.
int value_of(const QMetaEnum& e, const QJsonValue& name)
{
    if (!e.isValid() || !name.isString())
        return -1;
    bool ok = false;
    const int value = e.keyToValue(name.toString().toLatin1().constData(), &ok);
    return ok ? value : -1;
}

// A value of the file as the user may quote it back: short, whatever the file holds.
QString shown(const QJsonValue& value)
{
    if (value.isUndefined())
        return ConfigFile::tr("nothing");
    const QString text = value.isString() ? QLatin1Char('"') + value.toString() + QLatin1Char('"')
                                          : QString::fromUtf8(QJsonDocument(QJsonArray{value})
                                                                  .toJson(QJsonDocument::Compact)
                                                                  .mid(1)
                                                                  .chopped(1));
    return text.size() <= 24 ? text : text.left(23) + QChar(0x2026);
}

// A whole number from low to high, or -1.
int whole_number(const QJsonValue& value, int low, int high)
{
    if (!value.isDouble())
        return -1;
    const double number = value.toDouble();
    return number >= low && number <= high && number == int(number) ? int(number) : -1;
}

QJsonObject entry_json(const ConfigSwitch& entry, int mode)
{
    QJsonObject json{{"interface", named(iface_enum(), entry.iface)},
                     {"release", named(release_enum(), mode)}};
    // An entry without an interface does nothing, whatever else it holds.
    if (entry.iface == quint8(ConfigSwitch::Iface::None))
        return json;
    json.insert("action", named(action_enum(entry.iface), entry.action));
    json.insert("param1", entry.param1);
    json.insert("param2", entry.param2);
    return json;
}

QString read_entry(const QJsonValue& value, ConfigSwitch& entry, int& mode)
{
    const QJsonObject json = value.toObject();
    if (!value.isObject())
        return ConfigFile::tr("%1 is not a switch entry.").arg(shown(value));
    const int iface = value_of(iface_enum(), json.value("interface"));
    if (iface < 0)
        return ConfigFile::tr("the interface %1 is unknown.").arg(shown(json.value("interface")));
    mode = value_of(release_enum(), json.value("release"));
    if (mode < 0)
        return ConfigFile::tr("the release mode %1 is unknown.").arg(shown(json.value("release")));
    entry.clear();
    entry.iface = quint8(iface);
    if (iface == int(ConfigSwitch::Iface::None))
        return QString();
    const int action = value_of(action_enum(entry.iface), json.value("action"));
    if (action < 0)
        return ConfigFile::tr("the action %1 is unknown.").arg(shown(json.value("action")));
    entry.action = quint8(action);
    const std::pair<const char*, quint8*> params[] = {{"param1", &entry.param1},
                                                      {"param2", &entry.param2}};
    for (const auto& [name, field] : params) {
        const int param = whole_number(json.value(name), 0, 255);
        if (param < 0)
            return ConfigFile::tr("%1 is %2, not a whole number from 0 to 255.")
                .arg(QLatin1String(name), shown(json.value(name)));
        *field = quint8(param);
    }
    return QString();
}

QString identity_text(const Config& identity)
{
    return QStringLiteral("%1%2")
        .arg(identity.device_uid_h, 2, 16, QLatin1Char('0'))
        .arg(identity.device_uid_l, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString firmware_text(const Config& identity)
{
    return QStringLiteral("%1.%2").arg(identity.fw_version >> 6).arg(identity.fw_version & 0x3F);
}

// The set-up as the device keeps it: through the full form and back.
void as_device_keeps(const Config& setup, Config& kept)
{
    kept.copy_from(const_cast<Config*>(&setup));
    kept.calculate_full();
    kept.calculate_simplified();
}

} // namespace

ConfigFile::ConfigFile(QObject* parent) : QObject(parent) {}

QByteArray ConfigFile::encode(const Config& setup, const Config& identity, const QDateTime& saved)
{
    Config kept;
    as_device_keeps(setup, kept);
    QJsonArray switches;
    for (int i = 0; i < Config::N_SWITCHES; ++i)
        switches.append(
            entry_json(*kept.sw_simplified_config[i], kept.sw_simplified_release_mode[i]));
    const QJsonObject information{{"device", identity_text(identity)},
                                  {"firmware", firmware_text(identity)},
                                  {"app_version", QCoreApplication::applicationVersion()},
                                  {"saved", saved.toUTC().toString(Qt::ISODate)}};
    const QJsonObject root{{"format", FORMAT_NAME},
                           {"version", FORMAT_VERSION},
                           {"switches", switches},
                           {"pointer_profile", kept.mouse_move_summary_profile},
                           {"wheel_speed", kept.mouse_move_summary_wheel_speed},
                           {"joystick", kept.use_joystick},
                           {"information", information}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString ConfigFile::decode(const QByteArray& data, Config& into, const Describes& describes,
                           QVariantMap* information)
{
    if (data.size() > MAX_BYTES)
        return tr("The file is too large for a configuration (more than %1 kB).")
            .arg(MAX_BYTES / 1024);
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parse);
    if (parse.error != QJsonParseError::NoError)
        return tr("The file is damaged or cut short: it cannot be read past byte %1.")
            .arg(parse.offset);
    const QJsonObject root = document.object();
    if (root.value("format") != FORMAT_NAME)
        return tr("The file is not a Velquin Plus configuration.");
    if (root.value("version") != FORMAT_VERSION)
        return tr("The file is in format version %1; this app reads version %2.")
            .arg(shown(root.value("version")))
            .arg(FORMAT_VERSION);

    const QJsonArray switches = root.value("switches").toArray();
    if (switches.size() != Config::N_SWITCHES)
        return tr("The file holds %1 switches instead of %2.")
            .arg(switches.size())
            .arg(Config::N_SWITCHES);
    Config loaded;
    for (int i = 0; i < Config::N_SWITCHES; ++i) {
        const QString problem = read_entry(switches[i], *loaded.sw_simplified_config[i],
                                           loaded.sw_simplified_release_mode[i]);
        if (!problem.isEmpty())
            return tr("Switch %1: %2").arg(i + 1).arg(problem);
    }
    loaded.mouse_move_summary_profile =
        whole_number(root.value("pointer_profile"), 0, Config::MAX_MOUSE_MOVE_PROFILES - 1);
    if (loaded.mouse_move_summary_profile < 0)
        return tr("The pointer profile is %1, not a number from 0 to %2.")
            .arg(shown(root.value("pointer_profile")))
            .arg(Config::MAX_MOUSE_MOVE_PROFILES - 1);
    loaded.mouse_move_summary_wheel_speed = whole_number(root.value("wheel_speed"), 0, 2);
    if (loaded.mouse_move_summary_wheel_speed < 0)
        return tr("The wheel speed is %1, not a number from 0 to 2.")
            .arg(shown(root.value("wheel_speed")));
    if (!root.value("joystick").isBool())
        return tr("The joystick setting is %1, not true or false.")
            .arg(shown(root.value("joystick")));
    loaded.use_joystick = root.value("joystick").toBool();

    // Only what the device keeps as it is comes back the same after writing and reading.
    Config kept;
    as_device_keeps(loaded, kept);
    for (int i = 0; i < Config::N_SWITCHES; ++i) {
        const ConfigSwitch& entry = *loaded.sw_simplified_config[i];
        if (entry.iface != quint8(ConfigSwitch::Iface::None) && !describes(entry))
            return tr("Switch %1: the action is not one this app can show or set.").arg(i + 1);
        if (!entry.equals(*kept.sw_simplified_config[i]) ||
            loaded.sw_simplified_release_mode[i] != kept.sw_simplified_release_mode[i])
            return tr("Switch %1: the device would not keep this action and release mode as they "
                      "are.")
                .arg(i + 1);
    }

    if (information) {
        const QJsonObject info = root.value("information").toObject();
        for (const char* key : {"device", "firmware", "app_version"}) {
            if (info.value(key).isString())
                information->insert(key, info.value(key).toString().left(32));
        }
        const QDateTime saved = QDateTime::fromString(info.value("saved").toString(), Qt::ISODate);
        if (saved.isValid())
            information->insert("saved", saved.toLocalTime());
    }
    loaded.calculate_full();
    into.copy_from(&loaded);
    return QString();
}

QString ConfigFile::difference(const Config& expected, const Config& actual)
{
    // Compared as the device stores them: a pointer profile that no switch uses is not stored.
    Config want;
    Config have;
    want.copy_from(const_cast<Config*>(&expected));
    have.copy_from(const_cast<Config*>(&actual));
    want.calculate_full();
    have.calculate_full();
    QStringList switches;
    for (int i = 0; i < Config::N_SWITCHES; ++i) {
        if (!want.sw_press_config[i]->equals(*have.sw_press_config[i]) ||
            !want.sw_release_config[i]->equals(*have.sw_release_config[i]))
            switches << QString::number(i + 1);
    }
    QStringList parts;
    if (!switches.isEmpty())
        parts << tr("Switches that differ from the file: %1.").arg(switches.join(", "));
    if (want.use_joystick != have.use_joystick)
        parts << tr("The joystick interface differs from the file.");
    return parts.join(QLatin1Char(' '));
}

QString ConfigFile::save(const QUrl& file, Config* setup, Config* identity) const
{
    if (!setup || !identity || !file.isLocalFile())
        return tr("Configurations are saved to files on this computer only.");
    QString path = file.toLocalFile();
    if (!path.endsWith(QLatin1String(SUFFIX), Qt::CaseInsensitive))
        path += QLatin1String(SUFFIX);
    // Written whole or not at all: an old file is replaced only by a complete new one.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(encode(*setup, *identity, QDateTime::currentDateTime())) < 0 || !out.commit()) {
        qWarning("Cannot save the configuration to %s: %s", qPrintable(path),
                 qPrintable(out.errorString()));
        return tr("The configuration could not be saved: %1").arg(out.errorString());
    }
    return QString();
}

QVariantMap ConfigFile::load(const QUrl& file, Config* into, const QJSValue& describes) const
{
    const auto failed = [](const QString& error) { return QVariantMap{{"error", error}}; };
    if (!into || !file.isLocalFile())
        return failed(tr("Configurations are read from files on this computer only."));
    QFile in(file.toLocalFile());
    if (!in.open(QIODevice::ReadOnly))
        return failed(tr("The file cannot be read: %1").arg(in.errorString()));
    // Never more than the limit in memory, whatever the file claims to be.
    const QByteArray data = in.read(MAX_BYTES + 1);

    QJSEngine* engine = qjsEngine(this);
    const auto described = [&](const ConfigSwitch& entry) {
        if (!engine || !describes.isCallable())
            return false;
        QJSValue js = engine->newObject();
        js.setProperty("iface", entry.iface);
        js.setProperty("action", entry.action);
        js.setProperty("param1", entry.param1);
        js.setProperty("param2", entry.param2);
        const QJSValue answer = QJSValue(describes).call({js});
        return !answer.isError() && answer.toBool();
    };
    QVariantMap information;
    const QString error = decode(data, *into, described, &information);
    if (!error.isEmpty()) {
        qWarning("Refused the configuration file %s: %s", qPrintable(in.fileName()),
                 qPrintable(error));
        return failed(error);
    }
    return information;
}

QString ConfigFile::compare(Config* expected, Config* actual) const
{
    return expected && actual ? difference(*expected, *actual) : QString();
}
