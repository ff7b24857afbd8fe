#include "orderpdf.h"

#include "rtfreader.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QTextLayout>
#include <QTextOption>
#include <QThread>
#include <QtEndian>

#include <memory>

namespace orderpdf {

namespace {

// Device units are twips, the RTF's own unit.
constexpr int TwipsPerInch = 1440;

// The font that an RTF font table entry asks for, with the metric twins of
// the Windows faces where those are missing (Linux, Wine). "Courier New CE"
// and "Arial CE" are the Central European names of the same faces.
QFont faceFor(const rtf::Font &entry)
{
    QString name = entry.name.trimmed();
    if (name.endsWith(QLatin1String(" CE")))
        name.chop(3);
    QStringList families{name};
    QFont font;
    if (entry.fixedPitch) {
        families << QStringLiteral("Courier New") << QStringLiteral("Liberation Mono") << QStringLiteral("Cousine");
        font.setStyleHint(QFont::TypeWriter, QFont::ForceOutline);
        font.setFixedPitch(true);
    } else if (entry.sansSerif) {
        families << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << QStringLiteral("Arimo");
        font.setStyleHint(QFont::SansSerif, QFont::ForceOutline);
    } else {
        families << QStringLiteral("Times New Roman") << QStringLiteral("Liberation Serif");
        font.setStyleHint(QFont::Serif, QFont::ForceOutline);
    }
    families.removeDuplicates();
    font.setFamilies(families);
    font.setKerning(false);
    return font;
}

class Typesetter {
public:
    Typesetter(const rtf::Document &document, QPdfWriter &writer)
        : m_document(document)
        , m_writer(writer)
    {
        for (auto it = document.fonts.cbegin(); it != document.fonts.cend(); ++it)
            m_faces.insert(it.key(), faceFor(it.value()));
    }

    QFont font(const rtf::CharFormat &format) const
    {
        QFont font = m_faces.value(format.font, m_faces.value(0));
        font.setPointSizeF(format.halfPoints / 2.0);
        font.setBold(format.bold);
        font.setUnderline(format.underline);
        return font;
    }

    void run(Rendered &rendered)
    {
        const rtf::Page &page = m_document.page;
        const qreal width = page.width - page.marginLeft - page.marginRight;
        const qreal bottom = page.height - page.marginBottom;
        QPainter painter(&m_writer);
        int pageIndex = 0;
        qreal y = page.marginTop;

        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setTabStopDistance(page.defaultTab / tabScale());
        option.setAlignment(Qt::AlignLeft);

        for (const rtf::Paragraph &paragraph : m_document.paragraphs) {
            y += paragraph.spaceBefore;
            const QString text = paragraph.text();
            QTextLayout layout(text, font(paragraph.mark), &m_writer);
            layout.setTextOption(option);
            QList<QTextLayout::FormatRange> formats;
            int from = 0;
            for (const rtf::Run &run : paragraph.runs) {
                QTextCharFormat format;
                format.setFont(font(run.format));
                formats.append({from, int(run.text.size()), format});
                from += int(run.text.size());
            }
            layout.setFormats(formats);

            // Every line of the paragraph in its place, a new page where the
            // next one would cross the bottom margin.
            struct Placed {
                QTextLine line;
                int page;
            };
            QList<Placed> placed;
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                const qreal height = lineHeight(paragraph, line);
                if (y + height > bottom && y > page.marginTop) {
                    ++pageIndex;
                    y = page.marginTop;
                }
                line.setPosition(QPointF(0, y));
                placed.append({line, pageIndex});
                rendered.lines.append({pageIndex, text.mid(line.textStart(), line.textLength()),
                    QRectF(page.marginLeft, y, line.naturalTextWidth(), height)});
                y += height;
            }
            layout.endLayout();

            for (const Placed &p : placed) {
                while (m_pagesBegun < p.page) {
                    m_writer.newPage();
                    ++m_pagesBegun;
                }
                p.line.draw(&painter, QPointF(page.marginLeft, 0));
            }
        }
        rendered.pageCount = pageIndex + 1;
    }

private:
    // A line is as high as the largest of its faces, each taken as a word
    // processor takes it: the font's ascent and descent for Windows, unrounded.
    // An empty paragraph is as high as the face of its mark.
    qreal lineHeight(const rtf::Paragraph &paragraph, const QTextLine &line)
    {
        qreal height = 0;
        int from = 0;
        const int start = line.textStart();
        const int end = start + line.textLength();
        for (const rtf::Run &run : paragraph.runs) {
            const int to = from + int(run.text.size());
            if (from < end && to > start)
                height = qMax(height, faceHeight(run.format));
            from = to;
        }
        return height > 0 ? height : faceHeight(paragraph.mark);
    }

    qreal faceHeight(const rtf::CharFormat &format)
    {
        const quint64 key = (quint64(format.font) << 32) | (quint64(format.halfPoints) << 1) | format.bold;
        const auto known = m_heights.constFind(key);
        if (known != m_heights.cend())
            return *known;
        const QFont face = font(format);
        const QRawFont raw = QRawFont::fromFont(QFont(face, &m_writer));
        const QByteArray os2 = raw.fontTable("OS/2");
        qreal height = QFontMetricsF(face, &m_writer).height();
        if (os2.size() >= 78 && raw.unitsPerEm() > 0) {
            const auto *table = reinterpret_cast<const uchar *>(os2.constData());
            const int winAscent = qFromBigEndian<quint16>(table + 74);
            const int winDescent = qFromBigEndian<quint16>(table + 76);
            height = (winAscent + winDescent) * format.halfPoints * 10.0 / raw.unitsPerEm();
        }
        m_heights.insert(key, height);
        return height;
    }

    // Qt scales a layout's tab stops by the ratio of its font's resolution to
    // the screen's; the stops are asked for in twips, so that ratio is
    // measured once and taken out.
    qreal tabScale() const
    {
        constexpr qreal probe = 1000;
        QTextLayout layout(QStringLiteral("\t"), font(rtf::CharFormat{}), &m_writer);
        QTextOption option;
        option.setTabStopDistance(probe);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(1e9);
        layout.endLayout();
        const qreal scale = line.cursorToX(1) / probe;
        Q_ASSERT(scale > 0);
        return scale > 0 ? scale : 1;
    }

    const rtf::Document &m_document;
    QPdfWriter &m_writer;
    QHash<int, QFont> m_faces;
    QHash<quint64, qreal> m_heights;
    int m_pagesBegun = 0;
};

// The document's heading: the first underlined text.
QString headingOf(const rtf::Document &document)
{
    for (const rtf::Paragraph &paragraph : document.paragraphs) {
        QString heading;
        for (const rtf::Run &run : paragraph.runs) {
            if (run.format.underline)
                heading += run.text;
        }
        heading = heading.simplified();
        if (!heading.isEmpty())
            return heading;
    }
    return QString();
}

} // namespace

Rendered render(const QByteArray &rtf, const QString &creator)
{
    const rtf::Document document = rtf::read(rtf);
    // The reader knows everything the program writes.
    Q_ASSERT_X(document.unknown.isEmpty(), "orderpdf::render", qPrintable(document.unknown.join(u' ')));

    Rendered rendered;
    rendered.title = headingOf(document);
    rendered.pageSize = QSizeF(document.page.width, document.page.height);

    QBuffer buffer(&rendered.pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setResolution(TwipsPerInch);
        writer.setTitle(rendered.title);
        writer.setCreator(creator);
        const QPageSize size(QSizeF(document.page.width / 20.0, document.page.height / 20.0), QPageSize::Point,
            QString(), QPageSize::FuzzyMatch);
        writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(), QPageLayout::Point, QMarginsF()));
        Typesetter(document, writer).run(rendered);
    }
    return rendered;
}

const QByteArray &Drawing::finished() const
{
    if (thread)
        thread->wait();
    return *pdf;
}

Drawing renderInBackground(
    const QByteArray &rtf, const QString &creator, QObject *receiver, std::function<void(const QByteArray &pdf)> done)
{
    Q_ASSERT(receiver);
    auto pdf = std::make_shared<QByteArray>();
    QThread *thread = QThread::create([rtf, creator, pdf] { *pdf = render(rtf, creator).pdf; });
    // Queued to the receiver's thread, and dropped with the receiver.
    QObject::connect(thread, &QThread::finished, receiver, [pdf, done = std::move(done)] { done(*pdf); });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    return Drawing{thread, pdf};
}

} // namespace orderpdf
