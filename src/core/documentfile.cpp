#include "documentfile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>

namespace document {

static std::runtime_error failure(const QString &path, const QString &reason)
{
    return std::runtime_error(
        QStringLiteral("Cannot write %1: %2").arg(QFileInfo(path).fileName(), reason).toStdString());
}

void saveDocument(const QString &path, const QByteArray &bytes)
{
    const QFileInfo existing(path);
    if (existing.isDir())
        throw failure(path, QStringLiteral("a folder of that name is in the way"));
    // A file nobody may write is read-only even for an administrator who
    // could override it, as it is on Windows; other users' rights are left
    // to the save itself.
    constexpr QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (existing.exists() && !(existing.permissions() & anyWrite))
        throw failure(path, QStringLiteral("the existing file is read-only"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw failure(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw failure(path, reason);
    }
    if (!file.commit())
        throw failure(path, file.errorString());
}

} // namespace document
