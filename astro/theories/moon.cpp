// Moon theory: position and age.
#include "astro/theories/moon.h"

#include <cmath>

#include "astro/theories/lunar_terms.h"

namespace noctaris {

using LD = long double;

BodyPosition MoonPosition(const Instant& t) {
    const LunarArguments a = LunarArgumentsAt(JulianCenturies(t.tt()));
    const LD D = a.D, M = a.M, Mp = a.Mp, F = a.F, E = a.E;

    LD sumL = 0;
    LD sumR = 0;
    for (const MoonLRTerm& row : kMoonLR) {
        const LD g = row.d * D + row.m * M + row.mp * Mp + row.f * F;
        const LD e = EccentricityFactor(row.m, E);
        sumL += row.l * e * SinD(g);
        sumR += row.r * e * CosD(g);
    }
    LD sumB = 0;
    for (const MoonBTerm& row : kMoonB) {
        const LD g = row.d * D + row.m * M + row.mp * Mp + row.f * F;
        sumB += row.b * EccentricityFactor(row.m, E) * SinD(g);
    }
    sumL += AdditiveLongitudeTerms(a, SinD);
    sumB += AdditiveLatitudeTerms(a, SinD);

    BodyPosition p;
    p.Distance = 385000.56L + sumR / 1000.0L;
    p.Lambda = a.Lp + sumL / 1000000.0L;
    p.Beta = sumB / 1000000.0L;
    return ApparentEquatorial(p, t);
}

LD MoonAge(const Instant& t) {
    return Reduce360(MoonPosition(t).Lambda - SunPosition(t).Lambda) / 360.0L * 29.530589L;
}

}  // namespace noctaris
