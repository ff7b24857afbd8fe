// 100,000 random user actions at the main window, every rule checked after
// each one, and how long the program took over them: over each input event
// (a pointer move, a click, a key, a wheel notch, each handled to its end
// before the next), and over each user action as a whole (a tick, say, is
// pointer moves and a click; each wheel notch that scrolls its box into
// reach first is an action of its own); median, 99th percentile and
// maximum. Seed from the command line, else from the clock. The same seed
// replays the same actions: bench_random <seed> <step of the failure>, or
// for a failure within the first 1000 steps FORMULAR_SEED=<seed> ctest -R
// tst_random.
//
//     QT_QPA_PLATFORM=offscreen bench_random [seed] [actions]

#include "randomsession.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// Median, 99th percentile and maximum of the latencies, in milliseconds.
void printLatencies(const char *what, std::vector<qint64> &nanoseconds)
{
    if (nanoseconds.empty())
        return;
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const auto at = [&](double share) {
        return double(nanoseconds[std::size_t(share * double(nanoseconds.size() - 1))]) / 1e6;
    };
    std::printf("  %-16s %7zu times  median %7.3f ms  p99 %7.3f ms  max %8.3f ms\n", what, nanoseconds.size(), at(0.5),
        at(0.99), double(nanoseconds.back()) / 1e6);
}

} // namespace

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
    std::vector<qint64> all, inputs;
    std::map<std::string, std::vector<qint64>> byKind, inputsByKind;
    all.reserve(std::size_t(actions));
    session.measure(
        [&](qint64 nanoseconds) {
            inputs.push_back(nanoseconds);
            inputsByKind[session.lastAction()].push_back(nanoseconds);
        },
        [&](const char *kind, qint64 nanoseconds) {
            all.push_back(nanoseconds);
            byKind[kind].push_back(nanoseconds);
        });
    while (session.steps() < actions) {
        const bool passed = session.step();
        if (!passed) {
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
    std::printf("latency of each input event:\n");
    printLatencies("all", inputs);
    for (auto &[kind, latencies] : inputsByKind)
        printLatencies(kind.c_str(), latencies);
    std::printf("latency of each user action (the program's time over its input events):\n");
    printLatencies("all", all);
    for (auto &[kind, latencies] : byKind)
        printLatencies(kind.c_str(), latencies);
    return 0;
}
