// The terminator map's simple solar formulas and its simulation clock.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "astro/theories/sun.h"
#include "astro/reports/terminator.h"
#include "astro/time/timebase.h"

namespace noctaris {
namespace {

TEST(TerminatorFormulas, SummerSolsticeWorkedExample) {
    const TerminatorSun sun = MakeTerminatorSun(172, 12, 0);
    EXPECT_NEAR(sun.Declination, 23.44, 0.001);
    EXPECT_NEAR(sun.EquationOfTime, -1.357, 0.001);
    EXPECT_NEAR(TerminatorLatitude(sun, 0), -65.79, 0.02);
    EXPECT_NEAR(TerminatorLatitude(sun, 180), 65.79, 0.02);
}

TEST(TerminatorFormulas, DeclinationFollowsTheAccurateSunWithinADegreeAndAHalf) {
    // The fit against the Sun of the VSOP87 theory, every fifth day of 2026 at 12:00 UT
    // (clock hour 13 of the map's zone).
    double worst = 0;
    for (int n = 1; n <= 365; n += 5) {
        const TDateTime t = EncodeDate(2026, 1, 1) + (n - 1) + 0.5;
        const Instant ut = Instant::FromUT(DateTimeToJD(t));
        const double accurate = static_cast<double>(SunPosition(ut).Declination);
        worst = std::max(worst, std::abs(TerminatorDeclination(n, 13) - accurate));
    }
    EXPECT_LT(worst, 1.5);
    // The solstices and the equinoxes of the formula itself.
    EXPECT_NEAR(TerminatorDeclination(355, 12), -23.44, 0.01);
    EXPECT_NEAR(TerminatorDeclination(81, 0), 0.0, 1e-9);
}

TEST(TerminatorFormulas, BoundaryStaysFiniteAtAZeroDeclination) {
    TerminatorSun sun;
    sun.Hour = 13;
    sun.EquationOfTime = 0;
    sun.Declination = 0;  // exactly: 0/0 where the hour angle is ±90°
    for (int lambda = -181; lambda <= 183; ++lambda) {
        const double phi = TerminatorLatitude(sun, lambda);
        ASSERT_TRUE(std::isfinite(phi)) << lambda;
        EXPECT_LE(std::abs(phi), 90.0);
    }
    // Day between the two meridians 90° from the Sun, night beyond: the curve runs at the south
    // pole on the day side and the north pole on the night side.
    EXPECT_NEAR(TerminatorLatitude(sun, 0), -90, 1e-6);
    EXPECT_NEAR(TerminatorLatitude(sun, 180), 90, 1e-6);
    EXPECT_NEAR(TerminatorLatitude(sun, 90), 0, 0.01);  // cos 90° is not quite 0
    // The formula's own equinox (N = 81, h = 0) gives a rounding-size declination.
    const TerminatorSun eq = MakeTerminatorSun(81, 0, 0);
    for (int lambda = -181; lambda <= 183; ++lambda)
        ASSERT_TRUE(std::isfinite(TerminatorLatitude(eq, lambda))) << lambda;
}

TEST(TerminatorFormulas, PolarDayAndNightAtTheSolstices) {
    // June: the boundary never goes beyond 90° − δ; north of it at the night side's meridian is
    // the midnight sun, south of it at the Sun's meridian the polar night.
    for (const int n : {172, 355}) {
        const TerminatorSun sun = MakeTerminatorSun(n, 13, 0);
        const double limit = 90 - std::abs(sun.Declination);
        double lo = 90, hi = -90;
        for (int lambda = -180; lambda <= 180; ++lambda) {
            const double phi = TerminatorLatitude(sun, lambda);
            lo = std::min(lo, phi);
            hi = std::max(hi, phi);
        }
        EXPECT_NEAR(lo, -limit, 0.05) << n;
        EXPECT_NEAR(hi, limit, 0.05) << n;
        // Near the Sun's own meridian the boundary lies in the winter hemisphere.
        const double atSun = TerminatorLatitude(sun, 0);
        if (n == 172)
            EXPECT_LT(atSun, -60);
        else
            EXPECT_GT(atSun, 60);
    }
}

TEST(TerminatorFormulas, SubSolarLongitudeFromTheClock) {
    // The map's clock is that of 15° east: at 13:00 the mean Sun stands over Greenwich.
    EXPECT_DOUBLE_EQ(TerminatorSubSolarS(13, 0), 0);
    EXPECT_DOUBLE_EQ(-TerminatorSubSolarS(12, 0), 15);
    EXPECT_DOUBLE_EQ(-TerminatorSubSolarS(11, 0), 30);  // 12:00 with summer time taken off
    EXPECT_DOUBLE_EQ(-TerminatorSubSolarS(12, 30), 7.5);
    // Across the date line: one turn brings the longitude back into −180..180.
    EXPECT_DOUBLE_EQ(-TerminatorSubSolarS(0, 0), -165);
    EXPECT_DOUBLE_EQ(-TerminatorSubSolarS(23, 30), -157.5);
    EXPECT_DOUBLE_EQ(-TerminatorSubSolarS(1, 0), 180);
    EXPECT_DOUBLE_EQ(-TerminatorSubSolarS(1, 2), 179.5);
    EXPECT_DOUBLE_EQ(-TerminatorSubSolarS(0, 58), -179.5);
    // At noon of the apparent Sun, the boundary is symmetric about the sub-solar meridian.
    const TerminatorSun sun = MakeTerminatorSun(100, 9, 0);
    const double lon = -TerminatorSubSolarS(9, 0) - sun.EquationOfTime / 4;
    EXPECT_NEAR(TerminatorLatitude(sun, lon + 40), TerminatorLatitude(sun, lon - 40), 1e-9);
}

TerminatorClock Clock(std::int64_t d, std::int64_t m, std::int64_t h, std::int64_t min) {
    TerminatorClock c;
    c.Day = d, c.Month = m, c.Hour = h, c.Minute = min;
    return c;
}

void ExpectClock(const TerminatorClock& c, std::int64_t d, std::int64_t m, std::int64_t h,
                 std::int64_t min) {
    EXPECT_EQ(c.Day, d);
    EXPECT_EQ(c.Month, m);
    EXPECT_EQ(c.Hour, h);
    EXPECT_EQ(c.Minute, min);
}

TEST(TerminatorSimulation, MinutesCarryIntoHoursDaysMonthsAndTheYear) {
    TerminatorClock c = Clock(5, 3, 10, 57);
    TerminatorStep(c, true, 2026);
    ExpectClock(c, 5, 3, 10, 59);
    TerminatorStep(c, true, 2026);
    ExpectClock(c, 5, 3, 11, 1);

    c = Clock(7, 12, 23, 58);
    TerminatorStep(c, true, 2026);
    ExpectClock(c, 8, 12, 0, 0);

    c = Clock(31, 12, 23, 58);
    TerminatorStep(c, true, 2026);
    ExpectClock(c, 1, 1, 0, 0);

    c = Clock(30, 4, 23, 59);
    TerminatorStep(c, true, 2026);
    ExpectClock(c, 1, 5, 0, 1);
}

TEST(TerminatorSimulation, DaysFollowTheMonthLengthsOfTheCurrentYear) {
    TerminatorClock c = Clock(28, 2, 12, 0);
    TerminatorStep(c, false, 2026);
    ExpectClock(c, 1, 3, 12, 0);
    c = Clock(28, 2, 12, 0);
    TerminatorStep(c, false, 2024);
    ExpectClock(c, 29, 2, 12, 0);
    TerminatorStep(c, false, 2024);
    ExpectClock(c, 1, 3, 12, 0);
    c = Clock(31, 12, 8, 30);
    TerminatorStep(c, false, 2026);
    ExpectClock(c, 1, 1, 8, 30);
    for (const int month : {4, 6, 9, 11}) {
        c = Clock(30, month, 0, 0);
        TerminatorStep(c, false, 2026);
        ExpectClock(c, 1, month + 1, 0, 0);
    }
}

TEST(TerminatorSimulation, DayZeroAndMonthsOutOfRangeAreBroughtBack) {
    // A day that reads as 0 (non-numeric) becomes the last day of the previous month.
    TerminatorClock c = Clock(0, 3, 10, 0);
    TerminatorStep(c, true, 2024);
    ExpectClock(c, 29, 2, 10, 2);
    c = Clock(0, 3, 10, 0);
    NormaliseTerminatorDate(c, 2026);
    ExpectClock(c, 28, 2, 10, 0);
    c = Clock(0, 1, 10, 0);
    NormaliseTerminatorDate(c, 2026);
    ExpectClock(c, 31, 12, 10, 0);
    c = Clock(15, 0, 10, 0);
    NormaliseTerminatorDate(c, 2026);
    ExpectClock(c, 15, 12, 10, 0);
    c = Clock(15, 13, 10, 0);
    NormaliseTerminatorDate(c, 2026);
    ExpectClock(c, 15, 1, 10, 0);
    // A typed day far beyond the month wraps instead of counting up for ever.
    c = Clock(40, 5, 10, 0);
    TerminatorStep(c, false, 2026);
    ExpectClock(c, 1, 6, 10, 0);
    // An hour out of range is brought back at the next step; the largest typed values do not
    // overflow.
    c = Clock(3, 3, 30, 10);
    TerminatorStep(c, true, 2026);
    ExpectClock(c, 4, 3, 0, 12);
    const std::int64_t big = std::numeric_limits<int>::max();
    c = Clock(big, 5, big, big);
    TerminatorStep(c, true, 2026);
    EXPECT_EQ(c.Minute, big + 2 - 60);
    EXPECT_EQ(c.Hour, 0);
    ExpectClock(c, 1, 6, 0, big - 58);
}

}  // namespace
}  // namespace noctaris
