#include "itempane.h"

#include "application.h"
#include "controlnames.h"
#include "dialogs.h"
#include "formparts.h"
#include "linedgroupbox.h"
#include "picturebox.h"
#include "pictures.h"

using formparts::make;
using formparts::makeLabel;

ItemPane::ItemPane(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    auto *panel = make<QFrame>(window, controlnames::PicturePanel, 611, 5, 214, 164);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    m_picture = make<PictureBox>(panel, controlnames::Picture, 2, 2, 210, 160);

    m_priceGroup = make<LinedGroupBox>(window, controlnames::PriceGroup, 612, 228, 214, 89);
    m_priceGroup->setTitle(QStringLiteral("Cenová kalkulace bez DPH: "));
    makeLabel(m_priceGroup, controlnames::OrderCodeCaption, 8, 20, QStringLiteral("Objednací kod:"));
    m_orderCode = makeLabel(m_priceGroup, controlnames::OrderCodeLabel, 112, 20, QStringLiteral("---"));
    makeLabel(m_priceGroup, controlnames::ItemPriceCaption, 8, 36, QStringLiteral("Cena za položku: "));
    m_itemPrice = makeLabel(m_priceGroup, controlnames::ItemPriceLabel, 112, 36, QStringLiteral("0,-"));
    QLabel *totalCaption = makeLabel(m_priceGroup, controlnames::TotalCaption, 8, 64, QStringLiteral("Celkem:"));
    m_total = makeLabel(m_priceGroup, controlnames::TotalLabel, 59, 64, QStringLiteral("0,-"));
    for (QLabel *label : {totalCaption, m_total}) {
        label->setFont(application::formFont(true));
        label->adjustSize();
    }
    // Labels whose text changes keep room for the longest text they show.
    for (QLabel *label : {m_orderCode, m_itemPrice, m_total})
        label->resize(m_priceGroup->width() - label->x() - 8, label->height());
}

bool ItemPane::load(int number, QImage *picture)
{
    const Outcome loaded = pictures::load(number, picture, m_window->devicePixelRatioF());
    if (!loaded.ok())
        dialogs::showError(m_window, loaded.message());
    return loaded.ok();
}

void ItemPane::showPicture(int number)
{
    QImage picture;
    if (load(number, &picture))
        m_picture->setPicture(picture);
}

void ItemPane::clear()
{
    m_picture->clearToWhite();
    showNoItem();
}

void ItemPane::showItem(const QString &orderCode, const QString &price)
{
    m_orderCode->setText(orderCode);
    m_itemPrice->setText(price);
}

void ItemPane::showNoItem()
{
    showItem(QStringLiteral("---"), QStringLiteral("0,-"));
}

void ItemPane::showAccessory(const catalogue::Accessory &row, int variant)
{
    Q_ASSERT(variant >= 0 && variant <= 2);
    const std::size_t v = std::size_t(variant);
    showItem(catalogue::qs(row.orderCodes[v]), catalogue::priceText(catalogue::qs(row.prices[v])));
}

void ItemPane::showModel(catalogue::Model model)
{
    showItem(catalogue::modelOrderCode(model), catalogue::priceText(catalogue::modelBasePrice(model)));
}

void ItemPane::showModule(int index)
{
    const catalogue::TModulArray &entry = catalogue::moduleAt(index);
    showItem(catalogue::qs(entry.OrderCode), catalogue::priceText(entry.Price));
}

void ItemPane::showTotal(qint32 total)
{
    m_total->setText(catalogue::priceText(total));
}

void ItemPane::showLanguage(bool czech)
{
    m_priceGroup->setVisible(czech);
}
