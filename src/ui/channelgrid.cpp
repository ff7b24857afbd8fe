#include "channelgrid.h"

#include "channeltablemodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
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

ChannelDelegate::ChannelDelegate(ModulePicker *picker, QTableView *view)
    : QStyledItemDelegate(view)
    , m_picker(picker)
    , m_view(view)
{
    // A choice in the list, or an arrow key on the closed picker.
    connect(m_picker, &QComboBox::activated, this, [this] {
        if (m_picker->isVisible())
            finish(m_picker, true);
    });
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
    if (index.column() == Column::ModuleColumn)
        return m_picker;
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

void ChannelDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    // The picker serves every opening; the view has hidden it.
    if (editor != m_picker)
        QStyledItemDelegate::destroyEditor(editor, index);
}

void ChannelDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (editor == m_picker) {
        // The channel's module is preselected: the first item naming its code.
        int preselect = 0;
        for (int i = 0; i < m_picker->count(); ++i) {
            if (m_picker->itemText(i).contains(text)) {
                preselect = i;
                break;
            }
        }
        m_picker->setCurrentIndex(preselect);
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(text);
        line->selectAll();
    }
}

void ChannelDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (editor == m_picker) {
        const int item = m_picker->currentIndex();
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
    if (editor == m_picker)
        editor->setGeometry(cell.left(), cell.top(), cell.width(), editor->height());
    else
        editor->setGeometry(cell);
}

bool ChannelDelegate::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool picker = watched == m_picker;
    if (!picker && (!m_noteEditor || watched != m_noteEditor))
        return QStyledItemDelegate::eventFilter(watched, event);
    if (type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            finish(static_cast<QWidget *>(watched), picker || key != Qt::Key_Escape);
            return true;
        }
    } else if (type == QEvent::FocusOut) {
        if (picker) {
            // Opening its own list moves the focus into the list, and another
            // window taking the activation leaves the picker focused within
            // this one: neither ends it.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            const QWidget *next = QApplication::focusWidget();
            const bool intoOwnList = next && next->window() == m_picker->view()->window();
            if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason || intoOwnList)
                return false;
        }
        finish(static_cast<QWidget *>(watched), true);
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

    // A flat 1-pixel border, drawn in event(); the lines are the cells'.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setShowGrid(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAutoScroll(false);
    setTabKeyNavigation(false);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setFocusPolicy(Qt::WheelFocus);

    m_picker = new ModulePicker(viewport());
    m_picker->hide();
    m_delegate = new ChannelDelegate(m_picker, this);
    setItemDelegate(m_delegate);
}

void ChannelGrid::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    for (int column = 0; column < ChannelTableModel::ColumnCount; ++column)
        horizontalHeader()->resizeSection(column, ColumnWidths[column] + LineWidth);
    setCurrentIndex(model->index(0, Column::ModuleColumn));
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

bool ChannelGrid::isSurface(const QWidget *widget) const
{
    return widget == this || widget == viewport() || widget == horizontalHeader()
           || widget == horizontalHeader()->viewport();
}

QModelIndex ChannelGrid::cellAt(const QWidget *widget, const QPoint &pos) const
{
    return widget == viewport() ? indexAt(pos) : QModelIndex();
}

void ChannelGrid::openPicker(const QModelIndex &index)
{
    m_tracking = false;
    setCurrentIndex(index);
    if (m_picker->isVisible())
        m_delegate->setEditorData(m_picker, index); // already open here
    else
        edit(index);
    if (m_picker->isVisible())
        m_picker->showPopup();
}

void ChannelGrid::cancelEditing()
{
    m_picker->hidePopup();
    if (m_picker->isVisible())
        m_delegate->finish(m_picker, false);
    else if (QLineEdit *editor = m_delegate->noteEditor())
        m_delegate->finish(editor, false);
}

void ChannelGrid::chooseByUser(const QModelIndex &index)
{
    // The window may open the picker there, which makes the cell current.
    emit cellChosen(index);
    setCurrentIndex(index);
}

void ChannelGrid::typeNote(const QString &text)
{
    edit(currentIndex());
    if (QLineEdit *editor = m_delegate->noteEditor())
        editor->setText(text);
}

bool ChannelGrid::event(QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        QPainter painter(this);
        painter.setPen(BorderColour);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return true;
    }
    // A click on the border is a click on the grid too.
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        emit leftPressed();
        return true;
    }
    return QTableView::event(event);
}

bool ChannelGrid::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the headings selects nothing, but it is a click on the grid.
    if (watched == horizontalHeader()->viewport()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            emit leftPressed();
        return true;
    }
    return QTableView::eventFilter(watched, event);
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
    // Pressed and dragged, the current cell follows the pointer.
    if (!m_tracking || !(event->buttons() & Qt::LeftButton))
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() != Column::NumberColumn && index != currentIndex())
        chooseByUser(index);
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent *)
{
    m_tracking = false;
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void ChannelGrid::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    const int lastRow = model()->rowCount() - 1;
    int row = current.row();
    int column = current.column();
    const bool typing = m_noteTyping && column == Column::NoteColumn;
    switch (event->key()) {
    case Qt::Key_Up: row = qMax(0, row - 1); break;
    case Qt::Key_Down: row = qMin(lastRow, row + 1); break;
    case Qt::Key_Left: column = qMax(int(Column::ModuleColumn), column - 1); break;
    case Qt::Key_Right: column = qMin(int(Column::NoteColumn), column + 1); break;
    case Qt::Key_Home: column = Column::ModuleColumn; break;
    case Qt::Key_End: column = Column::NoteColumn; break;
    case Qt::Key_PageUp: row = 0; break;
    case Qt::Key_PageDown: row = lastRow; break;
    case Qt::Key_F2:
        // F2 in an open note editor comes here too: the note stays as typed.
        if (typing && state() != EditingState)
            edit(current);
        return;
    default:
        if (typing && !event->text().isEmpty() && event->text().at(0).isPrint()) {
            typeNote(event->text());
            return;
        }
        event->ignore();
        return;
    }
    if (row != current.row() || column != current.column())
        chooseByUser(model()->index(row, column));
}

bool ChannelGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // The current cell follows the pointer over the grid: a move of it never
    // opens an editor (there are no edit triggers), so it skips the round
    // trip through the delegate that the view makes at every move.
    if (trigger == CurrentChanged)
        return false;
    return QTableView::edit(index, trigger, event);
}

void ChannelGrid::inputMethodEvent(QInputMethodEvent *event)
{
    // Text composed by an input method types a note as a key would.
    if (m_noteTyping && currentIndex().column() == Column::NoteColumn && !event->commitString().isEmpty())
        typeNote(event->commitString());
    event->accept();
}
