#include "rtftext.h"
#include "systemcodec.h"

#include <QtTest>

class RtfTextTest : public QObject {
    Q_OBJECT

private slots:
    void encodes_data();
    void encodes();
    void everyBmpCharacter();
};

void RtfTextTest::encodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("rtf");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("plain") << QStringLiteral("TQ8 $_01A 15990,-") << QByteArray("TQ8 $_01A 15990,-");
    QTest::newRow("backslash, braces") << QStringLiteral("a\\b{c}") << QByteArray("a\\\\b\\{c\\}");
    QTest::newRow("field") << QStringLiteral("{\\field{\\*\\fldinst HYPERLINK \"x\"}}")
                           << QByteArray("\\{\\\\field\\{\\\\*\\\\fldinst HYPERLINK \"x\"\\}\\}");
    QTest::newRow("czech") << QStringLiteral("Žluťoučký kůň") << QByteArray("\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2");
    QTest::newRow("code page extras") << QStringLiteral("€ – ™ „x“\u00A0")
                                      << QByteArray("\x80 \x96 \x99 \x84x\x93\xA0");
    QTest::newRow("outside the code page")
        << QStringLiteral("à Ω 中 \uFFFD") << QByteArray("\\u224? \\u937? \\u20013? \\u-3?");
    QTest::newRow("beyond the BMP") << QStringLiteral("a😀b") << QByteArray("a\\u-10179?\\u-8704?b");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray("a\\tab b");
    QTest::newRow("line breaks") << QStringLiteral("a\nb\r\nc\rd\n\re")
                                 << QByteArray("a\\line b\\line c\\line d\\line \\line e");
    QTest::newRow("controls dropped") << QStringLiteral("a\x01\x1B\x7F\u0081\u0085\u0090\u0098\u009Fb")
                                      << QByteArray("ab");
    QTest::newRow("lone surrogates dropped")
        << (QStringLiteral("a") + QChar(0xD83D) + u'b' + QChar(0xDE00)) << QByteArray("ab");
    QTest::newRow("digits after an escape") << QStringLiteral("č1{2")
                                            << QByteArray("\xE8"
                                                          "1\\{2");
}

void RtfTextTest::encodes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, rtf);
    QCOMPARE(rtfText(text), rtf);
}

// Every character either becomes its Windows-1250 byte (exactly the 123
// the code page defines above ASCII, each as the system's converter reads
// it back), or ASCII text; never a control byte.
void RtfTextTest::everyBmpCharacter()
{
    int singleBytes = 0;
    for (int unit = 0x20; unit <= 0xFFFF; ++unit) {
        if (QChar::isSurrogate(char16_t(unit)))
            continue;
        const QChar ch{char16_t(unit)};
        const QByteArray out = rtfText(QStringView(&ch, 1));
        for (const char c : out)
            QVERIFY(uchar(c) >= 0x20);
        if (out.size() == 1 && uchar(out[0]) >= 0x80) {
            ++singleBytes;
            QCOMPARE(systemcodec::fromCp1250(out), QString(ch));
        } else if (unit >= 0x80) {
            QVERIFY2(out.isEmpty() || out.startsWith("\\u"), qPrintable(QString::number(unit, 16)));
        }
    }
    QCOMPARE(singleBytes, 123);
}

QTEST_APPLESS_MAIN(RtfTextTest)
#include "tst_rtftext.moc"
