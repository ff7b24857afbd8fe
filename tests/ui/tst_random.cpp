// A seeded random user at the main window: a few thousand actions of every
// kind, with the form's rules checked after each one.
//
// FORMULAR_SEED=<number> adds one more run with that seed, to replay a
// failure reported by the benchmark or by an earlier run.

#include "randomsession.h"

#include <QElapsedTimer>
#include <cstdio>

class TestRandom : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ui::setUp();
        randomtest::quietenPlatformNotices();
    }
    void randomActions_data();
    void randomActions();
};

void TestRandom::randomActions_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("actions");
    QTest::newRow("seed 1, Czech") << quint64(1) << QStringLiteral("Czech") << 1000;
    QTest::newRow("seed 2, English") << quint64(2) << QStringLiteral("English") << 1000;
    QTest::newRow("seed 20240611, Czech") << quint64(20240611) << QStringLiteral("Czech") << 1000;
    bool ok = false;
    const quint64 extra = qEnvironmentVariable("FORMULAR_SEED").toULongLong(&ok);
    if (ok) {
        const QString language = extra % 2 ? QStringLiteral("English") : QStringLiteral("Czech");
        QTest::newRow(qPrintable(QStringLiteral("FORMULAR_SEED %1, %2").arg(extra).arg(language)))
            << extra << language << 1000;
    }
}

void TestRandom::randomActions()
{
    QFETCH(quint64, seed);
    QFETCH(QString, language);
    QFETCH(int, actions);
    Forms forms(language, true);
    RandomSession session(forms, seed);
    QElapsedTimer clock;
    clock.start();
    while (session.steps() < actions)
        if (!session.step())
            QFAIL(qPrintable(session.failure()));
    qInfo("seed %llu: %lld actions, %lld checks passed, %lld documents, %lld ms", seed, session.steps(),
        session.checks(), session.documents(), clock.elapsed());
    // A run that checks next to nothing proves nothing.
    QVERIFY2(session.checks() > 50 * actions, qPrintable(QString::number(session.checks())));
    QVERIFY(session.documents() > 0);
}

QTEST_MAIN(TestRandom)
#include "tst_random.moc"
