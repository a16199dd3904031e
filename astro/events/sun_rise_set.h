#pragma once
// Rise, transit and set of the Sun from its places at 00:00 UT of the day before, the day and
// the day after: the hour angle of the standard altitude, then one correction of the day
// fraction from the interpolated place.
#include <optional>

#include "astro/events/search.h"
#include "astro/theories/sun.h"

namespace noctaris {

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
