#pragma once

// The order document as a PDF, for desktops that have no program for RTF
// and for sending by e-mail. It is drawn from the very RTF bytes written to
// formular.rtf, read back by rtf::read(), so that both files always say the
// same: the page, margins, tab width, faces, sizes, bold and underline are
// the ones the RTF declares, and long lines wrap at the right margin as a
// word processor wraps them.
//
// The PDF is PDF/A-1b (archivable, every font embedded, text that copies
// out as it was typed), titled with the document's heading.

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>

class QThread;

namespace orderpdf {

// One line as drawn: its text (tabs as '\t') and its box on its page, in
// twips from the page's top left corner.
struct Line {
    int page = 0;
    QString text;
    QRectF box;
};

struct Rendered {
    QByteArray pdf;
    QString title;
    QSizeF pageSize; // twips
    QList<Line> lines;
    int pageCount = 0;
};

// Lays out and draws `rtf`; `creator` names the program in the PDF's
// metadata. Needs a QGuiApplication (fonts).
Rendered render(const QByteArray &rtf, const QString &creator);

// A PDF drawn on a thread of its own, so that the window goes on meanwhile
// (embedding the fonts takes most of the time). The thread deletes itself
// once it has finished; `pdf` holds the PDF from then on.
struct Drawing {
    QPointer<QThread> thread;
    std::shared_ptr<const QByteArray> pdf;
    // Waits for the thread, if it still runs, and gives the PDF.
    const QByteArray &finished() const;
};

// Starts the drawing. `done` is called with the PDF on `receiver`'s thread,
// from its event loop, unless `receiver` is gone by then.
Drawing renderInBackground(
    const QByteArray &rtf, const QString &creator, QObject *receiver, std::function<void(const QByteArray &pdf)> done);

} // namespace orderpdf
