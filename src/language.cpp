#include "language.h"

#include <QSettings>

QString settle_language(QSettings& settings, const QString& locale_name)
{
    const QString key = QStringLiteral("lang");
    if (settings.contains(key))
        return settings.value(key).toString();

    const int underscore = locale_name.lastIndexOf(QLatin1Char('_'));
    const QString lang = underscore < 0 ? QString() : locale_name.left(underscore);
    settings.setValue(key, lang);
    return lang;
}
