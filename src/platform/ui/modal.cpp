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

bool neverBlock = false;

}  // namespace

void showModal(QDialog* window)
{
    ResponderState& s = state();
    const QString name = window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className()) : window->objectName();
    if (!s.active) {
        if (!neverBlock) {
            window->exec();
            return;
        }
        qWarning("A modal window was shown with nobody to answer it: %s", qPrintable(name));
        s.unanswered << name;
        window->hide();
        return;
    }
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

void setNeverBlock(bool never) { neverBlock = never; }

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
