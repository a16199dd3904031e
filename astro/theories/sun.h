#pragma once
// The Sun's apparent place from the VSOP87 Earth series (nutation from astro/coords/nutation.h),
// rise/transit/set of the Sun and the Earth's perihelion and aphelion passages.
//
// Every routine takes its instant as a TDateTime used directly as dynamical time (no Delta T is
// applied). Angles are degrees. No routine raises.
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

// "No event that day" from RiseTransitSet; callers compare results with -1000000.
inline constexpr double kNoRiseSet = -1000001.0;

// From p.Lambda (geometric, aberration applied) and p.Beta: adds the nutation in longitude to
// Lambda (reduced to 0..360) and fills RightAscension and Declination.
void ApparentEquatorial(BodyPosition& p, TDateTime t);

BodyPosition SunPosition(TDateTime t);
long double SunDistanceAU(TDateTime t);
long double SunDiameter(TDateTime t);  // apparent diameter, arcseconds

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

// Correction of the day fraction m. kind: 0 transit, 1 rise, 2 set.
long double RiseSetCorrection(int kind, long double m, const RiseSetRecord& r);

// What rising, transit and setting of one day share: the Sun at 00:00 of the day before, the
// day and the day after (a full series each) and the sidereal time at 00:00. A caller that
// wants more than one event of a day computes this once and passes it to each.
struct SunDayPositions {
    double Day = 0;              // 00:00 of the day (a whole TDateTime)
    long double Theta0 = 0;      // apparent sidereal time at 00:00 of the day, degrees
    BodyPosition Before, Of, After;
};
// The positions of the day of t (its fraction is dropped).
SunDayPositions SunPositionsOfDay(TDateTime t);

// event: 0 rise, 1 set, 2 transit. L in degrees positive west, phi latitude. TDateTime of the
// event in universal time, or kNoRiseSet.
double RiseTransitSet(int event, long double L, long double phi, const SunDayPositions& day);
double SunRiseTime(long double L, long double phi, const SunDayPositions& day);
double SunSetTime(long double L, long double phi, const SunDayPositions& day);
double SunTransitTime(long double L, long double phi, const SunDayPositions& day);
// The same for the day of t, its positions computed for this one event.
double RiseTransitSet(int event, long double L, long double phi, TDateTime t);
double SunRiseTime(long double L, long double phi, TDateTime t);
double SunSetTime(long double L, long double phi, TDateTime t);
double SunTransitTime(long double L, long double phi, TDateTime t);

// The Earth's passage through perihelion (kind 0) or aphelion (kind 1) of the yearly cycle
// nearest to t: the least or greatest Sun-Earth distance of the Earth series, searched near
// the mean passage of the Earth-Moon barycentre. And the first passage at or after t.
double PerihelionAphelionTime(int kind, TDateTime t);
double NextPerihelion(TDateTime t);
double NextAphelion(TDateTime t);

}  // namespace noctaris
