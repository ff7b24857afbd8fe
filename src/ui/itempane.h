#pragma once

// The price-and-picture pane: the picture area at the top right and the
// price group below the language switch. It shows the item it is told
// about (its picture, order code and price) and the order's total.

#include "catalogue.h"

#include <QObject>

class QFrame;
class QGroupBox;
class QImage;
class QLabel;
class QWidget;
class PictureBox;

class ItemPane : public QObject {
    Q_OBJECT
public:
    // Builds both areas in `window`.
    explicit ItemPane(QWidget *window);

    // Compiled-in picture `number` (1 to 35), for the window's screen; a
    // missing or damaged one is reported, and false returned.
    bool load(int number, QImage *picture);
    // Shows picture `number`; on failure the previous picture stays.
    void showPicture(int number);
    // A white picture area and no item.
    void clear();

    void showItem(const QString &orderCode, const QString &price);
    void showNoItem();
    void showAccessory(const catalogue::Accessory &row, int variant);
    void showModel(catalogue::Model model);
    void showModule(int index);
    void showTotal(qint32 total);
    // The prices are part of the Czech interface only.
    void showLanguage(bool czech);

private:
    QWidget *m_window;
    PictureBox *m_picture;
    QGroupBox *m_priceGroup;
    QLabel *m_orderCode;
    QLabel *m_itemPrice;
    QLabel *m_total;
};
