// The channel grid and its module picker.

#include "mainwindow.h"

#include "accessorypanel.h"
#include "channelgrid.h"
#include "channeltablemodel.h"
#include "dialogs.h"
#include "itempane.h"
#include "modelchooser.h"

#include <QApplication>

// The picker opens over the module cell of the chosen cell's channel; a
// click or a key on a note opens nothing.
void MainWindow::openPickerAt(QObject *sender, const QModelIndex &cell)
{
    if (m_order.model() == catalogue::Model::None)
        return;
    if (sender == m_channelGrid && cell.column() == ChannelTableModel::NoteColumn)
        return;
    m_channelGrid->openPicker(m_channelTable->index(cell.row(), ChannelTableModel::ModuleColumn));
}

void MainWindow::gridPressed()
{
    if (m_order.model() != catalogue::Model::None)
        return;
    dialogs::Request warning;
    warning.icon = QMessageBox::Warning;
    warning.title = QStringLiteral("Warning");                   // the same in both languages, kept on purpose
    warning.text = tr("Choose first data logger model please."); // its word order kept on purpose
    warning.buttons = QMessageBox::Ok;
    dialogs::ask(this, warning);
}

// The pointer over the grid, in the hover area of `cell` (invalid: none).
void MainWindow::hoverGrid(const QModelIndex &cell)
{
    m_accessoryPanel->clearBold();
    if (isVisible() && isEnabled())
        m_channelGrid->setFocus(Qt::MouseFocusReason);

    const int module = cell.isValid() ? m_order.module(ChannelTableModel::channelOf(cell)) : OrderModel::NoModule;
    if (cell.column() == ChannelTableModel::ModuleColumn && module != OrderModel::NoModule) {
        m_itemPane->showModule(module);
    } else {
        m_itemPane->showNoItem();
    }

    if (!m_hover.gridPictureShown) {
        m_hover.gridPictureShown = true;
        m_itemPane->showPicture(4);
    }
    m_hover.lastAccessory = -1;
}
