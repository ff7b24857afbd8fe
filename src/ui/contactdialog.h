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
    // Modal results: only the continue button (or Enter) gives ModalOk.
    enum { ModalOk = 1, ModalCancel = 2 };

    // `language` is asked at every showing.
    explicit ContactDialog(std::function<catalogue::Language()> language, QWidget *parent = nullptr);

    // What the customer gave, in the document's order.
    document::Contact contact() const;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadStoredDetails();
    void storeAndContinue();

    std::array<QGroupBox *, document::ContactLines> m_groups{};
    std::array<QLineEdit *, document::ContactLines> m_edits{};
    QPushButton *m_continueButton = nullptr;
    std::function<catalogue::Language()> m_language;
    ContactStore m_store;
};
