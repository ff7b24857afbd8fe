#include "orderdocument.h"
#include "rtfscan.h"
#include "systemcodec.h"

#include <QtTest>

using namespace document;
using catalogue::Language;
using catalogue::Model;

// Expected text per placeholder code, as document bytes; absent = empty.
using Values = QHash<QByteArray, QByteArray>;
Q_DECLARE_METATYPE(document::OrderSnapshot)

namespace {

const QByteArray Underline(24, '_');

QByteArray cp1250(const QString &text)
{
    return systemcodec::toCp1250(text);
}

QByteArray code(int number)
{
    return "$_" + QByteArray::number(number);
}

// The template with every placeholder swapped for its expected value: the
// document as it must come out, byte for byte.
QByteArray expand(const QByteArray &tpl, const Values &values)
{
    QByteArray out;
    qsizetype from = 0;
    for (qsizetype p; (p = tpl.indexOf("$_", from)) >= 0; from = p + 5)
        out += tpl.mid(from, p - from) + values.value(tpl.mid(p, 5));
    return out + tpl.mid(from) + "\r\n";
}

OrderSnapshot order(Language language, Model model)
{
    const bool czech = language == Language::Czech;
    const QStringList captions =
        czech ? QStringList{"Název firmy: ", "Adresa: ", "Kontaktní osoba: ", "Telefon: ", "Email: "}
              : QStringList{"Company name: ", "Address: ", "Contact person: ", "Telephone: ", "Email: "};
    const QStringList texts{"ACME s.r.o.", "Hlavní 1", "Jan Novák", "+420 123", "jan@acme.cz"};
    OrderSnapshot o;
    o.language = language;
    o.model = model;
    for (int i = 0; i < 5; ++i)
        o.contact[i] = {captions[i], texts[i]};
    for (int tag = 1; tag <= 29; ++tag)
        o.accessories[tag - 1].caption = catalogue::accessoryCaption(tag, language);
    o.adapterText = catalogue::variantItem(catalogue::AdapterTag, 0);
    o.cableText = catalogue::variantItem(catalogue::CableTag, 0);
    o.totalCaption = QStringLiteral("15990,-");
    return o;
}

Values contacts(Language language)
{
    if (language == Language::Czech)
        return {{"$_01A", "N\xE1zev firmy: ACME s.r.o."}, {"$_02A", "Adresa: Hlavn\xED 1"},
            {"$_03A", "Kontaktn\xED osoba: Jan Nov\xE1k"}, {"$_04A", "Telefon: +420 123 ; Email: jan@acme.cz"}};
    return {{"$_01A", "Company name: ACME s.r.o."}, {"$_02A", "Address: Hlavn\xED 1"},
        {"$_03A", "Contact person: Jan Nov\xE1k"}, {"$_04A", "Telephone: +420 123 ; Email: jan@acme.cz"}};
}

void tick(OrderSnapshot &o, std::initializer_list<int> tags, bool enabled = true)
{
    for (int tag : tags)
        o.accessories[tag - 1] = {o.accessories[tag - 1].caption, true, enabled};
}

// ZK222 as the model sets it: holder, display and cable ticked and fixed,
// the plain case unticked and fixed.
OrderSnapshot assembly(Language language)
{
    OrderSnapshot o = order(language, Model::ZK222);
    tick(o, {3, 17, 18}, false);
    o.accessories[27].enabled = false;
    o.totalCaption = QStringLiteral("23500,-");
    return o;
}

} // namespace

class OrderDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void fill_data();
    void fill();
    void hostileText_data();
    void hostileText();
    void lineRules_data();
    void lineRules();
    void repeatableAndSideEffectFree();
    void impossibleSnapshotGivesNothing();
};

void OrderDocumentTest::fill_data()
{
    QTest::addColumn<OrderSnapshot>("snapshot");
    QTest::addColumn<Values>("values");
    const Language cz = Language::Czech, en = Language::English;
    auto row = [](const char *name, const OrderSnapshot &o, Values v) {
        v.insert(contacts(o.language));
        QTest::newRow(name) << o << v;
    };

    row("cz TQ8 only", order(cz, Model::TQ8),
        {{"$_000", "TQ8 "}, {"$_00C", "15990,-"}, {"$_101", Underline}, {"$_102", "Celkem bez DPH: 15990,-"}});
    row("en TQ8 only", order(en, Model::TQ8), {{"$_000", "TQ8 "}});
    {
        OrderSnapshot o = order(cz, Model::None);
        o.totalCaption = QStringLiteral("0,-");
        row("cz no model", o, {{"$_101", Underline}, {"$_102", "Celkem bez DPH: 0,-"}});
        row("en no model", order(en, Model::None), {});
    }
    for (Language language : {cz, en}) {
        OrderSnapshot o = order(language, Model::TQ8R);
        o.rows[0] = {"H1I", "3", "kotel č. 1"};
        o.rows[1] = {"Z  ", "27", ""};
        o.rows[2] = {"---", "0", "rezerva"};
        o.rows[15] = {"---", "46", ""};
        Values v{{"$_000", "TQ8R"}, {"$_01M", "H1I"}, {"$_01K", "V4103"}, {"$_01P", "kotel \xE8. 1"}, {"$_02M", "Z  "},
            {"$_02K", "V4127"}, {"$_03M", "---"}, {"$_03K", "---"}, {"$_03P", "rezerva"}, {"$_16M", "---"},
            {"$_16K", "---"}};
        if (language == cz)
            v.insert({{"$_00C", "18980,-"}, {"$_01C", "1975,-"}, {"$_02C", "550,-"}, {"$_03C", "0,-"}, {"$_16C", "0,-"},
                {"$_101", Underline}, {"$_102", "Celkem bez DPH: 15990,-"}});
        row(language == cz ? "cz channels and ---" : "en channels and ---", o, v);
    }
    {
        OrderSnapshot o = assembly(cz);
        tick(o, {10});
        row("cz ZK222 with CheckBox10", o,
            {{"$_000", "TQ8 (ZK222)"}, {"$_00C", "23050,-"}, {"$_101", "ZK222 - (ZK201, ZK23, ZK214, ZK211, ZD300)"},
                {"$_102", "ZK208 - sk\xF8\xED\xF2ka extern\xED akustick\xE9 signalizace _ 450,-"}, {"$_103", Underline},
                {"$_104", "Celkem bez DPH: 23500,-"}});
        o = assembly(en);
        tick(o, {10, 1});
        row("en ZK222 before tag 1", o,
            {{"$_000", "TQ8 (ZK222)"}, {"$_101", "ZK222 - (ZK201, ZK23, ZK214, ZK211, ZD300)"},
                {"$_102", "PGR740 - optional PC software for TQ system - registration card"},
                {"$_103", "ZK208 - external audio indication unit"}});
    }
    for (Language language : {cz, en}) {
        OrderSnapshot o = order(language, Model::TQ8);
        tick(o, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28,
                    29});
        o.adapterItem = 1;
        o.adapterText = catalogue::variantItem(catalogue::AdapterTag, 1);
        o.cableItem = 1;
        o.cableText = catalogue::variantItem(catalogue::CableTag, 1);
        o.channelCount = 12;
        o.totalCaption = QStringLiteral("99999,-");
        Values v{{"$_000", "TQ8 "}};
        for (int tag = 1; tag <= 29; ++tag) {
            v[code(100 + tag)] = cp1250(o.accessories[tag - 1].caption);
            if (language == cz)
                v[code(100 + tag)] += " _ " + catalogue::accessoryPriceText(tag, 0).toLatin1() + ",-";
        }
        if (language == cz) {
            v.insert({{"$_00C", "15990,-"}, {"$_102", "N2202 - nap\xE1jec\xED adapt\xE9r (24V / 1A) _ 300,-"},
                {"$_103", "ZK201 - dr\x9E\xE1k \xFAst\xF8"
                          "edny na DIN li\x9Atu 35mm _ 350,-"},
                {"$_118", "ZK211 - komunika\xE8n\xED kabel pro extern\xED displej a desku v\xFDstupn\xED"
                          "ch rel\xE9 - 5 m _ 690,-"},
                {"$_129", "SVC811 - kalibra\xE8n\xED list z akreditovan\xE9 kalibra\xE8n\xED laborato\xF8"
                          "e Quorel _ 2700,-"},
                {"$_130", Underline}, {"$_131", "Celkem bez DPH: 99999,-"}});
            row("cz all 29 under TQ8", o, v);
        } else {
            v.insert({{"$_102", "N2202 - power supply (24V / 1A)"},
                {"$_118", "ZK211 - connection cable for terminal with display and output relays module - 5 m"},
                {"$_129", "SVC811 - Calibration certificate from accredited calibration laboratory QUOREL"}});
            row("en all 29 under TQ8", o, v);
        }
    }
    for (int channels : {8, 9}) {
        OrderSnapshot o = order(cz, Model::TQ8);
        tick(o, {29});
        o.channelCount = channels;
        row(channels == 8 ? "cz calibration 8 channels" : "cz calibration 9 channels", o,
            {{"$_000", "TQ8 "}, {"$_00C", "15990,-"}, {"$_102", Underline}, {"$_103", "Celkem bez DPH: 15990,-"},
                {"$_101", channels == 8
                              ? "SVC810 - kalibra\xE8n\xED list z akreditovan\xE9 kalibra\xE8n\xED laborato\xF8"
                                "e Quorel _ 1900,-"
                              : "SVC811 - kalibra\xE8n\xED list z akreditovan\xE9 kalibra\xE8n\xED laborato\xF8"
                                "e Quorel _ 2700,-"}});
    }
    for (int item : {0, 2}) {
        OrderSnapshot o = order(cz, Model::TQ8R);
        tick(o, {2, 18});
        o.adapterItem = o.cableItem = item;
        o.adapterText = catalogue::variantItem(catalogue::AdapterTag, item);
        o.cableText = catalogue::variantItem(catalogue::CableTag, item);
        row(item == 0 ? "cz adapter and cable, first items" : "cz adapter and cable, third items", o,
            {{"$_000", "TQ8R"}, {"$_00C", "18980,-"}, {"$_103", Underline}, {"$_104", "Celkem bez DPH: 15990,-"},
                {"$_101", item == 0 ? "N2201 - nap\xE1jec\xED adapt\xE9r (21V / 1A) _ 680,-"
                                    : "N2203 - nap\xE1jec\xED adapt\xE9r (24V / 2.5A) _ 1960,-"},
                {"$_102", item == 0 ? "ZK211 - komunika\xE8n\xED kabel pro extern\xED displej a desku v\xFDstupn\xED"
                                      "ch rel\xE9 - 0.6 m _ 440,-"
                                    : "ZK211 - komunika\xE8n\xED kabel pro extern\xED displej a desku v\xFDstupn\xED"
                                      "ch rel\xE9 - 10 m _ 980,-"}});
    }
}

void OrderDocumentTest::fill()
{
    QFETCH(OrderSnapshot, snapshot);
    QFETCH(Values, values);
    const QByteArray tpl = templateFor(snapshot.language);
    // Line by line, so that a failure names the line.
    QCOMPARE(fillOrderDocument(tpl, snapshot).split('\n'), expand(tpl, values).split('\n'));
}

void OrderDocumentTest::hostileText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("backslash") << QStringLiteral("C:\\temp\\") << QByteArray("C:\\\\temp\\\\");
    QTest::newRow("stray brace") << QStringLiteral("}}} {") << QByteArray("\\}\\}\\} \\{");
    QTest::newRow("field") << QStringLiteral("{\\field{\\*\\fldinst HYPERLINK \"x\"}}")
                           << QByteArray("\\{\\\\field\\{\\\\*\\\\fldinst HYPERLINK \"x\"\\}\\}");
    QTest::newRow("placeholder") << QStringLiteral("$_01A $_101") << QByteArray("$_01A $_101");
    QTest::newRow("unicode") << QStringLiteral("中 😀 ř") << QByteArray("\\u20013? \\u-10179?\\u-8704? \xF8");
    QTest::newRow("multi-line") << QStringLiteral("a\r\nb\tc") << QByteArray("a\\line b\\tab c");
    QTest::newRow("100000 characters") << QStringLiteral("{ř}\\ $_").repeated(12500)
                                       << QByteArray("\\{\xF8\\}\\\\ $_").repeated(12500);
}

// Typed text goes into a contact line, the middle of the telephone line and
// a note in both languages: it is written as typed, the rest of its line is
// filled as usual and the document keeps its structure.
void OrderDocumentTest::hostileText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    for (Language language : {Language::Czech, Language::English}) {
        OrderSnapshot o = order(language, Model::TQ8);
        o.contact[0].text = text;
        o.contact[3].text = text;
        o.rows[4].note = text;
        o.rows[15].note = text;
        Values v = contacts(language);
        v["$_01A"].replace("ACME s.r.o.", written);
        v["$_04A"].replace("+420 123", written);
        v.insert({{"$_05P", written}, {"$_16P", written}, {"$_000", "TQ8 "}});
        if (language == Language::Czech)
            v.insert({{"$_00C", "15990,-"}, {"$_101", Underline}, {"$_102", "Celkem bez DPH: 15990,-"}});

        const QByteArray tpl = templateFor(language);
        const QByteArray doc = fillOrderDocument(tpl, o);
        QCOMPARE(doc, expand(tpl, v));
        const RtfScan scan = scanRtf(doc);
        QVERIFY(scan.balanced);
        const QSet<QByteArray> allowed = scanRtf(tpl).words + QSet<QByteArray>{"u", "tab", "line"};
        QCOMPARE(scan.words - allowed, QSet<QByteArray>());
        QCOMPARE(doc.count("$_"), 4 * written.count("$_"));
    }
}

// Line handling on small templates: line ends, codes that no rule knows,
// text that is not searched again, accessory lines in the order met.
void OrderDocumentTest::lineRules_data()
{
    QTest::addColumn<QByteArray>("tpl");
    QTest::addColumn<OrderSnapshot>("snapshot");
    QTest::addColumn<QByteArray>("document");

    const OrderSnapshot tq8 = order(Language::Czech, Model::TQ8);
    QTest::newRow("LF and CR LF") << QByteArray("a $_000b\nc\r\n\r\nd") << tq8
                                  << QByteArray("a TQ8 b\r\nc\r\n\r\nd\r\n");
    QTest::newRow("final line end") << QByteArray("a\r\n") << tq8 << QByteArray("a\r\n");
    QTest::newRow("unknown codes") << QByteArray("$_XYZ $_100 $_01Q $_17M $_0") << tq8
                                   << QByteArray("$_XYZ $_100 $_01Q $_17M $_0\r\n");
    QTest::newRow("overlapping") << QByteArray("$_$_01A|$_01") << tq8 << QByteArray("$_$_01A|$_01\r\n");
    QTest::newRow("price before model") << QByteArray("[$_00C][$_000][$_00C]") << tq8
                                        << QByteArray("[][TQ8 ][15990,-]");
    OrderSnapshot typed = tq8;
    typed.contact[0] = {"", "$_02A"};
    typed.contact[1] = {"", "x"};
    QTest::newRow("not searched again") << QByteArray("$_01A$_02A") << typed << QByteArray("$_02Ax\r\n");
    OrderSnapshot one = tq8;
    tick(one, {4});
    QTest::newRow("accessories in the order met")
        << QByteArray("$_120|$_103|$_102|$_101") << one
        << QByteArray("ZK202 - univerz\xE1ln\xED dr\x9E\xE1ky pro mont\xE1\x9E \xFAst\xF8"
                      "edny a rel\xE9 desky _ 195,-|"
                      "Celkem bez DPH: 15990,-|________________________|\r\n");
    OrderSnapshot loose = assembly(Language::English);
    loose.accessories[27].enabled = true; // not the state the model sets: no assembly line
    QTest::newRow("ZK222 parts not fixed") << QByteArray(
        "$_000|$_101") << loose << QByteArray("TQ8 (ZK222)|ZK201 - holder for data logger mounting to DIN 35mm rail");
}

void OrderDocumentTest::lineRules()
{
    QFETCH(QByteArray, tpl);
    QFETCH(OrderSnapshot, snapshot);
    QFETCH(QByteArray, document);
    if (!document.endsWith("\r\n"))
        document += "\r\n";
    QCOMPARE(fillOrderDocument(tpl, snapshot), document);
}

void OrderDocumentTest::repeatableAndSideEffectFree()
{
    OrderSnapshot o = assembly(Language::Czech);
    tick(o, {1, 2, 10, 29});
    const QByteArray tpl = templateFor(Language::Czech);
    const QByteArray first = fillOrderDocument(tpl, o);
    QCOMPARE(fillOrderDocument(tpl, o), first);
    for (int tag : {1, 2, 3, 10, 17, 18, 29})
        QVERIFY(o.accessories[tag - 1].ticked);
    QVERIFY(!o.accessories[27].ticked);
}

void OrderDocumentTest::impossibleSnapshotGivesNothing()
{
#ifndef QT_NO_DEBUG
    QSKIP("an impossible snapshot stops a debug build at its assertion");
#else
    // A release build fills what the order can never hold as "---" or
    // nothing, without reading outside the catalogue.
    OrderSnapshot o = order(Language::Czech, Model::TQ8);
    o.rows[0] = {"XX", "55", ""};
    QCOMPARE(fillOrderDocument("$_01K|$_01C", o), QByteArray("---|0,-\r\n"));
    o.rows[0].index = QStringLiteral("x");
    QCOMPARE(fillOrderDocument("$_01K", o), QByteArray("---\r\n"));
    o.rows[0].index.clear();
    o.adapterItem = 3;
    tick(o, {2});
    QVERIFY(fillOrderDocument("$_101", o).endsWith(" _ ,-\r\n")); // no price outside the table
#endif
}

QTEST_APPLESS_MAIN(OrderDocumentTest)
#include "tst_orderdocument.moc"
