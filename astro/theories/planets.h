#pragma once
// Planetary theory: Keplerian ellipses from two element sets.
//
//  * A rectangular theory (PlanetHeliocentricJ2000) from fixed osculating elements, giving
//    heliocentric ecliptic coordinates referred to J2000; the chart's physical ephemeris uses it.
//  * A spherical theory (PlanetEphemeris) from mean elements of date with secular rates, a coarse
//    reduction to the J2000 equinox and empirical Fourier corrections for the four outer
//    planets; it yields heliocentric and geocentric coordinates, right ascension and
//    declination, diameter, magnitude and rising and setting times.
//
// Neither applies light time, aberration or nutation. Planet names are the English names
// "Mercury" .. "Neptune" (case-sensitive); the spherical theory treats any other name as "Venus".
#include <array>
#include <string_view>

#include "astro/core/translatable.h"

namespace noctaris {

// The eight major planets in order from the Sun: index 0 Mercury ... 7 Neptune, the Earth at
// kEarthIndex. The one table of their names; the theories below are asked by these names.
// Shown through the "Planet" translations; computations and files keep the English names.
inline constexpr std::array<const char*, 8> kPlanetNames = {
    QT_TRANSLATE_NOOP("Planet", "Mercury"), QT_TRANSLATE_NOOP("Planet", "Venus"),
    QT_TRANSLATE_NOOP("Planet", "Earth"),   QT_TRANSLATE_NOOP("Planet", "Mars"),
    QT_TRANSLATE_NOOP("Planet", "Jupiter"), QT_TRANSLATE_NOOP("Planet", "Saturn"),
    QT_TRANSLATE_NOOP("Planet", "Uranus"),  QT_TRANSLATE_NOOP("Planet", "Neptune")};
inline constexpr int kEarthIndex = 2;
// The Sun and the Moon by the names the hit lists and the precise places use, shown like the
// planets' names.
inline constexpr const char* kSunName = QT_TRANSLATE_NOOP("Planet", "Sun");
inline constexpr const char* kMoonName = QT_TRANSLATE_NOOP("Planet", "Moon");
// The seven planets seen from the Earth, index 0 Mercury, 1 Venus, 2 Mars ... 6 Neptune.
constexpr const char* ObservedPlanetName(int index) {
    return kPlanetNames[index < kEarthIndex ? index : index + 1];
}

// The twelve-field result of PlanetEphemeris, in this order.
struct PlanetEphemerisRecord {
    double HelioLongitude = 0;  // heliocentric ecliptic longitude, degrees 0..360
    double RadiusVector = 0;    // heliocentric distance, AU
    double Distance = 0;        // geocentric distance, AU
    double GeoLongitude = 0;    // geocentric ecliptic longitude, degrees 0..360
    double GeoLatitude = 0;     // geocentric ecliptic latitude, degrees
    double RAHours = 0;         // whole hours of right ascension
    double RAMinutes = 0;       // remaining minutes of right ascension
    double DecDegrees = 0;      // whole degrees of declination, truncated toward zero
    double DecMinutes = 0;      // remaining arcminutes, with the sign of the declination
    double Diameter = 0;        // apparent diameter, arcseconds
    double Magnitude = 0;       // visual magnitude
    double HelioLatitude = 0;   // heliocentric ecliptic latitude, degrees
};

// Rise/set codes in place of a time.
inline constexpr double kNeverRises = -1.0;
inline constexpr double kNeverSets = -2.0;

// Eccentric anomaly in degrees for mean anomaly M (degrees) and eccentricity e (Newton,
// at most 15 steps; non-convergence is not reported).
double EccentricAnomaly(double M, double e);

// Position (AU, x towards perihelion) and velocity (AU/day) in the orbit plane.
void EllipticOrbitPosition(double M, double a, double e, double& x, double& y, double& vx,
                           double& vy);

// Heliocentric ecliptic rectangular coordinates (AU, J2000) of planet index 0 Mercury,
// 1 Venus, 2 Earth, 3 Mars, 4 Jupiter, 5 Saturn, 6 Uranus, 7 Neptune, 8 Pluto; any other index
// is Earth. T in Julian centuries from J2000.
void PlanetHeliocentricJ2000(int index, double T, double& x, double& y, double& z);

// Mean elements of date: a (AU), e, d1 (diameter in arcseconds at 1 AU), i, node, peri
// (longitude of perihelion) and M (reduced to 0..360), degrees. For an unknown name only M is
// written (as 0).
void PlanetElementsOfDate(std::string_view name, double T, double& a, double& e, double& d1,
                          double& i, double& node, double& peri, double& M);

// Eccentric anomaly (radians) for mean anomaly M (radians) by fixed-point iteration, at most
// 39 new values.
double SolveKeplerIterative(double e, double M);

// Empirical corrections for "Jupiter", "Saturn", "Uranus", "Neptune": dR in 0.001 AU, dL in
// arcminutes. Other names leave both unchanged.
void OuterPlanetCorrections(std::string_view name, double jd, double& dR, double& dL);

// Visual magnitude from r (Sun-planet), delta (Earth-planet), R (Sun-Earth) in AU, T in
// Julian centuries, dec and ra in degrees (Saturn's ring only). Written only for the seven
// planets other than Earth.
void PlanetMagnitude(std::string_view name, double r, double delta, double R, double T,
                     double dec, double ra, double& mag);

// Rising and setting of a point at (ra, dec) degrees, at altitude 0 without refraction, for
// the instant jd: local clock hours, or kNeverRises / kNeverSets.
void PlanetRiseSet(double ra, double dec, double jd, double latitude, double longitude,
                   double zone, double& rise, double& set);

// Full ephemeris of a planet for the Julian day jd and an observer at latitude (north
// positive), longitude (east positive) and zone (hours east of UT). ra (0..360) and dec in
// degrees. For "Earth" only HelioLongitude, RadiusVector and HelioLatitude are written.
void PlanetEphemeris(std::string_view name, double jd, double latitude, double longitude,
                     double zone, double& rise, double& set, double& ra, double& dec,
                     PlanetEphemerisRecord& rec);

// Heliocentric longitude in degrees as PlanetEphemeris computes it, not reduced to 0..360.
double PlanetHeliocentricLongitude(std::string_view name, double jd);

}  // namespace noctaris
