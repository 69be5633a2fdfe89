// The log ring behind the diagnostics report, and the one command that runs as root.
#include "deviceaccess.h"
#include "logring.h"

#include <QtTest>

#include <thread>
#include <unistd.h>

class tst_diagnostics : public QObject
{
    Q_OBJECT

private slots:
    void log_ring_keeps_the_last_messages_under_concurrent_logging()
    {
        LogRing::install();
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([t] {
                for (int i = 0; i < 250; ++i)
                    LogRing::record(QtWarningMsg, QStringLiteral("thread %1 %2").arg(t).arg(i));
            });
        for (std::thread& t : threads)
            t.join();
        QCOMPARE(LogRing::messages().size(), LogRing::capacity);
        for (int i = 0; i < LogRing::capacity; ++i)
            qInfo("final %d", i); // through the installed handler
        const QStringList kept = LogRing::messages();
        QVERIFY(kept.first().endsWith(" info: final 0") && kept.last().endsWith(" info: final 99"));
    }

    void root_runs_only_the_fixed_command_data()
    {
        QTest::addColumn<int>("rule_mode"); // of the shipped rule
        QTest::addColumn<QString>("state");
        QTest::newRow("runs") << 0644 << "done";
        QTest::newRow("rule others may change") << 0666 << "refused";
    }

    // pkexec is stood in for by env, install and udevadm by a recorder. A PATH of impostors and a
    // rule path full of shell syntax must change nothing of what runs.
    void root_runs_only_the_fixed_command()
    {
        if (geteuid() != 0)
            QSKIP("the shipped rule must belong to root");
        QFETCH(int, rule_mode);
        QFETCH(QString, state);
        QTemporaryDir dir;
        // The injections and impostors would leave "pwned" in the working folder, the test's.
        const QString rule = dir.filePath("a b'$(touch pwned)\";`touch pwned`.rules");
        QCOMPARE(
            QProcess::execute("/bin/sh", {"-c",
                                          "cd \"$0\" && echo 'echo \"$*\" >> log' > recorder && "
                                          "for f in sh install udevadm pkexec env; do echo "
                                          "'touch pwned' > $f; done && chmod 700 * && touch \"$1\" "
                                          "&& chmod $2 \"$1\"",
                                          dir.path(), rule, QString::number(rule_mode, 8)}),
            0);
        const QByteArray path = qgetenv("PATH");
        const QString cwd = QDir::currentPath(), recorder = dir.filePath("recorder");
        qputenv("PATH", dir.path().toUtf8());
        QDir::setCurrent(dir.path());
        DeviceAccess access(
            {"/usr/bin/env", "/bin/sh", recorder, recorder, "/rules.d", {"my.rules", rule}},
            nullptr);
        access.allow();
        QTRY_VERIFY(access.get_state() != "running");
        qputenv("PATH", path);
        QDir::setCurrent(cwd);
        QCOMPARE(access.get_state(), state);
        QVERIFY(!QFile::exists(dir.filePath("pwned")));
        QFile ran(dir.filePath("log"));
        QCOMPARE(
            ran.open(QIODevice::ReadOnly) ? QString(ran.readAll()) : QString(),
            state != "done"
                ? QString()
                : "-m 644 -T -- " + rule +
                      " /rules.d/70-velquin-plus.rules\n"
                      "control --reload-rules\ntrigger --subsystem-match=hidraw --action=change\n");
    }
};

QTEST_GUILESS_MAIN(tst_diagnostics)
#include "tst_diagnostics.moc"
