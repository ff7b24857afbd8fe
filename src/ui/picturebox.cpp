#include "picturebox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_white = false;
    update();
}

void PictureBox::clearToWhite()
{
    // The bare window clears at every pointer movement: once is enough.
    if (m_white)
        return;
    if (m_picture.isNull())
        m_picture = QImage(size(), QImage::Format_RGB32);
    m_picture.fill(Qt::white);
    m_white = true;
    update();
}

void PictureBox::setTransparent(bool on)
{
    setAttribute(Qt::WA_TranslucentBackground, on);
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    // A picture at twice its size (device pixel ratio 2) takes the place of
    // the one at its size.
    const QSize natural = m_picture.deviceIndependentSize().toSize();
    QSize shown = natural;
    if (shown.width() > width() || shown.height() > height())
        shown.scale(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    // Pixels one to one need no smoothing; a picture at twice its size on a
    // screen of 1.25 or 1.5 does.
    painter.setRenderHint(
        QPainter::SmoothPixmapTransform, shown != natural || m_picture.devicePixelRatio() != devicePixelRatioF());
    painter.drawImage(target, m_picture);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
