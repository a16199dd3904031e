#include "astro/time/instant.h"

#include <algorithm>
#include <cmath>

#include "astro/time/timebase.h"

namespace noctaris {
namespace {

// kDeltaTBiennial (published, tenths of a second, every second year from 1620) and
// kDeltaTObserved (hundredths of a second, every year from 1972).
#include "astro/time/delta_t.inc"

constexpr int kBiennialCount = sizeof kDeltaTBiennial / sizeof kDeltaTBiennial[0];
constexpr int kObservedCount = sizeof kDeltaTObserved / sizeof kDeltaTObserved[0];
constexpr int kLastBiennialYear = kDeltaTFirstYear + 2 * (kBiennialCount - 1);
constexpr int kLastObservedYear = kDeltaTFirstObservedYear + kObservedCount - 1;
static_assert(kLastBiennialYear + 2 == kDeltaTFirstObservedYear && kObservedCount > 10);

double Biennial(int i) { return kDeltaTBiennial[i] / 10.0; }
double Observed(int i) { return kDeltaTObserved[i] / 100.0; }

// The long-term parabola of Delta T (seconds) and its slope (seconds per year).
double LongTermDeltaT(double year) {
    const double u = (year - 1820) / 100;
    return -20 + 32 * u * u;
}
double LongTermSlope(double year) { return 0.64 * (year - 1820) / 100; }

// After the last observed year: a cubic that leaves the last observed value with the slope of
// the last ten observed years and meets the long-term parabola, value and slope, a century
// later; the parabola alone from then on.
double ExtrapolatedDeltaT(double year) {
    constexpr double kSpan = 100;
    const double y0 = kLastObservedYear, y1 = y0 + kSpan;
    if (year >= y1) return LongTermDeltaT(year);
    const double v0 = Observed(kObservedCount - 1);
    const double s0 = (v0 - Observed(kObservedCount - 11)) / 10;
    const double v1 = LongTermDeltaT(y1), s1 = LongTermSlope(y1);
    const double t = (year - y0) / kSpan, t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * v0 + (t3 - 2 * t2 + t) * kSpan * s0 + (-2 * t3 + 3 * t2) * v1 +
           (t3 - t2) * kSpan * s1;
}

}  // namespace

double DeltaTSeconds(double jd) {
    const double T = (jd - 2451545.0) / 36525.0;
    const double y = 2000 + 100 * T;
    if (y > kLastObservedYear) return ExtrapolatedDeltaT(y);
    if (y >= kDeltaTFirstObservedYear) {
        const int i = std::min(static_cast<int>(y - kDeltaTFirstObservedYear), kObservedCount - 2);
        const double f = y - kDeltaTFirstObservedYear - i;
        return Observed(i) + (Observed(i + 1) - Observed(i)) * f;
    }
    if (y >= kLastBiennialYear)  // between the published table and the observed series
        return Biennial(kBiennialCount - 1) +
               (Observed(0) - Biennial(kBiennialCount - 1)) * (y - kLastBiennialYear) / 2;
    if (y >= kDeltaTFirstYear) {
        const int i = static_cast<int>((y - kDeltaTFirstYear) / 2);
        const double f = (y - kDeltaTFirstYear) / 2 - i;
        return Biennial(i) + (Biennial(i + 1) - Biennial(i)) * f;
    }
    if (y >= 948) return 50.6 + 67.5 * T + 22.5 * T * T;
    return 2715.6 + 573.36 * T + 46.5 * T * T;
}

namespace {

// jd + sign ΔT. A Julian day that a double holds exactly is offset in double, so a double
// caller reads back the very double it would have computed itself.
long double Offset(long double jd, int sign) {
    const double d = static_cast<double>(jd);
    const double delta = sign * DeltaTSeconds(d) / 86400;
    if (static_cast<long double>(d) == jd) return d + delta;
    return jd + delta;
}

}  // namespace

Instant Instant::FromUT(long double jdUT) { return Instant(jdUT, Offset(jdUT, +1)); }

Instant Instant::FromTT(long double jdTT) { return Instant(Offset(jdTT, -1), jdTT); }

Instant Instant::FromCivil(int year, int month, int day, int hour, int minute, double second,
                           double utOffsetHours) {
    const long double midnight = DateToJD(year, month, day);
    return FromUT(midnight + (hour + minute / 60.0L + second / 3600.0L - utOffsetHours) / 24);
}

Instant Instant::Interpolated(const Instant& a, const Instant& b, double jdUT) {
    const double aut = static_cast<double>(a.ut_), att = static_cast<double>(a.tt_);
    const double s = (jdUT - aut) / (static_cast<double>(b.ut_) - aut);
    return Instant(jdUT, att + (static_cast<double>(b.tt_) - att) * s);
}

double Instant::DeltaTSeconds() const { return static_cast<double>((tt_ - ut_) * 86400); }

long double Instant::CenturiesTT() const { return JulianCenturies(tt_); }

}  // namespace noctaris
