// Moon theory: position, age, new moon, lunation, perigee and apogee.
#include "astro/moon.h"

#include <cmath>
#include <cstdint>

namespace noctaris {

using LD = long double;

namespace {

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

// Truncated ELP-2000/82 lunar theory, in the published order.
constexpr MoonLRTerm kMoonLR[60] = {
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
};

constexpr MoonBTerm kMoonB[60] = {
    {0, 0, 0, 1, 5128122},
    {0, 0, 1, 1, 280602},
    {0, 0, 1, -1, 277693},
    {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},
    {2, 0, -1, -1, 46271},
    {2, 0, 0, 1, 32573},
    {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},
    {0, 0, 2, -1, 8822},
    {2, -1, 0, -1, 8216},
    {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},
    {2, 1, 0, -1, -3359},
    {2, -1, -1, 1, 2463},
    {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065},
    {0, 1, -1, -1, -1870},
    {4, 0, -1, -1, 1828},
    {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},
    {0, 1, -1, 1, -1565},
    {1, 0, 0, 1, -1491},
    {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},
    {0, 1, 0, -1, -1344},
    {1, 0, 0, -1, -1335},
    {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},
    {4, 0, -1, 1, 833},
    {0, 0, 1, -3, 777},
    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},
    {2, 0, 2, -1, 596},
    {2, -1, 1, -1, 491},
    {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},
    {2, 0, 2, 1, 422},
    {2, 0, -3, -1, 421},
    {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},
    {4, 0, 0, 1, 331},
    {2, -1, 1, 1, 315},
    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},
    {2, 1, 1, -1, -229},
    {1, 1, 0, -1, 223},
    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},
    {2, 1, -1, -1, -220},
    {1, 0, 1, 1, -185},
    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},
    {4, 0, -2, -1, 176},
    {4, -1, -1, -1, 166},
    {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},
    {1, 0, -1, -1, -119},
    {4, -1, 0, -1, 115},
    {2, -2, 0, 1, 107},
};

// One row of the perigee or apogee series: multipliers of D, F, M (in this order) and the
// coefficient a * 1e-4 + b * 1e-5 * T days.
struct ApsisTerm {
    std::int8_t d, f, m;
    std::int32_t a, b;
};

constexpr ApsisTerm kApogee[32] = {
    {2, 0, 0, 4392, 0},  // +0.4392 sin(2D)
    {4, 0, 0, 684, 0},  // +0.0684 sin(4D)
    {0, 0, 1, 456, -11},  // (+0.0456 - 0.00011 T) sin(M)
    {2, 0, -1, 426, -11},  // (+0.0426 - 0.00011 T) sin(2D - M)
    {0, 2, 0, 212, 0},  // +0.0212 sin(2F)
    {1, 0, 0, -189, 0},  // -0.0189 sin(D)
    {6, 0, 0, 144, 0},  // +0.0144 sin(6D)
    {4, 0, -1, 113, 0},  // +0.0113 sin(4D - M)
    {2, 2, 0, 47, 0},  // +0.0047 sin(2D + 2F)
    {1, 0, 1, 36, 0},  // +0.0036 sin(D + M)
    {8, 0, 0, 35, 0},  // +0.0035 sin(8D)
    {6, 0, -1, 34, 0},  // +0.0034 sin(6D - M)
    {2, -2, 0, -34, 0},  // -0.0034 sin(2D - 2F)
    {2, 0, -2, 22, 0},  // +0.0022 sin(2D - 2M)
    {3, 0, 0, -17, 0},  // -0.0017 sin(3D)
    {4, 2, 0, 13, 0},  // +0.0013 sin(4D + 2F)
    {8, 0, -1, 11, 0},  // +0.0011 sin(8D - M)
    {4, 0, -2, 10, 0},  // +0.0010 sin(4D - 2M)
    {10, 0, 0, 9, 0},  // +0.0009 sin(10D)
    {3, 0, 1, 7, 0},  // +0.0007 sin(3D + M)
    {0, 0, 2, 6, 0},  // +0.0006 sin(2M)
    {2, 0, 1, 5, 0},  // +0.0005 sin(2D + M)
    {2, 0, 2, 5, 0},  // +0.0005 sin(2D + 2M)
    {6, 2, 0, 4, 0},  // +0.0004 sin(6D + 2F)
    {6, 0, -2, 4, 0},  // +0.0004 sin(6D - 2M)
    {10, 0, -1, 4, 0},  // +0.0004 sin(10D - M)
    {5, 0, 0, -4, 0},  // -0.0004 sin(5D)
    {4, -2, 0, -4, 0},  // -0.0004 sin(4D - 2F)
    {0, 2, 1, 3, 0},  // +0.0003 sin(2F + M)
    {12, 0, 0, 3, 0},  // +0.0003 sin(12D)
    {2, 2, -1, 3, 0},  // +0.0003 sin(2D + 2F - M)
    {1, 0, -1, -3, 0},  // -0.0003 sin(D - M)
};

// The last four rows stand out of the order of size; they are kept as they were tabulated.
constexpr ApsisTerm kPerigee[60] = {
    {2, 0, 0, -16769, 0},  // -1.6769 sin(2D)
    {4, 0, 0, 4589, 0},  // +0.4589 sin(4D)
    {6, 0, 0, -1856, 0},  // -0.1856 sin(6D)
    {8, 0, 0, 883, 0},  // +0.0883 sin(8D)
    {2, 0, -1, -773, 19},  // (-0.0773 + 0.00019 T) sin(2D - M)
    {0, 0, 1, 502, -13},  // (+0.0502 - 0.00013 T) sin(M)
    {10, 0, 0, -460, 0},  // -0.0460 sin(10D)
    {4, 0, -1, 422, -11},  // (+0.0422 - 0.00011 T) sin(4D - M)
    {6, 0, -1, -256, 0},  // -0.0256 sin(6D - M)
    {12, 0, 0, 253, 0},  // +0.0253 sin(12D)
    {1, 0, 0, 237, 0},  // +0.0237 sin(D)
    {8, 0, -1, 162, 0},  // +0.0162 sin(8D - M)
    {14, 0, 0, -145, 0},  // -0.0145 sin(14D)
    {0, 2, 0, 129, 0},  // +0.0129 sin(2F)
    {3, 0, 0, -112, 0},  // -0.0112 sin(3D)
    {10, 0, -1, -104, 0},  // -0.0104 sin(10D - M)
    {16, 0, 0, 86, 0},  // +0.0086 sin(16D)
    {12, 0, -1, 69, 0},  // +0.0069 sin(12D - M)
    {5, 0, 0, 66, 0},  // +0.0066 sin(5D)
    {2, 2, 0, -53, 0},  // -0.0053 sin(2D + 2F)
    {18, 0, 0, -52, 0},  // -0.0052 sin(18D)
    {14, 0, -1, -46, 0},  // -0.0046 sin(14D - M)
    {7, 0, 0, -41, 0},  // -0.0041 sin(7D)
    {2, 1, 0, 40, 0},  // +0.0040 sin(2D + F)
    {20, 0, 0, 32, 0},  // +0.0032 sin(20D)
    {1, 0, 1, -32, 0},  // -0.0032 sin(D + M)
    {16, 0, -1, 31, 0},  // +0.0031 sin(16D - M)
    {4, 0, 1, -29, 0},  // -0.0029 sin(4D + M)
    {2, 0, -2, -27, 0},  // -0.0027 sin(2D - 2M)
    {4, 0, -2, 24, 0},  // +0.0024 sin(4D - 2M)
    {6, 0, -2, -21, 0},  // -0.0021 sin(6D - 2M)
    {22, 0, 0, -21, 0},  // -0.0021 sin(22D)
    {18, 0, -1, -21, 0},  // -0.0021 sin(18D - M)
    {6, 0, 1, 19, 0},  // +0.0019 sin(6D + M)
    {11, 0, 0, -18, 0},  // -0.0018 sin(11D)
    {8, 0, 1, -14, 0},  // -0.0014 sin(8D + M)
    {4, -2, 0, -14, 0},  // -0.0014 sin(4D - 2F)
    {6, 2, 0, -14, 0},  // -0.0014 sin(6D + 2F)
    {3, 0, 1, 14, 0},  // +0.0014 sin(3D + M)
    {5, 0, 1, -14, 0},  // -0.0014 sin(5D + M)
    {13, 0, 0, 13, 0},  // +0.0013 sin(13D)
    {20, 0, -1, 13, 0},  // +0.0013 sin(20D - M)
    {3, 0, 2, 11, 0},  // +0.0011 sin(3D + 2M)
    {4, 2, -2, -11, 0},  // -0.0011 sin(4D + 2F - 2M)
    {1, 0, 2, -10, 0},  // -0.0010 sin(D + 2M)
    {22, 0, -1, -9, 0},  // -0.0009 sin(22D - M)
    {0, 4, 0, -8, 0},  // -0.0008 sin(4F)
    {6, -2, 0, 8, 0},  // +0.0008 sin(6D - 2F)
    {2, -2, 1, 8, 0},  // +0.0008 sin(2D - 2F + M)
    {0, 0, 2, 7, 0},  // +0.0007 sin(2M)
    {0, 2, -1, 7, 0},  // +0.0007 sin(2F - M)
    {2, 4, 0, 7, 0},  // +0.0007 sin(2D + 4F)
    {0, 2, -2, -6, 0},  // -0.0006 sin(2F - 2M)
    {2, -2, 2, -6, 0},  // -0.0006 sin(2D - 2F + 2M)
    {24, 0, 0, 6, 0},  // +0.0006 sin(24D)
    {4, -4, 0, 5, 0},  // +0.0005 sin(4D - 4F)
    {9, 0, 0, 27, 0},  // +0.0027 sin(9D)
    {4, 2, 0, 27, 0},  // +0.0027 sin(4D + 2F)
    {2, 0, 2, 5, 0},  // +0.0005 sin(2D + 2M)
    {1, 0, -1, -4, 0},  // -0.0004 sin(D - M)
};

LD Centuries(TDateTime t) { return (DateTimeToJD(t) - 2451545.0L) / 36525.0L; }

// Eccentricity factor of a term by the multiplier of M.
LD EccentricityFactor(int m, LD E) {
    if (m == 1 || m == -1) return E;
    if (m == 2 || m == -2) return E * E;
    return 1;
}

}  // namespace

BodyPosition MoonPosition(TDateTime t) {
    const LD T = Centuries(t);
    const LD T2 = T * T;
    const LD T3 = T2 * T;
    const LD T4 = T3 * T;
    const LD Lp = 218.3164591L + 481267.88134236L * T - 0.0013268L * T2 + T3 / 538841.0L -
                  T4 / 65194000.0L;
    const LD D = 297.8502042L + 445267.1115168L * T - 0.0016300L * T2 + T3 / 545868.0L -
                 T4 / 113065000.0L;
    const LD M = 357.5291092L + 35999.0502909L * T - 0.0001536L * T2 + T3 / 24490000.0L;
    const LD Mp = 134.9634114L + 477198.8676313L * T + 0.0089970L * T2 + T3 / 69699.0L -
                  T4 / 14712000.0L;
    const LD F = 93.2720993L + 483202.0175273L * T - 0.0034029L * T2 - T3 / 3526000.0L +
                 T4 / 863310000.0L;
    const LD A1 = 119.75L + 131.849L * T;
    const LD A2 = 53.09L + 479264.290L * T;
    const LD A3 = 313.45L + 481266.484L * T;
    const LD E = 1.0L - 0.002516L * T - 0.0000074L * T2;

    LD sumL = 0;
    LD sumR = 0;
    for (const MoonLRTerm& row : kMoonLR) {
        const LD g = row.d * D + row.m * M + row.mp * Mp + row.f * F;
        const LD e = EccentricityFactor(row.m, E);
        sumL += row.l * e * SinD(g);
        sumR += row.r * e * CosD(g);
    }
    LD sumB = 0;
    for (const MoonBTerm& row : kMoonB) {
        const LD g = row.d * D + row.m * M + row.mp * Mp + row.f * F;
        sumB += row.b * EccentricityFactor(row.m, E) * SinD(g);
    }
    sumL += 3958.0L * SinD(A1) + 1962.0L * SinD(Lp - F) + 318.0L * SinD(A2);
    sumB += -2235.0L * SinD(Lp) + 382.0L * SinD(A3) + 175.0L * SinD(A1 - F) +
            175.0L * SinD(A1 + F) + 127.0L * SinD(Lp - Mp) - 115.0L * SinD(Lp + Mp);

    BodyPosition p;
    p.Distance = 385000.56L + sumR / 1000.0L;
    p.Lambda = Lp + sumL / 1000000.0L;
    p.Beta = sumB / 1000000.0L;
    ApparentEquatorial(p, t);
    return p;
}

LD MoonAge(TDateTime t) {
    return Reduce360(MoonPosition(t).Lambda - SunPosition(t).Lambda) / 360.0L * 29.530589L;
}

double NewMoonTime(TDateTime t) {
    const LD Tc = (static_cast<LD>(t) - Epoch2000Serial) / 36525.0L;
    const LD k = std::nearbyint(1236.85L * Tc);
    const LD T = k / 1236.85L;
    const LD T2 = T * T;
    const LD T3 = T2 * T;
    const LD T4 = T3 * T;
    const LD jde = 2451550.09765L + 29.530588853L * k + 0.0001337L * T2 - 0.000000150L * T3 +
                   0.00000000073L * T4;
    const LD M = 2.5534L + 29.10535669L * k - 0.0000218L * T2 - 0.00000011L * T3;
    const LD Mp = 201.5643L + 385.81693528L * k + 0.0107438L * T2 + 0.00001239L * T3 -
                  0.000000058L * T4;
    const LD F = 160.7108L + 390.67050274L * k - 0.0016341L * T2 - 0.00000227L * T3 +
                 0.000000011L * T4;
    const LD Om = 124.7746L - 1.5637558L * k + 0.0020691L * T2 + 0.00000215L * T3;
    const LD E = 1.0L - 0.002516L * Tc - 0.0000074L * Tc * Tc;

    const LD correction =
        -0.40720L * SinD(Mp) + 0.17241L * E * SinD(M) + 0.01608L * SinD(2 * Mp) +
        0.01039L * SinD(2 * F) + 0.00739L * E * SinD(Mp - M) - 0.00514L * E * SinD(Mp + M) +
        0.00208L * E * E * SinD(2 * M) - 0.00111L * SinD(Mp - 2 * F) -
        0.00057L * SinD(Mp + 2 * F) + 0.00056L * E * SinD(2 * Mp + M) -
        0.00042L * SinD(3 * Mp) + 0.00042L * E * SinD(M + 2 * F) +
        0.00038L * E * SinD(M - 2 * F) - 0.00024L * E * SinD(2 * Mp - M) -
        0.00017L * SinD(Om) - 0.00007L * SinD(Mp + 2 * M) + 0.00004L * SinD(2 * Mp - 2 * F) +
        0.00004L * SinD(3 * M) + 0.00003L * SinD(Mp + M - 2 * F) +
        0.00003L * SinD(2 * Mp + 2 * F) - 0.00003L * SinD(Mp + M + 2 * F) +
        0.00003L * SinD(Mp - M + 2 * F) - 0.00002L * SinD(Mp - M - 2 * F) -
        0.00002L * SinD(3 * Mp + M) + 0.00002L * SinD(4 * Mp);

    const LD A[14] = {
        299.77L + 0.107408L * k - 0.009173L * T2,
        251.88L + 0.016321L * k,
        251.83L + 26.651886L * k,
        349.42L + 36.412478L * k,
        84.66L + 18.206239L * k,
        141.74L + 53.303771L * k,
        207.14L + 2.453732L * k,
        154.84L + 7.306860L * k,
        34.52L + 27.261239L * k,
        207.19L + 0.121824L * k,
        291.34L + 1.844379L * k,
        161.72L + 24.198154L * k,
        239.56L + 25.513099L * k,
        331.55L + 3.592518L * k,
    };
    constexpr LD c[14] = {0.000325L, 0.000165L, 0.000164L, 0.000126L, 0.000110L,
                          0.000062L, 0.000060L, 0.000056L, 0.000047L, 0.000042L,
                          0.000040L, 0.000037L, 0.000035L, 0.000023L};
    LD additional = 0;
    for (int i = 0; i < 14; ++i) additional += c[i] * SinD(A[i]);
    return JDToDateTime(jde + correction + additional);
}

double PreviousNewMoon(TDateTime t) {
    // Steps of 28 days, shorter than a lunation, never pass over a new moon.
    TDateTime b = t + 28;
    double r;
    do {
        r = NewMoonTime(b);
        b -= 28;
    } while (r > t);
    return r;
}

int LunationNumber(TDateTime t) {
    const LD n = std::nearbyint((PreviousNewMoon(t) - LunationEpochSerial) / 29.530589L);
    // Only an instant that is no date at all gets here with a number beyond an int.
    if (!(std::fabs(n) < 2e9L)) return 0;
    return static_cast<int>(n) + 1;
}

double PerigeeApogeeTime(int kind, TDateTime t) {
    LD k = std::nearbyint(((static_cast<LD>(t) - Epoch1999Serial) / 365.25L - 0.97L) * 13.2555L);
    if (kind == 1) k += 0.5L;
    const LD T = k / 1325.55L;
    const LD T2 = T * T;
    const LD T3 = T2 * T;
    const LD T4 = T3 * T;
    const LD D = 171.9179L + 335.9106046L * k - 0.010025L * T2 - 0.00001156L * T3 +
                 0.000000055L * T4;
    const LD M = 347.3477L + 27.1577721L * k - 0.0008323L * T2 - 0.000001L * T3;
    const LD F = 316.6109L + 364.5287911L * k - 0.0125131L * T2 - 0.0000148L * T3;
    LD sum = 0;
    auto add = [&](const ApsisTerm& row) {
        sum += (row.a * 1e-4L + row.b * 1e-5L * T) * SinD(row.d * D + row.f * F + row.m * M);
    };
    if (kind == 1) {
        for (const ApsisTerm& row : kApogee) add(row);
    } else {
        for (const ApsisTerm& row : kPerigee) add(row);
    }
    const LD jde = 2451534.6698L + 27.55454988L * k - 0.0006886L * T2 - 0.000001098L * T3 +
                   0.0000000052L * T4 + sum;
    return JDToDateTime(jde);
}

namespace {
// The search starts four weeks back and walks forward to the first passage at or after t. The
// step is shorter than the anomalistic month (27.55 days): with a step of 28 days the cycle
// number advances by two now and then, and the passage in between (possibly the one sought)
// would be missed.
double NextApsis(int kind, TDateTime t) {
    TDateTime a = t - 28;
    double r;
    do {
        r = PerigeeApogeeTime(kind, a);
        a += 27;
    } while (r < t);
    return r;
}
}  // namespace

double NextPerigee(TDateTime t) { return NextApsis(0, t); }
double NextApogee(TDateTime t) { return NextApsis(1, t); }

}  // namespace noctaris
