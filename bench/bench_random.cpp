// 100,000 random user actions at the main window, every rule checked after
// each one. Seed from the command line, else from the clock. The same seed
// replays the same actions: bench_random <seed> <step of the failure>, or
// for a failure within the first 1000 steps FORMULAR_SEED=<seed> ctest -R
// tst_random.
//
//     QT_QPA_PLATFORM=offscreen bench_random [seed] [actions]

#include "randomsession.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    // The contact store and anything else the toolkit writes stay out of the
    // user's own configuration.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    randomtest::quietenPlatformNotices();
    QApplication app(argc, argv);
    ui::setUp();

    const QStringList args = app.arguments();
    bool ok = false;
    quint64 seed = args.size() > 1 ? args.at(1).toULongLong(&ok) : 0;
    if (!ok)
        seed = quint64(QDateTime::currentMSecsSinceEpoch());
    qint64 actions = args.size() > 2 ? args.at(2).toLongLong(&ok) : 100000;
    if (!ok || actions <= 0)
        actions = 100000;
    const QString language = seed % 2 ? QStringLiteral("English") : QStringLiteral("Czech");

    Forms forms(language, true);
    RandomSession session(forms, seed);
    QElapsedTimer clock;
    clock.start();
    std::printf("seed %llu, %s, %lld actions\n", static_cast<unsigned long long>(seed), qPrintable(language),
        static_cast<long long>(actions));
    std::fflush(stdout);
    while (session.steps() < actions) {
        if (!session.step()) {
            std::printf("FAILED after %lld checks passed, seed %llu\n%s\n", static_cast<long long>(session.checks()),
                static_cast<unsigned long long>(seed), qPrintable(session.failure()));
            return 1;
        }
        if (session.steps() % 10000 == 0 && session.steps() < actions) {
            std::printf("%lld actions, %lld checks passed, %lld documents, %.1f s\n",
                static_cast<long long>(session.steps()), static_cast<long long>(session.checks()),
                static_cast<long long>(session.documents()), double(clock.elapsed()) / 1000.0);
            std::fflush(stdout);
        }
    }
    std::printf("%lld actions, %lld checks passed, seed %llu (%.1f s)\n", static_cast<long long>(session.steps()),
        static_cast<long long>(session.checks()), static_cast<unsigned long long>(seed),
        double(clock.elapsed()) / 1000.0);
    return 0;
}
