// The main window: creation, wiring of the panes, scrolling of the left
// half, the wheel, the focus and the keys.

#include "mainwindow.h"

#include "accessorypanel.h"
#include "channelgrid.h"
#include "desktop.h"
#include "glyphbutton.h"
#include "itempane.h"
#include "modelchooser.h"
#include "picturebox.h"
#include "pictures.h"

#include "controlnames.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

const char *const MainWindow::MakerWebAddress = "https://www.vireologgers.cz";

namespace {
constexpr int WheelStep = 20;
constexpr int WheelNotch = 120;

// The window and each of its controls, those added later included (the
// grid's editors), show their wheel turns and keyboard focus to `filter`.
void watch(QWidget *widget, QObject *filter)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(filter);
    for (QWidget *child : widget->findChildren<QWidget *>()) {
        child->setMouseTracking(true);
        child->installEventFilter(filter);
    }
}

void openMakerSite()
{
    // The link is a convenience: whatever goes wrong is ignored.
    try {
        platform::desktop().openUrl(QUrl(QString::fromLatin1(MainWindow::MakerWebAddress)));
    } catch (...) {
    }
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QLatin1String(controlnames::MainWindow));
    setWindowIcon(QPixmap::fromImage(pictures::loadBuiltIn(QStringLiteral(":/icon/formular-48.png"))));
    buildControls();
    wireHandlers();

    // Every pointer movement goes to the control directly under the pointer
    // and no further; the pane it belongs to handles it.
    for (QWidget *child : findChildren<QWidget *>())
        child->setAttribute(Qt::WA_NoMousePropagation);
    watch(this, this);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    const catalogue::Language start = platform::desktop().languageName() == QLatin1String("Czech")
                                          ? catalogue::Language::Czech
                                          : catalogue::Language::English;
    if (start == m_order.language())
        showLanguage(); // the texts are set for the language the order starts in
    else
        m_order.setLanguage(start);
    m_channelGrid->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow()
{
    // The grid's editors end, unsaved, while the order they write to is
    // still here; the grid reports nothing more to a window going away.
    m_channelGrid->cancelEditing();
    for (QObject *grid : {static_cast<QObject *>(m_channelGrid), static_cast<QObject *>(m_channelGrid->delegate())})
        grid->disconnect(this);
    finishPendingPdf();
}

void MainWindow::scrollLeftHalf()
{
    // The panel and the accessory group below it move together.
    const int top = LeftHalfTop - m_scrollBar->value();
    m_leftPanel->move(m_leftPanel->x(), top);
    m_accessoryPanel->move(m_accessoryPanel->x(), top + m_leftPanel->height() + LeftHalfGap);
}

void MainWindow::scrollIntoView(QWidget *control)
{
    // A control reached by the keyboard below or above the window's edge
    // brings the left half along, so that the user sees what has the focus.
    if (!m_leftPanel->isAncestorOf(control) && !m_accessoryPanel->isAncestorOf(control))
        return;
    const int top = control->mapTo(this, QPoint(0, 0)).y();
    const int bottom = top + control->height();
    int value = m_scrollBar->value();
    if (bottom > height() - 5)
        value += bottom - (height() - 5);
    else if (top < 5)
        value -= 5 - top;
    m_scrollBar->setValue(value); // the scroll bar keeps it within its range
}

bool MainWindow::routeWheel(QWidget *receiver, QWheelEvent *event)
{
    if (m_channelGrid->pickerListOpen())
        return false;

    // The enabled control under the pointer takes the focus, as a click would.
    QWidget *under = receiver;
    while (under && under != this && !under->isEnabled())
        under = under->parentWidget();
    if (under && under != this && under->focusPolicy() != Qt::NoFocus && !under->hasFocus() && under->isVisible())
        under->setFocus(Qt::MouseFocusReason);

    // One step of the left half per notch, however finely the wheel reports.
    const int delta = event->angleDelta().y();
    if ((delta > 0 && m_wheelAccumulator < 0) || (delta < 0 && m_wheelAccumulator > 0))
        m_wheelAccumulator = 0;
    m_wheelAccumulator += delta;
    while (m_wheelAccumulator >= WheelNotch) {
        m_wheelAccumulator -= WheelNotch;
        m_scrollBar->setValue(m_scrollBar->value() - WheelStep);
    }
    while (m_wheelAccumulator <= -WheelNotch) {
        m_wheelAccumulator += WheelNotch;
        m_scrollBar->setValue(m_scrollBar->value() + WheelStep);
    }
    event->accept();
    return true; // no control turns the wheel into anything else
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            watch(static_cast<QWidget *>(child), this);
        return false;
    }
    if (type == QEvent::FocusIn) {
        // Only the keyboard scrolls: the wheel and the hover focus what is seen.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        auto *focused = qobject_cast<QWidget *>(watched);
        if (focused && focused->window() == this && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            scrollIntoView(focused);
        return false;
    }
    if (type != QEvent::MouseMove && type != QEvent::Wheel)
        return QWidget::eventFilter(watched, event);
    // An enabled control of a pane is the pane's to follow.
    if (type == QEvent::MouseMove && watched != this && watched != m_leftPanel && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isEnabled())
        return false;

    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;

    if (type == QEvent::Wheel)
        return routeWheel(widget, static_cast<QWheelEvent *>(event));

    // The pointer over the window's own surface, between the panes, or over
    // the left half's frame around the chooser and the grid; each pane
    // follows the pointer over its own controls.
    QWidget *target = widget;
    while (target != this && !target->isEnabled())
        target = target->parentWidget();
    if (target == this) {
        clearPicture();
    } else if (target == m_leftPanel) {
        m_hover.gridPictureShown = false;
    }
    return false;
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // Keys that no control used: Esc is the cancel button's, Enter the
    // default button's.
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_resetButton->isEnabled())
            m_resetButton->click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_documentButton->isEnabled())
            m_documentButton->click();
        return;
    default: QWidget::keyPressEvent(event);
    }
}

// The panes follow the order and report to the window; the window passes
// what they report on to the order and to the other panes.
void MainWindow::wireHandlers()
{
    connect(&m_order, &OrderModel::modelChanged, this,
        [this](catalogue::Model model) { m_modelChooser->showModel(model); });
    connect(&m_order, &OrderModel::languageChanged, this, [this] { showLanguage(); });
    connect(&m_order, &OrderModel::totalChanged, m_itemPane, &ItemPane::showTotal);

    connect(m_modelChooser, &ModelChooser::chosen, this, [this](catalogue::Model model) { chooseModel(model); });
    connect(m_modelChooser, &ModelChooser::pointerOnModel, this, [this](catalogue::Model model) {
        if (m_hover.modelPicture != int(model)) {
            m_hover.modelPicture = int(model);
            m_itemPane->showPicture(catalogue::modelPicture(model));
        }
        m_itemPane->showModel(model);
    });
    connect(m_modelChooser, &ModelChooser::pointerOnGroup, this, [this] {
        m_hover.modelPicture = 0;
        clearPicture();
    });

    connect(m_accessoryPanel, &AccessoryPanel::pointerOn, this, [this](int tag, const catalogue::Accessory &row) {
        if (tag != m_hover.lastAccessory)
            showAccessoryInfo(tag, row);
        m_hover.lastAccessory = tag;
    });
    // A choice in a variant list shows the chosen item, and the variant's
    // picture where its row says so, as its hover does.
    connect(m_accessoryPanel, &AccessoryPanel::variantChosen, this, [this](int tag, const catalogue::Accessory &row) {
        const int variant = m_order.variant(tag);
        m_itemPane->showAccessory(row, variant);
        if (row.list.choiceShowsPicture) {
            m_itemPane->showPicture(catalogue::pictureOf(row, variant));
            m_hover.lastAccessory = -1;
        }
    });

    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this] { scrollLeftHalf(); });
    connect(m_resetButton, &QPushButton::clicked, this, [this] { requestReset(); });
    connect(m_documentButton, &QPushButton::clicked, this, [this] { requestDocument(); });
    connect(m_diagramButton, &QPushButton::clicked, this, [this] { showDiagram(); });
    // The flag switches to the other language; the order withdraws or offers
    // the certificate, and the window follows with every text.
    connect(m_languageButton, &GlyphButton::clicked, this, [this] {
        m_order.setLanguage(m_order.language() == catalogue::Language::Czech ? catalogue::Language::English
                                                                             : catalogue::Language::Czech);
    });
    connect(m_logo, &PictureBox::clicked, this, [] { openMakerSite(); });
}
