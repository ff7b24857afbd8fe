#include "diagramwindow.h"

#include "picturebox.h"

#include "controlnames.h"

#include <QGuiApplication>
#include <QScreen>

DiagramWindow::DiagramWindow(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QLatin1String(controlnames::DiagramWindow));
    setWindowTitle(QString());
    setFixedSize(525, 700);
    setModal(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    m_diagram = new PictureBox(this);
    m_diagram->setObjectName(QLatin1String(controlnames::Diagram));
    m_diagram->setGeometry(0, 0, 525, 700);
    placeOnScreen();
}

void DiagramWindow::placeOnScreen()
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

void DiagramWindow::setDiagram(const QImage &diagram)
{
    m_diagram->setPicture(diagram);
}
