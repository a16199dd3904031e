#include "astro/events/sun_rise_set.h"

#include <cmath>
#include <vector>

#include "astro/time/sidereal.h"

namespace noctaris {
namespace {

using LD = long double;

// The centre's altitude at rising and setting: refraction at the horizon and the semidiameter.
constexpr LD kStandardAltitude = -0.8333L;

// Ten-minute samples: the Sun's altitude turns at most once between two of them, except when it
// only grazes the horizon by less than a few arcseconds.
constexpr int kSteps = 144;
constexpr double kToleranceSeconds = 0.5;

struct SunSight {
    double height = 0;     // above the standard altitude of rise and set, degrees
    double hourAngle = 0;  // -180..180, degrees
};

// The Sun seen from (L west, phi) at the fraction m of the day.
SunSight SightAt(const SunDayPositions& day, LD L, LD phi, LD m) {
    const LD alpha = Interpolate3(m, day.After.RightAscension, day.Of.RightAscension,
                                  day.Before.RightAscension);
    const LD delta =
        Interpolate3(m, day.After.Declination, day.Of.Declination, day.Before.Declination);
    LD H = Reduce360(day.Theta0 + 360.0L * kSiderealPerSolar * m - L - alpha);
    if (H > 180) H -= 360;
    const LD h = ArcSinD(SinD(phi) * SinD(delta) + CosD(phi) * CosD(delta) * CosD(H));
    return {static_cast<double>(h - kStandardAltitude), static_cast<double>(H)};
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

SunDayPositions SunPositionsOfDay(TDateTime dayStart, double dayLength) {
    SunDayPositions s;
    s.Day = dayStart;
    s.Length = dayLength > 0.5 && dayLength < 2 ? dayLength : 1;
    const auto at = [](double t) { return Instant::FromUT(DateTimeToJD(t)); };
    s.Theta0 = ApparentSiderealTimeDeg(at(dayStart));
    s.Before = SunPosition(at(dayStart - 1));
    s.Of = SunPosition(at(dayStart));
    s.After = SunPosition(at(dayStart + 1));
    return s;
}

std::optional<double> SunRiseTransitSet(HorizonEvent event, LD L, LD phi,
                                        const SunDayPositions& day) {
    if (!std::isfinite(day.Day) || !std::isfinite(static_cast<double>(L)) ||
        !std::isfinite(static_cast<double>(phi)))
        return std::nullopt;
    // Searched in fractions of the day, brought to the day's serial at the end.
    const auto at = [&](double m) { return SightAt(day, L, phi, m); };
    // SampleDay covers one day; a longer or shorter one is sampled at the same density.
    const int steps = static_cast<int>(std::ceil(kSteps * day.Length));
    std::vector<Sample<SunSight>> samples;
    samples.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double m = day.Length * i / steps;
        samples.push_back({m, at(m)});
    }
    const auto up = [](const SunSight& s) { return s.height >= 0; };
    std::optional<double> m;
    switch (event) {
        case HorizonEvent::Rise:
            m = FirstCrossing(
                samples, [&](const SunSight& a, const SunSight& b) { return !up(a) && up(b); },
                up, at, day.Length, kToleranceSeconds);
            break;
        case HorizonEvent::Set:
            m = FirstCrossing(
                samples, [&](const SunSight& a, const SunSight& b) { return up(a) && !up(b); },
                up, at, day.Length, kToleranceSeconds);
            break;
        case HorizonEvent::Transit:  // the hour angle passes 0, not the jump from 180 to -180
            m = FirstCrossing(
                samples,
                [](const SunSight& a, const SunSight& b) {
                    return a.hourAngle < 0 && b.hourAngle >= 0 && b.hourAngle < 90;
                },
                [](const SunSight& s) { return s.hourAngle >= 0; }, at, day.Length, kToleranceSeconds);
            break;
    }
    if (!m) return std::nullopt;
    return day.Day + *m;
}

std::optional<double> SunRiseTransitSet(HorizonEvent event, LD L, LD phi, TDateTime dayStart) {
    return SunRiseTransitSet(event, L, phi, SunPositionsOfDay(dayStart));
}

}  // namespace noctaris
