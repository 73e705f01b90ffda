#include "common_ui/message_fit.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int kSmallestPoints = 9;

int roomOnScreen(const QWidget* box)
{
    const QScreen* screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
    return screen ? std::max(0, screen->availableGeometry().height() - box->height()) : 0;
}

}  // namespace

void fitMessage(QWidget* box, QLabel* message)
{
    const auto shortOf = [message] { return message->heightForWidth(message->width()) - message->height(); };
    const int room = roomOnScreen(box);
    QFont font = message->font();
    while (shortOf() > room && font.pointSize() > kSmallestPoints) {
        font.setPointSize(font.pointSize() - 1);
        message->setFont(font);
    }
    const int grow = std::clamp(shortOf(), 0, room);
    if (grow == 0) return;

    const int below = message->geometry().bottom();
    for (QWidget* w : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != message && w->y() > below) w->move(w->x(), w->y() + grow);
    message->resize(message->width(), message->height() + grow);
    box->resize(box->width(), box->height() + grow);
}
