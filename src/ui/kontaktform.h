#pragma once

// The contact details dialog: five texts remembered per user between runs.

#include "contactstore.h"
#include "orderdocument.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;

class TKontaktForm : public QDialog {
    Q_OBJECT
public:
    // Modal results: only Button1 (or Enter) gives ModalOk.
    enum { ModalOk = 1, ModalCancel = 2 };

    // `languageIsCzech` is asked at every showing.
    TKontaktForm(std::function<bool()> languageIsCzech, QWidget *parent = nullptr);

    // Tests point the dialog at a store of their own.
    void setStore(const ContactStore &store) { m_store = store; }

    // What the customer gave, each text with the caption it was asked under.
    std::array<document::ContactField, document::ContactLines> contactDetails() const;

    std::array<QGroupBox *, 5> GroupBoxes{}; // GroupBox1 .. GroupBox5
    std::array<QLineEdit *, 5> Edits{};      // Edit1 .. Edit5
    QPushButton *Button1 = nullptr;

    void FormShow();
    void Button1Click();
    void Button1KeyPress(int key);

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool()> m_languageIsCzech;
    ContactStore m_store;
};
