// Writing a file whole while someone swaps a link into its place.

#include "wholefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

class WholeFileTest : public QObject {
    Q_OBJECT
private slots:
    void linkSwappedInIsNeverWrittenThrough();
};

// Another process keeps replacing the document with a link to some other
// file. Whether a save is refused or lands, the other file never changes.
void WholeFileTest::linkSwappedInIsNeverWrittenThrough()
{
#ifndef Q_OS_UNIX
    QSKIP("links are made with POSIX calls here");
#else
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString document = folder.filePath("formular.rtf");
    const QString other = folder.filePath("someone-elses.txt");
    const QByteArray untouched("not yours");
    {
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(untouched) == untouched.size());
    }

    std::atomic<bool> stop{false};
    std::atomic<int> swaps{0};
    // Turn about, a file and a link to the other file are renamed into the
    // document's place.
    std::thread swapper([&] {
        const QByteArray plain = QFile::encodeName(folder.filePath("plain.tmp"));
        const QByteArray link = QFile::encodeName(folder.filePath("link.tmp"));
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

    QFile file(other);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), untouched);
    // Both sides of the race were taken, or the test proved nothing.
    QVERIFY2(swaps > 0 && saved >= 300 && refused >= 300,
        qPrintable(QStringLiteral("%1 swaps, %2 saved, %3 refused").arg(swaps.load()).arg(saved).arg(refused)));
    QCOMPARE(
        QDir(folder.path()).entryList(QDir::Files | QDir::System).filter("formular.rtf.").size(), 0); // no scratch left
#endif
}

QTEST_APPLESS_MAIN(WholeFileTest)
#include "tst_wholefile.moc"
