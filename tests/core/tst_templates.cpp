#include "orderdocument.h"
#include "rtfscan.h"

#include <QRegularExpression>
#include <QtTest>

using catalogue::Language;

class TemplatesTest : public QObject {
    Q_OBJECT

private slots:
    void shape_data();
    void shape();
    void placeholders_data();
    void placeholders();
    void channelNumbers_data();
    void channelNumbers();
};

void TemplatesTest::shape_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("arialFont");
    QTest::newRow("czech") << Language::Czech << 82 << false;
    QTest::newRow("english") << Language::English << 83 << true;
}

void TemplatesTest::shape()
{
    QFETCH(Language, language);
    QFETCH(int, lines);
    QFETCH(bool, arialFont);
    const QByteArray rtf = document::templateFor(language);

    QCOMPARE(rtf.split('\n').size(), lines);
    QCOMPARE(rtf.count("\r\n"), lines - 1);
    QCOMPARE(rtf.count('\r'), lines - 1); // no CR outside a line end
    QVERIFY(rtf.endsWith("}\r\n "));      // last line: one blank, no line end
    for (const char c : rtf)
        QVERIFY2(uchar(c) < 0x80, "template is not 7-bit");

    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
    QVERIFY(rtf.contains("\\deflang1029"));
    const QString text = QString::fromLatin1(rtf);
    auto hasFont = [&text](const char *pattern) {
        return QRegularExpression(QLatin1String(pattern)).match(text).hasMatch();
    };
    QVERIFY(hasFont(R"(\{\\f0\\[^ }]*\\fcharset238 Courier New CE;\})"));
    QVERIFY(hasFont(R"(\{\\f1\\[^ }]*\\fcharset0 Courier New;\})"));
    QCOMPARE(hasFont(R"(\{\\f2\\[^ }]*\\fcharset238 Arial CE;\})"), arialFont);
    QVERIFY(scanRtf(rtf).balanced);
}

void TemplatesTest::placeholders_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<int>("count");
    QTest::newRow("czech") << Language::Czech << 101;
    QTest::newRow("english") << Language::English << 84;
}

// Codes line by line: contacts, model (and price), one line per channel,
// one line per accessory placeholder.
void TemplatesTest::placeholders()
{
    QFETCH(Language, language);
    QFETCH(int, count);
    const bool czech = language == Language::Czech;
    const QByteArray rtf = document::templateFor(language);

    QList<QByteArrayList> expected{{"$_01A"}, {"$_02A"}, {"$_03A"}, {"$_04A"}};
    expected.append(czech ? QByteArrayList{"$_000", "$_00C"} : QByteArrayList{"$_000"});
    for (int row = 1; row <= Order::ChannelCount; ++row) {
        const QByteArray nn = QByteArray::number(row).rightJustified(2, '0');
        expected.append({"$_" + nn + 'M', "$_" + nn + 'K'});
        if (czech)
            expected.last().append("$_" + nn + 'C');
        expected.last().append("$_" + nn + 'P');
    }
    for (int v = 101; v <= 131; ++v)
        expected.append({"$_" + QByteArray::number(v)});

    QList<QByteArrayList> actual;
    for (const QByteArray &line : rtf.split('\n')) {
        QByteArrayList codes;
        for (qsizetype p = line.indexOf("$_"); p >= 0; p = line.indexOf("$_", p + 5))
            codes.append(line.mid(p, 5));
        if (!codes.isEmpty())
            actual.append(codes);
    }
    QCOMPARE(actual, expected);

    const RtfScan scan = scanRtf(rtf);
    QCOMPARE(scan.placeholders.size(), count);
    // Typed text and captions with accented letters need the CE font.
    for (const auto &[code, font] : scan.placeholders)
        if (code.endsWith('A') || code.endsWith('P') || code.at(2) == '1')
            QVERIFY2(font == 0, code.constData());
}

void TemplatesTest::channelNumbers_data()
{
    QTest::addColumn<Language>("language");
    QTest::newRow("czech") << Language::Czech;
    QTest::newRow("english") << Language::English;
}

// A filled document shows each channel number right-aligned in front of its
// row, so that the sixteen rows line up.
void TemplatesTest::channelNumbers()
{
    QFETCH(Language, language);
    Order order;
    order.model = catalogue::Model::TQ8;
    for (int channel = 1; channel <= Order::ChannelCount; ++channel)
        order.channel(channel) = {1, QStringLiteral("note %1").arg(channel)};
    const QByteArray rtf = document::fill(document::templateFor(language), order, language, {});

    QByteArrayList numbers;
    for (const QByteArray &paragraph : scanRtf(rtf).paragraphs)
        if (paragraph.contains("\tnote "))
            numbers.append(paragraph.left(paragraph.indexOf('\t')));
    const QByteArrayList expected{
        " 1:", " 2:", " 3:", " 4:", " 5:", " 6:", " 7:", " 8:", " 9:", "10:", "11:", "12:", "13:", "14:", "15:", "16:"};
    QCOMPARE(numbers, expected);
}

QTEST_APPLESS_MAIN(TemplatesTest)
#include "tst_templates.moc"
