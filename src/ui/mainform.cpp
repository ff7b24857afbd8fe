// The main window: creation, scrolling of the left half, wheel routing and
// the dispatch of pointer movements to the hover handlers.

#include "mainform.h"

#include "desktop.h"
#include "dialogs.h"
#include "picturebox.h"
#include "speedbutton.h"
#include "stringgrid.h"

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
#include <QTimer>
#include <QWheelEvent>

const char *const TMainForm::MakerWebAddress = "https://www.vireologgers.cz";

namespace {
constexpr int ScrollRange = 510;
constexpr int WheelStep = 20;
constexpr int WheelNotch = 120;
} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(QIcon(QStringLiteral(":/icon/formular-48.png")));
    buildControls();
    wireHandlers();

    // Every pointer movement goes to the control directly under the pointer
    // and no further; the filter below hands it to that control's handler.
    for (QWidget *child : findChildren<QWidget *>())
        child->setAttribute(Qt::WA_NoMousePropagation);
    qApp->installEventFilter(this);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    FormCreate();
    StringGrid1->setFocus(Qt::OtherFocusReason);
}

TMainForm::~TMainForm() = default;

void TMainForm::setForms(TKontaktForm *kontaktForm, TImageForm *imageForm)
{
    m_kontaktForm = kontaktForm;
    m_imageForm = imageForm;
}

catalogue::Language TMainForm::currentLanguage() const
{
    return m_order.language();
}

catalogue::Model TMainForm::selectedModel() const
{
    return m_order.model();
}

bool TMainForm::anyModelSelected() const
{
    return selectedModel() != catalogue::Model::None;
}

void TMainForm::FormCreate()
{
    StringGrid1->setRowHeight(0, 42);
    StringGrid1->setColumnWidth(2, -1);
    for (int row = 1; row <= 16; ++row)
        StringGrid1->setCell(0, row, QString::number(row));
    const catalogue::Language start = platform::desktop().languageName() == QLatin1String("Czech")
                                          ? catalogue::Language::Czech
                                          : catalogue::Language::English;
    if (start == m_order.language())
        showLanguage(); // the texts are set for the language the order starts in
    else
        m_order.setLanguage(start);
}

void TMainForm::FormMouseMove()
{
    ClearPicture();
}

void TMainForm::ScrollBar1Change()
{
    const int p = ScrollBar1->value();
    Panel1->move(Panel1->x(), 5 - p);
    GroupBox2->move(GroupBox2->x(), 510 - p);
}

void TMainForm::FormMouseWheelDown()
{
    ScrollBar1->setValue(qBound(0, ScrollBar1->value() + WheelStep, ScrollRange));
}

void TMainForm::FormMouseWheelUp()
{
    ScrollBar1->setValue(qBound(0, ScrollBar1->value() - WheelStep, ScrollRange));
}

void TMainForm::scrollIntoView(QWidget *control)
{
    // A control reached by the keyboard below or above the window's edge
    // brings the left half along, so that the user sees what has the focus.
    if (!Panel1->isAncestorOf(control) && !GroupBox2->isAncestorOf(control))
        return;
    const int top = control->mapTo(this, QPoint(0, 0)).y();
    const int bottom = top + control->height();
    int value = ScrollBar1->value();
    if (bottom > height() - 5)
        value += bottom - (height() - 5);
    else if (top < 5)
        value -= 5 - top;
    ScrollBar1->setValue(qBound(0, value, ScrollRange));
}

bool TMainForm::pickerListOpen() const
{
    return ComboBox1->view() && ComboBox1->view()->isVisible();
}

bool TMainForm::routeWheel(QWidget *receiver, QWheelEvent *event)
{
    if (pickerListOpen())
        return false;

    // The enabled control under the pointer takes the focus, as a click would.
    QWidget *under = receiver;
    while (under && under != this && !under->isEnabled())
        under = under->parentWidget();
    if (under && under != this && under->focusPolicy() != Qt::NoFocus && !under->hasFocus()
        && under->isVisible())
        under->setFocus(Qt::MouseFocusReason);

    // One step of the left half per notch, however finely the wheel reports.
    const int delta = event->angleDelta().y();
    if ((delta > 0 && m_wheelAccumulator < 0) || (delta < 0 && m_wheelAccumulator > 0))
        m_wheelAccumulator = 0;
    m_wheelAccumulator += delta;
    while (m_wheelAccumulator >= WheelNotch) {
        m_wheelAccumulator -= WheelNotch;
        FormMouseWheelUp();
    }
    while (m_wheelAccumulator <= -WheelNotch) {
        m_wheelAccumulator += WheelNotch;
        FormMouseWheelDown();
    }
    event->accept();
    return true; // no control turns the wheel into anything else
}

void TMainForm::dispatchMouseMove(QWidget *target, const QPoint &globalPos)
{
    if (target == this) {
        FormMouseMove();
    } else if (target == Panel1) {
        Panel1MouseMove();
    } else if (target == GroupBox1) {
        GroupBox1MouseMove();
    } else if (target == GroupBox2) {
        GroupBox2MouseMove();
    } else if (target == RadioButton1) {
        RadioButton1MouseMove();
    } else if (target == RadioButton2) {
        RadioButton2MouseMove();
    } else if (target == RadioButton3) {
        RadioButton3MouseMove();
    } else if (target == StringGrid1) {
        const QPoint client = StringGrid::toClient(StringGrid1->mapFromGlobal(globalPos));
        StringGrid1MouseMove(client.x(), client.y());
    } else if (auto *box = qobject_cast<QCheckBox *>(target); box && box->parentWidget() == GroupBox2) {
        CheckBoxMouseMove(box);
    }
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Hide && watched == ComboBox1->view()->window()) {
        // A model chosen with an arrow key takes the focus after its handler
        // has opened the picker; once the list closes, the picker gets the
        // focus back instead of staying behind without it.
        QTimer::singleShot(0, this, [this] {
            const QWidget *focus = QApplication::focusWidget();
            if (ComboBox1->isVisible() && GroupBox1->isAncestorOf(focus))
                ComboBox1->setFocus(Qt::OtherFocusReason);
        });
        return false;
    }
    if (type == QEvent::FocusIn) {
        // Only the keyboard scrolls: the wheel and the hover focus what is seen.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        auto *focused = qobject_cast<QWidget *>(watched);
        if (focused && focused->window() == this
            && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            scrollIntoView(focused);
        return false;
    }
    if (m_pickerOpenedByPress && watched->isWidgetType()
        && (type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonPress)) {
        // The release of the click that dropped the list down is no choice:
        // the list would take it and close itself.
        m_pickerOpenedByPress = false;
        if (type == QEvent::MouseButtonRelease
            && static_cast<QWidget *>(watched)->window() == ComboBox1->view()->window())
            return true;
    }
    if (type != QEvent::MouseMove && type != QEvent::Wheel
        && !(watched == ComboBox1 && (type == QEvent::FocusOut || type == QEvent::KeyPress)))
        return QWidget::eventFilter(watched, event);

    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;

    switch (type) {
    case QEvent::MouseMove: {
        QWidget *target = widget;
        while (target != this && !target->isEnabled())
            target = target->parentWidget();
        const QPoint global = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        dialogs::guarded(this, [&] { dispatchMouseMove(target, global); });
        return false;
    }
    case QEvent::Wheel:
        return routeWheel(widget, static_cast<QWheelEvent *>(event));
    case QEvent::FocusOut: {
        // Opening its own list moves the focus into the list, and another
        // window taking the activation leaves the picker focused within this
        // one: neither is an exit.
        const QWidget *next = QApplication::focusWidget();
        const bool intoOwnList = next && next->window() == ComboBox1->view()->window();
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !intoOwnList) {
            // The focus is on its way elsewhere: the commit must not pull it back.
            m_focusLeavingPicker = true;
            dialogs::guarded(this, [this] { ComboBox1Exit(); });
            m_focusLeavingPicker = false;
        }
        return false;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            ComboBox1KeyPress(key);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void TMainForm::keyPressEvent(QKeyEvent *event)
{
    // Keys that no control used: Esc is the cancel button's, Enter the
    // default button's.
    switch (event->key()) {
    case Qt::Key_Escape:
        if (BitBtn1->isEnabled())
            BitBtn1->click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (BitBtn2->isEnabled())
            BitBtn2->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

// Every change of the order shows in the controls that present it.
void TMainForm::followOrder()
{
    connect(&m_order, &OrderModel::modelChanged, this, [this](catalogue::Model model) { showModel(model); });
    connect(&m_order, &OrderModel::channelChanged, this, [this](int channel) { showChannel(channel); });
    connect(&m_order, &OrderModel::tickChanged, this, [this](int tag, bool on) { showTick(tag, on); });
    connect(&m_order, &OrderModel::enabledChanged, this,
            [this](int tag, bool on) { checkBox(tag)->setEnabled(on); });
    connect(&m_order, &OrderModel::variantChanged, this, [this](int tag, int variant) {
        (tag == catalogue::AdapterTag ? ComboBox2 : ComboBox3)->setCurrentIndex(variant);
    });
    connect(&m_order, &OrderModel::languageChanged, this, [this] { showLanguage(); });
    connect(&m_order, &OrderModel::totalChanged, this,
            [this](qint32 total) { Label13->setText(catalogue::priceText(total)); });
}

void TMainForm::wireHandlers()
{
    followOrder();

    StringGrid1->onSelectCell = [this](int column, int row) {
        StringGrid1SelectCell(StringGrid1, column, row);
    };
    StringGrid1->onMouseDown = [this] { StringGrid1MouseDown(StringGrid1); };
    StringGrid1->onCellEdited = [this](int, int row, const QString &text) { m_order.setNote(row, text); };
    StringGrid1->onDrawCell = [this](QPainter &painter, int column, int row, const QRect &rect) {
        StringGrid1DrawCell(painter, column, row, rect);
    };
    // Every handler reports what it throws in the error box.
    const auto guard = [this](auto handler) {
        return [this, handler] { dialogs::guarded(this, handler); };
    };
    connect(ScrollBar1, &QScrollBar::valueChanged, this, guard([this] { ScrollBar1Change(); }));
    connect(ComboBox1, &QComboBox::activated, this, guard([this] { ComboBox1Exit(); }));

    // A model button acts only when it becomes selected.
    for (QRadioButton *radio : {RadioButton1, RadioButton2, RadioButton3}) {
        connect(radio, &QRadioButton::toggled, this, [this, guard, radio](bool on) {
            if (on)
                guard([this, radio] { modelButtonClick(radio); })();
        });
    }
    // A tick the user gives or takes goes to the order, which shows it back.
    for (QCheckBox *box : CheckBoxes) {
        const int tag = box->property("Tag").toInt();
        connect(box, &QCheckBox::toggled, this,
                [this, guard, tag](bool on) { guard([this, tag, on] { m_order.setTicked(tag, on); })(); });
    }
    // The lists' selections are the order's variants, however they change;
    // their handlers run only on a user's choice.
    connect(ComboBox2, &QComboBox::currentIndexChanged, this,
            [this, guard](int item) { guard([this, item] { m_order.setAdapterVariant(item); })(); });
    connect(ComboBox3, &QComboBox::currentIndexChanged, this,
            [this, guard](int item) { guard([this, item] { m_order.setCableVariant(item); })(); });
    connect(ComboBox2, &QComboBox::activated, this, guard([this] { ComboBox2Change(); }));
    connect(ComboBox3, &QComboBox::activated, this, guard([this] { ComboBox3Change(); }));

    connect(BitBtn1, &QPushButton::clicked, this, guard([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, guard([this] { BitBtn2Click(); }));
    connect(BitBtn3, &QPushButton::clicked, this, guard([this] { BitBtn3Click(); }));
    connect(SpeedButton1, &SpeedButton::clicked, this, guard([this] { SpeedButton1Click(); }));
    connect(Image2, &PictureBox::clicked, this, guard([this] { Image2Click(); }));
}
