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
    OrderSnapshot order;
    order.language = catalogue::Language::Czech;
    order.model = catalogue::Model::TQ8R;
    const QStringList captions{"Název firmy: ", "Adresa: ", "Kontaktní osoba: ", "Telefon: ", "Email: "};
    const QStringList texts{"Měřicí technika Šumava s.r.o.", "Žižkova 12, České Budějovice", "Ing. Jiří Dvořák",
        "+420 387 123 456", "jiri.dvorak@example.cz"};
    for (int i = 0; i < ContactLines; ++i)
        order.contact[std::size_t(i)] = {captions[i], texts[i]};
    for (int row = 0; row < ChannelRows; ++row) {
        const int index = 1 + row * 3;
        order.rows[std::size_t(row)] = {catalogue::qs(catalogue::moduleAt(index).Code).leftJustified(3),
            QString::number(index), QStringLiteral("čidlo %1, kotelna {sever}").arg(row + 1)};
    }
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
        order.accessories[std::size_t(tag - 1)] = {catalogue::accessoryCaption(tag, order.language), true, true};
    order.adapterItem = 2;
    order.adapterText = catalogue::variantItem(catalogue::AdapterTag, 2);
    order.cableItem = 1;
    order.cableText = catalogue::variantItem(catalogue::CableTag, 1);
    order.channelCount = ChannelRows;
    order.totalCaption = QStringLiteral("123456,-");

    const QByteArray tpl = templateFor(order.language);
    QByteArray document;
    QBENCHMARK {
        document = fillOrderDocument(tpl, order);
    }
    QVERIFY(!document.contains("$_"));
}

QTEST_APPLESS_MAIN(OrderDocumentBench)
#include "bench_orderdocument.moc"
