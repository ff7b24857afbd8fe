#pragma once

// The accessory panel: a check box per descriptor row of the catalogue
// under its section's heading, and a variant list beside each row that has
// one, all placed by accessorylayout's walk over the rows. It shows the
// order's ticks, availability and variants, passes the user's ticks and
// choices on to the order, and reports which row the pointer is on. Rows
// are known by their tag, their position from 1; what is special about a
// row is in its columns.

#include "catalogue.h"
#include "linedgroupbox.h"

#include <QPointer>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class OrderModel;

class AccessoryPanel : public LinedGroupBox {
    Q_OBJECT
public:
    using Rows = std::vector<catalogue::Accessory>;
    // The program's catalogue.
    static Rows catalogueRows();

    AccessoryPanel(OrderModel &order, QWidget *parent, Rows rows = catalogueRows());

    // The catalogue's captions, headings and names in `language`.
    void showLanguage(catalogue::Language language);
    // The panel's own title (see LinedGroupBox::retranslate).
    void retranslate() override;
    // No box bold: the pointer has gone elsewhere.
    void clearBold();

signals:
    // The pointer is on the box of row `tag` (now bold and focused).
    void pointerOn(int tag, const catalogue::Accessory &row);
    // The user chose an item in the variant list of row `tag`.
    void variantChosen(int tag, const catalogue::Accessory &row);

private:
    void build();
    void wire();
    QCheckBox *box(int tag) const { return m_boxes[std::size_t(tag - 1)]; }
    QComboBox *list(int tag) const { return m_lists[std::size_t(tag - 1)]; }
    void showTick(int tag);
    void showEnabled(int tag);
    void showVariantList(int tag);
    void pointerMoved(QWidget *target);
    void setBoldBox(QCheckBox *only);

    OrderModel &m_order;
    const Rows m_rows;
    std::vector<QCheckBox *> m_boxes; // by tag - 1
    std::vector<QComboBox *> m_lists; // by tag - 1; null for a row without one
    std::vector<QLabel *> m_headings; // by section
    QLabel *m_textMeasure = nullptr;
    QPointer<QCheckBox> m_bold; // the box the hover made bold
};
