#pragma once

#include <QPixmap>
#include <QRect>
#include <QSize>

// The keyboard's picture at the window's size: dark grey, a dark band behind the
// description, a lighter band behind the text box, and raised grey keys where the
// touch areas lie (rectangles in pixels), characters in white and commands in pale
// green.
QPixmap keyboardPicture(QSize size, QRect descriptionArea, QRect textArea);
