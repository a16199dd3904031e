#pragma once
// The Sun's apparent place from the VSOP87 Earth series, nutation (first 31 terms of the IAU
// 1980 theory), true obliquity, apparent sidereal time, and rise/transit/set of the Sun.
//
// The places take an Instant: the motion follows its terrestrial time, the Earth's rotation
// (sidereal time, the day of rising and setting) its universal time. Angles are degrees. No
// routine raises.
#include <optional>

#include "astro/events/search.h"
#include "astro/time/instant.h"
#include "astro/time/timebase.h"
#include "astro/theories/vsop.h"

namespace noctaris {

// Apparent geocentric place of the Sun or the Moon.
struct BodyPosition {
    long double Lambda = 0;          // apparent ecliptic longitude, 0..360, nutation included
    long double Beta = 0;            // ecliptic latitude
    long double Distance = 0;        // geocentric distance, km
    long double RightAscension = 0;  // apparent, -180..180 (not brought into 0..360)
    long double Declination = 0;     // apparent
};

// Nutation in longitude deltaPsi and true obliquity epsilon, both degrees. The nutation in
// obliquity (degrees) is stored through deltaEpsilon when given.
void Nutation(TDateTime t, long double& deltaPsi, long double& epsilon,
              long double* deltaEpsilon = nullptr);
// Apparent sidereal time at Greenwich (t taken as universal time), degrees 0..360.
long double ApparentSiderealTime(TDateTime t);
// From p.Lambda (geometric, aberration applied) and p.Beta: p with the nutation in longitude
// added to Lambda (reduced to 0..360) and RightAscension and Declination filled in.
BodyPosition ApparentEquatorial(BodyPosition p, const Instant& t);

BodyPosition SunPosition(const Instant& t);
long double SunDistanceAU(const Instant& t);
long double SunDiameter(const Instant& t);  // apparent diameter, arcseconds

// Three-point interpolation of equidistant tabular angles y1, y2, y3 at n (-1..1 around y2).
// Differences beyond +-100 degrees are taken across the 0/360 or +-180 seam.
long double Interpolate3(long double n, long double y3, long double y2, long double y1);

// What one rise/transit/set computation knows about its day.
struct RiseSetRecord {
    long double h0 = 0;      // standard altitude
    long double L = 0;       // observer's longitude, positive towards the west
    long double Phi = 0;     // observer's latitude
    long double Theta0 = 0;  // apparent sidereal time at 00:00 of the day
    long double Alpha1 = 0, Delta1 = 0;  // Sun at 00:00 of the day before
    long double Alpha2 = 0, Delta2 = 0;  // ... of the day
    long double Alpha3 = 0, Delta3 = 0;  // ... of the day after
};

// Correction of the day fraction m of an event.
long double RiseSetCorrection(HorizonEvent event, long double m, const RiseSetRecord& r);

// What rising, transit and setting of one day share: the Sun at 00:00 of the day before, the
// day and the day after (a full series each) and the sidereal time at 00:00. A caller that
// wants more than one event of a day computes this once and passes it to each.
struct SunDayPositions {
    double Day = 0;              // 00:00 UT of the day (a whole TDateTime)
    long double Theta0 = 0;      // apparent sidereal time at 00:00 of the day, degrees
    BodyPosition Before, Of, After;
};
// The positions of the day of t, a TDateTime of universal time (its fraction is dropped).
SunDayPositions SunPositionsOfDay(TDateTime t);

// The Sun's rise, transit or set on the day, for L in degrees positive west and latitude phi: a
// TDateTime of universal time, or none when the Sun stays above or below the horizon all day
// (then the transit is not given either).
std::optional<double> SunRiseTransitSet(HorizonEvent event, long double L, long double phi,
                                        const SunDayPositions& day);
// The same for the day of t, its positions computed for this one event.
std::optional<double> SunRiseTransitSet(HorizonEvent event, long double L, long double phi,
                                        TDateTime t);

}  // namespace noctaris
