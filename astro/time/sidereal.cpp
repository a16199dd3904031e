#include "astro/time/sidereal.h"

#include "astro/coords/angles.h"
#include "astro/coords/nutation.h"
#include "astro/theories/vsop.h"
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

}  // namespace noctaris
