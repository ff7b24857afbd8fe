#pragma once

// What the main window's panes share: the makers of a control at its
// designed place under its object name, and a text in both languages for
// the grid's module picker, whose name is still chosen by the language.

#include <QFrame>
#include <QLabel>
#include <QString>

namespace formparts {

struct Text {
    const char16_t *czech;
    const char16_t *english;
    QString in(bool czech) const { return QString::fromUtf16(czech ? this->czech : this->english); }
};

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
