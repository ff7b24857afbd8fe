#pragma once

// A reader of the RTF this program writes: the two templates with their
// placeholders filled by document::fill() and rtfText(). It gives back the
// page, the fonts and the paragraphs with their character runs, so that the
// same document can be laid out again elsewhere (as a PDF).
//
// It knows the control words and symbols that the templates and rtfText()
// produce and nothing more; whatever else it meets is listed in
// Document::unknown, so that a test over every template and every kind of
// typed text finds what a change to either has brought in.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace rtf {

// Lengths are in twips (1/1440 inch), as RTF gives them.
struct Page {
    int width = 12240; // RTF's defaults: US Letter, 1.25" and 1" margins
    int height = 15840;
    int marginLeft = 1800;
    int marginRight = 1800;
    int marginTop = 1440;
    int marginBottom = 1440;
    int defaultTab = 720;
};

struct Font {
    QString name;            // as the table names it, e.g. "Courier New CE"
    bool fixedPitch = false; // \fmodern or \fprq1
    bool sansSerif = false;  // \fswiss
};

struct CharFormat {
    int font = 0;
    int halfPoints = 24; // \fs: type size in half points
    bool bold = false;
    bool underline = false;
    bool operator==(const CharFormat &o) const
    {
        return font == o.font && halfPoints == o.halfPoints && bold == o.bold && underline == o.underline;
    }
    bool operator!=(const CharFormat &o) const { return !(*this == o); }
};

// A stretch of text in one format. A tab is '\t', a line break inside the
// paragraph (\line) is QChar::LineSeparator.
struct Run {
    QString text;
    CharFormat format;
};

struct Paragraph {
    int spaceBefore = 0; // \sb
    QList<Run> runs;     // none for an empty paragraph
    CharFormat mark;     // the format at its \par: an empty line's size
    QString text() const;
};

struct Document {
    Page page;
    QMap<int, Font> fonts;
    QList<Paragraph> paragraphs;
    QStringList unknown; // control words and symbols this reader does not know
};

// Reads `bytes`; text is taken as Windows-1250, as the templates declare.
Document read(const QByteArray &bytes);

} // namespace rtf
