#include "modelchooser.h"

#include "application.h"
#include "controlnames.h"
#include "formparts.h"
#include "pointerwatch.h"

#include <QButtonGroup>
#include <QRadioButton>

using catalogue::Model;

ModelChooser::ModelChooser(QWidget *parent)
    : LinedGroupBox(parent)
    , m_buttons(new QButtonGroup(this))
{
    setObjectName(QLatin1String(controlnames::ModelGroup));
    setGeometry(12, 6, 549, 56);
    setFlat(true);
    const struct {
        Model model;
        const char *name;
        int x, width;
    } radios[] = {{Model::TQ8, controlnames::Tq8Button, 38, 85}, {Model::TQ8R, controlnames::Tq8rButton, 214, 105},
        {Model::ZK222, controlnames::AssemblyButton, 391, 128}};
    for (const auto &r : radios) {
        auto *radio = formparts::make<QRadioButton>(this, r.name, r.x, 16, r.width, 29);
        radio->setText(catalogue::modelOrderCode(r.model));
        radio->setFont(application::designedFont(QStringLiteral("Times New Roman"), 29, false));
        radio->setCursor(Qt::PointingHandCursor);
        m_buttons->addButton(radio, int(r.model));
    }

    // A button acts only when it becomes selected; the chosen one is shown
    // plain before the choice takes effect.
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (!on)
            return;
        QAbstractButton *own = m_buttons->button(id);
        formparts::setBold(own, false);
        own->repaint();
        emit chosen(Model(id));
    });
    connect(new PointerWatch(this), &PointerWatch::moved, this, [this](QWidget *target) { pointerMoved(target); });
}

QRadioButton *ModelChooser::button(Model model) const
{
    return static_cast<QRadioButton *>(m_buttons->button(int(model)));
}

void ModelChooser::pointerMoved(QWidget *target)
{
    if (target == this) {
        setBold(Model::None);
        emit pointerOnGroup();
    } else if (const int id = m_buttons->id(qobject_cast<QAbstractButton *>(target)); id != -1) {
        setBold(Model(id));
        emit pointerOnModel(Model(id));
    }
}

void ModelChooser::showModel(Model model)
{
    // Showing runs no handler; exclusivity would forbid deselecting them all.
    const QSignalBlocker quietGroup(m_buttons);
    m_buttons->setExclusive(false);
    for (QAbstractButton *radio : m_buttons->buttons()) {
        const QSignalBlocker quiet(radio);
        radio->setChecked(radio == button(model));
    }
    m_buttons->setExclusive(true);
}

void ModelChooser::setBold(Model model)
{
    const QAbstractButton *bold = button(model);
    for (QAbstractButton *radio : m_buttons->buttons())
        formparts::setBold(radio, radio == bold);
}

void ModelChooser::retranslate()
{
    // Kept on purpose: the blank after the colon, and the wording.
    setTitle(tr("Choose data logger model please: "));
    button(Model::ZK222)->setToolTip(tr("TQ8 data logger in IP54 case with connected terminal with LCD."));
}
