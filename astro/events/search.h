#pragma once
// The one root finder of the event searches. A search steps through its interval in samples
// fine enough that no event falls between two of them twice, brackets each change it sees, and
// narrows the bracket down here.
namespace noctaris {

// The three passages of a day: through the horizon upwards, through the upper meridian and
// through the horizon downwards.
enum class HorizonEvent { Rise, Transit, Set };

// The moment in [a, b] (days, of any count) where side(t) changes, given side(a) == sideAtA and
// side(b) != sideAtA: bisection until the bracket is at most toleranceSeconds wide, then its
// midpoint. Safe for any curve: only the sign is ever asked.
template <class Side>
double BisectCrossing(double a, double b, bool sideAtA, Side&& side, double toleranceSeconds) {
    const double tolerance = toleranceSeconds / 86400;
    while (b - a > tolerance) {
        const double m = (a + b) / 2;
        (static_cast<bool>(side(m)) == sideAtA ? a : b) = m;
    }
    return (a + b) / 2;
}

// The same, side(a) asked first.
template <class Side>
double BisectCrossing(double a, double b, Side&& side, double toleranceSeconds) {
    const bool sideAtA = static_cast<bool>(side(a));
    return BisectCrossing(a, b, sideAtA, side, toleranceSeconds);
}

}  // namespace noctaris
