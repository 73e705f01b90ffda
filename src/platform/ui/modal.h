#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

// Every modal window of the station is shown through showModal. In the program it
// runs the window's own loop until the window hides. A test installs responders
// instead: each modal showing hands the real, visible window to the next
// responder, which taps its controls; the showing ends when the responder is done.
namespace ui {

void showModal(QDialog* window);

// Test programs switch this on: a modal showing that no responder answers is then
// closed at once with a warning naming the window, instead of waiting for a touch
// that never comes.
void setNeverBlock(bool never);

using ModalResponder = std::function<void(QDialog* window)>;

// While one of these lives, modal showings go to its responders in order. A
// showing with no responder left is recorded in unanswered() and closed at once.
class ModalResponders {
public:
    ModalResponders();
    ~ModalResponders();
    ModalResponders(const ModalResponders&) = delete;
    ModalResponders& operator=(const ModalResponders&) = delete;

    void add(ModalResponder responder);
    int pending() const;
    // Object names of the windows shown, in order, and of those nobody answered.
    const QStringList& shown() const;
    const QStringList& unanswered() const;
};

}  // namespace ui
