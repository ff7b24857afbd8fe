// The catalogues are data that several parts of the program index into by
// position and by code: these tests hold the properties they rely on.

#include "catalogue.h"
#include "order.h"

#include <QSet>
#include <QTest>

using namespace catalogue;

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void moduleTextsStartWithTheirCode();
    void codesAreDistinctAndFoundFirstBySubstring();
    void pricesSumToTheCatalogueTotal();
    void lookupsOutsideTheTablesFail();
    void accessoryTableShape();
    void selectedVariants_data();
    void selectedVariants();
    void captionsAndItems();
    void accessoryDescriptorsHangTogether();
};

void TestCatalogue::moduleTextsStartWithTheirCode()
{
    for (int i = 0; i < ModuleCount; ++i) {
        const QString code = qs(ModuleTable[i].Code);
        const QString cz = moduleDescription(i, Language::Czech);
        const QString en = moduleDescription(i, Language::English);
        if (i == 0 || i == SeparatorIndex) {
            QCOMPARE(cz, QStringLiteral("---"));
            QCOMPARE(en, QStringLiteral("---"));
            QCOMPARE(ModuleTable[i].Price, 0);
            QCOMPARE(qs(ModuleTable[i].OrderCode), QStringLiteral("---"));
            continue;
        }
        for (const QString &text : {cz, en}) {
            QVERIFY2(text.startsWith(code), qPrintable(text));
            // The code, blanks, then the bracketed description.
            const QString rest = text.mid(code.size());
            QVERIFY2(rest.startsWith(QLatin1Char(' ')), qPrintable(text));
            QCOMPARE(rest.trimmed().at(0), QLatin1Char('['));
            QCOMPARE(text.left(3).trimmed(), code);
        }
        QCOMPARE(cz.left(3), en.left(3));
        QCOMPARE(qs(ModuleTable[i].OrderCode).size(), 5);
    }
}

void TestCatalogue::codesAreDistinctAndFoundFirstBySubstring()
{
    QSet<QString> codes;
    for (int i = 0; i < ModuleCount; ++i)
        if (i != 0 && i != SeparatorIndex)
            codes.insert(qs(ModuleTable[i].Code));
    QCOMPARE(codes.size(), 53);

    // The picker preselects the first item containing the row's code: the
    // row's own module, item 0 for "---" and for an empty row.
    for (const Language language : {Language::Czech, Language::English}) {
        for (int i = 0; i < ModuleCount; ++i)
            QCOMPARE(pickerItemFor(moduleCell(i), language), i == SeparatorIndex ? 0 : i);
        QCOMPARE(pickerItemFor(QString(), language), 0);
        QCOMPARE(pickerItemFor(QStringLiteral("H1 "), language), 2); // whole, not H1I's prefix
    }
}

void TestCatalogue::pricesSumToTheCatalogueTotal()
{
    qint64 sum = 0;
    for (const TModulArray &entry : ModuleTable)
        sum += entry.Price;
    QCOMPARE(sum, qint64(77176));
}

void TestCatalogue::lookupsOutsideTheTablesFail()
{
    QCOMPARE(qs(moduleAt(46).OrderCode), QStringLiteral("---"));
    QCOMPARE(moduleAt(46).Price, 0);
#ifndef QT_NO_DEBUG
    QSKIP("lookups outside the tables stop a debug build at their assertion");
#else
    // A release build answers with nothing rather than reading outside.
    QCOMPARE(&moduleAt(55), &ModuleTable[0]);
    QCOMPARE(&moduleAt(-1), &ModuleTable[0]);
    QCOMPARE(accessory(0).picture, 0);
    QCOMPARE(accessory(30).picture, 0);
    QCOMPARE(accessoryPrice(1, 1), 0); // an empty variant
    QCOMPARE(accessoryPrice(2, 3), 0);
    QVERIFY(accessoryOrderCode(2, 3).isEmpty());
#endif
}

void TestCatalogue::accessoryTableShape()
{
    int variants = 0;
    for (int tag = 1; tag <= AccessoryCount; ++tag) {
        const Accessory &entry = accessory(tag);
        QVERIFY(!entry.orderCodes[0].empty());
        for (int v = 0; v < 3; ++v) {
            QCOMPARE(entry.orderCodes[v].empty(), entry.prices[v].empty());
            if (entry.prices[v].empty())
                continue;
            ++variants;
            const QString price = qs(entry.prices[v]);
            QVERIFY2(!price.isEmpty() && std::all_of(price.begin(), price.end(), [](QChar c) { return c.isDigit(); }),
                qPrintable(price));
            QVERIFY(accessoryPrice(tag, v) > 0);
        }
    }
    // 26 single-variant accessories, two with three variants, one with two.
    QCOMPARE(variants, 26 + 3 + 3 + 2);
    QCOMPARE(accessoryOrderCode(4, 0), accessoryOrderCode(14, 0));
    QCOMPARE(accessoryOrderCode(13, 0), accessoryOrderCode(18, 0));
}

// The variant an order's accessory is ordered in: its list's choice, the
// one the fitted channels decide, or the only one.
void TestCatalogue::selectedVariants_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("price");
    QTest::newRow("adapter item 2") << 2 << 2 << 0 << "N2203" << 1960;
    QTest::newRow("adapter item 0") << 2 << 0 << 0 << "N2201" << 680;
    QTest::newRow("cable 10 m") << 18 << 2 << 0 << "ZK211-10" << 980;
    QTest::newRow("fixed cable has no list") << 13 << 2 << 0 << "ZK211" << 440;
    QTest::newRow("calibration, no channels") << 29 << 0 << 0 << "SVC810" << 1900;
    QTest::newRow("calibration, 8 channels") << 29 << 0 << 8 << "SVC810" << 1900;
    QTest::newRow("calibration, 9 channels") << 29 << 0 << 9 << "SVC811" << 2700;
    QTest::newRow("software card") << 1 << 2 << 16 << "PG710" << 2850;
}

void TestCatalogue::selectedVariants()
{
    QFETCH(int, tag);
    QFETCH(int, chosen);
    QFETCH(int, channels);
    QFETCH(QString, code);
    QFETCH(int, price);
    Order order;
    order.accessory(tag).variant = chosen;
    for (int channel = 1; channel <= channels; ++channel)
        order.channel(channel).module = 1;
    const int variant = order.orderedVariant(tag);
    QCOMPARE(accessoryOrderCode(tag, variant), code);
    QCOMPARE(accessoryPrice(tag, variant), price);
}

void TestCatalogue::captionsAndItems()
{
    // Blanks inside captions are part of the text.
    QVERIFY(accessoryCaption(2, Language::Czech).endsWith(QStringLiteral("typ    ------- >>>")));
    QVERIFY(accessoryCaption(2, Language::English).endsWith(QStringLiteral("please  ------- >>>")));
    QVERIFY(accessoryCaption(1, Language::Czech).startsWith(QStringLiteral("PGR710 ")));
    QVERIFY(accessoryCaption(1, Language::English).startsWith(QStringLiteral("PGR740 ")));
    for (int tag = 1; tag <= AccessoryCount; ++tag) {
        QVERIFY(!accessoryCaption(tag, Language::Czech).isEmpty());
        QVERIFY(!accessoryCaption(tag, Language::English).isEmpty());
    }
    // The document splits adapter items at fixed positions.
    for (int k = 0; k < 3; ++k) {
        const QString item = variantItem(AdapterTag, k);
        QCOMPARE(item.left(5), accessoryOrderCode(2, k));
        QCOMPARE(item.mid(5, 3), QStringLiteral("   "));
        QCOMPARE(item.at(8), QLatin1Char('('));
    }
    QCOMPARE(priceText(18980), QStringLiteral("18980,-"));
    QCOMPARE(priceText(u"0"), QStringLiteral("0,-"));
}

// What the form and the document derive from each row: sections in form
// order, every section headed over at least one box, a variant list exactly
// where the variants come from one (its items, pictures and a number of its
// own), the one row set apart, the document's line formats, and the
// assembly's three parts and one exclusion.
void TestCatalogue::accessoryDescriptorsHangTogether()
{
    int previousSection = -1;
    QList<int> parts, excluded, apart, boxesPerSection(AccessorySectionCount, 0);
    QList<int> listNumbers, formatted;
    for (int tag = 1; tag <= AccessoryCount; ++tag) {
        const Accessory &entry = accessory(tag);
        QVERIFY2(entry.section >= previousSection && entry.section < AccessorySectionCount,
            qPrintable(QString::number(tag)));
        previousSection = entry.section;
        if (entry.section >= 0)
            ++boxesPerSection[entry.section];
        const bool hasList = hasVariantList(tag);
        for (const auto &item : entry.list.items)
            QCOMPARE(item.empty(), !hasList);
        QCOMPARE(entry.list.control != 0, hasList);
        if (hasList) {
            QVERIFY(!listNumbers.contains(entry.list.control) && entry.list.control != 1); // 1: the module picker
            listNumbers << entry.list.control;
            for (const int picture : entry.list.pictures)
                QVERIFY(picture >= 1 && picture <= 33);
            QVERIFY(!entry.list.nameCz.empty() && !entry.list.nameEn.empty() && entry.list.width > 0);
        }
        if (entry.flags & SetApart)
            apart << tag;
        if (entry.line != DocumentLine::Caption)
            formatted << tag;
        QVERIFY(entry.picture >= 1 && entry.picture <= 33);
        if (entry.assembly == AssemblyRole::Part)
            parts << tag;
        if (entry.assembly == AssemblyRole::Excluded)
            excluded << tag;
    }
    QVERIFY(!boxesPerSection.contains(0));
    QCOMPARE(parts, (QList<int>{3, 17, 18}));
    QCOMPARE(excluded, QList<int>{28});
    QCOMPARE(apart, QList<int>{CalibrationTag});
    QCOMPARE(listNumbers, (QList<int>{2, 3}));
    QCOMPARE(formatted, (QList<int>{AdapterTag, CableTag, CalibrationTag}));
    QCOMPARE(pictureOf(accessory(AdapterTag), 2), 3);
    QCOMPARE(pictureOf(accessory(CableTag), 2), accessory(CableTag).picture);
    QCOMPARE(pictureOf(accessory(CalibrationTag), 1), 33);
    QVERIFY(accessory(AdapterTag).list.choiceShowsPicture && !accessory(CableTag).list.choiceShowsPicture);
    // The bus interface alone takes the rest of the bus.
    for (int index = 0; index < ModuleCount; ++index)
        QCOMPARE(moduleAt(index).TakesRestOfBus, moduleCell(index) == QStringLiteral("TB "));
    QCOMPARE(accessory(AdapterTag).variants, Variants::FromList);
    QCOMPARE(accessory(CableTag).variants, Variants::FromList);
    QCOMPARE(accessory(CalibrationTag).variants, Variants::ByFittedChannels);
}

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
