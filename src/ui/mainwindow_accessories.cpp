// Model choice, accessory ticks and variants, and the reset: the window's
// side. The rules themselves are the order model's.

#include "mainwindow.h"

#include "channelgrid.h"
#include "channeltablemodel.h"
#include "dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

catalogue::Model MainWindow::modelOf(const QRadioButton *radio) const
{
    if (radio == m_tq8Button)
        return catalogue::Model::TQ8;
    if (radio == m_tq8rButton)
        return catalogue::Model::TQ8R;
    Q_ASSERT(radio == m_assemblyButton);
    return catalogue::Model::ZK222;
}

QRadioButton *MainWindow::buttonOf(catalogue::Model model) const
{
    switch (model) {
    case catalogue::Model::TQ8: return m_tq8Button;
    case catalogue::Model::TQ8R: return m_tq8rButton;
    case catalogue::Model::ZK222: return m_assemblyButton;
    case catalogue::Model::None: break;
    }
    return nullptr;
}

// A model button that became selected: the order takes the model, then the
// grid takes the focus and the picker opens, on channel 1 when it is empty.
void MainWindow::modelButtonClick(QRadioButton *own)
{
    m_order.chooseModel(modelOf(own));
    m_channelGrid->setFocus(Qt::OtherFocusReason);
    setBold(own, false);
    own->repaint();
    if (m_order.module(1) == OrderModel::NoModule)
        openPickerAt(own, m_channelTable->index(0, ChannelTableModel::ModuleColumn));
    else
        openPickerAt(own, m_channelGrid->currentIndex());
}

void MainWindow::showModel(catalogue::Model model)
{
    // Deselecting from code runs no handler; exclusivity would forbid it.
    for (QRadioButton *radio : {m_tq8Button, m_tq8rButton, m_assemblyButton}) {
        const QSignalBlocker quiet(radio);
        radio->setAutoExclusive(false);
        radio->setChecked(radio == buttonOf(model));
        radio->setAutoExclusive(true);
    }
}

QComboBox *MainWindow::variantList(int tag) const
{
    if (tag == catalogue::AdapterTag)
        return m_adapterList;
    if (tag == catalogue::CableTag)
        return m_cableList;
    return nullptr;
}

void MainWindow::showTick(int tag)
{
    QCheckBox *box = accessoryBox(tag);
    {
        const QSignalBlocker quiet(box);
        box->setChecked(m_order.isTicked(tag));
    }
    showVariantList(tag);
}

void MainWindow::showEnabled(int tag)
{
    accessoryBox(tag)->setEnabled(m_order.isEnabled(tag));
    showVariantList(tag);
}

// A variant list shows its box: bold while ticked, offered while ticked and
// the box may be changed (under the assembly the cable's box is ticked and
// fixed), closed when it is not offered.
void MainWindow::showVariantList(int tag)
{
    QComboBox *list = variantList(tag);
    if (!list)
        return;
    const bool ticked = m_order.isTicked(tag);
    const bool offered = ticked && m_order.isEnabled(tag);
    QFont font = list->font();
    font.setBold(ticked);
    list->setFont(font);
    list->setEnabled(offered);
    if (!offered)
        list->hidePopup();
}

// The user's tick of a box with variants drops its list down.
void MainWindow::accessoryClicked(int tag, bool ticked)
{
    QComboBox *list = variantList(tag);
    if (list && ticked && list->isEnabled())
        list->showPopup();
}

void MainWindow::showAccessoryItem(int tag, int variant)
{
    showItem(
        catalogue::accessoryOrderCode(tag, variant), catalogue::priceText(catalogue::accessoryPriceText(tag, variant)));
}

// A choice in a variant list shows the chosen item; the adapter's also
// shows its picture, as its hover does.
void MainWindow::variantChosen(int tag)
{
    const int variant = m_order.variant(tag);
    showAccessoryItem(tag, variant);
    const catalogue::Accessory &entry = catalogue::accessory(tag);
    if (entry.variants == catalogue::Variants::AdapterList) {
        showPicture(entry.picture + variant);
        m_hover.lastAccessory = -1;
    }
}

void MainWindow::requestReset()
{
    const bool czech = currentLanguage() == catalogue::Language::Czech;
    dialogs::Request question;
    question.icon = QMessageBox::Question;
    question.title = czech ? QStringLiteral("Potvrzení") : QStringLiteral("Confirm");
    question.text = czech ? QStringLiteral("Opravdu si přejete vynulovat veškeré provedené volby ?")
                          : QStringLiteral("Do you wish to delete all items ?");
    question.buttons = QMessageBox::Yes | QMessageBox::No;
    question.defaultButton = QMessageBox::Yes;
    question.escapeButton = QMessageBox::No;
    if (dialogs::ask(this, question) == QMessageBox::No)
        return;

    m_channelGrid->cancelEditing();
    m_order.reset();
    setModelButtonsBold(0);
    m_hover.modelPicture = 0;
    m_channelGrid->setCurrentIndex(m_channelTable->index(0, ChannelTableModel::ModuleColumn));
    m_channelGrid->setFocus(Qt::OtherFocusReason);
    clearPicture();
}
