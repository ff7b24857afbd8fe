// The order document: contact details, filling, writing and opening.

#include "mainwindow.h"

#include "application.h"
#include "contactdialog.h"
#include "desktop.h"
#include "diagramwindow.h"
#include "dialogs.h"
#include "itempane.h"
#include "orderdocument.h"
#include "orderpdf.h"
#include "picturebox.h"
#include "wholefile.h"
#include "workingfolder.h"

#include <QDir>
#include <QPointer>

namespace {

const QString DocumentName = QStringLiteral("formular.rtf");
// The same document as a PDF, beside it: what opens where the desktop has
// no program for RTF.
const QString PdfName = QStringLiteral("formular.pdf");
constexpr int OpenerTimeoutMs = 7500;

// The warning the earlier versions gave when WordPad did not come up, word
// for word in both languages: the grave accent of "Can`t", the carriage
// return between the lines and the blanks that centre the first line over
// the second (20 in English, 15 in Czech) are kept on purpose.
void warnOpenerFailed(QWidget *window)
{
    dialogs::Request warning;
    warning.icon = QMessageBox::Warning;
    warning.title = QStringLiteral("Warning"); // the same in both languages, kept on purpose
    warning.buttons = QMessageBox::Ok;
    //: The leading blanks centre the first line over the second.
    warning.text = QCoreApplication::translate("MainWindow", "                    Can`t run \"WordPad.exe\".\r"
                                                             "Please find your Form at folder with this application.");
    dialogs::ask(window, warning);
}

} // namespace

// The dialogs are built when they are first needed, not at start. Both are
// opened window-modal: the main window takes no input while one is open,
// and no handler waits in a loop of its own for it to close.
ContactDialog *MainWindow::contactDialog()
{
    if (!m_contactDialog) {
        m_contactDialog = new ContactDialog([this] { return m_order.language(); }, this);
        connect(m_contactDialog, &QDialog::accepted, this, &MainWindow::writeAndOpenDocument);
    }
    return m_contactDialog;
}

DiagramWindow *MainWindow::diagramWindow()
{
    if (!m_diagramWindow)
        m_diagramWindow = new DiagramWindow(this);
    return m_diagramWindow;
}

void MainWindow::requestDocument()
{
    // While a document is being opened, the command is not taken again.
    if (m_openingDocument)
        return;
    contactDialog()->open();
}

void MainWindow::writeAndOpenDocument()
{
    const catalogue::Language language = m_order.language();
    const QByteArray bytes =
        document::fill(document::templateFor(language), m_order.order(), language, m_contactDialog->contact());
    // By its full path, which a message names should the folder be gone.
    const QDir folder(platform::workingFolder());
    const QString path = folder.filePath(DocumentName);
    // A link named like the document is never written through: it may have
    // been planted in a shared folder to overwrite some other file.
    const Outcome saved = wholefile::write(path, bytes);
    if (!saved.ok()) {
        dialogs::showError(this, saved.message());
        return;
    }

    // The hourglass shows while the PDF is drawn and the opener comes up;
    // the window goes on taking input meanwhile. The PDF is drawn from the
    // bytes just written, on a thread of its own.
    m_openingDocument = true;
    setCursor(Qt::WaitCursor);
    const QString pdfPath = folder.filePath(PdfName);
    m_pendingPdf =
        PendingPdf{orderpdf::renderInBackground(bytes, QStringLiteral("Formular ") + application::version(), this,
                       [this, path, pdfPath](const QByteArray &pdf) {
                           m_pendingPdf.reset();
                           writePdfAndOpen(path, pdfPath, pdf);
                       }),
            pdfPath};
}

// When the program ends while the PDF is drawn (a logout, SIGTERM), the PDF
// is still written, so that it never stays behind the RTF beside it. There
// is no one left to tell should that fail; the previous PDF then stays whole.
void MainWindow::finishPendingPdf()
{
    if (!m_pendingPdf)
        return;
    const PendingPdf pending = *std::exchange(m_pendingPdf, std::nullopt);
    (void)wholefile::write(pending.path, pending.drawing.finished());
}

// The PDF is a second copy: when it cannot be written, the RTF is opened
// all the same and the previous PDF stays as it was.
void MainWindow::writePdfAndOpen(const QString &path, const QString &pdfPath, const QByteArray &pdf)
{
    const Outcome pdfSaved = wholefile::write(pdfPath, pdf);
    QStringList documents{path};
    if (pdfSaved.ok())
        documents << pdfPath;
    const QPointer<MainWindow> window(this);
    platform::desktop().openDocument(documents, OpenerTimeoutMs, [window](bool opened) {
        if (!window)
            return;
        window->unsetCursor();
        window->m_openingDocument = false;
        if (!opened)
            warnOpenerFailed(window);
    });
    if (!pdfSaved.ok())
        dialogs::showError(this, pdfSaved.message());
}

void MainWindow::showDiagram()
{
    const int number = m_order.language() == catalogue::Language::Czech ? 34 : 35;
    QImage diagram;
    if (!m_itemPane->load(number, &diagram))
        return;
    diagramWindow()->setDiagram(diagram);
    diagramWindow()->open();
}
