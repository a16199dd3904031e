// Sun theory: the Sun's apparent place, rise and set, and the Earth's perihelion and aphelion.
#include "astro/theories/sun.h"

#include <cmath>
#include <cstdint>

#include "astro/coords/nutation.h"
#include "astro/events/search.h"
#include "astro/time/sidereal.h"

namespace noctaris {

using LD = long double;

namespace {

// Frac toward zero, brought into 0..1.
LD FracPositive(LD x) {
    LD f = x - std::trunc(x);
    if (f < 0) f += 1;
    return f;
}

}  // namespace

void ApparentEquatorial(BodyPosition& p, TDateTime t) {
    const NutationAngles n = Nutation(JulianCenturies(DateTimeToJD(t)));
    const LD epsilon = n.trueObliquity;
    p.Lambda = Reduce360(p.Lambda + n.longitude);
    const LD lambda = p.Lambda;
    const LD beta = p.Beta;
    p.RightAscension = ArcTan2D(SinD(lambda) * CosD(epsilon) - TanD(beta) * SinD(epsilon),
                                CosD(lambda));
    p.Declination =
        ArcSinD(SinD(beta) * CosD(epsilon) + CosD(beta) * SinD(epsilon) * SinD(lambda));
}

BodyPosition SunPosition(TDateTime t) {
    LD L = 0;
    LD B = 0;
    LD R = 0;
    EarthHeliocentric(t, L, B, R);
    LD lambda = L + 180.0L;
    LD beta = -B;
    // A second conversion to FK5, on the geocentric values.
    const LD T = (DateTimeToJD(t) - 2451545.0L) / 365250.0L * 10.0L;
    const LD lambda1 = lambda + T * (-1.397L - 0.00031L * T);
    lambda = lambda - 0.09033L / 3600.0L;
    beta = beta + (0.03916L / 3600.0L) * (CosD(lambda1) - SinD(lambda1));
    // Aberration.
    lambda = lambda - (20.4898L / 3600.0L) / R;
    BodyPosition p;
    p.Lambda = Reduce360(lambda);
    p.Beta = beta;
    p.Distance = R * 149597869.0L;
    ApparentEquatorial(p, t);
    return p;
}

LD SunDistanceAU(TDateTime t) { return SunPosition(t).Distance / 149597869.0L; }

LD SunDiameter(TDateTime t) { return 2.0L * 959.63L / SunDistanceAU(t); }

LD Interpolate3(LD n, LD y3, LD y2, LD y1) {
    LD a = y2 - y1;
    LD b = y3 - y2;
    if (a > 100) a -= 360;
    if (a < -100) a += 360;
    if (b > 100) b -= 360;
    if (b < -100) b += 360;
    return y2 + n / 2.0L * (a + b + n * (b - a));
}

LD RiseSetCorrection(int kind, LD m, const RiseSetRecord& r) {
    const LD alpha = Interpolate3(m, r.Alpha3, r.Alpha2, r.Alpha1);
    const LD delta = Interpolate3(m, r.Delta3, r.Delta2, r.Delta1);
    LD H = Reduce360(r.Theta0 + 360.985647L * m - r.L - alpha);
    if (H > 180) H -= 360;
    if (kind == 0) return -H / 360.0L;
    const LD h = ArcSinD(SinD(r.Phi) * SinD(delta) + CosD(r.Phi) * CosD(delta) * CosD(H));
    const LD denominator = 360.0L * CosD(delta) * CosD(r.Phi) * SinD(H);
    // At an hour angle of exactly 0 or 180 degrees the altitude does not change with time:
    // leave the estimate as it is instead of dividing by zero.
    if (denominator == 0) return 0;
    const LD dm = (h - r.h0) / denominator;
    return std::isfinite(dm) ? dm : 0;
}

SunDayPositions SunPositionsOfDay(TDateTime t) {
    SunDayPositions s;
    s.Day = std::trunc(t);
    s.Theta0 = ApparentSiderealTimeDeg(Instant::FromUT(DateTimeToJD(s.Day)));
    s.Before = SunPosition(s.Day - 1);
    s.Of = SunPosition(s.Day);
    s.After = SunPosition(s.Day + 1);
    return s;
}

double RiseTransitSet(int event, LD L, LD phi, const SunDayPositions& day) {
    RiseSetRecord r;
    r.h0 = (event == 2) ? 0.0L : -0.8333L;
    r.L = L;
    r.Phi = phi;
    const double d0 = day.Day;
    r.Theta0 = day.Theta0;
    r.Alpha1 = day.Before.RightAscension;
    r.Delta1 = day.Before.Declination;
    r.Alpha2 = day.Of.RightAscension;
    r.Delta2 = day.Of.Declination;
    r.Alpha3 = day.After.RightAscension;
    r.Delta3 = day.After.Declination;

    const LD x = (SinD(r.h0) - SinD(phi) * SinD(r.Delta2)) / (CosD(phi) * CosD(r.Delta2));
    if (!(x >= -1 && x <= 1)) return kNoRiseSet;
    const LD H0 = ArcCosD(x);
    const LD u = (r.Alpha2 + L - r.Theta0) / 360.0L;
    switch (event) {
        case 0: {
            const LD m1 = FracPositive(u - H0 / 360.0L);
            return static_cast<double>(d0 + m1 + RiseSetCorrection(1, m1, r));
        }
        case 1: {
            const LD m2 = FracPositive(u + H0 / 360.0L);
            return static_cast<double>(d0 + m2 + RiseSetCorrection(2, m2, r));
        }
        default: {
            const LD m0 = FracPositive(u);
            return static_cast<double>(d0 + m0 + RiseSetCorrection(0, m0, r));
        }
    }
}

double SunRiseTime(LD L, LD phi, const SunDayPositions& day) {
    return RiseTransitSet(0, L, phi, day);
}
double SunSetTime(LD L, LD phi, const SunDayPositions& day) {
    return RiseTransitSet(1, L, phi, day);
}
double SunTransitTime(LD L, LD phi, const SunDayPositions& day) {
    return RiseTransitSet(2, L, phi, day);
}

double RiseTransitSet(int event, LD L, LD phi, TDateTime t) {
    return RiseTransitSet(event, L, phi, SunPositionsOfDay(t));
}
double SunRiseTime(LD L, LD phi, TDateTime t) { return RiseTransitSet(0, L, phi, t); }
double SunSetTime(LD L, LD phi, TDateTime t) { return RiseTransitSet(1, L, phi, t); }
double SunTransitTime(LD L, LD phi, TDateTime t) { return RiseTransitSet(2, L, phi, t); }

double PerihelionAphelionTime(int kind, TDateTime t) {
    // The mean passage of the Earth-Moon barycentre of the cycle nearest to t.
    LD k = std::nearbyint(((static_cast<LD>(t) - Epoch2000Serial) / 365.25L - 0.01L) * 0.99997L);
    if (kind == 1) k += 0.5L;
    const LD jde = 2451547.507L + 365.2596358L * k + 0.0000000158L * k * k;
    const double mean = JDToDateTime(jde);

    // The Earth itself, pulled around the barycentre by the Moon, passes up to about a day and
    // a half from that mean instant. Within four days of it the Sun-Earth distance of the
    // Earth series has a single extreme (the Moon's monthly wobble cannot turn the yearly
    // change of distance round there): bisect on the sign of the change.
    VsopEarth earth;
    auto distance = [&](double x) {
        earth.SetDate(x);
        return earth.Radius();
    };
    constexpr double kStep = 0.01;  // days
    const LD sign = kind == 1 ? -1 : 1;  // growing after perihelion, shrinking after aphelion
    auto past = [&](double x) { return sign * (distance(x + kStep) - distance(x - kStep)) > 0; };
    double a = mean - 4, b = mean + 4;
    if (past(a) || !past(b)) return mean;  // no single extreme in reach (far-off epochs)
    constexpr double kToleranceSeconds = 0.004;
    return BisectCrossing(a, b, false, past, kToleranceSeconds);
}

namespace {
double NextPassage(int kind, TDateTime t) {
    // Steps of 365.25 days advance the passage number by at most one, so none is skipped.
    TDateTime a = t - 365.25;
    double r;
    do {
        r = PerihelionAphelionTime(kind, a);
        a += 365.25;
    } while (r < t);
    return r;
}
}  // namespace

double NextPerihelion(TDateTime t) { return NextPassage(0, t); }
double NextAphelion(TDateTime t) { return NextPassage(1, t); }

}  // namespace noctaris
