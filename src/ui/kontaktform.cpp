#include "kontaktform.h"

#include "application.h"
#include "dialogs.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct Texts {
    const char16_t *caption;
    const char16_t *groups[4];
    const char16_t *button;
};
constexpr Texts Czech{u"Kontaktní informace",
                      {u"Název firmy: ", u"Adresa: ", u"Kontaktní osoba: ", u"Telefon: "},
                      u"pokračovat >>>"};
constexpr Texts English{u"Contact information",
                        {u"Company name: ", u"Address: ", u"Contact person: ", u"Telephone: "},
                        u"continue >>>"};
constexpr int GroupTops[5] = {6, 57, 117, 169, 221};

} // namespace

TKontaktForm::TKontaktForm(std::function<bool()> languageIsCzech, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      m_languageIsCzech(std::move(languageIsCzech))
{
    setObjectName(QStringLiteral("KontaktForm"));
    const QFont font = application::formFont();
    setFont(font);
    setFixedSize(374, 312);
    setModal(true);

    const QFont bold = application::formFont(true);
    for (int i = 0; i < 5; ++i) {
        auto *group = new QGroupBox(this);
        group->setObjectName(QStringLiteral("GroupBox%1").arg(i + 1));
        group->setGeometry(8, GroupTops[i], 357, 45);
        group->setFont(bold);
        auto *edit = new QLineEdit(group);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        edit->setGeometry(8, 16, 341, 21);
        edit->setFont(font);
        edit->installEventFilter(this);
        GroupBoxes[std::size_t(i)] = group;
        Edits[std::size_t(i)] = edit;
        if (i == 1) {
            auto *line = new QFrame(this);
            line->setObjectName(QStringLiteral("Bevel1"));
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            line->setGeometry(6, 110, 361, 2);
        }
    }
    // Captions of the current language are set at each showing; these are
    // the design texts.
    for (int i = 0; i < 4; ++i)
        GroupBoxes[std::size_t(i)]->setTitle(QString::fromUtf16(Czech.groups[i]));
    GroupBoxes[4]->setTitle(QStringLiteral("Email: "));

    Button1 = new QPushButton(QString::fromUtf16(Czech.button), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(254, 276, 111, 25);
    Button1->setFont(bold);
    Button1->setDefault(true);
    Button1->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    for (int i = 0; i < 4; ++i)
        setTabOrder(Edits[std::size_t(i)], Edits[std::size_t(i + 1)]);
    setTabOrder(Edits[4], Button1);
}

void TKontaktForm::showEvent(QShowEvent *event)
{
    if (parentWidget()) {
        const QRect owner = parentWidget()->frameGeometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
    FormShow();
    Button1->setFocus(Qt::OtherFocusReason);
}

void TKontaktForm::FormShow()
{
    const Texts &texts = m_languageIsCzech() ? Czech : English;
    setWindowTitle(QString::fromUtf16(texts.caption));
    for (int i = 0; i < 4; ++i)
        GroupBoxes[std::size_t(i)]->setTitle(QString::fromUtf16(texts.groups[i]));
    Button1->setText(QString::fromUtf16(texts.button));
    for (int i = 0; i < 5; ++i)
        Edits[std::size_t(i)]->setAccessibleName(GroupBoxes[std::size_t(i)]->title().trimmed());

    // A value that cannot be read leaves its box as it was.
    const ContactStore::ReadResult stored = m_store.read();
    for (std::size_t i = 0; i < stored.values.size(); ++i) {
        if (stored.values[i])
            Edits[i]->setText(*stored.values[i]);
    }
    if (!stored.errors.isEmpty())
        dialogs::showError(this, stored.errors.join(QStringLiteral("\n\n")));
}

std::array<document::ContactField, document::ContactLines> TKontaktForm::contactDetails() const
{
    std::array<document::ContactField, document::ContactLines> details;
    for (std::size_t i = 0; i < details.size(); ++i)
        details[i] = {GroupBoxes[i]->title(), Edits[i]->text()};
    return details;
}

void TKontaktForm::Button1Click()
{
    ContactStore::Values values;
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = Edits[i]->text();
    const Outcome stored = m_store.write(values);
    if (!stored.ok()) {
        // The dialog stays open so that the user can retry or cancel.
        dialogs::showError(this, stored.message());
        return;
    }
    done(ModalOk);
}

void TKontaktForm::Button1KeyPress(int key)
{
    if (key == Qt::Key_Escape)
        reject();
}

void TKontaktForm::reject()
{
    done(ModalCancel);
}

bool TKontaktForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
        && (watched == Button1 || std::find(Edits.begin(), Edits.end(), watched) != Edits.end())) {
        Button1KeyPress(Qt::Key_Escape);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
