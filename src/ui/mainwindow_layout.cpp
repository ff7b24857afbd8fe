// Builds the main window: every control at its place, in creation order.

#include "mainwindow.h"

#include "accessorypanel.h"
#include "application.h"
#include "bevelpanel.h"
#include "channelgrid.h"
#include "channeltablemodel.h"
#include "controlnames.h"
#include "formparts.h"
#include "glyphbutton.h"
#include "itempane.h"
#include "linedgroupbox.h"
#include "modelchooser.h"
#include "picturebox.h"
#include "pictures.h"
#include "pointerwatch.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>

using formparts::make;
using formparts::makeLabel;

void MainWindow::buildControls()
{
    setFont(application::formFont());
    setFixedSize(830, 605);

    m_logo = make<PictureBox>(this, controlnames::Logo, 643, 507, 157, 89);
    m_logo->setTransparent(true);
    m_logo->setCursor(Qt::PointingHandCursor);
    m_logo->setToolTip(QString::fromLatin1(MakerWebAddress));
    m_logo->setPicture(pictures::loadBuiltIn(QStringLiteral(":/logo/logo.png"), devicePixelRatioF()));

    QLabel *versionLabel =
        makeLabel(this, controlnames::VersionLabel, 719, 565, QStringLiteral("Version: ") + application::version());
    versionLabel->setFont(application::designedFont(QStringLiteral("Times New Roman"), 13, true));
    versionLabel->adjustSize();

    m_leftPanel = make<QFrame>(this, controlnames::LeftPanel, 5, LeftHalfTop, 573, 500);
    m_leftPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_modelChooser = new ModelChooser(m_leftPanel);
    buildGrid();

    m_itemPane = new ItemPane(this);

    m_accessoryPanel = new AccessoryPanel(m_order, this);
    m_accessoryPanel->move(5, m_leftPanel->geometry().bottom() + 1 + LeftHalfGap);

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
    // The captions come with the language shown at start.
    QFont bold = m_documentButton->font();
    bold.setBold(true);
    m_documentButton->setFont(bold);
    m_documentButton->setDefault(true);

    auto *languageGroup = make<LinedGroupBox>(this, controlnames::LanguageGroup, 612, 171, 214, 57);
    languageGroup->setTitle(QStringLiteral("Choose language: "));
    m_languageButton = make<GlyphButton>(languageGroup, controlnames::LanguageButton, 87, 20, 40, 28);
    m_languageButton->setCursor(Qt::PointingHandCursor);
    m_languageButton->setGlyph(pictures::loadBuiltIn(QStringLiteral(":/glyphs/flags.bmp"), devicePixelRatioF()));
    m_languageButton->setNumGlyphs(1);

    m_scrollBar = make<QScrollBar>(this, controlnames::ScrollBar, 585, 0, 20, 603);
    m_scrollBar->setOrientation(Qt::Vertical);
    // At the end of its range the left half shows the accessory group's
    // bottom as far from the window's as the panel's top is from the top.
    m_scrollBar->setRange(0, m_accessoryPanel->geometry().bottom() + 1 + LeftHalfTop - height());
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(1);
    m_scrollBar->setValue(0);
}

// The grid over the order's channels, its module picker, and what they
// report to the window.
void MainWindow::buildGrid()
{
    m_channelGrid = make<ChannelGrid>(m_leftPanel, controlnames::ChannelGrid, 12, 76, 549, 412);
    m_channelTable = new ChannelTableModel(&m_order, this);
    m_channelGrid->setModel(m_channelTable);
    m_channelGrid->setCursor(Qt::PointingHandCursor);

    connect(m_channelGrid, &ChannelGrid::cellChosen, this,
        [this](const QModelIndex &cell) { openPickerAt(m_channelGrid, cell); });
    connect(m_channelGrid, &ChannelGrid::leftPressed, this, [this] { gridPressed(); });
    connect(m_channelGrid->delegate(), &ChannelDelegate::moduleCommitted, this,
        [this](int index) { m_itemPane->showModule(index); });
    // A model chosen with an arrow key takes the focus after its handler
    // has opened the picker; once the list closes, the picker gets the focus
    // back instead of staying behind without it.
    connect(m_channelGrid, &ChannelGrid::pickerListClosed, this, [this] {
        if (m_channelGrid->pickerShown() && m_modelChooser->isAncestorOf(QApplication::focusWidget()))
            m_channelGrid->focusPicker();
    });
    // The grid reports the pointer over it (its own moves follow): the
    // window shows what lies there.
    connect(m_channelGrid, &ChannelGrid::pointerOver, this, [this](const QModelIndex &cell) { hoverGrid(cell); });
}
