#pragma once
// Rise, transit and set of the Sun within one local civil day: its places at the day's start,
// a day before and a day after, interpolated through the day, and the altitude they give
// searched for the crossings.
#include <optional>

#include "astro/events/search.h"
#include "astro/theories/sun.h"

namespace noctaris {

// Three-point interpolation of equidistant tabular angles y1, y2, y3 at n (-1..1 around y2).
// Differences beyond +-100 degrees are taken across the 0/360 or +-180 seam.
long double Interpolate3(long double n, long double y3, long double y2, long double y1);

// What rising, transit and setting of one day share: the Sun one day before the day's start, at
// it and one day after (a full series each) and the sidereal time at the start. A caller that
// wants more than one event of a day computes this once and passes it to each.
struct SunDayPositions {
    double Day = 0;              // where the day starts, a TDateTime of universal time
    double Length = 1;           // in days: 23/24 or 25/24 on a day the clock changes
    long double Theta0 = 0;      // apparent sidereal time at the start, degrees
    BodyPosition Before, Of, After;
};
// The positions of the day that starts at dayStart, a TDateTime of universal time: for a
// place's civil day, its local midnight (00:00 of the date less the zone's offset), and lasts
// dayLength days, up to the next local midnight (one day when not a length from a half to two days).
SunDayPositions SunPositionsOfDay(TDateTime dayStart, double dayLength = 1);

// The Sun's rise, transit or set within the day [day.Day, day.Day + day.Length), for L in degrees
// positive west and latitude phi: a TDateTime of universal time, or none when it does not
// happen on that day (polar day and night have no rise or set; the transit is still given).
// Rise and set are the centre's passage through -0°50' (refraction and semidiameter); should
// one happen twice in the day, the first is given.
std::optional<double> SunRiseTransitSet(HorizonEvent event, long double L, long double phi,
                                        const SunDayPositions& day);
// The same for the day that starts at dayStart, its positions computed for this one event.
std::optional<double> SunRiseTransitSet(HorizonEvent event, long double L, long double phi,
                                        TDateTime dayStart);

}  // namespace noctaris
