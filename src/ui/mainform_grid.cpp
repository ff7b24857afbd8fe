// The channel grid and its module picker.

#include "mainform.h"

#include "dialogs.h"
#include "stringgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>

namespace {
constexpr int PickerColumn = 1;
constexpr int NoteColumn = 3;
constexpr int LastRow = 16;
constexpr int DrawnCharacters = 255;
} // namespace

void TMainForm::StringGrid1SelectCell(QObject *sender, int column, int row)
{
    if (!anyModelSelected())
        return;
    if (sender == StringGrid1 && column == NoteColumn)
        return;
    column = PickerColumn;
    if (row == 0)
        return;

    StringGrid1->setCurrentCell(column, row);
    StringGrid1->cancelMouseTracking();

    const QRect cell = StringGrid1->cellRect(column, row);
    ComboBox1->setGeometry(cell.left() + 13, cell.top() + 77, cell.width(), ComboBox1->height());

    const QString code = m_order.moduleCode(row);
    int preselect = 0;
    for (int i = 0; i < ComboBox1->count(); ++i) {
        if (ComboBox1->itemText(i).contains(code)) {
            preselect = i;
            break;
        }
    }
    ComboBox1->setCurrentIndex(preselect);

    m_pickerOpenedByPress = QGuiApplication::mouseButtons() != Qt::NoButton;
    ComboBox1->show();
    ComboBox1->raise();
    ComboBox1->setFocus(Qt::OtherFocusReason);
    ComboBox1->showPopup();
}

void TMainForm::ComboBox1Exit()
{
    // Hiding the focused picker and focusing the grid both end its focus,
    // which would commit the same item again: one commit is enough.
    if (m_inPickerExit)
        return;
    m_inPickerExit = true;
    ComboBox1->hide();
    const int index = ComboBox1->currentIndex();
    if (index >= 0)
        m_order.fitModule(StringGrid1->currentRow(), index);
    if (!m_focusLeavingPicker)
        StringGrid1->setFocus(Qt::OtherFocusReason);
    m_inPickerExit = false;
    if (index >= 0)
        showModuleInfo(index);
}

// A channel as the order holds it: the module's code and the note.
void TMainForm::showChannel(int channel)
{
    StringGrid1->setCell(PickerColumn, channel, m_order.moduleCode(channel));
    StringGrid1->setCell(NoteColumn, channel, m_order.note(channel));
}

void TMainForm::ComboBox1KeyPress(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        ComboBox1Exit();
    else if (key == Qt::Key_Escape) {
        // Hidden while focused, the picker commits through its exit; the
        // focus goes back to the grid.
        StringGrid1->setFocus(Qt::OtherFocusReason);
        ComboBox1->hide();
    }
}

void TMainForm::showModuleInfo(int index)
{
    const catalogue::TModulArray &entry = catalogue::moduleAt(index);
    Label14->setText(catalogue::qs(entry.OrderCode));
    Label15->setText(catalogue::priceText(entry.Price));
}

void TMainForm::StringGrid1DrawCell(QPainter &painter, int column, int row, const QRect &rect)
{
    QBrush brush = painter.brush();
    brush.setStyle(Qt::SolidPattern);
    if (column == 0 || row == 0)
        brush.setColor(QColor(255, 255, 0));
    painter.fillRect(rect, brush);
    QString text = StringGrid1->cell(column, row).left(DrawnCharacters);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
}

void TMainForm::StringGrid1MouseDown(QObject *sender)
{
    if (anyModelSelected() || sender != StringGrid1)
        return;
    dialogs::Request warning;
    warning.icon = QMessageBox::Warning;
    warning.title = QStringLiteral("Warning");
    warning.text = currentLanguage() == catalogue::Language::Czech
                       ? QStringLiteral("Vyberte nejdříve typ požadované ústředny.")
                       : QStringLiteral("Choose first data logger model please.");
    warning.buttons = QMessageBox::Ok;
    dialogs::ask(this, warning);
}

void TMainForm::StringGrid1MouseMove(int x, int y)
{
    for (QCheckBox *box : CheckBoxes)
        setCheckBoxBold(box, false);
    if (isVisible() && isEnabled())
        StringGrid1->setFocus(Qt::MouseFocusReason);

    const bool inNotes = x >= 318 && x <= 546 && y >= 42 && y <= 410;
    StringGrid1->setCursor(inNotes ? Qt::IBeamCursor : Qt::PointingHandCursor);
    StringGrid1->setEditingEnabled(inNotes);

    int column = -1;
    if (x >= 64 && x <= 317)
        column = PickerColumn;
    else if (x >= 318 && x <= 546)
        column = NoteColumn;
    int row = -1;
    if (y >= 42 && y < 42 + 23 * LastRow)
        row = (y - 42) / 23 + 1;
    if (row > 0 && column > 0)
        StringGrid1->setCurrentCell(column, row);

    const int module = row > 0 ? m_order.module(row) : OrderModel::NoModule;
    if (column == PickerColumn && module != OrderModel::NoModule) {
        showModuleInfo(module);
    } else {
        Label14->setText(QStringLiteral("---"));
        Label15->setText(QStringLiteral("0,-"));
    }

    if (!GridPictureShown) {
        GridPictureShown = true;
        ShowPicture(4);
    }
    LastHoveredTag = -1;
}

void TMainForm::Panel1MouseMove()
{
    GridPictureShown = false;
}
