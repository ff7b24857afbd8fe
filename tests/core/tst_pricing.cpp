// The total is recomputed from scratch from the order.

#include "pricing.h"

#include <QTest>

using namespace catalogue;

Q_DECLARE_METATYPE(Order)

namespace {

constexpr int H0 = 1, H1 = 2, H1I = 3, UI = 37, TB = 54, Separator = 46;

Order with(Model model, const QList<int> &modules = {}, const QList<int> &ticked = {})
{
    Order order;
    order.model = model;
    for (int i = 0; i < modules.size(); ++i)
        order.channels[std::size_t(i)].module = modules.at(i);
    for (int tag : ticked)
        order.accessory(tag).ticked = true;
    return order;
}

QList<int> fitted(int count, int module = H0)
{
    return QList<int>(count, module);
}

Order withVariant(Order order, int tag, int variant)
{
    order.accessory(tag).variant = variant;
    return order;
}

} // namespace

class TestPricing : public QObject {
    Q_OBJECT
private slots:
    void totals_data();
    void totals();
    void dearestOrderStaysInRange();
};

void TestPricing::totals_data()
{
    QTest::addColumn<Order>("order");
    QTest::addColumn<int>("total");

    QTest::newRow("nothing chosen") << Order{} << 0;
    QTest::newRow("TQ8 alone") << with(Model::TQ8) << 15990;
    QTest::newRow("TQ8R with H1I and TB") << with(Model::TQ8R, {H1I, TB}) << 22935;
    QTest::newRow("separators and empty channels count nothing")
        << with(Model::TQ8R, {0, Order::NoModule, H1, Separator}) << 18980 + 298;

    Order zk222 = with(Model::ZK222, {}, {3, 17, 18});
    for (int tag : {3, 17, 18, 28})
        zk222.accessory(tag).enabled = false;
    zk222.accessory(CableTag).variant = 1;
    QTest::newRow("ZK222: ticked but disabled adds nothing") << zk222 << 23050;
    zk222.accessory(10).ticked = true;
    QTest::newRow("ZK222 with another accessory") << zk222 << 23050 + 450;

    const Order adapter = with(Model::TQ8, {}, {AdapterTag});
    QTest::newRow("adapter item 2") << withVariant(adapter, AdapterTag, 2) << 15990 + 1960;
    QTest::newRow("adapter item 0") << adapter << 15990 + 680;
    QTest::newRow("cable 5 m") << withVariant(with(Model::TQ8, {}, {CableTag}), CableTag, 1) << 15990 + 690;
    QTest::newRow("a variant of an unticked accessory adds nothing")
        << withVariant(with(Model::TQ8), CableTag, 2) << 15990;

    QTest::newRow("certificate, 8 channels: SVC810") << with(Model::TQ8, fitted(8), {29}) << 15990 + 8 * 298 + 1900;
    QTest::newRow("certificate, 9 channels: SVC811") << with(Model::TQ8, fitted(9), {29}) << 15990 + 9 * 298 + 2700;
    QTest::newRow("certificate ignores separators")
        << with(Model::TQ8, fitted(8) + QList<int>{0, Order::NoModule, Separator}, {29}) << 15990 + 8 * 298 + 1900;
    Order withdrawn = with(Model::TQ8, fitted(12), {29});
    withdrawn.accessory(29).enabled = false; // English withdraws the certificate
    QTest::newRow("withdrawn certificate") << withdrawn << 15990 + 12 * 298;
    QTest::newRow("ZK202 twice") << with(Model::TQ8, {}, {4, 14}) << 15990 + 2 * 195;
    QTest::newRow("software card without a model") << with(Model::None, {}, {1}) << 2850;
}

void TestPricing::totals()
{
    QFETCH(Order, order);
    QFETCH(int, total);
    QCOMPARE(pricing::total(order), total);
}

void TestPricing::dearestOrderStaysInRange()
{
    Order order = with(Model::ZK222, fitted(16, UI));
    for (auto &accessory : order.accessories)
        accessory.ticked = true;
    order.accessory(AdapterTag).variant = 2;
    order.accessory(CableTag).variant = 2;
    const qint32 total = pricing::total(order);
    QVERIFY(total > 23050 + 16 * 2675);
    QVERIFY(total < 1000000);
}

QTEST_APPLESS_MAIN(TestPricing)
#include "tst_pricing.moc"
