#include "imageform.h"

#include "picturebox.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

TImageForm::TImageForm(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("ImageForm"));
    setWindowTitle(QString());
    setFixedSize(525, 700);
    setModal(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    Image1 = new PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 525, 700);
    FormCreate();
}

void TImageForm::FormCreate()
{
    // Centred horizontally; vertically only on screens wider than 1024.
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize area = screen->size();
    const int left = area.width() / 2 - width() / 2;
    const int top = area.width() > 1024 ? area.height() / 2 - height() / 2 : 0;
    move(left, top);
}

void TImageForm::FormKeyPress(int key)
{
    if (key == Qt::Key_Escape)
        reject();
}

void TImageForm::keyPressEvent(QKeyEvent *event)
{
    FormKeyPress(event->key());
    event->accept();
}
