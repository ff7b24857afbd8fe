// The total is recomputed from scratch from what the form shows.

#include "pricing.h"

#include <QTest>

using namespace catalogue;
using pricing::Selection;

Q_DECLARE_METATYPE(pricing::Selection)

namespace {

Selection with(Model model, const QStringList &modules = {}, const QList<int> &ticked = {})
{
    Selection s;
    s.model = model;
    for (int i = 0; i < modules.size(); ++i)
        s.moduleCells[std::size_t(i)] = modules.at(i);
    for (int tag : ticked)
        s.accessories[std::size_t(tag - 1)].ticked = true;
    return s;
}

QStringList fitted(int count, const QString &code = QStringLiteral("H0 "))
{
    QStringList cells;
    for (int i = 0; i < count; ++i)
        cells << code;
    return cells;
}

} // namespace

class TestPricing : public QObject {
    Q_OBJECT
private slots:
    void totals_data();
    void totals();
    void channelCountOnlyWithCalibration();
    void dearestOrderStaysInRange();
};

void TestPricing::totals_data()
{
    QTest::addColumn<Selection>("selection");
    QTest::addColumn<int>("total");

    QTest::newRow("nothing chosen") << Selection{} << 0;
    QTest::newRow("TQ8 alone") << with(Model::TQ8) << 15990;
    QTest::newRow("TQ8R with H1I and TB") << with(Model::TQ8R, {"H1I", "TB "}) << 22935;
    QTest::newRow("separators and empty cells count nothing")
        << with(Model::TQ8R, {"---", "", "H1 ", "---"}) << 18980 + 298;

    Selection zk222 = with(Model::ZK222, {}, {3, 17, 18});
    for (int tag : {3, 17, 18, 28})
        zk222.accessories[std::size_t(tag - 1)].enabled = false;
    zk222.cableItem = 1;
    QTest::newRow("ZK222: ticked but disabled adds nothing") << zk222 << 23050;

    Selection zk222Extra = zk222;
    zk222Extra.accessories[9].ticked = true; // tag 10
    QTest::newRow("ZK222 with another accessory") << zk222Extra << 23050 + 450;

    Selection adapter = with(Model::TQ8, {}, {2});
    adapter.adapterItem = 2;
    QTest::newRow("adapter item 2") << adapter << 15990 + 1960;
    adapter.adapterItem = 0;
    QTest::newRow("adapter item 0") << adapter << 15990 + 680;

    Selection cable = with(Model::TQ8, {}, {18});
    cable.cableItem = 1;
    QTest::newRow("cable 5 m") << cable << 15990 + 690;

    QTest::newRow("calibration, 8 channels") << with(Model::TQ8, fitted(8), {29}) << 15990 + 8 * 298 + 1900;
    QTest::newRow("calibration, 9 channels") << with(Model::TQ8, fitted(9), {29}) << 15990 + 9 * 298 + 2700;
    QStringList eightAndSeparators = fitted(8);
    eightAndSeparators << "---"
                       << ""
                       << "---";
    QTest::newRow("calibration ignores separators")
        << with(Model::TQ8, eightAndSeparators, {29}) << 15990 + 8 * 298 + 1900;
    QTest::newRow("ZK202 twice") << with(Model::TQ8, {}, {4, 14}) << 15990 + 2 * 195;
    QTest::newRow("software card priced by its code") << with(Model::None, {}, {1}) << 2850;
}

void TestPricing::totals()
{
    QFETCH(Selection, selection);
    QFETCH(int, total);
    QCOMPARE(pricing::computeTotal(selection).price, total);
}

void TestPricing::channelCountOnlyWithCalibration()
{
    Selection s = with(Model::TQ8, fitted(12));
    QVERIFY(!pricing::computeTotal(s).channelCount.has_value());
    s.accessories[28].ticked = true;
    QCOMPARE(pricing::computeTotal(s).channelCount.value(), 12);
    s.accessories[28].enabled = false; // English withdraws the certificate
    QVERIFY(!pricing::computeTotal(s).channelCount.has_value());
    QCOMPARE(pricing::computeTotal(s).price, 15990 + 12 * 298);
}

void TestPricing::dearestOrderStaysInRange()
{
    Selection s = with(Model::ZK222, fitted(16, QStringLiteral("UI ")));
    for (auto &a : s.accessories)
        a.ticked = true;
    s.adapterItem = 2;
    s.cableItem = 2;
    const qint32 total = pricing::computeTotal(s).price;
    QVERIFY(total > 23050 + 16 * 2675);
    QVERIFY(total < 1000000);
}

QTEST_APPLESS_MAIN(TestPricing)
#include "tst_pricing.moc"
