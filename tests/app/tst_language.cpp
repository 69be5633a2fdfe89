#include "language.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// How start-up settles the interface language from the settings store and the input locale.
class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void stored_code_is_used_as_is_data();
    void stored_code_is_used_as_is();
    void first_start_stores_the_locale_language_data();
    void first_start_stores_the_locale_language();

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString store_path() const { return dir->filePath(QStringLiteral("store.conf")); }
};

void TestLanguage::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void TestLanguage::stored_code_is_used_as_is_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("catalog") << QVariant("es") << "fr_FR"
                             << "es";
    QTest::newRow("no catalog") << QVariant("it") << "fr_FR"
                                << "it";
    QTest::newRow("english") << QVariant("en") << "es_ES"
                             << "en";
    QTest::newRow("empty") << QVariant("") << "fr_FR"
                           << "";
    QTest::newRow("with territory") << QVariant("es_MX") << "fr_FR"
                                    << "es_MX";
    QTest::newRow("not a string") << QVariant(7) << "fr_FR"
                                  << "7";
}

void TestLanguage::stored_code_is_used_as_is()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    {
        QSettings seed(store_path(), QSettings::IniFormat);
        seed.setValue("lang", stored);
    }

    QSettings settings(store_path(), QSettings::IniFormat);
    QCOMPARE(settle_language(settings, locale), expected);
    settings.sync();

    QSettings reread(store_path(), QSettings::IniFormat);
    QCOMPARE(reread.value("lang"), stored);
    QCOMPARE(reread.allKeys(), QStringList{"lang"});
}

void TestLanguage::first_start_stores_the_locale_language_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("fr_FR") << "fr_FR"
                           << "fr";
    QTest::newRow("es_ES") << "es_ES"
                           << "es";
    QTest::newRow("fr_CA") << "fr_CA"
                           << "fr";
    QTest::newRow("script and territory") << "zh_Hans_CN"
                                          << "zh_Hans";
    QTest::newRow("no underscore") << "C"
                                   << "";
    QTest::newRow("language only") << "fr"
                                   << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestLanguage::first_start_stores_the_locale_language()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    QSettings settings(store_path(), QSettings::IniFormat);
    QCOMPARE(settle_language(settings, locale), expected);
    settings.sync();
    QCOMPARE(settings.status(), QSettings::NoError);

    QSettings reread(store_path(), QSettings::IniFormat);
    QVERIFY(reread.contains("lang"));
    QCOMPARE(reread.value("lang").toString(), expected);

    // The next start finds the stored code and no longer looks at the locale.
    QCOMPARE(settle_language(reread, "de_DE"), expected);
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
