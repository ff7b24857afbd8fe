#include "linedgroupbox.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace {
constexpr int LineTop = 6;     // the frame's top line, below the caption's middle
constexpr int CaptionLeft = 8; // where the caption's room begins
constexpr int CaptionTop = -1; // the caption's room starts above the widget's top
constexpr QRgb LineColour = 0xa0a0a0;
} // namespace

LinedGroupBox::LinedGroupBox(QWidget *parent)
    : QGroupBox(parent)
{
}

QRect LinedGroupBox::captionRect() const
{
    // The room is the caption with one blank more, its text centred in it.
    const QFontMetrics metrics = fontMetrics();
    const int width = metrics.size(Qt::TextShowMnemonic, title() + QLatin1Char(' ')).width();
    return QRect(CaptionLeft, CaptionTop, width, metrics.height());
}

void LinedGroupBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QString caption = title();
    const QRect captionRoom = caption.isEmpty() ? QRect() : captionRect();

    painter.save();
    painter.setClipRegion(QRegion(rect()) - captionRoom.adjusted(-1, 0, 1, 0));
    painter.setPen(QColor(LineColour));
    if (isFlat())
        painter.drawLine(0, LineTop, width() - 1, LineTop);
    else
        painter.drawRect(0, LineTop, width() - 1, height() - LineTop - 1);
    painter.restore();

    if (caption.isEmpty())
        return;
    int alignment = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this))
        alignment |= Qt::TextHideMnemonic;
    style()->drawItemText(&painter, captionRoom, alignment, palette(), isEnabled(), caption, QPalette::WindowText);
}

void LinedGroupBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QGroupBox::changeEvent(event);
}
