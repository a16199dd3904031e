#include "astro/time/calendar_dates.h"
#include "astro/core/constants.h"
#include "astro/core/errors.h"
#include "astro/reports/ephemeris_table.h"
#include "astro/reports/planet_info.h"
#include "astro/precise/precise_reports.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace noctaris {
namespace {


// With the switch off the table is the classic one, field for field.
TEST(PreciseTable, OffIsTheClassicTable) {
    const double midnight = LocalMidnightJD(2026, 3, 14, 1);
    const double jd = midnight + 21.5 / 24;
    const EphemerisTableValues t = ComputeEphemerisTable(jd, midnight, 50.84, 12.85, 1, false);
    const auto same = [](const EphemerisColumnValues& a, const EphemerisColumnValues& b) {
        return std::memcmp(&a.rec, &b.rec, sizeof a.rec) == 0 && a.riseSet.rise == b.riseSet.rise &&
               a.riseSet.set == b.riseSet.set && a.riseSet.alwaysAbove == b.riseSet.alwaysAbove &&
               a.riseSet.alwaysBelow == b.riseSet.alwaysBelow && a.ra == b.ra && a.dec == b.dec &&
               a.lightSeconds == b.lightSeconds && a.lst == b.lst && a.altitude == b.altitude &&
               a.azimuth == b.azimuth && a.frame == b.frame;
    };
    EXPECT_TRUE(same(t.earth, ComputeEphemerisColumn(Body::Earth, jd, 50.84, 12.85, 1)));
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(same(t.planets[i],
                         ComputeEphemerisColumn(kObservedPlanets[i], jd, 50.84, 12.85, 1)))
            << i;
        EXPECT_EQ(t.planets[i].frame, "J2000");
    }
}

TEST(PreciseTable, PublishedPlaceAndRiseSet) {
    // Venus at Boston (42°20′N, 71°05′W) on 1988 March 20, the table kept in UT: rising
    // 12h25m, setting 2h55m (Meeus, Astronomical Algorithms, example 15.a).
    const double midnight = LocalMidnightJD(1988, 3, 20, 0);
    const EphemerisTableValues boston =
        ComputeEphemerisTable(midnight + 0.5, midnight, 42 + 20.0 / 60, -(71 + 5.0 / 60), 0, true);
    const EphemerisColumnValues& venus = boston.planets[1];
    EXPECT_EQ(venus.frame, "apparent of date");
    EXPECT_EQ(RiseSetText(venus.riseSet.rise, venus.riseSet), "12h25m");
    EXPECT_EQ(RiseSetText(venus.riseSet.set, venus.riseSet), "2h55m");

    // Venus on 1992 December 20 at 0h (example 33.a, 0h TD): α 21h04m41.45s, δ −18°53′16.8″;
    // the record splits them as the classic one does, minutes carrying the sign.
    const double dec20 = LocalMidnightJD(1992, 12, 20, 0);
    const EphemerisTableValues t = ComputeEphemerisTable(dec20, dec20, 50, 10, 0, true);
    const PlanetEphemerisRecord& rec = t.planets[1].rec;
    EXPECT_EQ(rec.RAHours, 21);
    EXPECT_NEAR(rec.RAMinutes, 4 + 41.45 / 60, 0.005);
    EXPECT_EQ(rec.DecDegrees, -18);
    EXPECT_NEAR(rec.DecMinutes, -(53 + 16.8 / 60), 0.02);
    EXPECT_NEAR(t.planets[1].ra, (21 + (4 + 41.45 / 60) / 60) * 15, 1e-3);
    // Heliocentric place on the mean ecliptic of date (example 32.a), the light time of
    // 0.0052612 days (455 s) and the Earth's column.
    EXPECT_NEAR(rec.HelioLongitude, 26.11428, 0.003);  // 0h UT is a minute before 0h TD
    EXPECT_NEAR(rec.RadiusVector, 0.724603, 1e-5);
    EXPECT_EQ(t.planets[1].lightSeconds, 455);
    EXPECT_NEAR(t.earth.rec.RadiusVector, 0.98, 0.01);  // three weeks before perihelion
    EXPECT_NEAR(rec.Diameter, 18.3, 0.1);

    // The classic and the precise table agree to the classic theory's limit (a degree or two),
    // and the magnitude, one formula for both, to a few hundredths.
    const EphemerisTableValues classic = ComputeEphemerisTable(dec20, dec20, 50, 10, 0, false);
    EXPECT_NEAR(rec.Magnitude, classic.planets[1].rec.Magnitude, 0.05);
    for (int i = 0; i < 7; ++i) {
        const double d = std::acos(std::sin(t.planets[i].dec * kDegree) * std::sin(classic.planets[i].dec * kDegree) +
                                   std::cos(t.planets[i].dec * kDegree) * std::cos(classic.planets[i].dec * kDegree) *
                                       std::cos((t.planets[i].ra - classic.planets[i].ra) * kDegree));
        EXPECT_LT(d / kDegree, 2.5) << i;
        EXPECT_GE(t.planets[i].azimuth, 0);
        EXPECT_LT(t.planets[i].azimuth, 360);
    }
}

TEST(PreciseReports, SunAtLondonInLocalTime) {
    // Summer solstice 2021 in London, British Summer Time (one hour east of UT): sunrise 4:43,
    // sunset 21:21.
    const double noon = 2459387.0;
    const double midnight = LocalMidnightJD(noon, 1);
    EXPECT_DOUBLE_EQ(midnight, 2459386.5 - 1.0 / 24);
    const PreciseBodyReport sun = ComputePreciseBodyReport(Body::Sun, noon, midnight, 51.5074, -0.1278);
    EXPECT_EQ(RiseSetText(sun.riseSet.rise, sun.riseSet), "4h43m");
    EXPECT_NEAR(*sun.riseSet.set, 21 + 21.0 / 60, 1.0 / 60);
    EXPECT_NEAR(*sun.transit, 13.04, 0.02);
    EXPECT_NEAR(sun.geocentric.dec, 23.44, 0.01);  // the solstice
    EXPECT_NEAR(sun.horizontal.altitude, 90 - 51.5074 + 23.44, 0.3);  // near culmination
    EXPECT_NEAR(sun.horizontal.azimuth, 180, 3);

    // In the polar night the Sun never rises: the table's "not visible"; the midnight Sun never
    // sets: "visible". It still culminates, below the horizon.
    const PreciseBodyReport night = ComputePreciseBodyReport(Body::Sun, 2459570.0, 2459569.5, 80, 0);
    EXPECT_EQ(RiseSetText(night.riseSet.rise, night.riseSet), "not visible");
    EXPECT_EQ(RiseSetText(night.riseSet.set, night.riseSet), "not visible");
    EXPECT_NEAR(*night.transit, 12, 0.1);
    const PreciseBodyReport day = ComputePreciseBodyReport(Body::Sun, 2459387.0, 2459386.5, 80, 0);
    EXPECT_EQ(RiseSetText(day.riseSet.rise, day.riseSet), "visible");
    EXPECT_EQ(RiseSetText(day.riseSet.set, day.riseSet), "visible");
}

TEST(PreciseReports, MoonlessDayReadsNone) {
    // Once a month the Moon rises late on one day and next rises after the following midnight:
    // the day between has no moonrise, which the table shows as "-".
    bool found = false;
    for (int d = 0; d < 30 && !found; ++d) {
        const double midnight = 2459580.5 + d;
        const PreciseBodyReport moon = ComputePreciseBodyReport(Body::Moon, midnight + 0.5, midnight, 50, 0);
        if (!moon.riseSet.rise) {
            found = true;
            EXPECT_EQ(RiseSetText(moon.riseSet.rise, moon.riseSet), "-");
            EXPECT_TRUE(moon.riseSet.set);
        }
    }
    EXPECT_TRUE(found);
}

TEST(PreciseReports, PlanetInfoMatchesTable) {
    const double jd = 2461391.5 + 20.5 / 24;
    const PlanetInfo info = ComputePrecisePlanetInfo(Body::Saturn, jd, 52.52, 13.40, 1);
    EXPECT_EQ(info.Frame, "apparent of date");
    const double midnight = LocalMidnightJD(jd, 1);
    const EphemerisTableValues t = ComputeEphemerisTable(jd, midnight, 52.52, 13.40, 1, true);
    EXPECT_NEAR(info.Record.GeoLongitude, t.planets[4].rec.GeoLongitude, 1e-6);
    EXPECT_DOUBLE_EQ(*info.RiseAndSet.rise, *t.planets[4].riseSet.rise);
    EXPECT_DOUBLE_EQ(*info.RiseAndSet.set, *t.planets[4].riseSet.set);
    // The Earth keeps the classic result; the Sun and the Moon are no planets.
    EXPECT_EQ(ComputePrecisePlanetInfo(Body::Earth, jd, 52.52, 13.40, 1).Frame, "J2000");
    EXPECT_THROW(ComputePrecisePlanetInfo(Body::Sun, jd, 52.52, 13.40, 1), DomainError);
    // The observer's own planet has no apparent place (it would be the Sun's).
    EXPECT_THROW(GeocentricPlace(Body::Earth, MakePreciseFrame(Instant::FromUT(jd))), DomainError);
}

TEST(PreciseReports, CatalogueToDate) {
    // θ Persei (J2000 place with its proper motion to the date: α 41.054063°, δ 49.227750°)
    // at 2028 November 13.19 TD: precession to 41.547214°, 49.348483° (Meeus example 21.b),
    // nutation +15.843″ in α and +6.218″ in δ (example 23.a).
    const double jd = 2462088.69;
    const PreciseFrame f = MakePreciseFrame(Instant::FromTT(jd));
    double ra = 41.054063 * kDegree, dec = 49.227750 * kDegree;
    CatalogueToDate(f, ra, dec);
    EXPECT_NEAR(ra / kDegree, 41.547214 + 15.843 / 3600, 0.3 / 3600);
    EXPECT_NEAR(dec / kDegree, 49.348483 + 6.218 / 3600, 0.3 / 3600);
    // The right ascension stays in 0..2π near 0h.
    double ra0 = 0, dec0 = 0;
    CatalogueToDate(f, ra0, dec0);
    EXPECT_GE(ra0, 0);
    EXPECT_LT(ra0, 2 * 3.14159265358979323846);
}

}  // namespace
}  // namespace noctaris
