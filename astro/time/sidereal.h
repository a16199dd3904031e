#pragma once
// Sidereal time of the classic theories: the mean sidereal time of the IAU 1982 expression and
// the apparent one (mean plus the equation of the equinoxes, Δψ cos ε, from the IAU 1980
// nutation). The Earth's rotation is counted in universal time; the nutation and the slow terms
// take the same UT Julian day (ΔT moves them by far less than a millisecond of sidereal time).
// The precise mode's model is PreciseSiderealTimeDeg (astro/precise/precise.h).
#include "astro/time/instant.h"

namespace noctaris {

// Sidereal per solar time: the Earth turns this many times on its axis in a mean solar day.
inline constexpr long double kSiderealPerSolar = 1.00273790935L;

// Greenwich mean and apparent sidereal time, degrees 0..360.
long double MeanSiderealTimeDeg(const Instant& t);
long double ApparentSiderealTimeDeg(const Instant& t);

// Local mean sidereal time for an east longitude in degrees, hours 0..24 (0 for input that is
// not finite).
double LocalMeanSiderealHours(const Instant& t, double eastLongitude);

// Equation of time (apparent minus mean solar time) in minutes, from the Fourier fit of
// Spencer (1971) over the year: dayOfYear is 1 at 0 h on 1 January and may carry the fraction
// of the day. Good to about half a minute.
double EquationOfTimeMinutes(double dayOfYear);

}  // namespace noctaris
