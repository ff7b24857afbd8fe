#include "accessorypanel.h"

#include "accessorylayout.h"
#include "application.h"
#include "controlnames.h"
#include "formparts.h"
#include "ordermodel.h"
#include "pointerwatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <algorithm>

using formparts::make;
using formparts::makeLabel;

namespace {

// A variant list stands beside its box, a little higher.
constexpr int ListAboveBox = 2;
constexpr int ListHeight = 21;

QFrame *makeLine(QWidget *parent, const QString &name, int top)
{
    auto *line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, top, parent->width() - 16, 2);
    return line;
}

} // namespace

AccessoryPanel::Rows AccessoryPanel::catalogueRows()
{
    return Rows(catalogue::Accessories.begin(), catalogue::Accessories.end());
}

AccessoryPanel::AccessoryPanel(OrderModel &order, QWidget *parent, Rows rows)
    : LinedGroupBox(parent)
    , m_order(order)
    , m_rows(std::move(rows))
{
    build();
    wire();
}

void AccessoryPanel::build()
{
    const accessorylayout::Places places = accessorylayout::walk(m_rows.data(), m_rows.size());
    setObjectName(QLatin1String(controlnames::AccessoryGroup));
    resize(574, places.groupHeight);

    m_textMeasure = makeLabel(this, controlnames::TextMeasure, 445, 64, QString());
    m_textMeasure->setFont(application::formFont(true));
    m_textMeasure->hide();

    QPalette maroon = palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    for (std::size_t i = 0; i < places.lineTops.size(); ++i) {
        const int number = int(i) + 1;
        if (i < places.headingTops.size()) {
            QLabel *heading =
                makeLabel(this, qPrintable(controlnames::sectionHeading(number)), 8, places.headingTops[i], QString());
            heading->setPalette(maroon);
            m_headings.push_back(heading);
        }
        makeLine(this, controlnames::sectionLine(number), places.lineTops[i]);
    }

    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const int tag = int(i) + 1;
        auto *box = make<QCheckBox>(
            this, qPrintable(controlnames::accessoryBox(tag)), 12, places.boxTops[i], 400, accessorylayout::BoxHeight);
        box->setProperty("Tag", tag); // for automation; the panel knows its boxes by their place
        m_boxes.push_back(box);
    }
    // Headings are drawn above the check boxes that overlap them.
    for (QLabel *heading : m_headings)
        heading->raise();

    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const catalogue::Accessory &row = m_rows[i];
        QComboBox *list = nullptr;
        if (row.variants == catalogue::Variants::FromList) {
            Q_ASSERT_X(row.list.control > 0, "AccessoryPanel", "a row choosing from a list without one");
            list = make<QComboBox>(this, qPrintable(controlnames::variantList(row.list.control)), row.list.left,
                m_boxes[i]->y() - ListAboveBox, row.list.width, ListHeight);
            for (const std::u16string_view item : row.list.items)
                list->addItem(catalogue::qs(item));
            list->setCurrentIndex(0);
            list->setEnabled(false);
        }
        m_lists.push_back(list);
    }
}

void AccessoryPanel::wire()
{
    // The order's state shows in the boxes and lists, whenever it changes.
    connect(&m_order, &OrderModel::tickChanged, this, [this](int tag) { showTick(tag); });
    connect(&m_order, &OrderModel::enabledChanged, this, [this](int tag) { showEnabled(tag); });
    connect(&m_order, &OrderModel::variantChanged, this, [this](int tag, int variant) {
        if (QComboBox *shown = list(tag))
            shown->setCurrentIndex(variant);
    });

    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const int tag = int(i) + 1;
        // A tick the user gives or takes goes to the order, which shows it
        // back; then the user's click has its own effect: a variant list
        // drops down.
        connect(m_boxes[i], &QCheckBox::toggled, this, [this, tag](bool on) { m_order.setTicked(tag, on); });
        connect(m_boxes[i], &QCheckBox::clicked, this, [this, tag](bool on) {
            if (QComboBox *offered = list(tag); offered && on && offered->isEnabled())
                offered->showPopup();
        });
        QComboBox *variants = m_lists[i];
        if (!variants)
            continue;
        // The list's selection is the order's variant, however it changes;
        // its choice handler runs only on a user's choice.
        connect(
            variants, &QComboBox::currentIndexChanged, this, [this, tag](int item) { m_order.setVariant(tag, item); });
        connect(variants, &QComboBox::activated, this,
            [this, tag] { emit variantChosen(tag, m_rows[std::size_t(tag - 1)]); });
    }
    connect(new PointerWatch(this), &PointerWatch::moved, this, [this](QWidget *target) { pointerMoved(target); });
}

void AccessoryPanel::showTick(int tag)
{
    {
        const QSignalBlocker quiet(box(tag));
        box(tag)->setChecked(m_order.isTicked(tag));
    }
    showVariantList(tag);
}

void AccessoryPanel::showEnabled(int tag)
{
    box(tag)->setEnabled(m_order.isEnabled(tag));
    showVariantList(tag);
}

// A variant list shows its box: bold while ticked, offered while ticked and
// the box may be changed (under the assembly the cable's box is ticked and
// fixed), closed when it is not offered.
void AccessoryPanel::showVariantList(int tag)
{
    QComboBox *shown = list(tag);
    if (!shown)
        return;
    const bool ticked = m_order.isTicked(tag);
    const bool offered = ticked && m_order.isEnabled(tag);
    QFont font = shown->font();
    font.setBold(ticked);
    shown->setFont(font);
    shown->setEnabled(offered);
    if (!offered)
        shown->hidePopup();
}

void AccessoryPanel::pointerMoved(QWidget *target)
{
    if (target == this) {
        setBoldBox(nullptr);
        return;
    }
    const auto at = std::find(m_boxes.begin(), m_boxes.end(), target);
    if (at == m_boxes.end())
        return;
    // Its width already fits its bold caption: every caption is fitted when
    // the language is shown.
    setBoldBox(*at);
    (*at)->setFocus(Qt::MouseFocusReason);
    const std::size_t row = std::size_t(at - m_boxes.begin());
    emit pointerOn(int(row) + 1, m_rows[row]);
}

void AccessoryPanel::clearBold()
{
    setBoldBox(nullptr);
}

// Only `only` is bold (none when null). Only the hover makes a box bold,
// so the one it made bold is the one to undo.
void AccessoryPanel::setBoldBox(QCheckBox *only)
{
    if (m_bold == only)
        return;
    if (m_bold)
        formparts::setBold(m_bold, false);
    if (only)
        formparts::setBold(only, true);
    m_bold = only;
}

void AccessoryPanel::retranslate()
{
    // Kept on purpose: the blank after the colon.
    setTitle(tr("Accessories: "));
}

// The captions, headings and list names are the catalogue's, by language.
void AccessoryPanel::showLanguage(catalogue::Language language)
{
    const bool czech = language == catalogue::Language::Czech;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const catalogue::Accessory &row = m_rows[i];
        if (m_lists[i])
            m_lists[i]->setAccessibleName(catalogue::qs(czech ? row.list.nameCz : row.list.nameEn));
        // Each box is as wide as its caption in bold, as the hover shows it.
        QCheckBox *shown = m_boxes[i];
        const QString caption = catalogue::qs(czech ? row.captionCz : row.captionEn);
        shown->setText(caption);
        m_textMeasure->setText(caption);
        shown->resize(m_textMeasure->fontMetrics().horizontalAdvance(caption) + 20, shown->height());
    }
    for (std::size_t section = 0; section < m_headings.size(); ++section) {
        m_headings[section]->setText(catalogue::sectionHeading(int(section), language));
        m_headings[section]->adjustSize();
    }
}
