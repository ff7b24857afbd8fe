#pragma once

// What the main window's panes share: the makers of a control at its
// designed place under its object name, and the bold of the control the
// pointer is on.

#include <QFrame>
#include <QLabel>
#include <QString>

namespace formparts {

template <typename W> W *make(QWidget *parent, const char *name, int x, int y, int w, int h)
{
    auto *widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

inline QLabel *makeLabel(QWidget *parent, const char *name, int x, int y, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

inline void setBold(QWidget *control, bool bold)
{
    if (control->font().bold() == bold)
        return;
    QFont font = control->font();
    font.setBold(bold);
    control->setFont(font);
}

} // namespace formparts
