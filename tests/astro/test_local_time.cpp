// A place's local time: the summer-time rule and the clock readings of instants.
#include <gtest/gtest.h>

#include "astro/time/local_time.h"

namespace noctaris {
namespace {

const ZoneDescription kCentralEurope{1, SummerTimeRule::European, nullptr};

TEST(LocalTime, EuropeanSummerTimeFollowsThePublishedChanges) {
    struct Year {
        int year;
        CivilDate begin, end;
    };
    for (const Year& y : {Year{1981, {1981, 3, 29}, {1981, 9, 27}},
                          Year{1995, {1995, 3, 26}, {1995, 9, 24}},
                          Year{1996, {1996, 3, 31}, {1996, 10, 27}},
                          Year{2024, {2024, 3, 31}, {2024, 10, 27}},
                          Year{2026, {2026, 3, 29}, {2026, 10, 25}}}) {
        const auto changes = SummerTimeChangesOf(kCentralEurope, y.year);
        ASSERT_TRUE(changes) << y.year;
        EXPECT_EQ(changes->begin, y.begin) << y.year;
        EXPECT_EQ(changes->end, y.end) << y.year;
        // The spring change day is kept in summer time, the autumn one in standard time.
        CivilDate before = y.begin, last = y.end;
        --before.day;
        --last.day;
        EXPECT_FALSE(IsSummerTimeDay(kCentralEurope, before)) << y.year;
        EXPECT_TRUE(IsSummerTimeDay(kCentralEurope, y.begin)) << y.year;
        EXPECT_TRUE(IsSummerTimeDay(kCentralEurope, last)) << y.year;
        EXPECT_FALSE(IsSummerTimeDay(kCentralEurope, y.end)) << y.year;
        EXPECT_EQ(ClockOffsetHours(kCentralEurope, {y.year, 7, 1}), 2);
        EXPECT_EQ(ClockOffsetHours(kCentralEurope, {y.year, 12, 1}), 1);
    }
    EXPECT_FALSE(SummerTimeChangesOf(kCentralEurope, 1979));
    EXPECT_FALSE(IsSummerTimeDay(kCentralEurope, {1979, 7, 1}));
    EXPECT_FALSE(SummerTimeChangesOf({1, SummerTimeRule::None, nullptr}, 2024));
    EXPECT_FALSE(IsSummerTimeDay({1, SummerTimeRule::None, nullptr}, {2024, 7, 1}));
}

TEST(LocalTime, ClockReadingsAndInstants) {
    // 12:00 CEST on 1 July 2024 is 10:00 UT; 12:00 CET on 1 December is 11:00 UT.
    const Instant july = InstantFromLocal({{2024, 7, 1}, {12, 0, 0}}, kCentralEurope);
    EXPECT_EQ(july.ut(), 2460492.5L + 10.0L / 24);
    const Instant december = InstantFromLocal({{2024, 12, 1}, {12, 0, 0}}, kCentralEurope);
    EXPECT_EQ(december.ut(), 2460645.5L + 11.0L / 24);
    for (const Instant& t : {july, december, july.PlusDays(0.4), december.PlusDays(-0.3)}) {
        const auto local = LocalFromInstant(t, kCentralEurope);
        ASSERT_TRUE(local);
        EXPECT_NEAR(static_cast<double>(InstantFromLocal(*local, kCentralEurope).ut() - t.ut()),
                    0, 0.6 / 86400);
    }
    EXPECT_FALSE(LocalFromInstant(Instant::FromUT(-1), kCentralEurope));
}

}  // namespace
}  // namespace noctaris
