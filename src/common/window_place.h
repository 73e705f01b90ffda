#pragma once

class QWidget;

// Puts a window in the middle of its owner window, or of the screen when it has none.
void centreWindow(QWidget* window, const QWidget* owner = nullptr);
