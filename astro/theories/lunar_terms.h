#pragma once
// The tables of the Moon shared by its two theories: the periodic terms of the truncated
// ELP-2000/82 series of longitude, distance and latitude, the fundamental arguments, and the
// periodic and planetary terms of the instants of the principal phases (new moon, quarters,
// full moon). The full theory (moon.h) takes every term in extended degree trigonometry; the
// chart's lunar series (moonseries.h) and the calendar take their leading parts in double.
#include <cmath>
#include <cstdint>

namespace noctaris {

// The mean synodic month (days) and the mean new moon of lunation 0 (2000-01-06, Julian
// ephemeris day) of the phase series.
inline constexpr double kSynodicMonth = 29.530588853;
inline constexpr double kNewMoonEpoch = 2451550.09765;
// The lunation whose mean new moon comes last at or before jde; a true phase lies within about
// a day of its mean instant.
inline long long MeanLunationBefore(double jde) {
    return static_cast<long long>(std::floor((jde - kNewMoonEpoch) / kSynodicMonth));
}

// Periodic terms of the Moon's longitude and distance: multipliers of D, M, M', F; longitude
// coefficient (1e-6 degree, sine) and distance coefficient (1e-3 km, cosine).
struct MoonLRTerm {
    std::int8_t d, m, mp, f;
    std::int32_t l, r;
};
// Periodic terms of the latitude: multipliers of D, M, M', F; coefficient (1e-6 degree, sine).
struct MoonBTerm {
    std::int8_t d, m, mp, f;
    std::int32_t b;
};
// Each term carries the eccentricity factor E to the power of its multiplier of M (|m|).
inline long double EccentricityFactor(int m, long double E) {
    if (m == 1 || m == -1) return E;
    if (m == 2 || m == -2) return E * E;
    return 1;
}

// The 60 + 60 terms in their published order (largest first).
inline constexpr int kMoonTermCount = 60;
extern const MoonLRTerm kMoonLR[kMoonTermCount];
extern const MoonBTerm kMoonB[kMoonTermCount];

// The Moon's fundamental arguments, degrees, not reduced: mean longitude L', mean elongation
// D, the Sun's mean anomaly M, the Moon's mean anomaly M', argument of latitude F, the
// planetary arguments A1..A3, and the eccentricity factor E.
struct LunarArguments {
    long double Lp, D, M, Mp, F, A1, A2, A3, E;
};
// T in Julian centuries since J2000.0 (dynamical time).
LunarArguments LunarArgumentsAt(long double T);

// The additive terms of longitude and latitude (1e-6 degree) from A1..A3, L', F and M'; `sine`
// takes the arguments in degrees, in the caller's precision.
template <class Sine>
long double AdditiveLongitudeTerms(const LunarArguments& a, Sine sine) {
    return 3958.0L * sine(a.A1) + 1962.0L * sine(a.Lp - a.F) + 318.0L * sine(a.A2);
}
template <class Sine>
long double AdditiveLatitudeTerms(const LunarArguments& a, Sine sine) {
    return -2235.0L * sine(a.Lp) + 382.0L * sine(a.A3) + 175.0L * sine(a.A1 - a.F) +
           175.0L * sine(a.A1 + a.F) + 127.0L * sine(a.Lp - a.Mp) - 115.0L * sine(a.Lp + a.Mp);
}

// One periodic term of the instant of a principal phase: coefficient (days) times E^ePower
// times sin(mp M' + m M + f F + om Omega).
struct MoonPhaseTerm {
    std::int8_t mp, m, f, om, ePower;
    double coeff;
};
// New moon (25 terms, Omega among them, in the published order) and the full moon's
// coefficients of the same arguments (they differ in the first seven terms only).
inline constexpr int kNewMoonTermCount = 25;
extern const MoonPhaseTerm kNewMoonTerms[kNewMoonTermCount];
extern const double kFullMoonCoefficients[kNewMoonTermCount];
// First and last quarter (25 terms in the published order); the quarters add or subtract W.
inline constexpr int kQuarterTermCount = 25;
extern const MoonPhaseTerm kQuarterTerms[kQuarterTermCount];

// The fourteen planetary arguments A1..A14 of the phases, degrees a0 + rate k (lunation k;
// A1 also - 0.009173 T^2), each with its coefficient (days, times sin A).
struct PlanetaryPhaseTerm {
    double a0, rate, coeff;
};
inline constexpr int kPlanetaryPhaseTermCount = 14;
extern const PlanetaryPhaseTerm kPlanetaryPhaseTerms[kPlanetaryPhaseTermCount];

// Sum of coefficient E^ePower sine(mp M' + m M + f F + om Omega) over a phase list, days, in
// the caller's precision (Real) and angle unit (the arguments and `sine` agree on degrees or
// radians). `coefficients`, when given, replaces the list's own (the full moon's).
template <class Real, class Sine>
Real SumMoonPhaseTerms(const MoonPhaseTerm* terms, int count, const double* coefficients, Real M,
                       Real Mp, Real F, Real Omega, Real E, Sine sine) {
    Real sum = 0;
    for (int j = 0; j < count; ++j) {
        const MoonPhaseTerm& t = terms[j];
        const Real c = coefficients != nullptr ? coefficients[j] : t.coeff;
        const Real e = t.ePower == 1 ? E : t.ePower == 2 ? E * E : Real(1);
        sum += c * e * sine(t.mp * Mp + t.m * M + t.f * F + t.om * Omega);
    }
    return sum;
}

// The quarters' additional correction W, days: first quarter + W, last quarter - W. `cosine`
// takes the unit of M, M' and F.
template <class Real, class Cosine>
Real QuarterPhaseW(Real M, Real Mp, Real F, Real E, Cosine cosine) {
    return static_cast<Real>(0.00306L) - static_cast<Real>(0.00038L) * E * cosine(M) +
           static_cast<Real>(0.00026L) * cosine(Mp) - static_cast<Real>(0.00002L) * cosine(Mp - M) +
           static_cast<Real>(0.00002L) * cosine(Mp + M) + static_cast<Real>(0.00002L) * cosine(2 * F);
}

// Sum of the planetary terms of lunation k (T = k / 1236.85), days; `sine` takes degrees.
template <class Real, class Sine>
Real SumPlanetaryPhaseTerms(Real k, Real T, Sine sine) {
    Real sum = 0;
    for (int i = 0; i < kPlanetaryPhaseTermCount; ++i) {
        const PlanetaryPhaseTerm& a = kPlanetaryPhaseTerms[i];
        Real degrees = a.a0 + a.rate * k;
        if (i == 0) degrees -= static_cast<Real>(0.009173L) * (T * T);
        sum += a.coeff * sine(degrees);
    }
    return sum;
}

}  // namespace noctaris
