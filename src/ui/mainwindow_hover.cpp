// What lies under the pointer: its picture, order code and price.

#include "mainwindow.h"

#include "desktop.h"
#include "dialogs.h"
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

struct ModelHover {
    int picture;
    const char *code;
    catalogue::Model model;
};
constexpr ModelHover ModelHovers[3] = {
    {28, "TQ8", catalogue::Model::TQ8}, {29, "TQ8R", catalogue::Model::TQ8R}, {27, "ZK222", catalogue::Model::ZK222}};

} // namespace

void MainWindow::showPicture(int number)
{
    // A missing or damaged picture is reported; the previous one stays.
    QImage picture;
    const Outcome loaded = pictures::load(number, &picture);
    if (!loaded.ok()) {
        dialogs::showError(this, loaded.message());
        return;
    }
    m_picture->setPicture(picture);
}

void MainWindow::clearPicture()
{
    m_picture->clearToWhite();
    m_hover.lastAccessory = -1;
    m_orderCodeLabel->setText(QStringLiteral("---"));
    m_itemPriceLabel->setText(QStringLiteral("0,-"));
}

void MainWindow::setModelButtonsBold(int bold)
{
    QRadioButton *const radios[] = {m_tq8Button, m_tq8rButton, m_assemblyButton};
    for (int i = 0; i < 3; ++i) {
        QRadioButton *radio = radios[i];
        if (radio->font().bold() != (bold == i + 1)) {
            QFont font = radio->font();
            font.setBold(bold == i + 1);
            radio->setFont(font);
        }
    }
}

void MainWindow::setAccessoryBoxBold(QCheckBox *box, bool bold)
{
    if (box->font().bold() == bold)
        return;
    QFont font = box->font();
    font.setBold(bold);
    box->setFont(font);
}

void MainWindow::hoverModelButton(int own)
{
    const ModelHover &hover = ModelHovers[own - 1];
    setModelButtonsBold(own);
    if (m_hover.modelPicture != own) {
        m_hover.modelPicture = own;
        showPicture(hover.picture);
    }
    m_orderCodeLabel->setText(QLatin1String(hover.code));
    m_itemPriceLabel->setText(catalogue::priceText(catalogue::modelBasePrice(hover.model)));
}

void MainWindow::showAccessoryInfo(int tag)
{
    if (tag < 1 || tag > catalogue::AccessoryCount) {
        clearPicture();
        return;
    }
    const catalogue::Accessory &entry = catalogue::accessory(tag);
    if (entry.flags & catalogue::ClearsPictureFirst)
        clearPicture();
    const int variant =
        catalogue::selectedVariant(tag, m_order.adapterVariant(), m_order.cableVariant(), m_order.fittedChannels());
    m_orderCodeLabel->setText(catalogue::accessoryOrderCode(tag, variant));
    m_itemPriceLabel->setText(catalogue::priceText(catalogue::accessoryPriceText(tag, variant)));
    // The adapter shows the pictured variant; its pictures follow one another.
    showPicture(entry.variants == catalogue::Variants::AdapterList ? entry.picture + variant : entry.picture);
}

void MainWindow::hoverAccessory(QCheckBox *sender)
{
    for (QCheckBox *box : m_accessoryBoxes)
        setAccessoryBoxBold(box, box == sender);
    fitAccessoryBoxWidth(sender);
    sender->setFocus(Qt::MouseFocusReason);
    const int tag = sender->property("Tag").toInt();
    if (tag != m_hover.lastAccessory)
        showAccessoryInfo(tag);
    m_hover.lastAccessory = tag;
}

void MainWindow::hoverModelGroup()
{
    setModelButtonsBold(0);
    m_hover.modelPicture = 0;
    clearPicture();
}

void MainWindow::hoverAccessoryGroup()
{
    for (QCheckBox *box : m_accessoryBoxes)
        setAccessoryBoxBold(box, false);
}

void MainWindow::openMakerSite()
{
    // The link is a convenience: whatever goes wrong is ignored.
    try {
        platform::desktop().openUrl(QUrl(QString::fromLatin1(MakerWebAddress)));
    } catch (...) {
    }
}
