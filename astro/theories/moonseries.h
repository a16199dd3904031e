#pragma once
// Truncated lunar series (ELP-2000/82 terms), a four-term nutation and the positions of
// Jupiter's four large moons. Angles in degrees; the series follow the terrestrial time of
// their Instant.
#include <array>

#include "astro/time/instant.h"

namespace noctaris {

struct ShortNutation {
    double Longitude = 0;  // nutation in longitude, arcseconds
    double Obliquity = 0;  // nutation in obliquity, arcseconds
};
ShortNutation NutationShort(const Instant& t);

// The Moon from the short series.
struct MoonShortPlace {
    double RightAscension = 0;      // degrees, 0..360
    double Declination = 0;         // degrees
    double IlluminatedFraction = 0; // 0..1
};
MoonShortPlace MoonPositionShort(const Instant& t);

// The Moon from the fuller series.
struct MoonFullPlace {
    double RightAscension = 0;      // apparent, degrees, 0..360
    double Declination = 0;         // apparent, degrees
    double IlluminatedFraction = 0; // 0..1
    double Longitude = 0;           // apparent ecliptic longitude, degrees (not reduced)
    double PerigeeLongitude = 0;    // mean longitude of the perigee, degrees, 0..360
    double NodeLongitude = 0;       // mean longitude of the ascending node, degrees, 0..360
    double DistanceKm = 0;          // between the centres of Earth and Moon, km
};
MoonFullPlace MoonPositionFull(const Instant& t);

// Apparent position of a Galilean moon relative to Jupiter, in Jupiter's equatorial radii:
// X along Jupiter's equator (positive west), Y perpendicular to it (positive north), Z along
// the line of sight, positive when the moon is farther from the Earth than Jupiter's centre.
struct GalileanMoonPosition {
    double X = 0, Y = 0, Z = 0;
};
// Io, Europa, Ganymede, Callisto.
using GalileanMoonPositions = std::array<GalileanMoonPosition, 4>;

GalileanMoonPositions GalileanMoons(const Instant& t);

}  // namespace noctaris
