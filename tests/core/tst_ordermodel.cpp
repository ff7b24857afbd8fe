// The order's rules: model choice, the bus interface, the language and the
// reset, judged by the ticks, the enabled states and the total they leave.

#include "ordermodel.h"

#include <QtTest>

using catalogue::Language;
using catalogue::Model;

Q_DECLARE_METATYPE(Model)
Q_DECLARE_METATYPE(QList<int>)

namespace {

constexpr int H1I = 3;           // 1975,-
constexpr int W1 = 15;           // 550,-
constexpr int TB = 54;           // 1980,-, takes the rest of the bus
constexpr int DinRailHolder = 3; // 350,-
constexpr int Adapter = 2;       // 680,- / ... / 1960,-
constexpr int Cable = 18;        // .. / 690,- / ..
constexpr int Cabinet = 28;
constexpr int Certificate = 29; // 1900,- up to eight channels, 2700,- above

QList<int> tags(const OrderModel &order, bool (OrderModel::*state)(int) const, bool wanted)
{
    QList<int> result;
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
        if ((order.*state)(tag) == wanted)
            result << tag;
    return result;
}

} // namespace

class OrderModelTest : public QObject {
    Q_OBJECT

private slots:
    void modelRules_data();
    void modelRules();
    void sameModelAgainChangesNothing();
    void busInterfaceTakesTheRest();
    void certificateFollowsChannelsAndLanguage();
    void resetKeepsLanguage();
    void moduleCodesAgreeInBothLanguages();
};

// Model × earlier ticks → ticks, disabled boxes and total.
void OrderModelTest::modelRules_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QList<Model>>("models");
    QTest::addColumn<QList<int>>("tickedBefore");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QList<int>>("disabled");
    QTest::addColumn<qint32>("total");

    QTest::newRow("TQ8 frees the assembly parts")
        << Language::Czech << QList<Model>{Model::TQ8} << QList<int>{Adapter, DinRailHolder, Cabinet}
        << QList<int>{Adapter} << QList<int>{} << qint32(15990 + 680);
    QTest::newRow("ZK222 ticks its parts, which add nothing")
        << Language::Czech << QList<Model>{Model::TQ8, Model::ZK222} << QList<int>{Adapter, Cabinet}
        << QList<int>{Adapter, DinRailHolder, 17, Cable} << QList<int>{DinRailHolder, 17, Cable, Cabinet}
        << qint32(23050 + 680);
    QTest::newRow("TQ8R after ZK222") << Language::Czech << QList<Model>{Model::ZK222, Model::TQ8R}
                                      << QList<int>{Adapter} << QList<int>{Adapter} << QList<int>{}
                                      << qint32(18980 + 680);
    QTest::newRow("ZK222 in English offers the certificate")
        << Language::English << QList<Model>{Model::ZK222} << QList<int>{} << QList<int>{DinRailHolder, 17, Cable}
        << QList<int>{DinRailHolder, 17, Cable, Cabinet} << qint32(23050);
    QTest::newRow("TQ8 in English leaves the certificate withdrawn")
        << Language::English << QList<Model>{Model::TQ8} << QList<int>{} << QList<int>{} << QList<int>{Certificate}
        << qint32(15990);
}

void OrderModelTest::modelRules()
{
    QFETCH(Language, language);
    QFETCH(QList<Model>, models);
    QFETCH(QList<int>, tickedBefore);
    QFETCH(QList<int>, ticked);
    QFETCH(QList<int>, disabled);
    QFETCH(qint32, total);

    OrderModel order;
    order.setLanguage(language);
    for (int tag : tickedBefore)
        order.setTicked(tag, true);
    for (Model model : models)
        order.chooseModel(model);

    QCOMPARE(tags(order, &OrderModel::isTicked, true), ticked);
    QCOMPARE(tags(order, &OrderModel::isEnabled, false), disabled);
    QCOMPARE(order.total(), total);
}

// Choosing the model already chosen changes nothing and tells nothing.
void OrderModelTest::sameModelAgainChangesNothing()
{
    OrderModel order;
    order.chooseModel(Model::ZK222);
    const Order before = order.order();
    QSignalSpy ticks(&order, &OrderModel::tickChanged);
    QSignalSpy enabled(&order, &OrderModel::enabledChanged);
    QSignalSpy models(&order, &OrderModel::modelChanged);
    order.chooseModel(Model::ZK222);
    QVERIFY(ticks.isEmpty() && enabled.isEmpty() && models.isEmpty());
    QCOMPARE(order.order(), before);
}

void OrderModelTest::busInterfaceTakesTheRest()
{
    OrderModel order;
    order.chooseModel(Model::TQ8R);
    for (int channel = 1; channel <= OrderModel::ChannelCount; ++channel)
        order.fitModule(channel, W1);
    order.fitModule(1, H1I);
    QSignalSpy changed(&order, &OrderModel::channelChanged);
    order.fitModule(2, TB);
    QCOMPARE(changed.count(), 15);
    QCOMPARE(order.moduleCode(2), QStringLiteral("TB "));
    for (int channel = 3; channel <= OrderModel::ChannelCount; ++channel)
        QCOMPARE(order.moduleCode(channel), QStringLiteral("---"));
    QCOMPARE(order.fittedChannels(), 2);
    QCOMPARE(order.total(), 18980 + 1975 + 1980);
}

void OrderModelTest::certificateFollowsChannelsAndLanguage()
{
    OrderModel order;
    order.chooseModel(Model::TQ8);
    order.setTicked(Certificate, true);
    for (int channel = 1; channel <= 8; ++channel)
        order.fitModule(channel, W1);
    QCOMPARE(order.total(), 15990 + 8 * 550 + 1900);
    order.fitModule(9, W1);
    QCOMPARE(order.total(), 15990 + 9 * 550 + 2700);
    order.fitModule(9, 0); // "---" is no module
    QCOMPARE(order.fittedChannels(), 8);

    order.setLanguage(Language::English);
    QVERIFY(!order.isTicked(Certificate) && !order.isEnabled(Certificate));
    QCOMPARE(order.total(), 15990 + 8 * 550);
    order.setLanguage(Language::Czech);
    QVERIFY(!order.isTicked(Certificate) && order.isEnabled(Certificate));
}

void OrderModelTest::resetKeepsLanguage()
{
    OrderModel order;
    order.setLanguage(Language::English);
    order.chooseModel(Model::ZK222);
    order.fitModule(1, H1I);
    order.setNote(1, QStringLiteral("boiler"));
    order.setTicked(Adapter, true);
    order.setVariant(Adapter, 2);
    order.setVariant(Cable, 1);
    order.reset();

    QCOMPARE(order.model(), Model::None);
    QCOMPARE(order.language(), Language::English);
    QCOMPARE(order.module(1), OrderModel::NoModule);
    QCOMPARE(order.note(1), QString());
    QVERIFY(tags(order, &OrderModel::isTicked, true).isEmpty());
    // The assembly parts are free again; the certificate stays as ZK222 left it.
    QVERIFY(tags(order, &OrderModel::isEnabled, false).isEmpty());
    QCOMPARE(order.variant(Adapter) + order.variant(Cable), 0);
    QCOMPARE(order.total(), 0);
}

// A channel shows its module's code, which is the start of its picker text
// in either language.
void OrderModelTest::moduleCodesAgreeInBothLanguages()
{
    for (int i = 0; i < catalogue::ModuleCount; ++i) {
        OrderModel order;
        order.fitModule(1, i);
        for (Language language : {Language::Czech, Language::English})
            QCOMPARE(catalogue::moduleDescription(i, language).left(3), order.moduleCode(1));
    }
}

QTEST_APPLESS_MAIN(OrderModelTest)
#include "tst_ordermodel.moc"
