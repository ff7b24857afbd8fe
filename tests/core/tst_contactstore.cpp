// The contact store as the program uses it: found through the user's
// configuration folder, read from its bytes, written whole.

#include "contactstore.h"
#include "privateconfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

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
    void registryValueOfAnotherType();
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

QTEST_APPLESS_MAIN(ContactStoreTest)
#include "tst_contactstore.moc"
