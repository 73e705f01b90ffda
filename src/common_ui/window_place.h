#pragma once

class QWidget;

// Puts a window in the middle of its owner window, or of the screen when it has none.
void centreWindow(QWidget* window, const QWidget* owner = nullptr);

// Brings the visible windows that a window owns (and theirs) in front of it, as owned
// windows stand in front of their owner also where no window manager keeps them so.
void raiseOwnedWindows(QWidget* owner);
