#include "channeltablemodel.h"

#include "ordermodel.h"

namespace {

// A text as one line, for assistive technology: the headings break their
// lines with "\r" and the codes are padded to three characters.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text.trimmed();
}

} // namespace

ChannelTableModel::ChannelTableModel(OrderModel *order, QObject *parent)
    : QAbstractTableModel(parent)
    , m_order(order)
    , m_headings(ColumnCount)
{
    connect(m_order, &OrderModel::channelChanged, this, [this](int channel) {
        emit dataChanged(index(channel - 1, ModuleColumn), index(channel - 1, NoteColumn), {Qt::DisplayRole});
    });
}

void ChannelTableModel::setHeadings(const QStringList &headings)
{
    if (headings == m_headings)
        return;
    m_headings = headings;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int ChannelTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : OrderModel::ChannelCount;
}

int ChannelTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChannelTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::AccessibleTextRole)
        return {};
    const int channel = channelOf(index);
    // The picker edits a module by its catalogue index.
    if (role == Qt::EditRole && index.column() == ModuleColumn)
        return m_order->pickerItem(channel);
    QString text;
    switch (index.column()) {
    case NumberColumn: text = QString::number(channel); break;
    case ModuleColumn: text = m_order->moduleCode(channel); break;
    default: text = m_order->note(channel); break;
    }
    return role == Qt::AccessibleTextRole ? oneLine(text) : text;
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < OrderModel::ChannelCount)
            return QString::number(section + 1);
        return {};
    }
    if (section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return m_headings.at(section);
    if (role == Qt::AccessibleTextRole)
        return oneLine(m_headings.at(section));
    return {};
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    if (index.column() == NumberColumn)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool ChannelTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    // The order reports the change; dataChanged follows from there.
    switch (index.column()) {
    case ModuleColumn: m_order->fitModule(channelOf(index), value.toInt()); return true;
    case NoteColumn: m_order->setNote(channelOf(index), value.toString()); return true;
    default: return false;
    }
}
