#pragma once

#include <QColor>
#include <QList>
#include <QPainter>
#include <QSize>
#include <QString>
#include <functional>

// One picture file the station loads: its name, its size in pixels, and how it is
// drawn on a canvas of that size.
struct Picture {
    QString name;
    QSize size;
    std::function<void(QPainter&, QSize)> draw;
    QString use;
};

// Every picture of the station, in groups.
QList<Picture> loginAndHeaderPictures();
QList<Picture> rackScreenPictures();
QList<Picture> bathPictures();
QList<Picture> counterDialogPictures();
QList<Picture> searchDialogPictures();

QList<Picture> allPictures();
