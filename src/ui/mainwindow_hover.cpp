// What lies under the pointer: its picture, order code and price.

#include "mainwindow.h"

#include "desktop.h"
#include "dialogs.h"
#include "picturebox.h"
#include "pictures.h"
#include "pricing.h"

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

// A missing or damaged picture is reported, and false returned. The picture
// is the one for the window's screen.
bool MainWindow::loadPicture(int number, QImage *picture)
{
    const Outcome loaded = pictures::load(number, picture, devicePixelRatioF());
    if (!loaded.ok())
        dialogs::showError(this, loaded.message());
    return loaded.ok();
}

void MainWindow::showPicture(int number)
{
    // On failure the previous picture stays.
    QImage picture;
    if (loadPicture(number, &picture))
        m_picture->setPicture(picture);
}

void MainWindow::clearPicture()
{
    m_picture->clearToWhite();
    m_hover.lastAccessory = -1;
    showNoItem();
}

void MainWindow::showItem(const QString &orderCode, const QString &price)
{
    m_orderCodeLabel->setText(orderCode);
    m_itemPriceLabel->setText(price);
}

void MainWindow::showNoItem()
{
    showItem(QStringLiteral("---"), QStringLiteral("0,-"));
}

void MainWindow::setBold(QWidget *control, bool bold)
{
    if (control->font().bold() == bold)
        return;
    QFont font = control->font();
    font.setBold(bold);
    control->setFont(font);
}

// `bold` is the button's number, 1 to 3; 0 makes none bold.
void MainWindow::setModelButtonsBold(int bold)
{
    QRadioButton *const radios[] = {m_tq8Button, m_tq8rButton, m_assemblyButton};
    for (int i = 0; i < 3; ++i)
        setBold(radios[i], bold == i + 1);
}

// Only `only` is bold (none when null). Only the hover makes a box bold,
// so the one it made bold is the one to undo.
void MainWindow::setAccessoriesBold(QCheckBox *only)
{
    if (m_boldAccessory == only)
        return;
    if (m_boldAccessory)
        setBold(m_boldAccessory, false);
    if (only)
        setBold(only, true);
    m_boldAccessory = only;
}

void MainWindow::hoverModelButton(int own)
{
    const ModelHover &hover = ModelHovers[own - 1];
    setModelButtonsBold(own);
    if (m_hover.modelPicture != own) {
        m_hover.modelPicture = own;
        showPicture(hover.picture);
    }
    showItem(QLatin1String(hover.code), catalogue::priceText(catalogue::modelBasePrice(hover.model)));
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
    const int variant = m_order.order().orderedVariant(tag);
    showAccessoryItem(tag, variant);
    // The adapter shows the pictured variant; its pictures follow one another.
    showPicture(entry.variants == catalogue::Variants::AdapterList ? entry.picture + variant : entry.picture);
}

void MainWindow::hoverAccessory(QCheckBox *sender)
{
    // Its width already fits its bold caption: every caption is fitted when
    // the language is shown.
    setAccessoriesBold(sender);
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
    setAccessoriesBold(nullptr);
}

void MainWindow::openMakerSite()
{
    // The link is a convenience: whatever goes wrong is ignored.
    try {
        platform::desktop().openUrl(QUrl(QString::fromLatin1(MakerWebAddress)));
    } catch (...) {
    }
}
