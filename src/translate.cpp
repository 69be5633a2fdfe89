#include "translate.h"

#include <QCoreApplication>
#include <QQmlEngine>
#include <QTranslator>

Translate::Translate(QQmlEngine* engine) : engine(engine) {}

Translate::~Translate()
{
    // The language stays in force after this object: the application takes the translator over
    // and deletes it with itself.
    if (translator && QCoreApplication::instance())
        translator->setParent(QCoreApplication::instance());
    else
        delete translator;
}

void Translate::set_language(const QString& lang)
{
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    translator = new QTranslator();
    // No catalog for the code is not an error: the empty translator leaves the English texts.
    (void)translator->load(QStringLiteral(":/i18n/") + lang);
    QCoreApplication::installTranslator(translator);
    if (engine)
        engine->retranslate();
}
