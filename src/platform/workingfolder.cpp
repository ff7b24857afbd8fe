#include "workingfolder.h"

#include <QDir>

#ifdef Q_OS_LINUX
#include <QFile>

#include <climits>
#include <unistd.h>
#endif

namespace platform {

QString workingFolder()
{
    const QString current = QDir::currentPath();
    if (!current.isEmpty())
        return current;
#ifdef Q_OS_LINUX
    // The current folder was removed (its path is no longer asked for), but
    // the system still names it, marked as removed.
    char target[PATH_MAX];
    const ssize_t size = ::readlink("/proc/self/cwd", target, sizeof target);
    const QString removed = QStringLiteral(" (deleted)");
    if (size > 0 && size < ssize_t(sizeof target)) {
        const QString named = QFile::decodeName(QByteArray(target, size));
        if (named.startsWith(QLatin1Char('/')) && named.endsWith(removed))
            return named.chopped(removed.size());
    }
#endif
    return QStringLiteral(".");
}

} // namespace platform
