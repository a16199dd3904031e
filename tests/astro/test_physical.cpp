#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/core/errors.h"
#include "astro/coords/angles.h"
#include "astro/theories/physical.h"
#include "astro/theories/planets.h"

using namespace noctaris;

namespace {


// Position angle (degrees, from north through east) of the Sun as seen beside Venus, from the
// spherical theory: the direction in which the bright limb must face.
double SunPositionAngleFromVenus(int day, int month, int year, double hour) {
    const double jd = ModifiedJulianDate(year, month, day, hour) + 2400000.5;
    const PlanetEphemerisResult venus = PlanetEphemeris(Body::Venus, jd, 0, 0, 0);
    const PlanetEphemerisRecord earth = PlanetEphemeris(Body::Earth, jd, 0, 0, 0).record;
    const double ra = venus.ra, dec = venus.dec;
    const double lambda = (earth.HelioLongitude + 180) * std::numbers::pi / 180, eps = 23.4393 * std::numbers::pi / 180;
    const double raS = std::atan2(std::sin(lambda) * std::cos(eps), std::cos(lambda));
    const double decS = std::asin(std::sin(eps) * std::sin(lambda));
    const double a = ra * std::numbers::pi / 180, d = dec * std::numbers::pi / 180;
    double pa = std::atan2(std::cos(decS) * std::sin(raS - a),
                           std::sin(decS) * std::cos(d) - std::cos(decS) * std::sin(d) * std::cos(raS - a)) *
                180 / std::numbers::pi;
    return pa < 0 ? pa + 360 : pa;
}

double AngleGap(double a, double b) {
    const double g = std::fmod(std::fabs(a - b), 360.0);
    return g > 180 ? 360 - g : g;
}

}  // namespace

TEST(PlanetPhysical, VenusThroughItsPhases) {
    // Superior conjunction 2026-01-06, greatest eastern elongation 2026-08-15 (45.9°),
    // inferior conjunction 2026-10-24.
    const PlanetPhysical sup = *PlanetPhysicalEphemeris(Body::Venus, 2026, 1, 6, 12);
    const PlanetPhysical elong = *PlanetPhysicalEphemeris(Body::Venus, 2026, 8, 15, 12);
    const PlanetPhysical inf = *PlanetPhysicalEphemeris(Body::Venus, 2026, 10, 24, 12);

    EXPECT_GT(sup.IlluminatedFraction, 0.99);
    EXPECT_NEAR(sup.Diameter, 9.7, 0.3);
    EXPECT_LT(sup.Elongation, 2);

    EXPECT_NEAR(elong.Elongation, 45.9, 0.5);
    EXPECT_NEAR(elong.PhaseAngle, 90, 3);
    EXPECT_NEAR(elong.IlluminatedFraction, 0.5, 0.03);
    EXPECT_NEAR(elong.Diameter, 24.4, 0.5);

    EXPECT_LT(inf.IlluminatedFraction, 0.02);
    EXPECT_GT(inf.PhaseAngle, 170);
    EXPECT_NEAR(inf.Diameter, 61, 1.5);

    for (const PlanetPhysical* p : {&sup, &elong, &inf}) {
        EXPECT_GT(p->Magnitude, -4.9);
        EXPECT_LT(p->Magnitude, -3.8);
        EXPECT_NEAR(p->IlluminatedFraction, (1 + std::cos(p->PhaseAngle * std::numbers::pi / 180)) / 2, 1e-12);
    }
}

TEST(PlanetPhysical, MagnitudeAsTheEphemerisGivesIt) {
    // The panel and the ephemeris table show one magnitude: the same curve, and the two theories'
    // places differ by far less than would change it by 0.05.
    for (const Body planet : {Body::Mercury, Body::Venus, Body::Mars, Body::Jupiter, Body::Saturn})
        for (int month = 1; month <= 12; month += 1) {
            const PlanetPhysical panel = *PlanetPhysicalEphemeris(planet, 2026, month, 1, 12);
            const double jd = ModifiedJulianDate(2026, month, 1, 12) + 2400000.5;
            EXPECT_NEAR(panel.Magnitude, PlanetEphemeris(planet, jd, 50, 12, 1).record.Magnitude, 0.05)
                << BodyName(planet) << " " << month;
        }
}

TEST(PlanetPhysical, BrightLimbFacesTheSun) {
    const struct { int d, m, y; double h; } dates[] = {
        {15, 8, 2026, 12}, {7, 12, 2026, 21}, {3, 1, 2027, 0}, {1, 6, 2025, 12}, {20, 3, 2024, 6}};
    for (const auto& t : dates) {
        const std::optional<PlanetPhysical> v = PlanetPhysicalEphemeris(Body::Venus, t.y, t.m, t.d, t.h);
        ASSERT_TRUE(v);
        const PlanetPhysical& r = *v;
        EXPECT_GE(r.PositionAngle, 0);
        EXPECT_LT(r.PositionAngle, 360);
        EXPECT_LT(AngleGap(r.PositionAngle, SunPositionAngleFromVenus(t.d, t.m, t.y, t.h)), 1.0)
            << t.d << "." << t.m << "." << t.y;
    }
}

TEST(PlanetPhysical, NoneForBodiesThatAreNotSeenPlanets) {
    for (const Body b : {Body::Earth, Body::Sun, Body::Moon})
        EXPECT_FALSE(PlanetPhysicalEphemeris(b, 2026, 12, 7, 21)) << BodyName(b);
}

TEST(PlanetPhysical, OtherPlanetsGivePlausibleFigures) {
    // 2026-12-07: Jupiter two months before opposition, Saturn in the evening sky.
    const PlanetPhysical jupiter = *PlanetPhysicalEphemeris(Body::Jupiter, 2026, 12, 7, 21);
    const PlanetPhysical saturn = *PlanetPhysicalEphemeris(Body::Saturn, 2026, 12, 7, 21);
    const PlanetPhysical mercury = *PlanetPhysicalEphemeris(Body::Mercury, 2026, 12, 7, 21);
    EXPECT_NEAR(jupiter.Magnitude, -2.4, 0.4);
    EXPECT_NEAR(jupiter.Diameter, 40, 4);
    EXPECT_LT(jupiter.PhaseAngle, 12);
    EXPECT_NEAR(saturn.Magnitude, 0.7, 0.5);
    EXPECT_NEAR(saturn.Diameter, 18, 2);
    EXPECT_GT(mercury.Diameter, 4.5);
    EXPECT_LT(mercury.Diameter, 13);
}

TEST(PlanetPhysical, FiguresAndRotationTables) {
    EXPECT_EQ(PlanetRadius(Body::Venus).EquatorialRadiusKm, 6051);
    EXPECT_EQ(PlanetRadius(Body::Saturn).Flattening, 0.1076209);
    EXPECT_EQ(PlanetRadius(Body::Earth).EquatorialRadiusKm, 6378.14);
    EXPECT_THROW(PlanetRadius(Body::Moon), DomainError);  // no other body's figure in its place
    EXPECT_THROW(PlanetRotation(Body::Sun, 0, 0), DomainError);

    const double t = 0.27;
    EXPECT_TRUE(PlanetRotation(Body::Venus, t, 0).Retrograde);
    EXPECT_TRUE(PlanetRotation(Body::Uranus, t, 0).Retrograde);
    EXPECT_FALSE(PlanetRotation(Body::Jupiter, t, 0).Retrograde);
    // Jupiter has three rotation systems, Saturn's first two coincide.
    EXPECT_NE(PlanetRotation(Body::Jupiter, t, 0).W, PlanetRotation(Body::Jupiter, t, 1).W);
    EXPECT_NE(PlanetRotation(Body::Jupiter, t, 1).W, PlanetRotation(Body::Jupiter, t, 2).W);
    EXPECT_EQ(PlanetRotation(Body::Saturn, t, 0).W, PlanetRotation(Body::Saturn, t, 1).W);
    EXPECT_NE(PlanetRotation(Body::Saturn, t, 1).W, PlanetRotation(Body::Saturn, t, 2).W);
    for (const Body p : kPlanets) EXPECT_LT(std::fabs(PlanetRotation(p, t, 0).W), 360) << BodyName(p);
    EXPECT_DOUBLE_EQ(PlanetRotation(Body::Mars, 0, 0).PoleRA, 317.681);
    EXPECT_DOUBLE_EQ(PlanetRotation(Body::Mercury, 0, 0).W, 329.71);
}

TEST(PlanetPhysical, PlanetocentricAngles) {
    RotationElements rot = PlanetRotation(Body::Jupiter, 0.25, 0);
    const double a0 = rot.PoleRA * std::numbers::pi / 180, d0 = rot.PoleDec * std::numbers::pi / 180;
    const double px = std::cos(d0) * std::cos(a0), py = std::cos(d0) * std::sin(a0), pz = std::sin(d0);
    // An observer on the north pole axis (w points from the observer to the planet).
    EXPECT_NEAR(PlanetocentricOf(rot, 0.0648088, {-px, -py, -pz}).Declination, 90, 1e-6);
    EXPECT_NEAR(PlanetocentricOf(rot, 0.0648088, {px, py, pz}).Declination, -90, 1e-6);
    // An observer in the equator plane: declination 0, and the oblate figure leaves it 0.
    const double ex = -std::sin(a0), ey = std::cos(a0);
    const PlanetocentricAngles eq = PlanetocentricOf(rot, 0.0648088, {ex, ey, 0});
    EXPECT_NEAR(eq.Declination, 0, 1e-9);
    EXPECT_NEAR(eq.GraphicLatitude, 0, 1e-9);
    // The planetographic latitude lies further from the equator than the planetocentric one.
    const PlanetocentricAngles mid = PlanetocentricOf(rot, 0.0648088, {ex - px, ey - py, -pz});
    EXPECT_GT(std::fabs(mid.GraphicLatitude), std::fabs(mid.Declination));

    // A prograde planet turns its surface under a fixed observer: the central meridian grows
    // with time (877.9°/day for Jupiter's system 0, 36.6° an hour).
    const double t0 = 0.25, t1 = t0 + 1.0 / 24 / 36525;
    const double cm0 = PlanetocentricOf(PlanetRotation(Body::Jupiter, t0, 0), 0, {ex, ey, 0}).CentralMeridian;
    const double cm1 = PlanetocentricOf(PlanetRotation(Body::Jupiter, t1, 0), 0, {ex, ey, 0}).CentralMeridian;
    EXPECT_NEAR(std::fmod(cm1 - cm0 + 720, 360), 877.9 / 24, 0.01);
    EXPECT_GE(cm0, 0);
    EXPECT_LT(cm0, 360);
}
