#include "astro/moonseries.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace noctaris {
namespace {
using LD = long double;
// This module's own degree constants (fuller than RAD of the angle library).
constexpr LD kDeg = 0.017453292519943295769L;
constexpr LD kInvDeg = 57.295779513082320877L;

// Transcendental functions are evaluated in double (the extended ones cost several times as
// much and the chart calls these series on every redraw); sums and products stay extended.
LD Sin(LD deg) { return std::sin(static_cast<double>(deg * kDeg)); }
LD Cos(LD deg) { return std::cos(static_cast<double>(deg * kDeg)); }
LD Tan(LD deg) { return std::tan(static_cast<double>(deg * kDeg)); }
LD AtanDeg(LD x) { return std::atan(static_cast<double>(x)) * kInvDeg; }
LD AsinDeg(LD x) { return std::asin(static_cast<double>(x)) * kInvDeg; }

LD Reduce360(LD x) {
    x = std::fmod(x, 360.0L);
    if (x < 0) x += 360.0L;
    if (x >= 360.0L) x -= 360.0L;
    return x;
}

LD Centuries(double jd) { return (static_cast<LD>(jd) - 2451545.0L) / 36525.0L; }

// One periodic term of the lunar series: coeff * E^ePower * sin or cos of
// (d*D + m*M + mp*M' + f*F).
struct LunarTerm {
    std::int8_t d, m, mp, f, ePower;
    double coeff;
};

// Longitude, millionths of a degree (the short series takes the first 12 terms, without E).
constexpr LunarTerm kLongitude[] = {
    {0, 0, 1, 0, 0, 6288774},   {2, 0, -1, 0, 0, 1274027}, {2, 0, 0, 0, 0, 658314},
    {0, 0, 2, 0, 0, 213618},    {0, 1, 0, 0, 1, -185116},  {0, 0, 0, 2, 0, -114332},
    {2, 0, -2, 0, 0, 58793},    {2, -1, -1, 0, 1, 57066},  {2, 0, 1, 0, 0, 53322},
    {2, -1, 0, 0, 1, 45758},    {0, 1, -1, 0, 1, -40923},  {1, 0, 0, 0, 0, -34720},
    {0, 1, 1, 0, 1, -30383},    {2, 0, 0, -2, 0, 15327},   {0, 0, 1, 2, 0, -12528},
    {0, 0, 1, -2, 0, 10980},    {4, 0, -1, 0, 0, 10675},   {0, 0, 3, 0, 0, 10034},
    {4, 0, -2, 0, 0, 8548},     {2, 1, -1, 0, 1, -7888},   {2, 1, 0, 0, 1, -6766},
    {1, 0, -1, 0, 0, -5163},    {1, 1, 0, 0, 1, 4987},     {2, -1, 1, 0, 1, 4036},
    {2, 0, 2, 0, 0, 3994},      {4, 0, 0, 0, 0, 3861},     {2, 0, -3, 0, 0, 3665},
    {0, 1, -2, 0, 1, -2689},    {2, 0, -1, 2, 0, -2602},   {2, -1, -2, 0, 1, 2390},
    {1, 0, 1, 0, 0, -2348},     {2, -2, 0, 0, 2, 2236},    {0, 1, 2, 0, 1, -2120},
    {0, 2, 0, 0, 2, -2069},     {2, -2, -1, 0, 2, 2048},   {2, 0, 1, -2, 0, -1773},
    {2, 0, 0, 2, 0, -1595},     {4, -1, -1, 0, 1, 1215},   {0, 0, 2, 2, 0, -1110},
    {3, 0, -1, 0, 0, -892},     {2, 1, 1, 0, 1, -810},     {4, -1, -2, 0, 1, 759},
};
constexpr int kShortLongitudeTerms = 12;

// Distance, thousandths of a kilometre (cosine terms).
constexpr LunarTerm kDistance[] = {
    {0, 0, 1, 0, 0, -20905355}, {2, 0, -1, 0, 0, -3699111}, {2, 0, 0, 0, 0, -2955968},
    {0, 0, 2, 0, 0, -569925},   {0, 1, 0, 0, 1, 48888},     {0, 0, 0, 2, 0, -3149},
    {2, 0, -2, 0, 0, 246158},   {2, -1, -1, 0, 1, -152138}, {2, 0, 1, 0, 0, -170733},
    {2, -1, 0, 0, 1, -204586},  {0, 1, -1, 0, 1, -129620},  {1, 0, 0, 0, 0, 108743},
    {0, 1, 1, 0, 1, 104755},    {2, 0, 0, -2, 0, 10321},    {0, 0, 1, -2, 0, 79661},
    {4, 0, -1, 0, 0, -34782},   {0, 0, 3, 0, 0, -23210},    {4, 0, -2, 0, 0, -21636},
    {2, 1, -1, 0, 1, 24208},    {2, 1, 0, 0, 1, 30824},     {1, 0, -1, 0, 0, -8379},
    {1, 1, 0, 0, 1, -16675},    {2, -1, 1, 0, 1, -12831},   {2, 0, 2, 0, 0, -10445},
    {4, 0, 0, 0, 0, -11650},    {2, 0, -3, 0, 0, 14403},    {0, 1, -2, 0, 1, -7003},
    {2, -1, -2, 0, 1, 10056},   {1, 0, 1, 0, 0, 6322},      {2, -2, 0, 0, 2, -9884},
    {0, 1, 2, 0, 1, 5751},      {2, -2, -1, 0, 2, -4950},   {2, 0, 1, -2, 0, 4130},
    {4, -1, -1, 0, 1, -3958},   {3, 0, -1, 0, 0, 3258},     {2, 1, 1, 0, 1, 2616},
    {4, -1, -2, 0, 1, -1897},   {0, 2, -1, 0, 2, -2117},    {2, 2, -1, 0, 2, 2354},
    {4, 0, 1, 0, 0, -1423},     {0, 0, 4, 0, 0, -1117},     {4, -1, 0, 0, 1, -1571},
    {1, 0, -2, 0, 0, -1739},    {0, 0, 2, -2, 0, -4421},    {0, 2, 1, 0, 2, 1165},
    {2, 0, -1, -2, 0, 8752},
};

// Latitude, millionths of a degree (the short series takes the first 24 terms, without E).
constexpr LunarTerm kLatitude[] = {
    {0, 0, 0, 1, 0, 5128122},  {0, 0, 1, 1, 0, 280602},   {0, 0, 1, -1, 0, 277693},
    {2, 0, 0, -1, 0, 173237},  {2, 0, -1, 1, 0, 55413},   {2, 0, -1, -1, 0, 46271},
    {2, 0, 0, 1, 0, 32573},    {0, 0, 2, 1, 0, 17198},    {2, 0, 1, -1, 0, 9266},
    {0, 0, 2, -1, 0, 8822},    {2, -1, 0, -1, 1, 8216},   {2, 0, -2, -1, 0, 4324},
    {2, 0, 1, 1, 0, 4200},     {2, 1, 0, -1, 1, -3359},   {2, -1, -1, 1, 1, 2463},
    {2, -1, 0, 1, 1, 2211},    {2, -1, -1, -1, 1, 2065},  {0, 1, -1, -1, 1, -1870},
    {4, 0, -1, -1, 0, 1828},   {0, 1, 0, 1, 1, -1794},    {0, 0, 0, 3, 0, -1749},
    {0, 1, -1, 1, 1, -1565},   {1, 0, 0, 1, 0, -1491},    {0, 1, 1, 1, 1, -1475},
    {0, 1, 1, -1, 1, -1410},   {0, 1, 0, -1, 1, -1344},   {1, 0, 0, -1, 0, -1335},
    {0, 0, 3, 1, 0, 1107},     {4, 0, 0, -1, 0, 1021},    {4, 0, -1, 1, 0, 833},
    {0, 0, 1, -3, 0, 777},     {4, 0, -2, 1, 0, 671},     {2, 0, 0, -3, 0, 607},
    {2, 0, 2, -1, 0, 596},     {2, -1, 1, -1, 1, 491},    {2, 0, -2, 1, 0, -451},
    {0, 0, 3, -1, 0, 439},     {2, 0, 2, 1, 0, 422},      {2, 0, -3, -1, 0, 421},
    {2, 1, -1, 1, 1, -366},    {2, 1, 0, 1, 1, -351},     {4, 0, 0, 1, 0, 331},
    {2, -1, 1, 1, 1, 315},     {2, -2, 0, -1, 2, 302},    {0, 0, 1, 3, 0, -283},
    {2, 1, 1, -1, 1, -229},    {1, 1, 0, -1, 1, 223},
};
constexpr int kShortLatitudeTerms = 24;

static_assert(std::size(kLongitude) == 42 && std::size(kDistance) == 46 && std::size(kLatitude) == 47);

struct Fundamentals {
    LD T, Lp, D, M, Mp, F, A1, A2, A3, E;
};

Fundamentals FundamentalArguments(double jd) {
    Fundamentals a;
    const LD T = Centuries(jd), T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    a.T = T;
    a.Lp = Reduce360(218.3164591L + 481267.88134236L * T - 0.0013268L * T2 + T3 / 538841.0L -
                     T4 / 65194000.0L);
    a.D = Reduce360(297.8502042L + 445267.1115168L * T - 0.00163L * T2 + T3 / 545868.0L -
                    T4 / 113065000.0L);
    a.M = Reduce360(357.5291092L + 35999.0502909L * T - 0.0001536L * T2 + T3 / 24490000.0L);
    a.Mp = Reduce360(134.9634114L + 477198.8676313L * T + 0.008997L * T2 + T3 / 69699.0L -
                     T4 / 14712000.0L);
    a.F = Reduce360(93.2720993L + 483202.0175273L * T - 0.0034029L * T2 - T3 / 3526000.0L +
                    T4 / 863310000.0L);
    a.A1 = Reduce360(119.75L + 131.849L * T);
    a.A2 = Reduce360(53.09L + 479264.29L * T);
    a.A3 = Reduce360(313.45L + 481266.484L * T);
    a.E = 1.0L - 0.002516L * T - 0.0000074L * T2;
    return a;
}

LD TermArgument(const Fundamentals& a, const LunarTerm& t) {
    return t.d * a.D + t.m * a.M + t.mp * a.Mp + t.f * a.F;
}

// Sum of the first n terms; useE false ignores the E marks (the short series).
template <std::size_t N>
LD SumSines(const LunarTerm (&terms)[N], std::size_t n, const Fundamentals& a, bool useE) {
    LD sum = 0;
    for (std::size_t j = 0; j < n; ++j) {
        const LunarTerm& t = terms[j];
        LD c = t.coeff;
        if (useE) c *= t.ePower == 1 ? a.E : (t.ePower == 2 ? a.E * a.E : 1.0L);
        sum += c * Sin(TermArgument(a, t));
    }
    return sum;
}

LD LongitudeExtras(const Fundamentals& a) {
    return 3958 * Sin(a.A1) + 1962 * Sin(a.Lp - a.F) + 318 * Sin(a.A2);
}

LD LatitudeExtras(const Fundamentals& a) {
    return -2235 * Sin(a.Lp) + 382 * Sin(a.A3) + 175 * Sin(a.A1 - a.F) + 175 * Sin(a.A1 + a.F) +
           127 * Sin(a.Lp - a.Mp) - 115 * Sin(a.Lp + a.Mp);
}

// Illuminated fraction from the phase angle of the short formula.
LD IlluminatedFraction(const Fundamentals& a) {
    const LD i = 180.0L - a.D - 6.289L * Sin(a.Mp) + 2.1L * Sin(a.M) - 1.274L * Sin(2 * a.D - a.Mp) -
                 0.658L * Sin(2 * a.D) - 0.214L * Sin(2 * a.Mp) - 0.11L * Sin(a.D);
    return (1.0L + Cos(i)) / 2.0L;
}

// Ecliptic (lambda, beta) to equatorial with the obliquity given by its cosine and sine.
void EclipticToRaDec(LD lambda, LD beta, LD ce, LD se, double& ra, double& dec) {
    const LD cl = Cos(lambda);
    const LD num = Sin(lambda) * ce - Tan(beta) * se;
    LD alpha = cl == 0 ? (num >= 0 ? 90.0L : -90.0L) : AtanDeg(num / cl);
    if (cl < 0) alpha += 180.0L;
    ra = static_cast<double>(Reduce360(alpha));
    // A rounding overshoot of this sine is the only way past +-1.
    const LD sd = std::clamp(Sin(beta) * ce + Cos(beta) * se * Sin(lambda), -1.0L, 1.0L);
    dec = static_cast<double>(AsinDeg(sd));
}

// One term of the phase corrections: coeff * E^ePower * sin(mp*M' + m*M + f*F + om*Omega).
struct PhaseTerm {
    std::int8_t mp, m, f, om, ePower;
    double coeff;
};

constexpr PhaseTerm kNewMoon[] = {
    {1, 0, 0, 0, 0, -0.4072},   {0, 1, 0, 0, 1, 0.17241},   {2, 0, 0, 0, 0, 0.01608},
    {0, 0, 2, 0, 0, 0.01039},   {1, -1, 0, 0, 1, 0.00739},  {1, 1, 0, 0, 1, -0.00514},
    {0, 2, 0, 0, 2, 0.00208},   {1, 0, -2, 0, 0, -0.00111}, {1, 0, 2, 0, 0, -0.00057},
    {2, 1, 0, 0, 1, 0.00056},   {3, 0, 0, 0, 0, -0.00042},  {0, 1, 2, 0, 1, 0.00042},
    {0, 1, -2, 0, 0, 0.00114},  {2, -1, 0, 0, 1, -0.00024}, {0, 0, 0, 1, 0, -0.00017},
    {1, 2, 0, 0, 0, -0.00007},  {2, 0, -2, 0, 0, 0.00004},  {0, 3, 0, 0, 0, 0.00004},
    {1, 1, -2, 0, 0, 0.00003},  {2, 0, 2, 0, 0, 0.00003},   {1, 1, 2, 0, 0, -0.00003},
    {1, -1, 2, 0, 0, 0.00003},  {1, -1, -2, 0, 0, -0.00002}, {3, 1, 0, 0, 0, -0.00002},
    {4, 0, 0, 0, 0, 0.00002},
};
// Full Moon: the new-Moon arguments with these first seven coefficients.
constexpr double kFullMoonLeading[] = {-0.40614, 0.17302, 0.01614, 0.01043, 0.00734, -0.00515, 0.00209};

constexpr PhaseTerm kQuarter[] = {
    {1, 0, 0, 0, 0, -0.62801},  {0, 1, 0, 0, 1, 0.17172},   {1, 1, 0, 0, 1, -0.01183},
    {2, 0, 0, 0, 0, 0.00862},   {0, 0, 2, 0, 0, 0.00804},   {1, -1, 0, 0, 1, -0.00454},
    {0, 2, 0, 0, 2, 0.00204},   {1, 0, -2, 0, 0, -0.0018},  {1, 0, 2, 0, 0, -0.0007},
    {3, 0, 0, 0, 0, -0.0004},   {2, -1, 0, 0, 1, -0.00034}, {0, 1, 2, 0, 1, 0.00032},
    {1, 2, 0, 0, 2, -0.00028},  {2, 1, 0, 0, 1, 0.000027},  {0, 0, 0, 1, 0, -0.00017},
    {1, -1, -2, 0, 0, -0.00005}, {2, 0, 2, 0, 0, 0.00004},  {1, 1, 2, 0, 0, -0.00004},
    {1, -2, 0, 0, 0, 0.00004},  {1, 1, -2, 0, 0, 0.00003},  {0, 3, 0, 0, 0, 0.00003},
    {2, 0, -2, 0, 0, 0.00002},  {1, -1, 2, 0, 0, 0.00002},  {3, 1, 0, 0, 0, -0.00002},
};
static_assert(std::size(kNewMoon) == 25 && std::size(kQuarter) == 24);

// Planetary arguments A1..A14: constant and rate per lunation; coefficient in days.
struct PlanetaryTerm {
    double a0, rate, coeff;
};
constexpr PlanetaryTerm kPlanetary[] = {
    {299.77, 0.107408, 0.000325}, {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126}, {84.66, 18.206239, 0.00011},  {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.00006},  {154.84, 7.30686, 0.000056},  {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042}, {291.34, 1.844379, 0.00004},  {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
};

}  // namespace

void NutationShort(double jd, double& dPsi, double& dEps) {
    const LD T = Centuries(jd);
    const LD L = Reduce360(280.4665L + 36000.7698L * T);
    const LD Lm = Reduce360(218.3165L + 481267.8813L * T);
    const LD om = Reduce360(125.04452L - 1934.136261L * T + 0.0020708L * T * T + T * T * T / 450000.0L);
    dPsi = static_cast<double>(-17.2L * Sin(om) - 1.32L * Sin(2 * L) - 0.23L * Sin(2 * Lm) + 0.21L * Sin(2 * om));
    dEps = static_cast<double>(9.2L * Cos(om) + 0.57L * Cos(2 * L) + 0.1L * Cos(2 * Lm) - 0.09L * Cos(2 * om));
}

void MoonPositionShort(double jd, double& ra, double& dec, double& k) {
    const Fundamentals a = FundamentalArguments(jd);
    const LD sl = SumSines(kLongitude, kShortLongitudeTerms, a, false) + LongitudeExtras(a);
    const LD sb = SumSines(kLatitude, kShortLatitudeTerms, a, false) + LatitudeExtras(a);
    const LD lambda = a.Lp + sl / 1000000.0L;
    const LD beta = sb / 1000000.0L;
    EclipticToRaDec(lambda, beta, 0.917472974841104L, 0.397798115174287L, ra, dec);
    k = static_cast<double>(IlluminatedFraction(a));
}

void MoonPositionFull(double jd, double& ra, double& dec, double& k, double& lambda,
                      double& perigee, double& node, double& distance) {
    const Fundamentals a = FundamentalArguments(jd);
    const LD sl = SumSines(kLongitude, std::size(kLongitude), a, true) + LongitudeExtras(a);
    LD sr = 0;
    for (const LunarTerm& t : kDistance) {
        const LD c = t.coeff * (t.ePower == 1 ? a.E : (t.ePower == 2 ? a.E * a.E : 1.0L));
        sr += c * Cos(TermArgument(a, t));
    }
    const LD sb = SumSines(kLatitude, std::size(kLatitude), a, true) + LatitudeExtras(a);

    double dPsi = 0, dEps = 0;
    NutationShort(jd, dPsi, dEps);
    const LD lam = a.Lp + sl / 1000000.0L + dPsi / 3600.0L;
    const LD beta = sb / 1000000.0L;
    distance = static_cast<double>(385000.56L + sr / 1000.0L);
    lambda = static_cast<double>(lam);

    const LD T = a.T;
    const LD eps = (84381.448L - 46.815L * T - 0.00059L * T * T + 0.001813L * T * T * T + dEps) / 3600.0L;
    EclipticToRaDec(lam, beta, Cos(eps), Sin(eps), ra, dec);
    k = static_cast<double>(IlluminatedFraction(a));

    const LD T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    node = static_cast<double>(
        Reduce360(125.04455L - 1934.1361849L * T + 0.0020762L * T2 + T3 / 467410.0L - T4 / 60616000.0L));
    perigee = static_cast<double>(
        Reduce360(83.353243L + 4069.0137111L * T - 0.0103238L * T2 - T3 / 80053.0L + T4 / 18999000.0L));
}

double MoonPhaseInstant(int day, int month, int year, int phase) {
    LD k = std::trunc((static_cast<LD>(year) + month / 12.0L + day / 365.0L - 2000.0L +
                       0.083333333333333333L) * 12.3685L);
    switch (phase) {
        case 1: k += 0.25L; break;
        case 2: k += 0.5L; break;
        case 3: k += 0.75L; break;
        case 4: k += 1.0L; break;
        default: break;
    }
    const LD T = k / 1236.85L, T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    const LD J = 2451550.09765L + 29.530588853L * k + 0.0001337L * T2 - 0.00000015L * T3 +
                 0.00000000073L * T4;
    const LD M = 2.5534L + 29.10535669L * k - 0.0000218L * T2 - 0.00000011L * T3;
    const LD Mp = 201.5643L + 385.81693528L * k + 0.1017438L * T2 + 0.00001239L * T3 - 0.000000058L * T4;
    const LD F = 160.7108L + 390.67050274L * k - 0.0016341L * T2 - 0.00000227L * T3 + 0.000000011L * T4;
    const LD om = 124.7746L - 1.5637558L * k + 0.0020691L * T2 + 0.00000215L * T3;
    const LD E = 1.0L - 0.002516L * T - 0.0000074L * T2;

    auto term = [&](const PhaseTerm& t, double coeff) {
        const LD c = coeff * (t.ePower == 1 ? E : (t.ePower == 2 ? E * E : 1.0L));
        return c * Sin(t.mp * Mp + t.m * M + t.f * F + t.om * om);
    };
    LD C = 0;
    if (phase == 0 || phase == 2 || phase == 4) {
        for (std::size_t j = 0; j < std::size(kNewMoon); ++j) {
            const double coeff = (phase == 2 && j < std::size(kFullMoonLeading)) ? kFullMoonLeading[j]
                                                                                  : kNewMoon[j].coeff;
            C += term(kNewMoon[j], coeff);
        }
    } else {
        for (const PhaseTerm& t : kQuarter) C += term(t, t.coeff);
        const LD W = 0.00306L - 0.00038L * E * Cos(M) + 0.00026L * Cos(Mp) - 0.00002L * Cos(Mp - M) +
                     0.00002L * Cos(Mp + M) + 0.00002L * Cos(2 * F);
        C += phase == 1 ? W : -W;
    }
    LD planetary = 0;
    for (std::size_t j = 0; j < std::size(kPlanetary); ++j) {
        LD arg = kPlanetary[j].a0 + kPlanetary[j].rate * k;
        if (j == 0) arg -= 0.009173L * T2;
        planetary += kPlanetary[j].coeff * Sin(arg);
    }
    return static_cast<double>(J + C + planetary);
}

void GalileanMoons(double jd, GalileanMoonPositions& positions) {
    const LD d = static_cast<LD>(jd) - 2451545.0L;
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
}

}  // namespace noctaris
