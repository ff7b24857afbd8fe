// The program as the system ends it: a logout or shutdown (SIGTERM), Ctrl+C
// (SIGINT) or its terminal closing (SIGHUP) quits it through its event loop,
// and it exits as after its window was closed.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// Whether the process has a handler of its own for `signal`, by the mask of
// caught signals the system keeps for it.
bool catches(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    return false;
}
#endif

} // namespace

class TerminationTest : public QObject {
    Q_OBJECT
private slots:
    void signalsQuitTheProgram_data();
    void signalsQuitTheProgram();
};

void TerminationTest::signalsQuitTheProgram_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("ignoredAtStart"); // as nohup starts a program
#ifdef Q_OS_UNIX
    QTest::newRow("SIGTERM") << SIGTERM << false;
    QTest::newRow("SIGINT") << SIGINT << false;
    QTest::newRow("SIGHUP") << SIGHUP << false;
    QTest::newRow("SIGHUP under nohup") << SIGHUP << true;
#endif
}

void TerminationTest::signalsQuitTheProgram()
{
#ifndef Q_OS_UNIX
    QSKIP("Unix signals");
#else
    QFETCH(int, signal);
    QFETCH(bool, ignoredAtStart);
    QTemporaryDir work, config;
    QProcess program;
    program.setWorkingDirectory(work.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    program.setProcessEnvironment(environment);
    if (ignoredAtStart)
        program.setChildProcessModifier([signal] { ::signal(signal, SIG_IGN); });
    program.start(QStringLiteral(FORMULAR_PROGRAM), {});
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    const qint64 pid = program.processId();

    // Signalled once it has set itself up, or after a while, all the same.
    QElapsedTimer clock;
    clock.start();
    while (!catches(pid, SIGTERM) && clock.elapsed() < 20000)
        QTest::qSleep(20);
    QCOMPARE(::kill(pid_t(pid), signal), 0);
    if (ignoredAtStart) {
        QVERIFY2(!program.waitForFinished(1000), "a signal ignored at the start ended the program");
        QCOMPARE(::kill(pid_t(pid), SIGTERM), 0);
    }
    QVERIFY2(program.waitForFinished(10000), "the program went on");
    QVERIFY2(program.exitStatus() == QProcess::NormalExit,
        qPrintable(QStringLiteral("ended by the signal, not by itself: %1").arg(program.readAllStandardError())));
    QCOMPARE(program.exitCode(), 0);
#endif
}

QTEST_GUILESS_MAIN(TerminationTest)
#include "tst_termination.moc"
