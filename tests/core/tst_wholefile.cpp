// Writing a file whole while someone swaps a link into its place or into
// its folder's, when the save is stopped on its way, and what a later save
// removes of what a stopped one left.

#include "standing.h"
#include "termination.h"
#include "wholefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <thread>
#ifdef Q_OS_UNIX
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

// A scratch name of formular.rtf, as a save makes them.
const QString OwnScratch = QStringLiteral(".formular.rtf.k2x9q0m4vb7a.partial");

#ifdef Q_OS_UNIX
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

// Everything in a folder, hidden entries too.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Dates what stands at a path an hour back, as a file left there long ago.
bool fromAnHourAgo(const QString &path)
{
    struct timespec times[2] = {};
    times[0].tv_sec = times[1].tv_sec = std::time(nullptr) - 3600;
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

// Saves `bytes` at `path` in a process of its own, as the program saves:
// from the event loop, with the program's handling of the signals that end
// it; then it waits for more, as the program does, until it is told to
// end. Its exit status is 0 when the save and the end went as they should.
pid_t startSave(const QString &path, const QByteArray &bytes)
{
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    int argc = 1;
    char name[] = "formular";
    char *argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    int status = platform::quitOnTermination().ok() ? 0 : 2;
    QTimer::singleShot(0, &application, [&] {
        if (!wholefile::write(path, bytes).ok())
            status = 3;
    });
    if (application.exec() != 0)
        status = 4;
    std::fflush(nullptr);
    ::_exit(status);
}

// Waits until the save of formular.rtf into `folder` has its own file there
// at the moment asked for: "writing" (some bytes but not all of `size`) or
// "syncing" (all of them, not yet renamed into place). Its name, or empty
// when the save got past that moment unseen.
QString scratchAt(const QString &folder, const QString &moment, qint64 size)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        const QStringList now = entries(folder);
        for (const QString &name : now) {
            struct stat info { };
            if (name == QLatin1String("formular.rtf")
                || ::stat(QFile::encodeName(folder + '/' + name).constData(), &info) != 0)
                continue;
            if (moment == QLatin1String("writing") ? info.st_size > 0 && info.st_size < size : info.st_size == size)
                return name;
        }
        if (QFileInfo(folder + QStringLiteral("/formular.rtf")).size() == size)
            return QString(); // renamed into place meanwhile
        ::usleep(100);
    }
    return QString();
}
#endif

} // namespace

class WholeFileTest : public QObject {
    Q_OBJECT
private slots:
    void linkSwappedInIsNeverWrittenThrough_data();
    void linkSwappedInIsNeverWrittenThrough();
    void longestNamesAreWritten_data();
    void longestNamesAreWritten();
    void leftScratchIsRemovedAndNothingElse_data();
    void leftScratchIsRemovedAndNothingElse();
    void saveStoppedOnItsWay_data();
    void saveStoppedOnItsWay();
};

void WholeFileTest::linkSwappedInIsNeverWrittenThrough_data()
{
    QTest::addColumn<bool>("folderSwapped");
    QTest::newRow("the document swapped for a link to another file") << false;
    QTest::newRow("its folder swapped for a link to another folder") << true;
}

// Another process keeps replacing the document, or its folder, with a link
// to some other file or folder. Whether a save is refused or lands, the
// other file never changes and no scratch file is left anywhere.
void WholeFileTest::linkSwappedInIsNeverWrittenThrough()
{
#ifndef Q_OS_UNIX
    QSKIP("links are made with POSIX calls here");
#else
    QFETCH(bool, folderSwapped);
    QTemporaryDir above;
    QVERIFY(above.isValid());
    const QString work = above.filePath("work");
    const QString others = above.filePath("others");
    QVERIFY(QDir().mkpath(work) && QDir().mkpath(others));
    const QString document = work + "/formular.rtf";
    const QString other = folderSwapped ? others + "/formular.rtf" : work + "/someone-elses.txt";
    const QByteArray untouched("not yours");
    put(other, untouched);

    std::atomic<bool> stop{false};
    std::atomic<int> swaps{0};
    std::thread swapper([&] {
        if (folderSwapped) {
            // The folder and a link to the other folder change places, at
            // once, in the folder above: the path always leads somewhere.
            // Each stands there for a while of its own, up to a few saves
            // long, so that saves meet both and many are swapped in between.
            const QByteArray folder = QFile::encodeName(work);
            const QByteArray link = QFile::encodeName(above.filePath("aside"));
            if (::symlink("others", link.constData()) != 0)
                return;
            while (!stop) {
                if (::renameat2(AT_FDCWD, folder.constData(), AT_FDCWD, link.constData(), RENAME_EXCHANGE) == 0)
                    ++swaps;
                ::usleep(QRandomGenerator::global()->bounded(2000));
            }
            return;
        }
        // Turn about, a file and a link to the other file are renamed into
        // the document's place.
        const QByteArray plain = QFile::encodeName(work + "/plain.tmp");
        const QByteArray link = QFile::encodeName(work + "/link.tmp");
        const QByteArray target = QFile::encodeName(document);
        while (!stop) {
            const int fd = ::open(plain.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0)
                ::close(fd);
            ::rename(plain.constData(), target.constData());
            ::unlink(link.constData());
            if (::symlink("someone-elses.txt", link.constData()) == 0
                && ::rename(link.constData(), target.constData()) == 0)
                ++swaps;
        }
    });
    int saved = 0, refused = 0;
    // At least 3,000 saves, and on until each side of the race was met often.
    for (int i = 0; i < 200000 && (i < 3000 || saved < 300 || refused < 300); ++i)
        (wholefile::write(document, "{\\rtf1 order " + QByteArray::number(i) + "}").ok() ? saved : refused)++;
    stop = true;
    swapper.join();

    // The real folder stands at one of the two names now, the link at the
    // other.
    const QString real = QFileInfo(work).isSymLink() ? above.filePath("aside") : work;
    QStringList left;
    for (const QString &folder : {real, others})
        for (const QString &name : entries(folder))
            if (name != QLatin1String("formular.rtf") && name.contains(QLatin1String("formular.rtf")))
                left << name;
    const QString figures = QStringLiteral("%1 swaps, %2 saved, %3 refused; the other file %4; %5 scratch files left")
                                .arg(swaps.load())
                                .arg(saved)
                                .arg(refused)
                                .arg(contents(other) == untouched ? "untouched" : "replaced")
                                .arg(left.size());
    qInfo("%s", qPrintable(figures));
    QVERIFY2(contents(other) == untouched, qPrintable(figures));
    QVERIFY2(left.isEmpty(), qPrintable(figures));
    // Both sides of the race were taken, or the test proved nothing.
    QVERIFY2(swaps > 0 && saved >= 300 && refused >= 300, qPrintable(figures));
#endif
}

// A name is written whatever its length, up to the longest a folder takes:
// the scratch file's name beside it stays within that too.
void WholeFileTest::longestNamesAreWritten_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("233 characters") << 233;
    QTest::newRow("234 characters") << 234;
    QTest::newRow("255 characters") << 255;
}

void WholeFileTest::longestNamesAreWritten()
{
    QFETCH(int, length);
    QTemporaryDir folder;
    const QString name = QString(length - 4, QLatin1Char('n')) + QStringLiteral(".rtf");
    const Outcome saved = wholefile::write(folder.filePath(name), "{\\rtf1 order}");
    QVERIFY2(saved.ok(), qPrintable(saved.message()));
    QVERIFY2(wholefile::write(folder.filePath(name), "{\\rtf1 order 2}").ok(), "and once more over it");
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{name});
}

// Whatever stands beside the document under a scratch file's name, or a
// name like one, a save removes it only when it is plainly a file that a
// save of ours left behind long ago.
void WholeFileTest::leftScratchIsRemovedAndNothingElse_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("removed");
    const QString token = QStringLiteral("k2x9q0m4vb7a");
    QTest::newRow("left by a save of ours") << OwnScratch << "file" << true;
    QTest::newRow("changed within the last half minute") << OwnScratch << "recent file" << false;
    QTest::newRow("another document's") << ".formular.pdf." + token + ".partial"
                                        << "file" << false;
    QTest::newRow("not hidden") << "formular.rtf." + token + ".partial"
                                << "file" << false;
    QTest::newRow("token a letter short") << ".formular.rtf." + token.chopped(1) + ".partial"
                                          << "file" << false;
    QTest::newRow("token with a capital") << ".formular.rtf." + token.chopped(1) + "A.partial"
                                          << "file" << false;
    QTest::newRow("end a letter short") << ".formular.rtf." + token + ".partia"
                                        << "file" << false;
    QTest::newRow("a link of that name") << OwnScratch << "link" << false;
    QTest::newRow("a folder of that name") << OwnScratch << "folder" << false;
    QTest::newRow("a FIFO of that name") << OwnScratch << "FIFO" << false;
    QTest::newRow("a file with a second name elsewhere") << OwnScratch << "hard link" << false;
    QTest::newRow("another user's file") << OwnScratch << "another user's file" << false;
}

void WholeFileTest::leftScratchIsRemovedAndNothingElse()
{
#ifndef Q_OS_UNIX
    QSKIP("the look-alikes are made with POSIX calls here");
#else
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, removed);
    if (kind == QLatin1String("another user's file") && ::geteuid() != 0)
        QSKIP("only an administrator can give a file to another user");
    QTemporaryDir folder, elsewhere;
    const QString document = folder.filePath("formular.rtf");
    put(document, "{\\rtf1 the previous order}");
    const QString entry = folder.filePath(name);
    const QByteArray path = QFile::encodeName(entry);
    if (kind.endsWith(QLatin1String("file")))
        put(entry, "{\\rtf1 half an ord");
    if (kind == QLatin1String("another user's file"))
        QCOMPARE(::chown(path.constData(), 65534, 65534), 0);
    if (kind == QLatin1String("link")) {
        put(elsewhere.filePath("target"), "not yours");
        QVERIFY(QFile::link(elsewhere.filePath("target"), entry));
    }
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(entry));
    if (kind == QLatin1String("FIFO"))
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    if (kind == QLatin1String("hard link")) {
        put(elsewhere.filePath("kept"), "kept");
        QCOMPARE(::link(QFile::encodeName(elsewhere.filePath("kept")).constData(), path.constData()), 0);
    }
    if (kind != QLatin1String("recent file"))
        QVERIFY(fromAnHourAgo(entry));
    const QString before = standing(entry);
    const QString beforeElsewhere = standing(elsewhere.filePath("target")) + standing(elsewhere.filePath("kept"));

    const Outcome saved = wholefile::write(document, "{\\rtf1 the new order}");
    QVERIFY2(saved.ok(), qPrintable(saved.message()));
    QCOMPARE(contents(document), QByteArray("{\\rtf1 the new order}"));
    QCOMPARE(standing(entry), removed ? QStringLiteral("nothing") : before);
    QCOMPARE(standing(elsewhere.filePath("target")) + standing(elsewhere.filePath("kept")), beforeElsewhere);
    // Nothing else was made or left.
    QCOMPARE(entries(folder.path()).size(), removed ? 1 : 2);
#endif
}

// A large save stopped while its bytes are written, or at their sync just
// before the rename: by SIGKILL, which nothing can handle (the document is
// whole all the same, and the next save removes what was left), by SIGTERM,
// which ends the program only once the save is over, or by SIGSTOP while
// another save runs, which leaves the stopped one's file alone.
void WholeFileTest::saveStoppedOnItsWay_data()
{
#ifdef Q_OS_UNIX
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("moment");
    QTest::newRow("SIGKILL while writing") << SIGKILL << "writing";
    QTest::newRow("SIGKILL at the sync") << SIGKILL << "syncing";
    QTest::newRow("SIGTERM while writing") << SIGTERM << "writing";
    QTest::newRow("SIGTERM at the sync") << SIGTERM << "syncing";
    QTest::newRow("SIGSTOP while writing, another save meanwhile") << SIGSTOP << "writing";
#endif
}

void WholeFileTest::saveStoppedOnItsWay()
{
#ifndef Q_OS_UNIX
    QSKIP("the save is stopped by Unix signals");
#else
    QFETCH(int, signal);
    QFETCH(QString, moment);
    // On a disk, where a sync takes its time (the build folder's, not a
    // temporary folder that may be in memory).
    QTemporaryDir folder(QDir::currentPath() + QStringLiteral("/stopped-XXXXXX"));
    const QString document = folder.filePath("formular.rtf");
    const QByteArray previous("{\\rtf1 the previous order}");
    const QByteArray large = "{\\rtf1 " + QByteArray(64 << 20, 'x') + "}";
    QString scratch; // the stopped save's file
    bool caught = false;
    int status = 0;
    for (int attempt = 0; attempt < 10 && !caught; ++attempt) {
        put(document, previous);
        const pid_t pid = startSave(document, large);
        scratch = scratchAt(folder.path(), moment, large.size());
        ::kill(pid, scratch.isEmpty() ? SIGKILL : signal);
        // Before the rename, or missed; a SIGKILL is judged by what it left.
        caught = !scratch.isEmpty() && (signal == SIGKILL || QFile::exists(folder.filePath(scratch)));
        if (signal == SIGSTOP && caught) {
            // Stopped for longer than a save of ours takes to look left behind.
            QVERIFY(fromAnHourAgo(folder.filePath(scratch)));
            QVERIFY(wholefile::write(document, "{\\rtf1 meanwhile}").ok());
            QVERIFY2(QFile::exists(folder.filePath(scratch)), "the stopped save's file was removed");
            ::kill(pid, SIGCONT);
            QElapsedTimer clock;
            clock.start();
            while (QFileInfo(document).size() != large.size() && clock.elapsed() < 60000)
                ::usleep(1000);
        }
        if (signal == SIGSTOP) { // the end of the session, after the save
            ::kill(pid, SIGTERM);
            ::kill(pid, SIGCONT);
        }
        QCOMPARE(::waitpid(pid, &status, 0), pid);
        if (signal == SIGKILL)
            caught = caught && QFile::exists(folder.filePath(scratch));
    }
    QVERIFY2(caught, "no save was caught at that moment");

    if (signal == SIGKILL) {
        QCOMPARE(contents(document), previous);
        // The program starts again later, and saves.
        QVERIFY(fromAnHourAgo(folder.filePath(scratch)));
        QVERIFY(wholefile::write(document, "{\\rtf1 the next order}").ok());
    } else {
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0,
            qPrintable(WIFSIGNALED(status) ? QStringLiteral("ended by signal %1").arg(WTERMSIG(status))
                                           : QStringLiteral("exit status %1").arg(WEXITSTATUS(status))));
        QVERIFY(contents(document) == large);
    }
    QCOMPARE(entries(folder.path()), QStringList{"formular.rtf"});
#endif
}

QTEST_APPLESS_MAIN(WholeFileTest)
#include "tst_wholefile.moc"
