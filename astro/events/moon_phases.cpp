#include "astro/events/moon_phases.h"

#include <cmath>

#include "astro/coords/angles.h"
#include "astro/theories/lunar_terms.h"

namespace noctaris {

double MoonPhaseJDE(long long lunation, MoonPhase phase) {
    const bool quarter = phase == MoonPhase::FirstQuarter || phase == MoonPhase::LastQuarter;
    const double k = static_cast<double>(lunation) + static_cast<int>(phase) / 4.0;
    const double T = k / 1236.85;
    const double T2 = T * T;
    double jde = kNewMoonEpoch + kSynodicMonth * k +
                 T2 * (0.0001337 + T * (0.00000015 + T * 0.00000000073));
    const double M = ReducedRadians(2.5534 + 29.10535669 * k + T2 * (-0.0000218 - T * 0.00000011));
    const double Mp = ReducedRadians(201.5643 + 385.81693528 * k +
                                     T2 * (0.0107438 + T * (0.00001239 - T * 0.000000058)));
    const double F = ReducedRadians(160.7108 + 390.67050274 * k +
                                    T2 * (-0.0016341 + T * (-0.00000227 + T * 0.000000011)));
    const double omega =
        ReducedRadians(124.7746 - 1.5637558 * k + T2 * (0.0020691 + T * 0.00000215));
    const double E = 1 + T * (-0.002516 - T * 0.0000074);

    // The arguments are radians reduced to one turn.
    const auto sine = [](double x) { return std::sin(x); };
    const auto cosine = [](double x) { return std::cos(x); };
    // The calendar has always differed from the published lists in two small terms: it takes
    // sin(M' - M + 2F) with a factor E, and the quarters' -0.00028 E^2 sin(M' + 2M) without E^2.
    double corr;
    if (quarter) {
        corr = SumMoonPhaseTerms<double>(kQuarterTerms, kQuarterTermCount, nullptr, M, Mp, F, omega,
                                         E, sine);
        corr += 0.00002 * (E - 1) * sine(Mp - M + 2 * F) - 0.00028 * (1 - E * E) * sine(Mp + 2 * M);
        const double W = QuarterPhaseW<double>(M, Mp, F, E, cosine);
        corr += phase == MoonPhase::FirstQuarter ? W : -W;
    } else {
        corr = SumMoonPhaseTerms<double>(kNewMoonTerms, kNewMoonTermCount,
                                         phase == MoonPhase::Full ? kFullMoonCoefficients : nullptr, M, Mp, F,
                                         omega, E, sine);
        corr += 0.00003 * (E - 1) * sine(Mp - M + 2 * F);
    }
    corr += SumPlanetaryPhaseTerms<double>(
        k, T, [](double degrees) { return std::sin(ReducedRadians(degrees)); });
    return jde + corr;
}

Instant MoonPhaseAt(long long lunation, MoonPhase phase) {
    return Instant::FromTT(MoonPhaseJDE(lunation, phase));
}

long long LunationOf(const Instant& t) {
    const double when = static_cast<double>(t.ut());
    // Only an instant that is no date at all lies out there; it gets lunation 0.
    if (!(std::fabs(when) < 1e9)) return 0;
    auto newMoon = [](long long k) {
        return static_cast<double>(MoonPhaseAt(k, MoonPhase::New).ut());
    };
    // From the mean lunation to the one whose new moon is the last at or before t (a new moon
    // lies within a day of its mean instant).
    long long k = MeanLunationBefore(when);
    while (newMoon(k) > when) --k;
    while (newMoon(k + 1) <= when) ++k;
    return k;
}

long long LunationNumber(const Instant& t) { return LunationOf(t) + 953; }

Instant SearchMoonPhase(MoonPhase phase, const Instant& around) {
    const double when = static_cast<double>(around.tt());
    const long long k = MeanLunationBefore(when - static_cast<int>(phase) * kSynodicMonth / 4);
    // The phases of the mean lunations before and after `around`: no other can be nearer.
    const double a = MoonPhaseJDE(k, phase), b = MoonPhaseJDE(k + 1, phase);
    return Instant::FromTT(std::fabs(a - when) <= std::fabs(b - when) ? a : b);
}

Instant NextMoonPhase(MoonPhase phase, const Instant& after) {
    const double when = static_cast<double>(after.tt());
    long long k = MeanLunationBefore(when - static_cast<int>(phase) * kSynodicMonth / 4) - 1;
    while (MoonPhaseJDE(k, phase) < when) ++k;
    return MoonPhaseAt(k, phase);
}

}  // namespace noctaris
