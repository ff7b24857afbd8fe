// The model choice and the reset: the window's side. The rules themselves
// are the order model's.

#include "mainwindow.h"

#include "accessorypanel.h"
#include "channelgrid.h"
#include "channeltablemodel.h"
#include "dialogs.h"
#include "itempane.h"
#include "modelchooser.h"

// A model button that became selected: the order takes the model, then the
// grid takes the focus and the picker opens, on channel 1 when it is empty.
void MainWindow::chooseModel(catalogue::Model model)
{
    m_order.chooseModel(model);
    m_channelGrid->setFocus(Qt::OtherFocusReason);
    if (m_order.module(1) == OrderModel::NoModule)
        openPickerAt(m_modelChooser, m_channelTable->index(0, ChannelTableModel::ModuleColumn));
    else
        openPickerAt(m_modelChooser, m_channelGrid->currentIndex());
}

void MainWindow::requestReset()
{
    dialogs::Request question;
    question.icon = QMessageBox::Question;
    question.title = tr("Confirm");
    // The blank before the question mark is kept on purpose, in both languages.
    question.text = tr("Do you wish to delete all items ?");
    question.buttons = QMessageBox::Yes | QMessageBox::No;
    question.defaultButton = QMessageBox::Yes;
    question.escapeButton = QMessageBox::No;
    if (dialogs::ask(this, question) == QMessageBox::No)
        return;

    m_channelGrid->cancelEditing();
    m_order.reset();
    m_modelChooser->setBold(catalogue::Model::None);
    m_hover.modelPicture = 0;
    m_channelGrid->setCurrentIndex(m_channelTable->index(0, ChannelTableModel::ModuleColumn));
    m_channelGrid->setFocus(Qt::OtherFocusReason);
    clearPicture();
}
