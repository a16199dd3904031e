#include "astro/events/phenomena.h"

#include <cmath>
#include <string>

#include "astro/core/errors.h"
#include "astro/events/eclipse_geometry.h"
#include "astro/coords/angles.h"
#include "astro/time/calendar_dates.h"
#include "astro/theories/lunar_terms.h"

namespace noctaris {
namespace {


// c0 + c1 T + c2 T^2.
struct Triple {
    double c0, c1, c2;
    double At(double T) const { return c0 + (c1 + c2 * T) * T; }
};

// sin nx and cos nx for n = 1..N by the angle-addition recurrences.
template <int N>
struct Multiples {
    double s[N + 1], c[N + 1];
    explicit Multiples(double x) {
        s[0] = 0;
        c[0] = 1;
        const double s1 = std::sin(x), c1 = std::cos(x);
        for (int n = 1; n <= N; ++n) {
            s[n] = s[n - 1] * c1 + c[n - 1] * s1;
            c[n] = c[n - 1] * c1 - s[n - 1] * s1;
        }
    }
};

// A harmonic series: the constant, then (sin nM, cos nM) for n = 1..5; unused entries are 0.
using Series = Triple[11];

// Sum of a series with `harmonics` harmonics of M (radians).
double SumSeries(const Series& s, int harmonics, double M, double T) {
    const Multiples<5> m(M);
    double sum = s[0].At(T);
    for (int n = 1; n <= harmonics; ++n)
        sum += s[2 * n - 1].At(T) * m.s[n] + s[2 * n].At(T) * m.c[n];
    return sum;
}

// Row of a planet in the tables below, in the order of kObservedPlanets.
int PhenomenonRow(Body planet) {
    for (int i = 0; i < static_cast<int>(kObservedPlanets.size()); ++i)
        if (kObservedPlanets[i] == planet) return i;
    throw DomainError(std::string("no conjunctions with the Sun for ") + BodyName(planet));
}

// Mean phenomena of each planet (row PhenomenonRow).
struct MeanPhenomena {
    double A[2];   // epoch of event 0 and of event 1 (JDE)
    double B;      // mean synodic period, days
    double M0[2];  // mean anomaly at the epochs, degrees
    double M1;     // its change per synodic period, degrees
    int Harmonics;
};
constexpr MeanPhenomena kMean[kObservedPlanets.size()] = {
    {{2451612.023, 2451554.084}, 115.8774771, {63.5867, 6.4822}, 114.2088742, 5},  // Mercury
    {{2451996.706, 2451704.746}, 583.921361, {82.7311, 154.9745}, 215.513058, 3},  // Venus
    {{2452097.382, 2451707.414}, 779.936104, {181.9573, 157.6047}, 48.705244, 5},  // Mars
    {{2451870.628, 2451671.186}, 398.884046, {318.4681, 121.8980}, 33.140229, 3},  // Jupiter
    {{2451870.170, 2451681.124}, 378.091904, {318.0172, 131.6934}, 12.647487, 3},  // Saturn
    {{2451764.317, 2451579.489}, 369.656035, {213.6884, 31.5219}, 4.333093, 3},    // Uranus
    {{2451753.122, 2451569.379}, 367.486703, {202.6544, 21.5569}, 2.194998, 2},    // Neptune
};

// Periodic terms of the phenomena, [row][event], days.
constexpr Series kPhenomenon[kObservedPlanets.size()][2] = {
    // Mercury
    {{{0.0545, 0.0002, 0},
      {-6.2008, 0.0074, 0.00003},
      {-3.275, -0.0197, 0.00001},
      {0.4737, -0.0052, -0.00001},
      {0.8111, 0.0033, -0.00002},
      {0.0037, 0.0018, 0},
      {-0.1768, 0, 0.00001},
      {-0.0211, -0.0004, 0},
      {0.0326, -0.0003, 0},
      {0.0083, 0.0001, 0},
      {-0.004, 0.0001, 0}},
     {{-0.0548, -0.0002, 0},
      {7.3894, -0.01, -0.00003},
      {3.22, 0.0197, -0.00001},
      {0.8383, -0.0064, -0.00001},
      {0.9666, 0.0039, -0.00003},
      {0.077, -0.0026, 0},
      {0.2758, 0.0002, -0.00002},
      {-0.0128, -0.0008, 0},
      {0.0734, -0.0004, -0.00001},
      {-0.0122, -0.0002, 0},
      {0.0173, -0.0002, 0}}},
    // Venus
    {{{-0.0096, 0.0002, -0.00001},
      {2.0009, -0.0033, -0.00001},
      {0.598, -0.0104, 0.00001},
      {0.0967, -0.0018, -0.00003},
      {0.0913, 0.0009, -0.00002},
      {0.0046, -0.0002, 0},
      {0.0079, 0.0001, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0}},
     {{0.0099, -0.0002, -0.00001},
      {4.1991, -0.0121, -0.00003},
      {-0.6095, 0.0102, -0.00002},
      {0.25, -0.0028, -0.00003},
      {0.0063, 0.0025, -0.00002},
      {0.0232, -0.0005, -0.00001},
      {0.0031, 0.0004, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0}}},
    // Mars
    {{{-0.3088, 0, 0.00002},
      {-17.6965, 0.0363, 0.00005},
      {18.3131, 0.0467, -0.00006},
      {-0.2162, -0.0198, -0.00001},
      {-4.5028, -0.0019, 0.00007},
      {0.8987, 0.0058, -0.00002},
      {0.7666, -0.005, -0.00003},
      {-0.3636, -0.0001, 0.00002},
      {0.0402, 0.0032, 0},
      {0.0737, -0.0008, 0},
      {-0.098, -0.0011, 0}},
     {{0.3102, -0.0001, 0.00001},
      {9.7273, -0.0156, 0.00001},
      {-18.3195, -0.0467, 0.00009},
      {-1.6488, -0.0133, 0.00001},
      {-2.6117, -0.002, 0.00004},
      {-0.6827, -0.0026, 0.00001},
      {0.0281, 0.0035, 0.00001},
      {-0.0823, 0.0006, 0.00001},
      {0.1584, 0.0013, 0},
      {0.027, 0.0005, 0},
      {0.0433, 0, 0}}},
    // Jupiter
    {{{-0.1029, 0, -0.00009},
      {-1.9658, -0.0056, 0.00007},
      {6.1537, 0.021, -0.00006},
      {-0.2081, -0.0013, 0},
      {-0.1116, -0.001, 0},
      {0.0074, 0.0001, 0},
      {-0.0097, -0.0001, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0}},
     {{0.1027, 0.0002, -0.00009},
      {-2.2637, 0.0163, -0.00003},
      {-6.154, -0.021, 0.00008},
      {-0.2021, -0.0017, 0.00001},
      {0.131, -0.0008, 0},
      {0.0086, 0, 0},
      {0.0087, 0.0002, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0}}},
    // Saturn
    {{{-0.0209, 0.0006, 0.00023},
      {4.5795, -0.0312, -0.00017},
      {1.1462, -0.0351, 0.00011},
      {0.0985, -0.0015, 0},
      {0.0733, -0.0031, 0.00001},
      {0.0025, -0.0001, 0},
      {0.005, -0.0002, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0}},
     {{0.0172, -0.0006, 0.00023},
      {-8.5885, 0.0411, 0.0002},
      {-1.147, 0.0352, -0.00011},
      {0.3331, -0.0034, -0.00001},
      {0.1145, -0.0045, 0.00002},
      {-0.0169, 0.0002, 0},
      {-0.0109, 0.0004, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0}}},
    // Uranus
    {{{0.0844, -0.0006, 0},
      {-0.1048, 0.0246, 0},
      {-5.1221, 0.0104, 0.00003},
      {-0.1428, 0.0005, 0},
      {-0.0148, -0.0013, 0},
      {0, 0, 0},
      {0.0055, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0}},
     {{-0.0859, 0.0003, 0},
      {-3.8179, -0.0148, 0.00003},
      {5.1228, -0.0105, -0.00002},
      {-0.0803, 0.0011, 0},
      {-0.1905, -0.0006, 0},
      {0.0088, 0.0001, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0}}},
    // Neptune
    {{{-0.014, 0, 0.00001},
      {-1.3486, 0.001, 0.00001},
      {0.8597, 0.0037, 0},
      {-0.0082, -0.0002, 0.00001},
      {0.0037, -0.0003, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0}},
     {{0.0168, 0, 0},
      {-2.5606, 0.0088, 0.00002},
      {-0.8611, -0.0037, 0.00002},
      {0.0118, -0.0004, 0.00001},
      {0.0307, -0.0003, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0}}},
};

// Greatest elongations, [row][side]: time (days from the inferior conjunction's mean
// time), then elongation (degrees).
constexpr Series kElongation[2][2][2] = {
    // Mercury: eastern, western
    {{{{-21.6101, 0.0002, 0},
       {-1.9803, -0.006, 0.00001},
       {1.4151, -0.0072, -0.00001},
       {0.5528, -0.0005, -0.00001},
       {0.2905, 0.0034, 0.00001},
       {-0.1121, -0.0001, 0.00001},
       {-0.0098, -0.0015, 0},
       {0.0192, 0, 0},
       {0.0111, 0.0004, 0},
       {-0.0061, 0, 0},
       {-0.0032, -0.0001, 0}},
      {{22.4697, 0, 0},
       {-4.2666, 0.0054, 0.00002},
       {-1.8537, -0.0137, 0},
       {0.3598, 0.0008, -0.00001},
       {-0.068, 0.0026, 0},
       {-0.0524, -0.0003, 0},
       {0.0052, -0.0006, 0},
       {0.0107, 0.0001, 0},
       {-0.0013, 0.0001, 0},
       {-0.0021, 0, 0},
       {0.0003, 0, 0}}},
     {{{21.6249, -0.0002, 0},
       {0.1306, 0.0065, 0},
       {-2.7661, -0.0011, 0.00001},
       {0.2438, -0.0024, -0.00001},
       {0.5767, 0.0023, 0},
       {0.1041, 0, 0},
       {-0.0184, 0.0007, 0},
       {-0.0051, -0.0001, 0},
       {0.0048, 0.0001, 0},
       {0.0026, 0, 0},
       {0.0037, 0, 0}},
      {{22.4143, -0.0001, 0},
       {4.3651, -0.0048, -0.00002},
       {2.3787, 0.0121, -0.00001},
       {0.2674, 0.0022, 0},
       {-0.3873, 0.0008, 0.00001},
       {-0.0369, -0.0001, 0},
       {0.0017, -0.0001, 0},
       {0.0059, 0, 0},
       {0.0061, 0.0001, 0},
       {0.0007, 0, 0},
       {-0.0011, 0, 0}}}},
    // Venus: eastern, western
    {{{{-70.76, 0.0002, -0.00001},
       {1.0282, -0.001, -0.00001},
       {0.2761, -0.006, 0},
       {-0.0438, -0.0023, 0.00002},
       {0.166, -0.0037, -0.00004},
       {0.0036, 0.0001, 0},
       {-0.0011, 0, 0.00001},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0}},
      {{46.3173, 0.0001, 0},
       {0.6916, -0.0024, 0},
       {0.6676, -0.0045, 0},
       {0.0309, -0.0002, 0},
       {0.0036, -0.0001, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0}}},
     {{{70.7462, 0, -0.00001},
       {1.1218, -0.0025, -0.00001},
       {0.4538, -0.0066, 0},
       {0.132, 0.002, -0.00003},
       {-0.0702, 0.0022, 0.00004},
       {0.0062, -0.0001, 0},
       {0.0015, 0, -0.00001},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0}},
      {{46.3245, 0, 0},
       {-0.5366, -0.0003, 0.00001},
       {0.3097, 0.0016, -0.00001},
       {-0.0163, 0, 0},
       {-0.0075, 0.0001, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0}}}},
};

// Earth radii by which the series' shadow distances may err.
constexpr double kCandidateMargin = 0.03;

}  // namespace

EclipseElementSet EclipseElements(double k) {
    EclipseElementSet r;
    const double T0 = k / 1236.85;
    r.JDE = kNewMoonEpoch + kSynodicMonth * k +
            T0 * T0 * (0.0001337 + T0 * (0.00000015 + T0 * 0.00000000073));
    const double T = CenturiesSinceJ2000(r.JDE);
    const double omega =
        ReducedRadians(125.044555 +
            T * (-1934.1361849 + T * (0.0020762 + T * (0.000002139449 + T * 0.0000000164973))));
    const double M =
        ReducedRadians(357.5291092 + T * (35999.0502909 + T * (-0.0001536 + T * 0.00000004083299)));
    const double Mp =
        ReducedRadians(134.9634114 +
            T * (477198.8676313 + T * (0.008997 + T * (0.00001434741 + T * 0.0000000679717))));
    const double F =
        ReducedRadians(93.2720993 +
            T * (483202.0175273 + T * (-0.0034029 + T * (0.0000002836075 + T * 0.00000000115833))));
    const double E = 1 + T * (-0.002516 - T * 0.0000074);
    r.MPrime = Mp;
    if (std::fabs(std::sin(F)) >= 0.36) {
        r.Gamma = 2;
        r.U = 0;
        return r;
    }
    const double F1 = F - ReducedRadians(0.02665) * std::sin(omega);
    const double A1 = ReducedRadians(299.77 + 0.107408 * k - 0.009173 * T * T);
    r.JDE += -0.4075 * std::sin(Mp) + 0.1721 * E * std::sin(M) + 0.0161 * std::sin(2 * Mp) -
             0.0097 * std::sin(2 * F1) + 0.0073 * E * std::sin(Mp - M) -
             0.0050 * E * std::sin(Mp + M) - 0.0023 * std::sin(Mp - 2 * F1) +
             0.0021 * E * std::sin(2 * M) + 0.0012 * std::sin(Mp + 2 * F1) +
             0.0006 * E * std::sin(2 * Mp + M) - 0.0004 * std::sin(3 * Mp) -
             0.0003 * E * std::sin(M + 2 * F1) + 0.0003 * std::sin(A1) -
             0.0002 * E * std::sin(M - 2 * F1) - 0.0002 * E * std::sin(2 * Mp - M) -
             0.0002 * std::sin(omega);
    const double P = 0.2070 * E * std::sin(M) + 0.0024 * E * std::sin(2 * M) -
                     0.0392 * std::sin(Mp) + 0.0116 * std::sin(2 * Mp) -
                     0.0073 * E * std::sin(Mp + M) + 0.0067 * E * std::sin(Mp - M) +
                     0.0118 * std::sin(2 * F1);
    const double Q = 5.2207 - 0.0048 * E * std::cos(M) + 0.0020 * E * std::cos(2 * M) -
                     0.3299 * std::cos(Mp) - 0.0060 * E * std::cos(Mp + M) +
                     0.0041 * E * std::cos(Mp - M);
    r.Gamma =
        std::fabs((P * std::cos(F1) + Q * std::sin(F1)) * (1 - 0.0048 * std::fabs(std::cos(F1))));
    r.U = 0.0059 + 0.0046 * E * std::cos(M) - 0.0182 * std::cos(Mp) + 0.0004 * std::cos(2 * Mp) -
          0.0005 * std::cos(M + Mp);
    return r;
}

std::optional<SolarEclipse> SolarEclipseAt(double k) {
    const EclipseElementSet e = EclipseElements(k);
    // The series find the candidates (with a margin for their error); the full theories at the
    // greatest phase decide whether there is an eclipse and of which kind.
    if (!(e.Gamma < 1.5433 + e.U + kCandidateMargin)) return std::nullopt;
    const SolarShadow shadow = SolarShadowNear(Instant::FromTT(e.JDE));
    SolarEclipse r;
    r.JDE = static_cast<double>(shadow.greatest.tt());
    if (shadow.gamma < 1) {
        if (shadow.umbra < 0) r.Type = 1;
        else r.Type = shadow.umbraAtSurface < 0 ? 3 : 2;  // total only near the middle: hybrid
    } else if (shadow.gamma < 1 + std::fabs(shadow.umbra)) {
        r.Type = shadow.umbra < 0 ? 4 : 5;  // the shadow's edge grazes the Earth
    } else if (shadow.gamma < 1 + shadow.penumbra) {
        r.Type = 6;
        r.Magnitude = (1 + shadow.penumbra - shadow.gamma) / (shadow.penumbra + shadow.umbra);
    } else {
        return std::nullopt;
    }
    return r;
}

SolarEclipse NextSolarEclipse(double jd) {
    double k = std::floor((jd - kNewMoonEpoch) / kSynodicMonth + 1.03);
    for (;; k += 1)
        if (const std::optional<SolarEclipse> e = SolarEclipseAt(k)) return *e;
}

std::optional<LunarEclipse> LunarEclipseAt(double k) {
    const EclipseElementSet e = EclipseElements(k);
    if (!(e.Gamma < kPenumbralLimit + e.U + kCandidateMargin)) return std::nullopt;
    const LunarShadow shadow = LunarShadowNear(Instant::FromTT(e.JDE));
    LunarEclipse r;
    r.JDE = static_cast<double>(shadow.greatest.tt());
    const double umbral = shadow.UmbralMagnitude();
    if (umbral > 0) {
        r.Type = umbral >= 1 ? 1 : 6;
        r.Magnitude = umbral;
        r.TotalSemiDuration = shadow.SemiDuration(shadow.umbra - shadow.moonRadius);
        r.PartialSemiDuration = shadow.SemiDuration(shadow.umbra + shadow.moonRadius);
    } else if (shadow.PenumbralMagnitude() > 0) {
        r.Type = 7;
        r.Magnitude = shadow.PenumbralMagnitude();
        r.PenumbralSemiDuration = shadow.SemiDuration(shadow.penumbra + shadow.moonRadius);
    } else {
        return std::nullopt;
    }
    return r;
}

LunarEclipse NextLunarEclipse(double jd) {
    double k = std::floor((jd - kNewMoonEpoch) / kSynodicMonth + 1.03) + 0.5;
    for (;; k += 1)
        if (const std::optional<LunarEclipse> e = LunarEclipseAt(k)) return *e;
}

int FirstPhenomenonIndex(int year, Body planet, int event) {
    const MeanPhenomena& p = kMean[PhenomenonRow(planet)];
    return static_cast<int>(std::trunc((365.2425 * year + 1721060 - p.A[event]) / p.B));
}

double PlanetPhenomenonTime(Body planet, int event, int k) {
    const int row = PhenomenonRow(planet);
    const MeanPhenomena& p = kMean[row];
    const double jde0 = p.A[event] + k * p.B;
    const double M = ReducedRadians(p.M0[event] + p.M1 * k);
    const double T = CenturiesSinceJ2000(jde0);
    double jde = jde0 + SumSeries(kPhenomenon[row][event], p.Harmonics, M, T);
    // Perturbations of the outer planets by one another, the same for both events.
    switch (planet) {
        case Body::Jupiter: {
            const double a = ReducedRadians(82.74 + 40.76 * T);
            jde += Triple{0, 0.0144, -0.00008}.At(T) * std::sin(a) +
                   Triple{0.3642, -0.0019, -0.00029}.At(T) * std::cos(a);
            break;
        }
        case Body::Saturn: {
            const double a = ReducedRadians(82.74 + 40.76 * T);
            const double b = ReducedRadians(29.86 + 1181.36 * T);
            const double c = ReducedRadians(14.13 + 590.68 * T);
            const double d = ReducedRadians(220.02 + 1262.87 * T);
            jde += Triple{0, -0.0337, 0.00018}.At(T) * std::sin(a) +
                   Triple{-0.851, 0.0044, 0.00068}.At(T) * std::cos(a) +
                   Triple{0, -0.0064, 0.00004}.At(T) * std::sin(b) +
                   Triple{0.2397, -0.0012, -0.00008}.At(T) * std::cos(b) +
                   Triple{0, -0.001, 0}.At(T) * std::sin(c) +
                   Triple{0.1245, 0.0006, 0}.At(T) * std::cos(c) +
                   Triple{0, 0.0024, -0.00003}.At(T) * std::sin(d) +
                   Triple{0.0477, -0.0005, -0.00006}.At(T) * std::cos(d);
            break;
        }
        case Body::Uranus: {
            jde += 0.885 * std::cos(ReducedRadians(207.83 + 8.51 * T)) +
                   0.2153 * std::cos(ReducedRadians(108.84 + 419.96 * T));
            break;
        }
        case Body::Neptune: {
            jde += -0.5964 * std::cos(ReducedRadians(207.83 + 8.51 * T)) +
                   0.0728 * std::cos(ReducedRadians(276.74 + 209.98 * T));
            break;
        }
        default:
            break;
    }
    return jde;
}

GreatestElongation GreatestElongationTime(Body planet, int side, int k) {
    const int row = PhenomenonRow(planet);
    if (row > 1) throw DomainError(std::string("no greatest elongation for ") + BodyName(planet));
    const MeanPhenomena& p = kMean[row];
    const double jde0 = p.A[0] + k * p.B;
    const double M = ReducedRadians(p.M0[0] + p.M1 * k);
    const double T = CenturiesSinceJ2000(jde0);
    const Series(&s)[2] = kElongation[row][side];
    return {jde0 + SumSeries(s[0], p.Harmonics, M, T), SumSeries(s[1], p.Harmonics, M, T)};
}

}  // namespace noctaris
