#include "astro/theories/moonseries.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "astro/core/constants.h"
#include "astro/coords/angles.h"
#include "astro/theories/lunar_terms.h"
#include "astro/time/timebase.h"

namespace noctaris {
namespace {
using LD = long double;

// Transcendental functions are evaluated in double (the extended ones cost several times as
// much and the chart calls these series on every redraw); sums and products stay extended.
LD Sin(LD deg) { return std::sin(static_cast<double>(deg * kDegToRad)); }
LD Cos(LD deg) { return std::cos(static_cast<double>(deg * kDegToRad)); }
LD Tan(LD deg) { return std::tan(static_cast<double>(deg * kDegToRad)); }
LD AtanDeg(LD x) { return std::atan(static_cast<double>(x)) * kRadToDeg; }
LD AsinDeg(LD x) { return std::asin(static_cast<double>(x)) * kRadToDeg; }

// The series take the leading terms of the Moon's tables (lunar_terms.h): longitude from the
// first 42 rows (the short series 12, without E), distance from every row with a distance
// coefficient, latitude from the first 47 rows (the short series 24, without E).
constexpr int kLongitudeTerms = 42;
constexpr int kShortLongitudeTerms = 12;
constexpr int kLatitudeTerms = 47;
constexpr int kShortLatitudeTerms = 24;

// The fundamental arguments reduced to 0..360 (E as it is), with T.
struct Fundamentals : LunarArguments {
    LD T = 0;
};

Fundamentals FundamentalArguments(double jd) {
    Fundamentals a;
    a.T = JulianCenturies(jd);
    static_cast<LunarArguments&>(a) = LunarArgumentsAt(a.T);
    for (LD* x : {&a.Lp, &a.D, &a.M, &a.Mp, &a.F, &a.A1, &a.A2, &a.A3}) *x = Reduce360(*x);
    return a;
}

template <class Term>
LD TermArgument(const Fundamentals& a, const Term& t) {
    return t.d * a.D + t.m * a.M + t.mp * a.Mp + t.f * a.F;
}

// Sum of coefficient sin(argument) over the first n rows of a table, the coefficient the
// row's member `coeff`; useE false ignores E (the short series).
template <class Term>
LD SumSines(const Term* terms, std::int32_t Term::*coeff, int n, const Fundamentals& a, bool useE) {
    LD sum = 0;
    for (int j = 0; j < n; ++j) {
        const Term& t = terms[j];
        LD c = t.*coeff;
        if (useE) c *= EccentricityFactor(t.m, a.E);
        sum += c * Sin(TermArgument(a, t));
    }
    return sum;
}

// Illuminated fraction from the phase angle of the short formula.
LD IlluminatedFraction(const Fundamentals& a) {
    const LD i = 180.0L - a.D - 6.289L * Sin(a.Mp) + 2.1L * Sin(a.M) - 1.274L * Sin(2 * a.D - a.Mp) -
                 0.658L * Sin(2 * a.D) - 0.214L * Sin(2 * a.Mp) - 0.11L * Sin(a.D);
    return (1.0L + Cos(i)) / 2.0L;
}

// Ecliptic (lambda, beta) to equatorial with the obliquity given by its cosine and sine.
struct RaDec {
    double ra, dec;  // degrees
};
RaDec EclipticToRaDec(LD lambda, LD beta, LD ce, LD se) {
    const LD cl = Cos(lambda);
    const LD num = Sin(lambda) * ce - Tan(beta) * se;
    LD alpha = cl == 0 ? (num >= 0 ? 90.0L : -90.0L) : AtanDeg(num / cl);
    if (cl < 0) alpha += 180.0L;
    const double ra = static_cast<double>(Reduce360(alpha));
    // A rounding overshoot of this sine is the only way past +-1.
    const LD sd = std::clamp(Sin(beta) * ce + Cos(beta) * se * Sin(lambda), -1.0L, 1.0L);
    return {ra, static_cast<double>(AsinDeg(sd))};
}

}  // namespace

ShortNutation NutationShort(const Instant& t) {
    const LD T = JulianCenturies(static_cast<double>(t.tt()));
    const LD L = Reduce360(280.4665L + 36000.7698L * T);
    const LD Lm = Reduce360(218.3165L + 481267.8813L * T);
    const LD om = Reduce360(125.04452L - 1934.136261L * T + 0.0020708L * T * T + T * T * T / 450000.0L);
    ShortNutation n;
    n.Longitude = static_cast<double>(-17.2L * Sin(om) - 1.32L * Sin(2 * L) - 0.23L * Sin(2 * Lm) + 0.21L * Sin(2 * om));
    n.Obliquity = static_cast<double>(9.2L * Cos(om) + 0.57L * Cos(2 * L) + 0.1L * Cos(2 * Lm) - 0.09L * Cos(2 * om));
    return n;
}

MoonShortPlace MoonPositionShort(const Instant& t) {
    const Fundamentals a = FundamentalArguments(static_cast<double>(t.tt()));
    const LD sl = SumSines(kMoonLR, &MoonLRTerm::l, kShortLongitudeTerms, a, false) +
                  AdditiveLongitudeTerms(a, Sin);
    const LD sb = SumSines(kMoonB, &MoonBTerm::b, kShortLatitudeTerms, a, false) +
                  AdditiveLatitudeTerms(a, Sin);
    const LD lambda = a.Lp + sl / 1000000.0L;
    const LD beta = sb / 1000000.0L;
    const RaDec e = EclipticToRaDec(lambda, beta, 0.917472974841104L, 0.397798115174287L);
    return {e.ra, e.dec, static_cast<double>(IlluminatedFraction(a))};
}

MoonFullPlace MoonPositionFull(const Instant& t) {
    const Fundamentals a = FundamentalArguments(static_cast<double>(t.tt()));
    const LD sl = SumSines(kMoonLR, &MoonLRTerm::l, kLongitudeTerms, a, true) +
                  AdditiveLongitudeTerms(a, Sin);
    LD sr = 0;
    for (const MoonLRTerm& t : kMoonLR) {
        if (t.r == 0) continue;
        const LD c = t.r * EccentricityFactor(t.m, a.E);
        sr += c * Cos(TermArgument(a, t));
    }
    const LD sb = SumSines(kMoonB, &MoonBTerm::b, kLatitudeTerms, a, true) +
                  AdditiveLatitudeTerms(a, Sin);

    const ShortNutation n = NutationShort(t);
    const LD lam = a.Lp + sl / 1000000.0L + n.Longitude / 3600.0L;
    const LD beta = sb / 1000000.0L;
    MoonFullPlace m;
    m.DistanceKm = static_cast<double>(385000.56L + sr / 1000.0L);
    m.Longitude = static_cast<double>(lam);

    const LD T = a.T;
    const LD eps = (84381.448L - 46.815L * T - 0.00059L * T * T + 0.001813L * T * T * T + n.Obliquity) / 3600.0L;
    const RaDec e = EclipticToRaDec(lam, beta, Cos(eps), Sin(eps));
    m.RightAscension = e.ra;
    m.Declination = e.dec;
    m.IlluminatedFraction = static_cast<double>(IlluminatedFraction(a));

    const LD T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    m.NodeLongitude = static_cast<double>(
        Reduce360(125.04455L - 1934.1361849L * T + 0.0020762L * T2 + T3 / 467410.0L - T4 / 60616000.0L));
    m.PerigeeLongitude = static_cast<double>(
        Reduce360(83.353243L + 4069.0137111L * T - 0.0103238L * T2 - T3 / 80053.0L + T4 / 18999000.0L));
    return m;
}

GalileanMoonPositions GalileanMoons(const Instant& t) {
    GalileanMoonPositions positions;
    const LD d = static_cast<LD>(static_cast<double>(t.tt())) - 2451545.0L;
    const LD V = Reduce360(172.74L + 0.00111588L * d);
    const LD M = Reduce360(357.529L + 0.9856003L * d);
    const LD N = Reduce360(20.02L + 0.0830853L * d + 0.329L * Sin(V));
    const LD J = Reduce360(66.115L + 0.9025179L * d - 0.329L * Sin(V));

    const LD A = 1.915L * Sin(M) + 0.02L * Sin(2 * M);
    const LD B = 5.555L * Sin(N) + 0.168L * Sin(2 * N);
    const LD K = J + A - B;

    const LD R = 1.00014L - 0.01671L * Cos(M) - 0.00014L * Cos(2 * M);
    const LD r = 5.20872L - 0.25208L * Cos(N) - 0.00611L * Cos(2 * N);
    const LD delta = std::sqrt(std::fabs(r * r + R * R - 2 * r * R * Cos(K)));
    const LD psi = AsinDeg(std::clamp(R / delta * Sin(K), -1.0L, 1.0L));

    const LD lambdaJ = 34.35L + 0.083091L * d + 0.329L * Sin(V) + B;
    const LD DS = 3.12L * Sin(lambdaJ + 42.8L);
    const LD DE = DS - 2.22L * Sin(psi) * Cos(lambdaJ + 22.0L) - 1.3L * (r - delta) / delta * Sin(lambdaJ - 100.5L);

    const LD dp = d - delta / 173.0L;  // light time
    LD u[4] = {163.8067L + 203.4058643L * dp + psi - B, 358.4108L + 101.2916334L * dp + psi - B,
               5.7129L + 50.2345179L * dp + psi - B, 224.8151L + 21.4879801L * dp + psi - B};
    const LD G = Reduce360(331.18L + 50.310482L * dp);
    const LD H = Reduce360(87.4L + 21.569231L * dp);

    const LD u1 = u[0], u2 = u[1], u3 = u[2];
    u[0] += 0.473L * Sin(2 * (u1 - u2));
    u[1] += 1.065L * Sin(2 * (u2 - u3));
    u[2] += 0.165L * Sin(G);
    u[3] += 0.841L * Sin(H);

    const LD radius[4] = {5.9073L - 0.0244L * Cos(2 * (u[0] - u[1])), 9.3991L - 0.0882L * Cos(2 * (u[1] - u[2])),
                          14.9924L - 0.0216L * Cos(G), 26.3699L - 0.1935L * Cos(H)};
    for (int j = 0; j < 4; ++j) {
        positions[j].X = static_cast<double>(radius[j] * Sin(u[j]));
        positions[j].Y = static_cast<double>(-radius[j] * Cos(u[j]) * Sin(DE));
        // u is counted from the inferior conjunction, so r cos u points towards the Earth;
        // the sign is turned to make Z positive for a moon beyond Jupiter.
        positions[j].Z = static_cast<double>(-radius[j] * Cos(u[j]));
    }
    return positions;
}

}  // namespace noctaris
