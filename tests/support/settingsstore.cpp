#include "settingsstore.h"

#include <QSettings>

QVariant SettingsStore::value(const QString& key) const
{
    return QSettings().value(key);
}

bool SettingsStore::contains(const QString& key) const
{
    return QSettings().contains(key);
}

void SettingsStore::set_value(const QString& key, const QVariant& value)
{
    QSettings settings;
    settings.setValue(key, value);
    settings.sync();
}

void SettingsStore::remove(const QString& key)
{
    QSettings settings;
    settings.remove(key);
    settings.sync();
}

void SettingsStore::clear()
{
    QSettings settings;
    settings.clear();
    settings.sync();
}
