#include "astro/coords/nutation.h"

#include <cstdint>

#include "astro/coords/angles.h"
#include "astro/coords/degrees.h"

namespace noctaris {

using LD = long double;

namespace {

// One row of the nutation series: multipliers of D, M, M', F, Omega; the nutation in
// longitude a + b T / 10 (0.0001") and in obliquity c + d T / 10 (0.0001").
struct NutationTerm {
    std::int8_t d, m, mp, f, om;
    std::int32_t a, b, c, d2;
};

// The first 31 terms of the IAU 1980 theory of nutation, in their published order.
constexpr NutationTerm kNutation[31] = {
    {0, 0, 0, 0, 1, -171996, -1742, 92025, 89},  // 1
    {-2, 0, 0, 2, 2, -13187, -16, 5736, -31},  // 2
    {0, 0, 0, 2, 2, -2274, -2, 977, -5},  // 3
    {0, 0, 0, 0, 2, 2062, 2, -895, 5},  // 4
    {0, 1, 0, 0, 0, 1426, -34, 54, -1},  // 5
    {0, 0, 1, 0, 0, 712, 1, -7, 0},  // 6
    {-2, 1, 0, 2, 2, -517, 12, 224, -6},  // 7
    {0, 0, 0, 2, 1, -386, -4, 200, 0},  // 8
    {0, 0, 1, 2, 2, -301, 0, 129, -1},  // 9
    {-2, -1, 0, 2, 2, 217, -5, -95, 3},  // 10
    {-2, 0, 1, 0, 0, -158, 0, 0, 0},  // 11
    {-2, 0, 0, 2, 1, 129, 1, -70, 0},  // 12
    {0, 0, -1, 2, 2, 123, 0, -53, 0},  // 13
    {2, 0, 0, 0, 0, 63, 0, 0, 0},  // 14
    {0, 0, 1, 0, 1, 63, 1, -33, 0},  // 15
    {2, 0, -1, 2, 2, -59, 0, 26, 0},  // 16
    {0, 0, -1, 0, 1, -58, -1, 32, 0},  // 17
    {0, 0, 1, 2, 1, -51, 0, 27, 0},  // 18
    {-2, 0, 2, 0, 0, 48, 0, 0, 0},  // 19
    {0, 0, -2, 2, 1, 46, 0, -24, 0},  // 20
    {2, 0, 0, 2, 2, -38, 0, 16, 0},  // 21
    {0, 0, 2, 2, 2, -31, 0, 13, 0},  // 22
    {0, 0, 2, 0, 0, 29, 0, 0, 0},  // 23
    {-2, 0, 1, 2, 2, 29, 0, -12, 0},  // 24
    {0, 0, 0, 2, 0, 26, 0, 0, 0},  // 25
    {-2, 0, 0, 2, 0, -22, 0, 0, 0},  // 26
    {0, 0, -1, 2, 1, 21, 0, -10, 0},  // 27
    {0, 2, 0, 0, 0, 17, -1, 0, 0},  // 28
    {2, 0, -1, 0, 1, 16, 0, -8, 0},  // 29
    {-2, 2, 0, 2, 2, -16, 1, 7, 0},  // 30
    {0, 1, 0, 0, 1, -15, 0, 9, 0},  // 31
};

}  // namespace

NutationAngles Nutation(LD T) {
    const LD T2 = T * T;
    const LD T3 = T2 * T;
    const LD D = Reduce360(297.85036L + 445267.111480L * T - 0.0019142L * T2 + T3 / 189474.0L);
    const LD M = Reduce360(357.52772L + 35999.050340L * T - 0.0001603L * T2 - T3 / 300000.0L);
    const LD Mp = Reduce360(134.96298L + 477198.867398L * T + 0.0086972L * T2 + T3 / 56250.0L);
    const LD F = Reduce360(93.27191L + 483202.017538L * T - 0.0036825L * T2 + T3 / 327270.0L);
    const LD Om = Reduce360(125.04452L - 1934.136261L * T + 0.0020708L * T2 + T3 / 450000.0L);
    LD psi = 0;
    LD eps = 0;
    for (const NutationTerm& n : kNutation) {
        const LD g = n.d * D + n.m * M + n.mp * Mp + n.f * F + n.om * Om;
        psi += (n.a + n.b * T / 10.0L) * SinD(g);
        eps += (n.c + n.d2 * T / 10.0L) * CosD(g);
    }
    psi = psi * 1e-4L / 3600.0L;
    eps = eps * 1e-4L / 3600.0L;
    const LD eps0 = 84381.448L - 46.815L * T - 0.00059L * T2 + 0.001813L * T3;
    return {psi, eps, eps0 / 3600.0L + eps};
}

}  // namespace noctaris
