#include "wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <utility>
#include <variant>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <QDir>
#include <qt_windows.h>
#else
#include <QSaveFile>
#endif

namespace wholefile {

static Outcome cannotWrite(const QString &path, const QString &reason)
{
    return Outcome::failure(QStringLiteral("Cannot write %1: %2").arg(QFileInfo(path).fileName(), reason), reason);
}

static Outcome cannotRead(const QString &path, const QString &reason)
{
    return Outcome::failure(QStringLiteral("Cannot read %1: %2").arg(QFileInfo(path).fileName(), reason));
}

static QString linkReason()
{
    return QStringLiteral("it is a link to another file, which is not written through; "
                          "remove the link or work in another folder");
}

static QString tooLarge(qint64 limit)
{
    return QStringLiteral("it is larger than %1 bytes").arg(limit);
}

// Reads on from a file of `size` bytes until its end, in case it grew
// since, but never past `limit`. `readSome(buffer, room)` gives the bytes
// read, 0 at the end, or the system's reason for a failure.
template <typename ReadSome>
Outcome readUpTo(const QString &path, qint64 size, qint64 limit, QByteArray *bytes, ReadSome readSome)
{
    QByteArray result(qsizetype(size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == result.size()) {
            if (result.size() > limit)
                return cannotRead(path, tooLarge(limit));
            result.resize(qMin<qsizetype>(result.size() * 2, limit + 1));
        }
        const std::variant<qint64, QString> got = readSome(result.data() + filled, result.size() - filled);
        if (const QString *reason = std::get_if<QString>(&got))
            return cannotRead(path, *reason);
        if (std::get<qint64>(got) == 0)
            break;
        filled += std::get<qint64>(got);
    }
    if (filled > limit)
        return cannotRead(path, tooLarge(limit));
    result.truncate(filled);
    *bytes = result;
    return Outcome::success();
}

#ifdef Q_OS_UNIX

namespace {

QString systemReason(int error)
{
    return qt_error_string(error);
}

// Closes the descriptor on every path out; close() itself is checked where
// the file was written, since a late write error may only show there.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now; the system's reason on failure, empty on success.
    QString close()
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0 ? QString() : systemReason(errno);
    }

private:
    int m_fd;
};

// Writes every byte, syncs them to the disk and closes the file: a full
// disk or an I/O error may show at any of the three steps.
QString writeSyncClose(Descriptor &file, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(file.get(), data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return systemReason(written < 0 ? errno : ENOSPC);
        data += written;
        left -= written;
    }
    if (::fsync(file.get()) != 0)
        return systemReason(errno);
    return file.close();
}

// O_EXCL with O_CREAT fails on anything at the path, a link included.
constexpr int NewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

QString missingFolder(const QString &path)
{
    return QStringLiteral("the folder %1 no longer exists").arg(QFileInfo(path).path());
}

} // namespace

Outcome write(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    struct stat existing { };
    const bool exists = ::lstat(target.constData(), &existing) == 0;
    if (exists) {
        if (S_ISLNK(existing.st_mode))
            return cannotWrite(path, linkReason());
        if (S_ISDIR(existing.st_mode))
            return cannotWrite(path, QStringLiteral("a folder of that name is in the way"));
        if (!S_ISREG(existing.st_mode))
            return cannotWrite(path, QStringLiteral("it is not a regular file"));
        // A file nobody may write is read-only even for an administrator who
        // could override it, as it is on Windows.
        if (!(existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
            return cannotWrite(path, QStringLiteral("the existing file is read-only"));
    } else if (errno != ENOENT) {
        return cannotWrite(path, systemReason(errno));
    }

    // Our own file beside the target, under a name nobody else uses.
    QByteArray scratch;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        scratch = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(scratch.constData(), NewFileFlags, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return cannotWrite(path, errno == ENOENT ? missingFolder(path) : systemReason(errno));

    Descriptor file(fd);
    QString reason;
    // The new file keeps the permissions of the one it replaces.
    if (exists && ::fchmod(file.get(), existing.st_mode & 07777) != 0)
        reason = systemReason(errno);
    if (reason.isEmpty())
        reason = writeSyncClose(file, bytes);
    if (reason.isEmpty() && ::rename(scratch.constData(), target.constData()) != 0)
        reason = errno == ENOENT ? missingFolder(path) : systemReason(errno);
    if (!reason.isEmpty()) {
        ::unlink(scratch.constData());
        return cannotWrite(path, reason);
    }
    return Outcome::success();
}

Outcome create(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    Descriptor file(::open(target.constData(), NewFileFlags, 0666));
    if (!file.valid())
        return cannotWrite(path, systemReason(errno));
    const QString reason = writeSyncClose(file, bytes);
    if (!reason.isEmpty()) {
        ::unlink(target.constData()); // ours alone: it was created above
        return cannotWrite(path, reason);
    }
    return Outcome::success();
}

Outcome read(const QString &path, QByteArray *bytes, qint64 limit)
{
    const QByteArray source = QFile::encodeName(path);
    struct stat info { };
    if (::lstat(source.constData(), &info) != 0)
        return cannotRead(path, systemReason(errno));
    if (S_ISLNK(info.st_mode))
        return cannotRead(path, QStringLiteral("it is a link, which is not followed"));
    if (!S_ISREG(info.st_mode))
        return cannotRead(path, QStringLiteral("it is not a regular file"));

    // Whatever may have taken the file's place since, the open neither
    // follows a link nor waits for a writer.
    Descriptor file(::open(source.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.valid())
        return cannotRead(path, systemReason(errno));
    if (::fstat(file.get(), &info) != 0)
        return cannotRead(path, systemReason(errno));
    if (!S_ISREG(info.st_mode))
        return cannotRead(path, QStringLiteral("it is not a regular file"));
    if (info.st_size > limit)
        return cannotRead(path, tooLarge(limit));

    return readUpTo(path, info.st_size, limit, bytes, [&](char *buffer, qint64 room) -> std::variant<qint64, QString> {
        for (;;) {
            const ssize_t got = ::read(file.get(), buffer, size_t(room));
            if (got >= 0)
                return qint64(got);
            if (errno != EINTR)
                return systemReason(errno);
        }
    });
}

bool occupied(const QString &path)
{
    struct stat info { };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 || errno != ENOENT;
}

#elif defined(Q_OS_WIN)

namespace {

QString systemReason(DWORD error)
{
    return qt_error_string(int(error));
}

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// Closes the handle on every path out; CloseHandle itself is checked where
// the file was written.
class Handle {
public:
    explicit Handle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~Handle()
    {
        if (valid())
            CloseHandle(m_handle);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    QString close()
    {
        const HANDLE handle = std::exchange(m_handle, INVALID_HANDLE_VALUE);
        return CloseHandle(handle) ? QString() : systemReason(GetLastError());
    }

private:
    HANDLE m_handle;
};

// CREATE_NEW fails on anything at the path, a link or junction included.
HANDLE createNew(const std::wstring &path)
{
    return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Writes every byte, flushes them to the disk and closes the file.
QString writeFlushClose(Handle &file, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        const DWORD chunk = DWORD(qMin<qint64>(left, 1 << 30));
        if (!WriteFile(file.get(), data, chunk, &written, nullptr))
            return systemReason(GetLastError());
        if (written == 0)
            return systemReason(ERROR_DISK_FULL);
        data += written;
        left -= written;
    }
    if (!FlushFileBuffers(file.get()))
        return systemReason(GetLastError());
    return file.close();
}

bool missing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

QString missingFolder(const QString &path)
{
    return QStringLiteral("the folder %1 no longer exists").arg(QDir::toNativeSeparators(QFileInfo(path).path()));
}

} // namespace

Outcome write(const QString &path, const QByteArray &bytes)
{
    const std::wstring target = nativePath(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return cannotWrite(path, linkReason());
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return cannotWrite(path, QStringLiteral("a folder of that name is in the way"));
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return cannotWrite(path, QStringLiteral("the existing file is read-only"));
    } else if (GetLastError() == ERROR_PATH_NOT_FOUND) {
        return cannotWrite(path, missingFolder(path));
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return cannotWrite(path, systemReason(GetLastError()));
    }

    std::wstring scratch;
    HANDLE created = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE && error == ERROR_FILE_EXISTS; ++attempt) {
        scratch = target + L'.' + QString::number(QRandomGenerator::global()->generate(), 36).toStdWString();
        created = createNew(scratch);
        error = GetLastError();
    }
    if (created == INVALID_HANDLE_VALUE)
        return cannotWrite(path, error == ERROR_PATH_NOT_FOUND ? missingFolder(path) : systemReason(error));

    Handle file(created);
    QString reason = writeFlushClose(file, bytes);
    // The rename replaces whatever stands at the path itself, a link too.
    if (reason.isEmpty()
        && !MoveFileExW(scratch.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        reason = error == ERROR_PATH_NOT_FOUND ? missingFolder(path) : systemReason(error);
    }
    if (!reason.isEmpty()) {
        DeleteFileW(scratch.c_str());
        return cannotWrite(path, reason);
    }
    return Outcome::success();
}

Outcome create(const QString &path, const QByteArray &bytes)
{
    const std::wstring target = nativePath(path);
    Handle file(createNew(target));
    if (!file.valid())
        return cannotWrite(path, systemReason(GetLastError()));
    const QString reason = writeFlushClose(file, bytes);
    if (!reason.isEmpty()) {
        DeleteFileW(target.c_str()); // ours alone: it was created above
        return cannotWrite(path, reason);
    }
    return Outcome::success();
}

Outcome read(const QString &path, QByteArray *bytes, qint64 limit)
{
    const std::wstring source = nativePath(path);
    const DWORD attributes = GetFileAttributesW(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return cannotRead(path, systemReason(GetLastError()));
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return cannotRead(path, QStringLiteral("it is a link, which is not followed"));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return cannotRead(path, QStringLiteral("it is not a regular file"));

    // Whatever may have taken the file's place since, the open does not
    // follow a link, and only a file on a disk is read.
    Handle file(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid())
        return cannotRead(path, systemReason(GetLastError()));
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info)
        || (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return cannotRead(path, QStringLiteral("it is not a regular file"));
    const qint64 size = (qint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > limit)
        return cannotRead(path, tooLarge(limit));

    return readUpTo(path, size, limit, bytes, [&](char *buffer, qint64 room) -> std::variant<qint64, QString> {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, DWORD(qMin<qint64>(room, 1 << 30)), &got, nullptr))
            return systemReason(GetLastError());
        return qint64(got);
    });
}

bool occupied(const QString &path)
{
    return GetFileAttributesW(nativePath(path).c_str()) != INVALID_FILE_ATTRIBUTES || !missing(GetLastError());
}

#else

Outcome write(const QString &path, const QByteArray &bytes)
{
    const QFileInfo existing(path);
    if (existing.isSymLink())
        return cannotWrite(path, linkReason());
    if (existing.isDir())
        return cannotWrite(path, QStringLiteral("a folder of that name is in the way"));
    if (existing.exists() && !existing.isFile())
        return cannotWrite(path, QStringLiteral("it is not a regular file"));
    if (existing.exists() && !existing.isWritable())
        return cannotWrite(path, QStringLiteral("the existing file is read-only"));
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return cannotWrite(path, file.errorString());
    }
    if (!file.commit())
        return cannotWrite(path, file.errorString());
    return Outcome::success();
}

Outcome create(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return cannotWrite(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        file.remove();
        return cannotWrite(path, reason);
    }
    file.close();
    return Outcome::success();
}

Outcome read(const QString &path, QByteArray *bytes, qint64 limit)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return cannotRead(path, QStringLiteral("it is a link, which is not followed"));
    if (!info.isFile())
        return cannotRead(path, QStringLiteral("it is not a regular file"));
    if (info.size() > limit)
        return cannotRead(path, tooLarge(limit));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return cannotRead(path, file.errorString());
    QByteArray result = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return cannotRead(path, file.errorString());
    if (result.size() > limit)
        return cannotRead(path, tooLarge(limit));
    *bytes = result;
    return Outcome::success();
}

bool occupied(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

#endif

} // namespace wholefile
