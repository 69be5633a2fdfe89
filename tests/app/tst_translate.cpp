#include "translate.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

const char* const context = "PleaseConnect";
const char* const source = "Connect your";

// What the compiled catalog of `lang` says for the probe text; empty when there is no catalog.
QString catalog_text(const QString& lang)
{
    QTranslator reference;
    if (!reference.load(QStringLiteral(":/i18n/") + lang))
        return QString();
    return reference.translate(context, source);
}

} // namespace

// Installing catalogs and retranslating the QML that is already shown.
class TestTranslate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void last_language_wins_data();
    void last_language_wins();
    void without_engine_installs_without_retranslating();
    void language_stays_after_the_object();

private:
    // A QML object whose `text` is translated in the probe's context.
    std::unique_ptr<QObject> create_probe(QQmlEngine& engine);
};

void TestTranslate::initTestCase()
{
    // Without real translations in the catalogs nothing below could fail.
    for (const char* lang : {"es", "fr"}) {
        const QString text = catalog_text(lang);
        QVERIFY2(!text.isEmpty() && text != source, lang);
    }
    QVERIFY(catalog_text("es") != catalog_text("fr"));
}

void TestTranslate::cleanup()
{
    // Translators left installed by a destroyed Translate belong to the application.
    // Not qApp: with QtGui included it casts this QCoreApplication to QGuiApplication.
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>(
        QString(), Qt::FindDirectChildrenOnly));
    QCOMPARE(QCoreApplication::translate(context, source), QString(source));
}

std::unique_ptr<QObject> TestTranslate::create_probe(QQmlEngine& engine)
{
    QQmlComponent component(&engine);
    component.setData(
        "import QtQml 2.15\nQtObject { property string text: qsTr(\"Connect your\") }",
        QUrl("qrc:/probe/PleaseConnect.qml"));
    std::unique_ptr<QObject> probe(component.create());
    if (!probe)
        qWarning() << component.errors();
    return probe;
}

void TestTranslate::last_language_wins_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("shown_as");

    QTest::newRow("es") << QStringList{"es"} << "es";
    QTest::newRow("es then fr") << QStringList{"es", "fr"} << "fr";
    QTest::newRow("fr then es") << QStringList{"fr", "es"} << "es";
    QTest::newRow("en after es") << QStringList{"es", "en"} << "";
    QTest::newRow("en after es and fr") << QStringList{"es", "fr", "en"} << "";
    QTest::newRow("no catalog after fr") << QStringList{"fr", "it"} << "";
    QTest::newRow("empty after es") << QStringList{"es", ""} << "";
    QTest::newRow("same code twice") << QStringList{"fr", "fr"} << "fr";
    QTest::newRow("territory falls back") << QStringList{"fr", "es_MX"} << "es";
}

void TestTranslate::last_language_wins()
{
    QFETCH(QStringList, codes);
    QFETCH(QString, shown_as);
    const QString expected = shown_as.isEmpty() ? QString(source) : catalog_text(shown_as);

    QQmlEngine engine;
    Translate translate(&engine);
    std::unique_ptr<QObject> probe = create_probe(engine);
    QVERIFY(probe);

    for (const QString& code : codes)
        translate.set_language(code);

    // One translator of this object at a time: an earlier catalog would still answer here.
    QCOMPARE(QCoreApplication::translate(context, source), expected);
    // The engine re-evaluated the binding at once.
    QCOMPARE(probe->property("text").toString(), expected);
}

void TestTranslate::without_engine_installs_without_retranslating()
{
    QQmlEngine engine;
    std::unique_ptr<QObject> probe = create_probe(engine);
    QVERIFY(probe);

    Translate translate;
    translate.set_language("es");

    QCOMPARE(QCoreApplication::translate(context, source), catalog_text("es"));
    QCOMPARE(probe->property("text").toString(), QString(source));

    engine.retranslate();
    QCOMPARE(probe->property("text").toString(), catalog_text("es"));
}

void TestTranslate::language_stays_after_the_object()
{
    {
        Translate translate;
        translate.set_language("fr");
    }
    QCOMPARE(QCoreApplication::translate(context, source), catalog_text("fr"));
}

QTEST_GUILESS_MAIN(TestTranslate)
#include "tst_translate.moc"
