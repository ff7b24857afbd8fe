#include "contactstore.h"

#include "wholefile.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaType>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>
#include <memory>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#define FORMULAR_STORE_IN_FILE 1
#include <QFile>
#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char Organisation[] = "VireoLoggers";
const char Application[] = "Formular";
constexpr qint64 SizeLimit = 1024 * 1024;

// The first line of each message is the one earlier versions gave, in
// English in both languages; kept on purpose, as users and their support
// know it. What this version tells beyond it is in the user's language.
QString failedToSet(const QString &reason)
{
    // All values are stored at once, so a failure is charged to the first.
    return QStringLiteral("Failed to set data for '%1'\n").arg(QLatin1String(ContactStore::ValueNames[0]))
           + ContactStore::tr("The contact details could not be stored in %1.\n%2")
                 .arg(ContactStore::location(), reason);
}

QString invalidType(const char *name)
{
    return QStringLiteral("Invalid data type for '%1'").arg(QLatin1String(name));
}

std::function<int(const QString &)> &statFault()
{
    static std::function<int(const QString &)> fault;
    return fault;
}

#ifdef FORMULAR_STORE_IN_FILE

QString storePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        return {};
    return folder + QLatin1Char('/') + QLatin1String(Organisation) + QLatin1Char('/') + QLatin1String(Application)
           + QStringLiteral(".conf");
}

// ---- The file's layout --------------------------------------------------
//
// The INI layout of Qt's settings class, which earlier versions wrote the
// file with: a "[General]" line, then one "Name=value" line per value in the
// order of the names' bytes. A value is escaped as that class escapes a
// text, so that a file written by either reads the same in both.

// ValueNames indexes in the order the file lists them.
constexpr std::array<int, ContactStore::ValueCount> FileOrder{1, 0, 2, 4, 3};

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

QByteArray escaped(QString text)
{
    // A text holding a NUL, or beginning with '@', is marked as a text.
    if (text.contains(QChar(u'\0')))
        text = QStringLiteral("@String(") + text + QLatin1Char(')');
    else if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@'));

    QByteArray out;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false; // after a numeric escape, which reads on over digits
    QStringEncoder utf8(QStringEncoder::Utf8);
    for (const QChar qch : text) {
        const char16_t ch = qch.unicode();
        if (ch == u';' || ch == u',' || ch == u'=')
            needsQuotes = true;
        if (escapeNextIfDigit && isHexDigit(ch)) {
            out += "\\x" + QByteArray::number(int(ch), 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case u'\0': out += "\\0", escapeNextIfDigit = true; break;
        case u'\a': out += "\\a"; break;
        case u'\b': out += "\\b"; break;
        case u'\f': out += "\\f"; break;
        case u'\n': out += "\\n"; break;
        case u'\r': out += "\\r"; break;
        case u'\t': out += "\\t"; break;
        case u'\v': out += "\\v"; break;
        case u'"':
        case u'\\': out += '\\', out += char(ch); break;
        default:
            if (ch <= 0x1F) {
                out += "\\x" + QByteArray::number(int(ch), 16);
                escapeNextIfDigit = true;
            } else {
                out += utf8.encode(QStringView(&qch, 1));
            }
        }
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

// The file as this program writes it.
QByteArray rendered(const ContactStore::Values &values)
{
    QByteArray out("[General]\n");
    for (const int i : FileOrder)
        out += QByteArray(ContactStore::ValueNames[std::size_t(i)]) + '=' + escaped(values[std::size_t(i)]) + '\n';
    return out;
}

struct StoredValue {
    enum Kind { Missing, Text, OtherType } kind = Missing;
    QString text;
    bool exact = true; // nothing of the stored bytes was dropped in reading them
};

// One value as the settings class reads it: quoted parts, escapes, a comma
// outside quotes making a list, ';' outside quotes starting a comment, and
// a leading '@' marking a type.
StoredValue parsedValue(QByteArrayView raw)
{
    QString text;
    bool isList = false, inQuotes = false, quoted = false, exact = true;
    qsizetype keep = 0; // trailing blanks up to here stay: they were escaped or quoted
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
    };
    const auto chopBlanks = [&] {
        while (text.size() > keep && (text.back() == u' ' || text.back() == u'\t'))
            text.chop(1);
    };
    const auto numeric = [&](int base, qsizetype first) {
        char16_t value = 0;
        for (i = first; i < raw.size(); ++i) {
            const char c = raw[i];
            const int digit = c >= '0' && c <= '9'                 ? c - '0'
                              : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                   : -1;
            if (digit < 0 || digit >= base)
                break;
            value = char16_t(value * base + digit);
        }
        text += QChar(value);
    };

    skipBlanks();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i >= raw.size()) {
                exact = false; // a line continued: not what is written
                break;
            }
            const char e = raw[i++];
            static const char plain[] = "abfnrtv\"?'\\";
            static const char16_t meant[] = u"\a\b\f\n\r\t\v\"?'\\";
            if (const char *hit = std::strchr(plain, e); hit && e)
                text += QChar(meant[hit - plain]);
            else if (e == 'x' && i < raw.size() && isHexDigit(char16_t(raw[i])))
                numeric(16, i);
            else if (e >= '0' && e <= '7')
                numeric(8, i - 1);
            else
                exact = false; // an unknown escape is dropped
            keep = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                keep = text.size();
            }
        } else if (!inQuotes && c == ',') {
            isList = true;
            ++i;
            skipBlanks();
            text.clear();
            keep = 0;
        } else if (!inQuotes && c == ';') {
            exact = false; // a comment after the value
            break;
        } else {
            qsizetype end = i + 1;
            while (end < raw.size() && raw[end] != '\\' && raw[end] != '"' && raw[end] != ','
                   && (inQuotes || raw[end] != ';'))
                ++end;
            // Runs end at ASCII bytes only, so no UTF-8 sequence is split.
            // Each is decoded on its own, and a U+FEFF that begins one is
            // part of the text, not a byte-order mark.
            text += QStringDecoder(
                QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom)
                        .decode(raw.sliced(i, end - i));
            i = end;
        }
    }
    if (!quoted)
        chopBlanks();
    exact = exact && !inQuotes;

    if (isList)
        return {StoredValue::OtherType, {}, false};
    if (text.startsWith(QLatin1String("@@")))
        return {StoredValue::Text, text.mid(1), exact};
    if (text == QLatin1String("@Invalid()"))
        return {StoredValue::Missing, {}, false};
    if (text.startsWith(QLatin1String("@String(")) && text.endsWith(QLatin1Char(')')))
        return {StoredValue::Text, text.mid(8, text.size() - 9), exact};
    for (const char *type : {"@ByteArray(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
        if (text.startsWith(QLatin1String(type)) && text.endsWith(QLatin1Char(')')))
            return {StoredValue::OtherType, {}, false};
    }
    return {StoredValue::Text, text, exact};
}

struct StoredFile {
    std::array<StoredValue, ContactStore::ValueCount> values;
    QString notUnderstood; // why the file holds more than can be shown; empty when it holds no more
};

// Reads what can be read of the five values, line by line, and tells
// whether anything the file holds was not shown exactly: a line that is
// neither "[General]" nor one of the five values (given once), a value that
// is not a text, or longer than its box, or bytes that are not UTF-8. The
// layout itself (order, quotes, blanks, line ends) may be anyone's.
StoredFile parsed(const QByteArray &bytes)
{
    StoredFile file;
    bool strayLine = false;
    QByteArrayView data(bytes);
    if (data.startsWith("\xEF\xBB\xBF")) {
        data = data.sliced(3);
        strayLine = true;
    }
    bool inGeneral = true; // lines before any section belong to it
    while (!data.isEmpty()) {
        const qsizetype end = data.indexOf('\n');
        const QByteArrayView line = data.first(end < 0 ? data.size() : end).trimmed();
        data = end < 0 ? QByteArrayView() : data.sliced(end + 1);
        if (line.isEmpty())
            continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            inGeneral = line.sliced(1, (close < 0 ? line.size() : close) - 1).trimmed() == "General";
            strayLine = strayLine || line != "[General]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        const QByteArrayView key = line.first(equals < 0 ? 0 : equals).trimmed();
        const auto name = std::find_if(ContactStore::ValueNames.begin(), ContactStore::ValueNames.end(),
            [&](const char *candidate) { return key == candidate; });
        if (!inGeneral || name == ContactStore::ValueNames.end()) {
            strayLine = true;
            continue;
        }
        StoredValue &value = file.values[std::size_t(name - ContactStore::ValueNames.begin())];
        strayLine = strayLine || value.kind != StoredValue::Missing; // given twice: the last one counts
        value = parsedValue(line.sliced(equals + 1));
    }

    const auto because = [&](const QString &why) {
        if (file.notUnderstood.isEmpty())
            file.notUnderstood = why;
    };
    for (std::size_t i = 0; i < file.values.size(); ++i) {
        const StoredValue &value = file.values[i];
        const QString name = QLatin1String(ContactStore::ValueNames[i]);
        if (value.kind == StoredValue::OtherType)
            because(ContactStore::tr("'%1' is not a text").arg(name));
        else if (value.text.size() > ContactStore::MaxValueLength)
            because(ContactStore::tr("'%1' is longer than its box holds (%2 characters)")
                        .arg(name)
                        .arg(ContactStore::MaxValueLength));
        else if (!value.exact)
            strayLine = true;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(bytes); // decoding happens here, when the result is taken
    if (utf8.hasError())
        because(ContactStore::tr("it holds bytes that are not UTF-8 text"));
    if (strayLine)
        because(ContactStore::tr("it holds more than the five values"));
    return file;
}

// lstat, or the error the tests put in its place; 0 or the error.
int statOf(const QString &path, struct stat *info)
{
    if (const auto &fault = statFault(); fault) {
        if (const int error = fault(path))
            return error;
    }
    return ::lstat(QFile::encodeName(path).constData(), info) == 0 ? 0 : errno;
}

// The file the details are read from and replaced: the store's path, or
// the file at the end of the links standing there, if it may be followed
// (contactstore.h says when). Each step is checked, so that a link someone
// else planted, or one into a folder someone else can change, never has
// the details read from, or written to, a file of their choosing.
struct StoreFile {
    QString path;
    bool exists = true; // false: nothing stored yet
    Outcome usable = Outcome::success();
};

constexpr int MaxLinks = 8;

// The folder a path lies in may be a link of the user's own as well (GNU
// Stow links whole folders): it is followed, under the same rules as a
// link at the store, to a folder of the user's. On success `path` names the
// same file in the folder the link leads to.
Outcome inOwnFolder(QString *path)
{
    const uid_t user = ::geteuid();
    for (int links = 0;; ++links) {
        const QString folder = QFileInfo(*path).path();
        struct stat info { };
        if (statOf(folder, &info) != 0 || !S_ISLNK(info.st_mode))
            return Outcome::success(); // what else stands there is told where it is used
        const auto refused = [&](const QString &reason) {
            return Outcome::failure(
                wholefile::readFailure(*path, ContactStore::tr("its folder %1 %2").arg(folder, reason)));
        };
        if (info.st_uid != user)
            return refused(ContactStore::tr("is a link of another user, which is not followed"));
        if (links == MaxLinks)
            return refused(qt_error_string(ELOOP));
        const QString target = QFileInfo(folder).symLinkTarget();
        struct stat owner { };
        if (::stat(QFile::encodeName(target).constData(), &owner) != 0)
            return refused(qt_error_string(errno));
        if (!S_ISDIR(owner.st_mode) || owner.st_uid != user)
            return refused(ContactStore::tr("is a link to %1, which is not a folder of the user's").arg(target));
        *path = target + QLatin1Char('/') + QFileInfo(*path).fileName();
    }
}

StoreFile storeFile(const QString &store)
{
    const auto refused = [&](const QString &reason) {
        return StoreFile{store, true, Outcome::failure(wholefile::readFailure(store, reason))};
    };
    const uid_t user = ::geteuid();
    QString path = store;
    for (int links = 0;; ++links) {
        if (const Outcome folder = inOwnFolder(&path); !folder.ok())
            return StoreFile{store, true, folder};
        struct stat info { };
        const int error = statOf(path, &info);
        if (error == ENOENT && links == 0)
            return {path, false};
        if (error == ENOENT)
            return refused(ContactStore::tr("it is a link to %1, which does not exist").arg(path));
        if (error != 0)
            return refused(qt_error_string(error));
        if (links > 0) {
            const QString folder = QFileInfo(path).path();
            struct stat owner { };
            if (::stat(QFile::encodeName(folder).constData(), &owner) != 0)
                return refused(qt_error_string(errno));
            if (owner.st_uid != user)
                return refused(ContactStore::tr("it is a link into %1, a folder of another user, which is not followed")
                                   .arg(folder));
            if (info.st_uid != user)
                return refused(ContactStore::tr("it is a link to %1, which belongs to another user and is not followed")
                                   .arg(path));
        }
        if (!S_ISLNK(info.st_mode)) {
            if (links > 0 && !S_ISREG(info.st_mode))
                return refused(ContactStore::tr("it is a link to %1, which is not a regular file").arg(path));
            return {path};
        }
        if (info.st_uid != user)
            return refused(ContactStore::tr("it is a link of another user, which is not followed"));
        if (links == MaxLinks)
            return refused(qt_error_string(ELOOP));
        char target[PATH_MAX];
        const ssize_t size = ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
        if (size < 0 || size == ssize_t(sizeof target))
            return refused(qt_error_string(size < 0 ? errno : ENAMETOOLONG));
        const QString to = QFile::decodeName(QByteArray(target, qsizetype(size)));
        path = to.startsWith(QLatin1Char('/')) ? to : QFileInfo(path).path() + QLatin1Char('/') + to;
    }
}

// At most this many copies are kept of a store's damaged contents.
constexpr int MaxCopies = 100;

// Keeps the bytes beside the store: in the copy that holds them already,
// made earlier in this run or in another, else in a new one at the first
// free name, "<store>.damaged", "<store>.damaged.2", ... `made` receives the
// new copy's path, and stays empty where the bytes were kept already. The
// search ends at the first name the file system cannot tell about, whatever
// its reason, and after MaxCopies names.
Outcome keepAside(const QString &storePath, const QByteArray &bytes, QString *made)
{
    made->clear();
    QString store = storePath;
    if (const Outcome folder = inOwnFolder(&store); !folder.ok())
        return folder;
    for (int n = 1; n <= MaxCopies; ++n) {
        const QString copy = n == 1 ? store + QStringLiteral(".damaged") : store + QStringLiteral(".damaged.%1").arg(n);
        struct stat info { };
        const int error = statOf(copy, &info);
        if (error == ENOENT) {
            const Outcome created = wholefile::create(copy, bytes);
            if (created.ok())
                *made = copy;
            if (created.ok() || statOf(copy, &info) != 0)
                return created;
            continue; // someone took the name meanwhile: the next one is tried
        }
        if (error != 0)
            return Outcome::failure(wholefile::writeFailure(copy, qt_error_string(error)));
        QByteArray kept;
        if (S_ISREG(info.st_mode) && info.st_size == bytes.size() && wholefile::read(copy, &kept, SizeLimit).ok()
            && kept == bytes)
            return Outcome::success();
    }
    return Outcome::failure(
        ContactStore::tr("%1 copies are kept beside it already; remove those no longer needed").arg(MaxCopies));
}

QString keptMessage(const QString &path, const QString &why, const QString &copy)
{
    return ContactStore::tr("The stored contact details in %1 could not be read exactly: %2. The file was kept as %3.")
        .arg(QDir::toNativeSeparators(path), why, QDir::toNativeSeparators(copy));
}

QString noCopyMessage(const QString &path, const QString &why, const QString &reason)
{
    return ContactStore::tr("The stored contact details in %1 could not be read exactly: %2. No copy of the file "
                            "could be made, so nothing was stored in it:\n%3")
        .arg(QDir::toNativeSeparators(path), why, reason);
}

#else // the registry (or the platform's own store)

// The key itself: no organisation-wide or machine-wide key is consulted.
std::unique_ptr<QSettings> nativeStore()
{
    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, Organisation, Application);
    settings->setFallbacksEnabled(false);
    return settings;
}

#endif

} // namespace

void ContactStore::setStatFault(std::function<int(const QString &path)> fault)
{
    statFault() = std::move(fault);
}

QString ContactStore::location()
{
#ifdef FORMULAR_STORE_IN_FILE
    return QDir::toNativeSeparators(storePath());
#else
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\%1\\%2").arg(Organisation, Application);
#endif
}

#ifdef FORMULAR_STORE_IN_FILE

ContactStore::ReadResult ContactStore::read()
{
    ReadResult result;
    const QString path = storePath();
    if (path.isEmpty())
        return result;
    const StoreFile source = storeFile(path);
    if (!source.exists) { // first run: nothing stored yet
        result.values.fill(QString());
        return result;
    }
    // What cannot be opened is not read, and not reported here: storing
    // will say why it cannot be written either.
    QByteArray bytes;
    if (!source.usable.ok() || !wholefile::read(source.path, &bytes, SizeLimit).ok())
        return result;

    const StoredFile file = parsed(bytes);
    for (std::size_t i = 0; i < file.values.size(); ++i) {
        switch (file.values[i].kind) {
        case StoredValue::Missing: result.values[i] = QString(); break;
        case StoredValue::Text: result.values[i] = file.values[i].text.left(MaxValueLength); break;
        case StoredValue::OtherType: result.errors << invalidType(ValueNames[i]); break;
        }
    }
    // Where no copy can be made, storing will say so: the user is told once.
    QString copy;
    if (!file.notUnderstood.isEmpty() && keepAside(path, bytes, &copy).ok() && !copy.isEmpty())
        result.errors << keptMessage(path, file.notUnderstood, copy);
    return result;
}

ContactStore::WriteResult ContactStore::write(const Values &values)
{
    WriteResult result;
    // No store to be had (as a registry key that cannot be opened or made):
    // nothing is written, and nothing is told.
    const QString path = storePath();
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).path()))
        return result;

    // The file may have changed since it was shown: what stands there now
    // is read, and nothing that could not be read is overwritten.
    const StoreFile target = storeFile(path);
    if (!target.usable.ok()) {
        result.stored = Outcome::failure(failedToSet(target.usable.message()));
        return result;
    }
    if (target.exists) {
        QByteArray previous;
        const Outcome read = wholefile::read(target.path, &previous, SizeLimit);
        if (!read.ok()) {
            result.stored = Outcome::failure(failedToSet(read.message()));
            return result;
        }
        const StoredFile file = parsed(previous);
        if (!file.notUnderstood.isEmpty()) {
            QString copy;
            const Outcome kept = keepAside(path, previous, &copy);
            if (!kept.ok()) {
                result.stored = Outcome::failure(failedToSet(noCopyMessage(path, file.notUnderstood, kept.message())));
                return result;
            }
            if (!copy.isEmpty())
                result.notice = keptMessage(path, file.notUnderstood, copy);
        }
    }

    const Outcome saved = wholefile::write(target.path, rendered(values));
    if (!saved.ok())
        result.stored = Outcome::failure(failedToSet(saved.message()));
    return result;
}

#else

ContactStore::ReadResult ContactStore::read()
{
    ReadResult result;
    const std::unique_ptr<QSettings> settings = nativeStore();
    if (settings->status() != QSettings::NoError)
        return result; // the store cannot be opened: nothing to report
    for (std::size_t i = 0; i < ValueNames.size(); ++i) {
        const QVariant value = settings->value(QLatin1String(ValueNames[i]));
        if (!value.isValid())
            result.values[i] = QString(); // never stored: an empty text
        else if (value.metaType().id() == QMetaType::QString)
            result.values[i] = value.toString().left(MaxValueLength);
        else
            result.errors << invalidType(ValueNames[i]);
    }
    return result;
}

ContactStore::WriteResult ContactStore::write(const Values &values)
{
    WriteResult result;
    const std::unique_ptr<QSettings> settings = nativeStore();
    for (std::size_t i = 0; i < values.size(); ++i)
        settings->setValue(QLatin1String(ValueNames[i]), values[i]);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        result.stored = Outcome::failure(failedToSet(ContactStore::tr("The registry refused the values.")));
    return result;
}

#endif
