// The desktop services as this platform gives them: the user's language
// from the locale settings, and the document opener started directly.

#include "desktop.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void languageFollowsTheLocaleSettings_data();
    void languageFollowsTheLocaleSettings();
    void openerOutcomes_data();
    void openerOutcomes();

private:
    // Puts a stand-in xdg-open with `body` first on the search path.
    void fakeOpener(QTemporaryDir &bin, const QByteArray &body);
};

void TestPlatform::languageFollowsTheLocaleSettings_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("language");
    QTest::newRow("Czech") << "cs_CZ.UTF-8"
                           << "Czech";
    QTest::newRow("Slovak") << "sk_SK.UTF-8"
                            << "Slovak";
    QTest::newRow("English") << "en_GB.UTF-8"
                             << "English";
}

void TestPlatform::languageFollowsTheLocaleSettings()
{
    QFETCH(QString, lang);
    QFETCH(QString, language);
    // The system locale is read once per process: ask a fresh one.
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANG"), lang);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--print-language")});
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), language);
}

void TestPlatform::fakeOpener(QTemporaryDir &bin, const QByteArray &body)
{
    QFile script(bin.filePath(QStringLiteral("xdg-open")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n" + body + "\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("PATH", bin.path().toLocal8Bit() + ":/usr/bin:/bin");
}

void TestPlatform::openerOutcomes_data()
{
    QTest::addColumn<QByteArray>("opener"); // empty: no opener at all
    QTest::addColumn<bool>("cameUp");
    QTest::newRow("opens and exits") << QByteArray("echo \"$1\" > \"$(dirname \"$0\")/opened\"; exit 0") << true;
    QTest::newRow("fails") << QByteArray("exit 3") << false;
    QTest::newRow("still running at the limit") << QByteArray("exec sleep 20") << true;
    QTest::newRow("not installed") << QByteArray() << false;
}

void TestPlatform::openerOutcomes()
{
    QFETCH(QByteArray, opener);
    QFETCH(bool, cameUp);
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir bin;
    if (opener.isEmpty())
        qputenv("PATH", bin.path().toLocal8Bit());
    else
        fakeOpener(bin, opener);
    const QString document = bin.filePath(QStringLiteral("order with blanks; $(x).rtf"));
    QList<bool> answers;
    platform::Desktop().openDocument(document, 1500, [&answers](bool opened) { answers << opened; });
    QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, 5000);
    qputenv("PATH", path);
    QCOMPARE(answers.first(), cameUp);
    QTest::qWait(200); // the answer comes once, whatever the opener does later
    QCOMPARE(answers.size(), 1);
    if (opener.startsWith("echo")) {
        // The path arrives as one argument, untouched by any shell.
        QFile opened(bin.filePath(QStringLiteral("opened")));
        QVERIFY(opened.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(opened.readAll()).trimmed(), document);
    }
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--print-language") == 0) {
        std::printf("%s\n", qPrintable(platform::Desktop().languageName()));
        return 0;
    }
    TestPlatform test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"
