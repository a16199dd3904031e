#include "astro/events/sun_rise_set.h"

#include <cmath>

#include "astro/time/sidereal.h"

namespace noctaris {
namespace {

using LD = long double;

// Frac toward zero, brought into 0..1.
LD FracPositive(LD x) {
    LD f = x - std::trunc(x);
    if (f < 0) f += 1;
    return f;
}

}  // namespace

LD Interpolate3(LD n, LD y3, LD y2, LD y1) {
    LD a = y2 - y1;
    LD b = y3 - y2;
    if (a > 100) a -= 360;
    if (a < -100) a += 360;
    if (b > 100) b -= 360;
    if (b < -100) b += 360;
    return y2 + n / 2.0L * (a + b + n * (b - a));
}

LD RiseSetCorrection(HorizonEvent event, LD m, const RiseSetRecord& r) {
    const LD alpha = Interpolate3(m, r.Alpha3, r.Alpha2, r.Alpha1);
    const LD delta = Interpolate3(m, r.Delta3, r.Delta2, r.Delta1);
    LD H = Reduce360(r.Theta0 + 360.0L * kSiderealPerSolar * m - r.L - alpha);
    if (H > 180) H -= 360;
    if (event == HorizonEvent::Transit) return -H / 360.0L;
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
    const auto at = [](double day) { return Instant::FromUT(DateTimeToJD(day)); };
    s.Before = SunPosition(at(s.Day - 1));
    s.Of = SunPosition(at(s.Day));
    s.After = SunPosition(at(s.Day + 1));
    return s;
}

std::optional<double> SunRiseTransitSet(HorizonEvent event, LD L, LD phi,
                                        const SunDayPositions& day) {
    RiseSetRecord r;
    r.h0 = (event == HorizonEvent::Transit) ? 0.0L : -0.8333L;
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
    if (!(x >= -1 && x <= 1)) return std::nullopt;
    const LD H0 = ArcCosD(x);
    const LD u = (r.Alpha2 + L - r.Theta0) / 360.0L;
    LD m = FracPositive(u);
    if (event == HorizonEvent::Rise) m = FracPositive(u - H0 / 360.0L);
    if (event == HorizonEvent::Set) m = FracPositive(u + H0 / 360.0L);
    const double t = static_cast<double>(d0 + m + RiseSetCorrection(event, m, r));
    if (!std::isfinite(t)) return std::nullopt;
    return t;
}

std::optional<double> SunRiseTransitSet(HorizonEvent event, LD L, LD phi, TDateTime t) {
    return SunRiseTransitSet(event, L, phi, SunPositionsOfDay(t));
}

}  // namespace noctaris
