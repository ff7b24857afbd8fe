#include "orderdocument.h"
#include "pricing.h"
#include "rtfscan.h"
#include "systemcodec.h"

#include <QtTest>

using namespace document;
using catalogue::Language;
using catalogue::Model;

// Expected text per placeholder code, as document bytes; absent = empty.
using Values = QHash<QByteArray, QByteArray>;

// What the document is made of.
struct Input {
    Language language = Language::Czech;
    Order order;
    Contact contact;
};
Q_DECLARE_METATYPE(Input)

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

QByteArray channelCode(int channel, char column)
{
    return QByteArray("$_") + QByteArray::number(channel).rightJustified(2, '0') + column;
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

QByteArray fillFor(const QByteArray &tpl, const Input &in)
{
    return document::fill(tpl, in.order, in.language, in.contact);
}

Input order(Language language, Model model)
{
    Input in;
    in.language = language;
    in.order.model = model;
    in.contact = {"ACME s.r.o.", "Hlavní 1", "Jan Novák", "+420 123", "jan@acme.cz"};
    return in;
}

Values contacts(Language language)
{
    if (language == Language::Czech)
        return {{"$_01A", "N\xE1zev firmy: ACME s.r.o."}, {"$_02A", "Adresa: Hlavn\xED 1"},
            {"$_03A", "Kontaktn\xED osoba: Jan Nov\xE1k"}, {"$_04A", "Telefon: +420 123 ; Email: jan@acme.cz"}};
    return {{"$_01A", "Company name: ACME s.r.o."}, {"$_02A", "Address: Hlavn\xED 1"},
        {"$_03A", "Contact person: Jan Nov\xE1k"}, {"$_04A", "Telephone: +420 123 ; Email: jan@acme.cz"}};
}

void tick(Input &in, std::initializer_list<int> tags, bool enabled = true)
{
    for (int tag : tags)
        in.order.accessory(tag) = {true, enabled, in.order.accessory(tag).variant};
}

// H0 on the first `count` channels, and what the document shows of them.
void fitH0(Input &in, Values &v, int count)
{
    for (int channel = 1; channel <= count; ++channel) {
        in.order.channel(channel).module = 1;
        v.insert({{channelCode(channel, 'M'), "H0 "}, {channelCode(channel, 'K'), "V4101"}});
        if (in.language == Language::Czech)
            v.insert(channelCode(channel, 'C'), "298,-");
    }
}

// ZK222 as the model sets it: holder, display and cable ticked and fixed,
// the plain case unticked and fixed.
Input assembly(Language language)
{
    Input in = order(language, Model::ZK222);
    tick(in, {3, 17, 18}, false);
    in.order.accessory(28).enabled = false;
    return in;
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
    void impossibleOrderGivesNothing();
};

void OrderDocumentTest::fill_data()
{
    QTest::addColumn<Input>("input");
    QTest::addColumn<Values>("values");
    const Language cz = Language::Czech, en = Language::English;
    auto row = [](const char *name, const Input &in, Values v) {
        v.insert(contacts(in.language));
        QTest::newRow(name) << in << v;
    };

    row("cz TQ8 only", order(cz, Model::TQ8),
        {{"$_000", "TQ8 "}, {"$_00C", "15990,-"}, {"$_101", Underline}, {"$_102", "Celkem bez DPH: 15990,-"}});
    row("en TQ8 only", order(en, Model::TQ8), {{"$_000", "TQ8 "}});
    row("cz no model", order(cz, Model::None), {{"$_101", Underline}, {"$_102", "Celkem bez DPH: 0,-"}});
    row("en no model", order(en, Model::None), {});
    for (Language language : {cz, en}) {
        Input in = order(language, Model::TQ8R);
        in.order.channels[0] = {3, "kotel č. 1"};
        in.order.channels[1] = {27, ""};
        in.order.channels[2] = {0, "rezerva"};
        in.order.channels[15] = {46, ""};
        Values v{{"$_000", "TQ8R"}, {"$_01M", "H1I"}, {"$_01K", "V4103"}, {"$_01P", "kotel \xE8. 1"}, {"$_02M", "Z  "},
            {"$_02K", "V4127"}, {"$_03M", "---"}, {"$_03K", "---"}, {"$_03P", "rezerva"}, {"$_16M", "---"},
            {"$_16K", "---"}};
        if (language == cz)
            v.insert({{"$_00C", "18980,-"}, {"$_01C", "1975,-"}, {"$_02C", "550,-"}, {"$_03C", "0,-"}, {"$_16C", "0,-"},
                {"$_101", Underline}, {"$_102", "Celkem bez DPH: 21505,-"}});
        row(language == cz ? "cz channels and ---" : "en channels and ---", in, v);
    }
    {
        // The assembly line keeps the program's own "ZK23" on purpose: it is
        // what every order document has always said.
        Input in = assembly(cz);
        tick(in, {10});
        row("cz ZK222 with ZK208", in,
            {{"$_000", "TQ8 (ZK222)"}, {"$_00C", "23050,-"}, {"$_101", "ZK222 - (ZK201, ZK23, ZK214, ZK211, ZD300)"},
                {"$_102", "ZK208 - sk\xF8\xED\xF2ka extern\xED akustick\xE9 signalizace _ 450,-"}, {"$_103", Underline},
                {"$_104", "Celkem bez DPH: 23500,-"}});
        in = assembly(en);
        tick(in, {10, 1});
        row("en ZK222 before tag 1", in,
            {{"$_000", "TQ8 (ZK222)"}, {"$_101", "ZK222 - (ZK201, ZK23, ZK214, ZK211, ZD300)"},
                {"$_102", "PGR740 - optional PC software for TQ system - registration card"},
                {"$_103", "ZK208 - external audio indication unit"}});
    }
    for (Language language : {cz, en}) {
        Input in = order(language, Model::TQ8);
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            tick(in, {tag});
        in.order.accessory(catalogue::AdapterTag).variant = 1;
        in.order.accessory(catalogue::CableTag).variant = 1;
        Values v{{"$_000", "TQ8 "}};
        fitH0(in, v, 12);
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
            v[code(100 + tag)] = cp1250(catalogue::accessoryCaption(tag, language));
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
                {"$_130", Underline},
                {"$_131", "Celkem bez DPH: " + catalogue::priceText(pricing::total(in.order)).toLatin1()}});
            row("cz all 29 under TQ8", in, v);
        } else {
            v.insert({{"$_102", "N2202 - power supply (24V / 1A)"},
                {"$_118", "ZK211 - connection cable for terminal with display and output relays module - 5 m"},
                {"$_129", "SVC811 - Calibration certificate from accredited calibration laboratory QUOREL"}});
            row("en all 29 under TQ8", in, v);
        }
    }
    for (int channels : {8, 9}) {
        Input in = order(cz, Model::TQ8);
        tick(in, {29});
        Values v{{"$_000", "TQ8 "}, {"$_00C", "15990,-"}, {"$_102", Underline},
            {"$_103", channels == 8 ? "Celkem bez DPH: 20274,-" : "Celkem bez DPH: 21372,-"},
            {"$_101", channels == 8 ? "SVC810 - kalibra\xE8n\xED list z akreditovan\xE9 kalibra\xE8n\xED laborato\xF8"
                                      "e Quorel _ 1900,-"
                                    : "SVC811 - kalibra\xE8n\xED list z akreditovan\xE9 kalibra\xE8n\xED laborato\xF8"
                                      "e Quorel _ 2700,-"}};
        fitH0(in, v, channels);
        row(channels == 8 ? "cz certificate, 8 channels: SVC810" : "cz certificate, 9 channels: SVC811", in, v);
    }
    for (int item : {0, 2}) {
        Input in = order(cz, Model::TQ8R);
        tick(in, {2, 18});
        in.order.accessory(catalogue::AdapterTag).variant = item;
        in.order.accessory(catalogue::CableTag).variant = item;
        row(item == 0 ? "cz adapter and cable, first items" : "cz adapter and cable, third items", in,
            {{"$_000", "TQ8R"}, {"$_00C", "18980,-"}, {"$_103", Underline},
                {"$_104", item == 0 ? "Celkem bez DPH: 20100,-" : "Celkem bez DPH: 21920,-"},
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
    QFETCH(Input, input);
    QFETCH(Values, values);
    const QByteArray tpl = templateFor(input.language);
    // Line by line, so that a failure names the line.
    QCOMPARE(fillFor(tpl, input).split('\n'), expand(tpl, values).split('\n'));
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
        Input o = order(language, Model::TQ8);
        o.contact[0] = text;
        o.contact[3] = text;
        o.order.channels[4].note = text;
        o.order.channels[15].note = text;
        Values v = contacts(language);
        v["$_01A"].replace("ACME s.r.o.", written);
        v["$_04A"].replace("+420 123", written);
        v.insert({{"$_05P", written}, {"$_16P", written}, {"$_000", "TQ8 "}});
        if (language == Language::Czech)
            v.insert({{"$_00C", "15990,-"}, {"$_101", Underline}, {"$_102", "Celkem bez DPH: 15990,-"}});

        const QByteArray tpl = templateFor(language);
        const QByteArray doc = fillFor(tpl, o);
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
    QTest::addColumn<Input>("input");
    QTest::addColumn<QByteArray>("document");

    const Input tq8 = order(Language::Czech, Model::TQ8);
    QTest::newRow("LF and CR LF") << QByteArray("a $_000b\nc\r\n\r\nd") << tq8
                                  << QByteArray("a TQ8 b\r\nc\r\n\r\nd\r\n");
    QTest::newRow("final line end") << QByteArray("a\r\n") << tq8 << QByteArray("a\r\n");
    QTest::newRow("unknown codes") << QByteArray("$_XYZ $_100 $_01Q $_17M $_0") << tq8
                                   << QByteArray("$_XYZ $_100 $_01Q $_17M $_0\r\n");
    QTest::newRow("overlapping") << QByteArray("$_$_01A|$_01") << tq8 << QByteArray("$_$_01A|$_01\r\n");
    QTest::newRow("price before model") << QByteArray("[$_00C][$_000][$_00C]") << tq8
                                        << QByteArray("[][TQ8 ][15990,-]");
    Input typed = tq8;
    typed.contact[0] = "$_02A";
    typed.contact[1] = "x";
    QTest::newRow("not searched again") << QByteArray("$_01A$_02A") << typed
                                        << QByteArray("N\xE1zev firmy: $_02AAdresa: x\r\n");
    Input one = tq8;
    tick(one, {4});
    QTest::newRow("accessories in the order met")
        << QByteArray("$_120|$_103|$_102|$_101") << one
        << QByteArray("ZK202 - univerz\xE1ln\xED dr\x9E\xE1ky pro mont\xE1\x9E \xFAst\xF8"
                      "edny a rel\xE9 desky _ 195,-|"
                      "Celkem bez DPH: 16185,-|________________________|\r\n");
    Input loose = assembly(Language::English);
    loose.order.accessory(28).enabled = true; // not the state the model sets: no assembly line
    QTest::newRow("ZK222 parts not fixed") << QByteArray(
        "$_000|$_101") << loose << QByteArray("TQ8 (ZK222)|ZK201 - holder for data logger mounting to DIN 35mm rail");
}

void OrderDocumentTest::lineRules()
{
    QFETCH(QByteArray, tpl);
    QFETCH(Input, input);
    QFETCH(QByteArray, document);
    if (!document.endsWith("\r\n"))
        document += "\r\n";
    QCOMPARE(fillFor(tpl, input), document);
}

void OrderDocumentTest::repeatableAndSideEffectFree()
{
    Input in = assembly(Language::Czech);
    tick(in, {1, 2, 10, 29});
    const Input before = in;
    const QByteArray tpl = templateFor(Language::Czech);
    const QByteArray first = fillFor(tpl, in);
    QCOMPARE(fillFor(tpl, in), first);
    QCOMPARE(in.order, before.order);
}

void OrderDocumentTest::impossibleOrderGivesNothing()
{
#ifndef QT_NO_DEBUG
    QSKIP("an impossible order stops a debug build at its assertion");
#else
    // A release build fills what the order can never hold as "---" or
    // nothing, without reading outside the catalogue.
    Input in = order(Language::Czech, Model::TQ8);
    in.order.channels[0].module = 55;
    QCOMPARE(fillFor("$_01M|$_01K|$_01C", in), QByteArray("---|---|0,-\r\n"));
    in.order.channels[0].module = Order::NoModule;
    in.order.accessory(catalogue::AdapterTag).variant = 3;
    tick(in, {2});
    QVERIFY(fillFor("$_101", in).endsWith(" _ ,-\r\n")); // no price outside the table
#endif
}

QTEST_APPLESS_MAIN(OrderDocumentTest)
#include "tst_orderdocument.moc"
