#include "contactstore.h"

#include "wholefile.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaType>
#include <QSettings>
#include <QTemporaryFile>

namespace {

const char Organisation[] = "VireoLoggers";
const char Application[] = "Formular";

QString failedToSet(const QString &reason)
{
    // The store writes all values at once, so a failure is charged to the
    // first of them.
    QString message = QStringLiteral("Failed to set data for '%1'").arg(QLatin1String(ContactStore::ValueNames[0]));
    if (!reason.isEmpty())
        message += QLatin1Char('\n') + reason;
    return message;
}

QString invalidType(const char *name)
{
    return QStringLiteral("Invalid data type for '%1'").arg(QLatin1String(name));
}

// Reads the five values; a value of another type is left empty and named.
void readValues(const QSettings &settings, ContactStore::ReadResult &result)
{
    for (std::size_t i = 0; i < ContactStore::ValueNames.size(); ++i) {
        const char *name = ContactStore::ValueNames[i];
        const QVariant value = settings.value(QLatin1String(name));
        if (!value.isValid())
            result.values[i] = QString(); // never stored: an empty text
        else if (value.metaType().id() == QMetaType::QString)
            result.values[i] = value.toString();
        else
            result.errors << invalidType(name);
    }
}

void writeValues(QSettings &settings, const ContactStore::Values &values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        settings.setValue(QLatin1String(ContactStore::ValueNames[i]), values[i]);
    settings.sync();
}

} // namespace

ContactStore::ContactStore()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Here the native store is an INI file, which is written with the same
    // care as the document.
    m_fileName = QSettings(QSettings::NativeFormat, QSettings::UserScope, Organisation, Application).fileName();
#endif
}

ContactStore::ContactStore(const QString &fileName)
    : m_fileName(fileName)
{
}

ContactStore::ReadResult ContactStore::read()
{
    if (m_fileName.isEmpty())
        return readNative();

    ReadResult result;
    const QFileInfo info(m_fileName);
    if (!info.exists()) { // first run: nothing stored yet
        result.values.fill(QString());
        return result;
    }
    if (!info.isFile())
        return result; // a folder, FIFO or device is never opened

    const QSettings settings(m_fileName, QSettings::IniFormat);
    // The settings class parses a file once per process, so damage seen
    // once is remembered until the file is written afresh.
    m_damaged = m_damaged || settings.status() == QSettings::FormatError;
    if (settings.status() == QSettings::AccessError)
        return result;
    readValues(settings, result);
    if (m_damaged && !m_damageReported) {
        m_damageReported = true;
        const Outcome kept = keepDamagedCopy();
        result.errors << (kept.ok()
                              ? QStringLiteral("The stored contact details in %1 could not be read. "
                                               "The file was kept as %2.")
                                    .arg(QDir::toNativeSeparators(m_fileName), QDir::toNativeSeparators(m_damagedCopy))
                              : QStringLiteral("The stored contact details in %1 could not be read. "
                                               "The file was kept as it is and nothing will be stored "
                                               "in it, because no copy of it could be made:\n%2")
                                    .arg(QDir::toNativeSeparators(m_fileName), kept.message()));
    }
    return result;
}

Outcome ContactStore::write(const Values &values)
{
    if (m_fileName.isEmpty())
        return writeNative(values);

    // A store whose folder cannot be made cannot be opened at all: nothing
    // is stored and, as on Windows, nothing is reported.
    if (!QDir().mkpath(QFileInfo(m_fileName).absolutePath()))
        return Outcome::success();

    const QFileInfo info(m_fileName);
    QByteArray previous;
    if (info.exists() || info.isSymLink()) {
        if (!info.isFile())
            return Outcome::failure(
                failedToSet(QStringLiteral("%1 is not a regular file.").arg(QDir::toNativeSeparators(m_fileName))));
        // What cannot be read is never overwritten.
        const Outcome read = wholefile::read(m_fileName, &previous);
        if (!read.ok())
            return Outcome::failure(failedToSet(read.message()));
        const QSettings check(m_fileName, QSettings::IniFormat);
        m_damaged = m_damaged || check.status() == QSettings::FormatError;
    }
    if (m_damaged) {
        if (m_damagedCopy.isEmpty()) {
            const Outcome kept = keepDamagedCopy();
            // When reading told the user that the file stays untouched, the
            // document goes ahead without storing; otherwise this is news.
            if (!kept.ok())
                return m_damageReported ? Outcome::success() : Outcome::failure(failedToSet(kept.message()));
        }
        previous.clear(); // its bytes are in the copy; start a sound file
    }

    QByteArray rendered;
    const Outcome render = renderWithValues(previous, values, &rendered);
    if (!render.ok())
        return Outcome::failure(failedToSet(render.message()));
    const Outcome saved = wholefile::write(m_fileName, rendered, wholefile::Links::Follow);
    if (!saved.ok())
        return Outcome::failure(failedToSet(saved.message()));
    m_damaged = false;
    return Outcome::success();
}

// Lets the settings class write the values into a scratch copy of the store
// beside it, and reads the copy back: a cut-off write (a full disk that the
// settings class does not notice) is caught here, before the store is touched.
Outcome ContactStore::renderWithValues(const QByteArray &previous, const Values &values, QByteArray *rendered) const
{
    const QString storeName = QFileInfo(m_fileName).fileName();
    QTemporaryFile scratch(m_fileName + QStringLiteral(".XXXXXX"));
    if (!scratch.open())
        return Outcome::failure(
            QStringLiteral("Cannot create a scratch file beside %1: %2").arg(storeName, scratch.errorString()));
    if (scratch.write(previous) != previous.size() || !scratch.flush())
        return Outcome::failure(
            QStringLiteral("Cannot write a scratch file beside %1: %2").arg(storeName, scratch.errorString()));
    scratch.close();
    {
        QSettings settings(scratch.fileName(), QSettings::IniFormat);
        writeValues(settings, values);
        if (settings.status() != QSettings::NoError)
            return Outcome::failure(QStringLiteral("Cannot write a scratch file beside %1.").arg(storeName));
    }
    const QSettings check(scratch.fileName(), QSettings::IniFormat);
    bool same = check.status() == QSettings::NoError;
    for (std::size_t i = 0; same && i < values.size(); ++i)
        same = check.value(QLatin1String(ValueNames[i])) == QVariant(values[i]);
    if (!same)
        return Outcome::failure(
            QStringLiteral("The values written beside %1 did not read back; the disk may be full.").arg(storeName));
    return wholefile::read(scratch.fileName(), rendered);
}

// Copies the damaged file's bytes to the first free "<file>.damaged" name.
Outcome ContactStore::keepDamagedCopy()
{
    QByteArray bytes;
    const Outcome read = wholefile::read(m_fileName, &bytes);
    if (!read.ok())
        return read;
    QString copy = m_fileName + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo(copy).exists() || QFileInfo(copy).isSymLink(); ++n)
        copy = m_fileName + QStringLiteral(".damaged.%1").arg(n);
    const Outcome saved = wholefile::write(copy, bytes, wholefile::Links::Refuse);
    if (saved.ok())
        m_damagedCopy = copy;
    return saved;
}

ContactStore::ReadResult ContactStore::readNative() const
{
    ReadResult result;
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, Organisation, Application);
    if (settings.status() != QSettings::NoError)
        return result; // the store cannot be opened: nothing to report
    readValues(settings, result);
    return result;
}

Outcome ContactStore::writeNative(const Values &values) const
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, Organisation, Application);
    writeValues(settings, values);
    if (settings.status() != QSettings::NoError)
        return Outcome::failure(failedToSet(QString()));
    return Outcome::success();
}
