#pragma once
// Moon theory: the apparent geocentric place from the truncated ELP-2000/82 series, the Moon's
// age, new moons, lunation numbers and the passages through perigee and apogee.
//
// Instants are TDateTime values used directly as dynamical time (no Delta T); results of the
// time searches are TDateTime values. No routine raises.
#include "astro/theories/sun.h"

namespace noctaris {

BodyPosition MoonPosition(TDateTime t);
// Days since new moon from the elongation: 0 <= age < 29.530589.
long double MoonAge(TDateTime t);
// New moon of the lunation whose number (counted from 2000-01-06) is nearest to t.
double NewMoonTime(TDateTime t);
// Latest new moon at or before t.
double PreviousNewMoon(TDateTime t);
// 1 for the lunation that began with the new moon of 1923-01-17.
int LunationNumber(TDateTime t);
// Passage through perigee (kind 0) or apogee (kind 1) of the cycle nearest to t, and the first
// one at or after t.
double PerigeeApogeeTime(int kind, TDateTime t);
double NextPerigee(TDateTime t);
double NextApogee(TDateTime t);

}  // namespace noctaris
