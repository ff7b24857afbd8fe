#include "contactstore.h"
#include "filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

namespace {

// The values as the dialog would show them; "<unread>" where one could not be read.
QStringList shown(const ContactStore::ReadResult &read)
{
    QStringList result;
    for (const auto &value : read.values)
        result << value.value_or(QStringLiteral("<unread>"));
    return result;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class ContactStoreTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void firstRun();
    void roundTrip();
    void invalidType_data();
    void invalidType();
    void unusableStore_data();
    void unusableStore();
    void damagedStoreIsKeptAside();
    void fullDiskKeepsTheStore();

private:
    std::unique_ptr<QTemporaryDir> dir; // fresh for every test and data row
};

void ContactStoreTest::firstRun()
{
    const ContactStore::ReadResult read = ContactStore(dir->filePath("new/Formular.conf")).read();
    QCOMPARE(shown(read), QStringList(5, QString()));
    QVERIFY(read.errors.isEmpty());
}

// Values come back as written, under the names earlier versions used.
void ContactStoreTest::roundTrip()
{
    const QString file = dir->filePath("Formular.conf");
    const ContactStore::Values values{
        "Měřicí technika, s.r.o.", "Praha 1, Václavské nám. 5", "", "+420 \"123\" ; 456", "a=b@example.cz"};
    QVERIFY(ContactStore(file).write(values).ok());

    const ContactStore::ReadResult read = ContactStore(file).read();
    QCOMPARE(shown(read), QStringList(values.begin(), values.end()));
    QVERIFY(read.errors.isEmpty());
    QSettings raw(file, QSettings::NativeFormat);
    QCOMPARE(raw.value("Adress").toString(), values[1]);
    QCOMPARE(raw.value("ContaktPerson").toString(), QString());
    QCOMPARE(raw.allKeys().size(), 5);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"Formular.conf"}); // no scratch left
}

// A value of another type is reported and left out; the others are read.
void ContactStoreTest::invalidType_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("list") << QByteArray("CompanyName=ACME\nAdress=Praha, Brno\nEmail=x\n")
                          << QStringList{"ACME", "<unread>", "", "", "x"}
                          << QStringList{"Invalid data type for 'Adress'"};
    QTest::newRow("number") << QByteArray("CompanyName=ACME\nTelephone=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\nEmail=y\n")
                            << QStringList{"ACME", "", "", "<unread>", "y"}
                            << QStringList{"Invalid data type for 'Telephone'"};
    QTest::newRow("first and last") << QByteArray("CompanyName=@ByteArray(ACME)\nAdress=Brno\nEmail=a, b\n")
                                    << QStringList{"<unread>", "Brno", "", "", "<unread>"}
                                    << QStringList{
                                           "Invalid data type for 'CompanyName'", "Invalid data type for 'Email'"};
}

void ContactStoreTest::invalidType()
{
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, values);
    QFETCH(QStringList, errors);
    const QString file = dir->filePath("Formular.conf");
    put(file, "[General]\n" + stored);

    const ContactStore::ReadResult read = ContactStore(file).read();
    QCOMPARE(shown(read), values);
    QCOMPARE(read.errors, errors);
}

// A store that cannot be used: reading quietly gives nothing and never
// hangs; writing fails, except where the store cannot even be created.
void ContactStoreTest::unusableStore_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("valuesRead");
    QTest::addColumn<bool>("writeFails");
    QTest::newRow("directory in its place") << "Formular.conf" << 0 << true;
    QTest::newRow("FIFO in its place") << "fifo.conf" << 0 << true;
    QTest::newRow("read-only file") << "readonly.conf" << 5 << true;
    QTest::newRow("file as its folder") << "plain/Formular.conf" << 5 << false;
}

void ContactStoreTest::unusableStore()
{
    QFETCH(QString, path);
    QFETCH(int, valuesRead);
    QFETCH(bool, writeFails);
    QVERIFY(QDir(dir->path()).mkpath("Formular.conf"));
    put(dir->filePath("plain"), QByteArray());
    QCOMPARE(mkfifo(QFile::encodeName(dir->filePath("fifo.conf")).constData(), 0600), 0);
    QFile readOnly(dir->filePath("readonly.conf"));
    put(readOnly.fileName(), "[General]\nCompanyName=ACME\n");
    QVERIFY(readOnly.setPermissions(QFile::ReadOwner));
    if (path == "readonly.conf" && readOnly.open(QIODevice::WriteOnly | QIODevice::Append))
        QSKIP("file permissions do not bind this user");

    ContactStore store(dir->filePath(path));
    const ContactStore::ReadResult read = store.read();
    QVERIFY(read.errors.isEmpty());
    QCOMPARE(
        int(std::count_if(read.values.begin(), read.values.end(), [](const auto &v) { return bool(v); })), valuesRead);
    const Outcome written = store.write({"ACME", "", "", "", ""});
    QCOMPARE(!written.ok(), writeFails);
    if (writeFails)
        QVERIFY2(written.message().startsWith("Failed to set data for 'CompanyName'\n"), qPrintable(written.message()));
    QCOMPARE(contents(dir->filePath("readonly.conf")), QByteArray("[General]\nCompanyName=ACME\n"));
}

// A store that cannot be parsed is reported once, its bytes kept aside
// before the first write, and then written afresh.
void ContactStoreTest::damagedStoreIsKeptAside()
{
    const QString file = dir->filePath("Formular.conf");
    const QByteArray damaged("[General\nCompanyName=ACME\nAdress=Brno\n");
    put(file, damaged);
    put(file + ".damaged", "an earlier copy");

    ContactStore store(file);
    const ContactStore::ReadResult first = store.read();
    QCOMPARE(first.errors.size(), 1);
    QVERIFY2(first.errors.first().contains(file) && first.errors.first().contains(file + ".damaged.2"),
        qPrintable(first.errors.first()));
    QCOMPARE(contents(file + ".damaged.2"), damaged);
    QCOMPARE(contents(file + ".damaged"), QByteArray("an earlier copy"));
    QVERIFY(store.read().errors.isEmpty()); // told once

    const Outcome written = store.write({"ACME", "Praha", "", "", ""});
    QVERIFY2(written.ok(), qPrintable(written.message()));
    const ContactStore::ReadResult after = ContactStore(file).read();
    QVERIFY(after.errors.isEmpty());
    QCOMPARE(shown(after), (QStringList{"ACME", "Praha", "", "", ""}));
    QCOMPARE(contents(file + ".damaged.2"), damaged);
}

// A disk that fills up while the store is written leaves the old store whole.
void ContactStoreTest::fullDiskKeepsTheStore()
{
    const QString file = dir->filePath("Formular.conf");
    const QByteArray old = "[General]\nCompanyName=ACME\nAdress=" + QByteArray(300, 'x') + "\n";
    put(file, old);
    ContactStore store(file);
    Outcome written = Outcome::success();
    {
        FileSizeLimit full(200);
        QVERIFY(full.active());
        written = store.write({"ACME", QString(400, 'y'), "", "", ""});
    }
    QVERIFY(!written.ok());
    QVERIFY2(written.message().startsWith("Failed to set data for 'CompanyName'\n"), qPrintable(written.message()));
    QCOMPARE(contents(file), old);
}

QTEST_APPLESS_MAIN(ContactStoreTest)
#include "tst_contactstore.moc"
