#include "channelgrid.h"

#include "channeltablemodel.h"
#include "controlnames.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyleFactory>

namespace {

using Column = ChannelTableModel::Column;

const QColor BorderColour(160, 160, 160);
const QColor LineColour(192, 192, 192);
const QColor Yellow(255, 255, 0);
constexpr int LineWidth = 1;
constexpr int HeadingHeight = 42;
constexpr int RowHeight = 22;
constexpr int ColumnWidths[ChannelTableModel::ColumnCount] = {64, 253, 228};
constexpr int DrawnCharacters = 255;
constexpr int PickerHeight = 21;

// A cell as the form draws it: the grid lines right and below, the cell's
// background, and its text from the top, centred, "\r" breaking the lines.
// Nothing is drawn outside the cell and its lines.
void drawCell(QPainter *painter, const QRect &withLines, const QColor &background, const QColor &textColour,
    const QFont &font, QString text)
{
    painter->save();
    painter->setClipRect(withLines, Qt::IntersectClip);
    painter->fillRect(withLines, LineColour);
    const QRect cell = withLines.adjusted(0, 0, -LineWidth, -LineWidth);
    painter->setClipRect(cell, Qt::IntersectClip);
    painter->fillRect(cell, background);
    painter->setPen(textColour);
    painter->setFont(font);
    text = text.left(DrawnCharacters);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    painter->drawText(cell, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
    painter->restore();
}

// The headings: yellow cells like the channel numbers, fixed in size, not
// clickable.
class HeadingRow : public QHeaderView {
public:
    explicit HeadingRow(QTableView *view)
        : QHeaderView(Qt::Horizontal, view)
        , m_view(view)
    {
        setSectionsClickable(false);
        setSectionsMovable(false);
        setHighlightSections(false);
        setMinimumSectionSize(0);
        setFixedHeight(HeadingHeight + LineWidth);
    }

    // Fixed: nothing to measure from the headings' texts.
    QSize sizeHint() const override { return QSize(length(), HeadingHeight + LineWidth); }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        drawCell(painter, rect, Yellow, m_view->palette().color(QPalette::Text), m_view->font(),
            model()->headerData(logicalIndex, Qt::Horizontal).toString());
    }

private:
    QTableView *m_view;
};

} // namespace

// ---- the picker ---------------------------------------------------------------

namespace {

// The picker opens as a plain list below the box, whatever the platform's
// style would do, so that 18 items show. One style serves every window; the
// application owns it.
class ListBelowStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(
        StyleHint hint, const QStyleOption *option, const QWidget *widget, QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The list's scroll bar, which moves on most arrow keys in the list. Fusion
// fills its groove and slider with gradients, which the raster engine
// spreads over worker threads for a bar this tall; waking them cost more
// than the drawing itself. So each drawing of the bar at rest is kept,
// under all that decides it, and shown again as a picture. The picture is
// drawn on the list window's own background, so nothing behind the bar
// needs drawing.
class KeptScrollBar : public QScrollBar {
public:
    explicit KeptScrollBar(QWidget *parent)
        : QScrollBar(Qt::Vertical, parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        // With the pointer on it or a button held, and for as long after as
        // a style may take to fade back to its look at rest, the bar draws
        // itself.
        if (underMouse() || QGuiApplication::mouseButtons() != Qt::NoButton)
            m_lastActive.start();
        if (m_lastActive.isValid() && m_lastActive.elapsed() < FadeMs) {
            QPainter painter(this);
            painter.fillRect(rect(), backdrop());
            painter.end();
            return QScrollBar::paintEvent(event);
        }
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls = QStyle::SC_All;
        option.activeSubControls = QStyle::SC_None;
        option.styleObject = nullptr; // no style's fade in a kept picture
        const qreal ratio = devicePixelRatioF();
        const QString key = QStringLiteral("formular-scrollbar %1 %2 %3 %4 %5 %6 %7 %8 %9")
                                .arg(quintptr(style()))
                                .arg(ratio)
                                .arg(option.rect.width())
                                .arg(option.rect.height())
                                .arg(int(option.state))
                                .arg(option.sliderPosition)
                                .arg(option.minimum)
                                .arg(option.maximum)
                                .arg(option.pageStep)
                            + QStringLiteral(" %1 %2 %3 %4 %5")
                                  .arg(option.singleStep)
                                  .arg(int(option.direction))
                                  .arg(option.upsideDown)
                                  .arg(option.palette.cacheKey())
                                  .arg(backdrop().rgba());
        QPixmap picture;
        if (!QPixmapCache::find(key, &picture)) {
            picture = QPixmap(size() * ratio);
            picture.setDevicePixelRatio(ratio);
            picture.fill(backdrop());
            QPainter painter(&picture);
            style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
            painter.end();
            QPixmapCache::insert(key, picture);
        }
        QPainter(this).drawPixmap(0, 0, picture);
    }

private:
    static constexpr qint64 FadeMs = 1000;
    QColor backdrop() const { return window()->palette().color(window()->backgroundRole()); }
    QElapsedTimer m_lastActive;
};

QStyle *listBelowStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new ListBelowStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(qApp);
    }
    return style;
}

} // namespace

ModulePicker::ModulePicker(QWidget *parent)
    : QComboBox(parent)
{
}

void ModulePicker::showPopup()
{
    if (!m_watchingList) {
        // The list and its style are made when first needed, not with the
        // window: the style only decides where the list drops down.
        m_watchingList = true;
        setStyle(listBelowStyle());
        QWidget *list = view()->window();
        list->installEventFilter(this);
        for (QWidget *part : list->findChildren<QWidget *>())
            part->installEventFilter(this);
    }
    m_openedByPress = QGuiApplication::mouseButtons() != Qt::NoButton;
    QComboBox::showPopup();
}

bool ModulePicker::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *list = view()->window();
    if (watched != list && !list->isAncestorOf(qobject_cast<QWidget *>(watched)))
        return QComboBox::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (watched == list && type == QEvent::Hide)
        emit listClosed();
    if (m_openedByPress && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)) {
        m_openedByPress = false;
        return type == QEvent::MouseButtonRelease;
    }
    return false;
}

// ---- the delegate ---------------------------------------------------------------

ChannelDelegate::ChannelDelegate(QTableView *view)
    : QStyledItemDelegate(view)
    , m_view(view)
    , m_moduleTexts(new QStringListModel(this))
{
}

void ChannelDelegate::setModuleTexts(const QStringList &texts, const QString &pickerName)
{
    // An open picker follows: it shows item 0 of the new texts.
    m_moduleTexts->setStringList(texts);
    m_pickerName = pickerName;
    if (m_picker)
        m_picker->setAccessibleName(pickerName);
}

ModulePicker *ChannelDelegate::picker() const
{
    return m_picker && m_picker->isVisible() ? m_picker.data() : nullptr;
}

QLineEdit *ChannelDelegate::noteEditor() const
{
    return m_noteEditor && m_noteEditor->isVisible() ? m_noteEditor.data() : nullptr;
}

void ChannelDelegate::finish(QWidget *editor, bool commit)
{
    if (commit)
        emit commitData(editor);
    emit closeEditor(editor);
}

bool ChannelDelegate::gridFocused() const
{
    return m_view->hasFocus() || (m_noteEditor && m_noteEditor->hasFocus());
}

void ChannelDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // The current cell is highlighted while the focus is elsewhere.
    const QPalette &palette = m_view->palette();
    QColor background = palette.color(QPalette::Base);
    QColor text = palette.color(QPalette::Text);
    if (index.column() == Column::NumberColumn) {
        background = Yellow;
    } else if (index == m_view->currentIndex() && !gridFocused()) {
        background = palette.color(QPalette::Highlight);
        text = palette.color(QPalette::HighlightedText);
    }
    drawCell(painter, option.rect, background, text, m_view->font(), index.data().toString());
}

QWidget *ChannelDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    if (index.column() == Column::ModuleColumn) {
        auto *picker = new ModulePicker(parent);
        picker->setObjectName(QLatin1String(controlnames::ModulePicker));
        picker->setModel(m_moduleTexts);
        picker->setMaxVisibleItems(18);
        // Every item is one line in one font: without this, the list works
        // out all 55 items' sizes again for each key that moves in it.
        static_cast<QListView *>(picker->view())->setUniformItemSizes(true);
        // Its items are always more than it shows; the list is laid out
        // lazily then, so the scroll bar is asked for outright.
        picker->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        picker->view()->setVerticalScrollBar(new KeptScrollBar(picker->view()));
        picker->setAccessibleName(m_pickerName);
        picker->resize(ColumnWidths[Column::ModuleColumn], PickerHeight);
        // A choice in the list, or an arrow key on the closed picker, ends
        // the edit (createEditor() is const only by its signature).
        auto *self = const_cast<ChannelDelegate *>(this);
        connect(picker, &QComboBox::activated, self, [self, picker] {
            if (picker->isVisible())
                self->finish(picker, true);
        });
        connect(picker, &ModulePicker::listClosed, this, &ChannelDelegate::pickerListClosed);
        m_picker = picker;
        return picker;
    }
    auto *editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("InplaceEditor"));
    editor->setFrame(false);
    editor->setFont(m_view->font());
    // Named for assistive technology after the column and the channel, e.g. "Note 5".
    editor->setAccessibleName(QStringLiteral("%1 %2").arg(
        index.model()->headerData(index.column(), Qt::Horizontal, Qt::AccessibleTextRole).toString(),
        QString::number(ChannelTableModel::channelOf(index))));
    m_noteEditor = editor;
    return editor;
}

void ChannelDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QVariant value = index.data(Qt::EditRole);
    if (auto *picker = qobject_cast<ModulePicker *>(editor)) {
        picker->setCurrentIndex(value.toInt());
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(value.toString());
        line->selectAll();
    }
}

void ChannelDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *picker = qobject_cast<ModulePicker *>(editor)) {
        const int item = picker->currentIndex();
        if (item >= 0) {
            model->setData(index, item);
            emit moduleCommitted(item);
        }
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        model->setData(index, line->text());
    }
}

void ChannelDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const QRect cell = option.rect.adjusted(0, 0, -LineWidth, -LineWidth);
    if (qobject_cast<ModulePicker *>(editor))
        editor->setGeometry(cell.left(), cell.top(), cell.width(), editor->height());
    else
        editor->setGeometry(cell);
}

bool ChannelDelegate::eventFilter(QObject *watched, QEvent *event)
{
    auto *picker = qobject_cast<ModulePicker *>(watched);
    if (!picker && !qobject_cast<QLineEdit *>(watched))
        return QStyledItemDelegate::eventFilter(watched, event);
    auto *editor = static_cast<QWidget *>(watched);
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            finish(editor, picker || key != Qt::Key_Escape);
            return true;
        }
    } else if (type == QEvent::FocusOut) {
        if (picker) {
            // Opening its own list moves the focus into the list, and another
            // window taking the activation leaves the picker focused within
            // this one: neither ends it.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            const QWidget *next = QApplication::focusWidget();
            const bool intoOwnList = next && next->window() == picker->view()->window();
            if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason || intoOwnList)
                return false;
        }
        finish(editor, true);
    }
    return false;
}

// ---- the view ---------------------------------------------------------------------

ChannelGrid::ChannelGrid(QWidget *parent)
    : QTableView(parent)
{
    setHorizontalHeader(new HeadingRow(this));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(RowHeight + LineWidth);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The hidden channel numbers never follow the current cell.
    verticalHeader()->setHighlightSections(false);
    horizontalHeader()->viewport()->installEventFilter(this);
    // The pointer is followed over the cells, the headings and the border.
    setMouseTracking(true);
    horizontalHeader()->viewport()->setMouseTracking(true);

    // A flat 1-pixel border, drawn in event(); the lines are the cells'.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setShowGrid(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAutoScroll(false);
    setTabKeyNavigation(false);
    // F2 and typing edit a note (edit() lets them only there); the picker is
    // opened by openPicker().
    setEditTriggers(EditKeyPressed | AnyKeyPressed);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setFocusPolicy(Qt::WheelFocus);

    m_delegate = new ChannelDelegate(this);
    setItemDelegate(m_delegate);
    connect(m_delegate, &ChannelDelegate::pickerListClosed, this, &ChannelGrid::pickerListClosed);
}

void ChannelGrid::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    for (int column = 0; column < ChannelTableModel::ColumnCount; ++column)
        horizontalHeader()->resizeSection(column, ColumnWidths[column] + LineWidth);
    setCurrentIndex(model->index(0, Column::ModuleColumn));
}

void ChannelGrid::setModuleTexts(const QStringList &texts, const QString &pickerName)
{
    m_delegate->setModuleTexts(texts, pickerName);
}

void ChannelGrid::setNoteTypingEnabled(bool on)
{
    if (m_noteTyping == on)
        return;
    m_noteTyping = on;
    if (!on)
        if (QLineEdit *editor = m_delegate->noteEditor())
            m_delegate->finish(editor, true);
}

QModelIndex ChannelGrid::hoverCell(const QAbstractItemModel *model, const QPoint &pos)
{
    const int moduleLeft = ColumnWidths[Column::NumberColumn];
    const int noteLeft = moduleLeft + LineWidth + ColumnWidths[Column::ModuleColumn];
    const int noteRight = noteLeft + LineWidth + ColumnWidths[Column::NoteColumn] - 1;
    int column = -1;
    if (pos.x() >= moduleLeft && pos.x() < noteLeft)
        column = Column::ModuleColumn;
    else if (pos.x() >= noteLeft && pos.x() <= noteRight)
        column = Column::NoteColumn;
    const int y = pos.y() - HeadingHeight;
    const int row = y >= 0 ? y / (RowHeight + LineWidth) : -1;
    if (column < 0 || row < 0 || row >= model->rowCount())
        return {};
    return model->index(row, column);
}

void ChannelGrid::hover(QWidget *surface, const QPoint &pos)
{
    // On the border the pointer is outside the client area: over no cell.
    const QPoint client = surface->mapTo(this, pos) - contentsRect().topLeft();
    const QModelIndex cell = surface == this ? QModelIndex() : hoverCell(model(), client);
    emit pointerOver(cell);

    const bool inNotes = cell.column() == Column::NoteColumn;
    const Qt::CursorShape shape = inNotes ? Qt::IBeamCursor : Qt::PointingHandCursor;
    if (cursor().shape() != shape)
        setCursor(shape);
    setNoteTypingEnabled(inNotes);
    if (cell.isValid() && cell != currentIndex())
        selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
}

bool ChannelGrid::pickerListOpen() const
{
    const ModulePicker *picker = m_delegate->picker();
    return picker && picker->view()->isVisible();
}

void ChannelGrid::focusPicker()
{
    if (ModulePicker *picker = m_delegate->picker())
        picker->setFocus(Qt::OtherFocusReason);
}

void ChannelGrid::openPicker(const QModelIndex &index)
{
    m_tracking = false;
    setCurrentIndex(index);
    if (ModulePicker *open = m_delegate->picker())
        m_delegate->setEditorData(open, index); // already open here
    else
        edit(index);
    if (ModulePicker *picker = m_delegate->picker())
        picker->showPopup();
}

void ChannelGrid::cancelEditing()
{
    if (ModulePicker *picker = m_delegate->picker()) {
        picker->hidePopup();
        if (picker->isVisible())
            m_delegate->finish(picker, false);
    } else if (QLineEdit *editor = m_delegate->noteEditor()) {
        m_delegate->finish(editor, false);
    }
}

void ChannelGrid::chooseByUser(const QModelIndex &index)
{
    // The window may open the picker there, which makes the cell current.
    emit cellChosen(index);
    setCurrentIndex(index);
}

bool ChannelGrid::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(this);
        painter.setPen(BorderColour);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A click on the border is a click on the grid too.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            emit leftPressed();
            return true;
        }
        break;
    case QEvent::MouseMove: hover(this, static_cast<QMouseEvent *>(event)->position().toPoint()); return true;
    default: break;
    }
    return QTableView::event(event);
}

bool ChannelGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != horizontalHeader()->viewport())
        return QTableView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A click on the headings selects nothing, but it is a click on the grid.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            emit leftPressed();
        return true;
    case QEvent::MouseMove:
        hover(horizontalHeader()->viewport(), static_cast<QMouseEvent *>(event)->position().toPoint());
        return false;
    default: return false;
    }
}

void ChannelGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() != Column::NumberColumn) {
        if (index == currentIndex() && m_noteTyping && index.column() == Column::NoteColumn) {
            edit(index);
        } else {
            m_tracking = true;
            chooseByUser(index);
        }
    }
    emit leftPressed();
}

void ChannelGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    hover(viewport(), pos);
    // Pressed and dragged, the current cell follows the pointer as chosen.
    if (m_tracking && (event->buttons() & Qt::LeftButton)) {
        const QModelIndex index = indexAt(pos);
        if (index.isValid() && index.column() != Column::NumberColumn && index != currentIndex())
            chooseByUser(index);
    }
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent *)
{
    m_tracking = false;
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

QModelIndex ChannelGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    // Over the modules and the notes only; the channel numbers are no cells.
    const QModelIndex current = currentIndex();
    const int lastRow = model()->rowCount() - 1;
    int row = current.row();
    int column = current.column();
    switch (action) {
    case MoveUp: row = qMax(0, row - 1); break;
    case MoveDown: row = qMin(lastRow, row + 1); break;
    case MoveLeft: column = qMax(int(Column::ModuleColumn), column - 1); break;
    case MoveRight: column = qMin(int(Column::NoteColumn), column + 1); break;
    case MoveHome: column = Column::ModuleColumn; break;
    case MoveEnd: column = Column::NoteColumn; break;
    case MovePageUp: row = 0; break;
    case MovePageDown: row = lastRow; break;
    case MoveNext:
    case MovePrevious: break;
    }
    const QModelIndex next = model()->index(row, column);
    if (next != current)
        emit cellChosen(next);
    return next;
}

bool ChannelGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    switch (trigger) {
    case CurrentChanged:
        // The current cell follows the pointer over the grid: a move of it
        // never opens an editor, so it skips the round trip through the
        // delegate that the view makes at every move.
        return false;
    case EditKeyPressed:
    case AnyKeyPressed: {
        // Keys edit the current note, while the pointer is over the notes;
        // a typed character or composed text starts it with that text.
        if (!m_noteTyping || index.column() != Column::NoteColumn)
            return false;
        if (trigger == AnyKeyPressed) {
            QString text;
            if (event && event->type() == QEvent::KeyPress)
                text = static_cast<QKeyEvent *>(event)->text();
            else if (event && event->type() == QEvent::InputMethod)
                text = static_cast<QInputMethodEvent *>(event)->commitString();
            if (text.isEmpty() || !text.at(0).isPrint())
                return false;
        }
        return QTableView::edit(index, trigger, event);
    }
    default: return QTableView::edit(index, trigger, event);
    }
}
