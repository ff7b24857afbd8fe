// The channel grid and its module picker.

#include "mainwindow.h"

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

void MainWindow::openPickerAt(QObject *sender, int column, int row)
{
    if (!anyModelSelected())
        return;
    if (sender == m_channelGrid && column == NoteColumn)
        return;
    column = PickerColumn;
    if (row == 0)
        return;

    m_channelGrid->setCurrentCell(column, row);
    m_channelGrid->cancelMouseTracking();

    const QRect cell = m_channelGrid->cellRect(column, row);
    m_modulePicker->setGeometry(cell.left() + 13, cell.top() + 77, cell.width(), m_modulePicker->height());

    const QString code = m_order.moduleCode(row);
    int preselect = 0;
    for (int i = 0; i < m_modulePicker->count(); ++i) {
        if (m_modulePicker->itemText(i).contains(code)) {
            preselect = i;
            break;
        }
    }
    m_modulePicker->setCurrentIndex(preselect);

    m_pickerOpenedByPress = QGuiApplication::mouseButtons() != Qt::NoButton;
    m_modulePicker->show();
    m_modulePicker->raise();
    m_modulePicker->setFocus(Qt::OtherFocusReason);
    m_modulePicker->showPopup();
}

void MainWindow::commitPicker()
{
    // Hiding the focused picker and focusing the grid both end its focus,
    // which would commit the same item again: one commit is enough.
    if (m_inPickerExit)
        return;
    m_inPickerExit = true;
    m_modulePicker->hide();
    const int index = m_modulePicker->currentIndex();
    if (index >= 0)
        m_order.fitModule(m_channelGrid->currentRow(), index);
    if (!m_focusLeavingPicker)
        m_channelGrid->setFocus(Qt::OtherFocusReason);
    m_inPickerExit = false;
    if (index >= 0)
        showModuleInfo(index);
}

// A channel as the order holds it: the module's code and the note.
void MainWindow::showChannel(int channel)
{
    m_channelGrid->setCell(PickerColumn, channel, m_order.moduleCode(channel));
    m_channelGrid->setCell(NoteColumn, channel, m_order.note(channel));
}

void MainWindow::pickerKeyPress(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        commitPicker();
    else if (key == Qt::Key_Escape) {
        // Hidden while focused, the picker commits through its exit; the
        // focus goes back to the grid.
        m_channelGrid->setFocus(Qt::OtherFocusReason);
        m_modulePicker->hide();
    }
}

void MainWindow::showModuleInfo(int index)
{
    const catalogue::TModulArray &entry = catalogue::moduleAt(index);
    showItem(catalogue::qs(entry.OrderCode), catalogue::priceText(entry.Price));
}

void MainWindow::drawGridCell(QPainter &painter, int column, int row, const QRect &rect)
{
    QBrush brush = painter.brush();
    brush.setStyle(Qt::SolidPattern);
    if (column == 0 || row == 0)
        brush.setColor(QColor(255, 255, 0));
    painter.fillRect(rect, brush);
    QString text = m_channelGrid->cell(column, row).left(DrawnCharacters);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
}

void MainWindow::gridPressed(QObject *sender)
{
    if (anyModelSelected() || sender != m_channelGrid)
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

void MainWindow::hoverGrid(int x, int y)
{
    setAccessoriesBold(nullptr);
    if (isVisible() && isEnabled())
        m_channelGrid->setFocus(Qt::MouseFocusReason);

    const bool inNotes = x >= 318 && x <= 546 && y >= 42 && y <= 410;
    m_channelGrid->setCursor(inNotes ? Qt::IBeamCursor : Qt::PointingHandCursor);
    m_channelGrid->setEditingEnabled(inNotes);

    int column = -1;
    if (x >= 64 && x <= 317)
        column = PickerColumn;
    else if (x >= 318 && x <= 546)
        column = NoteColumn;
    int row = -1;
    if (y >= 42 && y < 42 + 23 * LastRow)
        row = (y - 42) / 23 + 1;
    if (row > 0 && column > 0)
        m_channelGrid->setCurrentCell(column, row);

    const int module = row > 0 ? m_order.module(row) : OrderModel::NoModule;
    if (column == PickerColumn && module != OrderModel::NoModule) {
        showModuleInfo(module);
    } else {
        showNoItem();
    }

    if (!m_hover.gridPictureShown) {
        m_hover.gridPictureShown = true;
        showPicture(4);
    }
    m_hover.lastAccessory = -1;
}

void MainWindow::hoverLeftPanel()
{
    m_hover.gridPictureShown = false;
}
