// Model choice, accessory ticks and variants, and the reset: the window's
// side. The rules themselves are the order model's.

#include "mainform.h"

#include "dialogs.h"
#include "stringgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

catalogue::Model TMainForm::modelOf(const QRadioButton *radio) const
{
    if (radio == RadioButton1)
        return catalogue::Model::TQ8;
    if (radio == RadioButton2)
        return catalogue::Model::TQ8R;
    Q_ASSERT(radio == RadioButton3);
    return catalogue::Model::ZK222;
}

QRadioButton *TMainForm::radioOf(catalogue::Model model) const
{
    switch (model) {
    case catalogue::Model::TQ8: return RadioButton1;
    case catalogue::Model::TQ8R: return RadioButton2;
    case catalogue::Model::ZK222: return RadioButton3;
    case catalogue::Model::None: break;
    }
    return nullptr;
}

// A model button that became selected: the order takes the model, then the
// grid takes the focus and the picker opens, on channel 1 when it is empty.
void TMainForm::modelButtonClick(QRadioButton *own)
{
    m_order.chooseModel(modelOf(own));
    StringGrid1->setFocus(Qt::OtherFocusReason);
    QFont font = own->font();
    font.setBold(false);
    own->setFont(font);
    own->repaint();
    if (m_order.module(1) == OrderModel::NoModule)
        StringGrid1SelectCell(own, 1, 1);
    else
        StringGrid1SelectCell(own, StringGrid1->currentColumn(), StringGrid1->currentRow());
}

void TMainForm::showModel(catalogue::Model model)
{
    // Deselecting from code runs no handler; exclusivity would forbid it.
    for (QRadioButton *radio : {RadioButton1, RadioButton2, RadioButton3}) {
        const QSignalBlocker quiet(radio);
        radio->setAutoExclusive(false);
        radio->setChecked(radio == radioOf(model));
        radio->setAutoExclusive(true);
    }
}

// A variant list follows its box: bold while ticked, enabled and dropped
// down while offered.
static void followTick(QComboBox *list, bool ticked, bool offered)
{
    QFont font = list->font();
    font.setBold(ticked);
    list->setFont(font);
    list->setEnabled(offered);
    if (offered)
        list->showPopup();
    else
        list->hidePopup();
}

void TMainForm::showTick(int tag, bool ticked)
{
    QCheckBox *box = checkBox(tag);
    {
        const QSignalBlocker quiet(box);
        box->setChecked(ticked);
    }
    // The cable's list is offered only while its box may be changed: under
    // the assembly it is ticked, disabled, and its list stays closed.
    if (tag == catalogue::AdapterTag)
        followTick(ComboBox2, ticked, ticked);
    else if (tag == catalogue::CableTag)
        followTick(ComboBox3, ticked, ticked && m_order.isEnabled(tag));
}

void TMainForm::ComboBox2Change()
{
    const int k = m_order.adapterVariant();
    Label14->setText(catalogue::accessoryOrderCode(catalogue::AdapterTag, k));
    Label15->setText(catalogue::priceText(catalogue::accessoryPriceText(catalogue::AdapterTag, k)));
    ShowPicture(k + 1);
    LastHoveredTag = -1;
}

void TMainForm::ComboBox3Change()
{
    const int k = m_order.cableVariant();
    Label14->setText(catalogue::accessoryOrderCode(catalogue::CableTag, k));
    Label15->setText(catalogue::priceText(catalogue::accessoryPriceText(catalogue::CableTag, k)));
}

void TMainForm::BitBtn1Click()
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

    ComboBox1->hide();
    m_order.reset();
    setRadioFontsBold(0);
    ShownModelPicture = 0;
    StringGrid1->setCurrentCell(1, 1);
    StringGrid1->setFocus(Qt::OtherFocusReason);
    ClearPicture();
}
