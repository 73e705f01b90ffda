#include "common_ui/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreWindow(QWidget* window, const QWidget* owner)
{
    QRect area;
    if (owner && owner->isVisible()) {
        area = owner->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->geometry();
    } else {
        return;
    }
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

void raiseOwnedWindows(QWidget* owner)
{
    for (QWidget* w : owner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isWindow() || !w->isVisible()) continue;
        w->raise();
        raiseOwnedWindows(w);
    }
}
