#pragma once
// Truncated lunar series (ELP-2000/82 terms), the instants of the principal Moon phases, a
// four-term nutation and the positions of Jupiter's four large moons. Angles in degrees; the
// series follow the terrestrial time of their Instant.
#include <array>

#include "astro/time/instant.h"

namespace noctaris {

// Nutation in longitude and obliquity, arcseconds.
void NutationShort(double jd, double& dPsi, double& dEps);

// Moon from the short series: ra 0..360 and dec in degrees, k illuminated fraction 0..1.
void MoonPositionShort(const Instant& t, double& ra, double& dec, double& k);

// Moon from the fuller series: ra 0..360, dec, k, apparent ecliptic longitude lambda (not
// reduced), mean longitudes of perigee and ascending node (0..360) and the distance between
// the centres of Earth and Moon in km.
void MoonPositionFull(const Instant& t, double& ra, double& dec, double& k, double& lambda,
                      double& perigee, double& node, double& distance);

// Julian ephemeris day of a principal phase of the lunation selected by the civil date:
// 0 new Moon, 1 first quarter, 2 full Moon, 3 last quarter, 4 the new Moon one lunation after 0.
double MoonPhaseInstant(int day, int month, int year, int phase);

// Apparent position of a Galilean moon relative to Jupiter, in Jupiter's equatorial radii:
// X along Jupiter's equator (positive west), Y perpendicular to it (positive north), Z along
// the line of sight, positive when the moon is farther from the Earth than Jupiter's centre.
struct GalileanMoonPosition {
    double X = 0, Y = 0, Z = 0;
};
// Io, Europa, Ganymede, Callisto.
using GalileanMoonPositions = std::array<GalileanMoonPosition, 4>;

void GalileanMoons(const Instant& t, GalileanMoonPositions& positions);

}  // namespace noctaris
