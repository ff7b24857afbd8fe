// The desktop services as this platform gives them: the user's language
// from the locale settings, and the document opener started directly (on
// Windows the program the shell has registered for the document's type).

#include "desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
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
#ifdef Q_OS_WIN
    // Registers this program, or with `registered` false nothing, as the
    // opener of the document type ".formulartest"; as the opener it writes
    // the path it is handed into "opened" beside the document.
    bool registerOpener(bool registered);
#else
    // Puts a stand-in xdg-open with `body` first on the search path.
    void fakeOpener(QTemporaryDir &bin, const QByteArray &body);
#endif
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

#ifdef Q_OS_WIN
bool TestPlatform::registerOpener(bool registered)
{
    // Through HKEY_CLASSES_ROOT, which Wine reads too (it has no per-user
    // classes); Windows keeps new keys there for the whole machine.
    QSettings classes(QStringLiteral("HKEY_CLASSES_ROOT"), QSettings::NativeFormat);
    classes.remove(QStringLiteral(".formulartest"));
    classes.remove(QStringLiteral("Formular.TestDocument"));
    if (registered) {
        classes.setValue(QStringLiteral(".formulartest/Default"), QStringLiteral("Formular.TestDocument"));
        classes.setValue(QStringLiteral("Formular.TestDocument/shell/open/command/Default"),
            QLatin1Char('"') + QDir::toNativeSeparators(QCoreApplication::applicationFilePath())
                + QStringLiteral("\" --record-opened \"%1\""));
    }
    classes.sync();
    return classes.status() == QSettings::NoError;
}
#else
void TestPlatform::fakeOpener(QTemporaryDir &bin, const QByteArray &body)
{
    QFile script(bin.filePath(QStringLiteral("xdg-open")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n" + body + "\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("PATH", bin.path().toLocal8Bit() + ":/usr/bin:/bin");
}
#endif

void TestPlatform::openerOutcomes_data()
{
    QTest::addColumn<QByteArray>("opener"); // empty: no opener at all
    QTest::addColumn<bool>("cameUp");
#ifdef Q_OS_WIN
    // The shell answers once the opener is started, whatever it does then.
    QTest::newRow("registered") << QByteArray("record") << true;
    QTest::newRow("no opener for the type") << QByteArray() << false;
#else
    QTest::newRow("opens and exits") << QByteArray("echo \"$1\" > \"$(dirname \"$0\")/opened\"; exit 0") << true;
    QTest::newRow("fails") << QByteArray("exit 3") << false;
    QTest::newRow("still running at the limit") << QByteArray("exec sleep 20") << true;
    QTest::newRow("not installed") << QByteArray() << false;
#endif
}

void TestPlatform::openerOutcomes()
{
    QFETCH(QByteArray, opener);
    QFETCH(bool, cameUp);
    QTemporaryDir bin;
#ifdef Q_OS_WIN
    if (!registerOpener(!opener.isEmpty()))
        QSKIP("Cannot register a document type here (HKEY_CLASSES_ROOT needs an administrator)");
    const QString document =
        QDir::toNativeSeparators(bin.filePath(QStringLiteral("order with blanks; $(x).formulartest")));
    QFile file(document);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
#else
    const QByteArray path = qgetenv("PATH");
    if (opener.isEmpty())
        qputenv("PATH", bin.path().toLocal8Bit());
    else
        fakeOpener(bin, opener);
    const QString document = bin.filePath(QStringLiteral("order with blanks; $(x).rtf"));
#endif
    QList<bool> answers;
    platform::Desktop().openDocument(document, 1500, [&answers](bool opened) { answers << opened; });
    QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, 5000);
#ifdef Q_OS_WIN
    QTRY_VERIFY_WITH_TIMEOUT(!cameUp || QFileInfo(bin.filePath(QStringLiteral("opened"))).size() > 0, 10000);
    registerOpener(false);
#else
    qputenv("PATH", path);
#endif
    QCOMPARE(answers.first(), cameUp);
    QTest::qWait(200); // the answer comes once, whatever the opener does later
    QCOMPARE(answers.size(), 1);
    if (opener.startsWith("echo") || opener == "record") {
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
    if (argc > 2 && qstrcmp(argv[1], "--record-opened") == 0) { // the registered opener on Windows
        const QString document = QCoreApplication::arguments().at(2);
        QFile opened(QFileInfo(document).dir().filePath(QStringLiteral("opened")));
        return opened.open(QIODevice::WriteOnly) && opened.write(document.toLocal8Bit()) > 0 ? 0 : 1;
    }
    TestPlatform test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"
