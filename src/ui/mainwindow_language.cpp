// The Czech / English switch of every text of the main window.

#include "mainwindow.h"

#include "accessorypanel.h"
#include "channelgrid.h"
#include "channeltablemodel.h"
#include "formparts.h"
#include "glyphbutton.h"
#include "itempane.h"
#include "modelchooser.h"
#include "picturebox.h"
#include "translations.h"

#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>

namespace {

using formparts::Text;

constexpr Text WindowCaption{u"Objednací formulář pro ústředny TQ8, TQ8R", u"Ordering form for TQ8, TQ8R data loggers"};
constexpr Text ChannelHeading{u"Číslo\rvstupního\rkanálu", u"Input\rchannel\rnumber"};
constexpr Text ModuleHeading{u"Typ\rvstupního\rmodulu", u"Input\rmodule\rtype"};
constexpr Text NoteHeading{u"\rPoznámka", u"\rNote"};
constexpr Text ResetCaption{u"Vynulovat formulář", u"Delete form"};
constexpr Text DocumentCaption{u"Vygenerovat dokument", u"Create document"};
constexpr Text DiagramCaption{u"Zobrazit blokové schéma", u"Show system architecture"};

// Names for assistive technology of the controls that have no caption.
constexpr Text GridName{u"Vstupní kanály", u"Input channels"};
constexpr Text PickerName{u"Typ vstupního modulu", u"Input module type"};
constexpr Text LanguageName{u"Switch to English", u"Přepnout do češtiny"};
constexpr Text ScrollName{u"Posunout formulář", u"Scroll the form"};
constexpr Text LogoName{u"Webové stránky výrobce", u"The maker's web site"};

} // namespace

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
    translations::useLanguage(language);
    m_itemPane->showLanguage(czech);
    m_buttonPanel->move(m_buttonPanel->x(), czech ? 323 : 233);
    setWindowTitle(WindowCaption.in(czech));
    m_modelChooser->showLanguage(czech);

    m_channelTable->setHeadings({ChannelHeading.in(czech), ModuleHeading.in(czech), NoteHeading.in(czech)});

    QStringList modules;
    modules.reserve(catalogue::ModuleCount);
    for (int i = 0; i < catalogue::ModuleCount; ++i)
        modules.append(catalogue::moduleDescription(i, language));
    m_channelGrid->setModuleTexts(modules, PickerName.in(czech));

    m_resetButton->setText(ResetCaption.in(czech));
    m_documentButton->setText(DocumentCaption.in(czech));
    m_diagramButton->setText(DiagramCaption.in(czech));
    m_channelGrid->setAccessibleName(GridName.in(czech));
    m_languageButton->setAccessibleName(LanguageName.in(czech));
    m_scrollBar->setAccessibleName(ScrollName.in(czech));
    m_logo->setAccessibleName(LogoName.in(czech));

    m_accessoryPanel->showLanguage(language);

    if (shown) {
        showNormal();
        move(place);
        raise();
        activateWindow();
    }
}
