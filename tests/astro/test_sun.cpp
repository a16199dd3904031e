// Nutation, sidereal time, the Sun's place and rise/transit/set.
#include <gtest/gtest.h>

#include <array>

#include <cmath>
#include <optional>
#include <utility>

#include "astro/core/constants.h"
#include "astro/coords/nutation.h"
#include "astro/events/sun_rise_set.h"
#include "astro/theories/sun.h"
#include "astro/time/sidereal.h"

namespace noctaris {
namespace {

double D(long double x) { return static_cast<double>(x); }

// A TDateTime of dynamical time.
Instant TT(TDateTime t) { return Instant::FromTT(DateTimeToJD(t)); }

// Altitude of the Sun (degrees) at a universal time for a place (east longitude positive).
double SunAltitude(TDateTime ut, double eastLongitude, double latitude) {
    const BodyPosition s = SunPosition(Instant::FromUT(DateTimeToJD(ut)));
    const long double H =
        ApparentSiderealTimeDeg(Instant::FromUT(DateTimeToJD(ut))) + eastLongitude - s.RightAscension;
    return D(ArcSinD(SinD(latitude) * SinD(s.Declination) +
                     CosD(latitude) * CosD(s.Declination) * CosD(H)));
}

TEST(Nutation, Of1987April10) {
    const Instant t = Instant::FromUT(DateTimeToJD(31877));
    const NutationAngles n = Nutation(JulianCenturies(t.ut()));
    EXPECT_NEAR(D(n.longitude * 3600), -3.791, 5e-4);
    EXPECT_NEAR(D(n.obliquity * 3600), 9.442, 5e-4);
    EXPECT_NEAR(D(n.trueObliquity), 23.4435692, 5e-8);
    // Sidereal time at 0 h UT: mean 13h10m46.3668s, apparent 13h10m46.1351s.
    EXPECT_NEAR(D(MeanSiderealTimeDeg(t)), 197.693195, 5e-7);
    EXPECT_NEAR(D(ApparentSiderealTimeDeg(t)), 197.692229, 5e-7);
}

TEST(EquationOfTime, YearlyExtremes) {
    // About -14.2 min in mid February, +16.4 min early in November, near 0 mid April.
    EXPECT_NEAR(EquationOfTimeMinutes(42.5), -14.2, 0.6);
    EXPECT_NEAR(EquationOfTimeMinutes(307.5), 16.4, 0.6);
    EXPECT_NEAR(EquationOfTimeMinutes(105.5), 0.0, 0.6);
}

TEST(SunPosition, Of1992October13) {
    const BodyPosition s = SunPosition(TT(33890));
    EXPECT_NEAR(D(s.Lambda), 199.905961, 5e-7);
    EXPECT_NEAR(D(s.Beta), 0.000194, 5e-7);
    EXPECT_NEAR(D(s.Distance) / kKmPerAU, 0.9976085, 5e-8);
    EXPECT_NEAR(D(s.RightAscension), -161.621907, 5e-7);  // 13h13m30.7s
    EXPECT_NEAR(D(s.Declination), -7.783813, 5e-7);
    EXPECT_NEAR(D(SunDistanceAU(TT(33890))), 0.9976085, 5e-8);
    EXPECT_NEAR(D(SunDiameter(TT(33890))), 1923.86, 5e-3);
}

TEST(SunPosition, RightAscensionStaysWithinHalfATurn) {
    // Through a year the right ascension runs through -180..180 and the distance through
    // perihelion and aphelion.
    for (int day = 0; day < 366; day += 5) {
        const BodyPosition s = SunPosition(TT(EncodeDate(2012, 1, 1) + day));
        EXPECT_GE(s.RightAscension, -180);
        EXPECT_LE(s.RightAscension, 180);
        EXPECT_GE(s.Lambda, 0);
        EXPECT_LT(s.Lambda, 360);
        EXPECT_LT(std::fabs(D(s.Declination)), 23.45);
        EXPECT_GT(s.Distance, 147.0e6);
        EXPECT_LT(s.Distance, 152.2e6);
    }
}

TEST(Interpolate3, FollowsAParabolaAndCrossesTheSeam) {
    // y = 10 + 2n + n^2 at n = -1, 0, 1.
    EXPECT_NEAR(D(Interpolate3(0.5L, 13, 10, 9)), 11.25, 1e-15);
    EXPECT_NEAR(D(Interpolate3(-1, 13, 10, 9)), 9, 1e-15);
    // A right ascension just below 180 then just above -180.
    EXPECT_NEAR(D(Interpolate3(0.5L, -179.0L, 179.5L, 178.0L)), 180.25, 1e-12);
    EXPECT_NEAR(D(Interpolate3(0.5L, 178.0L, 179.5L, -179.0L)), 178.75, 1e-12);
    EXPECT_NEAR(D(Interpolate3(0.5L, -178.0L, 179.5L, 178.0L)), 180.625, 1e-12);
    // And across 0/360.
    EXPECT_NEAR(D(Interpolate3(1, 1.0L, 359.5L, 358.0L)), 361.0, 1e-12);
}

TEST(RiseTransitSet, SunIsOnTheHorizonAtRiseAndSet) {
    // Berlin (13.4 E, 52.5 N) around the year.
    for (int month = 1; month <= 12; ++month) {
        const TDateTime day = EncodeDate(2012, month, 15);
        const double rise = *SunRiseTransitSet(HorizonEvent::Rise, -13.4L, 52.5L, day);
        const double transit = *SunRiseTransitSet(HorizonEvent::Transit, -13.4L, 52.5L, day);
        const double set = *SunRiseTransitSet(HorizonEvent::Set, -13.4L, 52.5L, day);
        ASSERT_GT(rise, day) << month;
        EXPECT_LT(rise, transit) << month;
        EXPECT_LT(transit, set) << month;
        EXPECT_LT(set, day + 1) << month;
        EXPECT_NEAR(SunAltitude(rise, 13.4, 52.5), -0.8333, 0.02) << month;
        EXPECT_NEAR(SunAltitude(set, 13.4, 52.5), -0.8333, 0.02) << month;
        // Transit near 12:00 local mean time, equation of time within 17 minutes.
        EXPECT_NEAR((transit - day) * 24, 12 - 13.4 / 15, 0.3) << month;
    }
    // Midsummer: sunrise 02:43 UT, sunset 19:33 UT.
    const TDateTime june = EncodeDate(2012, 6, 21);
    const double rise = *SunRiseTransitSet(HorizonEvent::Rise, -13.4L, 52.5L, june);
    const double set = *SunRiseTransitSet(HorizonEvent::Set, -13.4L, 52.5L, june);
    EXPECT_NEAR((rise - june) * 1440, 2 * 60 + 43, 1.5);
    EXPECT_NEAR((set - june) * 1440, 19 * 60 + 33, 1.5);
}

TEST(RiseTransitSet, RightAscensionCrossingHalfATurnAtTheEquinox) {
    // Around 2012-09-22 the Sun's right ascension passes from +180 to -180.
    for (int day = 20; day <= 25; ++day) {
        const TDateTime d0 = EncodeDate(2012, 9, day);
        const double transit = *SunRiseTransitSet(HorizonEvent::Transit, 0, 0, d0);
        EXPECT_NEAR((transit - d0) * 24, 11.87, 0.1) << day;
        const double rise = *SunRiseTransitSet(HorizonEvent::Rise, 0, 0, d0);
        EXPECT_NEAR(SunAltitude(rise, 0, 0), -0.8333, 0.02) << day;
    }
}

TEST(RiseTransitSet, DayPositionsArePassedNotRemembered) {
    // One day's three events share one set of positions; the result is the same whether the
    // positions are computed for the event alone or passed in, and whatever day came before.
    const TDateTime june = EncodeDate(2012, 6, 21);
    const SunDayPositions day = SunPositionsOfDay(june);
    const double rise = *SunRiseTransitSet(HorizonEvent::Rise, -13.4L, 52.5L, day);
    EXPECT_EQ(rise, *SunRiseTransitSet(HorizonEvent::Rise, -13.4L, 52.5L, june));
    for (HorizonEvent e : {HorizonEvent::Set, HorizonEvent::Transit})
        EXPECT_EQ(*SunRiseTransitSet(e, -13.4L, 52.5L, day), *SunRiseTransitSet(e, -13.4L, 52.5L, june));
    (void)SunRiseTransitSet(HorizonEvent::Rise, -13.4L, 52.5L, EncodeDate(2012, 12, 21));
    EXPECT_EQ(*SunRiseTransitSet(HorizonEvent::Rise, -13.4L, 52.5L, june), rise);
    // Positions of another day give that day's sunrise (Berlin, 21 December: 07:15 UT).
    const SunDayPositions december = SunPositionsOfDay(EncodeDate(2012, 12, 21));
    const double decemberRise = *SunRiseTransitSet(HorizonEvent::Rise, -13.4L, 52.5L, december);
    EXPECT_NEAR((decemberRise - december.Day) * 1440, 7 * 60 + 15, 2);
}

TEST(RiseTransitSet, PolarDayAndNightHaveNoRiseOrSet) {
    const TDateTime june = EncodeDate(2012, 6, 21);
    for (HorizonEvent e : {HorizonEvent::Rise, HorizonEvent::Set}) {
        EXPECT_FALSE(SunRiseTransitSet(e, 0, 80, june));
        EXPECT_FALSE(SunRiseTransitSet(e, 0, -80, june));
    }
    // The Sun still culminates, above the horizon in polar day and below it in polar night.
    for (double phi : {80.0, -80.0})
        EXPECT_NEAR((*SunRiseTransitSet(HorizonEvent::Transit, 0, phi, june) - june) * 24, 12, 0.1);
    EXPECT_FALSE(SunRiseTransitSet(HorizonEvent::Set, -20, 80, EncodeDate(2012, 12, 21)));
    EXPECT_FALSE(SunRiseTransitSet(HorizonEvent::Rise, 0, 90, june));
    // Longyearbyen and Murmansk through 2026: a culmination every day, and no rising or setting
    // only when the Sun keeps to one side of the horizon from midnight to midnight.
    for (const auto [lon, lat, zone] : {std::array{15.55, 78.2167, 1.0}, std::array{33.1, 68.97, 3.0}}) {
        for (int d = 0; d < 365; d += 3) {
            const TDateTime day = EncodeDate(2026, 1, 1) + d - zone / 24;
            const SunDayPositions pos = SunPositionsOfDay(day);
            EXPECT_TRUE(SunRiseTransitSet(HorizonEvent::Transit, -lon, lat, pos)) << lat << " " << d;
            if (SunRiseTransitSet(HorizonEvent::Rise, -lon, lat, pos) ||
                SunRiseTransitSet(HorizonEvent::Set, -lon, lat, pos))
                continue;
            const bool up = SunAltitude(day, lon, lat) > -0.8333;
            for (int m = 1; m <= 24; ++m)
                ASSERT_EQ(SunAltitude(day + m / 24.0, lon, lat) > -0.8333, up) << lat << " " << d << " " << m;
        }
    }
}

}  // namespace
TEST(RiseTransitSet, EventsOfThePlacesCivilDay) {
    // Minutes after local midnight (standard time) from PyEphem 4.1 (no refraction model,
    // centre at -0°50' for rise and set); kNone where the day has no such event. Among them
    // published instants: Sydney 15 Jan 2026 05:59 and 20:09 AEDT, 1 Mar 06:42:39 AEDT;
    // Singapore 1 Jul 07:02; New York 20 Mar 06:59 EDT; Chemnitz 1 Jul 04:59 CEST. East of
    // Greenwich the day starts before 0h UT, in New York its sunset in June falls after it;
    // at Murmansk on 21 May the Sun sets just after midnight and rises again 40 min later.
    constexpr double kNone = -1;
    struct Case {
        const char* place;
        double latitude, eastLongitude, zone;
        int date[3];
        double rise, transit, set;
    };
    const Case cases[] = {
        {"Sydney", -33.920011, 151.18518, 10, {2026, 1, 15}, 299.5, 724.5, 1149.2},
        {"Sydney", -33.920011, 151.18518, 10, {2026, 3, 1}, 342.7, 727.6, 1112.0},
        {"Singapore", 1.28967, 103.85007, 8, {2026, 7, 1}, 422.6, 788.4, 1154.3},
        {"New York", 40.749979, -73.980017, -5, {2026, 3, 20}, 359.2, 723.3, 1088.1},
        {"New York", 40.749979, -73.980017, -5, {2026, 6, 21}, 264.8, 717.8, 1170.8},
        {"Chemnitz", 50.836667, 12.854444, 1, {2026, 7, 1}, 239.2, 732.5, 1225.4},
        {"Murmansk", 68.969988, 33.100036, 3, {2026, 5, 21}, 63.9, 764.2, 23.7},
        {"Murmansk", 68.969988, 33.100036, 3, {2026, 6, 21}, kNone, 769.4, kNone},
        {"Murmansk", 68.969988, 33.100036, 3, {2026, 12, 21}, kNone, 765.6, kNone},
    };
    for (const Case& c : cases) {
        const TDateTime midnight = EncodeDate(c.date[0], c.date[1], c.date[2]) - c.zone / 24;
        const SunDayPositions day = SunPositionsOfDay(midnight);
        const std::pair<HorizonEvent, double> events[] = {
            {HorizonEvent::Rise, c.rise}, {HorizonEvent::Transit, c.transit}, {HorizonEvent::Set, c.set}};
        for (const auto& [event, expected] : events) {
            const std::optional<double> t =
                SunRiseTransitSet(event, -c.eastLongitude, c.latitude, day);
            SCOPED_TRACE(testing::Message() << c.place << " " << c.date[1] << "/" << c.date[2]
                                            << " event " << static_cast<int>(event));
            if (expected == kNone) {
                EXPECT_FALSE(t);
                continue;
            }
            ASSERT_TRUE(t);
            EXPECT_NEAR((*t - midnight) * 1440, expected, 1.0);
        }
    }
}

}  // namespace noctaris

namespace noctaris {
namespace {

TEST(RiseTransitSet, SunDayOfTwentyThreeOrTwentyFiveHours) {
    // Tromsø in late October: each sunrise comes more than 24 h after the one before, so a day
    // that starts 24 h 2 min before a sunrise has none in its first 24 hours. Lasting 25 hours
    // (the clock goes back) it has that sunrise in its last hour; lasting 23 it has none.
    const long double west = -18.9553L, phi = 69.6492L;
    const TDateTime d0 = EncodeDate(2026, 10, 25) - 2.0 / 24;
    const double r1 = *SunRiseTransitSet(HorizonEvent::Rise, west, phi, d0);
    const double r2 = *SunRiseTransitSet(HorizonEvent::Rise, west, phi, d0 + 1);
    ASSERT_GT((r2 - r1) * 1440, 24 * 60 + 3);
    const double start = r2 - (24 * 60 + 2) / 1440.0;
    EXPECT_FALSE(SunRiseTransitSet(HorizonEvent::Rise, west, phi, SunPositionsOfDay(start, 1)));
    const std::optional<double> late =
        SunRiseTransitSet(HorizonEvent::Rise, west, phi, SunPositionsOfDay(start, 25.0 / 24));
    ASSERT_TRUE(late);
    EXPECT_NEAR((*late - r2) * 1440, 0, 1.0);
    EXPECT_NEAR((*late - start) * 1440, 24 * 60 + 2, 1.0);
    // A day of 23 hours ends before a crossing 23 h 2 min after its start, one of 24 does not.
    const double shortStart = start + 1.0 / 24;
    EXPECT_FALSE(SunRiseTransitSet(HorizonEvent::Rise, west, phi, SunPositionsOfDay(shortStart, 23.0 / 24)));
    EXPECT_TRUE(SunRiseTransitSet(HorizonEvent::Rise, west, phi, SunPositionsOfDay(shortStart, 1)));
    // An unusable length is one day.
    EXPECT_EQ(SunPositionsOfDay(start, std::nan("")).Length, 1);
}

}  // namespace
}  // namespace noctaris
