#pragma once

// What stands at a path, so that a test can tell it was left alone: the
// kind of thing, a link's target, a file's bytes and, where it is not the
// test's own, its owner.

#include <QFile>
#include <QFileInfo>
#include <QString>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

inline QString standing(const QString &path)
{
    QFile file(path);
#ifdef Q_OS_UNIX
    struct stat info { };
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("link to ") + QFile::symLinkTarget(path);
    if (!S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode)    ? QStringLiteral("folder")
               : S_ISFIFO(info.st_mode) ? QStringLiteral("FIFO")
                                        : QStringLiteral("device");
    const QString owner = info.st_uid == ::geteuid() ? QString() : QStringLiteral("of user %1 ").arg(info.st_uid);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("nothing");
    if (info.isDir())
        return QStringLiteral("folder");
    const QString owner;
#endif
    return file.open(QIODevice::ReadOnly)
               ? QStringLiteral("file ") + owner + QString::fromLatin1(file.readAll().toHex())
               : QStringLiteral("unreadable file");
}
