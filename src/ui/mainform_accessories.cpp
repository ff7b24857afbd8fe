// Model choice, accessory ticks and variants, the total and the reset.

#include "mainform.h"

#include "dialogs.h"
#include "pricing.h"
#include "stringgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace {
// The accessories that belong to, or are excluded by, the cabinet assembly.
constexpr int ModelBoundTags[] = {3, 17, 18, 28};
} // namespace

void TMainForm::radioButtonClick(QRadioButton *own)
{
    StringGrid1->setFocus(Qt::OtherFocusReason);
    QFont font = own->font();
    font.setBold(false);
    own->setFont(font);
    own->repaint();
    if (StringGrid1->cell(1, 1).isEmpty())
        StringGrid1SelectCell(own, 1, 1);
    else
        StringGrid1SelectCell(own, StringGrid1->currentColumn(), StringGrid1->currentRow());
}

void TMainForm::unitModelClick(QRadioButton *own)
{
    radioButtonClick(own);
    for (int tag : ModelBoundTags)
        checkBox(tag)->setChecked(false);
    for (int tag : ModelBoundTags)
        checkBox(tag)->setEnabled(true);
    RecalculateTotal();
}

void TMainForm::RadioButton1Click()
{
    unitModelClick(RadioButton1);
}

void TMainForm::RadioButton2Click()
{
    unitModelClick(RadioButton2);
}

void TMainForm::RadioButton3Click()
{
    radioButtonClick(RadioButton3);
    for (QCheckBox *box : CheckBoxes)
        box->setEnabled(true);
    // Unticked first, so that ticking them below always runs their handlers:
    // a cable already ticked would otherwise keep its list enabled.
    for (int tag : {3, 17, 18})
        checkBox(tag)->setChecked(false);
    for (int tag : ModelBoundTags)
        checkBox(tag)->setEnabled(false);
    // Disabled before ticked: the cable's list stays closed and disabled.
    checkBox(3)->setChecked(true);
    checkBox(17)->setChecked(true);
    checkBox(18)->setChecked(true);
    checkBox(28)->setChecked(false);
    RecalculateTotal();
}

void TMainForm::CheckBoxClick()
{
    RecalculateTotal();
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

void TMainForm::CheckBox2Click()
{
    const bool ticked = checkBox(catalogue::AdapterTag)->isChecked();
    followTick(ComboBox2, ticked, ticked);
    RecalculateTotal();
}

void TMainForm::CheckBox18Click()
{
    QCheckBox *box = checkBox(catalogue::CableTag);
    followTick(ComboBox3, box->isChecked(), box->isChecked() && box->isEnabled());
    RecalculateTotal();
}

void TMainForm::ComboBox2Change()
{
    const int k = ComboBox2->currentIndex();
    Label14->setText(catalogue::accessoryOrderCode(catalogue::AdapterTag, k));
    Label15->setText(catalogue::priceText(catalogue::accessoryPriceText(catalogue::AdapterTag, k)));
    ShowPicture(k + 1);
    LastHoveredTag = -1;
    RecalculateTotal();
}

void TMainForm::ComboBox3Change()
{
    const int k = ComboBox3->currentIndex();
    Label14->setText(catalogue::accessoryOrderCode(catalogue::CableTag, k));
    Label15->setText(catalogue::priceText(catalogue::accessoryPriceText(catalogue::CableTag, k)));
    RecalculateTotal();
}

void TMainForm::RecalculateTotal()
{
    pricing::Selection selection;
    selection.model = selectedModel();
    selection.moduleCells = moduleCells();
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        const QCheckBox *box = checkBox(tag);
        selection.accessories[std::size_t(tag - 1)] = {box->isChecked(), box->isEnabled()};
    }
    selection.adapterItem = ComboBox2->currentIndex();
    selection.cableItem = ComboBox3->currentIndex();

    const pricing::Total total = pricing::computeTotal(selection);
    TotalPrice = total.price;
    if (total.channelCount)
        ChannelCount = *total.channelCount;
    Label13->setText(catalogue::priceText(TotalPrice));
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

    // Deselecting from code runs no model handler; exclusivity would forbid it.
    for (QRadioButton *radio : {RadioButton1, RadioButton2, RadioButton3}) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
    setRadioFontsBold(0);
    ShownModelPicture = 0;

    for (int column = 1; column < StringGrid1->columnCount(); ++column)
        for (int row = 1; row < StringGrid1->rowCount(); ++row)
            StringGrid1->setCell(column, row, QString());

    StringGrid1SelectCell(StringGrid1, 1, 1);
    StringGrid1->setCurrentCell(1, 1);
    StringGrid1->setFocus(Qt::OtherFocusReason);

    for (QCheckBox *box : CheckBoxes)
        box->setChecked(false);
    for (int tag : ModelBoundTags)
        checkBox(tag)->setEnabled(true);
    ComboBox2->setCurrentIndex(0);
    ComboBox3->setCurrentIndex(0);
    ClearPicture();
    Label13->setText(QStringLiteral("0,-"));
}
