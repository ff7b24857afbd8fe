#pragma once

// Every message box of the program goes through here, so that tests can
// answer them without a modal loop. The application error box is here too:
// what can fail gives an Outcome, and the handler that gets a failure shows
// its message there.

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace dialogs {

struct Request {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
};

// Shows the box modally (or hands it to the installed responder) and
// returns the button that answered it.
QMessageBox::StandardButton ask(QWidget *parent, const Request &request);

// Tests install a responder; an empty function restores real boxes.
using Responder = std::function<QMessageBox::StandardButton(const Request &)>;
void setResponder(Responder responder);

// The one application error box.
void showError(QWidget *parent, const QString &message);

} // namespace dialogs
