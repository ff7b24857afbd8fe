#include "desktop.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QSet>
#include <QTimer>

namespace platform {

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
// Openers still running when the program ends are left to run on: nothing
// ever destroys them (that would end them), and this set keeps them known.
static QSet<QProcess *> &runningOpeners()
{
    static auto *openers = new QSet<QProcess *>;
    return *openers;
}
#endif

QString Desktop::languageName() const
{
    // Follows LANG / LC_* on Unix and the user's locale on Windows and macOS.
    return QLocale::languageToString(QLocale::system().language());
}

bool Desktop::openDocument(const QString &filePath, int timeoutMs)
{
    const QString absolute = QFileInfo(filePath).absoluteFilePath();
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(timeoutMs);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
#else
    // xdg-open, started directly with the path as its one argument (no
    // shell). The process object outlives this call when the opener is
    // still running at the limit, and deletes itself when it ends.
    auto *opener = new QProcess;
    runningOpeners().insert(opener);
    const auto release = [opener] {
        runningOpeners().remove(opener);
        opener->deleteLater();
    };
    QObject::connect(opener, &QProcess::finished, opener, release);
    QObject::connect(opener, &QProcess::errorOccurred, opener, [release](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            release();
    });

    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    enum { Waiting, Failed, Succeeded } outcome = Waiting;
    QObject::connect(opener, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            outcome = Failed;
            loop.quit();
        }
    });
    QObject::connect(opener, &QProcess::finished, &loop, [&](int code, QProcess::ExitStatus status) {
        outcome = (status == QProcess::NormalExit && code == 0) ? Succeeded : Failed;
        loop.quit();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);

    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({absolute});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    limit.start(timeoutMs);
    opener->start();
    if (outcome == Waiting)
        loop.exec();
    if (outcome == Waiting) {
        // Still running at the limit: the opener is up; it goes on alone.
        QObject::disconnect(opener, nullptr, &loop, nullptr);
        return true;
    }
    return outcome == Succeeded;
#endif
}

void Desktop::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

static std::unique_ptr<Desktop> &instance()
{
    static std::unique_ptr<Desktop> current = std::make_unique<Desktop>();
    return current;
}

Desktop &desktop()
{
    return *instance();
}

void setDesktop(std::unique_ptr<Desktop> replacement)
{
    instance() = replacement ? std::move(replacement) : std::make_unique<Desktop>();
}

} // namespace platform
