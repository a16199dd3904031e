#include "astro/theories/moonseries.h"

#include <gtest/gtest.h>

#include <cmath>

namespace noctaris {
namespace {

double AngleDiff(double a, double b) { return std::remainder(a - b, 360.0); }

MoonFullPlace Full(double jd) { return MoonPositionFull(Instant::FromTT(jd)); }

TEST(NutationShortTest, FourTermsAtJ2000) {
    ShortNutation n = NutationShort(Instant::FromTT(2451545.0));
    EXPECT_NEAR(n.Longitude, -14.031, 0.0005);
    EXPECT_NEAR(n.Obliquity, -5.761, 0.0005);
    // 1987-04-10 0h TD: the full theory gives -3.788" and +9.443"; four terms come close.
    n = NutationShort(Instant::FromTT(2446895.5));
    EXPECT_NEAR(n.Longitude, -3.788, 0.5);
    EXPECT_NEAR(n.Obliquity, 9.443, 0.5);
}

TEST(MoonSeriesTest, FullSeriesAtTheTextbookInstant) {
    // 1992-04-12 0h TD: apparent lambda 133.167265, RA 134.688470, dec 13.768368, distance
    // 368409.7 km from the complete series; the truncation costs about 0.001 deg.
    const MoonFullPlace m = Full(2448724.5);
    EXPECT_NEAR(m.Longitude, 133.167265, 0.002);
    EXPECT_NEAR(m.RightAscension, 134.688470, 0.002);
    EXPECT_NEAR(m.Declination, 13.768368, 0.002);
    EXPECT_NEAR(m.DistanceKm, 368409.7, 1.0);
    EXPECT_NEAR(m.IlluminatedFraction, 0.68, 0.01);
    // Mean node and perigee: polynomials reduced into 0..360.
    EXPECT_NEAR(m.NodeLongitude, 274.4007, 1e-3);
    EXPECT_GE(m.PerigeeLongitude, 0);
    EXPECT_LT(m.PerigeeLongitude, 360);
}

TEST(MoonSeriesTest, ShortAndFullAgree) {
    for (double jd = 2415020.5; jd < 2488070.5; jd += 1234.567) {
        const MoonShortPlace s = MoonPositionShort(Instant::FromTT(jd));
        const double ra = s.RightAscension, dec = s.Declination, k = s.IlluminatedFraction;
        const MoonFullPlace m = Full(jd);
        EXPECT_EQ(k, m.IlluminatedFraction) << jd;  // same phase formula from the same arguments
        EXPECT_NEAR(AngleDiff(ra, m.RightAscension), 0, 0.5) << jd;
        EXPECT_NEAR(dec, m.Declination, 0.3) << jd;
        EXPECT_GE(ra, 0);
        EXPECT_LT(ra, 360);
        EXPECT_GT(m.DistanceKm, 356000);
        EXPECT_LT(m.DistanceKm, 407000);
    }
}

TEST(MoonSeriesTest, StaysFiniteAndInRange) {
    for (double jd = 2305447.5; jd < 2597641.5; jd += 3.17) {
        const MoonShortPlace s = MoonPositionShort(Instant::FromTT(jd));
        const double ra = s.RightAscension, dec = s.Declination, k = s.IlluminatedFraction;
        ASSERT_TRUE(std::isfinite(ra) && std::isfinite(dec)) << jd;
        ASSERT_LE(std::fabs(dec), 30);
        ASSERT_GE(k, 0);
        ASSERT_LE(k, 1);
    }
}

TEST(GalileanMoonsTest, TextbookConfiguration) {
    // 1992-12-16 0h UT.
    const GalileanMoonPositions p = GalileanMoons(Instant::FromTT(2448972.50068));
    const double X[] = {-3.44, 7.44, 1.24, 7.08};
    const double Y[] = {0.21, 0.25, 0.65, 1.10};
    const double r[] = {5.9, 9.4, 15.0, 26.4};
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(p[j].X, X[j], 0.011) << j;
        EXPECT_NEAR(p[j].Y, Y[j], 0.011) << j;
        EXPECT_NEAR(std::hypot(p[j].X, p[j].Z), r[j], 0.2) << j;
    }
}

TEST(GalileanMoonsTest, InFrontOfAndBehindTheDisc) {
    // 2015-01-24 06:30 UT, the triple shadow transit: Io crosses the disc, in front of Jupiter,
    // moving west (X increasing).
    const double transit = 2457046.5 + 6.5 / 24;
    GalileanMoonPositions p = GalileanMoons(Instant::FromUT(transit));
    GalileanMoonPositions later = GalileanMoons(Instant::FromUT(transit + 0.01));
    EXPECT_LT(std::fabs(p[0].X), 1);
    EXPECT_LT(p[0].Z, 0);
    EXPECT_GT(later[0].X, p[0].X);
    // Half a synodic period later Io is hidden behind the disc.
    p = GalileanMoons(Instant::FromUT(transit + 1.769861 / 2));
    EXPECT_LT(std::fabs(p[0].X), 1);
    EXPECT_GE(p[0].Z, 0);
    // Whenever a moon is on the disc line of sight its motion tells front from back.
    for (double jd = 2451545.0; jd < 2451545.0 + 60; jd += 0.02) {
        p = GalileanMoons(Instant::FromTT(jd));
        later = GalileanMoons(Instant::FromTT(jd + 0.001));
        for (int j = 0; j < 4; ++j) {
            if (std::fabs(p[j].X) >= 1) continue;
            if (p[j].Z < 0)
                EXPECT_GT(later[j].X, p[j].X) << jd << " moon " << j;
            else
                EXPECT_LT(later[j].X, p[j].X) << jd << " moon " << j;
        }
    }
}

}  // namespace
}  // namespace noctaris
