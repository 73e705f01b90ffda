#include "platform/clock/clock.h"

namespace stationClock {
namespace {

QDateTime& fixedTime()
{
    static QDateTime t;
    return t;
}

}  // namespace

QDateTime now() { return fixedTime().isValid() ? fixedTime() : QDateTime::currentDateTime(); }

void setClock(const QDateTime& fixed) { fixedTime() = fixed; }

void advanceClock(qint64 seconds)
{
    if (!fixedTime().isValid()) fixedTime() = QDateTime::currentDateTime();
    fixedTime() = fixedTime().addSecs(seconds);
}

void useSystemClock() { fixedTime() = QDateTime(); }

}  // namespace stationClock
