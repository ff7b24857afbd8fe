#pragma once

// The channel grid: the order's channels in a table view drawn as the form
// was designed (yellow headings and channel numbers, grey lines, a flat
// border, every channel in sight), with the module picker as the module
// column's editor and a line editor for the notes.
//
// A click or a key that makes a cell current reports it first (cellChosen),
// so that the window can open the picker there; code moves the current cell
// with setCurrentIndex and reports nothing.

#include <QComboBox>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

class QLineEdit;

// The module picker. The release of the click that dropped its list down is
// no choice: the list would take it and close itself at once.
class ModulePicker : public QComboBox {
    Q_OBJECT
public:
    explicit ModulePicker(QWidget *parent = nullptr);
    void showPopup() override;

signals:
    // The list has closed, by a choice, Esc or a click elsewhere.
    void listClosed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_watchingList = false;
    bool m_openedByPress = false;
};

// Draws the cells and gives the two editors: the picker for modules, a line
// editor for notes. An editor ends as the form always ended it: Enter
// commits, Esc commits the picker but drops a typed note, and leaving either
// commits it.
class ChannelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ChannelDelegate(ModulePicker *picker, QTableView *view);

    QLineEdit *noteEditor() const;
    // Ends an open editor, keeping what it holds or not.
    void finish(QWidget *editor, bool commit);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(
        QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    // The picker's item `index` has gone to the order.
    void moduleCommitted(int index) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool gridFocused() const;

    ModulePicker *m_picker;
    QTableView *m_view;
    mutable QPointer<QLineEdit> m_noteEditor;
};

class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    explicit ChannelGrid(QWidget *parent = nullptr);

    // Takes the channel table; the first module cell becomes current.
    void setModel(QAbstractItemModel *model) override;

    using QTableView::edit;

    ModulePicker *picker() const { return m_picker; }
    ChannelDelegate *delegate() const { return m_delegate; }

    // Typing a note: only while switched on (the pointer is over the notes).
    // Switching it off ends a note being typed.
    void setNoteTypingEnabled(bool on);
    bool noteTypingEnabled() const { return m_noteTyping; }

    // Whether `widget` is the grid's surface under the pointer: its cells or
    // its headings (an editor over a cell is not).
    bool isSurface(const QWidget *widget) const;
    // The cell at `pos` of the surface `widget`; invalid over the headings
    // and the border.
    QModelIndex cellAt(const QWidget *widget, const QPoint &pos) const;

    // Opens the picker over the module cell `index`, its list dropped down.
    void openPicker(const QModelIndex &index);
    // Closes the picker's list and ends the open editor, if any, dropping
    // what it holds.
    void cancelEditing();

    // Every channel is always in sight: the grid never scrolls.
    void scrollTo(const QModelIndex &, ScrollHint = EnsureVisible) override { }

signals:
    // A click or a key is about to make `index` current.
    void cellChosen(const QModelIndex &index);
    // A left click on the grid (cells, headings or border) has been handled.
    void leftPressed();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

private:
    void chooseByUser(const QModelIndex &index);
    void typeNote(const QString &text);

    ModulePicker *m_picker;
    ChannelDelegate *m_delegate;
    bool m_noteTyping = false;
    bool m_tracking = false;
};
