#include "astro/core/constants.h"
#include "astro/precise/precise.h"

#include <gtest/gtest.h>

#include <cmath>

namespace noctaris {
namespace {


double Hms(double h, double m, double s) { return (h + m / 60 + s / 3600) * 15; }
double Dms(double d, double m, double s) { return (std::fabs(d) + m / 60 + s / 3600) * (d < 0 ? -1 : 1); }

// Arc between two places, arcseconds.
double ArcSec(double ra1, double dec1, double ra2, double dec2) {
    const double c = std::sin(dec1 * kDegree) * std::sin(dec2 * kDegree) +
                     std::cos(dec1 * kDegree) * std::cos(dec2 * kDegree) * std::cos((ra1 - ra2) * kDegree);
    return std::acos(std::fmin(1.0, c)) / kDegree * 3600;
}

// An instant given in dynamical time, as the worked examples give it.
PreciseFrame AtTT(double jdTT) { return MakePreciseFrame(Instant::FromTT(jdTT)); }

// The published worked examples (Meeus, Astronomical Algorithms, 2nd ed.) were computed with
// the full VSOP87 and ELP theories; ERFA's shorter series agree to an arcsecond or two.
TEST(PrecisePlaces, PublishedApparentPlaces) {
    // Venus 1992 December 20, 0h TD (example 33.a): α 21h04m41.454s, δ −18°53′16.84″, light
    // time 0.0052612 days; illuminated fraction 0.647 (example 41.a).
    const PreciseFrame venusDay = AtTT(2448976.5);
    const ApparentPlace venus = GeocentricPlace(Body::Venus, venusDay);
    EXPECT_LT(ArcSec(venus.ra, venus.dec, Hms(21, 4, 41.454), Dms(-18, 53, 16.84)), 2.0);
    EXPECT_NEAR(venus.lightTime, 0.0052612, 2e-7);
    EXPECT_NEAR(venus.phase, 0.647, 0.001);
    // Its heliocentric place, mean ecliptic and equinox of date (example 32.a).
    const HeliocentricPlace helio = PlanetHeliocentric(Body::Venus, venusDay);
    EXPECT_NEAR(helio.longitude, 26.11428, 2.0 / 3600);
    EXPECT_NEAR(helio.latitude, -2.62070, 2.0 / 3600);
    EXPECT_NEAR(helio.radius, 0.724603, 5e-6);

    // Moon 1992 April 12, 0h TD (example 47.a): apparent λ 133.167265° (133.162655° plus the
    // nutation 0.004610°), β −3.229126°, Δ 368409.7 km, α 134.688470°, δ 13.768368°.
    const ApparentPlace moon = GeocentricPlace(Body::Moon, AtTT(2448724.5));
    EXPECT_NEAR(moon.longitude, 133.167265, 0.5 / 3600);
    EXPECT_NEAR(moon.latitude, -3.229126, 0.5 / 3600);
    EXPECT_NEAR(moon.distance * kKmPerAU, 368409.7, 1.0);
    EXPECT_LT(ArcSec(moon.ra, moon.dec, 134.688470, 13.768368), 0.5);

    // Sun 1992 October 13, 0h TD (example 25.b): α 13h13m30.749s, δ −7°47′01.74″,
    // R 0.99760775 AU.
    const ApparentPlace sun = GeocentricPlace(Body::Sun, AtTT(2448908.5));
    EXPECT_LT(ArcSec(sun.ra, sun.dec, Hms(13, 13, 30.749), Dms(-7, 47, 1.74)), 0.5);
    EXPECT_NEAR(sun.distance, 0.99760775, 2e-6);
    EXPECT_EQ(sun.phase, 1);
}

TEST(PrecisePlaces, DiameterPhaseAndElongation) {
    // The Sun's disc: 32′32″ at perihelion (early January), 31′28″ at aphelion (early July).
    const PreciseFrame january = MakePreciseFrame(Instant::FromUT(2458853.5));  // 2020-01-05
    const PreciseFrame july = MakePreciseFrame(Instant::FromUT(2459034.5));     // 2020-07-04
    EXPECT_NEAR(GeocentricPlace(Body::Sun, january).diameter, 32 * 60 + 32, 2);
    EXPECT_NEAR(GeocentricPlace(Body::Sun, july).diameter, 31 * 60 + 28, 2);
    // Full Moon at the total lunar eclipse of 2021 May 26, 11:19 UT; new Moon at the annular
    // solar eclipse of 2021 June 10, 10:42 UT.
    const ApparentPlace full = GeocentricPlace(Body::Moon, MakePreciseFrame(Instant::FromUT(2459360.972)));
    EXPECT_GT(full.phase, 0.999);
    EXPECT_GT(full.elongation, 179);
    const ApparentPlace newMoon = GeocentricPlace(Body::Moon, MakePreciseFrame(Instant::FromUT(2459375.946)));
    EXPECT_LT(newMoon.phase, 0.001);
    EXPECT_LT(newMoon.elongation, 1);
    // The Moon's disc is 29.4′ to 33.5′ across; Jupiter's 30″ to 50″.
    EXPECT_GT(full.diameter, 29.3 * 60);
    EXPECT_LT(full.diameter, 33.6 * 60);
    const double jupiter = GeocentricPlace(Body::Jupiter, MakePreciseFrame(Instant::FromUT(2459361.0))).diameter;
    EXPECT_GT(jupiter, 30);
    EXPECT_LT(jupiter, 50);
}

TEST(PrecisePlaces, TopocentricParallax) {
    // Mars from Palomar (φ 33°21′22″, L 7h47m27s W, 1706 m), 2003 August 28 3h17m UT
    // (example 40.a): the parallax moves it by +1.29 s in right ascension and −14.1″ in
    // declination.
    const double ut = 2452879.5 + (3 + 17.0 / 60) / 24;
    const PreciseFrame f = MakePreciseFrame(Instant::FromUT(ut));
    const Site palomar{Dms(33, 21, 22), -Hms(7, 47, 27), 1706};
    const ApparentPlace geo = GeocentricPlace(Body::Mars, f);
    const ApparentPlace topo = TopocentricPlace(Body::Mars, f, palomar);
    EXPECT_NEAR((topo.ra - geo.ra) * 240, 1.29, 0.03);
    EXPECT_NEAR((topo.dec - geo.dec) * 3600, -14.1, 0.3);

    // The Moon is displaced by its horizontal parallax (54′ to 61.5′) times the cosine of its
    // altitude, and is nearer above the horizon than below.
    const PreciseFrame m = MakePreciseFrame(Instant::FromUT(2459361.0));
    const ApparentPlace moon = GeocentricPlace(Body::Moon, m);
    const double parallax = std::asin(6378.137 / (moon.distance * kKmPerAU)) / kDegree * 60;
    EXPECT_GT(parallax, 53.9);
    EXPECT_LT(parallax, 61.5);
    for (double lon = -180; lon < 180; lon += 30) {
        const Site site{0, lon, 0};
        const ApparentPlace t = TopocentricPlace(Body::Moon, m, site);
        const HorizontalPlace h = ObservedPlace(t, m, site);
        const double shift = ArcSec(t.ra, t.dec, moon.ra, moon.dec) / 60;
        EXPECT_NEAR(shift, parallax * std::cos(h.trueAltitude * kDegree), 0.5) << lon;
        EXPECT_EQ(t.distance < moon.distance, h.trueAltitude > 0) << lon;
        EXPECT_LT(std::fabs(t.distance - moon.distance) * kKmPerAU, 6378.2) << lon;
    }
}

TEST(PrecisePlaces, HorizonPlace) {
    // Venus seen from Washington (φ 38°55′17″, L 77°03′56″ W) 1987 April 10, 19h21m UT at
    // α 23h09m16.641s, δ −6°43′11.61″ (example 13.b): azimuth 68.0337° from the south
    // (248.0337° from the north), altitude 15.1249° without refraction.
    const double ut = 2446896.30625;
    const PreciseFrame f = MakePreciseFrame(Instant::FromUT(ut));
    const Site washington{Dms(38, 55, 17), -Dms(77, 3, 56), 0};
    ApparentPlace venus;
    venus.ra = Hms(23, 9, 16.641);
    venus.dec = Dms(-6, 43, 11.61);
    const HorizontalPlace h = ObservedPlace(venus, f, washington);
    EXPECT_NEAR(h.azimuth, 248.0337, 2e-4);
    EXPECT_NEAR(h.trueAltitude, 15.1249, 2e-4);
    EXPECT_NEAR(h.hourAngle, 64.352133, 2e-4);
    // Refraction lifts it by some 3.5′.
    EXPECT_NEAR((h.altitude - h.trueAltitude) * 60, 3.5, 0.2);
}

TEST(PreciseRefraction, StandardAtmosphere) {
    // An object on the apparent horizon stands some 34′ to 35′ below it.
    double lo = -2, hi = 0;
    for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2;
        (mid + RefractionDeg(mid) < 0 ? lo : hi) = mid;
    }
    EXPECT_NEAR(-lo * 60, 34.5, 0.5);
    // About 58″ at 45°, nothing in the zenith, never negative, never NaN.
    EXPECT_NEAR(RefractionDeg(45) * 3600, 58, 2);
    EXPECT_EQ(RefractionDeg(90), 0);
    EXPECT_EQ(RefractionDeg(std::nan("")), 0);
    // Thinner air at 2000 m refracts less, by the barometric ratio.
    EXPECT_NEAR(RefractionDeg(30, 2000) / RefractionDeg(30), std::exp(-2000 / (29.3 * 283.15)), 1e-3);
    // The observed altitude climbs smoothly with the true one: no step where the horizon
    // formula hands over to ERFA's, and it never turns back (root finding relies on it).
    double last = -5 + RefractionDeg(-5);
    for (double h = -5 + 0.001; h <= 89.999; h += 0.001) {
        const double observed = h + RefractionDeg(h);
        EXPECT_GT(observed, last) << h;
        EXPECT_LT(observed - last, 0.0012) << h;
        last = observed;
    }
}

TEST(PreciseRiseSet, PublishedInstants) {
    // Venus at Boston (42°20′N, 71°05′W), 1988 March 20 (example 15.a): rising 12h25m UT,
    // transit 19h41m, setting 2h55m.
    const double march20 = 2447240.5;
    const RiseTransitSetTimes venus =
        FindRiseTransitSet(Body::Venus, march20, Site{42 + 20.0 / 60, -(71 + 5.0 / 60), 0});
    ASSERT_TRUE(venus.rise && venus.transit && venus.set);
    EXPECT_NEAR((*venus.rise - march20) * 24 * 60, 12 * 60 + 25, 1);
    EXPECT_NEAR((*venus.transit - march20) * 24 * 60, 19 * 60 + 41, 1);
    EXPECT_NEAR((*venus.set - march20) * 24 * 60, 2 * 60 + 55, 1);

    // London (51°30′27″N, 0°07′40″W) at the 2021 summer solstice: sunrise 04:43, sunset
    // 21:21 British Summer Time (3:43 and 20:21 UT), the times the national almanac office
    // publishes.
    const double june21 = 2459386.5;
    const RiseTransitSetTimes sun = FindRiseTransitSet(Body::Sun, june21, Site{51.5074, -0.1278, 0});
    ASSERT_TRUE(sun.rise && sun.set && sun.transit);
    EXPECT_NEAR((*sun.rise - june21) * 24 * 60, 3 * 60 + 43, 1);
    EXPECT_NEAR((*sun.set - june21) * 24 * 60, 20 * 60 + 21, 1);
    // Local apparent noon: 12h minus the equation of time (−1.8 min) plus 0.5 min for the
    // longitude.
    EXPECT_NEAR((*sun.transit - june21) * 24 * 60, 12 * 60 + 2.3, 0.3);

    // A civil day of 25 hours (the clock going back) holds an event of its last hour: a
    // moonrise 24 h 30 min after the day begins, when the previous one came just before it.
    const Site london{51.5074, -0.1278, 0};
    const std::optional<double> rise1 = FindRiseTransitSet(Body::Moon, june21, london).rise;
    ASSERT_TRUE(rise1);
    const std::optional<double> rise2 = FindRiseTransitSet(Body::Moon, MakePreciseDay(*rise1 + 0.01, 1.5), london).rise;
    ASSERT_TRUE(rise2);
    ASSERT_GT(*rise2 - *rise1, 24.6 / 24);  // the Moon rises later every day
    const double from = *rise2 - 24.5 / 24;
    EXPECT_FALSE(FindRiseTransitSet(Body::Moon, from, london).rise);
    const std::optional<double> late = FindRiseTransitSet(Body::Moon, MakePreciseDay(from, 25.0 / 24), london).rise;
    ASSERT_TRUE(late);
    EXPECT_NEAR((*late - *rise2) * 86400, 0, 1);
}

TEST(PreciseRiseSet, EventsMeetTheirDefinition) {
    // At the instants found, the exact chain (no interpolation) puts the upper limb of the Sun
    // and the Moon, and the centre of a planet, on the horizon, and the body on the meridian.
    const Site site{48.2, 16.37, 0};
    const double day = 2460000.5 - 16.37 / 360;  // local midnight
    const PreciseDay precise = MakePreciseDay(day);
    for (Body body : {Body::Sun, Body::Moon, Body::Venus, Body::Mars, Body::Saturn}) {
        const RiseTransitSetTimes r = FindRiseTransitSet(body, precise, site);
        if (body == Body::Sun) {
            ASSERT_TRUE(r.rise && r.transit && r.set);
        }
        for (const auto& t : {r.rise, r.set, r.transit}) {
            if (!t) continue;  // the Moon does not set on this day
            EXPECT_GE(*t, day);
            EXPECT_LT(*t, day + 1);
        }
        for (const auto& t : {r.rise, r.set}) {
            if (!t) continue;
            const PreciseFrame f = MakePreciseFrame(Instant::FromUT(*t));
            const ApparentPlace a = TopocentricPlace(body, f, site);
            const double limb = body == Body::Sun || body == Body::Moon ? a.diameter / 7200 : 0;
            const double h = ObservedPlace(a, f, site).trueAltitude + limb;
            // 1″ of altitude is a fifth of a second of time here.
            EXPECT_NEAR((h + RefractionDeg(h)) * 3600, 0, 1.5) << static_cast<int>(body);
        }
        if (!r.transit) continue;
        const PreciseFrame f = MakePreciseFrame(Instant::FromUT(*r.transit));
        EXPECT_NEAR(ObservedPlace(TopocentricPlace(body, f, site), f, site).hourAngle * 3600, 0, 1.5);
    }
}

TEST(PreciseRiseSet, PolarDayNightAndMissingMoonrise) {
    // At 80° north the Sun stays up all day at the June solstice and down at the December one.
    const Site north{80, 15, 0};
    const RiseTransitSetTimes june = FindRiseTransitSet(Body::Sun, 2459386.5, north);
    EXPECT_TRUE(june.alwaysAbove);
    EXPECT_FALSE(june.alwaysBelow || june.rise || june.set);
    EXPECT_TRUE(june.transit);
    const RiseTransitSetTimes december = FindRiseTransitSet(Body::Sun, 2459569.5, north);
    EXPECT_TRUE(december.alwaysBelow);
    EXPECT_FALSE(december.alwaysAbove || december.rise || december.set);

    // The Moon rises some 50 minutes later each day, so one day in about thirty has no
    // moonrise at all: none on that day, though it is neither always up nor always down.
    const Site site{50, 0, 0};
    int missing = 0;
    double lastRise = 0;
    for (int d = 0; d < 30; ++d) {
        const RiseTransitSetTimes r = FindRiseTransitSet(Body::Moon, 2459580.5 + d, site);
        EXPECT_FALSE(r.alwaysAbove || r.alwaysBelow) << d;
        if (!r.rise) {
            ++missing;
            // Yesterday's rise came late in the evening.
            EXPECT_GT(lastRise - (2459580.5 + d - 1), 22.0 / 24) << d;
            continue;
        }
        if (lastRise != 0 && *r.rise - lastRise < 1.5) {
            EXPECT_GT((*r.rise - lastRise) * 24 * 60, 24 * 60 + 10) << d;
            EXPECT_LT((*r.rise - lastRise) * 24 * 60, 24 * 60 + 90) << d;
        }
        lastRise = *r.rise;
    }
    EXPECT_GE(missing, 1);
    EXPECT_LE(missing, 2);
}

TEST(PreciseFrames, DayInterpolationMatchesExactFrame) {
    // Within a day the interpolated frame stands for the exact one to milliarcseconds, even
    // for the Moon and for Venus at its closest (inferior conjunction 2020 June 3).
    const double start = 2459003.5;
    const PreciseDay day = MakePreciseDay(start);
    for (double s : {0.0, 0.13, 0.5, 0.77, 1.0}) {
        const PreciseFrame exact = MakePreciseFrame(Instant::FromUT(start + s));
        const PreciseFrame interpolated = FrameInDay(day, start + s);
        for (Body body : {Body::Sun, Body::Moon, Body::Venus}) {
            const ApparentPlace a = GeocentricPlace(body, exact), b = GeocentricPlace(body, interpolated);
            EXPECT_LT(ArcSec(a.ra, a.dec, b.ra, b.dec), 0.01) << s;
        }
        EXPECT_NEAR(PreciseSiderealTimeDeg(exact), PreciseSiderealTimeDeg(interpolated), 1e-5);
    }
}

TEST(Bodies, NamesInAnyCaseAndNothingElse) {
    for (int i = 0; i < kBodyCount; ++i) EXPECT_EQ(BodyFromName(kBodyNames[i]), static_cast<Body>(i));
    EXPECT_EQ(BodyFromName("venus"), Body::Venus);
    EXPECT_EQ(BodyFromName("NEPTUNE"), Body::Neptune);
    EXPECT_FALSE(BodyFromName("Pluto"));
    EXPECT_FALSE(BodyFromName("Venu"));
    EXPECT_FALSE(BodyFromName(""));
}

}  // namespace
}  // namespace noctaris
