#pragma once
// Eclipses and planetary phenomena for the astronomical calendar: the next solar and lunar
// eclipse with type and magnitude (found from mean lunations with periodic corrections, in the
// manner of Meeus, Astronomical Algorithms ch. 54, and measured at the greatest phase by
// eclipse_geometry.h), the conjunctions and oppositions of Mercury ...
// Neptune with the Sun and the greatest elongations of Mercury and Venus (ch. 36).
//
// Every result is a Julian day of dynamical time. Only a body without such events raises
// (DomainError); each search goes on until it finds its event.
#include <optional>

#include "astro/core/body.h"

namespace noctaris {

// The penumbra's radius in Earth radii at the Moon's distance, by the lunation series.
inline constexpr double kPenumbralLimit = 1.5573;

// The eclipse quantities of one syzygy.
struct EclipseElementSet {
    double JDE = 0;     // corrected time of the syzygy (mean time when no eclipse is possible)
    double Gamma = 0;   // |least distance of the shadow axis from the Earth's centre|, Earth radii
    double U = 0;       // radius of the umbral cone in the fundamental plane, Earth radii
    double MPrime = 0;  // the Moon's mean anomaly, radians 0..2pi
};
// k integral for a new moon, integral + 0.5 for a full moon. When the Moon is too far from a
// node (|sin F| >= 0.36) no eclipse is possible: Gamma = 2, U = 0.
EclipseElementSet EclipseElements(double k);

// Solar eclipse types: 1 total, 2 annular ("ring-shaped"), 3 annular-total, 4 non-central total,
// 5 non-central annular, 6 partial (with magnitude).
struct SolarEclipse {
    double JDE = 0;
    int Type = 0;
    double Magnitude = 0;  // type 6 only, else 0
};
// The solar eclipse at the new moon of lunation k (counted from the new moon of 2000-01-06), or
// none when the shadow misses the Earth.
std::optional<SolarEclipse> SolarEclipseAt(double k);
// The first solar eclipse from about jd on.
SolarEclipse NextSolarEclipse(double jd);

// Lunar eclipse types: 1 total and 6 partial (umbral magnitude), 7 penumbral (penumbral
// magnitude).
struct LunarEclipse {
    double JDE = 0;
    int Type = 0;
    double Magnitude = 0;
    double PartialSemiDuration = 0;    // hours; 0 for a penumbral eclipse
    double TotalSemiDuration = 0;      // hours; 0 unless total
    double PenumbralSemiDuration = 0;  // hours; penumbral eclipses only
};
// The lunar eclipse at the full moon k (a lunation number + 0.5), or none when the Moon misses
// the penumbra.
std::optional<LunarEclipse> LunarEclipseAt(double k);
// The first lunar eclipse from about jd on.
LunarEclipse NextLunarEclipse(double jd);

// Planets: the seven of kObservedPlanets; any other body raises DomainError. Events: 0 inferior
// conjunction (Mercury, Venus) or opposition, 1 superior conjunction or conjunction.
// Cycle number k to start a year's search from (a little before the year).
int FirstPhenomenonIndex(int year, Body planet, int event);
// Time of the event of cycle k.
double PlanetPhenomenonTime(Body planet, int event, int k);
// Greatest elongation of Mercury or Venus, side 0 eastern or 1 western, around the inferior
// conjunction of cycle k.
struct GreatestElongation {
    double JDE = 0;         // Julian day of dynamical time
    double Elongation = 0;  // from the Sun, degrees
};
GreatestElongation GreatestElongationTime(Body planet, int side, int k);

}  // namespace noctaris
