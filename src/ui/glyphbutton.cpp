#include "glyphbutton.h"

#include <QPainter>
#include <QStyleOptionButton>

GlyphButton::GlyphButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void GlyphButton::setGlyph(const QImage &picture)
{
    m_glyph = picture;
    update();
}

void GlyphButton::setNumGlyphs(int count)
{
    m_numGlyphs = qBound(1, count, 4);
    update();
}

QImage GlyphButton::shownImage() const
{
    if (m_glyph.isNull() || m_numGlyphs == 1)
        return m_glyph;
    const int width = m_glyph.width() / m_numGlyphs;
    int index = 0;
    if (!isEnabled() && m_numGlyphs > 1)
        index = 1;
    else if (isDown() && m_numGlyphs > 2)
        index = 2;
    return m_glyph.copy(index * width, 0, width, m_glyph.height());
}

void GlyphButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);

    const QImage image = shownImage();
    if (image.isNull())
        return;
    // Centred; a picture wider than the button shows only its middle.
    // A glyph at twice its size (device pixel ratio 2) takes its place.
    const QSize size = image.deviceIndependentSize().toSize();
    QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    if (isDown())
        target.translate(1, 1);
    painter.setClipRect(rect().adjusted(2, 2, -2, -2));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, image.devicePixelRatio() != devicePixelRatioF());
    painter.drawImage(target, image);
}
