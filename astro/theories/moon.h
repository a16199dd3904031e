#pragma once
// Moon theory: the apparent geocentric place from the truncated ELP-2000/82 series, the Moon's
// age and the passages through perigee and apogee.
//
// The places take an Instant (the motion follows its terrestrial time); the time searches take
// and give TDateTime values of dynamical time. No routine raises.
#include "astro/theories/sun.h"

namespace noctaris {

BodyPosition MoonPosition(const Instant& t);
// Days since new moon from the elongation: 0 <= age < 29.530589.
long double MoonAge(const Instant& t);
// Passage through perigee (kind 0) or apogee (kind 1) of the cycle nearest to t, and the first
// one at or after t.
double PerigeeApogeeTime(int kind, TDateTime t);
double NextPerigee(TDateTime t);
double NextApogee(TDateTime t);

}  // namespace noctaris
