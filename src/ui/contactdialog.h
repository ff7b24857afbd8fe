#pragma once

// The contact details dialog: five texts remembered per user between runs.

#include "contactstore.h"
#include "orderdocument.h"

#include <QDialog>
#include <array>
#include <functional>

class QGroupBox;
class QLineEdit;
class QPushButton;

class ContactDialog : public QDialog {
    Q_OBJECT
public:
    // Only the continue button (or Enter) accepts the dialog; Esc and the
    // close box reject it. `language` is asked at every showing and at
    // every change of the language.
    explicit ContactDialog(std::function<catalogue::Language()> language, QWidget *parent = nullptr);

    // What the customer gave, in the document's order.
    document::Contact contact() const;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void loadStoredDetails();
    void storeAndContinue();

    std::array<QGroupBox *, document::ContactLines> m_groups{};
    std::array<QLineEdit *, document::ContactLines> m_edits{};
    QPushButton *m_continueButton = nullptr;
    std::function<catalogue::Language()> m_language;
    ContactStore m_store;
};
