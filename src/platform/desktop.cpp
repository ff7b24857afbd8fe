#include "desktop.h"

#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QProcess>
#include <QSet>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>

#ifdef Q_OS_WIN
#include <QDir>
#include <qt_windows.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <string>
#include <thread>
#include <vector>
#endif

namespace platform {

#if defined(Q_OS_WIN)
// Whether the shell has a program that opens documents of the type of
// `path` (by its extension); the Open With offered for unknown types does
// not count. The length alone is asked for.
static bool hasProgram(const std::wstring &path)
{
    const wchar_t *extension = PathFindExtensionW(path.c_str());
    if (*extension == L'\0')
        return false;
    const ASSOCF flags = ASSOCF_INIT_IGNOREUNKNOWN | ASSOCF_NOTRUNCATE;
    for (const ASSOCSTR what : {ASSOCSTR_EXECUTABLE, ASSOCSTR_COMMAND}) {
        DWORD length = 0;
        if (SUCCEEDED(AssocQueryStringW(flags, what, extension, L"open", nullptr, &length)) && length > 1)
            return true;
    }
    return false;
}
#elif !defined(Q_OS_MACOS)
// Openers still running when the program ends are left to run on: nothing
// ever destroys them (that would end them), and this set keeps them known.
static QSet<QProcess *> &runningOpeners()
{
    static auto *openers = new QSet<QProcess *>;
    return *openers;
}

// The longest a question to xdg-mime may take; a desktop that has not
// answered by then is taken to have no program.
constexpr qint64 queryBoundMs = 2000;

// Starts xdg-open on `path` and answers through `done` by the deadline.
static void startOpener(const QString &path, QDeadlineTimer deadline, Desktop::OpenedCallback done)
{
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
    auto answer = std::make_shared<Desktop::OpenedCallback>(std::move(done));
    const auto decide = [answer, limit](bool opened) {
        limit->stop();
        if (Desktop::OpenedCallback callback = std::exchange(*answer, nullptr))
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
    opener->setArguments({path});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    limit->start(std::chrono::milliseconds(deadline.remainingTime()));
    opener->start();
}

// Asks xdg-mime for the desktop's program for the type of `path` and tells
// `answer` whether it named one. It has none as well when xdg-mime cannot be
// started, fails, or has not answered within `boundMs` (then it is ended).
static void askForProgram(const QString &path, qint64 boundMs, std::function<void(bool found)> answer)
{
    const QString type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
    auto *query = new QProcess;
    auto *bound = new QTimer(query);
    bound->setSingleShot(true);
    auto reply = std::make_shared<std::function<void(bool)>>(std::move(answer));
    const auto decide = [reply, bound](bool found) {
        bound->stop();
        if (std::function<void(bool)> callback = std::exchange(*reply, nullptr))
            callback(found);
    };
    QObject::connect(query, &QProcess::finished, query, [query, decide](int code, QProcess::ExitStatus status) {
        decide(status == QProcess::NormalExit && code == 0 && !query->readAllStandardOutput().trimmed().isEmpty());
        query->deleteLater();
    });
    QObject::connect(query, &QProcess::errorOccurred, query, [query, decide](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            decide(false);
            query->deleteLater();
        }
    });
    // Too slow: no program; the query is ended, and its end deletes it.
    QObject::connect(bound, &QTimer::timeout, query, [query, decide] {
        decide(false);
        query->kill();
    });

    query->setProgram(QStringLiteral("xdg-mime"));
    query->setArguments({QStringLiteral("query"), QStringLiteral("default"), type});
    query->setStandardInputFile(QProcess::nullDevice());
    query->setStandardErrorFile(QProcess::nullDevice());
    bound->start(std::chrono::milliseconds(boundMs));
    query->start();
}

// Opens the first of `documents` from `index` on that the desktop has a
// program for; the last one is opened without asking.
static void openFirstWithProgram(
    const QStringList &documents, qsizetype index, QDeadlineTimer deadline, Desktop::OpenedCallback done)
{
    const QString &path = documents.at(index);
    if (index == documents.size() - 1)
        return startOpener(path, deadline, std::move(done));
    // The questions take their time from the opener's.
    const qint64 left = deadline.remainingTime();
    if (left <= 0)
        return openFirstWithProgram(documents, index + 1, deadline, std::move(done));
    askForProgram(path, std::min(queryBoundMs, left), [documents, index, deadline, done](bool found) {
        if (found)
            startOpener(documents.at(index), deadline, done);
        else
            openFirstWithProgram(documents, index + 1, deadline, done);
    });
}
#endif

QString Desktop::languageName() const
{
    // Follows LANG / LC_* on Unix and the user's locale on Windows and macOS.
    return QLocale::languageToString(QLocale::system().language());
}

void Desktop::openDocument(const QStringList &documents, int timeoutMs, OpenedCallback done)
{
    Q_ASSERT(!documents.isEmpty());
    QStringList absolute;
    for (const QString &document : documents)
        absolute << QFileInfo(document).absoluteFilePath();
#if defined(Q_OS_WIN)
    Q_UNUSED(timeoutMs);
    // The shell is asked for the program registered for each document's
    // type in turn, then starts the chosen one's, maximized, and answers
    // once it is started, or at once when the type has none. It wants a
    // thread of its own with COM set up for it (as Qt's own opener does),
    // and no Qt platform: the window tests run offscreen.
    std::vector<std::wstring> paths;
    for (const QString &path : std::as_const(absolute))
        paths.push_back(QDir::toNativeSeparators(path).toStdWString());
    bool opened = false;
    std::thread shell([&paths, &opened] {
        if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
            const auto chosen = std::find_if(paths.begin(), paths.end() - 1, hasProgram);
            const auto result = ShellExecuteW(nullptr, L"open", chosen->c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
            opened = reinterpret_cast<INT_PTR>(result) > 32;
            CoUninitialize();
        }
    });
    shell.join();
    done(opened);
#elif defined(Q_OS_MACOS)
    Q_UNUSED(timeoutMs);
    done(QDesktopServices::openUrl(QUrl::fromLocalFile(absolute.first())));
#else
    // The limit counts from here, over the questions and the opener alike.
    openFirstWithProgram(absolute, 0, QDeadlineTimer(std::max(timeoutMs, 0)), std::move(done));
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
