// The order document: contact details, filling, writing and opening.

#include "mainform.h"

#include "desktop.h"
#include "dialogs.h"
#include "imageform.h"
#include "kontaktform.h"
#include "orderdocument.h"
#include "picturebox.h"
#include "pictures.h"
#include "stringgrid.h"
#include "wholefile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString DocumentName = QStringLiteral("formular.rtf");
constexpr int OpenerTimeoutMs = 7500;

// The hourglass stays exactly as long as the wait.
class BusyCursor {
public:
    explicit BusyCursor(QWidget *window) : m_window(window) { m_window->setCursor(Qt::WaitCursor); }
    ~BusyCursor() { m_window->unsetCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    QWidget *m_window;
};

} // namespace

void TMainForm::BitBtn2Click()
{
    if (!m_kontaktForm)
        return;
    if (m_kontaktForm->exec() == TKontaktForm::ModalOk)
        GenerateOrderDocument();
}

void TMainForm::GenerateOrderDocument()
{
    document::OrderSnapshot order;
    order.language = currentLanguage();
    for (int i = 0; i < document::ContactLines; ++i) {
        order.contact[std::size_t(i)] = {m_kontaktForm->GroupBoxes[std::size_t(i)]->title(),
                                         m_kontaktForm->Edits[std::size_t(i)]->text()};
    }
    order.model = selectedModel();
    for (int row = 1; row <= document::ChannelRows; ++row) {
        order.rows[std::size_t(row - 1)] = {StringGrid1->cell(1, row), StringGrid1->cell(2, row),
                                            StringGrid1->cell(3, row)};
    }
    for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag) {
        const QCheckBox *box = checkBox(tag);
        order.accessories[std::size_t(tag - 1)] = {box->text(), box->isChecked(), box->isEnabled()};
    }
    order.adapterItem = ComboBox2->currentIndex();
    order.adapterText = ComboBox2->currentText();
    order.cableItem = ComboBox3->currentIndex();
    order.cableText = ComboBox3->currentText();
    order.channelCount = ChannelCount;
    order.totalCaption = Label13->text();

    const QByteArray bytes = document::fillOrderDocument(document::templateFor(order.language), order);
    const QString path = QDir::current().filePath(DocumentName);
    // A link named like the document is never written through: it may have
    // been planted in a shared folder to overwrite some other file.
    const Outcome saved = wholefile::write(path, bytes, wholefile::Links::Refuse);
    if (!saved.ok()) {
        dialogs::showError(this, saved.message());
        return;
    }

    bool opened = false;
    {
        BusyCursor busy(this);
        opened = platform::desktop().openDocument(path, OpenerTimeoutMs);
    }
    if (opened)
        return;
    const bool czech = order.language == catalogue::Language::Czech;
    dialogs::Request warning;
    warning.icon = QMessageBox::Warning;
    warning.title = QStringLiteral("Warning");
    warning.buttons = QMessageBox::Ok;
    warning.text = czech ? QString(15, QLatin1Char(' ')) + QStringLiteral("Nepodařilo se spustit aplikaci ")
                               + QStringLiteral("\"WordPad.exe\".\r")
                               + QStringLiteral("Vytvořený formulář najdete ve složce odkud je spuštěna tato aplikace.")
                         : QString(20, QLatin1Char(' ')) + QStringLiteral("Can`t run \"WordPad.exe\".\r")
                               + QStringLiteral("Please find your Form at folder with this application.");
    dialogs::ask(this, warning);
}

void TMainForm::BitBtn3Click()
{
    if (!m_imageForm)
        return;
    const int number = currentLanguage() == catalogue::Language::Czech ? 34 : 35;
    m_imageForm->Image1->setPicture(pictures::load(number));
    m_imageForm->exec();
}
