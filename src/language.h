#pragma once

#include <QString>

class QSettings;

// The interface language code: the one stored under "lang" when there is one, else the language
// part of `locale_name` (fr_FR gives fr; a name without "_" gives ""), which is then stored.
QString settle_language(QSettings& settings, const QString& locale_name);
