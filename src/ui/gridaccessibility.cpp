#include "gridaccessibility.h"

#include "stringgrid.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QLineEdit>
#include <utility>

namespace {

// What a cell shows, as one line: the headings break their lines with "\r".
QString shownText(const StringGrid *grid, int column, int row)
{
    QString text = grid->cell(column, row);
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text.trimmed();
}

bool isShown(const StringGrid *grid, int column)
{
    return column >= 0 && column < grid->columnCount() && grid->columnWidth(column) >= 0;
}

// The table column of a grid column: hidden columns do not count.
int tableColumn(const StringGrid *grid, int column)
{
    if (!isShown(grid, column))
        return -1;
    int index = 0;
    for (int c = 0; c < column; ++c)
        index += isShown(grid, c) ? 1 : 0;
    return index;
}

int gridColumn(const StringGrid *grid, int tableColumn)
{
    for (int c = 0, index = 0; c < grid->columnCount(); ++c) {
        if (!isShown(grid, c))
            continue;
        if (index++ == tableColumn)
            return c;
    }
    return -1;
}

int shownColumnCount(const StringGrid *grid)
{
    int count = 0;
    for (int c = 0; c < grid->columnCount(); ++c)
        count += isShown(grid, c) ? 1 : 0;
    return count;
}

class GridAccessible;

// One cell, addressed by its grid column and row. Row 0 holds the column
// headers; they carry no table cell interface, as header cells of Qt's own
// tables do not.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCell(GridAccessible *table, int column, int row)
        : m_table(table)
        , m_column(column)
        , m_row(row)
    {
    }

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override;
    QAccessible::Role role() const override { return isHeader() ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface && !isHeader())
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override { return m_row - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

    int column() const { return m_column; }
    int row() const { return m_row; }
    const GridAccessible *owner() const { return m_table; }

private:
    bool isHeader() const { return m_row == 0; }
    StringGrid *grid() const;

    GridAccessible *m_table;
    int m_column;
    int m_row;
};

// The grid itself. Its children are the cells row by row, the header row
// first, and, while it is open, the in-place editor last.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(StringGrid *grid)
        : QAccessibleWidget(grid, QAccessible::Table)
    {
    }
    ~GridAccessible() override
    {
        for (QAccessible::Id id : std::as_const(m_cellIds))
            QAccessible::deleteAccessibleInterface(id);
    }

    StringGrid *grid() const { return static_cast<StringGrid *>(widget()); }

    // The cell's interface, made on first use and kept until the grid goes.
    GridCell *cell(int column, int row) const
    {
        if (row < 0 || row >= grid()->rowCount() || !isShown(grid(), column))
            return nullptr;
        const int key = column * grid()->rowCount() + row;
        const auto known = m_cellIds.constFind(key);
        if (known != m_cellIds.constEnd())
            return static_cast<GridCell *>(QAccessible::accessibleInterface(*known));
        auto *made = new GridCell(const_cast<GridAccessible *>(this), column, row);
        m_cellIds.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    GridCell *currentCell() const
    {
        const int row = grid()->currentRow();
        return row > 0 ? cell(grid()->currentColumn(), row) : nullptr;
    }

    QLineEdit *openEditor() const { return grid()->isEditing() ? grid()->editor() : nullptr; }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return grid()->rowCount() * shownColumnCount(grid()) + (openEditor() ? 1 : 0); }

    QAccessibleInterface *child(int index) const override
    {
        const int columns = shownColumnCount(grid());
        const int cells = grid()->rowCount() * columns;
        if (index >= 0 && index < cells)
            return cell(gridColumn(grid(), index % columns), index / columns);
        if (index == cells && openEditor())
            return QAccessible::queryAccessibleInterface(openEditor());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (const auto *c = dynamic_cast<const GridCell *>(child)) {
            if (c->owner() != this)
                return -1;
            const int column = tableColumn(grid(), c->column());
            return column < 0 ? -1 : c->row() * shownColumnCount(grid()) + column;
        }
        if (child && openEditor() && child->object() == openEditor())
            return grid()->rowCount() * shownColumnCount(grid());
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint pos = grid()->mapFromGlobal(QPoint(x, y));
        if (QLineEdit *editor = openEditor(); editor && editor->geometry().contains(pos))
            return QAccessible::queryAccessibleInterface(editor);
        int column = 0, row = 0;
        if (!grid()->cellAt(StringGrid::toClient(pos), &column, &row))
            return nullptr;
        return cell(column, row);
    }

    QAccessibleInterface *focusChild() const override
    {
        if (QLineEdit *editor = openEditor(); editor && editor->hasFocus())
            return QAccessible::queryAccessibleInterface(editor);
        return grid()->hasFocus() ? currentCell() : nullptr;
    }

    // Table interface: rows and columns count from the first data row and
    // the first visible column.
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount())
            return nullptr;
        return cell(gridColumn(grid(), column), row + 1);
    }
    int selectedCellCount() const override { return currentCell() ? 1 : 0; }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        if (GridCell *current = currentCell())
            return {current};
        return {};
    }
    QString columnDescription(int column) const override
    {
        const int c = gridColumn(grid(), column);
        return c < 0 ? QString() : shownText(grid(), c, 0);
    }
    QString rowDescription(int row) const override
    {
        if (row < 0 || row >= rowCount() || !isShown(grid(), 0))
            return {};
        return shownText(grid(), 0, row + 1);
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return shownColumnCount(grid()); }
    int rowCount() const override { return qMax(0, grid()->rowCount() - 1); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // The current cell moves only through the grid's own hooks.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // Cells are addressed by grid position, so nothing cached goes stale.
    void modelChange(QAccessibleTableModelChangeEvent *) override { }

private:
    mutable QHash<int, QAccessible::Id> m_cellIds;
};

bool GridCell::isValid() const
{
    return m_table->isValid();
}

StringGrid *GridCell::grid() const
{
    return m_table->grid();
}

QWindow *GridCell::window() const
{
    return m_table->window();
}

QAccessibleInterface *GridCell::parent() const
{
    return m_table;
}

QString GridCell::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    return shownText(grid(), m_column, m_row);
}

QRect GridCell::rect() const
{
    if (!isValid() || !grid()->isVisible())
        return {};
    const QRect area = grid()->cellRect(m_column, m_row);
    if (area.isNull())
        return {};
    return QRect(grid()->mapToGlobal(StringGrid::fromClient(area.topLeft())), area.size());
}

QAccessible::State GridCell::state() const
{
    QAccessible::State state;
    if (!isValid())
        return state;
    const StringGrid *g = grid();
    state.invisible = !g->isVisible();
    state.disabled = !g->isEnabled();
    if (isHeader() || m_column == 0)
        return state;
    state.selectable = true;
    state.focusable = true;
    state.editable = m_column == g->editableColumn();
    state.selected = isSelected();
    state.focused = state.selected && g->hasFocus();
    return state;
}

bool GridCell::isSelected() const
{
    return isValid() && !isHeader() && grid()->currentColumn() == m_column && grid()->currentRow() == m_row;
}

QList<QAccessibleInterface *> GridCell::columnHeaderCells() const
{
    if (GridCell *header = isValid() ? m_table->cell(m_column, 0) : nullptr)
        return {header};
    return {};
}

// The channel number names its row; it heads the row even for itself, so
// that a reader asking the table for a row's header gets it.
QList<QAccessibleInterface *> GridCell::rowHeaderCells() const
{
    if (GridCell *header = isValid() && !isHeader() ? m_table->cell(0, m_row) : nullptr)
        return {header};
    return {};
}

int GridCell::columnIndex() const
{
    return isValid() ? tableColumn(grid(), m_column) : -1;
}

QAccessibleInterface *gridFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("StringGrid") && object && object->isWidgetType())
        if (auto *grid = qobject_cast<StringGrid *>(object))
            return new GridAccessible(grid);
    return nullptr;
}

// The table interface, or none while no one listens or if the grid got a
// plain one (asked for before it was fully built).
GridAccessible *tableOf(StringGrid *grid)
{
    if (!QAccessible::isActive())
        return nullptr;
    return dynamic_cast<GridAccessible *>(QAccessible::queryAccessibleInterface(grid));
}

void notify(QAccessibleInterface *cell, QAccessible::Event type)
{
    if (!cell)
        return;
    QAccessibleEvent event(cell, type);
    QAccessible::updateAccessibility(&event);
}

} // namespace

namespace gridaccessibility {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void cellChanged(StringGrid *grid, int column, int row)
{
    if (GridAccessible *table = tableOf(grid))
        notify(table->cell(column, row), QAccessible::NameChanged);
}

void currentCellChanged(StringGrid *grid, int oldColumn, int oldRow)
{
    GridAccessible *table = tableOf(grid);
    if (!table)
        return;
    if (oldRow > 0)
        notify(table->cell(oldColumn, oldRow), QAccessible::SelectionRemove);
    GridCell *current = table->currentCell();
    notify(current, QAccessible::Selection);
    if (grid->hasFocus())
        notify(current, QAccessible::Focus);
}

void focusEntered(StringGrid *grid)
{
    if (!tableOf(grid))
        return;
    // Qt announces the grid itself once the focus-in has been handled; the
    // current cell has to come after it to be heard.
    QMetaObject::invokeMethod(
        grid,
        [grid] {
            if (GridAccessible *table = grid->hasFocus() ? tableOf(grid) : nullptr)
                notify(table->currentCell(), QAccessible::Focus);
        },
        Qt::QueuedConnection);
}

void editorOpened(StringGrid *grid)
{
    const int column = grid->currentColumn();
    const int row = grid->currentRow();
    grid->editor()->setAccessibleName(shownText(grid, column, 0) + QLatin1Char(' ') + shownText(grid, 0, row));
}

} // namespace gridaccessibility
