#include "wholefile.h"

#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace wholefile {

static Outcome cannotWrite(const QString &path, const QString &reason)
{
    return Outcome::failure(QStringLiteral("Cannot write %1: %2").arg(QFileInfo(path).fileName(), reason));
}

static QString linkReason()
{
    return QStringLiteral("it is a link to another file, which is not written through; "
                          "remove the link or work in another folder");
}

// The save file's flush only empties Qt's buffer; the data reach the disk
// (and a late "disk full" or I/O error shows) only when the file is synced.
// Elsewhere QSaveFile syncs on commit itself.
static QString syncToDisk(QSaveFile &file)
{
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return qt_error_string(errno);
#else
    Q_UNUSED(file);
#endif
    return {};
}

Outcome write(const QString &path, const QByteArray &bytes, Links links)
{
    const QFileInfo existing(path);
    if (links == Links::Refuse && existing.isSymLink())
        return cannotWrite(path, linkReason());
    if (existing.isDir())
        return cannotWrite(path, QStringLiteral("a folder of that name is in the way"));
    if (existing.exists() && !existing.isFile())
        return cannotWrite(path, QStringLiteral("it is not a regular file"));
    // A file nobody may write is read-only even for an administrator who
    // could override it, as it is on Windows; other users' rights are left
    // to the save itself.
    constexpr QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (existing.exists() && !(existing.permissions() & anyWrite))
        return cannotWrite(path, QStringLiteral("the existing file is read-only"));

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite(path, file.errorString());
    // A link planted since the check above would have been resolved by the
    // open; the rename below replaces whatever stands at the path itself.
    if (links == Links::Refuse && QFileInfo(path).isSymLink()) {
        file.cancelWriting();
        return cannotWrite(path, linkReason());
    }

    const bool written = file.write(bytes) == bytes.size() && file.flush();
    const QString reason = written ? syncToDisk(file) : file.errorString();
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return cannotWrite(path, reason);
    }
    if (!file.commit())
        return cannotWrite(path, file.errorString());
    return Outcome::success();
}

Outcome read(const QString &path, QByteArray *bytes)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return Outcome::failure(QStringLiteral("Cannot read %1: it is not a regular file").arg(info.fileName()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(QStringLiteral("Cannot read %1: %2").arg(info.fileName(), file.errorString()));
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Outcome::failure(QStringLiteral("Cannot read %1: %2").arg(info.fileName(), file.errorString()));
    return Outcome::success();
}

} // namespace wholefile
