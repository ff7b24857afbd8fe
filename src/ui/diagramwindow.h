#pragma once

// The block-diagram window: one picture in a small tool window. Esc closes
// it, as it closes every dialog; no other key does anything.

#include <QDialog>
#include <QImage>

class PictureBox;

class DiagramWindow : public QDialog {
    Q_OBJECT
public:
    explicit DiagramWindow(QWidget *parent = nullptr);

    // The block diagram to show, labelled in the customer's language.
    void setDiagram(const QImage &diagram);

private:
    void placeOnScreen();

    PictureBox *m_diagram = nullptr;
};
