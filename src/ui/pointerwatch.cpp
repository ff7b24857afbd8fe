#include "pointerwatch.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QWidget>

PointerWatch::PointerWatch(QWidget *pane)
    : QObject(pane)
    , m_pane(pane)
{
    for (QWidget *child : pane->findChildren<QWidget *>())
        child->setAttribute(Qt::WA_NoMousePropagation);
    watch(pane);
}

void PointerWatch::watch(QWidget *widget)
{
    // Without a button down, only a tracking control reports a movement to
    // its filters.
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    for (QWidget *child : widget->findChildren<QWidget *>()) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
}

bool PointerWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            watch(static_cast<QWidget *>(child));
        return false;
    }
    if (event->type() != QEvent::MouseMove || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    // A list's popup is a window of its own, and no part of the pane.
    if (widget != m_pane && !m_pane->isAncestorOf(widget))
        return false;
    QWidget *target = widget;
    while (!target->isWindow() && !target->isEnabled())
        target = target->parentWidget();
    const auto *move = static_cast<QMouseEvent *>(event);
    const QPoint pos =
        target == widget ? move->position().toPoint() : target->mapFromGlobal(move->globalPosition().toPoint());
    emit moved(target, pos);
    return false;
}
