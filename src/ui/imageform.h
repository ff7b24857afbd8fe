#pragma once

// The block-diagram window: one picture in a small tool window.

#include <QDialog>

class PictureBox;

class TImageForm : public QDialog {
    Q_OBJECT
public:
    explicit TImageForm(QWidget *parent = nullptr);

    PictureBox *Image1 = nullptr;

    void FormCreate();
    void FormKeyPress(int key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
