#pragma once
// Physical ephemeris of a planet as the chart's Venus panel shows it: apparent diameter, phase
// angle, illuminated fraction, magnitude and the position angle of the bright limb. Positions
// come from the rectangular theory (PlanetHeliocentricJ2000) with one light-time step; the
// planet's rotation elements give the central-meridian longitudes that Saturn's magnitude needs.
//
// Planet indices: 0 Mercury, 1 Venus, 2 Earth, 3 Mars, 4 Jupiter, 5 Saturn, 6 Uranus,
// 7 Neptune, 8 Pluto.
namespace noctaris {

// Equatorial radius (km) and flattening of planet p (0..8); p outside 0..8 gives Earth's.
struct PlanetFigure {
    double EquatorialRadiusKm;
    double Flattening;
};
PlanetFigure PlanetRadius(int p);

// Orientation of a planet's rotation at T Julian centuries from J2000: pole right ascension
// and declination (degrees, J2000 equator) and the prime meridian W (degrees, whole turns
// removed) of rotation system 0, 1 or 2 (only Jupiter and Saturn have distinct systems).
struct RotationElements {
    double PoleRA = 0;
    double PoleDec = 0;
    double W = 0;
    bool Retrograde = false;  // Venus, Uranus, Pluto
};
RotationElements PlanetRotation(int p, double T, int system);

// Angles at the planet of the direction opposite to w (so w = planet minus observer gives the
// observer as seen from the planet). w in J2000 equatorial coordinates.
struct PlanetocentricAngles {
    double Declination = 0;           // degrees
    double GraphicLatitude = 0;       // planetographic latitude, degrees
    double CentralMeridian = 0;       // longitude of the central meridian, degrees 0..360
};
PlanetocentricAngles PlanetocentricOf(const RotationElements& rot, double flattening, double wx,
                                      double wy, double wz);

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

// Physical ephemeris of planet p for a civil date and hour (decimal hours, no time zone).
// Returns false and leaves `out` unchanged for the Earth (p = 2) and for p outside 0..8.
bool PlanetPhysicalEphemeris(int p, int day, int month, int year, double hour,
                             PlanetPhysical& out);

// The same with the four values the chart uses: chi, phase angle, magnitude, diameter.
void PlanetPhysicalEphemeris(int p, int day, int month, int year, double hour, double& chi,
                             double& phaseAngle, double& magnitude, double& diameter);

}  // namespace noctaris
