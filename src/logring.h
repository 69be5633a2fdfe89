#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The app's last log messages, for the diagnostics report: a Qt message handler that keeps the
// newest `capacity` messages from any thread and hands each on to the handler it replaced.
class LogRing
{
public:
    static constexpr int capacity = 100;

    // Installs the handler; later calls do nothing.
    static void install();

    // Oldest first, each "hh:mm:ss.zzz level: text" in universal time.
    static QStringList messages();

    // Keeps one message; what the handler does before passing the message on.
    static void record(QtMsgType type, const QString& text);
};
