#pragma once

#include <QObject>

namespace shell {

// The technician's wish to lock the station. The header bar announces it (padlock
// or name touched); the login screen connects to it and goes back to its splash,
// so the header bar does not depend on the login screen.
class LockRequest : public QObject {
    Q_OBJECT
public:
    // The one announcer of the program.
    static LockRequest& instance();
    void announce() { emit requested(); }

signals:
    void requested();
};

}  // namespace shell
