// Filling the Czech order form: every accessory ticked, sixteen channels
// with notes.

#include "orderdocument.h"

#include <QtTest>

using namespace document;

class OrderDocumentBench : public QObject {
    Q_OBJECT

private slots:
    void fillCzechFullOrder();
};

void OrderDocumentBench::fillCzechFullOrder()
{
    const catalogue::Language language = catalogue::Language::Czech;
    Order order;
    order.model = catalogue::Model::TQ8R;
    const Contact contact{"Měřicí technika Šumava s.r.o.", "Žižkova 12, České Budějovice", "Ing. Jiří Dvořák",
        "+420 387 123 456", "jiri.dvorak@example.cz"};
    for (int channel = 1; channel <= Order::ChannelCount; ++channel)
        order.channel(channel) = {1 + (channel - 1) * 3, QStringLiteral("čidlo %1, kotelna {sever}").arg(channel)};
    for (Order::Accessory &accessory : order.accessories)
        accessory.ticked = true;
    order.accessory(catalogue::AdapterTag).variant = 2;
    order.accessory(catalogue::CableTag).variant = 1;

    const QByteArray tpl = templateFor(language);
    QByteArray document;
    QBENCHMARK {
        document = fill(tpl, order, language, contact);
    }
    QVERIFY(!document.contains("$_"));
}

QTEST_APPLESS_MAIN(OrderDocumentBench)
#include "bench_orderdocument.moc"
