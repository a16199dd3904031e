#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/moonseries.h"
#include "astro/sunmoon_reports.h"
#include "astro/timebase.h"

using namespace noctaris;

namespace {

constexpr double kChemnitzLat = 50.836667, kChemnitzLon = 12.854444;

}  // namespace

TEST(ReportTime, MidnightJulianDayFollowsTheCalendarReform) {
    EXPECT_DOUBLE_EQ(ReportMidnightJD(2000, 1, 1, 0), 2451544.5);
    EXPECT_DOUBLE_EQ(ReportMidnightJD(1582, 10, 15, 0), 2299160.5);       // Gregorian branch
    EXPECT_DOUBLE_EQ(ReportMidnightJD(1582, 10, 4, 0), 2299159.5);        // Julian branch
    EXPECT_DOUBLE_EQ(ReportMidnightJD(1500, 3, 1, 0), static_cast<double>(JulianCalendarToJD(1500, 3, 1)));
    EXPECT_DOUBLE_EQ(ReportMidnightJD(2026, 12, 7, 1), 2461381.5 - 1.0 / 24);
    EXPECT_DOUBLE_EQ(ReportMidnightJD(2024, 2, 29, -5), 2460369.5 + 5.0 / 24);
}

TEST(ReportTime, SiderealTimeStaysInADay) {
    // Greenwich, J2000.0 at 0 h UT: 6.697374558 h.
    EXPECT_NEAR(ReportSiderealTime(2451545, 0, 0), 6.697374558, 1e-9);
    // Wrapped from below and from above.
    EXPECT_NEAR(ReportSiderealTime(2451545, 0, -180), 6.697374558 - 12 + 24, 1e-9);
    EXPECT_NEAR(ReportSiderealTime(2451545, 20, 0), 6.697374558 + 20.05475818 - 24, 1e-9);
    for (double jd : {2299160.5, 2451545.0, 2461381.4583, 5373484.5}) {
        const double s = ReportSiderealTime(jd, 13.25, 170);
        EXPECT_GE(s, 0);
        EXPECT_LE(s, 24);
    }
    EXPECT_EQ(ReportSiderealTime(std::numeric_limits<double>::quiet_NaN(), 0, 0), 0);
    EXPECT_DOUBLE_EQ(ReportDeltaT(2382148), -15);
    EXPECT_DOUBLE_EQ(DayFraction(-0.25), 0.75);
    EXPECT_DOUBLE_EQ(DayFraction(46363.5), 0.5);
}

TEST(MoonReport, AgeIsTakenFromTheEarlierLunationWhenTheSelectedNewMoonLiesAhead) {
    // 2026-12-07 21:30 CET: the lunation selected with month - 2 starts on 9 December, so the
    // age counts from the new moon of 9 November.
    const double j0 = ReportMidnightJD(2026, 12, 7, 1);
    const double t = 21.5 / 24;
    const double dec9 = MoonPhaseInstant(7, 10, 2026, 0);
    const double nov9 = MoonPhaseInstant(7, 9, 2026, 0);
    ASSERT_GT(dec9, j0 + t);
    const double age = MoonReportAge(7, 12, 2026, 1, j0, t);
    EXPECT_DOUBLE_EQ(age, j0 + t - nov9 + 1.0 / 24);
    const AgeParts parts = SplitMoonAge(age);
    EXPECT_EQ(parts.days, 28);
    EXPECT_EQ(parts.hours, 14);
    EXPECT_NEAR(parts.minutes, 26, 1);

    // Ten days later the selected new moon lies behind: its own lunation counts.
    const double j1 = ReportMidnightJD(2026, 12, 17, 1);
    EXPECT_DOUBLE_EQ(MoonReportAge(17, 12, 2026, 1, j1, 0.5),
                     j1 + 0.5 - MoonPhaseInstant(17, 10, 2026, 0) + 1.0 / 24);
}

TEST(MoonReport, AgeStaysWithinOneLunationOverTheYears) {
    for (int year : {1970, 1999, 2026}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 28; day += 3) {
                const double age =
                    MoonReportAge(day, month, year, 1, ReportMidnightJD(year, month, day, 1), 0.5);
                EXPECT_GE(age, 0) << year << '-' << month << '-' << day;
                EXPECT_LT(age, 29.9) << year << '-' << month << '-' << day;
            }
        }
    }
    EXPECT_EQ(SplitMoonAge(std::numeric_limits<double>::infinity()).days, 0);
}

TEST(MoonReport, ApparentDiameterSplitsIntoArcminutesAndSeconds) {
    const MoonDiameterParts d = MoonApparentDiameter(384400);
    EXPECT_NEAR(d.arcseconds, 1865.1, 0.05);
    EXPECT_NEAR(d.degrees, 0.5181, 1e-4);
    EXPECT_EQ(d.arcminutes, 31);
    EXPECT_NEAR(d.remainderSeconds, 5.1, 0.05);
    EXPECT_EQ(MoonApparentDiameter(0).arcminutes, 0);  // no division by zero
}

TEST(MoonReport, RiseCulminationAndSetInChemnitz) {
    // 2026-12-07, a waning crescent a day before new moon: up before the Sun, down by mid-afternoon.
    const double jd0 = ReportMidnightJD(2026, 12, 7, 1) + 1.0 / 24;
    double ra, dec, k, lambda, perigee, node, distance;
    MoonPositionFull(jd0 + 20.5 / 24 - 1.0 / 24, ra, dec, k, lambda, perigee, node, distance);
    const MoonRiseSet e = MoonRiseTransitSet(jd0, kChemnitzLat, kChemnitzLon, distance);
    ASSERT_TRUE(e.occurs);
    EXPECT_NEAR(e.rise * 24, 5.7, 0.05);
    EXPECT_NEAR(e.transit * 24, 9.63, 0.05);
    EXPECT_NEAR(e.set * 24, 13.43, 0.05);
}

TEST(MoonReport, NoRiseOrSetNearThePoleOrAtIt) {
    // The Moon stands far south that day: at 80° north it stays below the horizon.
    const double jd0 = ReportMidnightJD(2026, 12, 7, 0);
    EXPECT_FALSE(MoonRiseTransitSet(jd0, 80, 0, 400000).occurs);
    EXPECT_FALSE(MoonRiseTransitSet(jd0, 90, 0, 400000).occurs);
    EXPECT_FALSE(MoonRiseTransitSet(jd0, -90, 0, 400000).occurs);
}

TEST(MoonReport, FarEasternPlacesGetTimesWithinTheDay) {
    // East of about 170° the first estimates can lie more than a whole day below zero; they are
    // brought into the day before the correction, so rising and setting stay near 0..1. The
    // culmination keeps its unreduced hour angle and may come out a day early: its time of day
    // still lies midway between rising and setting.
    for (int day = 1; day <= 28; ++day) {
        const double jd0 = ReportMidnightJD(2026, 3, day, 12) + 0.5;
        const MoonRiseSet e = MoonRiseTransitSet(jd0, -41.29, 174.78, 385000);
        ASSERT_TRUE(e.occurs);
        for (double m : {e.rise, e.set}) {
            EXPECT_GT(m, -0.1) << day;
            EXPECT_LT(m, 1.2) << day;
        }
        const double up = DayFraction(e.set - e.rise);
        const double gap = DayFraction(e.transit - (e.rise + up / 2) + 0.5) - 0.5;
        EXPECT_NEAR(gap, 0, 0.03) << day;
    }
}

TEST(SunReport, DayNumberCountsTheLeapDay) {
    EXPECT_EQ(DayNumber(1, 1, 2026), 1);
    EXPECT_EQ(DayNumber(1, 3, 2026), 60);
    EXPECT_EQ(DayNumber(1, 3, 2024), 61);
    EXPECT_EQ(DayNumber(31, 12, 2024), 366);
    EXPECT_EQ(DayNumber(31, 12, 2100), 365);
    EXPECT_EQ(DayNumber(31, 12, 2000), 366);
    EXPECT_EQ(DayNumber(7, 12, 2026), 341);
}

TEST(SunReport, EquationOfTimeRoundedToHundredths) {
    EXPECT_DOUBLE_EQ(EquationOfTime(1), -2.90);
    EXPECT_DOUBLE_EQ(EquationOfTime(32), -12.97);
    EXPECT_DOUBLE_EQ(EquationOfTime(100), -1.22);
    EXPECT_GT(EquationOfTime(307), 15);  // the early November maximum
}

TEST(SunReport, ZodiacConstellationByRightAscension) {
    EXPECT_EQ(ZodiacConstellation(0), "Pisces");
    EXPECT_EQ(ZodiacConstellation(1.78), "Pisces");
    EXPECT_EQ(ZodiacConstellation(1.783333), "Aries");  // lower bounds are inclusive
    EXPECT_EQ(ZodiacConstellation(3.35), "Taurus");
    EXPECT_EQ(ZodiacConstellation(16.0), "Scorpio");
    EXPECT_EQ(ZodiacConstellation(17.02), "Ophiuchus");
    EXPECT_EQ(ZodiacConstellation(23.416666), "Aquarius");
    EXPECT_EQ(ZodiacConstellation(23.416667), "Pisces");
    EXPECT_EQ(ZodiacConstellation(24), "Pisces");
    EXPECT_EQ(ZodiacConstellation(-1), "Pisces");
    EXPECT_EQ(ZodiacConstellation(std::numeric_limits<double>::quiet_NaN()), "Pisces");
}

TEST(SunReport, SiderealHoursAndMinutesNearAFullHour) {
    EXPECT_EQ(SiderealHourMinute(2.4333).hours, 2);
    EXPECT_EQ(SiderealHourMinute(2.4333).minutes, 26);
    EXPECT_EQ(SiderealHourMinute(5.9995).hours, 6);
    EXPECT_EQ(SiderealHourMinute(5.9995).minutes, 0);
    EXPECT_EQ(SiderealHourMinute(23.99).hours, 24);
    EXPECT_EQ(SiderealHourMinute(23.99).minutes, -1);
    EXPECT_EQ(SiderealHourMinute(std::numeric_limits<double>::infinity()).hours, 0);
}
