// Eclipses, conjunctions, oppositions and greatest elongations against published events.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "astro/time/calendar_dates.h"
#include "astro/events/phenomena.h"
#include "astro/core/errors.h"

namespace noctaris {
namespace {

// "YYYY-MM-DD HH:MM" of a Julian day, rounded to the minute.
std::string Minute(double jd) {
    const CivilDateTime c =
        JDToCalendarZoned(std::nearbyint(jd * 1440) / 1440, 0).value_or(CivilDateTime{});
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", c.date.year, c.date.month,
                  c.date.day, c.time.hour, c.time.minute);
    return buf;
}

double Jan1(int year) { return JDOfYearStart(year) + 1; }

TEST(Eclipses, NoEclipseFarFromTheNode) {
    int far = 0, near = 0;
    for (int k = -200; k < 200; ++k) {
        const EclipseElementSet e = EclipseElements(k);
        const double mean = 2451550.09765 + 29.530588853 * k +
                            0.0001337 * (k / 1236.85) * (k / 1236.85) +
                            0.00000015 * std::pow(k / 1236.85, 3) +
                            0.00000000073 * std::pow(k / 1236.85, 4);
        if (e.Gamma == 2) {
            ++far;
            EXPECT_EQ(e.U, 0);
            EXPECT_DOUBLE_EQ(e.JDE, mean);
        } else {
            ++near;
            EXPECT_LT(e.Gamma, 2);
            EXPECT_NEAR(e.JDE, mean, 0.8);  // corrected time of the new moon
        }
    }
    EXPECT_GT(far, near);
    EXPECT_GT(near, 50);
}

TEST(Eclipses, SolarEclipsesOf2012And2026) {
    SolarEclipse e = NextSolarEclipse(Jan1(2012) - 15);
    EXPECT_EQ(Minute(e.JDE), "2012-05-20 23:54");
    EXPECT_EQ(e.Type, 2);
    e = NextSolarEclipse(e.JDE);
    EXPECT_EQ(Minute(e.JDE), "2012-11-13 22:13");
    EXPECT_EQ(e.Type, 1);
    // 2026: the annular eclipse of 17 February (greatest 12:12:06 UT) and the total eclipse of
    // 12 August over Greenland, Iceland and Spain (greatest 17:46 UT); Delta T is about 70 s.
    e = NextSolarEclipse(Jan1(2026) - 15);
    EXPECT_EQ(Minute(e.JDE), "2026-02-17 12:13");
    EXPECT_EQ(e.Type, 2);
    e = NextSolarEclipse(e.JDE);
    EXPECT_EQ(Minute(e.JDE), "2026-08-12 17:47");
    EXPECT_EQ(e.Type, 1);
    EXPECT_EQ(e.Magnitude, 0);
    e = NextSolarEclipse(e.JDE);
    EXPECT_EQ(Minute(e.JDE).substr(0, 10), "2027-02-06");  // annular
    EXPECT_EQ(e.Type, 2);
}

TEST(Eclipses, PartialSolarEclipsesHaveTheirMagnitude) {
    // Partial eclipses of 2011-01-04 (0.858), 2025-03-29 (0.938) and 2025-09-21 (0.855).
    struct Known { int y, m, d; double mag; };
    for (const Known& k : {Known{2011, 1, 4, 0.858}, Known{2025, 3, 29, 0.938},
                           Known{2025, 9, 21, 0.855}}) {
        const SolarEclipse e = NextSolarEclipse(CalendarToJDZoned(k.y, k.m, k.d, 0, 0, 0, 0).value() - 3);
        EXPECT_EQ(Minute(e.JDE).substr(0, 10),
                  std::to_string(k.y) + (k.m < 10 ? "-0" : "-") + std::to_string(k.m) + "-" +
                      (k.d < 10 ? "0" : "") + std::to_string(k.d));
        EXPECT_EQ(e.Type, 6);
        EXPECT_NEAR(e.Magnitude, k.mag, 0.01);
    }
}

// The 21st century's eclipses by kind as the canons count them (Espenak & Meeus, Five Millennium
// Canons): 224 solar (68 total, 72 annular, 7 hybrid, 77 partial), 228 lunar (85 total,
// 57 partial, 86 penumbral). Only partial solar eclipses carry a magnitude, at most 1.
TEST(Eclipses, TheCenturysEclipsesByKind) {
    const double start = Jan1(2001), end = Jan1(2101);
    std::array<int, 8> solar{}, lunar{};
    for (double jd = start - 20;;) {
        const SolarEclipse e = NextSolarEclipse(jd);
        if (e.JDE >= end) break;
        ASSERT_LT(e.JDE - jd, 200);
        if (e.JDE >= start) ++solar.at(e.Type);
        if (e.Type == 6) {
            EXPECT_GT(e.Magnitude, 0);
            EXPECT_LE(e.Magnitude, 1);
        } else {
            EXPECT_EQ(e.Magnitude, 0);
        }
        jd = e.JDE + 1;
    }
    for (double jd = start - 40;;) {
        const LunarEclipse e = NextLunarEclipse(jd);
        if (e.JDE >= end) break;
        if (e.JDE >= start) ++lunar.at(e.Type);
        jd = e.JDE + 1;
    }
    EXPECT_EQ(solar[1] + solar[4], 68);
    EXPECT_EQ(solar[2] + solar[5], 72);
    EXPECT_EQ(solar[3], 7);
    EXPECT_EQ(solar[6], 77);
    EXPECT_EQ(lunar[1], 85);
    EXPECT_EQ(lunar[6], 57);
    EXPECT_EQ(lunar[7], 86);
}

TEST(Eclipses, LunarEclipsesOf2012And2026) {
    // Greatest phases in dynamical time, magnitudes as the canons give them (Danjon's shadow).
    LunarEclipse e = NextLunarEclipse(Jan1(2012) - 15);
    EXPECT_EQ(Minute(e.JDE), "2012-06-04 11:04");
    EXPECT_EQ(e.Type, 6);
    EXPECT_NEAR(e.Magnitude, 0.3705, 0.001);
    EXPECT_EQ(e.TotalSemiDuration, 0);
    EXPECT_GT(e.PartialSemiDuration, 0.9);  // the partial phase lasted 2 h 7 min
    EXPECT_LT(e.PartialSemiDuration, 1.2);
    // The full moons between are skipped: no shadow reaches them.
    e = NextLunarEclipse(e.JDE);
    EXPECT_EQ(Minute(e.JDE), "2012-11-28 14:34");
    EXPECT_EQ(e.Type, 7);
    EXPECT_NEAR(e.Magnitude, 0.9155, 0.001);
    EXPECT_GT(e.PenumbralSemiDuration, 2);  // about 4 h 35 min in the penumbra
    EXPECT_LT(e.PenumbralSemiDuration, 2.5);
    // 2026: total on 3 March (greatest 11:33:27 UT, umbral magnitude 1.15, totality 58 min) and
    // partial on 28 August (greatest 04:13 UT, 0.93).
    e = NextLunarEclipse(Jan1(2026) - 15);
    EXPECT_NEAR(e.JDE, CalendarToJDZoned(2026, 3, 3, 11, 33, 27 + 69, 0).value(), 1.0 / 1440);
    EXPECT_EQ(e.Type, 1);
    EXPECT_NEAR(e.Magnitude, 1.15, 0.01);
    EXPECT_NEAR(2 * e.TotalSemiDuration * 60, 58, 5);
    e = NextLunarEclipse(e.JDE);
    EXPECT_EQ(Minute(e.JDE).substr(0, 10), "2026-08-28");
    EXPECT_NEAR(e.JDE, CalendarToJDZoned(2026, 8, 28, 4, 13, 0, 0).value(), 4.0 / 1440);
    EXPECT_EQ(e.Type, 6);
    EXPECT_NEAR(e.Magnitude, 0.93, 0.01);
}

// Eclipses on the boundaries between kinds, as the published canons classify them.
TEST(Eclipses, KindsAtTheirBoundaries) {
    auto solarOf = [](int y, int m, int d) {
        return NextSolarEclipse(CalendarToJDZoned(y, m, d, 0, 0, 0, 0).value() - 3);
    };
    EXPECT_EQ(solarOf(2013, 11, 3).Type, 3);  // hybrid: annular at the ends of the track
    EXPECT_EQ(solarOf(2023, 4, 20).Type, 3);
    EXPECT_EQ(solarOf(2014, 4, 29).Type, 5);  // the antumbra's edge grazes Antarctica
    EXPECT_EQ(solarOf(2043, 4, 9).Type, 4);   // the umbra's edge grazes Siberia
    EXPECT_EQ(solarOf(2043, 10, 3).Type, 5);
    EXPECT_NEAR(solarOf(2014, 10, 23).Magnitude, 0.811, 0.003);

    struct Lunar { int y, m, d, type; double magnitude, totalMinutes; };
    for (const Lunar& k : {Lunar{2015, 4, 4, 1, 1.0008, 4 + 43 / 60.0},  // the shortest totality
                           Lunar{2021, 5, 26, 1, 1.0095, 14.5}, Lunar{2021, 11, 19, 6, 0.9742, 0},
                           Lunar{2013, 4, 25, 6, 0.0148, 0}, Lunar{2018, 7, 27, 1, 1.6087, 102.95}}) {
        SCOPED_TRACE(k.y);
        const LunarEclipse e = NextLunarEclipse(CalendarToJDZoned(k.y, k.m, k.d, 0, 0, 0, 0).value() - 20);
        EXPECT_EQ(e.Type, k.type);
        EXPECT_NEAR(e.Magnitude, k.magnitude, 0.001);
        EXPECT_NEAR(2 * e.TotalSemiDuration * 60, k.totalMinutes, 0.5);
    }
}

TEST(PlanetPhenomena, FirstIndexStartsBeforeTheYear) {
    EXPECT_EQ(FirstPhenomenonIndex(2012, Body::Mercury, 0), 37);  // (2455927.91 - 2451612.023) / 115.877
    EXPECT_EQ(FirstPhenomenonIndex(2012, Body::Mercury, 1), 37);
    EXPECT_EQ(FirstPhenomenonIndex(1900, Body::Mercury, 0), -315);  // truncated toward zero
    // The year's loops start one cycle before the index: the cycle before that lies before
    // the year in any zone, so no event of the year is missed.
    for (int year = 1000; year <= 3000; year += 7) {
        const double start = Jan1(year) - 14.0 / 24;
        for (const Body p : kObservedPlanets)
            for (int ev = 0; ev < 2; ++ev)
                ASSERT_LT(PlanetPhenomenonTime(p, ev, FirstPhenomenonIndex(year, p, ev) - 2), start)
                    << year << " " << BodyName(p) << " " << ev;
        for (const Body p : {Body::Mercury, Body::Venus})
            for (int side = 0; side < 2; ++side)
                ASSERT_LT(GreatestElongationTime(p, side, FirstPhenomenonIndex(year, p, 0) - 2).JDE,
                          start);
    }
}

TEST(PlanetPhenomena, OnlyThePlanetsSeenFromTheEarth) {
    for (const Body b : {Body::Sun, Body::Moon, Body::Earth}) {
        EXPECT_THROW(FirstPhenomenonIndex(2026, b, 0), DomainError) << BodyName(b);
        EXPECT_THROW(PlanetPhenomenonTime(b, 0, 10), DomainError) << BodyName(b);
    }
    EXPECT_THROW(GreatestElongationTime(Body::Mars, 0, 10), DomainError);
}

TEST(PlanetPhenomena, SuccessiveEventsOneSynodicPeriodApart) {
    const double period[] = {115.8774771, 583.921361, 779.936104, 398.884046,
                             378.091904,  369.656035, 367.486703};
    const double spread[] = {20, 10, 60, 16, 20, 14, 8};  // periodic terms move them this much
    for (std::size_t i = 0; i < kObservedPlanets.size(); ++i)
        for (int ev = 0; ev < 2; ++ev)
            for (int k = -30; k < 30; ++k) {
                const Body p = kObservedPlanets[i];
                const double gap =
                    PlanetPhenomenonTime(p, ev, k + 1) - PlanetPhenomenonTime(p, ev, k);
                ASSERT_NEAR(gap, period[i], spread[i]) << BodyName(p) << " " << ev << " " << k;
            }
    // Oppositions and conjunctions alternate.
    for (const Body p : {Body::Mars, Body::Jupiter, Body::Saturn, Body::Uranus, Body::Neptune})
        for (int k = -20; k < 20; ++k) {
            const double opp = PlanetPhenomenonTime(p, 0, k);
            const double next = PlanetPhenomenonTime(p, 1, k + 1);
            const double prev = PlanetPhenomenonTime(p, 1, k);
            ASSERT_TRUE((prev < opp && opp < next)) << BodyName(p) << " " << k;
        }
}

TEST(PlanetPhenomena, EventsOf2012And2026) {
    auto find = [](int year, Body planet, int event, const std::string& day) {
        for (int k = FirstPhenomenonIndex(year, planet, event) - 1;; ++k) {
            const double jd = PlanetPhenomenonTime(planet, event, k);
            if (Minute(jd).substr(0, 10) == day.substr(0, 10)) return Minute(jd);
            if (jd > Jan1(year + 1)) return std::string("none");
        }
    };
    EXPECT_EQ(find(2012, Body::Venus, 0, "2012-06-06"), "2012-06-06 01:19");  // transit of Venus
    EXPECT_EQ(find(2012, Body::Mars, 0, "2012-03-03"), "2012-03-03 18:55");
    EXPECT_EQ(find(2012, Body::Jupiter, 0, "2012-12-03"), "2012-12-03 00:44");
    EXPECT_EQ(find(2012, Body::Saturn, 0, "2012-04-15"), "2012-04-15 17:46");
    // 2026 as published (UT): Jupiter at opposition 10 January ~08 h, Mars in conjunction
    // 9 January, Venus in superior conjunction 6 January and inferior conjunction 24 October,
    // Saturn at opposition 4 October, Neptune 26 September, Uranus 25 November.
    EXPECT_EQ(find(2026, Body::Jupiter, 0, "2026-01-10").substr(0, 13), "2026-01-10 08");
    EXPECT_NE(find(2026, Body::Mars, 1, "2026-01-09"), "none");
    EXPECT_NE(find(2026, Body::Venus, 1, "2026-01-06"), "none");
    EXPECT_NE(find(2026, Body::Venus, 0, "2026-10-24"), "none");
    EXPECT_NE(find(2026, Body::Saturn, 0, "2026-10-04"), "none");
    EXPECT_NE(find(2026, Body::Neptune, 0, "2026-09-26"), "none");
    EXPECT_NE(find(2026, Body::Uranus, 0, "2026-11-25"), "none");
    EXPECT_EQ(find(2026, Body::Mars, 0, "2026-12-31"), "none");  // no Mars opposition in 2026
}

TEST(PlanetPhenomena, GreatestElongations) {
    struct Seen { std::string when; double elongation; };
    auto all = [](int year, Body planet, int side) {
        std::vector<Seen> out;
        for (int k = FirstPhenomenonIndex(year, planet, 0) - 1;; ++k) {
            const GreatestElongation g = GreatestElongationTime(planet, side, k);
            if (g.JDE > Jan1(year + 1)) break;
            if (g.JDE > Jan1(year)) out.push_back({Minute(g.JDE), g.Elongation});
        }
        return out;
    };
    auto east = all(2012, Body::Mercury, 0);
    ASSERT_EQ(east.size(), 3u);
    EXPECT_EQ(east[0].when.substr(0, 10), "2012-03-05");
    EXPECT_NEAR(east[0].elongation, 18.2, 0.05);
    EXPECT_EQ(east[1].when.substr(0, 10), "2012-07-01");
    EXPECT_NEAR(east[1].elongation, 25.7, 0.05);
    EXPECT_EQ(east[2].when.substr(0, 10), "2012-10-26");
    EXPECT_NEAR(east[2].elongation, 24.1, 0.05);
    auto venusEast = all(2012, Body::Venus, 0);
    ASSERT_EQ(venusEast.size(), 1u);
    EXPECT_EQ(venusEast[0].when, "2012-03-27 06:39");
    EXPECT_NEAR(venusEast[0].elongation, 46.0, 0.05);
    auto venusWest = all(2012, Body::Venus, 1);
    ASSERT_EQ(venusWest.size(), 1u);
    EXPECT_EQ(venusWest[0].when, "2012-08-15 09:35");
    EXPECT_NEAR(venusWest[0].elongation, 45.8, 0.05);

    // 2026 as published: Mercury east 19 Feb (18.1°), 15 Jun (24.5°), 12 Oct (25.2°); west
    // 3 Apr (27.8°), 2 Aug (19.5°), 20 Nov (19.6°); Venus east 15 Aug (45.9°), no western one.
    const Seen m26e[] = {{"2026-02-19", 18.1}, {"2026-06-15", 24.5}, {"2026-10-12", 25.2}};
    const Seen m26w[] = {{"2026-04-03", 27.8}, {"2026-08-02", 19.5}, {"2026-11-20", 19.6}};
    east = all(2026, Body::Mercury, 0);
    auto west = all(2026, Body::Mercury, 1);
    ASSERT_EQ(east.size(), 3u);
    ASSERT_EQ(west.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(east[i].when.substr(0, 10), m26e[i].when);
        EXPECT_NEAR(east[i].elongation, m26e[i].elongation, 0.06);
        EXPECT_EQ(west[i].when.substr(0, 10), m26w[i].when);
        EXPECT_NEAR(west[i].elongation, m26w[i].elongation, 0.06);
    }
    venusEast = all(2026, Body::Venus, 0);
    ASSERT_EQ(venusEast.size(), 1u);
    EXPECT_EQ(venusEast[0].when.substr(0, 10), "2026-08-15");
    EXPECT_NEAR(venusEast[0].elongation, 45.9, 0.05);
    EXPECT_TRUE(all(2026, Body::Venus, 1).empty());
}

}  // namespace
}  // namespace noctaris
