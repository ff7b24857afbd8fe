#include "contactdialog.h"

#include "application.h"
#include "controlnames.h"
#include "dialogs.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int GroupTops[5] = {6, 57, 117, 169, 221};

} // namespace

ContactDialog::ContactDialog(std::function<catalogue::Language()> language, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_language(std::move(language))
{
    setObjectName(QLatin1String(controlnames::ContactDialog));
    const QFont font = application::formFont();
    setFont(font);
    setFixedSize(374, 312);
    setModal(true);

    const QFont bold = application::formFont(true);
    for (int i = 0; i < 5; ++i) {
        auto *group = new QGroupBox(this);
        group->setObjectName(controlnames::contactGroup(i + 1));
        group->setGeometry(8, GroupTops[i], 357, 45);
        group->setFont(bold);
        auto *edit = new QLineEdit(group);
        edit->setObjectName(controlnames::contactEdit(i + 1));
        edit->setGeometry(8, 16, 341, 21);
        edit->setFont(font);
        edit->setMaxLength(ContactStore::MaxValueLength);
        m_groups[std::size_t(i)] = group;
        m_edits[std::size_t(i)] = edit;
        if (i == 1) {
            auto *line = new QFrame(this);
            line->setObjectName(QLatin1String(controlnames::ContactSeparator));
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            line->setGeometry(6, 110, 361, 2);
        }
    }
    m_continueButton = new QPushButton(this);
    m_continueButton->setObjectName(QLatin1String(controlnames::ContinueButton));
    m_continueButton->setGeometry(254, 276, 111, 25);
    m_continueButton->setFont(bold);
    m_continueButton->setDefault(true);
    connect(m_continueButton, &QPushButton::clicked, this, [this] { storeAndContinue(); });

    for (int i = 0; i < 4; ++i)
        setTabOrder(m_edits[std::size_t(i)], m_edits[std::size_t(i + 1)]);
    setTabOrder(m_edits[4], m_continueButton);
    retranslate();
}

// QDialog places the dialog over the main window each time it opens.
void ContactDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    retranslate();
    loadStoredDetails();
    m_continueButton->setFocus(Qt::OtherFocusReason);
}

void ContactDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

// The captions are the document's (it writes each beside its value), the
// title and the button the dialog's own.
void ContactDialog::retranslate()
{
    const catalogue::Language language = m_language();
    setWindowTitle(tr("Contact information"));
    for (int i = 0; i < document::ContactLines; ++i)
        m_groups[std::size_t(i)]->setTitle(document::contactCaption(i, language));
    m_continueButton->setText(tr("continue >>>"));
    for (int i = 0; i < 5; ++i)
        m_edits[std::size_t(i)]->setAccessibleName(m_groups[std::size_t(i)]->title().trimmed());
}

void ContactDialog::loadStoredDetails()
{
    // A value that cannot be read leaves its box as it was.
    const ContactStore::ReadResult stored = m_store.read();
    for (std::size_t i = 0; i < stored.values.size(); ++i) {
        if (stored.values[i])
            m_edits[i]->setText(*stored.values[i]);
    }
    if (!stored.errors.isEmpty())
        dialogs::showError(this, stored.errors.join(QStringLiteral("\n\n")));
}

document::Contact ContactDialog::contact() const
{
    document::Contact details;
    for (std::size_t i = 0; i < details.size(); ++i)
        details[i] = m_edits[i]->text();
    return details;
}

// Remembering the details is a convenience; the order document is the job.
// Whatever happens to the store is told in one message, and the dialog
// closes with the texts on screen all the same.
void ContactDialog::storeAndContinue()
{
    const ContactStore::WriteResult stored = m_store.write(contact());
    QStringList told;
    if (!stored.notice.isEmpty())
        told << stored.notice;
    if (!stored.stored.ok())
        told << stored.stored.message() + QLatin1Char('\n')
                    + tr("The document is made all the same; the contact details are not remembered.");
    if (!told.isEmpty())
        dialogs::showError(this, told.join(QStringLiteral("\n\n")));
    accept();
}
