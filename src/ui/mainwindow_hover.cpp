// What the picture area shows as the pointer moves from pane to pane.

#include "mainwindow.h"

#include "itempane.h"

void MainWindow::clearPicture()
{
    m_itemPane->clear();
    m_hover.lastAccessory = -1;
}

// The accessory under the pointer: its ordered variant's item and picture.
void MainWindow::showAccessoryInfo(int tag, const catalogue::Accessory &row)
{
    if (row.flags & catalogue::ClearsPictureFirst)
        clearPicture();
    const int variant = m_order.order().orderedVariant(tag);
    m_itemPane->showAccessory(row, variant);
    m_itemPane->showPicture(catalogue::pictureOf(row, variant));
}
