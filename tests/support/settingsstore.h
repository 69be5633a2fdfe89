#pragma once

#include <QObject>
#include <QVariant>

// The application's settings store as QML tests see it (context property "test_settings"): the
// same store the window's Settings object uses, so tests can seed keys before creating the window
// and check what it wrote. Every write is synced at once.
class SettingsStore : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    Q_INVOKABLE QVariant value(const QString& key) const;
    Q_INVOKABLE bool contains(const QString& key) const;
    Q_INVOKABLE void set_value(const QString& key, const QVariant& value);
    Q_INVOKABLE void remove(const QString& key);
    Q_INVOKABLE void clear();
};
