#pragma once

// Tells which control of a pane the pointer moves over. It watches the
// pane's widgets, those added later included, and reports each movement
// once, for the enabled control directly under the pointer (a disabled
// control passes it to the nearest enabled one around it, up to the window).
// A movement over one of the pane's controls goes no further than that
// control. What the movement means is the pane's own business.

#include <QObject>
#include <QPoint>

class QWidget;

class PointerWatch : public QObject {
    Q_OBJECT
public:
    explicit PointerWatch(QWidget *pane);

signals:
    // `pos` is in `target`'s coordinates.
    void moved(QWidget *target, const QPoint &pos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *widget);

    QWidget *m_pane;
};
