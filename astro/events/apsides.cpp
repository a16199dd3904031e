#include "astro/events/apsides.h"

#include <cmath>
#include <cstdint>

#include "astro/coords/angles.h"
#include "astro/events/search.h"
#include "astro/theories/moon.h"
#include "astro/theories/vsop.h"
#include "astro/time/timebase.h"

namespace noctaris {
namespace {

using LD = long double;

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

// The extreme Earth-Moon distance of the full lunar theory near the series' passage: the
// series alone is off by up to 35 minutes, within the first parabola's reach of 2.4 hours.
double RefinedOnDistance(TDateTime series) {
    auto distance = [](double x) {
        return MoonPosition(Instant::FromTT(static_cast<double>(DateTimeToJD(x)))).Distance;
    };
    const double t = ParabolicExtremum(series, 0.1, 2, distance);
    // Far outside the series' error the parabolas went astray: keep the series.
    return std::fabs(t - series) < 0.1 ? t : series;
}

// The passage of the cycle nearest to t, TDateTimes of dynamical time.
double PerigeeApogeeTime(LunarApsis kind, TDateTime t) {
    LD k = std::nearbyint(((static_cast<LD>(t) - Epoch1999Serial) / 365.25L - 0.97L) * 13.2555L);
    if (kind == LunarApsis::Apogee) k += 0.5L;
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
    if (kind == LunarApsis::Apogee) {
        for (const ApsisTerm& row : kApogee) add(row);
    } else {
        for (const ApsisTerm& row : kPerigee) add(row);
    }
    const LD jde = 2451534.6698L + 27.55454988L * k - 0.0006886L * T2 - 0.000001098L * T3 +
                   0.0000000052L * T4 + sum;
    return RefinedOnDistance(JDToDateTime(jde));
}

// Whether passage r comes before t, both TDateTimes of dynamical time, compared on the scale an
// instant goes out on (below), so that a passage found is its own next passage.
bool Before(TDateTime r, TDateTime t) {
    return static_cast<double>(DateTimeToJD(r)) < static_cast<double>(DateTimeToJD(t));
}

// The first passage at or after t of a cycle whose passage nearest to a moment `nearest`
// gives: the walk starts `back` days before t and advances by `step` days, a step short enough
// that the cycle number never advances by two (the passage in between might be the one sought).
template <class Nearest>
double FirstPassageFrom(TDateTime t, double back, double step, Nearest&& nearest) {
    TDateTime a = t - back;
    double r;
    do {
        r = nearest(a);
        a += step;
    } while (Before(r, t));
    return r;
}

// The anomalistic month is 27.55 days: steps of 28 days would now and then skip a passage.
double NextApsis(LunarApsis kind, TDateTime t) {
    return FirstPassageFrom(t, 28, 27, [&](TDateTime a) { return PerigeeApogeeTime(kind, a); });
}

// The mean passage of the Earth-Moon barycentre of the cycle nearest to t, a TDateTime of
// dynamical time.
double MeanPerihelionAphelion(EarthApsis kind, TDateTime t) {
    LD k = std::nearbyint(((static_cast<LD>(t) - Epoch2000Serial) / 365.25L - 0.01L) * 0.99997L);
    if (kind == EarthApsis::Aphelion) k += 0.5L;
    return JDToDateTime(2451547.507L + 365.2596358L * k + 0.0000000158L * k * k);
}

// The Earth itself, pulled around the barycentre by the Moon, passes up to about a day and a
// half from the mean instant. Within four days of it the Sun-Earth distance of the Earth series
// has a single extreme (the Moon's monthly wobble cannot turn the yearly change of distance
// round there).
constexpr double kReach = 4;  // days

// The passage of the cycle whose mean passage is `mean`: where the change of the Sun-Earth
// distance over kStep either side turns sign.
double PerihelionAphelionTime(EarthApsis kind, double mean) {
    constexpr double kStep = 0.01;  // days
    // Growing after perihelion, shrinking after aphelion.
    const LD sign = kind == EarthApsis::Aphelion ? -1 : 1;
    VsopEarth earth;
    auto change = [&](double x) {
        earth.SetDate(x + kStep);
        const LD later = earth.Radius();
        earth.SetDate(x - kStep);
        return static_cast<double>(sign * (later - earth.Radius()));
    };
    // The series' 20 largest terms of each power miss the change by less than 2e-8 AU (the
    // full change is about 1e-7 AU per day from the extreme): they place the turn within a
    // tenth of a day and decide plainly on which side of it the ends of the reach lie.
    auto roughChange = [&](double x) {
        auto r = [](double y) { return LeadingEarthSeries(EarthCoordinate::Radius, y, 20); };
        return static_cast<double>(sign * (r(x + kStep) - r(x - kStep)));
    };
    auto past = [&](double x) {
        const double rough = roughChange(x);
        return (std::fabs(rough) > 1e-7 ? rough : change(x)) > 0;
    };
    const double a = mean - kReach, b = mean + kReach;
    if (past(a) || !past(b)) return mean;  // no single extreme in reach (far-off epochs)
    const double x0 = BisectCrossing(a, b, false, [&](double x) { return roughChange(x) > 0; },
                                     2000);
    // From there on the full series: a Newton step with the rough slope, then secant steps.
    // The change is smooth there (its curvature over its slope, c, stays below 0.12 a day), so
    // a secant step from x1 and x2 to x3 leaves an error of about c/2 |x2 - x1| |x3 - x2|;
    // below 1e-9 days the search ends, where the sums' rounding (milliseconds) takes over.
    const double slope = (roughChange(x0 + 0.01) - roughChange(x0 - 0.01)) / 0.02;
    double x1 = x0, f1 = change(x0);
    double x2 = x1 - f1 / slope;
    for (int i = 0; i < 8 && x2 > a && x2 < b; ++i) {
        const double f2 = change(x2);
        if (!(f2 != f1)) break;
        const double x3 = x2 - f2 * (x2 - x1) / (f2 - f1);
        const bool settled = 0.06 * std::fabs(x2 - x1) * std::fabs(x3 - x2) < 1e-9;
        x1 = x2;
        f1 = f2;
        x2 = x3;
        if (settled && x2 > a && x2 < b) return x2;
    }
    // Not settled (never seen): halving on the full series alone.
    constexpr double kToleranceSeconds = 0.004;
    return BisectCrossing(a, b, false, [&](double x) { return change(x) > 0; }, kToleranceSeconds);
}

// The first passage at or after t. Steps of 365.25 days advance the passage number by at most
// one, so none is skipped; a passage whose reach ends before t is passed over without a search.
double NextPassage(EarthApsis kind, TDateTime t) {
    return FirstPassageFrom(t, 365.25, 365.25, [&](TDateTime a) {
        const double mean = MeanPerihelionAphelion(kind, a);
        return mean + kReach + 1 < t ? mean : PerihelionAphelionTime(kind, mean);
    });
}

// The searches run on TDateTimes of dynamical time; an instant comes in and goes out through its
// Julian day of dynamical time in double, the scale the calendar lists.
TDateTime Start(const Instant& t) { return JDToDateTime(static_cast<double>(t.tt())); }
Instant Passage(TDateTime t) { return Instant::FromTT(static_cast<double>(DateTimeToJD(t))); }

}  // namespace

Instant SearchLunarApsis(LunarApsis kind, const Instant& around) {
    return Passage(PerigeeApogeeTime(kind, Start(around)));
}
Instant NextLunarApsis(LunarApsis kind, const Instant& after) {
    return Passage(NextApsis(kind, Start(after)));
}
Instant SearchEarthApsis(EarthApsis kind, const Instant& around) {
    const TDateTime t = Start(around);
    return Passage(PerihelionAphelionTime(kind, MeanPerihelionAphelion(kind, t)));
}
Instant NextEarthApsis(EarthApsis kind, const Instant& after) {
    return Passage(NextPassage(kind, Start(after)));
}

}  // namespace noctaris
