#include "stringgrid.h"

#include "gridaccessibility.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int LineWidth = 1;
}

StringGrid::StringGrid(int columns, int rows, QWidget *parent)
    : QWidget(parent)
    , m_columns(columns)
    , m_rows(rows)
    , m_cells(columns, QVector<QString>(rows))
    , m_widths(columns, 64)
    , m_heights(rows, 22)
{
    setFocusPolicy(Qt::WheelFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    gridaccessibility::install();
}

QString StringGrid::cell(int column, int row) const
{
    return m_cells.at(column).at(row);
}

void StringGrid::setCell(int column, int row, const QString &text)
{
    QString &target = m_cells[column][row];
    if (target == text)
        return;
    target = text;
    update(cellRect(column, row).translated(1, 1));
    gridaccessibility::cellChanged(this, column, row);
}

void StringGrid::setColumnWidth(int column, int width)
{
    m_widths[column] = width;
    update();
}

void StringGrid::setRowHeight(int row, int height)
{
    m_heights[row] = height;
    update();
}

int StringGrid::columnLeft(int column) const
{
    int x = 0;
    for (int c = 0; c < column; ++c)
        if (isVisibleColumn(c))
            x += m_widths[c] + LineWidth;
    return x;
}

int StringGrid::rowTop(int row) const
{
    int y = 0;
    for (int r = 0; r < row; ++r)
        y += m_heights[r] + LineWidth;
    return y;
}

QRect StringGrid::cellRect(int column, int row) const
{
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows || !isVisibleColumn(column))
        return {};
    return QRect(columnLeft(column), rowTop(row), m_widths[column], m_heights[row]);
}

bool StringGrid::cellAt(const QPoint &pos, int *column, int *row) const
{
    int foundColumn = -1;
    for (int c = 0, x = 0; c < m_columns; ++c) {
        if (!isVisibleColumn(c))
            continue;
        if (pos.x() >= x && pos.x() < x + m_widths[c]) {
            foundColumn = c;
            break;
        }
        x += m_widths[c] + LineWidth;
    }
    int foundRow = -1;
    for (int r = 0, y = 0; r < m_rows; ++r) {
        if (pos.y() >= y && pos.y() < y + m_heights[r]) {
            foundRow = r;
            break;
        }
        y += m_heights[r] + LineWidth;
    }
    if (foundColumn < 0 || foundRow < 0)
        return false;
    *column = foundColumn;
    *row = foundRow;
    return true;
}

void StringGrid::setCurrentCell(int column, int row)
{
    if (column == m_currentColumn && row == m_currentRow)
        return;
    if (isEditing())
        closeEditor(true);
    const QRect old = cellRect(m_currentColumn, m_currentRow).translated(1, 1);
    const int oldColumn = m_currentColumn;
    const int oldRow = m_currentRow;
    m_currentColumn = column;
    m_currentRow = row;
    update(old);
    update(cellRect(column, row).translated(1, 1));
    gridaccessibility::currentCellChanged(this, oldColumn, oldRow);
}

void StringGrid::setEditingEnabled(bool on)
{
    if (m_editingEnabled == on)
        return;
    m_editingEnabled = on;
    if (!on && isEditing())
        closeEditor(true);
}

bool StringGrid::isEditing() const
{
    return m_editor && m_editor->isVisible();
}

void StringGrid::selectByUser(int column, int row)
{
    // The hook never refuses; it may move the current cell itself.
    if (onSelectCell)
        onSelectCell(column, row);
    setCurrentCell(column, row);
}

void StringGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    const QRect client = rect().adjusted(1, 1, -1, -1);

    // Grid lines and empty space show through where no cell is painted.
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    painter.translate(client.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), client.size()), Qt::IntersectClip);
    const QColor lineColour(192, 192, 192);
    const bool focused = hasFocus() || (m_editor && m_editor->hasFocus());
    const QRect dirty = event->rect().translated(-client.topLeft());
    for (int c = 0; c < m_columns; ++c) {
        if (!isVisibleColumn(c))
            continue;
        for (int r = 0; r < m_rows; ++r) {
            const QRect cellArea = cellRect(c, r);
            const QRect withLines = cellArea.adjusted(0, 0, LineWidth, LineWidth);
            if (!withLines.intersects(dirty))
                continue;
            painter.fillRect(withLines, lineColour);
            const bool fixed = c == 0 || r == 0;
            const bool selected = !fixed && !focused && c == m_currentColumn && r == m_currentRow;
            QColor background = fixed ? palette().color(QPalette::Button) : palette().color(QPalette::Base);
            QColor text = palette().color(QPalette::Text);
            if (selected) {
                background = palette().color(QPalette::Highlight);
                text = palette().color(QPalette::HighlightedText);
            }
            painter.fillRect(cellArea, background);
            painter.setBrush(background);
            painter.setPen(text);
            painter.setFont(font());
            if (onDrawCell) {
                // Whatever the cell draws stays inside it: a long text must
                // not run over its neighbours.
                painter.save();
                painter.setClipRect(cellArea, Qt::IntersectClip);
                onDrawCell(painter, c, r, cellArea);
                painter.restore();
            }
        }
    }
}

void StringGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    int column = 0, row = 0;
    if (cellAt(toClient(event->position().toPoint()), &column, &row) && column > 0 && row > 0) {
        if (column == m_currentColumn && row == m_currentRow && m_editingEnabled && column == m_editableColumn) {
            openEditor(cell(column, row), false);
        } else {
            m_tracking = true;
            selectByUser(column, row);
        }
    }
    if (onMouseDown)
        onMouseDown();
}

void StringGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_tracking || !(event->buttons() & Qt::LeftButton))
        return;
    int column = 0, row = 0;
    if (cellAt(toClient(event->position().toPoint()), &column, &row) && column > 0 && row > 0
        && (column != m_currentColumn || row != m_currentRow))
        selectByUser(column, row);
}

void StringGrid::mouseReleaseEvent(QMouseEvent *)
{
    m_tracking = false;
}

void StringGrid::keyPressEvent(QKeyEvent *event)
{
    int column = m_currentColumn;
    int row = m_currentRow;
    const auto step = [&](int dc) {
        int c = column + dc;
        while (c > 0 && c < m_columns && !isVisibleColumn(c))
            c += dc;
        if (c > 0 && c < m_columns)
            column = c;
    };
    switch (event->key()) {
    case Qt::Key_Up: row = qMax(1, row - 1); break;
    case Qt::Key_Down: row = qMin(m_rows - 1, row + 1); break;
    case Qt::Key_Left: step(-1); break;
    case Qt::Key_Right: step(+1); break;
    case Qt::Key_Home: column = 1; break;
    case Qt::Key_End: column = m_columns - 1; break;
    case Qt::Key_PageUp: row = 1; break;
    case Qt::Key_PageDown: row = m_rows - 1; break;
    case Qt::Key_F2:
        if (m_editingEnabled && m_currentColumn == m_editableColumn)
            openEditor(cell(m_currentColumn, m_currentRow), false);
        return;
    default:
        if (m_editingEnabled && m_currentColumn == m_editableColumn && !event->text().isEmpty()
            && event->text().at(0).isPrint()) {
            openEditor(event->text(), true);
            return;
        }
        event->ignore();
        return;
    }
    if (column != m_currentColumn || row != m_currentRow)
        selectByUser(column, row);
}

void StringGrid::focusInEvent(QFocusEvent *event)
{
    update(cellRect(m_currentColumn, m_currentRow).translated(1, 1));
    QWidget::focusInEvent(event);
    gridaccessibility::focusEntered(this);
}

void StringGrid::focusOutEvent(QFocusEvent *event)
{
    update(cellRect(m_currentColumn, m_currentRow).translated(1, 1));
    QWidget::focusOutEvent(event);
}

void StringGrid::openEditor(const QString &text, bool replace)
{
    if (!m_editor) {
        m_editor = new QLineEdit(this);
        m_editor->setObjectName(QStringLiteral("InplaceEditor"));
        m_editor->setFrame(false);
        m_editor->hide();
        m_editor->installEventFilter(this);
    }
    m_editColumn = m_currentColumn;
    m_editRow = m_currentRow;
    m_editor->setFont(font());
    gridaccessibility::editorOpened(this);
    m_editor->setGeometry(cellRect(m_editColumn, m_editRow).translated(1, 1));
    m_editor->setText(text);
    if (!replace)
        m_editor->selectAll();
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
}

void StringGrid::closeEditor(bool commit)
{
    if (!isEditing())
        return;
    const int column = m_editColumn;
    const int row = m_editRow;
    const QString text = m_editor->text();
    const bool hadFocus = m_editor->hasFocus();
    m_editColumn = m_editRow = -1;
    m_editor->hide();
    if (commit && column >= 0) {
        if (onCellEdited)
            onCellEdited(column, row, text);
        else
            setCell(column, row, text);
    }
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
}

bool StringGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                closeEditor(true);
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                closeEditor(false);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && isEditing()) {
            closeEditor(true);
        }
    }
    return QWidget::eventFilter(watched, event);
}
