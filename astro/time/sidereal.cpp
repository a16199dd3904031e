#include "astro/time/sidereal.h"

#include <cmath>

#include "astro/coords/angles.h"
#include "astro/coords/degrees.h"
#include "astro/coords/nutation.h"
#include "astro/time/timebase.h"

namespace noctaris {

using LD = long double;

namespace {

LD UnreducedMeanSiderealDeg(LD jd, LD T) {
    return 280.46061837L + 360.98564736629L * (jd - 2451545.0L) + 0.000387933L * T * T -
           T * T * T / 38710000.0L;
}

}  // namespace

long double MeanSiderealTimeDeg(const Instant& t) {
    return Reduce360(UnreducedMeanSiderealDeg(t.ut(), JulianCenturies(t.ut())));
}

long double ApparentSiderealTimeDeg(const Instant& t) {
    const LD T = JulianCenturies(t.ut());
    const NutationAngles n = Nutation(T);
    return Reduce360(UnreducedMeanSiderealDeg(t.ut(), T) + n.longitude * CosD(n.trueObliquity));
}

double LocalMeanSiderealHours(const Instant& t, double eastLongitude) {
    const LD hours = Reduce360(MeanSiderealTimeDeg(t) + eastLongitude) / 15.0L;
    return static_cast<double>(hours);
}

double EquationOfTimeMinutes(double dayOfYear) {
    const double b = (dayOfYear - 1.0) * 360.0 / 365.0 * kDegree;
    return 229.2 * (0.000075 + 0.001868 * std::cos(b) - 0.030277 * std::sin(b) -
                    0.014615 * std::cos(2 * b) - 0.04089 * std::sin(2 * b));
}

}  // namespace noctaris
