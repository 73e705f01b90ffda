#pragma once

#include <QPixmap>
#include <QRect>
#include <QSize>

// The background pictures of the two message boxes, drawn at the window's size with
// the buttons exactly where the touch areas lie (all rectangles in pixels).
namespace message_art {

// A mid-blue panel with one white-outlined OK button and a grey line of help in it.
QPixmap alertPanel(QSize size, QRect okArea);

// A mid-blue panel with a grey band carrying ALERT upwards along the left edge,
// YES and NO buttons and a small X button at the top right.
QPixmap questionPanel(QSize size, QRect yesArea, QRect noArea, QRect exitArea);

}  // namespace message_art
