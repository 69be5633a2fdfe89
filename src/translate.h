#pragma once

#include <QObject>
#include <QString>

class QQmlEngine;
class QTranslator;

// Installs the catalog of an interface language and makes the QML engine show it at once.
class Translate : public QObject
{
    Q_OBJECT

public:
    // Without an engine (created from QML) the catalog is installed but nothing is retranslated.
    explicit Translate(QQmlEngine* engine = nullptr);
    ~Translate() override;

    // Replaces this object's translator with one holding ":/i18n/<lang>.qm". A code without a
    // catalog installs an empty translator, so the source texts (English) show.
    Q_INVOKABLE void set_language(const QString& lang);

private:
    QQmlEngine* engine;
    QTranslator* translator = nullptr;
};
