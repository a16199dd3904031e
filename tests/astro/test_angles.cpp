#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/coords/angles.h"
#include "astro/core/errors.h"
#include "astro/time/sidereal.h"

using namespace noctaris;

TEST(Angles, Reduce360AtItsEdges) {
    // Whole turns of either sign come back as +0, never -0 or 360.
    for (long double x : {360.0L, -360.0L, 720.0L, -0.0L, 0.0L, 3600.0L * 1e6L}) {
        const long double r = Reduce360(x);
        EXPECT_EQ(r, 0) << static_cast<double>(x);
        EXPECT_FALSE(std::signbit(r)) << static_cast<double>(x);
    }
    EXPECT_EQ(Reduce360(359.5L), 359.5L);
    EXPECT_EQ(Reduce360(-0.5L), 359.5L);
    EXPECT_EQ(Reduce360(360.25L), 0.25L);
    // The lunar argument of a far epoch (T = 50 centuries): the same as the exact remainder.
    const long double far = 134.9634114L + 477198.8676313L * 50;
    EXPECT_EQ(Reduce360(far), std::fmod(far, 360.0L));
    // Beyond a 64-bit multiple of 360 the exact remainder is taken; it stays in range.
    EXPECT_EQ(Reduce360(0x1p80L), std::fmod(0x1p80L, 360.0L));
    EXPECT_EQ(Reduce360(-0x1p80L), 360.0L + std::fmod(-0x1p80L, 360.0L));
    EXPECT_EQ(Reduce360(std::nanl("")), 0);
    EXPECT_EQ(Reduce360(HUGE_VALL), 0);
}

TEST(Angles, ReducedRadiansStayInOneTurn) {
    EXPECT_EQ(ReducedRadians(0), 0);
    EXPECT_NEAR(ReducedRadians(180), 3.14159265358979, 1e-14);
    EXPECT_NEAR(ReducedRadians(-90), 1.5 * 3.14159265358979, 1e-14);
    EXPECT_NEAR(ReducedRadians(36000.5), 0.5 * 0.017453292519943295, 1e-12);
}

TEST(Angles, InverseFunctionsAndBranches) {
    EXPECT_EQ(ArcTan2Deg(0, -1), 180.0);
    EXPECT_EQ(ArcTan2Deg(-1, 0), -90.0);
    EXPECT_EQ(ArcTan2Deg(0, 0), 0.0);
    EXPECT_NEAR(ArcTan2Deg(1, 1), 45.0, 1e-14);
    EXPECT_NEAR(ArcTan2Deg(-1, -1), -135.0, 1e-12);
    EXPECT_NEAR(ArcTan2Deg(1, std::sqrt(3.0)), 30.0, 1e-12);

    EXPECT_EQ(ArcSinDeg(1), 90.0);
    EXPECT_EQ(ArcSinDeg(-1), -90.0);
    EXPECT_EQ(ArcCosDeg(-1), 180.0);
    EXPECT_EQ(ArcCosDeg(1), 0.0);
    // Small-angle branch: x / RAD exactly, with the module's own RAD.
    EXPECT_DOUBLE_EQ(ArcSinDeg(5e-8), 5e-8 * 180 / std::numbers::pi);
    EXPECT_NEAR(ArcSinDeg(0.5), 30.0, 1e-12);
    EXPECT_NEAR(ArcCosDeg(0.5), 60.0, 1e-12);
    EXPECT_THROW(ArcSinDeg(1.0000001), DomainError);
    EXPECT_THROW(ArcCosDeg(std::nan("")), DomainError);

    EXPECT_NEAR(SinDeg(30), 0.5, 1e-15);
    EXPECT_NEAR(CosDeg(60), 0.5, 1e-15);
    EXPECT_NEAR(ArcTanDeg(1), 45.0, 1e-12);
}

TEST(Angles, Precession) {
    Matrix3 a = PrecessionMatrix(0.3, 0.3);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) EXPECT_EQ(a(r, c), r == c ? 1.0 : 0.0);

    // Theta Persei, J2000 -> 2028-11-13.19 (Meeus 21.b): 41.054063, 49.227750 -> 41.547214, 49.348483.
    a = PrecessionMatrix(0.0, 0.288670500);
    const double ra = 41.054063 * M_PI / 180, dec = 49.227750 * M_PI / 180;
    const Vec3 v = ApplyMatrix(a, {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)});
    EXPECT_NEAR(std::atan2(v.y, v.x) * 180 / M_PI, 41.547214, 2e-5);
    EXPECT_NEAR(std::asin(v.z) * 180 / M_PI, 49.348483, 2e-5);

    // Going forward and back again is the identity.
    const Vec3 back = ApplyMatrix(PrecessionMatrix(0.288670500, 0.0), v);
    EXPECT_NEAR(back.x, std::cos(dec) * std::cos(ra), 1e-9);
    EXPECT_NEAR(back.z, std::sin(dec), 1e-9);
}

TEST(Angles, EclipticAndOrbitRotations) {
    Vec3 v = EclipticToEquatorial(0, {1, 0, 0});
    EXPECT_EQ(v.x, 1.0);
    EXPECT_EQ(v.y, 0.0);
    EXPECT_EQ(v.z, 0.0);
    v = EclipticToEquatorial(0, {0, 1, 0});
    EXPECT_DOUBLE_EQ(v.y, CosDeg(23.43929111));
    EXPECT_DOUBLE_EQ(v.z, SinDeg(23.43929111));

    // An orbit with no inclination, node or perihelion argument lies in the ecliptic axes.
    v = OrbitToEcliptic(2, 3, OrbitOrientationMatrix(0, 0, 0));
    EXPECT_EQ(v.x, 2.0);
    EXPECT_EQ(v.y, 3.0);
    EXPECT_EQ(v.z, 0.0);
    // A polar orbit with node 90: perihelion direction along ecliptic y, Q towards the pole.
    const Matrix3 pqr = OrbitOrientationMatrix(90, 90, 0);
    EXPECT_NEAR(OrbitToEcliptic(0, 1, pqr).z, 1.0, 1e-15);
    EXPECT_NEAR(pqr(1, 3) * pqr(1, 3) + pqr(2, 3) * pqr(2, 3) + pqr(3, 3) * pqr(3, 3), 1.0, 1e-15);
}

TEST(Angles, ModifiedJulianDate) {
    EXPECT_EQ(ModifiedJulianDate(2000, 1, 1, 12), 51544.5);
    EXPECT_EQ(ModifiedJulianDate(1858, 11, 17, 0), 0.0);
    // The day before and after the calendar reform are consecutive days.
    EXPECT_EQ(ModifiedJulianDate(1582, 10, 15, 0) - ModifiedJulianDate(1582, 10, 4, 0), 1.0);
    EXPECT_EQ(ModifiedJulianDate(1582, 10, 4, 0), -100841.0);
    EXPECT_EQ(ModifiedJulianDate(2026, 12, 7, 21.5), 61381.0 + 21.5 / 24);
}

TEST(Angles, SiderealTimeAndHorizon) {
    // Local mean sidereal time: 13h10m46.3668s at Greenwich at 1987-04-10 0h UT; an hour of
    // it for every 15 degrees east, always within the day.
    const Instant meeus = Instant::FromUT(2446895.5);
    EXPECT_NEAR(LocalMeanSiderealHours(meeus, 0), 13.0 + 10.0 / 60 + 46.3668 / 3600, 1e-8);
    EXPECT_NEAR(LocalMeanSiderealHours(meeus, 15), 14.0 + 10.0 / 60 + 46.3668 / 3600, 1e-8);
    for (double lon = -180; lon <= 180; lon += 7.5)
        for (double ut = 0; ut < 24; ut += 1.7) {
            const double s = LocalMeanSiderealHours(Instant::FromUT(2451544.5 + lon * 3 + ut / 24), lon);
            EXPECT_GE(s, 0.0);
            EXPECT_LT(s, 24.0);
        }
    EXPECT_EQ(LocalMeanSiderealHours(Instant::FromUT(std::nan("")), 0), 0);

    // On the meridian south of the zenith: azimuth 0; north of it (above the pole): 180.
    HorizontalCoords h = EquatorialToHorizontal(1.0, 0.2, 1.0 * 12 / M_PI, 50);
    EXPECT_NEAR(h.azimuth, 0.0, 1e-9);
    EXPECT_NEAR(h.altitude, 40 + 0.2 * 180 / M_PI, 1e-9);
    EXPECT_NEAR(EquatorialToHorizontal(1.0, 80 * M_PI / 180, 1.0 * 12 / M_PI, 50).azimuth, 180.0, 1e-9);
    // Six hours west of the meridian on the equator, seen from the equator: due west, on the horizon.
    h = EquatorialToHorizontal(0, 0, 6, 0);
    EXPECT_NEAR(h.azimuth, 90.0, 1e-9);
    EXPECT_NEAR(h.altitude, 0.0, 1e-9);
    EXPECT_FALSE(std::isnan(h.azimuth));
}

TEST(Angles, PositionAngleOfTheBrightLimb) {
    // The Moon on 1992 April 12, 0h TD (Meeus, Astronomical Algorithms, example 48.a): the
    // bright limb lies at position angle 285.0 degrees.
    EXPECT_NEAR(PositionAngleTowardsDeg(134.6885, 13.7684, 20.6579, 8.6964), 285.0, 0.05);
    // Straight north, east, south and west of a point on the equator, and across 0h.
    EXPECT_NEAR(PositionAngleTowardsDeg(100, 0, 100, 10), 0, 1e-9);
    EXPECT_NEAR(PositionAngleTowardsDeg(100, 0, 110, 0), 90, 1e-9);
    EXPECT_NEAR(PositionAngleTowardsDeg(100, 0, 100, -10), 180, 1e-9);
    EXPECT_NEAR(PositionAngleTowardsDeg(5, 0, 355, 0), 270, 1e-9);
    // Over the pole: the point at the opposite right ascension is due north.
    EXPECT_NEAR(PositionAngleTowardsDeg(0, 80, 180, 80), 0, 1e-9);
}
