#pragma once

// The order's sixteen channels as a table: the channel number, the module
// code and the note, one row per channel, under the three headings. It holds
// nothing of the order: it reads the order model and passes the user's edits
// on to it, and it follows every change the order reports.

#include <QAbstractTableModel>
#include <QStringList>

class OrderModel;

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NumberColumn, ModuleColumn, NoteColumn, ColumnCount };

    explicit ChannelTableModel(OrderModel *order, QObject *parent = nullptr);

    // A row's channel, 1 to 16.
    static int channelOf(const QModelIndex &index) { return index.row() + 1; }

    // The three headings, lines broken with "\r".
    void setHeadings(const QStringList &headings);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The module column is edited as a catalogue index (the picker's item),
    // shown as the module's code; the note column is a text both ways.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    OrderModel *m_order;
    QStringList m_headings;
};
