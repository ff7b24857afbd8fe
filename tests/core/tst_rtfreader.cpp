// Reading back the RTF the program writes: the templates' page, fonts and
// formats, and typed text exactly as it was typed.

#include "orderdocument.h"
#include "rtfreader.h"

#include <QtTest>

using catalogue::Language;

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void templates();
    void typedTextComesBack_data();
    void typedTextComesBack();
    void unknownWordsAreListed();
};

// Both templates, as they are and filled, hold nothing the reader does not
// know; the page, the faces and the formats are the templates' own.
void TestRtfReader::templates()
{
    for (const Language language : {Language::Czech, Language::English}) {
        const QByteArray tpl = document::templateFor(language);
        Order order;
        order.model = catalogue::Model::TQ8R;
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            order.accessory(tag).ticked = true;
        for (const QByteArray &bytes : {tpl, document::fill(tpl, order, language, {})}) {
            const rtf::Document doc = rtf::read(bytes);
            QCOMPARE(doc.unknown, QStringList());
            QCOMPARE(doc.paragraphs.size(), int(tpl.count("\\par\r\n")));
            const rtf::Page &page = doc.page;
            QCOMPARE((QList<int>{page.width, page.height, page.marginLeft, page.marginRight, page.marginTop,
                         page.marginBottom, page.defaultTab}),
                (QList<int>{11906, 16838, 1134, 1134, 567, 567, 720}));
            QCOMPARE(doc.fonts.value(0).name, QStringLiteral("Courier New CE"));
            QVERIFY(doc.fonts.value(0).fixedPitch && doc.fonts.value(1).fixedPitch);
            QCOMPARE(doc.fonts.value(2).sansSerif, language == Language::English);
        }
    }
    // The heading and a channel line of the Czech one, run by run.
    const rtf::Document doc = rtf::read(document::templateFor(Language::Czech));
    const rtf::Paragraph &heading = doc.paragraphs.at(4);
    QCOMPARE(heading.spaceBefore, 240);
    QCOMPARE(heading.runs.size(), 2);
    QCOMPARE(heading.runs.at(1).text, QStringLiteral("Objednávkový formulář"));
    QVERIFY(heading.runs.at(1).format == (rtf::CharFormat{0, 32, true, true}));
    QCOMPARE(heading.mark.halfPoints, 16);
    const rtf::Paragraph &channel = doc.paragraphs.at(11);
    QCOMPARE(channel.spaceBefore, 0);
    QCOMPARE(channel.runs.at(0).text, QStringLiteral(" 1:"));
    QVERIFY(channel.runs.at(0).format.bold);
    QCOMPARE(channel.runs.at(1).text, QStringLiteral("\t\t$_01M\t\t$_01K\t\t$_01C\t\t$_01P"));
    QVERIFY(channel.runs.at(1).format == (rtf::CharFormat{0, 16, false, false}));
}

void TestRtfReader::typedTextComesBack_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("read");
    const auto same = [](const char *name, const QString &text) { QTest::newRow(name) << text << text; };
    same("Czech letters", QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy ĚŠČŘŽÝÁÍÉŮÚŤĎŇ"));
    same("outside Windows-1250", QStringLiteral("中文 Ω ŵ ∑ ½"));
    same("beyond the BMP", QStringLiteral("a😀b𝄞"));
    same("RTF's own characters", QStringLiteral("C:\\temp\\ }}} { {\\field{\\*\\fldinst x}} \\par \\'e1 \\u99?"));
    same("placeholders", QStringLiteral("$_01A $_101 $_"));
    same("long", QStringLiteral("{ř}\\ $_").repeated(500));
    QTest::newRow("tab and line breaks") << QStringLiteral("a\tb\r\nc\nd\re")
                                         << QStringLiteral("a\tb\u2028c\u2028d\u2028e");
    QTest::newRow("control characters") << QStringLiteral("\x01x\x1f\x7fy\u0085") << QStringLiteral("xy");
}

// A contact line and a note come back as typed, and the rest of their
// lines with them.
void TestRtfReader::typedTextComesBack()
{
    QFETCH(QString, typed);
    QFETCH(QString, read);
    for (const Language language : {Language::Czech, Language::English}) {
        Order order;
        order.channel(3) = {1, typed};
        const document::Contact contact{typed, {}, {}, {}, {}};
        const rtf::Document doc = rtf::read(document::fill(document::templateFor(language), order, language, contact));
        QCOMPARE(doc.unknown, QStringList());
        QCOMPARE(doc.paragraphs.at(0).text(), document::contactCaption(0, language) + read);
        const QString channel = doc.paragraphs.at(15).text();
        QVERIFY2(channel.startsWith(QStringLiteral(" 3:\t\tH0 \t\tV4101\t\t")), qPrintable(channel));
        QVERIFY(channel.endsWith(QStringLiteral("\t\t") + read));
    }
}

void TestRtfReader::unknownWordsAreListed()
{
    const rtf::Document doc = rtf::read("{\\rtf1 a\\pict b\\~c\\*\\'zz}");
    QCOMPARE(doc.unknown, (QStringList{"\\pict", "\\~", "\\*", "\\'"}));
}

QTEST_APPLESS_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
