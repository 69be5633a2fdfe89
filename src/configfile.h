#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QJSValue>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <functional>

class Config;
class ConfigSwitch;

// A switch set-up kept in a file: readable, versioned JSON holding what the user edits (the eight
// simplified entries and their release modes, the pointer profile, the wheel speed, the joystick
// flag) and, as information only, the device identity, firmware, app version and date.
//
// The file holds the set-up as the device keeps it: saving passes the entries through the model's
// two conversions, so a file read back from the device saves to the same bytes. Reading checks
// everything before it changes anything, and says what is wrong in the user's language.
//
// QML creates it; its invokables run on the GUI thread.
class ConfigFile : public QObject
{
    Q_OBJECT

public:
    static constexpr int FORMAT_VERSION = 1;
    // A set-up takes about 1.5 kB; anything far beyond is no configuration of ours.
    static constexpr qint64 MAX_BYTES = 64 * 1024;
    static constexpr const char* SUFFIX = ".velquin";

    // Whether the app has words for an entry (the overview can describe it).
    using Describes = std::function<bool(const ConfigSwitch&)>;

    explicit ConfigFile(QObject* parent = nullptr);

    // The file's bytes for setup's simplified form, with identity's device and firmware and the
    // given time as information.
    static QByteArray encode(const Config& setup, const Config& identity, const QDateTime& saved);
    // Reads data into `into` (its simplified form, summary values and joystick flag) when all of
    // it is valid, and returns an empty string; otherwise returns what is wrong and leaves `into`
    // alone. `information`, when given, receives the file's information fields.
    static QString decode(const QByteArray& data, Config& into, const Describes& describes,
                          QVariantMap* information = nullptr);
    // What differs between two set-ups as the device stores them, in words; empty when nothing.
    static QString difference(const Config& expected, const Config& actual);

    // Writes setup (identity from the device's own configuration) to file, adding the suffix when
    // the name lacks it; returns the error, empty on success.
    Q_INVOKABLE QString save(const QUrl& file, Config* setup, Config* identity) const;
    // Reads file into `into`; describes(entry) tells which entries the app has words for.
    // Returns {"error": text} or the information fields {"device", "firmware", "saved"}.
    Q_INVOKABLE QVariantMap load(const QUrl& file, Config* into, const QJSValue& describes) const;
    Q_INVOKABLE QString compare(Config* expected, Config* actual) const;
};
