#include "dialogs.h"

#include <QApplication>

namespace dialogs {

static Responder &responder()
{
    static Responder current;
    return current;
}

void setResponder(Responder r)
{
    responder() = std::move(r);
}

QMessageBox::StandardButton ask(QWidget *parent, const Request &request)
{
    if (responder())
        return responder()(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    if (request.escapeButton != QMessageBox::NoButton)
        box.setEscapeButton(request.escapeButton);
    const int answer = box.exec();
    return QMessageBox::StandardButton(answer);
}

void showError(QWidget *parent, const QString &message)
{
    Request request;
    request.icon = QMessageBox::Critical;
    request.title = QApplication::applicationDisplayName();
    request.text = message;
    ask(parent, request);
}

} // namespace dialogs
