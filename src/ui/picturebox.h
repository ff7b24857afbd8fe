#pragma once

// Shows one picture centred in its area, shrunk proportionally only when
// larger than the area. Holds a bitmap that can be painted white.

#include <QImage>
#include <QWidget>

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    // Paints the held bitmap white; with none yet, first makes one of the
    // area's size.
    void clearToWhite();
    // Whether to draw the picture's transparent parts as transparent.
    void setTransparent(bool on);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    QImage m_picture;
    bool m_white = false; // the held bitmap is all white
};
