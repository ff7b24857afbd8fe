#pragma once

// The model chooser: the group of the three model buttons. It reports the
// user's choice and where the pointer is; it shows the model it is told.

#include "catalogue.h"
#include "linedgroupbox.h"

class QButtonGroup;
class QRadioButton;

class ModelChooser : public LinedGroupBox {
    Q_OBJECT
public:
    explicit ModelChooser(QWidget *parent);

    // Observer: the button of `model` selected, none for Model::None.
    void showModel(catalogue::Model model);
    // The hover's emphasis: only `model`'s button bold, none for Model::None.
    void setBold(catalogue::Model model);
    // The title and the hint (see LinedGroupBox::retranslate).
    void retranslate() override;

signals:
    // A button became selected, by the user.
    void chosen(catalogue::Model model);
    // The pointer is over a model's button (now bold), or over the group
    // between them.
    void pointerOnModel(catalogue::Model model);
    void pointerOnGroup();

private:
    void pointerMoved(QWidget *target);
    QRadioButton *button(catalogue::Model model) const;

    QButtonGroup *m_buttons;
};
