#include "termination.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace platform {

#ifdef Q_OS_UNIX

namespace {

// The signal handler writes a byte into one end; the event loop reads it at
// the other. This is all a handler may safely do (Qt's own advice for Unix
// signals); a full socket already has a quit coming.
int signalSocket[2] = {-1, -1};

extern "C" void onTermination(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSocket[0], &byte, 1);
    errno = saved;
}

Outcome cannotSetUp(int error)
{
    return Outcome::failure(
        QStringLiteral("The program cannot end cleanly at a logout: %1").arg(qt_error_string(error)));
}

} // namespace

Outcome quitOnTermination()
{
    QCoreApplication *application = QCoreApplication::instance();
    Q_ASSERT(application && signalSocket[0] < 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalSocket) != 0)
        return cannotSetUp(errno);

    // Both ends stay open as long as the program runs.
    auto *notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, application);
    QObject::connect(notifier, &QSocketNotifier::activated, application, [] {
        char bytes[16];
        while (::read(signalSocket[1], bytes, sizeof bytes) > 0) { }
        QCoreApplication::quit();
    });

    struct sigaction action { };
    action.sa_handler = onTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction previous { };
        if (::sigaction(signal, nullptr, &previous) != 0)
            return cannotSetUp(errno);
        if (previous.sa_handler == SIG_IGN)
            continue;
        if (::sigaction(signal, &action, nullptr) != 0)
            return cannotSetUp(errno);
    }
    return Outcome::success();
}

#else

Outcome quitOnTermination()
{
    return Outcome::success();
}

#endif

} // namespace platform
