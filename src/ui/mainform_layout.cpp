// Builds the main window: every control at its place, in creation order.

#include "mainform.h"

#include "application.h"
#include "bevelpanel.h"
#include "picturebox.h"
#include "speedbutton.h"
#include "stringgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

QFont serifFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

template <typename W>
W *make(QWidget *parent, const char *name, int x, int y, int w, int h)
{
    auto *widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QLabel *makeLabel(QWidget *parent, const char *name, int x, int y, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QFrame *makeLine(QWidget *parent, const QString &name, int top)
{
    auto *line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, top, parent->width() - 16, 2);
    return line;
}

// Check box tops by tag, and the heading that stands above a tag.
constexpr int CheckBoxTops[29] = {13,  30,  59,  75,  103, 119, 147, 163, 179, 207,
                                  223, 251, 267, 283, 299, 315, 343, 359, 375, 403,
                                  419, 435, 451, 479, 495, 511, 527, 555, 579};
struct Heading {
    int firstTag;
    int top;
};
constexpr Heading Headings[9] = {{3, 46},   {5, 90},   {7, 134},  {10, 194}, {12, 238},
                                 {17, 330}, {20, 390}, {24, 466}, {28, 542}};
constexpr int LastLineTop = 574;

} // namespace

void TMainForm::buildControls()
{
    setFont(application::formFont());
    setFixedSize(830, 605);

    Image2 = make<PictureBox>(this, "Image2", 643, 507, 157, 89);
    Image2->setTransparent(true);
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->setToolTip(QString::fromLatin1(MakerWebAddress));
    Image2->setPicture(QImage(QStringLiteral(":/logo/logo.png")));

    Label16 = makeLabel(this, "Label16", 719, 565, QStringLiteral("Version: 1.2"));
    Label16->setFont(serifFont(13, true));
    Label16->adjustSize();

    Panel1 = make<QFrame>(this, "Panel1", 5, 5, 573, 500);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    buildModelGroup();
    buildGrid();

    Panel2 = make<QFrame>(this, "Panel2", 611, 5, 214, 164);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setAutoFillBackground(true);
    QPalette white = Panel2->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel2->setPalette(white);
    Image1 = make<PictureBox>(Panel2, "Image1", 2, 2, 210, 160);

    buildAccessories();
    buildRightSide();

    // Group box captions sit on the frame's top line, left-aligned; a flat
    // group box draws that line alone.
    for (QGroupBox *group : findChildren<QGroupBox *>())
        group->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid #a0a0a0; border-radius: 0; margin-top: 6px; }"
            "QGroupBox[flat=\"true\"] { border-width: 1px 0 0 0; }"
            "QGroupBox::title { subcontrol-origin: border; subcontrol-position: top left;"
            " left: 7px; top: -7px; padding: 0 1px; }"));
}

void TMainForm::buildModelGroup()
{
    GroupBox1 = make<QGroupBox>(Panel1, "GroupBox1", 12, 6, 549, 56);
    GroupBox1->setTitle(QStringLiteral("Typ požadované ústředny: "));
    GroupBox1->setFlat(true);
    const struct {
        QRadioButton **button;
        const char *name;
        int x, width;
        const char *caption;
    } radios[] = {{&RadioButton1, "RadioButton1", 38, 85, "TQ8"},
                  {&RadioButton2, "RadioButton2", 214, 105, "TQ8R"},
                  {&RadioButton3, "RadioButton3", 391, 128, "ZK222"}};
    for (const auto &r : radios) {
        *r.button = make<QRadioButton>(GroupBox1, r.name, r.x, 16, r.width, 29);
        (*r.button)->setText(QLatin1String(r.caption));
        (*r.button)->setFont(serifFont(29, false));
        (*r.button)->setCursor(Qt::PointingHandCursor);
    }
}

void TMainForm::buildGrid()
{
    StringGrid1 = new StringGrid(4, 17, Panel1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(12, 76, 549, 412);
    StringGrid1->setColumnWidth(0, 64);
    StringGrid1->setColumnWidth(1, 253);
    StringGrid1->setColumnWidth(2, 2);
    StringGrid1->setColumnWidth(3, 228);
    StringGrid1->setEditableColumn(3);
    StringGrid1->setCursor(Qt::PointingHandCursor);

    ComboBox1 = make<QComboBox>(Panel1, "ComboBox1", 13, 77, 253, 21);
    ComboBox1->setMaxVisibleItems(18);
    // A plain list below the box, so that 18 items show whatever the style.
    ComboBox1->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    ComboBox1->hide();
}

void TMainForm::buildAccessories()
{
    GroupBox2 = make<QGroupBox>(this, "GroupBox2", 5, 510, 574, 600);
    GroupBox2->setTitle(QStringLiteral("Příslušenství za příplatek: "));

    TextWidthLabel = makeLabel(GroupBox2, "TextWidthLabel", 445, 64, QString());
    TextWidthLabel->setFont(application::formFont(true));
    TextWidthLabel->hide();

    QPalette maroon = palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    for (int i = 0; i < 9; ++i) {
        QLabel *heading = makeLabel(GroupBox2, qPrintable(QStringLiteral("Label%1").arg(i + 1)), 8,
                                    Headings[i].top, QString());
        heading->setPalette(maroon);
        SectionLabels[std::size_t(i)] = heading;
        SectionLines[std::size_t(i)] = makeLine(GroupBox2, QStringLiteral("Bevel%1").arg(i + 1),
                                                Headings[i].top + 12);
    }
    SectionLines[9] = makeLine(GroupBox2, QStringLiteral("Bevel10"), LastLineTop);

    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        auto *box = make<QCheckBox>(GroupBox2, qPrintable(QStringLiteral("CheckBox%1").arg(tag)), 12,
                                    CheckBoxTops[tag - 1], 400, 17);
        box->setProperty("Tag", tag);
        CheckBoxes[std::size_t(tag - 1)] = box;
    }
    // Headings are drawn above the check boxes that overlap them.
    for (QLabel *heading : SectionLabels)
        heading->raise();

    ComboBox2 = make<QComboBox>(GroupBox2, "ComboBox2", 424, 28, 145, 21);
    ComboBox3 = make<QComboBox>(GroupBox2, "ComboBox3", 492, 357, 77, 21);
    for (const auto &item : catalogue::AdapterItems)
        ComboBox2->addItem(catalogue::qs(item));
    for (const auto &item : catalogue::CableItems)
        ComboBox3->addItem(catalogue::qs(item));
    for (QComboBox *list : {ComboBox2, ComboBox3}) {
        list->setCurrentIndex(0);
        list->setEnabled(false);
    }
}

void TMainForm::buildRightSide()
{
    Panel4 = make<BevelPanel>(this, "Panel4", 612, 323, 214, 122);
    const struct {
        QPushButton **button;
        const char *name;
        int top;
        const char *glyph;
    } buttons[] = {{&BitBtn3, "BitBtn3", 10, ":/glyphs/bitbtn3.png"},
                   {&BitBtn1, "BitBtn1", 44, ":/glyphs/bitbtn1.png"},
                   {&BitBtn2, "BitBtn2", 86, ":/glyphs/bitbtn2.png"}};
    for (const auto &b : buttons) {
        *b.button = make<QPushButton>(Panel4, b.name, 27, b.top, 160, 27);
        (*b.button)->setIcon(QIcon(QLatin1String(b.glyph)));
        (*b.button)->setAutoDefault(true);
    }
    BitBtn3->setText(QStringLiteral("Zobrazit blokové schéma"));
    BitBtn1->setText(QStringLiteral("Vynulovat formulář"));
    BitBtn2->setText(QStringLiteral("Vygenerovat dokument"));
    QFont bold = BitBtn2->font();
    bold.setBold(true);
    BitBtn2->setFont(bold);
    BitBtn2->setDefault(true);

    GroupBox3 = make<QGroupBox>(this, "GroupBox3", 612, 171, 214, 57);
    GroupBox3->setTitle(QStringLiteral("Choose language: "));
    SpeedButton1 = make<SpeedButton>(GroupBox3, "SpeedButton1", 87, 20, 40, 28);
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    SpeedButton1->setGlyph(QImage(QStringLiteral(":/glyphs/flags.bmp")));
    SpeedButton1->setNumGlyphs(1);

    ScrollBar1 = make<QScrollBar>(this, "ScrollBar1", 585, 0, 20, 603);
    ScrollBar1->setOrientation(Qt::Vertical);
    ScrollBar1->setRange(0, 510);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(1);
    ScrollBar1->setValue(0);

    GroupBox4 = make<QGroupBox>(this, "GroupBox4", 612, 228, 214, 89);
    GroupBox4->setTitle(QStringLiteral("Cenová kalkulace bez DPH: "));
    Label11 = makeLabel(GroupBox4, "Label11", 8, 20, QStringLiteral("Objednací kod:"));
    Label14 = makeLabel(GroupBox4, "Label14", 112, 20, QStringLiteral("---"));
    Label10 = makeLabel(GroupBox4, "Label10", 8, 36, QStringLiteral("Cena za položku: "));
    Label15 = makeLabel(GroupBox4, "Label15", 112, 36, QStringLiteral("0,-"));
    Label12 = makeLabel(GroupBox4, "Label12", 8, 64, QStringLiteral("Celkem:"));
    Label13 = makeLabel(GroupBox4, "Label13", 59, 64, QStringLiteral("0,-"));
    for (QLabel *label : {Label12, Label13}) {
        label->setFont(application::formFont(true));
        label->adjustSize();
    }
    // Labels whose text changes keep room for the longest text they show.
    for (QLabel *label : {Label14, Label15, Label13})
        label->resize(GroupBox4->width() - label->x() - 8, label->height());
}
