#pragma once
// The precise places (astro/precise/precise.h) in the shapes the reports already use: the
// planetary ephemeris record, rise and set as local clock hours, one body's block
// for the Sun and Moon windows, and the turn of a J2000 catalogue place to the equinox of date
// for the chart. Every report that shows precise values names its frame with FrameLabel.
#include <optional>
#include <string_view>

#include "astro/theories/planets.h"
#include "astro/precise/precise.h"

namespace noctaris {

inline constexpr std::string_view kFrameJ2000 = "J2000";
inline constexpr std::string_view kFrameApparentOfDate = "apparent of date";
// "apparent of date" with the precise switch on, "J2000" with it off.
constexpr std::string_view FrameLabel(bool precise) {
    return precise ? kFrameApparentOfDate : kFrameJ2000;
}

// Local apparent sidereal time, hours 0..24, for an east longitude in degrees.
double PreciseLocalSiderealHours(const PreciseFrame& frame, double longitude);

// The day's rising and setting as local clock hours since jdMidnight.
RiseSet ClockRiseSet(const RiseTransitSetTimes& day, double jdMidnight);

// A planet's ephemeris record from its precise geocentric place: heliocentric place on the mean
// ecliptic of date, true distance, apparent ecliptic and equatorial place of date (split as
// PlanetEphemeris splits them), apparent diameter and the magnitude of the classic formula
// evaluated at the precise distances.
PlanetEphemerisRecord PrecisePlanetRecord(Body planet, const ApparentPlace& geocentric,
                                          const PreciseFrame& frame);

// One body as the Sun and Moon windows (and the planet window's computed block) show it in
// precise mode, for the instant jdUT, the civil day starting at jdMidnight and a site on the
// sea-level ellipsoid.
struct PreciseBodyReport {
    ApparentPlace geocentric;
    ApparentPlace topocentric;
    HorizontalPlace horizontal;  // of the topocentric place; observed, azimuth from the north
    RiseSet riseSet;                // local clock hours (ClockRiseSet)
    std::optional<double> transit;  // local clock hours; none on this day
    double localSiderealHours = 0;
};
// The events are those of the day of `dayLength` days (23 or 25 hours on a day the clock
// changes) from the local midnight jdMidnight.
PreciseBodyReport ComputePreciseBodyReport(Body body, double jdUT, double jdMidnight,
                                           double latitude, double longitude, double dayLength = 1);

// A catalogue place (J2000/ICRS, radians) turned to the true equator and equinox of the frame's
// date: the one matrix per chart frame that keeps the stars with the precise bodies (annual
// aberration, at most 20″, is left out).
void CatalogueToDate(const PreciseFrame& frame, double& ra, double& dec);

}  // namespace noctaris
