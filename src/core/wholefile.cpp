#include "wholefile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <type_traits>
#include <utility>
#include <variant>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#elif defined(Q_OS_WIN)
#include <QStringList>
#include <aclapi.h>
#include <qt_windows.h>
#include <vector>
#else
#include <QSaveFile>
#endif

namespace wholefile {

QString writeFailure(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("wholefile", "Cannot write %1: %2").arg(QFileInfo(path).fileName(), reason);
}

QString readFailure(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("wholefile", "Cannot read %1: %2").arg(QFileInfo(path).fileName(), reason);
}

static Outcome cannotWrite(const QString &path, const QString &reason)
{
    return Outcome::failure(writeFailure(path, reason));
}

static Outcome cannotRead(const QString &path, const QString &reason)
{
    return Outcome::failure(readFailure(path, reason));
}

static QString linkReason()
{
    return QCoreApplication::translate("wholefile", "it is a link to another file, which is not written through; "
                                                    "remove the link or work in another folder");
}

static QString tooLarge(qint64 limit)
{
    return QCoreApplication::translate("wholefile", "it is larger than %1 bytes").arg(limit);
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

#if defined(Q_OS_UNIX) || defined(Q_OS_WIN)

namespace {

// A save writes into a scratch file of its own beside the target, named
//   .formular.rtf.k2x9q0m4vb7a.partial
// hidden, after the target, with a random token of twelve small letters and
// digits and an end no finished file has. Only a save of this program makes
// such a name: the next save knows one that a killed save left behind, and
// removes it (removeLeftScratch). The same text type spells names as the
// system does: bytes on Unix, UTF-16 on Windows.
constexpr qsizetype TokenLength = 12;
constexpr char ScratchEnd[] = ".partial";
constexpr qsizetype ScratchEndLength = sizeof ScratchEnd - 1;
// The longest file name nearly every file system takes, in its units.
constexpr qsizetype NameMax = 255;
// How long a scratch file must have been left unchanged before it is taken
// for one left behind. A save under way also holds its file, so this only
// guards the instant before it takes hold, and file systems that keep no
// hold for others.
constexpr qint64 LeftAfterSeconds = 30;

template <typename Text> Text digest(const Text &name)
{
    if constexpr (std::is_same_v<Text, QString>)
        return QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex());
    else
        return QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex();
}

// The part of the target's scratch names before the token: ".formular.rtf.".
// A target's name too long for that stands there as its digest.
template <typename Text> Text scratchPrefix(const Text &name)
{
    const bool fits = name.size() + 2 + TokenLength + ScratchEndLength <= NameMax;
    return Text(".") + (fits ? name : digest(name)) + Text(".");
}

template <typename Text> Text scratchName(const Text &name)
{
    static const char Alphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    Text token;
    for (qsizetype i = 0; i < TokenLength; ++i)
        token += Alphabet[QRandomGenerator::global()->bounded(int(sizeof Alphabet - 1))];
    return scratchPrefix(name) + token + Text(ScratchEnd);
}

// Whether `entry` is a scratch name of the target whose prefix is given,
// exactly as scratchName makes them.
template <typename Text> bool isScratchName(const Text &entry, const Text &prefix)
{
    if (entry.size() != prefix.size() + TokenLength + ScratchEndLength || !entry.startsWith(prefix)
        || !entry.endsWith(Text(ScratchEnd)))
        return false;
    for (qsizetype i = prefix.size(); i < prefix.size() + TokenLength; ++i) {
        const auto c = entry.at(i);
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

QString linkedFolder(const QString &folder)
{
    return QCoreApplication::translate("wholefile", "the folder %1 is a link, which is not followed")
        .arg(QDir::toNativeSeparators(folder));
}

QString missingFolder(const QString &path)
{
    return QCoreApplication::translate("wholefile", "the folder %1 no longer exists")
        .arg(QDir::toNativeSeparators(QFileInfo(path).path()));
}

} // namespace

#endif

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
constexpr int ReadFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// Opens the folder of `path` once for every step that follows, each of
// which names the file by its own name within it: whatever is renamed into
// the folder's place meanwhile, a link to another folder included, the steps
// stay in this folder, and a path longer than the system takes whole is no
// bar while the folder's own is not. A link in the folder's own place is not
// followed. -1 and the system's error on failure.
int openFolder(const QString &path, int *error)
{
    const int fd =
        ::open(QFile::encodeName(QFileInfo(path).path()).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    *error = fd < 0 ? errno : 0;
    return fd;
}

QString folderReason(const QString &path, int error)
{
    if (error == ENOENT)
        return missingFolder(path);
    // Linux says "Not a directory" of a link not followed to a folder.
    const QString folder = QFileInfo(path).path();
    struct stat info { };
    if ((error == ELOOP || error == ENOTDIR) && ::lstat(QFile::encodeName(folder).constData(), &info) == 0
        && S_ISLNK(info.st_mode))
        return linkedFolder(folder);
    return systemReason(error);
}

// The file's name within its folder, as the system spells it.
QByteArray nameIn(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    Q_ASSERT(!name.isEmpty());
    return QFile::encodeName(name);
}

// A file that vanished from a folder that is still there is not the
// folder's fault.
QString reasonIn(int folder, const QString &path, int error)
{
    struct stat info { };
    if (error == ENOENT && ::fstat(folder, &info) == 0 && info.st_nlink == 0)
        return missingFolder(path);
    return systemReason(error);
}

// The folder's entries reach the disk: a rename or a new file in it stays
// after a power cut. Some file systems cannot sync a folder (EINVAL); their
// entries are as lasting as they make them.
QString syncFolder(int folder)
{
    return ::fsync(folder) == 0 || errno == EINVAL ? QString() : systemReason(errno);
}

// Removes the scratch files of `name` that saves of ours left behind when
// they were stopped on their way (killed, or the power cut): regular files
// of this user, of no other name, named exactly as scratchName names them,
// unchanged for LeftAfterSeconds and held by no save. Nothing else is ever
// removed, and whatever cannot be checked stays. A file that stays does no
// harm, so nothing here fails a save.
void removeLeftScratch(int folder, const QByteArray &name)
{
    const QByteArray prefix = scratchPrefix(name);
    std::vector<QByteArray> found;
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listed < 0)
        return;
    DIR *listing = ::fdopendir(listed);
    if (!listing) {
        ::close(listed);
        return;
    }
    while (const dirent *entry = ::readdir(listing))
        if (isScratchName(QByteArray(entry->d_name), prefix))
            found.emplace_back(entry->d_name);
    ::closedir(listing);

    const std::time_t now = std::time(nullptr);
    for (const QByteArray &candidate : found) {
        struct stat info { };
        if (::fstatat(folder, candidate.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)
            || info.st_uid != ::geteuid() || info.st_nlink != 1 || now - info.st_mtime < LeftAfterSeconds)
            continue;
        // The file checked is the file opened, and no save holds it.
        const Descriptor file(::openat(folder, candidate.constData(), ReadFlags));
        struct stat opened { };
        if (!file.valid() || ::fstat(file.get(), &opened) != 0 || opened.st_dev != info.st_dev
            || opened.st_ino != info.st_ino || ::flock(file.get(), LOCK_SH | LOCK_NB) != 0)
            continue;
        ::unlinkat(folder, candidate.constData(), 0);
    }
}

} // namespace

Outcome write(const QString &path, const QByteArray &bytes)
{
    int error = 0;
    const Descriptor folder(openFolder(path, &error));
    if (!folder.valid())
        return cannotWrite(path, folderReason(path, error));
    const QByteArray name = nameIn(path);
    struct stat existing { };
    const bool exists = ::fstatat(folder.get(), name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists) {
        if (S_ISLNK(existing.st_mode))
            return cannotWrite(path, linkReason());
        if (S_ISDIR(existing.st_mode))
            return cannotWrite(path, QCoreApplication::translate("wholefile", "a folder of that name is in the way"));
        if (!S_ISREG(existing.st_mode))
            return cannotWrite(path, QCoreApplication::translate("wholefile", "it is not a regular file"));
        // A file nobody may write is read-only even for an administrator who
        // could override it, as it is on Windows.
        if (!(existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
            return cannotWrite(path, QCoreApplication::translate("wholefile", "the existing file is read-only"));
    } else if (errno != ENOENT) {
        return cannotWrite(path, systemReason(errno));
    }
    removeLeftScratch(folder.get(), name);

    // Our own file beside the target, under a name nobody else uses.
    QByteArray scratch;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        scratch = scratchName(name);
        fd = ::openat(folder.get(), scratch.constData(), NewFileFlags, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return cannotWrite(path, reasonIn(folder.get(), path, errno));

    Descriptor file(fd);
    // Held until the rename, so that another save's clean-up leaves the file
    // alone however long this one takes. The hold rides on a second
    // descriptor of the same open file, as the first is closed (and checked)
    // before the rename. Where the file system keeps no hold, or another
    // process took one on the new file first, the save goes on: the file's
    // age still tells the clean-up.
    const Descriptor hold(::fcntl(file.get(), F_DUPFD_CLOEXEC, 0));
    QString reason = hold.valid() ? QString() : systemReason(errno);
    if (reason.isEmpty())
        static_cast<void>(::flock(hold.get(), LOCK_EX | LOCK_NB));
    // The new file keeps the permissions of the one it replaces.
    if (reason.isEmpty() && exists && ::fchmod(file.get(), existing.st_mode & 07777) != 0)
        reason = systemReason(errno);
    if (reason.isEmpty())
        reason = writeSyncClose(file, bytes);
    if (reason.isEmpty() && ::renameat(folder.get(), scratch.constData(), folder.get(), name.constData()) != 0)
        reason = reasonIn(folder.get(), path, errno);
    if (!reason.isEmpty()) {
        ::unlinkat(folder.get(), scratch.constData(), 0);
        return cannotWrite(path, reason);
    }
    // The new file stands; that it stays after a power cut is not known
    // until its folder is synced too.
    reason = syncFolder(folder.get());
    return reason.isEmpty() ? Outcome::success() : cannotWrite(path, reason);
}

Outcome create(const QString &path, const QByteArray &bytes)
{
    int error = 0;
    const Descriptor folder(openFolder(path, &error));
    if (!folder.valid())
        return cannotWrite(path, folderReason(path, error));
    const QByteArray name = nameIn(path);
    Descriptor file(::openat(folder.get(), name.constData(), NewFileFlags, 0666));
    if (!file.valid())
        return cannotWrite(path, reasonIn(folder.get(), path, errno));
    QString reason = writeSyncClose(file, bytes);
    if (!reason.isEmpty()) {
        ::unlinkat(folder.get(), name.constData(), 0); // ours alone: it was created above
        return cannotWrite(path, reason);
    }
    reason = syncFolder(folder.get());
    return reason.isEmpty() ? Outcome::success() : cannotWrite(path, reason);
}

Outcome read(const QString &path, QByteArray *bytes, qint64 limit)
{
    int error = 0;
    const Descriptor folder(openFolder(path, &error));
    if (!folder.valid())
        return cannotRead(path, folderReason(path, error));
    const QByteArray name = nameIn(path);
    struct stat info { };
    if (::fstatat(folder.get(), name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return cannotRead(path, systemReason(errno));
    if (S_ISLNK(info.st_mode))
        return cannotRead(path, QCoreApplication::translate("wholefile", "it is a link, which is not followed"));
    if (!S_ISREG(info.st_mode))
        return cannotRead(path, QCoreApplication::translate("wholefile", "it is not a regular file"));

    // Whatever may have taken the file's place since, the open neither
    // follows a link nor waits for a writer.
    const Descriptor file(::openat(folder.get(), name.constData(), ReadFlags));
    if (!file.valid())
        return cannotRead(path, systemReason(errno));
    if (::fstat(file.get(), &info) != 0)
        return cannotRead(path, systemReason(errno));
    if (!S_ISREG(info.st_mode))
        return cannotRead(path, QCoreApplication::translate("wholefile", "it is not a regular file"));
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
    int error = 0;
    const Descriptor folder(openFolder(path, &error));
    if (!folder.valid())
        return error != ENOENT;
    struct stat info { };
    return ::fstatat(folder.get(), nameIn(path).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
}

#elif defined(Q_OS_WIN)

namespace {

QString systemReason(DWORD error)
{
    return qt_error_string(int(error));
}

// The path as Windows takes it at any length: absolute, with backslashes,
// under the \\?\ prefix that lifts the limit of MAX_PATH characters (and
// with it any other rewriting of the path).
std::wstring nativePath(const QString &path)
{
    const QString prefix = QStringLiteral("\\\\?\\");
    QString native = QDir::toNativeSeparators(path);
    if (!native.startsWith(prefix)) {
        native = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
        native = native.startsWith(QStringLiteral("\\\\")) ? prefix + QStringLiteral("UNC\\") + native.mid(2)
                                                           : prefix + native;
    }
    return native.toStdWString();
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
// Nobody else may open the file while it is written, nor remove it.
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

// Opens the folder of `path` as Windows holds a program's current folder:
// while the handle is open, nobody can rename or remove the folder, so the
// steps that follow by path stay in this folder whatever is renamed around
// it. A junction or link in the folder's place is opened itself, not
// followed, and refused. On failure, INVALID_HANDLE_VALUE and the reason.
HANDLE openFolder(const QString &path, QString *reason)
{
    const QString folder = QFileInfo(path).path();
    const HANDLE handle = CreateFileW(nativePath(folder).c_str(), FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        *reason = missing(error) ? missingFolder(path) : systemReason(error);
        return handle;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info))
        *reason = systemReason(GetLastError());
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        *reason = linkedFolder(folder);
    else if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        *reason = systemReason(ERROR_DIRECTORY);
    else
        return handle;
    CloseHandle(handle);
    return INVALID_HANDLE_VALUE;
}

// Whether the file belongs to whoever this program runs as: its owner is
// the owner the system gives this process's new files.
bool ownedByUs(HANDLE file)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(
            file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr, &descriptor)
        != ERROR_SUCCESS)
        return false;
    bool ours = false;
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        DWORD size = 0;
        GetTokenInformation(token, TokenOwner, nullptr, 0, &size);
        std::vector<char> buffer(size);
        if (size > 0 && GetTokenInformation(token, TokenOwner, buffer.data(), size, &size))
            ours = EqualSid(owner, reinterpret_cast<const TOKEN_OWNER *>(buffer.data())->Owner);
        CloseHandle(token);
    }
    LocalFree(descriptor);
    return ours;
}

qint64 secondsOf(const FILETIME &time)
{
    return qint64((quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10'000'000;
}

// Removes the scratch files of the target at `path` that saves of ours left
// behind when they were stopped on their way: files of this user, of no
// other name, named exactly as scratchName names them and unchanged for
// LeftAfterSeconds. A save under way has its file open to nobody else, and
// then it cannot be opened here. Nothing else is ever removed, and whatever
// cannot be checked stays; nothing here fails a save.
void removeLeftScratch(const QString &path)
{
    const QString folder = QFileInfo(path).path() + QLatin1Char('/');
    const QString prefix = scratchPrefix(QFileInfo(path).fileName());
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileExW(nativePath(folder + prefix + QLatin1Char('*') + ScratchEnd).c_str(),
        FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return;
    // The pattern also matches short (8.3) names: the long name is checked.
    QStringList found;
    do {
        const QString name = QString::fromWCharArray(entry.cFileName);
        if (isScratchName(name, prefix))
            found << name;
    } while (FindNextFileW(search, &entry));
    FindClose(search);

    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    for (const QString &name : std::as_const(found)) {
        // Without FILE_FLAG_BACKUP_SEMANTICS no folder opens, and a link is
        // opened itself.
        const Handle file(CreateFileW(nativePath(folder + name).c_str(), DELETE | READ_CONTROL | FILE_READ_ATTRIBUTES,
            0, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)
            || (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            || info.nNumberOfLinks != 1 || secondsOf(now) - secondsOf(info.ftLastWriteTime) < LeftAfterSeconds
            || !ownedByUs(file.get()))
            continue;
        // Removes the very file checked, when its handle closes.
        FILE_DISPOSITION_INFO removal{};
        removal.DeleteFile = TRUE;
        SetFileInformationByHandle(file.get(), FileDispositionInfo, &removal, sizeof removal);
    }
}

} // namespace

Outcome write(const QString &path, const QByteArray &bytes)
{
    QString reason;
    const Handle folder(openFolder(path, &reason));
    if (!folder.valid())
        return cannotWrite(path, reason);
    const std::wstring target = nativePath(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return cannotWrite(path, linkReason());
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return cannotWrite(path, QCoreApplication::translate("wholefile", "a folder of that name is in the way"));
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return cannotWrite(path, QCoreApplication::translate("wholefile", "the existing file is read-only"));
    } else if (GetLastError() == ERROR_PATH_NOT_FOUND) {
        return cannotWrite(path, missingFolder(path));
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return cannotWrite(path, systemReason(GetLastError()));
    }
    removeLeftScratch(path);

    const QString beside = QFileInfo(path).path() + QLatin1Char('/');
    const QString name = QFileInfo(path).fileName();
    std::wstring scratch;
    HANDLE created = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE && error == ERROR_FILE_EXISTS; ++attempt) {
        scratch = nativePath(beside + scratchName(name));
        created = createNew(scratch);
        error = GetLastError();
    }
    if (created == INVALID_HANDLE_VALUE)
        return cannotWrite(path, error == ERROR_PATH_NOT_FOUND ? missingFolder(path) : systemReason(error));

    Handle file(created);
    reason = writeFlushClose(file, bytes);
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
    QString reason;
    const Handle folder(openFolder(path, &reason));
    if (!folder.valid())
        return cannotWrite(path, reason);
    const std::wstring target = nativePath(path);
    Handle file(createNew(target));
    if (!file.valid())
        return cannotWrite(path, systemReason(GetLastError()));
    reason = writeFlushClose(file, bytes);
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
        return cannotRead(path, QCoreApplication::translate("wholefile", "it is a link, which is not followed"));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return cannotRead(path, QCoreApplication::translate("wholefile", "it is not a regular file"));

    // Whatever may have taken the file's place since, the open does not
    // follow a link, and only a file on a disk is read.
    const Handle file(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid())
        return cannotRead(path, systemReason(GetLastError()));
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info)
        || (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return cannotRead(path, QCoreApplication::translate("wholefile", "it is not a regular file"));
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
        return cannotWrite(path, QCoreApplication::translate("wholefile", "a folder of that name is in the way"));
    if (existing.exists() && !existing.isFile())
        return cannotWrite(path, QCoreApplication::translate("wholefile", "it is not a regular file"));
    if (existing.exists() && !existing.isWritable())
        return cannotWrite(path, QCoreApplication::translate("wholefile", "the existing file is read-only"));
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
        return cannotRead(path, QCoreApplication::translate("wholefile", "it is a link, which is not followed"));
    if (!info.isFile())
        return cannotRead(path, QCoreApplication::translate("wholefile", "it is not a regular file"));
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
