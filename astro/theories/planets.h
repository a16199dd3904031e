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
// Neither applies light time, aberration or nutation. Both are asked by Body; the Sun and the
// Moon have no elements here.
#include <optional>

#include "astro/core/body.h"
#include "astro/coords/angles.h"

namespace noctaris {

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

// Eccentric anomaly in degrees for mean anomaly M (degrees) and eccentricity e (Newton,
// at most 15 steps; non-convergence is not reported).
double EccentricAnomaly(double M, double e);

// A point of a Kepler ellipse in its orbit plane, x towards the perihelion.
struct OrbitPlanePoint {
    double x = 0, y = 0;    // AU
    double vx = 0, vy = 0;  // AU/day
};
// M in degrees, a in AU.
OrbitPlanePoint EllipticOrbitPosition(double M, double a, double e);

// Heliocentric ecliptic rectangular coordinates (AU, J2000) of a planet (the Earth included), T
// in Julian centuries from J2000. Raises DomainError for the Sun and the Moon.
Vec3 PlanetHeliocentricJ2000(Body planet, double T);

// Mean elements of date.
struct MeanElements {
    double a = 0;     // semi-major axis, AU
    double e = 0;     // eccentricity
    double d1 = 0;    // apparent diameter at 1 AU, arcseconds
    double i = 0;     // inclination, degrees
    double node = 0;  // longitude of the ascending node, degrees
    double peri = 0;  // longitude of the perihelion, degrees
    double M = 0;     // mean anomaly, degrees 0..360
};
// None for the Sun and the Moon.
std::optional<MeanElements> PlanetElementsOfDate(Body planet, double T);

// Eccentric anomaly (radians) for mean anomaly M (radians) by fixed-point iteration, at most
// 39 new values.
double SolveKeplerIterative(double e, double M);

// Empirical corrections of Jupiter, Saturn, Uranus and Neptune at the Julian day jd; zero for
// the other bodies.
struct OuterCorrection {
    double dR = 0;  // radius vector, 0.001 AU
    double dL = 0;  // longitude, arcminutes
};
OuterCorrection OuterPlanetCorrections(Body planet, double jd);

// Visual magnitude from r (Sun-planet), delta (Earth-planet), R (Sun-Earth) in AU, T in
// Julian centuries from J2000, and the planet's geocentric dec and ra in degrees (for the tilt
// of Saturn's rings and Uranus' pole): the phase curves of Mallama and Hilton (2018), which the
// almanacs use. None for the Sun, the Moon and the Earth.
std::optional<double> PlanetMagnitude(Body planet, double r, double delta, double R, double T,
                                      double dec, double ra);

// A day's rising and setting as local clock hours. When one is missing, alwaysAbove or
// alwaysBelow says where the body stayed; with neither, there is none on this day.
struct RiseSet {
    std::optional<double> rise, set;  // local clock hours
    bool alwaysAbove = false;         // never sets
    bool alwaysBelow = false;         // never rises
};

// The altitude of a planet's centre when it rises or sets: the horizon lowered by the 34' of
// the standard refraction there, degrees.
inline constexpr double kPlanetHorizonDeg = -34.0 / 60.0;

// Rising and setting on the local civil day of jd of a point at (ra, dec) degrees (equator of
// date), when its geometric altitude is horizonDeg.
RiseSet PlanetRiseSet(double ra, double dec, double jd, double latitude, double longitude,
                      double zone, double horizonDeg = 0);

// The spherical theory's result for one planet.
struct PlanetEphemerisResult {
    PlanetEphemerisRecord record;
    double ra = 0;   // right ascension, degrees 0..360
    double dec = 0;  // declination, degrees
    RiseSet riseSet;
};
// Full ephemeris of a planet for the Julian day jd and an observer at latitude (north
// positive), longitude (east positive) and zone (hours east of UT). Rising and setting are
// those of the centre at kPlanetHorizonDeg, from the place of date at the event's instant. For the Earth only the
// record's HelioLongitude, RadiusVector and HelioLatitude are meaningful. Raises DomainError for
// the Sun and the Moon.
PlanetEphemerisResult PlanetEphemeris(Body planet, double jd, double latitude, double longitude,
                                      double zone);

// Everything of PlanetEphemeris but the rising and setting (the places of J2000), for a
// caller that wants many places. Raises DomainError for the Sun and the Moon.
PlanetEphemerisResult PlanetPlace(Body planet, double jd);

// Heliocentric longitude in degrees as PlanetEphemeris computes it, not reduced to 0..360.
// Raises DomainError for the Sun and the Moon.
double PlanetHeliocentricLongitude(Body planet, double jd);

}  // namespace noctaris
