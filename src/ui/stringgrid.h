#pragma once

// A small string grid: fixed first row and column, per-column widths (a
// negative width hides a column), per-row heights, 1-pixel grid lines, a
// flat 1-pixel border, owner-drawn cells and an in-place editor for the
// columns that take typed text.

#include <QVector>
#include <QWidget>
#include <functional>

class QLineEdit;

class StringGrid : public QWidget {
    Q_OBJECT
public:
    StringGrid(int columns, int rows, QWidget *parent = nullptr);

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    int columnWidth(int column) const { return m_widths[column]; }
    void setColumnWidth(int column, int width);
    int rowHeight(int row) const { return m_heights[row]; }
    void setRowHeight(int row, int height);

    // Cell rectangle in client coordinates (inside the border); empty for a
    // hidden column.
    QRect cellRect(int column, int row) const;
    // Widget coordinates to client coordinates and back.
    static QPoint toClient(const QPoint &widgetPos) { return widgetPos - QPoint(1, 1); }
    static QPoint fromClient(const QPoint &clientPos) { return clientPos + QPoint(1, 1); }
    // The cell under a client position; false over lines, fixed or empty space.
    bool cellAt(const QPoint &clientPos, int *column, int *row) const;

    int currentColumn() const { return m_currentColumn; }
    int currentRow() const { return m_currentRow; }
    // Moves the current cell from code: runs no select-cell hook.
    void setCurrentCell(int column, int row);

    // In-place typing: only while switched on and only in the editable column.
    void setEditingEnabled(bool on);
    bool editingEnabled() const { return m_editingEnabled; }
    void setEditableColumn(int column) { m_editableColumn = column; }
    int editableColumn() const { return m_editableColumn; }
    bool isEditing() const;
    QLineEdit *editor() const { return m_editor; }

    // Ends the press-and-drag selection of the click in progress.
    void cancelMouseTracking() { m_tracking = false; }

    // Called whenever a cell is about to become current by a click or a key.
    std::function<void(int column, int row)> onSelectCell;
    // Called with the text typed into a cell; without it the cell takes it.
    std::function<void(int column, int row, const QString &text)> onCellEdited;
    // Called after a click has been handled (and the cell selected).
    std::function<void()> onMouseDown;
    // Paints a cell (text included) after the grid has filled it and prepared
    // the painter's brush (the cell's default background) and pen (its text
    // colour); the painter is clipped to the cell.
    std::function<void(QPainter &, int column, int row, const QRect &)> onDrawCell;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void focusInEvent(QFocusEvent *) override;
    void focusOutEvent(QFocusEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int columnLeft(int column) const;
    int rowTop(int row) const;
    bool isVisibleColumn(int column) const { return m_widths[column] >= 0; }
    void selectByUser(int column, int row);
    void openEditor(const QString &initialText, bool replace);
    void closeEditor(bool commit);

    int m_columns;
    int m_rows;
    QVector<QVector<QString>> m_cells; // [column][row]
    QVector<int> m_widths;
    QVector<int> m_heights;
    int m_currentColumn = 1;
    int m_currentRow = 1;
    bool m_editingEnabled = false;
    int m_editableColumn = -1;
    bool m_tracking = false;
    QLineEdit *m_editor = nullptr;
    int m_editColumn = -1;
    int m_editRow = -1;
};
