// The Czech / English switch of every text of the main window.

#include "mainwindow.h"

#include "channelgrid.h"
#include "channeltablemodel.h"
#include "glyphbutton.h"
#include "picturebox.h"
#include "translations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

struct Text {
    const char16_t *czech;
    const char16_t *english;
    QString in(bool czech) const { return QString::fromUtf16(czech ? this->czech : this->english); }
};

constexpr Text WindowCaption{u"Objednací formulář pro ústředny TQ8, TQ8R", u"Ordering form for TQ8, TQ8R data loggers"};
constexpr Text ModelGroup{u"Typ požadované ústředny: ", u"Choose data logger model please: "};
constexpr Text AssemblyHint{u"Ústředna TQ8 ve skříni IP54 s připojeným terminálem.",
    u"TQ8 data logger in IP54 case with connected terminal with LCD."};
constexpr Text ChannelHeading{u"Číslo\rvstupního\rkanálu", u"Input\rchannel\rnumber"};
constexpr Text ModuleHeading{u"Typ\rvstupního\rmodulu", u"Input\rmodule\rtype"};
constexpr Text NoteHeading{u"\rPoznámka", u"\rNote"};
constexpr Text ResetCaption{u"Vynulovat formulář", u"Delete form"};
constexpr Text DocumentCaption{u"Vygenerovat dokument", u"Create document"};
constexpr Text DiagramCaption{u"Zobrazit blokové schéma", u"Show system architecture"};
constexpr Text AccessoryGroup{u"Příslušenství za příplatek: ", u"Accessories: "};

// Names for assistive technology of the controls that have no caption.
constexpr Text GridName{u"Vstupní kanály", u"Input channels"};
constexpr Text PickerName{u"Typ vstupního modulu", u"Input module type"};
constexpr Text AdapterName{u"Typ napájecího adaptéru", u"Power supply type"};
constexpr Text CableName{u"Délka komunikačního kabelu", u"Connection cable length"};
constexpr Text LanguageName{u"Switch to English", u"Přepnout do češtiny"};
constexpr Text ScrollName{u"Posunout formulář", u"Scroll the form"};
constexpr Text LogoName{u"Webové stránky výrobce", u"The maker's web site"};

} // namespace

void MainWindow::fitAccessoryBoxWidth(QCheckBox *box)
{
    const QString caption = box->text();
    m_textMeasure->setText(caption);
    box->resize(m_textMeasure->fontMetrics().horizontalAdvance(caption) + 20, box->height());
}

// The flag switches to the other language; the order withdraws or offers
// the certificate, and the window follows with every text.
void MainWindow::switchLanguage()
{
    m_order.setLanguage(
        m_order.language() == catalogue::Language::Czech ? catalogue::Language::English : catalogue::Language::Czech);
}

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
    m_priceGroup->setVisible(czech);
    m_buttonPanel->move(m_buttonPanel->x(), czech ? 323 : 233);
    m_assemblyButton->setToolTip(AssemblyHint.in(czech));
    setWindowTitle(WindowCaption.in(czech));
    m_modelGroup->setTitle(ModelGroup.in(czech));

    m_channelTable->setHeadings({ChannelHeading.in(czech), ModuleHeading.in(czech), NoteHeading.in(czech)});

    QStringList modules;
    modules.reserve(catalogue::ModuleCount);
    for (int i = 0; i < catalogue::ModuleCount; ++i)
        modules.append(catalogue::moduleDescription(i, language));
    m_channelGrid->setModuleTexts(modules, PickerName.in(czech));

    m_resetButton->setText(ResetCaption.in(czech));
    m_documentButton->setText(DocumentCaption.in(czech));
    m_diagramButton->setText(DiagramCaption.in(czech));
    m_accessoryGroup->setTitle(AccessoryGroup.in(czech));
    m_channelGrid->setAccessibleName(GridName.in(czech));
    m_adapterList->setAccessibleName(AdapterName.in(czech));
    m_cableList->setAccessibleName(CableName.in(czech));
    m_languageButton->setAccessibleName(LanguageName.in(czech));
    m_scrollBar->setAccessibleName(ScrollName.in(czech));
    m_logo->setAccessibleName(LogoName.in(czech));

    for (int section = 0; section < catalogue::AccessorySectionCount; ++section) {
        QLabel *heading = m_sectionHeadings[std::size_t(section)];
        heading->setText(catalogue::sectionHeading(section, language));
        heading->adjustSize();
    }
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        QCheckBox *box = accessoryBox(tag);
        box->setText(catalogue::accessoryCaption(tag, language));
        fitAccessoryBoxWidth(box);
    }

    if (shown) {
        showNormal();
        move(place);
        raise();
        activateWindow();
    }
}
