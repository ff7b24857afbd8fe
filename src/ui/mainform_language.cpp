// The Czech / English switch of every text of the main window.

#include "mainform.h"

#include "picturebox.h"
#include "speedbutton.h"
#include "stringgrid.h"
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

constexpr Text WindowCaption{u"Objednací formulář pro ústředny TQ8, TQ8R",
                             u"Ordering form for TQ8, TQ8R data loggers"};
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

struct Heading {
    int firstTag;
    Text text;
};
constexpr Heading Headings[9] = {
    {3, {u"Příslušenství pro upevnění ústředny: ", u"Accessories for data logger mounting: "}},
    {5, {u"Volitelná vnitřní vybavení: ", u"Optional internal equipment: "}},
    {7, {u"Externí převodníky komunikačních rozhraní: ", u"External communication converters: "}},
    {10,
     {u"Příslušenství pro zpracování alarmového signálu ALARM OUT: ",
      u"Accessories connectable to ALARM OUT output: "}},
    {12, {u"Modul výstupních relé: ", u"Output relays module: "}},
    {17, {u"Terminály s displejem: ", u"Terminals with display: "}},
    {20, {u"GSM modem s příslušenstvím: ", u"GSM modem and accessories: "}},
    {24, {u"Kryty, kabely a ostatní příslušenství: ", u"Covers, cables and other accessories: "}},
    {28, {u"Sestavy ve skříni s vyšším stupněm krytí: ", u"Assemblies in case with higher IP protection: "}},
};

} // namespace

void TMainForm::fitCheckBoxWidth(QCheckBox *box)
{
    const QString caption = box->text();
    TextWidthLabel->setText(caption);
    box->resize(TextWidthLabel->fontMetrics().horizontalAdvance(caption) + 20, box->height());
}

// The flag switches to the other language; the order withdraws or offers
// the certificate, and the window follows with every text.
void TMainForm::SpeedButton1Click()
{
    m_order.setLanguage(m_order.language() == catalogue::Language::Czech ? catalogue::Language::English
                                                                        : catalogue::Language::Czech);
}

void TMainForm::showLanguage()
{
    const catalogue::Language language = m_order.language();
    const bool czech = language == catalogue::Language::Czech;

    // The window leaves the screen while its texts change.
    const bool shown = isVisible();
    const QPoint place = pos();
    if (shown)
        showMinimized();

    SpeedButton1->setNumGlyphs(czech ? 1 : 3);
    translations::useLanguage(language);
    GroupBox4->setVisible(czech);
    Panel4->move(Panel4->x(), czech ? 323 : 233);
    RadioButton3->setToolTip(AssemblyHint.in(czech));
    setWindowTitle(WindowCaption.in(czech));
    GroupBox1->setTitle(ModelGroup.in(czech));

    StringGrid1->setRowHeight(0, 42);
    StringGrid1->setCell(0, 0, ChannelHeading.in(czech));
    StringGrid1->setCell(1, 0, ModuleHeading.in(czech));
    StringGrid1->setCell(3, 0, NoteHeading.in(czech));

    ComboBox1->clear();
    for (int i = 0; i < catalogue::ModuleCount; ++i)
        ComboBox1->addItem(catalogue::moduleDescription(i, language));
    ComboBox1->setCurrentIndex(0);

    BitBtn1->setText(ResetCaption.in(czech));
    BitBtn2->setText(DocumentCaption.in(czech));
    BitBtn3->setText(DiagramCaption.in(czech));
    GroupBox2->setTitle(AccessoryGroup.in(czech));
    StringGrid1->setAccessibleName(GridName.in(czech));
    ComboBox1->setAccessibleName(PickerName.in(czech));
    ComboBox2->setAccessibleName(AdapterName.in(czech));
    ComboBox3->setAccessibleName(CableName.in(czech));
    SpeedButton1->setAccessibleName(LanguageName.in(czech));
    ScrollBar1->setAccessibleName(ScrollName.in(czech));
    Image2->setAccessibleName(LogoName.in(czech));

    const Heading *heading = std::begin(Headings);
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        if (heading != std::end(Headings) && heading->firstTag == tag) {
            QLabel *label = SectionLabels[std::size_t(heading - std::begin(Headings))];
            label->setText(heading->text.in(czech));
            label->adjustSize();
            ++heading;
        }
        QCheckBox *box = checkBox(tag);
        box->setText(catalogue::accessoryCaption(tag, language));
        fitCheckBoxWidth(box);
    }


    if (shown) {
        showNormal();
        move(place);
        raise();
        activateWindow();
    }
}
