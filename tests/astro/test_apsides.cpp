// The Moon's perigee and apogee, the Earth's perihelion and aphelion, equinoxes and solstices.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "astro/events/apsides.h"
#include "astro/events/seasons.h"
#include "astro/theories/moon.h"
#include "astro/theories/sun.h"
#include "astro/theories/vsop.h"
#include "astro/time/timebase.h"

namespace noctaris {
namespace {

Instant TT(TDateTime t) { return Instant::FromTT(DateTimeToJD(t)); }
Instant UT(int year, int month, int day, int hour = 0, int minute = 0) {
    return Instant::FromCivil(year, month, day, hour, minute, 0, 0);
}

TEST(LunarApsides, PublishedPassages) {
    // The apogee of 1988 October 7, 20:30 TD, and the perigee of 2039 February 15,
    // 16:55:36 UT (the periodic series alone gives 17:30).
    const Instant apogee = SearchLunarApsis(LunarApsis::Apogee, TT(EncodeDate(1988, 10, 1)));
    EXPECT_NEAR(static_cast<double>(apogee.tt() - 2447442.3542) * 1440, 0, 2);
    const Instant perigee = NextLunarApsis(LunarApsis::Perigee, UT(2039, 2, 10));
    EXPECT_NEAR(static_cast<double>(perigee.ut() - UT(2039, 2, 15, 16, 55).ut()) * 86400, 36, 120);
    // Every passage is the extreme of the lunar theory's distance: half an hour either side
    // the Moon is farther from (perigee) or nearer to (apogee) the Earth.
    Instant t = TT(EncodeDate(1990, 1, 1));
    for (int i = 0; i < 40; ++i) {
        for (LunarApsis kind : {LunarApsis::Perigee, LunarApsis::Apogee}) {
            const Instant p = NextLunarApsis(kind, t);
            const long double r = MoonPosition(p).Distance;
            const double sign = kind == LunarApsis::Perigee ? 1 : -1;
            for (double h : {-30.0, -5.0, 5.0, 30.0})
                EXPECT_GT(sign * (MoonPosition(p.PlusDays(h / 1440)).Distance - r), 0) << i << " " << h;
            if (kind == LunarApsis::Apogee) t = p;
        }
        t = t.PlusDays(13);
    }
}

TEST(LunarApsides, NextPassageSkipsNoCycle) {
    // From 1990-01-19 12:00 the next perigee is the one 14.6 days later, not the one after it.
    const Instant t = TT(32891.5);
    EXPECT_NEAR(static_cast<double>(NextLunarApsis(LunarApsis::Perigee, t).tt() - t.tt()), 14.62,
                0.01);
    // Everywhere: the passage found lies at or after t and no other passage lies in between.
    for (int i = 0; i < 100; ++i) {
        const Instant s = TT(EncodeDate(1990, 1, 1) + i * 2.71);
        for (LunarApsis kind : {LunarApsis::Perigee, LunarApsis::Apogee}) {
            const long double r = NextLunarApsis(kind, s).tt();
            ASSERT_GE(r, s.tt());
            for (double a = -40; a < r - s.tt() + 40; a += 5) {
                const long double p = SearchLunarApsis(kind, s.PlusDays(a)).tt();
                EXPECT_FALSE(p >= s.tt() && p < r - 1e-6) << i;
            }
        }
    }
}

TEST(EarthApsides, PassagesAsPublished) {
    // Perihelion and aphelion as published by the US Naval Observatory (UT, to the minute).
    // The mean passage of the Earth-Moon barycentre was up to a day and a half off these.
    struct Passage {
        int year, month, day, hour, minute;
        EarthApsis kind;
    };
    constexpr EarthApsis P = EarthApsis::Perihelion, A = EarthApsis::Aphelion;
    const Passage published[] = {
        {2012, 1, 5, 0, 32, P},  {2012, 7, 5, 3, 32, A},  {2024, 1, 3, 0, 39, P},
        {2024, 7, 5, 5, 6, A},   {2025, 1, 4, 13, 28, P}, {2025, 7, 3, 19, 55, A},
        {2026, 1, 3, 17, 16, P}, {2026, 7, 6, 17, 31, A},
    };
    for (const Passage& p : published) {
        const Instant found = NextEarthApsis(p.kind, UT(p.year, 1, 1));
        const Instant expected = UT(p.year, p.month, p.day, p.hour, p.minute);
        EXPECT_NEAR(static_cast<double>(found.ut() - expected.ut()) * 1440, 0, 5) << p.year;
    }
}

TEST(EarthApsides, NextPassageCountsFromItsOwnInstant) {
    const Instant t = TT(EncodeDate(2012, 1, 1));
    const Instant peri = NextEarthApsis(EarthApsis::Perihelion, t);
    EXPECT_EQ(NextEarthApsis(EarthApsis::Perihelion, peri), peri);
    // The next year's passage: an anomalistic year, give or take the Moon's pull on the Earth.
    const Instant next = NextEarthApsis(EarthApsis::Perihelion, TT(JDToDateTime(peri.tt()) + 1e-3));
    EXPECT_NEAR(static_cast<double>(next.tt() - peri.tt()), 365.26, 3.5);
    EXPECT_EQ(SearchEarthApsis(EarthApsis::Perihelion, TT(EncodeDate(2012, 1, 1) + 100)), peri);
    // Each year from 1900 to 2100 has one of each, in early January and early July.
    for (int year = 1900; year <= 2100; year += 8) {
        const Instant jan1 = TT(EncodeDate(year, 1, 1));
        const CivilDate peri = DecodeDate(JDToDateTime(NextEarthApsis(EarthApsis::Perihelion, jan1).tt()));
        EXPECT_EQ(peri.year * 100 + peri.month, year * 100 + 1) << year;
        const CivilDate aph = DecodeDate(JDToDateTime(NextEarthApsis(EarthApsis::Aphelion, jan1).tt()));
        EXPECT_EQ(aph.year * 100 + aph.month, year * 100 + 7) << year;
    }
}

TEST(EarthApsides, TheFullSeriesTurnsAtThePassage) {
    // The passage is where the full Earth series' Sun-Earth distance, compared a hundredth of a
    // day either side, stops shrinking (perihelion) or growing (aphelion): 20 ms before the
    // instant found it still does, 20 ms after it no longer does, over two thousand years.
    VsopEarth earth;
    auto change = [&](double t) {
        earth.SetDate(t + 0.01);
        const long double later = earth.Radius();
        earth.SetDate(t - 0.01);
        return static_cast<double>(later - earth.Radius());
    };
    for (int year = 1000; year <= 3000; year += 37) {
        for (EarthApsis kind : {EarthApsis::Perihelion, EarthApsis::Aphelion}) {
            const double sign = kind == EarthApsis::Perihelion ? 1 : -1;
            const double t = JDToDateTime(NextEarthApsis(kind, TT(EncodeDate(year, 1, 1))).tt());
            EXPECT_LT(sign * change(t - 0.02 / 86400), 0) << year;
            EXPECT_GT(sign * change(t + 0.02 / 86400), 0) << year;
        }
    }
}

TEST(Seasons, SearchesFindTheSunAtItsLongitude) {
    // The Sun's apparent longitude is 0, 90, 180, 270 degrees at the passages found; the next
    // one lies at or after the instant asked and within a year of it.
    for (int i = 0; i < 40; ++i) {
        const Instant t = UT(1950, 1, 1).PlusDays(i * 47.3);
        for (int s = 0; s < 4; ++s) {
            const Season season = static_cast<Season>(s);
            const Instant next = NextSeason(season, t);
            EXPECT_GE(next.tt(), t.tt());
            EXPECT_LT(static_cast<double>(next.tt() - t.tt()), 365.3);
            const double lambda = static_cast<double>(SunPosition(next).Lambda);
            EXPECT_NEAR(std::remainder(lambda - 90.0 * s, 360.0), 0, 1e-4) << i << " " << s;
            const Instant near = SearchSeason(season, t);
            EXPECT_LE(std::fabs(static_cast<double>(near.tt() - t.tt())), 183.0);
        }
    }
    // To a hundredth of a second (1e-7°) of the full place, in and far from our time.
    for (int year = -1000; year <= 5000; year += 173) {
        for (int s = 0; s < 4; ++s) {
            const long double lambda =
                SunPosition(Instant::FromTT(SeasonJDE(year, static_cast<Season>(s)))).Lambda;
            EXPECT_NEAR(static_cast<double>(std::remainder(lambda - 90.0L * s, 360.0L)), 0, 1e-7)
                << year << " " << s;
        }
    }
}

}  // namespace
}  // namespace noctaris
