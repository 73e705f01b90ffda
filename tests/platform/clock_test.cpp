#include "platform/clock/clock.h"

#include <gtest/gtest.h>

namespace {

TEST(ClockTest, FixedClockMovesOnlyWhenAdvanced)
{
    const QDateTime t(QDate(2026, 12, 7), QTime(8, 0));
    stationClock::setClock(t);
    EXPECT_EQ(stationClock::now(), t);
    stationClock::advanceClock(299);
    EXPECT_EQ(stationClock::now(), t.addSecs(299));
    stationClock::useSystemClock();
    EXPECT_GT(stationClock::now(), t.addYears(-10));
}

}  // namespace
