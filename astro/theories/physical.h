#pragma once
// Physical ephemeris of a planet as the chart's Venus panel shows it: apparent diameter, phase
// angle, illuminated fraction, magnitude and the position angle of the bright limb. Positions
// come from the rectangular theory (PlanetHeliocentricJ2000) with one light-time step; the
// planet's rotation elements give the central-meridian longitudes that Saturn's magnitude needs.
#include <optional>

#include "astro/core/body.h"
#include "astro/coords/angles.h"

namespace noctaris {

// Equatorial radius and flattening of a planet; DomainError for the Sun and the Moon.
struct PlanetFigure {
    double EquatorialRadiusKm;  // km
    double Flattening;          // (a - b) / a
};
PlanetFigure PlanetRadius(Body planet);

// Orientation of a planet's rotation at T Julian centuries from J2000: pole right ascension
// and declination (degrees, J2000 equator) and the prime meridian W (degrees, whole turns
// removed) of rotation system 0, 1 or 2 (only Jupiter and Saturn have distinct systems).
// DomainError for the Sun and the Moon.
struct RotationElements {
    double PoleRA = 0;   // degrees
    double PoleDec = 0;  // degrees
    double W = 0;        // degrees
    bool Retrograde = false;  // Venus, Uranus
};
RotationElements PlanetRotation(Body planet, double T, int system);

// Angles at the planet of the direction opposite to w (so w = planet minus observer gives the
// observer as seen from the planet). w in J2000 equatorial coordinates.
struct PlanetocentricAngles {
    double Declination = 0;           // degrees
    double GraphicLatitude = 0;       // planetographic latitude, degrees
    double CentralMeridian = 0;       // longitude of the central meridian, degrees 0..360
};
PlanetocentricAngles PlanetocentricOf(const RotationElements& rot, double flattening, Vec3 w);

struct PlanetPhysical {
    double PositionAngle = 0;        // chi: position angle of the bright limb, degrees 0..360
    double PhaseAngle = 0;           // i, degrees 0..180
    double Magnitude = 0;            // visual magnitude
    double Diameter = 0;             // apparent diameter, arcseconds
    double IlluminatedFraction = 0;  // (1 + cos i) / 2
    double Elongation = 0;           // from the Sun, degrees
    double DeltaU = 0;               // central meridian seen from the Sun minus seen from the Earth
    double SunDeclination = 0;       // B: planetocentric declination of the Sun, degrees
};

// Physical ephemeris of a planet for a civil date and hour (decimal hours, no time zone); none
// for the Earth, the Sun and the Moon.
std::optional<PlanetPhysical> PlanetPhysicalEphemeris(Body planet, int year, int month, int day,
                                                      double hour);

}  // namespace noctaris
