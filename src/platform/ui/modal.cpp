#include "platform/ui/modal.h"

#include <QList>

namespace ui {
namespace {

struct ResponderState {
    bool active = false;
    QList<ModalResponder> queue;
    QStringList shown;
    QStringList unanswered;
};

ResponderState& state()
{
    static ResponderState s;
    return s;
}

}  // namespace

void showModal(QDialog* window)
{
    ResponderState& s = state();
    if (!s.active) {
        window->exec();
        return;
    }
    const QString name = window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                                        : window->objectName();
    s.shown << name;
    window->show();
    if (s.queue.isEmpty()) {
        s.unanswered << name;
    } else {
        ModalResponder responder = s.queue.takeFirst();
        responder(window);
    }
    if (window->isVisible()) window->hide();
}

ModalResponders::ModalResponders()
{
    state() = ResponderState();
    state().active = true;
}

ModalResponders::~ModalResponders() { state() = ResponderState(); }

void ModalResponders::add(ModalResponder responder) { state().queue << std::move(responder); }
int ModalResponders::pending() const { return state().queue.size(); }
const QStringList& ModalResponders::shown() const { return state().shown; }
const QStringList& ModalResponders::unanswered() const { return state().unanswered; }

}  // namespace ui
