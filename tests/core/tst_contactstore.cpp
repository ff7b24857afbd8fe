// The contact store as the program uses it: found through the user's
// configuration folder, read from its bytes, written whole.

#include "contactstore.h"
#include "deepfolder.h"
#include "privateconfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QtTest>

#include <cerrno>

namespace {

QStringList shown(const ContactStore::ReadResult &read)
{
    QStringList result;
    for (const auto &value : read.values)
        result << value.value_or(QStringLiteral("<unread>"));
    return result;
}

[[maybe_unused]] QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

[[maybe_unused]] void put(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class ContactStoreTest : public QObject {
    Q_OBJECT

private slots:
    void sameLayoutAsEarlierVersions_data();
    void sameLayoutAsEarlierVersions();
    void damageToldOnce();
    void copyNameSearchEnds_data();
    void copyNameSearchEnds();
    void registryValueOfAnotherType();
    void noStoreToBeHadIsNotTold_data();
    void noStoreToBeHadIsNotTold();
};

// Earlier versions stored the details with Qt's settings class. Whatever
// text it stored reads back exactly, raises no alarm, and is written back
// byte for byte as it wrote it.
void ContactStoreTest::sameLayoutAsEarlierVersions_data()
{
    QTest::addColumn<QString>("text");
    const QList<QPair<const char *, QString>> rows{
        {"Czech letters", QStringLiteral("Měřicí technika, s.r.o.")},
        {"blanks at the ends", QStringLiteral("  Praha 1 ")},
        {"separators", QStringLiteral("a=b@example.cz; c,d")},
        {"quotes and backslashes", QStringLiteral("+420 \"123\" \\ 456")},
        {"controls before hex digits", QStringLiteral("x\x01"
                                                      "A\tB\nC\x1f"
                                                      "9\x7f")},
        {"NUL before a digit", QString(QChar(u'\0')) + QStringLiteral("7z")},
        {"leading @", QStringLiteral("@home")},
        {"outside the BMP", QStringLiteral("\U0001F600 \u00A0\u2028")},
        {"U+FEFF after an escape", QStringLiteral("A\n\uFEFFB")},
        {"empty", QString()},
    };
    for (const auto &[name, text] : rows)
        QTest::newRow(name) << text;
}

void ContactStoreTest::sameLayoutAsEarlierVersions()
{
#ifndef Q_OS_UNIX
    QSKIP("the details are kept in a file on Unix only");
#else
    QFETCH(QString, text);
    const PrivateConfig config;
    const ContactStore::Values values{text, QStringLiteral("Brno"), text, QString(), text};
    QVERIFY(QDir().mkpath(QFileInfo(config.store()).path()));
    {
        QSettings earlier(config.store(), QSettings::IniFormat);
        for (std::size_t i = 0; i < values.size(); ++i)
            earlier.setValue(QLatin1String(ContactStore::ValueNames[i]), values[i]);
    }
    const QByteArray written = contents(config.store());

    ContactStore store;
    const ContactStore::ReadResult read = store.read();
    QCOMPARE(shown(read), QStringList(values.begin(), values.end()));
    QCOMPARE(read.errors, QStringList());
    QVERIFY(QFile::remove(config.store()));
    const ContactStore::WriteResult again = store.write(values);
    QVERIFY2(again.stored.ok(), qPrintable(again.stored.message()));
    QCOMPARE(again.notice, QString());
    QCOMPARE(contents(config.store()), written);
    QCOMPARE(QDir(QFileInfo(config.store()).path()).entryList(QDir::Files), QStringList{"Formular.conf"});
#endif
}

// Damaged bytes are copied aside and reported once in a run, however often
// they are read, and the copy lets the next write replace them.
void ContactStoreTest::damageToldOnce()
{
#ifndef Q_OS_UNIX
    QSKIP("the details are kept in a file on Unix only");
#else
    const PrivateConfig config;
    const QByteArray damaged("[General\nCompanyName=ACME\n");
    put(config.store(), damaged);
    ContactStore store;
    QCOMPARE(store.read().errors.size(), 1);
    QCOMPARE(store.read().errors, QStringList());
    const ContactStore::WriteResult written = store.write({"ACME", "Praha", "", "", ""});
    QVERIFY2(written.stored.ok(), qPrintable(written.stored.message()));
    QCOMPARE(written.notice, QString());
    QCOMPARE(contents(config.store() + ".damaged"), damaged);
    QCOMPARE(ContactStore().read().errors, QStringList());
#endif
}

// Whatever the file system answers for a copy's name, the search for a
// free one ends. Where no copy can be made, the store is left as it is and
// the reason is told: a name too long for the system (a store path of 4,088
// characters or more), any other answer from the third name on (given in
// the file system's place), or a hundred names taken.
void ContactStoreTest::copyNameSearchEnds_data()
{
    QTest::addColumn<int>("storeLength"); // 0: in a folder of the usual depth
    QTest::addColumn<int>("error");       // lstat's answer from ".damaged.3" on
    QTest::addColumn<int>("taken");       // copies of other bytes there already
    QTest::addColumn<QString>("reason");  // why no copy is made; empty: one is
    for (int length = 4000; length < 4096; ++length)
        QTest::addRow("store path of %d characters", length)
            << length << 0 << 0 << (length + 8 < 4096 ? QString() : qt_error_string(ENAMETOOLONG));
    for (const int error : {EIO, EACCES, ELOOP, ENAMETOOLONG, ENOTDIR, EOVERFLOW, ENOMEM})
        QTest::newRow(qPrintable(qt_error_string(error))) << 0 << error << 2 << qt_error_string(error);
    QTest::newRow("a hundred copies") << 0 << 0 << 100 << "100 copies";
}

void ContactStoreTest::copyNameSearchEnds()
{
#ifndef Q_OS_UNIX
    QSKIP("the details are kept in a file on Unix only");
#else
    QFETCH(int, storeLength);
    QFETCH(int, error);
    QFETCH(int, taken);
    QFETCH(QString, reason);
    const PrivateConfig config;
    if (storeLength)
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(deepFolder(config.path("deep"), storeLength - 27)));
    const QString path = ContactStore::location();
    QVERIFY(!storeLength || path.size() == storeLength);
    const QByteArray damaged("[General]\n# mine\nCompanyName=ACME\n");
    put(path, damaged);
    for (int n = 1; n <= taken; ++n)
        put(path + ".damaged" + (n > 1 ? "." + QString::number(n) : QString()), QByteArray::number(n));
    ContactStore::setStatFault(
        [error](const QString &name) { return name.section(".damaged.", 1).toInt() >= 3 ? error : 0; });
    const auto restore = qScopeGuard([] { ContactStore::setStatFault({}); });

    ContactStore store;
    const QStringList told = store.read().errors;
    const Outcome stored = store.write({"ACME", "", "", "", ""}).stored;
    const bool kept = contents(path + ".damaged" + (taken ? "." + QString::number(taken + 1) : "")) == damaged;
    QCOMPARE(kept, reason.isEmpty());
    QCOMPARE(told.filter("The file was kept as").size(), int(kept));
    if (!kept) {
        QCOMPARE(contents(path), damaged);
        QVERIFY2(stored.message().contains("No copy of the file could be made") && stored.message().contains(reason),
            qPrintable(stored.message()));
    }
#endif
}

// In the registry, a value that is not a string (a DWORD here) is reported
// and left out; the others are read all the same.
void ContactStoreTest::registryValueOfAnotherType()
{
#ifndef Q_OS_WIN
    QSKIP("the registry is Windows'");
#else
    {
        QSettings key(QSettings::NativeFormat, QSettings::UserScope, "VireoLoggers", "Formular");
        key.setValue("CompanyName", "ACME");
        key.setValue("Telephone", 123);
        key.setValue("Email", "a@b.cz");
    }
    const ContactStore::ReadResult read = ContactStore().read();
    QCOMPARE(shown(read), (QStringList{"ACME", "", "", "<unread>", "a@b.cz"}));
    QCOMPARE(read.errors, QStringList{"Invalid data type for 'Telephone'"}); // the program's own text
    const ContactStore::WriteResult written = ContactStore().write({"ACME", "Brno", "", "456", "a@b.cz"});
    QVERIFY2(written.stored.ok(), qPrintable(written.stored.message()));
    QCOMPARE(shown(ContactStore().read()), (QStringList{"ACME", "Brno", "", "456", "a@b.cz"}));
#endif
}

// Where no store can be had (its folder, or the configuration folder,
// cannot be made: a file stands in its place), nothing is read or written
// and nothing is told. A store that is there but cannot be written is told
// of, in one message.
void ContactStoreTest::noStoreToBeHadIsNotTold_data()
{
    QTest::addColumn<QString>("file");       // made a file, in the private folder
    QTest::addColumn<QString>("configHome"); // $XDG_CONFIG_HOME there; empty: the folder itself
    QTest::addColumn<bool>("told");
    QTest::newRow("store's folder a file") << "VireoLoggers"
                                           << "" << false;
    QTest::newRow("configuration folder a file") << "config"
                                                 << "config" << false;
    QTest::newRow("a folder in the store's place") << ""
                                                   << "" << true;
}

void ContactStoreTest::noStoreToBeHadIsNotTold()
{
#ifndef Q_OS_UNIX
    QSKIP("the details are kept in a file on Unix only");
#else
    QFETCH(QString, file);
    QFETCH(QString, configHome);
    QFETCH(bool, told);
    const PrivateConfig config;
    if (!configHome.isEmpty())
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path(configHome)));
    if (file.isEmpty())
        QVERIFY(QDir().mkpath(config.store()));
    else
        put(config.path(file), "mine");

    ContactStore store;
    const ContactStore::ReadResult read = store.read();
    QCOMPARE(shown(read), QStringList(5, "<unread>"));
    QVERIFY(read.errors.isEmpty());
    const ContactStore::WriteResult written = store.write({"ACME", "", "", "", ""});
    QVERIFY(written.notice.isEmpty());
    QCOMPARE(written.stored.ok(), !told);
    if (told)
        QVERIFY2(written.stored.message().startsWith("Failed to set data for 'CompanyName'\n"),
            qPrintable(written.stored.message()));
    else
        QCOMPARE(contents(config.path(file)), QByteArray("mine"));
#endif
}

QTEST_APPLESS_MAIN(ContactStoreTest)
#include "tst_contactstore.moc"
