#pragma once

// A group box drawn as a thin grey line around its contents, or along its
// top alone when flat, with the caption set on the top line near its left
// end. It paints itself, so the form needs no style sheet, whose machinery
// would be set up at every start for four frames. A pane built on it
// retranslates its own texts.

#include <QGroupBox>

class LinedGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit LinedGroupBox(QWidget *parent = nullptr);

    // A pane's own texts in the language of the installed catalogue; run
    // again on every QEvent::LanguageChange. The plain box has none.
    virtual void retranslate() { }

protected:
    void paintEvent(QPaintEvent *) override;
    void changeEvent(QEvent *event) override;

private:
    // Where the caption's text is centred; the line leaves a gap of one
    // pixel more on each side.
    QRect captionRect() const;
};
