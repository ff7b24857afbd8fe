#pragma once

// The channel grid: the order's channels in a table view drawn as the form
// was designed (yellow headings and channel numbers, grey lines, a flat
// border, every channel in sight), with the module picker as the module
// column's editor and a line editor for the notes.
//
// A click or a key that makes a cell current reports it first (cellChosen),
// so that the window can open the picker there; code moves the current cell
// with setCurrentIndex and reports nothing. The pointer over the grid is
// reported (pointerOver) with the cell under it, which then becomes current.

#include <QComboBox>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

class QLineEdit;
class QStringListModel;

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

// Draws the cells and makes the two editors, a fresh one for each edit: the
// picker for modules, over the module texts of the current language that
// every picker shares, and a line editor for notes. An editor ends as the
// form always ended it: Enter commits, Esc commits the picker but drops a
// typed note, and leaving either commits it.
class ChannelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ChannelDelegate(QTableView *view);

    // The picker's items, in catalogue order, and its name for assistive
    // technology.
    void setModuleTexts(const QStringList &texts, const QString &pickerName);

    // The open editors, else null.
    ModulePicker *picker() const;
    QLineEdit *noteEditor() const;
    // Ends an open editor, keeping what it holds or not.
    void finish(QWidget *editor, bool commit);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(
        QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    // The picker's item `index` has gone to the order.
    void moduleCommitted(int index) const;
    // The open picker's list has closed.
    void pickerListClosed() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool gridFocused() const;

    QTableView *m_view;
    QStringListModel *m_moduleTexts;
    QString m_pickerName;
    mutable QPointer<ModulePicker> m_picker;
    mutable QPointer<QLineEdit> m_noteEditor;
};

class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    explicit ChannelGrid(QWidget *parent = nullptr);

    // Takes the channel table; the first module cell becomes current.
    void setModel(QAbstractItemModel *model) override;

    using QTableView::edit;

    ChannelDelegate *delegate() const { return m_delegate; }
    // See ChannelDelegate::setModuleTexts.
    void setModuleTexts(const QStringList &texts, const QString &pickerName);

    // Typing a note: only while switched on (the pointer is over the notes).
    // Switching it off ends a note being typed.
    void setNoteTypingEnabled(bool on);
    bool noteTypingEnabled() const { return m_noteTyping; }

    // The channel cell whose hover area holds `pos` of the grid's client
    // area (inside its border): column 1 for 64 <= x <= 317, the notes for
    // 318 <= x <= 546, channel r for 42 + 23 (r - 1) <= y < 42 + 23 r. Each
    // line between two cells counts with the cell after it. Invalid
    // elsewhere (the headings and the channel numbers).
    static QModelIndex hoverCell(const QAbstractItemModel *model, const QPoint &pos);

    // Opens the picker over the module cell `index`, its list dropped down.
    void openPicker(const QModelIndex &index);
    bool pickerShown() const { return m_delegate->picker() != nullptr; }
    bool pickerListOpen() const;
    // Gives the shown picker the keyboard focus.
    void focusPicker();
    // Closes the picker's list and ends the open editor, if any, dropping
    // what it holds.
    void cancelEditing();

    // Every channel is always in sight: the grid never scrolls.
    void scrollTo(const QModelIndex &, ScrollHint = EnsureVisible) override { }
    // Typing never searches: keys type notes or nothing.
    void keyboardSearch(const QString &) override { }

signals:
    // A click or a key is about to make `index` current.
    void cellChosen(const QModelIndex &index);
    // A left click on the grid (cells, headings or border) has been handled.
    void leftPressed();
    // The pointer moved over the grid (its cells, headings or border); `cell`
    // is the cell whose hover area it is in, or invalid. The current cell
    // follows the pointer once this has been handled.
    void pointerOver(const QModelIndex &cell);
    // See ChannelDelegate::pickerListClosed.
    void pickerListClosed();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

private:
    // The pointer at `pos` of `surface` (the grid, its cells or its headings).
    void hover(QWidget *surface, const QPoint &pos);
    void chooseByUser(const QModelIndex &index);

    ChannelDelegate *m_delegate;
    bool m_noteTyping = false;
    bool m_tracking = false;
};
