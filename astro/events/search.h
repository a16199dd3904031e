#pragma once
// The one root finder of the event searches. A search steps through its interval in samples
// fine enough that no event falls between two of them twice, brackets each change it sees, and
// narrows the bracket down here.
#include <cmath>
#include <cstddef>
#include <optional>
#include <type_traits>
#include <vector>

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

// The moment near t (days) where the smooth curve f turns (a least or a greatest value): the
// vertex of the parabola through f at t - h, t, t + h, taken again about the new moment with h
// a tenth as wide, `rounds` times. t must lie within h of the turn, the only one within 2h.
template <class F>
double ParabolicExtremum(double t, double h, int rounds, F&& f) {
    for (int k = 0; k < rounds; ++k, h /= 10) {
        const double a = static_cast<double>(f(t - h)), b = static_cast<double>(f(t)),
                     c = static_cast<double>(f(t + h));
        const double curvature = a - 2 * b + c;
        if (!(curvature != 0)) break;  // flat (or not a number): no better estimate
        const double x = h * (a - c) / (2 * curvature);
        if (!(std::fabs(x) <= 2 * h)) break;
        t += x;
    }
    return t;
}

// What a curve gives at one moment (days).
template <class Value>
struct Sample {
    double t;
    Value v;
};

// The curve f sampled over a span of days (one by default) from start: at start + i * span /
// steps for i = 0..steps.
template <class F>
auto SampleDay(double start, int steps, F&& f, double span = 1) {
    using Value = std::decay_t<decltype(f(start))>;
    std::vector<Sample<Value>> samples;
    samples.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = start + span * i / steps;
        samples.push_back({t, f(t)});
    }
    return samples;
}

// The first change between neighbouring samples that `change(before, after)` accepts, narrowed
// down on side(value) of the curve f, and before `end`; none if there is none.
template <class Value, class Change, class SideOf, class F>
std::optional<double> FirstCrossing(const std::vector<Sample<Value>>& samples, Change&& change,
                                   SideOf&& side, F&& f, double end, double toleranceSeconds) {
    for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
        const Sample<Value>& a = samples[i];
        const Sample<Value>& b = samples[i + 1];
        if (!change(a.v, b.v)) continue;
        const double t = BisectCrossing(
            a.t, b.t, static_cast<bool>(side(a.v)), [&](double x) { return side(f(x)); },
            toleranceSeconds);
        if (t < end) return t;
    }
    return std::nullopt;
}

}  // namespace noctaris
