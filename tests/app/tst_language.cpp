// The interface language: how start-up settles it, and the Spanish and French catalogs against the
// texts that the screens mark for translation.
#include "language.h"

#include <QtTest>

namespace {

// context -> source text -> translation; a translation not finished is marked "(unfinished)".
using Catalog = QMap<QString, QMap<QString, QString>>;

Catalog read_catalog(const QString& path)
{
    Catalog catalog;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qWarning() << path << file.errorString();
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation"))
            catalog[context][source] =
                xml.attributes().value("type").isEmpty() ? xml.readElementText() : "(unfinished)";
    }
    return catalog;
}

// What a translation must carry over: the spaces at its ends, markup and place markers.
QString frame(const QString& text)
{
    static const QRegularExpression ends("^\\s*|\\s*$"), markers("<[^>]*>|%L?\\d+");
    QStringList found;
    for (auto it = ends.globalMatch(text); it.hasNext();)
        found << "[" + it.next().captured() + "]";
    QStringList inner;
    for (auto it = markers.globalMatch(text); it.hasNext();)
        inner << it.next().captured();
    inner.sort();
    return found.join("") + inner.join(" ");
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void settle_data()
    {
        QTest::addColumn<QVariant>("stored"); // none when invalid
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("lang");
        const auto row = [](const char* name, const QVariant& stored, const char* locale,
                            const char* lang) { QTest::newRow(name) << stored << locale << lang; };
        row("stored", "it", "fr_FR", "it");
        row("stored empty", "", "fr_FR", "");
        row("stored, not a string", 7, "fr_FR", "7");
        row("first start", QVariant(), "fr_CA", "fr");
        row("script and territory", QVariant(), "zh_Hans_CN", "zh_Hans");
        row("no territory", QVariant(), "fr", "");
        row("C", QVariant(), "C", "");
    }

    // The stored code wins as it is; without one, the locale's language is taken and stored, and
    // from then on the locale no longer counts.
    void settle()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, locale);
        QFETCH(QString, lang);
        QTemporaryDir dir;
        const QString path = dir.filePath("store.conf");
        if (stored.isValid())
            QSettings(path, QSettings::IniFormat).setValue("lang", stored);
        {
            QSettings settings(path, QSettings::IniFormat);
            QCOMPARE(settle_language(settings, locale), lang);
        }
        QSettings again(path, QSettings::IniFormat);
        QCOMPARE(again.allKeys(), QStringList{"lang"});
        QCOMPARE(again.value("lang"), stored.isValid() ? stored : QVariant(lang));
        QCOMPARE(settle_language(again, "de_DE"), lang);
    }

    // Every text that the screens mark, and nothing else, is translated, finished, with the spaces
    // at its ends, its markup and its place markers; the compiled catalog that ships says the same.
    void catalogs()
    {
        QTemporaryDir dir;
        const QString marked_path = dir.filePath("marked.ts");
        QProcess lupdate; // the tool that refreshes the catalogs, on what the screens mark today
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(VELQUIN_LUPDATE, {"-locations", "none", "-extensions", "qml,js,cpp",
                                        VELQUIN_QML_DIR, VELQUIN_SRC_DIR, "-ts", marked_path});
        QVERIFY2(lupdate.waitForFinished(30000) && lupdate.exitCode() == 0,
                 lupdate.readAll().constData());
        const Catalog marked = read_catalog(marked_path);
        QStringList faults;
        for (const QString lang : {"es", "fr"}) {
            const Catalog catalog = read_catalog(VELQUIN_I18N_DIR "/" + lang + ".ts");
            QTranslator shipped;
            QVERIFY(shipped.load(":/i18n/" + lang));
            for (auto context = marked.cbegin(); context != marked.cend(); ++context) {
                for (const QString& source : context.value().keys()) {
                    const QString where = lang + ": " + context.key() + ": \"" + source + "\": ";
                    const QString translation = catalog.value(context.key()).value(source);
                    if (translation.trimmed().isEmpty() || translation == "(unfinished)")
                        faults << where + "not translated";
                    else if (frame(translation) != frame(source))
                        faults << where + "spaces or markup differ in \"" + translation + "\"";
                    if (shipped.translate(qPrintable(context.key()), qPrintable(source)) !=
                        translation)
                        faults << where + "the shipped catalog differs";
                }
            }
            for (auto context = catalog.cbegin(); context != catalog.cend(); ++context)
                for (const QString& source : context.value().keys())
                    if (!marked.value(context.key()).contains(source))
                        faults << lang + ": " + context.key() + ": \"" + source +
                                      "\": marked nowhere";
        }
        QVERIFY2(!marked.isEmpty() && faults.isEmpty(), qPrintable(faults.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
