#include "contactdialog.h"

#include "application.h"
#include "controlnames.h"
#include "dialogs.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct Texts {
    const char16_t *caption;
    const char16_t *button;
};
constexpr Texts Czech{u"Kontaktní informace", u"pokračovat >>>"};
constexpr Texts English{u"Contact information", u"continue >>>"};
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
        edit->installEventFilter(this);
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
    // Captions of the current language are set at each showing; these are
    // the design texts.
    for (int i = 0; i < document::ContactLines; ++i)
        m_groups[std::size_t(i)]->setTitle(document::contactCaption(i, catalogue::Language::Czech));

    m_continueButton = new QPushButton(QString::fromUtf16(Czech.button), this);
    m_continueButton->setObjectName(QLatin1String(controlnames::ContinueButton));
    m_continueButton->setGeometry(254, 276, 111, 25);
    m_continueButton->setFont(bold);
    m_continueButton->setDefault(true);
    m_continueButton->installEventFilter(this);
    connect(m_continueButton, &QPushButton::clicked, this, [this] { storeAndContinue(); });

    for (int i = 0; i < 4; ++i)
        setTabOrder(m_edits[std::size_t(i)], m_edits[std::size_t(i + 1)]);
    setTabOrder(m_edits[4], m_continueButton);
}

void ContactDialog::showEvent(QShowEvent *event)
{
    if (parentWidget()) {
        const QRect owner = parentWidget()->frameGeometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
    loadStoredDetails();
    m_continueButton->setFocus(Qt::OtherFocusReason);
}

void ContactDialog::loadStoredDetails()
{
    const catalogue::Language language = m_language();
    const Texts &texts = language == catalogue::Language::Czech ? Czech : English;
    setWindowTitle(QString::fromUtf16(texts.caption));
    for (int i = 0; i < document::ContactLines; ++i)
        m_groups[std::size_t(i)]->setTitle(document::contactCaption(i, language));
    m_continueButton->setText(QString::fromUtf16(texts.button));
    for (int i = 0; i < 5; ++i)
        m_edits[std::size_t(i)]->setAccessibleName(m_groups[std::size_t(i)]->title().trimmed());

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
        told << stored.stored.message()
                    + (m_language() == catalogue::Language::Czech
                            ? QStringLiteral("\nDokument se přesto vytvoří; kontaktní údaje si program nezapamatuje.")
                            : QStringLiteral("\nThe document is made all the same; the contact details are not "
                                             "remembered."));
    if (!told.isEmpty())
        dialogs::showError(this, told.join(QStringLiteral("\n\n")));
    done(ModalOk);
}

void ContactDialog::reject()
{
    done(ModalCancel);
}

// Esc in any edit box or on the button cancels the dialog.
bool ContactDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
        && (watched == m_continueButton || std::find(m_edits.begin(), m_edits.end(), watched) != m_edits.end())) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
