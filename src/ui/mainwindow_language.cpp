// The Czech / English switch of the main window: the texts through tr(),
// with their Czech from the catalogue the switch installs, and what else
// the language decides.

#include "mainwindow.h"

#include "accessorypanel.h"
#include "channelgrid.h"
#include "channeltablemodel.h"
#include "glyphbutton.h"
#include "itempane.h"
#include "modelchooser.h"
#include "picturebox.h"
#include "translations.h"

#include <QComboBox>
#include <QEvent>
#include <QPushButton>
#include <QScrollBar>

void MainWindow::showLanguage()
{
    const catalogue::Language language = m_order.language();
    const bool czech = language == catalogue::Language::Czech;

    // The window leaves the screen while its texts change.
    const bool shown = isVisible();
    const QPoint place = pos();
    if (shown)
        showMinimized();

    m_languageButton->setNumGlyphs(czech ? 1 : 3);
    // The catalogue first: the texts below are its. Its change event is
    // posted and comes after the window is back on the screen, so the
    // texts are set here as well.
    translations::useLanguage(language);
    m_itemPane->showLanguage(czech);
    m_buttonPanel->move(m_buttonPanel->x(), czech ? 323 : 233);
    m_modelChooser->retranslate();
    retranslate();

    QStringList modules;
    modules.reserve(catalogue::ModuleCount);
    for (int i = 0; i < catalogue::ModuleCount; ++i)
        modules.append(catalogue::moduleDescription(i, language));
    m_channelGrid->setModuleTexts(modules, tr("Input module type"));

    m_accessoryPanel->retranslate();
    m_accessoryPanel->showLanguage(language);

    if (shown) {
        showNormal();
        move(place);
        raise();
        activateWindow();
    }
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void MainWindow::retranslate()
{
    setWindowTitle(tr("Ordering form for TQ8, TQ8R data loggers"));
    // "\r" breaks a heading into lines; kept on purpose: the empty first
    // line of the note's heading.
    m_channelTable->setHeadings({tr("Input\rchannel\rnumber"), tr("Input\rmodule\rtype"), tr("\rNote")});
    m_resetButton->setText(tr("Delete form"));
    m_documentButton->setText(tr("Create document"));
    m_diagramButton->setText(tr("Show system architecture"));

    // Names for assistive technology of the controls that have no caption.
    m_channelGrid->setAccessibleName(tr("Input channels"));
    //: The button names the language a click brings, in that language.
    m_languageButton->setAccessibleName(tr("Přepnout do češtiny"));
    m_scrollBar->setAccessibleName(tr("Scroll the form"));
    m_logo->setAccessibleName(tr("The maker's web site"));
}
