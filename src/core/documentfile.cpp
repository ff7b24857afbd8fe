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
    // The file's own read-only mark counts even where the user could
    // override it (an administrator), as it does on Windows.
    if (existing.exists()
        && !(existing.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteUser)))
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
