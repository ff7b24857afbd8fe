#pragma once

// A panel framed by two bevels, one pixel each: a lowered outer edge and a
// raised inner edge, drawn in the palette's shadow and light colours.

#include <QFrame>

class BevelPanel : public QFrame {
    Q_OBJECT
public:
    explicit BevelPanel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *) override;
};
