#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "astro/coords/angles.h"
#include "astro/core/constants.h"
#include "astro/events/search.h"
#include "astro/time/calendar_dates.h"
#include "astro/theories/moonseries.h"
#include "astro/reports/sunmoon_reports.h"
#include "astro/time/instant.h"
#include "astro/time/sidereal.h"
#include "astro/time/timebase.h"

using namespace noctaris;

namespace {

constexpr double kChemnitzLat = 50.836667, kChemnitzLon = 12.854444;

}  // namespace

TEST(ReportTime, FractionOfDay) {
    EXPECT_DOUBLE_EQ(FractionOfDay(-0.25), 0.75);
    EXPECT_DOUBLE_EQ(FractionOfDay(46363.5), 0.5);
}

// Julian day (UT) of a civil date and clock time in a zone (hours east of UT).
double LocalJD(int year, int month, int day, int hour, int minute, double zone) {
    return LocalMidnightJD(year, month, day, zone) + hour / 24.0 + minute / 1440.0;
}

TEST(MoonReport, AgeCountsFromTheLastNewMoonInUniversalTime) {
    // New moon 2026-12-09 00:52 UT (US Naval Observatory). In Los Angeles (zone -8) at noon of
    // 9 December it is 20:00 UT: the Moon is 19 h 8 min old.
    AgeParts a = SplitMoonAge(MoonAgeAt(LocalJD(2026, 12, 9, 12, 0, -8)));
    EXPECT_EQ(a.days, 0);
    EXPECT_EQ(a.hours, 19);
    EXPECT_EQ(a.minutes, 8);
    // The same moment in Chemnitz (zone +1, 21:00) gives the same age.
    a = SplitMoonAge(MoonAgeAt(LocalJD(2026, 12, 9, 21, 0, 1)));
    EXPECT_EQ(a.hours * 60 + a.minutes, 19 * 60 + 8);
    // Twenty minutes before that new moon (01:32 in Chemnitz) the Moon is old, not new: it
    // counts from the new moon of 2026-11-09 07:02 UT, 29 d 17 h 30 min earlier.
    a = SplitMoonAge(MoonAgeAt(LocalJD(2026, 12, 9, 1, 32, 1)));
    EXPECT_EQ(a.days, 29);
    EXPECT_EQ(a.hours, 17);
    EXPECT_NEAR(a.minutes, 30, 1);
}

TEST(MoonReport, LunationOfTheMomentAsPublished) {
    // US Naval Observatory: new moons 1999-08-11 11:08 (the total solar eclipse), 2026-12-09
    // 00:52 and 2027-01-07 20:24; full moons 1999-08-26 23:48 and 2026-12-24 01:28 (UT).
    auto near = [](double jd, int year, int month, int day, int hour, int minute) {
        return std::fabs(jd - LocalJD(year, month, day, hour, minute, 0)) * 1440 < 1;
    };
    LunationPhases l = LunationAt(LocalJD(2026, 12, 24, 20, 0, 1));
    EXPECT_TRUE(near(l.newMoon, 2026, 12, 9, 0, 52));
    EXPECT_TRUE(near(l.fullMoon, 2026, 12, 24, 1, 28));
    EXPECT_TRUE(near(l.nextNewMoon, 2027, 1, 7, 20, 24));
    EXPECT_LT(l.firstQuarter, l.fullMoon);
    EXPECT_LT(l.fullMoon, l.lastQuarter);
    EXPECT_LT(l.lastQuarter, l.nextNewMoon);
    l = LunationAt(LocalJD(1999, 8, 20, 12, 0, 0));  // before 2000 as well
    EXPECT_TRUE(near(l.newMoon, 1999, 8, 11, 11, 8));
    EXPECT_TRUE(near(l.fullMoon, 1999, 8, 26, 23, 48));
    // On the minute of a new moon the lunation changes.
    const double newMoon = LunationAt(LocalJD(2026, 12, 10, 0, 0, 0)).newMoon;
    EXPECT_EQ(LunationAt(newMoon).newMoon, newMoon);
    EXPECT_EQ(LunationAt(newMoon - 1e-5).nextNewMoon, newMoon);
}

TEST(MoonReport, AgeStaysWithinItsLunationEverywhere) {
    for (int year : {1600, 1899, 1970, 1999, 2000, 2026, 2400}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 28; day += 3) {
                for (double zone : {-10.0, -8.0, 0.0, 1.0, 5.75, 14.0}) {
                    const double jd = LocalJD(year, month, day, 23, 59, zone);
                    const LunationPhases l = LunationAt(jd);
                    const double age = MoonAgeAt(jd);
                    ASSERT_GE(age, 0) << year << '-' << month << '-' << day << ' ' << zone;
                    ASSERT_LT(jd, l.nextNewMoon) << year << '-' << month << '-' << day;
                    ASSERT_NEAR(age, jd - l.newMoon, 1e-9);
                    ASSERT_GT(l.nextNewMoon - l.newMoon, 29.2);
                    ASSERT_LT(l.nextNewMoon - l.newMoon, 29.9);
                }
            }
        }
    }
    EXPECT_EQ(SplitMoonAge(std::numeric_limits<double>::infinity()).days, 0);
    // The total is rounded to the minute first: never "60 min".
    const AgeParts p = SplitMoonAge(3 + (23 * 60 + 59.7) / 1440);
    EXPECT_EQ(p.days, 4);
    EXPECT_EQ(p.hours, 0);
    EXPECT_EQ(p.minutes, 0);
}

TEST(MoonReport, ApparentDiameterSplitsIntoArcminutesAndSeconds) {
    const MoonDiameterParts d = MoonApparentDiameter(384400);
    EXPECT_NEAR(d.arcseconds, 1865.1, 0.05);
    EXPECT_NEAR(d.degrees, 0.5181, 1e-4);
    EXPECT_EQ(d.arcminutes, 31);
    EXPECT_NEAR(d.remainderSeconds, 5.1, 0.05);
    EXPECT_EQ(MoonApparentDiameter(0).arcminutes, 0);  // no division by zero
    // 1859.97" is 31'0.0", not 30'60.0".
    const MoonDiameterParts r = MoonApparentDiameter(716946800.0 / 1859.97);
    EXPECT_EQ(r.arcminutes, 31);
    EXPECT_NEAR(r.remainderSeconds, 0, 1e-9);
}

// Minutes of the local clock of a Julian day (UT), or -1 when absent.
double ClockMinutes(const std::optional<double>& jd, double zone) {
    if (!jd) return -1;
    return FractionOfDay(*jd + 0.5 + zone / 24) * 1440;
}

// Moonrise, culmination and moonset in Chemnitz, local days of December 2026 (zone +1), from
// python3-ephem 4.1.4 with the almanac's horizon (upper limb, 34' of refraction).
TEST(MoonReport, RiseCulminationAndSetInChemnitz) {
    struct Day {
        int day;
        double rise, transit, set;  // local minutes of the day
    };
    const Day days[] = {{7, 6 * 60 + 43.8, 10 * 60 + 38.7, 14 * 60 + 26.9},    // 06:43:49 ...
                        {24, 16 * 60 + 17.3, 0 * 60 + 1.6, 8 * 60 + 58.4}};   // 16:17:18 ...
    for (const Day& d : days) {
        const MoonDayEvents e =
            MoonEventsOfDay(LocalMidnightJD(2026, 12, d.day, 1), kChemnitzLat, kChemnitzLon);
        EXPECT_NEAR(ClockMinutes(e.rise, 1), d.rise, 0.5) << d.day;
        EXPECT_NEAR(ClockMinutes(e.transit, 1), d.transit, 0.5) << d.day;
        EXPECT_NEAR(ClockMinutes(e.set, 1), d.set, 0.5) << d.day;
    }
}

TEST(MoonReport, DaysWithoutAnEventSaySo) {
    // The Moon comes about 50 minutes later each day, so now and then a local day has no
    // rising, culmination or setting (python3-ephem, as above): it rose on 30 November at 23:10
    // and next on 2 December at 00:29, so 1 December has no moonrise; it set on 16 December at
    // 23:46 and next on 18 December at 01:00, so 17 December has no moonset; it culminated on
    // 22 December at 22:54 and next on 24 December at 00:02, so 23 December has no culmination.
    auto day = [](int d) {
        return MoonEventsOfDay(LocalMidnightJD(2026, 12, d, 1), kChemnitzLat, kChemnitzLon);
    };
    MoonDayEvents e = day(1);
    EXPECT_FALSE(e.rise);
    EXPECT_NEAR(ClockMinutes(e.set, 1), 12 * 60 + 45.5, 0.5);
    e = day(2);
    EXPECT_NEAR(ClockMinutes(e.rise, 1), 0 * 60 + 29.0, 0.5);
    e = day(17);
    EXPECT_FALSE(e.set);
    EXPECT_NEAR(ClockMinutes(e.rise, 1), 12 * 60 + 3.4, 0.5);
    EXPECT_NEAR(ClockMinutes(e.transit, 1), 18 * 60 + 23.6, 0.5);
    e = day(23);
    EXPECT_FALSE(e.transit);
    EXPECT_NEAR(ClockMinutes(e.rise, 1), 14 * 60 + 58.8, 0.5);
    EXPECT_NEAR(ClockMinutes(e.set, 1), 7 * 60 + 56.0, 0.5);
    // At 80° north the Moon stands below the horizon all of 7 December 2026, yet it culminates.
    e = MoonEventsOfDay(LocalMidnightJD(2026, 12, 7, 0), 80, 0);
    EXPECT_FALSE(e.rise);
    EXPECT_FALSE(e.set);
    EXPECT_TRUE(e.transit);
    // At the poles there is no meridian, and nothing undefined escapes.
    for (double lat : {90.0, -90.0}) {
        e = MoonEventsOfDay(LocalMidnightJD(2026, 12, 7, 0), lat, 0);
        EXPECT_FALSE(e.rise);
        EXPECT_FALSE(e.set);
    }
    EXPECT_FALSE(MoonEventsOfDay(std::numeric_limits<double>::quiet_NaN(), 50, 12).transit);
}

TEST(MoonReport, FarEasternAndWesternPlacesGetTheirOwnDay) {
    // Every event lies inside the asked local day, and each kind at most once, in zones far
    // east and west.
    for (double zone : {12.0, -10.0}) {
        const double lon = zone * 15;
        for (int day = 1; day <= 28; day += 3) {
            const double start = LocalMidnightJD(2026, 3, day, zone);
            const MoonDayEvents e = MoonEventsOfDay(start, -41.29, lon);
            for (const std::optional<double>* t : {&e.rise, &e.transit, &e.set})
                if (*t) {
                    EXPECT_GE(**t, start) << zone << " " << day;
                    EXPECT_LT(**t, start + 1) << zone << " " << day;
                }
        }
    }
}

// The Moon's events straight from their definition: the full lunar theory's place at every
// instant asked for, on the same 20-minute samples and halvings as the report.
MoonDayEvents MoonEventsFromFullPlaces(double dayStart, double lat, double lon) {
    struct Sight {
        double height, hourAngle;
    };
    const auto at = [&](double t) {
        const MoonFullPlace m = MoonPositionFull(Instant::FromUT(t));
        const double theta = static_cast<double>(
            ApparentSiderealTimeDeg(Instant::FromUT(DateTimeToJD(JDToDateTime(t)))));
        const double ha =
            static_cast<double>(Reduce360(theta + lon - m.RightAscension + 180)) - 180;
        const double sinH = std::sin(lat * kDegree) * std::sin(m.Declination * kDegree) +
                            std::cos(lat * kDegree) * std::cos(m.Declination * kDegree) *
                                std::cos(ha * kDegree);
        const double h = std::asin(std::fmax(-1.0, std::fmin(1.0, sinH))) * kRadian;
        const double parallax = std::asin(6378.14 / m.DistanceKm) * kRadian;
        return Sight{h - (0.7275 * parallax - 0.5667), ha};
    };
    const auto samples = SampleDay(dayStart, 72, at);
    const auto up = [](const Sight& s) { return s.height >= 0; };
    MoonDayEvents r;
    r.rise = FirstCrossing(
        samples, [](const Sight& a, const Sight& b) { return a.height < 0 && b.height >= 0; },
        up, at, dayStart + 1, 0.025);
    r.set = FirstCrossing(
        samples, [](const Sight& a, const Sight& b) { return a.height >= 0 && b.height < 0; },
        up, at, dayStart + 1, 0.025);
    r.transit = FirstCrossing(
        samples,
        [](const Sight& a, const Sight& b) {
            return a.hourAngle < 0 && b.hourAngle >= 0 && b.hourAngle < 90;
        },
        [](const Sight& s) { return s.hourAngle >= 0; }, at, dayStart + 1, 0.025);
    return r;
}

TEST(MoonReport, EventsAreThoseOfTheFullTheoryAtEveryInstant) {
    // The report interpolates the Moon's path through the day; its instants must be the very
    // ones of the full theory, over centuries, near the poles (where the Moon grazes the
    // horizon and days without rising or setting come) and on both sides of the date line.
    const struct {
        double lat, lon;
    } places[] = {{50.836667, 12.854444}, {78.22, 15.65}, {-77.85, 166.67}, {1.29, 103.85},
                  {-41.29, 174.78},       {69.65, -18.96}, {64.84, -147.72}};
    int day = 0;
    for (const auto& p : places)
        for (int year : {1650, 1890, 2026, 2031, 2250}) {
            for (int k = 0; k < 3; ++k, ++day) {
                const double start =
                    LocalMidnightJD(year, 1 + day % 12, 1 + (day * 7) % 28, std::round(p.lon / 15));
                const MoonDayEvents a = MoonEventsOfDay(start, p.lat, p.lon);
                const MoonDayEvents b = MoonEventsFromFullPlaces(start, p.lat, p.lon);
                EXPECT_EQ(a.rise, b.rise) << p.lat << " " << year << " " << start;
                EXPECT_EQ(a.transit, b.transit) << p.lat << " " << year << " " << start;
                EXPECT_EQ(a.set, b.set) << p.lat << " " << year << " " << start;
            }
        }
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

TEST(SunReport, HoursAndMinutesNearAFullHour) {
    EXPECT_EQ(SplitHourMinute(2.4333).hours, 2);
    EXPECT_EQ(SplitHourMinute(2.4333).minutes, 26);
    EXPECT_EQ(SplitHourMinute(5.9995).hours, 6);
    EXPECT_EQ(SplitHourMinute(5.9995).minutes, 0);
    // Rounded to the minute first, then split: 23.99 h is 23 h 59 min (not 24 h -1 min), and
    // 23.9999 h reads 0 h 0 min.
    EXPECT_EQ(SplitHourMinute(23.99).hours, 23);
    EXPECT_EQ(SplitHourMinute(23.99).minutes, 59);
    EXPECT_EQ(SplitHourMinute(23.9999).hours, 0);
    EXPECT_EQ(SplitHourMinute(23.9999).minutes, 0);
    for (double s = 0; s < 24; s += 0.0137) {
        const HourMinute hm = SplitHourMinute(s);
        ASSERT_GE(hm.minutes, 0) << s;
        ASSERT_LT(hm.minutes, 60) << s;
        ASSERT_LT(hm.hours, 24) << s;
        ASSERT_NEAR(hm.hours * 60 + hm.minutes, std::fmod(s * 60 + 0.5, 1440) - 0.5, 0.5) << s;
    }
    EXPECT_EQ(SplitHourMinute(std::numeric_limits<double>::infinity()).hours, 0);
}
