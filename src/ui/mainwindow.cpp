// The main window: creation, scrolling of the left half, wheel routing and
// the dispatch of pointer movements to the hover handlers.

#include "mainwindow.h"

#include "channelgrid.h"
#include "desktop.h"
#include "dialogs.h"
#include "glyphbutton.h"
#include "picturebox.h"
#include "pictures.h"

#include "controlnames.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

const char *const MainWindow::MakerWebAddress = "https://www.vireologgers.cz";

namespace {
constexpr int WheelStep = 20;
constexpr int WheelNotch = 120;
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
    // and no further; the filter below hands it to that control's handler.
    for (QWidget *child : findChildren<QWidget *>())
        child->setAttribute(Qt::WA_NoMousePropagation);
    watch(this);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    startUp();
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

void MainWindow::startUp()
{
    const catalogue::Language start = platform::desktop().languageName() == QLatin1String("Czech")
                                          ? catalogue::Language::Czech
                                          : catalogue::Language::English;
    if (start == m_order.language())
        showLanguage(); // the texts are set for the language the order starts in
    else
        m_order.setLanguage(start);
}

void MainWindow::hoverWindow()
{
    clearPicture();
}

void MainWindow::scrollLeftHalf()
{
    // The panel and the accessory group below it move together.
    const int top = LeftHalfTop - m_scrollBar->value();
    m_leftPanel->move(m_leftPanel->x(), top);
    m_accessoryGroup->move(m_accessoryGroup->x(), top + m_leftPanel->height() + LeftHalfGap);
}

void MainWindow::scrollStepDown()
{
    m_scrollBar->setValue(m_scrollBar->value() + WheelStep);
}

void MainWindow::scrollStepUp()
{
    m_scrollBar->setValue(m_scrollBar->value() - WheelStep);
}

void MainWindow::scrollIntoView(QWidget *control)
{
    // A control reached by the keyboard below or above the window's edge
    // brings the left half along, so that the user sees what has the focus.
    if (!m_leftPanel->isAncestorOf(control) && !m_accessoryGroup->isAncestorOf(control))
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
        scrollStepUp();
    }
    while (m_wheelAccumulator <= -WheelNotch) {
        m_wheelAccumulator += WheelNotch;
        scrollStepDown();
    }
    event->accept();
    return true; // no control turns the wheel into anything else
}

void MainWindow::dispatchMouseMove(QWidget *target)
{
    if (target == this) {
        hoverWindow();
    } else if (target == m_leftPanel) {
        hoverLeftPanel();
    } else if (target == m_modelGroup) {
        hoverModelGroup();
    } else if (target == m_accessoryGroup) {
        hoverAccessoryGroup();
    } else if (target == m_tq8Button) {
        hoverModelButton(1);
    } else if (target == m_tq8rButton) {
        hoverModelButton(2);
    } else if (target == m_assemblyButton) {
        hoverModelButton(3);
    } else if (auto *box = qobject_cast<QCheckBox *>(target); box && box->parentWidget() == m_accessoryGroup) {
        hoverAccessory(box);
    }
}

// The window and each of its controls, those added later included (the
// grid's editors), show their pointer movements, wheel turns and keyboard
// focus to eventFilter().
void MainWindow::watch(QWidget *widget)
{
    // Without a button down, only a tracking control reports a movement to
    // its own filters.
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    for (QWidget *child : widget->findChildren<QWidget *>()) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            watch(static_cast<QWidget *>(child));
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

    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;

    switch (type) {
    case QEvent::MouseMove: {
        QWidget *target = widget;
        while (target != this && !target->isEnabled())
            target = target->parentWidget();
        dialogs::guarded(this, [&] { dispatchMouseMove(target); });
        return false;
    }
    case QEvent::Wheel: return routeWheel(widget, static_cast<QWheelEvent *>(event));
    default: return false;
    }
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

// Every change of the order shows in the controls that present it.
void MainWindow::followOrder()
{
    connect(&m_order, &OrderModel::modelChanged, this, [this](catalogue::Model model) { showModel(model); });
    connect(&m_order, &OrderModel::tickChanged, this, [this](int tag) { showTick(tag); });
    connect(&m_order, &OrderModel::enabledChanged, this, [this](int tag) { showEnabled(tag); });
    connect(&m_order, &OrderModel::variantChanged, this,
        [this](int tag, int variant) { variantList(tag)->setCurrentIndex(variant); });
    connect(&m_order, &OrderModel::languageChanged, this, [this] { showLanguage(); });
    connect(&m_order, &OrderModel::totalChanged, this,
        [this](qint32 total) { m_totalLabel->setText(catalogue::priceText(total)); });
}

void MainWindow::wireHandlers()
{
    followOrder();

    // Every handler reports what it throws in the error box.
    const auto guard = [this](auto handler) { return [this, handler] { dialogs::guarded(this, handler); }; };
    connect(m_scrollBar, &QScrollBar::valueChanged, this, guard([this] { scrollLeftHalf(); }));
    connect(m_channelGrid, &ChannelGrid::cellChosen, this,
        [this](const QModelIndex &cell) { dialogs::guarded(this, [&] { openPickerAt(m_channelGrid, cell); }); });
    connect(m_channelGrid, &ChannelGrid::leftPressed, this, guard([this] { gridPressed(); }));
    connect(m_channelGrid->delegate(), &ChannelDelegate::moduleCommitted, this,
        [this](int index) { dialogs::guarded(this, [&] { showModuleInfo(index); }); });
    connect(m_channelGrid, &ChannelGrid::pickerListClosed, this, [this] { pickerListClosed(); });
    // The grid reports the pointer over it (its own moves follow): the
    // window shows what lies there.
    connect(m_channelGrid, &ChannelGrid::pointerOver, this,
        [this](const QModelIndex &cell) { dialogs::guarded(this, [&] { hoverGrid(cell); }); });

    // A model button acts only when it becomes selected.
    for (QRadioButton *radio : {m_tq8Button, m_tq8rButton, m_assemblyButton}) {
        connect(radio, &QRadioButton::toggled, this, [this, guard, radio](bool on) {
            if (on)
                guard([this, radio] { modelButtonClick(radio); })();
        });
    }
    // A tick the user gives or takes goes to the order, which shows it back;
    // then the user's click has its own effect (a variant list drops down).
    for (QCheckBox *box : m_accessoryBoxes) {
        const int tag = box->property("Tag").toInt();
        connect(box, &QCheckBox::toggled, this,
            [this, guard, tag](bool on) { guard([this, tag, on] { m_order.setTicked(tag, on); })(); });
        connect(box, &QCheckBox::clicked, this,
            [this, guard, tag](bool on) { guard([this, tag, on] { accessoryClicked(tag, on); })(); });
    }
    // The lists' selections are the order's variants, however they change;
    // their handlers run only on a user's choice.
    for (const int tag : {catalogue::AdapterTag, catalogue::CableTag}) {
        QComboBox *list = variantList(tag);
        connect(list, &QComboBox::currentIndexChanged, this,
            [this, guard, tag](int item) { guard([this, tag, item] { m_order.setVariant(tag, item); })(); });
        connect(list, &QComboBox::activated, this, guard([this, tag] { variantChosen(tag); }));
    }

    connect(m_resetButton, &QPushButton::clicked, this, guard([this] { requestReset(); }));
    connect(m_documentButton, &QPushButton::clicked, this, guard([this] { requestDocument(); }));
    connect(m_diagramButton, &QPushButton::clicked, this, guard([this] { showDiagram(); }));
    connect(m_languageButton, &GlyphButton::clicked, this, guard([this] { switchLanguage(); }));
    connect(m_logo, &PictureBox::clicked, this, guard([this] { openMakerSite(); }));
}
