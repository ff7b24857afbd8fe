#include "contactstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class ContactStoreTest : public QObject
{
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

private:
    std::unique_ptr<QTemporaryDir> dir; // fresh for every test and data row
};

void ContactStoreTest::firstRun()
{
    const ContactStore::ReadResult read = ContactStore(dir->filePath("new/Formular.conf")).read();
    QCOMPARE(read.values, QStringList(5, QString()));
    QVERIFY(read.error.isEmpty());
}

// Values come back as written, under the names earlier versions used.
void ContactStoreTest::roundTrip()
{
    const QString file = dir->filePath("Formular.conf");
    const std::array<QString, 5> values{"Měřicí technika, s.r.o.", "Praha 1, Václavské nám. 5", "",
                                        "+420 \"123\" ; 456", "a=b@example.cz"};
    QCOMPARE(ContactStore(file).write(values), QString());

    const ContactStore::ReadResult read = ContactStore(file).read();
    QCOMPARE(read.values, QStringList(values.begin(), values.end()));
    QVERIFY(read.error.isEmpty());
    QSettings raw(file, QSettings::NativeFormat);
    QCOMPARE(raw.value("Adress").toString(), values[1]);
    QCOMPARE(raw.value("ContaktPerson").toString(), QString());
    QCOMPARE(raw.allKeys().size(), 5);
}

void ContactStoreTest::invalidType_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("error");
    QTest::newRow("list") << QByteArray("CompanyName=ACME\nAdress=Praha, Brno\nEmail=x\n") << QStringList{"ACME"}
                          << "Invalid data type for 'Adress'";
    QTest::newRow("number") << QByteArray("CompanyName=ACME\nTelephone=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n")
                            << QStringList{"ACME", "", ""} << "Invalid data type for 'Telephone'";
    QTest::newRow("first value") << QByteArray("CompanyName=@ByteArray(ACME)\n") << QStringList{}
                                 << "Invalid data type for 'CompanyName'";
}

void ContactStoreTest::invalidType()
{
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, values);
    QFETCH(QString, error);
    QFile file(dir->filePath("Formular.conf"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[General]\n" + stored);
    file.close();

    const ContactStore::ReadResult read = ContactStore(file.fileName()).read();
    QCOMPARE(read.values, values);
    QCOMPARE(read.error, error);
}

// A store that cannot be used: reading quietly gives nothing, writing fails.
void ContactStoreTest::unusableStore_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("readable");
    QTest::newRow("directory in its place") << "Formular.conf" << false;
    QTest::newRow("file as its folder") << "plain/Formular.conf" << true;
    QTest::newRow("read-only file") << "readonly.conf" << true;
}

void ContactStoreTest::unusableStore()
{
    QFETCH(QString, path);
    QFETCH(bool, readable);
    QVERIFY(QDir(dir->path()).mkpath("Formular.conf"));
    QFile plain(dir->filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QFile readOnly(dir->filePath("readonly.conf"));
    QVERIFY(readOnly.open(QIODevice::WriteOnly));
    readOnly.write("[General]\nCompanyName=ACME\n");
    readOnly.close();
    QVERIFY(readOnly.setPermissions(QFile::ReadOwner));
    if (path == "readonly.conf" && readOnly.open(QIODevice::WriteOnly | QIODevice::Append))
        QSKIP("file permissions do not bind this user");

    const ContactStore store(dir->filePath(path));
    const ContactStore::ReadResult read = store.read();
    QVERIFY(read.error.isEmpty());
    QCOMPARE(read.values.size(), readable ? 5 : 0);
    QCOMPARE(store.write({"ACME", "", "", "", ""}), QString("Failed to set data for 'CompanyName'"));
}

QTEST_APPLESS_MAIN(ContactStoreTest)
#include "tst_contactstore.moc"
