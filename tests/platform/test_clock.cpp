// The millisecond clock, its 32-bit view and waiting on an injected clock.
#include "platform/clock.h"
#include "platform/numbers.h"

#include <QDateTime>
#include <cmath>
#include <gtest/gtest.h>

using namespace plat;

TEST(Clock, RealClockIsMonotonicAndNotZero) {
    const std::int64_t a = msClock();
    const std::int64_t b = msClock();
    EXPECT_GT(a, 0);
    EXPECT_GE(b, a);
}

TEST(Clock, TimeGetTimeWrapsAndDifferencesSurvive) {
    std::int64_t now = (std::int64_t{1} << 32) - 5;
    ScopedClockSource source([&] { return now; });
    const std::uint32_t start = timeGetTime();
    EXPECT_EQ(start, 0xFFFFFFFBu);
    now += 10;
    const std::uint32_t later = timeGetTime();
    EXPECT_EQ(later, 5u);
    EXPECT_EQ(ticksBetween(start, later), 10u);
    EXPECT_EQ(msClock(), (std::int64_t{1} << 32) + 5);
}

TEST(Clock, WaitRunsUntilTheInjectedClockHasAdvanced) {
    std::int64_t now = 1000;
    int reads = 0;
    ScopedClockSource source([&] {
        ++reads;
        return now++;
    });
    waitMs(25);
    EXPECT_GE(now, 1025);
    EXPECT_LE(now, 1027);

    reads = 0;
    waitMs(0);
    waitMs(-5);
    EXPECT_EQ(reads, 0);
}

TEST(Clock, WaitAcrossTheWrapOfTheLow32Bits) {
    std::int64_t now = (std::int64_t{1} << 32) - 3;
    ScopedClockSource source([&] { return now++; });
    waitMs(10);
    EXPECT_GE(now, (std::int64_t{1} << 32) + 7);
}

TEST(Clock, RealClockRestoredAfterTheTestSource) {
    {
        ScopedClockSource source([] { return std::int64_t{42}; });
        EXPECT_EQ(msClock(), 42);
    }
    EXPECT_NE(msClock(), 42);
}

TEST(Clock, NowIsTodaysDateValue) {
    const QDateTime wall = QDateTime::currentDateTime();
    const double v = now();
    EXPECT_GE(v, toDateValue(wall));
    EXPECT_LT(v - toDateValue(wall), 1.0 / 24);
    EXPECT_EQ(fromDateValue(toDateValue(wall)).toSecsSinceEpoch(), wall.toSecsSinceEpoch() + (wall.time().msec() >= 500));
}
