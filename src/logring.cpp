#include "logring.h"

#include <QDateTime>

#include <deque>
#include <mutex>

namespace {

struct ring
{
    std::mutex mutex;
    std::deque<QString> lines;
    QtMessageHandler previous = nullptr;
    bool installed = false;
};

// Never destroyed: threads may still log during static destruction.
ring& the_ring()
{
    static ring* r = new ring;
    return *r;
}

const char* level(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    case QtFatalMsg:
        return "fatal";
    }
    return "message";
}

// Universal time of day, "hh:mm:ss.zzz": no time zone, so no localtime() in every thread that
// logs.
QString time_of_day()
{
    const qint64 ms = QDateTime::currentMSecsSinceEpoch() % (24 * 3600 * 1000);
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    LogRing::record(type, text);
    QtMessageHandler previous;
    {
        ring& r = the_ring();
        std::lock_guard<std::mutex> lock(r.mutex);
        previous = r.previous;
    }
    if (previous)
        previous(type, context, text);
}

} // namespace

void LogRing::install()
{
    ring& r = the_ring();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.installed)
        return;
    r.installed = true;
    r.previous = qInstallMessageHandler(handle);
}

void LogRing::record(QtMsgType type, const QString& text)
{
    // Formatted outside the lock: only the swap of strings is serialised.
    QString line = time_of_day() + ' ' + level(type) + QStringLiteral(": ") + text;
    ring& r = the_ring();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.lines.size() == size_t(capacity))
        r.lines.pop_front();
    r.lines.push_back(std::move(line));
}

QStringList LogRing::messages()
{
    ring& r = the_ring();
    std::lock_guard<std::mutex> lock(r.mutex);
    return QStringList(r.lines.begin(), r.lines.end());
}
