#pragma once

// A caption-less button that shows one picture divided into a number of
// equal state images (its glyph count): with one image the whole picture
// is centred on the button; with several, the first is the normal image,
// the second the disabled and the third the pressed one.

#include <QAbstractButton>
#include <QImage>

class GlyphButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit GlyphButton(QWidget *parent = nullptr);

    void setGlyph(const QImage &picture);
    const QImage &glyph() const { return m_glyph; }
    int numGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int count);

    // The part of the glyph picture that the button shows in its state (with
    // the picture's device pixel ratio).
    QImage shownImage() const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QImage m_glyph;
    int m_numGlyphs = 1;
};
