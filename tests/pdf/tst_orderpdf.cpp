// The order document as a PDF: the RTF's own lines, laid out on the RTF's
// page, archivable, every font embedded, and its text copied out as typed.
//
// With FORMULAR_PDF_SAMPLES set to a folder, every document of these tests
// is left there as NAME.rtf and NAME.pdf (tools/pdf-compare.sh puts them
// beside LibreOffice's rendering of the same RTF).

#include "orderdocument.h"
#include "orderpdf.h"
#include "rtfreader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QtTest>

using catalogue::Language;
using catalogue::Model;

namespace {

struct Sample {
    Language language = Language::Czech;
    Order order;
    document::Contact contact{"Pivovar Nový Dvůr s.r.o.", "Náměstí Míru 12, 586 01 Jihlava", "Jana Nováková",
        "+420 567 123 456", "jana.novakova@example.cz"};
    QByteArray rtf() const { return document::fill(document::templateFor(language), order, language, contact); }
};

// The order of the README's pictures: the TQ8R, H1 and L0 on channels 1
// and 2, a note, the software and the second power adapter.
Sample readmeOrder(Language language)
{
    Sample s;
    s.language = language;
    s.order.model = Model::TQ8R;
    s.order.channel(1) = {2, QStringLiteral("kotelna")};
    s.order.channel(2).module = 4;
    s.order.accessory(1).ticked = true;
    s.order.accessory(catalogue::AdapterTag) = {true, true, 1};
    return s;
}

// Every accessory, a long note on every channel: more than one page.
Sample everything(Language language)
{
    Sample s = readmeOrder(language);
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
        s.order.accessory(tag).ticked = true;
    for (int channel = 1; channel <= Order::ChannelCount; ++channel) {
        s.order.channel(channel).module = 1 + channel;
        s.order.channel(channel).note = QStringLiteral("poznámka %1 k měřicímu místu ").arg(channel).repeated(5);
    }
    s.contact[1] = QStringLiteral("Náměstí Míru 12, ").repeated(12) + QStringLiteral("586 01 Jihlava");
    return s;
}

// What the typed texts of the document tests are made of.
const QStringList HostileTexts{QStringLiteral("C:\\temp\\ }}} { {\\field{\\*\\fldinst HYPERLINK \"x\"}}"),
    QStringLiteral("$_01A $_101 \\par a\tb\r\nc"), QStringLiteral("中 ř € ∑ ŵ 😀"), QStringLiteral("\x01\x1f\x7f bell"),
    QStringLiteral("{ř}\\ $_").repeated(500)};

Sample hostile(Language language)
{
    Sample s = readmeOrder(language);
    for (int i = 0; i < HostileTexts.size(); ++i) {
        s.contact[std::size_t(i)] = HostileTexts.at(i);
        s.order.channel(1 + i).note = HostileTexts.at(i);
    }
    return s;
}

void keepSample(const QString &name, const QByteArray &rtf, const QByteArray &pdf)
{
    const QString folder = qEnvironmentVariable("FORMULAR_PDF_SAMPLES");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    for (const auto &[suffix, bytes] : {std::pair{".rtf", rtf}, std::pair{".pdf", pdf}}) {
        QFile file(QDir(folder).filePath(name + QLatin1String(suffix)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
}

// The words of each line, tabs and runs of blanks as one gap.
QStringList words(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines) {
        const QString simplified = line.simplified();
        if (!simplified.isEmpty())
            out << simplified;
    }
    return out;
}

// `text` as it can be copied out of a PDF made here: without the characters
// that no font of this machine can show, and without those beyond the BMP,
// which Qt's PDF writer draws but does not map back to text.
QString copiesOut(const QString &text)
{
    QString out;
    for (const uint ucs4 : text.toUcs4()) {
        const QString character = QString::fromUcs4(reinterpret_cast<const char32_t *>(&ucs4), 1);
        bool shown = ucs4 < 0x80;
        if (!shown && ucs4 < 0x10000) {
            QTextLayout layout(character, QFont(QStringLiteral("Liberation Mono")));
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            for (const QGlyphRun &run : layout.glyphRuns())
                shown = shown || !run.glyphIndexes().contains(0);
        }
        if (shown)
            out += character;
    }
    return out;
}

} // namespace

class TestOrderPdf : public QObject {
    Q_OBJECT
private slots:
    void documents_data();
    void documents();
    void archivable();
};

void TestOrderPdf::documents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("pages");
    for (const auto &[suffix, language] : {std::pair{"cs", Language::Czech}, std::pair{"en", Language::English}}) {
        QTest::addRow("order-%s", suffix) << QStringLiteral("order-%1").arg(suffix) << readmeOrder(language).rtf() << 1;
        QTest::addRow("hostile-%s", suffix) << QStringLiteral("hostile-%1").arg(suffix) << hostile(language).rtf() << 2;
        QTest::addRow("everything-%s", suffix)
            << QStringLiteral("everything-%1").arg(suffix) << everything(language).rtf() << 2;
    }
}

// Each paragraph of the RTF comes out whole, in order, on lines that stay
// within the margins; a line breaks only where the next word would cross
// the right margin; the text copies out of the PDF as it was laid out.
void TestOrderPdf::documents()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, rtf);
    QFETCH(int, pages);
    const rtf::Document document = rtf::read(rtf);
    QCOMPARE(document.unknown, QStringList());
    const orderpdf::Rendered rendered = orderpdf::render(rtf, QStringLiteral("Formular test"));
    keepSample(name, rtf, rendered.pdf);
    QCOMPARE(rendered.pageCount, pages);

    const rtf::Page &page = document.page;
    const QRectF body(page.marginLeft, page.marginTop, page.width - page.marginLeft - page.marginRight,
        page.height - page.marginTop - page.marginBottom);
    QString drawn, written;
    int previousPage = 0;
    qreal previousBottom = 0;
    for (const orderpdf::Line &line : rendered.lines) {
        QVERIFY2(line.box.left() >= body.left() && line.box.right() <= body.right() + 1 && line.box.top() >= body.top()
                     && line.box.bottom() <= body.bottom(),
            qPrintable(line.text.left(40)));
        // Top to bottom, page after page, without overlaps.
        QVERIFY(line.page == previousPage ? line.box.top() >= previousBottom - 0.01 : line.page == previousPage + 1);
        previousPage = line.page;
        previousBottom = line.box.bottom();
        drawn += line.text;
    }
    for (const rtf::Paragraph &paragraph : document.paragraphs)
        written += paragraph.text();
    QCOMPARE(drawn, written);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the text that copies out is not compared");
    QTemporaryDir folder;
    QFile pdf(folder.filePath(QStringLiteral("order.pdf")));
    QVERIFY(pdf.open(QIODevice::WriteOnly) && pdf.write(rendered.pdf) == rendered.pdf.size());
    pdf.close();
    QProcess extract;
    extract.start(pdftotext, {QStringLiteral("-layout"), pdf.fileName(), QStringLiteral("-")});
    QVERIFY(extract.waitForFinished(20000));
    QStringList laidOut;
    for (const orderpdf::Line &line : rendered.lines)
        laidOut << line.text;
    QString copied = QString::fromUtf8(extract.readAllStandardOutput());
    copied.replace(QChar::LineSeparator, QLatin1Char(' '));
    QStringList expected = words(laidOut);
    for (QString &line : expected)
        line = copiesOut(line.replace(QChar::LineSeparator, QLatin1Char(' ')));
    QCOMPARE(words(copied.split(QRegularExpression(QStringLiteral("[\n\f]")))), words(expected));
}

// PDF/A-1b, titled with the heading, A4 as the template declares it, and
// every font embedded.
void TestOrderPdf::archivable()
{
    for (const Language language : {Language::Czech, Language::English}) {
        const orderpdf::Rendered rendered = orderpdf::render(hostile(language).rtf(), QStringLiteral("Formular 9.9"));
        const QByteArray &pdf = rendered.pdf;
        QVERIFY(pdf.startsWith("%PDF-1.4"));
        QVERIFY(pdf.contains("pdfaid:part=\"1\" pdfaid:conformance=\"B\""));
        const QString title =
            language == Language::Czech ? QStringLiteral("Objednávkový formulář") : QStringLiteral("Ordering form");
        QCOMPARE(rendered.title, title);
        QVERIFY(
            QString::fromUtf8(pdf).contains(QStringLiteral("<rdf:li xml:lang=\"x-default\">%1</rdf:li>").arg(title)));
        QVERIFY(pdf.contains("Formular 9.9"));
        QCOMPARE(rendered.pageSize, QSizeF(11906, 16838));
        QVERIFY(pdf.contains("/MediaBox [0 0 595"));
        const int fonts = int(pdf.count("/Type /FontDescriptor"));
        QVERIFY(fonts >= 2);
        QCOMPARE(int(pdf.count("/FontFile2")), fonts);
    }
}

QTEST_MAIN(TestOrderPdf)
#include "tst_orderpdf.moc"
