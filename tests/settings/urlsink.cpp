// Catches what the screens open in the web browser (Qt.openUrlExternally), so that a test run
// never starts one. QML tests see it as the singleton UrlSink of the module VelquinTest 1.0.
#include <QCoreApplication>
#include <QDesktopServices>
#include <QObject>
#include <QQmlEngine>
#include <QUrl>

namespace {

class UrlSink : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString last_url READ last_url NOTIFY opened)
    Q_PROPERTY(int count READ count NOTIFY opened)

public:
    using QObject::QObject;

    QString last_url() const { return last; }
    int count() const { return n_opened; }

    Q_INVOKABLE void clear()
    {
        last.clear();
        n_opened = 0;
        emit opened();
    }

public slots:
    void open(const QUrl& url)
    {
        last = url.toString();
        ++n_opened;
        emit opened();
    }

signals:
    void opened();

private:
    QString last;
    int n_opened = 0;
};

UrlSink* sink = nullptr;

void install_url_sink()
{
    sink = new UrlSink(QCoreApplication::instance());
    for (const char* scheme : {"http", "https"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), sink, "open");
    qmlRegisterSingletonInstance("VelquinTest", 1, 0, "UrlSink", sink);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(install_url_sink)

#include "urlsink.moc"
