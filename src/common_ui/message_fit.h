#pragma once

class QLabel;
class QWidget;

// A message box made to hold its whole message: the message label grows downwards by
// what its wrapped text needs, and the box and the touch areas below the label grow
// and move with it. A box that would no longer fit on the screen grows only as far
// as the screen allows; its text gets smaller instead, down to 9 points.
// Call after the label's font and caption are set, before the box's picture is drawn.
void fitMessage(QWidget* box, QLabel* message);
