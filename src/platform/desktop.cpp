#include "desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QSet>
#include <QTimer>
#include <memory>
#include <utility>

#ifdef Q_OS_WIN
#include <QDir>
#include <qt_windows.h>
#include <shellapi.h>
#include <thread>
#endif

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

void Desktop::openDocument(const QString &filePath, int timeoutMs, OpenedCallback done)
{
    const QString absolute = QFileInfo(filePath).absoluteFilePath();
#if defined(Q_OS_WIN)
    Q_UNUSED(timeoutMs);
    // The shell starts the program registered for the document's type, maximized, and
    // answers once it is started, or at once when the type has none. It
    // wants a thread of its own with COM set up for it (as Qt's own opener
    // does), and no Qt platform: the window tests run offscreen.
    const std::wstring path = QDir::toNativeSeparators(absolute).toStdWString();
    bool opened = false;
    std::thread shell([&path, &opened] {
        if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
            const auto result = ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
            opened = reinterpret_cast<INT_PTR>(result) > 32;
            CoUninitialize();
        }
    });
    shell.join();
    done(opened);
#elif defined(Q_OS_MACOS)
    Q_UNUSED(timeoutMs);
    done(QDesktopServices::openUrl(QUrl::fromLocalFile(absolute)));
#else
    // xdg-open, started directly with the path as its one argument (no
    // shell). The process object lives on while the opener runs, past the
    // limit too, and deletes itself when it ends.
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

    // The first of: the opener's end, its failure to start, the limit.
    auto *limit = new QTimer(opener);
    limit->setSingleShot(true);
    auto answer = std::make_shared<OpenedCallback>(std::move(done));
    const auto decide = [answer, limit](bool opened) {
        limit->stop();
        if (OpenedCallback callback = std::exchange(*answer, nullptr))
            callback(opened);
    };
    QObject::connect(opener, &QProcess::errorOccurred, limit, [decide](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            decide(false);
    });
    QObject::connect(opener, &QProcess::finished, limit,
        [decide](int code, QProcess::ExitStatus status) { decide(status == QProcess::NormalExit && code == 0); });
    // Still running at the limit: the opener is up; it goes on alone.
    QObject::connect(limit, &QTimer::timeout, limit, [decide] { decide(true); });

    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({absolute});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    limit->start(timeoutMs);
    opener->start();
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
