// UrlSink (module VelquinTest 1.0): catches what the screens open in a browser or a viewer
// (Qt.openUrlExternally), so that a test run never starts one; gives files for the app to write in
// a folder of the run's own, and reads the text of an opened PDF.
#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QQmlEngine>
#include <QTemporaryDir>

namespace {

class UrlSink : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString last_url MEMBER last_url NOTIFY opened)

public:
    using QObject::QObject;

    Q_INVOKABLE QUrl scratch(const QString& name) const
    {
        return QUrl::fromLocalFile(dir.filePath(name));
    }

    Q_INVOKABLE QString opened_pdf_text() const
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {QUrl(last_url).toLocalFile(), "-"});
        pdftotext.waitForFinished(20000);
        return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    }

public slots:
    void open(const QUrl& url)
    {
        last_url = url.toString();
        emit opened();
    }

signals:
    void opened();

private:
    QTemporaryDir dir;
    QString last_url;
};

void install_url_sink()
{
    auto* sink = new UrlSink(QCoreApplication::instance());
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::setUrlHandler(scheme, sink, "open");
    qmlRegisterSingletonInstance("VelquinTest", 1, 0, "UrlSink", sink);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(install_url_sink)

#include "urlsink.moc"
