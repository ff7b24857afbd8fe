// Builds the main window: every control at its place, in creation order.

#include "mainwindow.h"

#include "accessorylayout.h"
#include "application.h"
#include "bevelpanel.h"
#include "channelgrid.h"
#include "channeltablemodel.h"
#include "controlnames.h"
#include "glyphbutton.h"
#include "linedgroupbox.h"
#include "picturebox.h"
#include "pictures.h"

#include <QApplication>
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
    return application::designedFont(QStringLiteral("Times New Roman"), pixelSize, bold);
}

template <typename W> W *make(QWidget *parent, const char *name, int x, int y, int w, int h)
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

// A variant list stands beside its box, a little higher.
constexpr int ListAboveBox = 2;

} // namespace

void MainWindow::buildControls()
{
    setFont(application::formFont());
    setFixedSize(830, 605);

    m_logo = make<PictureBox>(this, controlnames::Logo, 643, 507, 157, 89);
    m_logo->setTransparent(true);
    m_logo->setCursor(Qt::PointingHandCursor);
    m_logo->setToolTip(QString::fromLatin1(MakerWebAddress));
    m_logo->setPicture(pictures::loadBuiltIn(QStringLiteral(":/logo/logo.png"), devicePixelRatioF()));

    m_versionLabel =
        makeLabel(this, controlnames::VersionLabel, 719, 565, QStringLiteral("Version: ") + application::version());
    m_versionLabel->setFont(serifFont(13, true));
    m_versionLabel->adjustSize();

    m_leftPanel = make<QFrame>(this, controlnames::LeftPanel, 5, LeftHalfTop, 573, 500);
    m_leftPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    buildModelGroup();
    buildGrid();

    m_picturePanel = make<QFrame>(this, controlnames::PicturePanel, 611, 5, 214, 164);
    m_picturePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_picturePanel->setAutoFillBackground(true);
    QPalette white = m_picturePanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_picturePanel->setPalette(white);
    m_picture = make<PictureBox>(m_picturePanel, controlnames::Picture, 2, 2, 210, 160);

    buildAccessories();
    buildRightSide();
}

void MainWindow::buildModelGroup()
{
    m_modelGroup = make<LinedGroupBox>(m_leftPanel, controlnames::ModelGroup, 12, 6, 549, 56);
    m_modelGroup->setTitle(QStringLiteral("Typ požadované ústředny: "));
    m_modelGroup->setFlat(true);
    const struct {
        QRadioButton **button;
        const char *name;
        int x, width;
        const char *caption;
    } radios[] = {{&m_tq8Button, controlnames::Tq8Button, 38, 85, "TQ8"},
        {&m_tq8rButton, controlnames::Tq8rButton, 214, 105, "TQ8R"},
        {&m_assemblyButton, controlnames::AssemblyButton, 391, 128, "ZK222"}};
    for (const auto &r : radios) {
        *r.button = make<QRadioButton>(m_modelGroup, r.name, r.x, 16, r.width, 29);
        (*r.button)->setText(QLatin1String(r.caption));
        (*r.button)->setFont(serifFont(29, false));
        (*r.button)->setCursor(Qt::PointingHandCursor);
    }
}

void MainWindow::buildGrid()
{
    m_channelGrid = make<ChannelGrid>(m_leftPanel, controlnames::ChannelGrid, 12, 76, 549, 412);
    m_channelTable = new ChannelTableModel(&m_order, this);
    m_channelGrid->setModel(m_channelTable);
    m_channelGrid->setCursor(Qt::PointingHandCursor);
}

void MainWindow::buildAccessories()
{
    const accessorylayout::Places places =
        accessorylayout::walk(catalogue::Accessories.data(), catalogue::Accessories.size());
    Q_ASSERT(places.headingTops.size() == m_sectionHeadings.size() && places.lineTops.size() == m_sectionLines.size());

    m_accessoryGroup = make<LinedGroupBox>(this, controlnames::AccessoryGroup, 5,
        m_leftPanel->geometry().bottom() + 1 + LeftHalfGap, 574, places.groupHeight);
    m_accessoryGroup->setTitle(QStringLiteral("Příslušenství za příplatek: "));

    m_textMeasure = makeLabel(m_accessoryGroup, controlnames::TextMeasure, 445, 64, QString());
    m_textMeasure->setFont(application::formFont(true));
    m_textMeasure->hide();

    QPalette maroon = palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    for (std::size_t i = 0; i < m_sectionLines.size(); ++i) {
        const int number = int(i) + 1;
        if (i < m_sectionHeadings.size()) {
            QLabel *heading = makeLabel(m_accessoryGroup, qPrintable(controlnames::sectionHeading(number)), 8,
                places.headingTops[i], QString());
            heading->setPalette(maroon);
            m_sectionHeadings[i] = heading;
        }
        m_sectionLines[i] = makeLine(m_accessoryGroup, controlnames::sectionLine(number), places.lineTops[i]);
    }

    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        auto *box = make<QCheckBox>(m_accessoryGroup, qPrintable(controlnames::accessoryBox(tag)), 12,
            places.boxTops[std::size_t(tag - 1)], 400, accessorylayout::BoxHeight);
        box->setProperty("Tag", tag);
        m_accessoryBoxes[std::size_t(tag - 1)] = box;
    }
    // Headings are drawn above the check boxes that overlap them.
    for (QLabel *heading : m_sectionHeadings)
        heading->raise();

    m_adapterList = make<QComboBox>(m_accessoryGroup, controlnames::AdapterList, 424,
        accessoryBox(catalogue::AdapterTag)->y() - ListAboveBox, 145, 21);
    m_cableList = make<QComboBox>(
        m_accessoryGroup, controlnames::CableList, 492, accessoryBox(catalogue::CableTag)->y() - ListAboveBox, 77, 21);
    for (int item = 0; item < 3; ++item) {
        m_adapterList->addItem(catalogue::variantItem(catalogue::AdapterTag, item));
        m_cableList->addItem(catalogue::variantItem(catalogue::CableTag, item));
    }
    for (QComboBox *list : {m_adapterList, m_cableList}) {
        list->setCurrentIndex(0);
        list->setEnabled(false);
    }
}

void MainWindow::buildRightSide()
{
    m_buttonPanel = make<BevelPanel>(this, controlnames::ButtonPanel, 612, 323, 214, 122);
    const struct {
        QPushButton **button;
        const char *name;
        int top;
        const char *glyph;
    } buttons[] = {{&m_diagramButton, controlnames::DiagramButton, 10, ":/glyphs/bitbtn3.png"},
        {&m_resetButton, controlnames::ResetButton, 44, ":/glyphs/bitbtn1.png"},
        {&m_documentButton, controlnames::DocumentButton, 86, ":/glyphs/bitbtn2.png"}};
    for (const auto &b : buttons) {
        *b.button = make<QPushButton>(m_buttonPanel, b.name, 27, b.top, 160, 27);
        (*b.button)->setIcon(pictures::loadIcon(QLatin1String(b.glyph)));
        (*b.button)->setAutoDefault(true);
    }
    m_diagramButton->setText(QStringLiteral("Zobrazit blokové schéma"));
    m_resetButton->setText(QStringLiteral("Vynulovat formulář"));
    m_documentButton->setText(QStringLiteral("Vygenerovat dokument"));
    QFont bold = m_documentButton->font();
    bold.setBold(true);
    m_documentButton->setFont(bold);
    m_documentButton->setDefault(true);

    m_languageGroup = make<LinedGroupBox>(this, controlnames::LanguageGroup, 612, 171, 214, 57);
    m_languageGroup->setTitle(QStringLiteral("Choose language: "));
    m_languageButton = make<GlyphButton>(m_languageGroup, controlnames::LanguageButton, 87, 20, 40, 28);
    m_languageButton->setCursor(Qt::PointingHandCursor);
    m_languageButton->setGlyph(pictures::loadBuiltIn(QStringLiteral(":/glyphs/flags.bmp"), devicePixelRatioF()));
    m_languageButton->setNumGlyphs(1);

    m_scrollBar = make<QScrollBar>(this, controlnames::ScrollBar, 585, 0, 20, 603);
    m_scrollBar->setOrientation(Qt::Vertical);
    // At the end of its range the left half shows the accessory group's
    // bottom as far from the window's as the panel's top is from the top.
    m_scrollBar->setRange(0, m_accessoryGroup->geometry().bottom() + 1 + LeftHalfTop - height());
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(1);
    m_scrollBar->setValue(0);

    m_priceGroup = make<LinedGroupBox>(this, controlnames::PriceGroup, 612, 228, 214, 89);
    m_priceGroup->setTitle(QStringLiteral("Cenová kalkulace bez DPH: "));
    m_orderCodeCaption =
        makeLabel(m_priceGroup, controlnames::OrderCodeCaption, 8, 20, QStringLiteral("Objednací kod:"));
    m_orderCodeLabel = makeLabel(m_priceGroup, controlnames::OrderCodeLabel, 112, 20, QStringLiteral("---"));
    m_itemPriceCaption =
        makeLabel(m_priceGroup, controlnames::ItemPriceCaption, 8, 36, QStringLiteral("Cena za položku: "));
    m_itemPriceLabel = makeLabel(m_priceGroup, controlnames::ItemPriceLabel, 112, 36, QStringLiteral("0,-"));
    m_totalCaption = makeLabel(m_priceGroup, controlnames::TotalCaption, 8, 64, QStringLiteral("Celkem:"));
    m_totalLabel = makeLabel(m_priceGroup, controlnames::TotalLabel, 59, 64, QStringLiteral("0,-"));
    for (QLabel *label : {m_totalCaption, m_totalLabel}) {
        label->setFont(application::formFont(true));
        label->adjustSize();
    }
    // Labels whose text changes keep room for the longest text they show.
    for (QLabel *label : {m_orderCodeLabel, m_itemPriceLabel, m_totalLabel})
        label->resize(m_priceGroup->width() - label->x() - 8, label->height());
}
