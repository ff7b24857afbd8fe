// What lies under the pointer: its picture, order code and price.

#include "mainform.h"

#include "desktop.h"
#include "picturebox.h"
#include "pictures.h"
#include "pricing.h"
#include "stringgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QRadioButton>

namespace {

// Picture number by accessory tag (tag 2 shows its adapter: item + 1).
constexpr int AccessoryPictures[catalogue::AccessoryCount] = {
    30, 1, 10, 11, 19, 20, 17, 18, 31, 21, 5, 14, 13, 11, 15,
    16, 12, 13, 25, 7, 8, 9, 32, 22, 6, 23, 24, 26, 33};

struct ModelHover {
    int picture;
    const char *code;
    catalogue::Model model;
};
constexpr ModelHover ModelHovers[3] = {{28, "TQ8", catalogue::Model::TQ8},
                                       {29, "TQ8R", catalogue::Model::TQ8R},
                                       {27, "ZK222", catalogue::Model::ZK222}};

// Accessories whose picture area is cleared before their own is shown.
bool clearsFirst(int tag)
{
    return tag == 9 || tag == 23 || tag == catalogue::CalibrationTag;
}

} // namespace

void TMainForm::ShowPicture(int number)
{
    // Decoding throws on a missing or damaged picture; the previous one stays.
    Image1->setPicture(pictures::load(number));
}

void TMainForm::ClearPicture()
{
    Image1->clearToWhite();
    LastHoveredTag = -1;
    Label14->setText(QStringLiteral("---"));
    Label15->setText(QStringLiteral("0,-"));
}

void TMainForm::setRadioFontsBold(int bold)
{
    QRadioButton *const radios[] = {RadioButton1, RadioButton2, RadioButton3};
    for (int i = 0; i < 3; ++i) {
        QRadioButton *radio = radios[i];
        if (radio->font().bold() != (bold == i + 1)) {
            QFont font = radio->font();
            font.setBold(bold == i + 1);
            radio->setFont(font);
        }
    }
}

void TMainForm::setCheckBoxBold(QCheckBox *box, bool bold)
{
    if (box->font().bold() == bold)
        return;
    QFont font = box->font();
    font.setBold(bold);
    box->setFont(font);
}

void TMainForm::radioButtonMouseMove(int own)
{
    const ModelHover &hover = ModelHovers[own - 1];
    setRadioFontsBold(own);
    if (ShownModelPicture != own) {
        ShownModelPicture = own;
        ShowPicture(hover.picture);
    }
    Label14->setText(QLatin1String(hover.code));
    Label15->setText(catalogue::priceText(catalogue::modelBasePrice(hover.model)));
}

void TMainForm::RadioButton1MouseMove()
{
    radioButtonMouseMove(1);
}

void TMainForm::RadioButton2MouseMove()
{
    radioButtonMouseMove(2);
}

void TMainForm::RadioButton3MouseMove()
{
    radioButtonMouseMove(3);
}

void TMainForm::showAccessoryInfo(int tag)
{
    if (tag < 1 || tag > catalogue::AccessoryCount) {
        ClearPicture();
        return;
    }
    if (clearsFirst(tag))
        ClearPicture();
    const int variant = catalogue::selectedVariant(tag, m_order.adapterVariant(), m_order.cableVariant(),
                                                   m_order.fittedChannels());
    Label14->setText(catalogue::accessoryOrderCode(tag, variant));
    Label15->setText(catalogue::priceText(catalogue::accessoryPriceText(tag, variant)));
    ShowPicture(tag == catalogue::AdapterTag ? variant + 1 : AccessoryPictures[tag - 1]);
}

void TMainForm::CheckBoxMouseMove(QCheckBox *sender)
{
    for (QCheckBox *box : CheckBoxes)
        setCheckBoxBold(box, box == sender);
    fitCheckBoxWidth(sender);
    sender->setFocus(Qt::MouseFocusReason);
    const int tag = sender->property("Tag").toInt();
    if (tag != LastHoveredTag)
        showAccessoryInfo(tag);
    LastHoveredTag = tag;
}

void TMainForm::GroupBox1MouseMove()
{
    setRadioFontsBold(0);
    ShownModelPicture = 0;
    ClearPicture();
}

void TMainForm::GroupBox2MouseMove()
{
    for (QCheckBox *box : CheckBoxes)
        setCheckBoxBold(box, false);
}

void TMainForm::Image2Click()
{
    // The link is a convenience: whatever goes wrong is ignored.
    try {
        platform::desktop().openUrl(QUrl(QString::fromLatin1(MakerWebAddress)));
    } catch (...) {
    }
}
