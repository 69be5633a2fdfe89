// The Spanish and French catalogs against the texts that the screens mark for translation: every
// marked text translated in both, nothing else in them, and the compiled catalogs the app ships.
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

struct Message
{
    QString translation;
    QString type; // empty when finished
};

// context -> source text -> message
using Messages = QMap<QString, QMap<QString, Message>>;

struct Catalog
{
    QString language;
    Messages messages;
};

// Each screen and table with texts of its own, and how many it has; "Accessibility" holds the
// texts that only assistive technology reads.
const QMap<QString, int> expected_counts = {
    {"About", 2},
    {"Accessibility", 16},
    {"AppSettings", 13},
    {"CctrlCodes", 24},
    {"ConfigFile", 23},
    {"ConfigSwitchUtil", 19},
    {"ConfigurationFiles", 21},
    {"DeviceConfiguration", 14},
    {"DeviceProblem", 5},
    {"DiagnosticsReport", 2},
    {"Help", 15},
    {"KeybdCodes", 20},
    {"PleaseConnect", 6},
    {"SwitchConfiguration", 58},
    {"SwitchSheet", 2},
    {"YesCancelDialog", 1},
};

bool read_catalog(const QString& path, Catalog& catalog, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + ": " + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("TS")) {
            catalog.language = xml.attributes().value("language").toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            source.clear();
            message = Message();
        } else if (name == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value("type").toString();
            message.translation = xml.readElementText();
            if (catalog.messages[context].contains(source)) {
                error = path + ": \"" + source + "\" twice in " + context;
                return false;
            }
            catalog.messages[context].insert(source, message);
        }
    }
    if (xml.hasError()) {
        error = path + ": " + xml.errorString();
        return false;
    }
    return true;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// Markup and place markers that a translation has to carry over unchanged.
QStringList markers(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("<[^>]*>|%L?\\d+"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return sorted(found);
}

QString leading_space(const QString& text)
{
    int n = 0;
    while (n < text.size() && text.at(n).isSpace())
        ++n;
    return text.left(n);
}

QString trailing_space(const QString& text)
{
    int n = 0;
    while (n < text.size() && text.at(text.size() - 1 - n).isSpace())
        ++n;
    return text.right(n);
}

} // namespace

class TestCatalogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void marked_texts_per_screen_data();
    void marked_texts_per_screen();
    void catalog_holds_exactly_the_marked_texts_data();
    void catalog_holds_exactly_the_marked_texts();
    void every_translation_finished_data();
    void every_translation_finished();
    void shipped_catalog_translates_every_text_data();
    void shipped_catalog_translates_every_text();

private:
    void add_language_rows();
    const Catalog& catalog(const QString& language) const;

    Messages marked;
    QMap<QString, Catalog> catalogs;
};

void TestCatalogs::initTestCase()
{
    // What the screens mark today, collected by the same tool that refreshes the catalogs.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString marked_path = dir.filePath(QStringLiteral("marked.ts"));
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(VELQUIN_LUPDATE),
                  {"-locations", "none", "-extensions", "qml,js,cpp",
                   QStringLiteral(VELQUIN_QML_DIR), QStringLiteral(VELQUIN_SRC_DIR), "-ts",
                   marked_path});
    QVERIFY2(lupdate.waitForFinished(30000), qPrintable(lupdate.errorString()));
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
             lupdate.readAll().constData());

    Catalog scan;
    QString error;
    QVERIFY2(read_catalog(marked_path, scan, error), qPrintable(error));
    marked = scan.messages;

    for (const QString language : {"es", "fr"}) {
        Catalog& loaded = catalogs[language];
        QVERIFY2(
            read_catalog(QStringLiteral(VELQUIN_I18N_DIR "/") + language + ".ts", loaded, error),
            qPrintable(error));
    }
}

void TestCatalogs::marked_texts_per_screen_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<int>("count");
    for (auto it = expected_counts.cbegin(); it != expected_counts.cend(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key() << it.value();
    for (const QString& context : marked.keys())
        if (!expected_counts.contains(context))
            QTest::newRow(qPrintable(context)) << context << 0;
}

void TestCatalogs::marked_texts_per_screen()
{
    QFETCH(QString, context);
    QFETCH(int, count);
    QCOMPARE(marked.value(context).size(), count);
}

void TestCatalogs::add_language_rows()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("es") << QStringLiteral("es");
    QTest::newRow("fr") << QStringLiteral("fr");
}

const Catalog& TestCatalogs::catalog(const QString& language) const
{
    return *catalogs.find(language);
}

void TestCatalogs::catalog_holds_exactly_the_marked_texts_data()
{
    add_language_rows();
}

void TestCatalogs::catalog_holds_exactly_the_marked_texts()
{
    QFETCH(QString, language);
    const Catalog& cat = catalog(language);
    QCOMPARE(cat.language, language);

    QStringList missing;
    QStringList unused;
    for (auto context = marked.cbegin(); context != marked.cend(); ++context)
        for (const QString& source : context.value().keys())
            if (!cat.messages.value(context.key()).contains(source))
                missing << context.key() + ": " + source;
    for (auto context = cat.messages.cbegin(); context != cat.messages.cend(); ++context)
        for (const QString& source : context.value().keys())
            if (!marked.value(context.key()).contains(source))
                unused << context.key() + ": " + source;
    QVERIFY2(missing.isEmpty() && unused.isEmpty(),
             qPrintable("marked but not in the catalog:\n" + missing.join('\n') +
                        "\nin the catalog but marked nowhere:\n" + unused.join('\n')));
}

void TestCatalogs::every_translation_finished_data()
{
    add_language_rows();
}

void TestCatalogs::every_translation_finished()
{
    QFETCH(QString, language);
    QStringList faults;
    const Messages& messages = catalog(language).messages;
    for (auto context = messages.cbegin(); context != messages.cend(); ++context) {
        for (auto it = context.value().cbegin(); it != context.value().cend(); ++it) {
            const QString where = context.key() + ": \"" + it.key() + "\": ";
            const Message& message = it.value();
            if (!message.type.isEmpty())
                faults << where + message.type;
            if (message.translation.trimmed().isEmpty())
                faults << where + "no translation";
            // The screens join texts with their own spaces and markup.
            if (leading_space(message.translation) != leading_space(it.key()) ||
                trailing_space(message.translation) != trailing_space(it.key()))
                faults << where + "spaces at the ends differ: \"" + message.translation + "\"";
            if (markers(message.translation) != markers(it.key()))
                faults << where + "markup differs: \"" + message.translation + "\"";
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestCatalogs::shipped_catalog_translates_every_text_data()
{
    add_language_rows();
}

void TestCatalogs::shipped_catalog_translates_every_text()
{
    QFETCH(QString, language);
    QTranslator translator;
    QVERIFY(translator.load(":/i18n/" + language));
    QCOMPARE(translator.language(), language);

    QStringList faults;
    const Messages& messages = catalog(language).messages;
    for (auto context = marked.cbegin(); context != marked.cend(); ++context) {
        for (const QString& source : context.value().keys()) {
            const QString shipped =
                translator.translate(qPrintable(context.key()), source.toUtf8().constData());
            const QString expected = messages.value(context.key()).value(source).translation;
            if (shipped.isEmpty() || shipped != expected)
                faults << context.key() + ": \"" + source + "\" ships as \"" + shipped + "\"";
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

QTEST_GUILESS_MAIN(TestCatalogs)

#include "tst_catalogs.moc"
