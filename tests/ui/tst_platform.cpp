// The desktop services as this platform gives them: the user's language
// from the locale settings, and the document opener started directly (on
// Windows the program the shell has registered for the document's type).

#include "desktop.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
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
    void documentWithoutAProgramOpensTheNext_data();
    void documentWithoutAProgramOpensTheNext();

private:
#ifdef Q_OS_WIN
    // Registers this program, or with `registered` false nothing, as the
    // opener of the document type `extension` (".formulartest"); as the
    // opener it writes the path it is handed into "opened" beside the
    // document.
    bool registerOpener(const QString &extension, bool registered);
#else
    // Writes a stand-in program `name` running `body` into `bin`.
    void fakeProgram(const QTemporaryDir &bin, const QString &name, const QByteArray &body);
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
bool TestPlatform::registerOpener(const QString &extension, bool registered)
{
    // Through HKEY_CLASSES_ROOT, which Wine reads too (it has no per-user
    // classes); Windows keeps new keys there for the whole machine.
    QSettings classes(QStringLiteral("HKEY_CLASSES_ROOT"), QSettings::NativeFormat);
    const QString type = QStringLiteral("Formular.Test") + extension;
    classes.remove(extension);
    classes.remove(type);
    if (registered) {
        classes.setValue(extension + QStringLiteral("/Default"), type);
        classes.setValue(type + QStringLiteral("/shell/open/command/Default"),
            QLatin1Char('"') + QDir::toNativeSeparators(QCoreApplication::applicationFilePath())
                + QStringLiteral("\" --record-opened \"%1\""));
    }
    classes.sync();
    return classes.status() == QSettings::NoError;
}
#else
void TestPlatform::fakeProgram(const QTemporaryDir &bin, const QString &name, const QByteArray &body)
{
    QFile script(bin.filePath(name));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n" + body + "\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
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
    if (!registerOpener(QStringLiteral(".formulartest"), !opener.isEmpty()))
        QSKIP("Cannot register a document type here (HKEY_CLASSES_ROOT needs an administrator)");
    const QString document =
        QDir::toNativeSeparators(bin.filePath(QStringLiteral("order with blanks; $(x).formulartest")));
    QFile file(document);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
#else
    const QByteArray path = qgetenv("PATH");
    // The stand-in first, then the system's tools (sleep, dirname); with
    // none, no xdg-open at all.
    if (!opener.isEmpty())
        fakeProgram(bin, QStringLiteral("xdg-open"), opener);
    qputenv("PATH", bin.path().toLocal8Bit() + (opener.isEmpty() ? "" : ":/usr/bin:/bin"));
    const QString document = bin.filePath(QStringLiteral("order with blanks; $(x).rtf"));
#endif
    QList<bool> answers;
    platform::Desktop().openDocument({document}, 1500, [&answers](bool opened) { answers << opened; });
    QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, 5000);
#ifdef Q_OS_WIN
    QTRY_VERIFY_WITH_TIMEOUT(!cameUp || QFileInfo(bin.filePath(QStringLiteral("opened"))).size() > 0, 10000);
    registerOpener(QStringLiteral(".formulartest"), false);
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

void TestPlatform::documentWithoutAProgramOpensTheNext_data()
{
    QTest::addColumn<QStringList>("types"); // the documents' extensions, in the order handed over
#ifdef Q_OS_WIN
    QTest::addColumn<QList<bool>>("registered"); // which of the types have a program
#else
    QTest::addColumn<QByteArray>("mime"); // the stand-in xdg-mime's body; empty: none installed
    QTest::addColumn<QString>("asked");   // what it was asked; empty: never
#endif
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("answeredWithin"); // ms from the call
    QTest::addColumn<int>("opened");         // the document the opener gets
#ifdef Q_OS_WIN
    const QStringList made{QStringLiteral(".formularfirst"), QStringLiteral(".formularsecond")};
    QTest::newRow("the first has a program") << made << QList<bool>{true, true} << 3000 << 3000 << 0;
    QTest::newRow("only the second has one") << made << QList<bool>{false, true} << 3000 << 3000 << 1;
#else
    const QStringList both{QStringLiteral(".rtf"), QStringLiteral(".pdf")};
    const QString rtf = QStringLiteral("query default application/rtf");
    const QByteArray hangs("exec /bin/sleep 20");
    QTest::newRow("names a program") << both << QByteArray("echo writer.desktop") << rtf << 3000 << 3000 << 0;
    QTest::newRow("prints nothing") << both << QByteArray("exit 0") << rtf << 3000 << 3000 << 1;
    QTest::newRow("prints blanks") << both << QByteArray("echo ' '") << rtf << 3000 << 3000 << 1;
    QTest::newRow("fails, whatever it prints")
        << both << QByteArray("echo writer.desktop; exit 1") << rtf << 3000 << 3000 << 1;
    QTest::newRow("not installed") << both << QByteArray() << QString() << 3000 << 3000 << 1;
    // Given up on after a short while, well within a long limit...
    QTest::newRow("hangs") << both << hangs << rtf << 5000 << 3000 << 1;
    // ...and never past the limit.
    QTest::newRow("hangs past the limit") << both << hangs << rtf << 1000 << 1300 << 1;
    QTest::newRow("one document, not asked about")
        << QStringList{QStringLiteral(".rtf")} << QByteArray("exit 0") << QString() << 3000 << 3000 << 0;
#endif
}

void TestPlatform::documentWithoutAProgramOpensTheNext()
{
    QFETCH(QStringList, types);
    QFETCH(int, limit);
    QFETCH(int, answeredWithin);
    QFETCH(int, opened);
    QTemporaryDir bin;
    QStringList documents;
    for (const QString &type : std::as_const(types)) {
        documents << QDir::toNativeSeparators(bin.filePath(QStringLiteral("order with blanks; $(x)") + type));
        QFile document(documents.last());
        QVERIFY(document.open(QIODevice::WriteOnly));
    }
#ifdef Q_OS_WIN
    QFETCH(QList<bool>, registered);
    const auto unregister = qScopeGuard([this, &types] {
        for (const QString &type : std::as_const(types))
            registerOpener(type, false);
    });
    for (qsizetype i = 0; i < types.size(); ++i) {
        if (!registerOpener(types.at(i), registered.at(i)))
            QSKIP("Cannot register a document type here (HKEY_CLASSES_ROOT needs an administrator)");
    }
#else
    QFETCH(QByteArray, mime);
    QFETCH(QString, asked);
    const auto restore = qScopeGuard([path = qgetenv("PATH")] { qputenv("PATH", path); });
    fakeProgram(bin, QStringLiteral("xdg-open"), "printf '%s\\n' \"$@\" > \"${0%/*}/opened\"");
    if (!mime.isEmpty())
        fakeProgram(bin, QStringLiteral("xdg-mime"), "printf '%s\\n' \"$*\" > \"${0%/*}/asked\"\n" + mime);
    qputenv("PATH", bin.path().toLocal8Bit()); // no xdg-mime but the stand-in
#endif
    QList<bool> answers;
    qint64 answeredAfter = -1;
    QElapsedTimer clock;
    clock.start();
    platform::Desktop().openDocument(documents, limit, [&](bool cameUp) {
        answers << cameUp;
        answeredAfter = clock.elapsed();
    });
    QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, limit + 2000);
    QCOMPARE(answers.first(), true);
    QCOMPARE_LE(answeredAfter, answeredWithin);
    // The chosen document arrives as the one argument, untouched by any shell.
    QFile received(bin.filePath(QStringLiteral("opened")));
    QTRY_VERIFY_WITH_TIMEOUT(received.size() > 0, 10000);
    QVERIFY(received.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(received.readAll()).trimmed(), documents.at(opened));
#ifndef Q_OS_WIN
    QFile question(bin.filePath(QStringLiteral("asked")));
    QCOMPARE(
        question.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(question.readAll()).trimmed() : QString(), asked);
#endif
    QTest::qWait(200);
    QCOMPARE(answers.size(), 1);
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
