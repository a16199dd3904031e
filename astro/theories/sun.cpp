// Sun theory: the Sun's apparent place.
#include "astro/theories/sun.h"

#include <cmath>
#include <cstdint>

#include "astro/coords/nutation.h"

namespace noctaris {

using LD = long double;

BodyPosition ApparentEquatorial(BodyPosition p, const Instant& t) {
    const NutationAngles n = Nutation(t.CenturiesTT());
    const LD epsilon = n.trueObliquity;
    p.Lambda = Reduce360(p.Lambda + n.longitude);
    const LD lambda = p.Lambda;
    const LD beta = p.Beta;
    p.RightAscension = ArcTan2D(SinD(lambda) * CosD(epsilon) - TanD(beta) * SinD(epsilon),
                                CosD(lambda));
    p.Declination =
        ArcSinD(SinD(beta) * CosD(epsilon) + CosD(beta) * SinD(epsilon) * SinD(lambda));
    return p;
}

BodyPosition SunPosition(const Instant& t) {
    const VsopPlace earth = EarthHeliocentric(JDToDateTime(t.tt()));
    const LD R = earth.R;
    LD lambda = earth.L + 180.0L;
    LD beta = -earth.B;
    // A second conversion to FK5, on the geocentric values.
    const LD T = (t.tt() - 2451545.0L) / 365250.0L * 10.0L;
    const LD lambda1 = lambda + T * (-1.397L - 0.00031L * T);
    lambda = lambda - 0.09033L / 3600.0L;
    beta = beta + (0.03916L / 3600.0L) * (CosD(lambda1) - SinD(lambda1));
    // Aberration.
    lambda = lambda - (20.4898L / 3600.0L) / R;
    BodyPosition p;
    p.Lambda = Reduce360(lambda);
    p.Beta = beta;
    p.Distance = R * kKmPerAU;
    return ApparentEquatorial(p, t);
}

LD SunDistanceAU(const Instant& t) { return SunPosition(t).Distance / kKmPerAU; }

LD SunDiameter(const Instant& t) { return 2.0L * 959.63L / SunDistanceAU(t); }

}  // namespace noctaris
