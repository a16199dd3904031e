#include "astro/events/seasons.h"

#include <cmath>

#include "astro/coords/angles.h"
#include "astro/theories/moonseries.h"
#include "astro/theories/sun.h"
#include "astro/theories/vsop.h"
#include "astro/time/calendar_dates.h"
#include "astro/time/timebase.h"

namespace noctaris {
namespace {

// Equinoxes and solstices: mean instants as polynomials in millennia, then the periodic terms.
constexpr double kSeasonBefore1000[4][5] = {
    {1721139.29189, 365242.13740, 0.06134, 0.00111, -0.00071},
    {1721233.25401, 365241.72562, -0.05323, 0.00907, 0.00025},
    {1721325.70455, 365242.49558, -0.11677, -0.00297, 0.00074},
    {1721414.39987, 365242.88257, -0.00769, -0.00933, -0.00006},
};
constexpr double kSeasonFrom1000[4][5] = {
    {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057},
    {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.00030},
    {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078},
    {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032},
};
struct SeasonTerm {
    double A, B, C;  // amplitude, phase (degrees), rate (degrees per century)
};
constexpr SeasonTerm kSeasonTerms[24] = {
    {485, 324.96, 1934.136}, {203, 337.23, 32964.467}, {199, 342.08, 20.186},
    {182, 27.85, 445267.112}, {156, 73.14, 45036.886}, {136, 171.52, 22518.443},
    {77, 222.54, 65928.934}, {74, 296.72, 3034.906},   {70, 243.58, 9037.513},
    {58, 119.81, 33718.147}, {52, 297.17, 150.678},    {50, 21.02, 2281.226},
    {45, 247.54, 29929.562}, {44, 325.15, 31555.956},  {29, 60.93, 4443.417},
    {18, 155.12, 67555.328}, {17, 288.79, 4562.452},   {16, 198.04, 62894.029},
    {14, 199.76, 31436.921}, {12, 95.39, 14577.848},   {12, 287.11, 31931.756},
    {12, 320.81, 34777.259}, {9, 227.73, 1222.114},    {8, 15.45, 16859.074},
};

// The Sun's apparent longitude (degrees, not reduced) from the Earth series' largest terms and
// the short nutation, at a Julian day of dynamical time: within 2" of SunPosition's for
// 1600-2500, and its rate within a few millionths.
long double RoughSunLongitude(double jde) {
    const TDateTime t = JDToDateTime(jde);
    const long double L = LeadingEarthSeries(EarthCoordinate::Longitude, t, 40) * kRadToDeg;
    const long double R = LeadingEarthSeries(EarthCoordinate::Radius, t, 10);
    // As SunPosition: FK5 twice, aberration, nutation.
    return L + 180 - 2 * 0.09033L / 3600 - 20.4898L / 3600 / R +
           NutationShort(Instant::FromTT(jde)).Longitude / 3600.0L;
}

}  // namespace

double SeasonJDE(int year, Season season) {
    const bool early = year < 1000;
    const double Y = early ? year / 1000.0 : (year - 2000) / 1000.0;
    const int n = static_cast<int>(season);
    const double* c = early ? kSeasonBefore1000[n] : kSeasonFrom1000[n];
    const double jde0 = c[0] + Y * (c[1] + Y * (c[2] + Y * (c[3] + Y * c[4])));
    const double T = CenturiesSinceJ2000(jde0);
    const double W = ReducedRadians(35999.373 * T - 2.47);
    const double dLambda = 1 + 0.0334 * std::cos(W) + 0.0007 * std::cos(2 * W);
    double S = 0;
    for (const SeasonTerm& t : kSeasonTerms) S += t.A * std::cos(ReducedRadians(t.B + t.C * T));
    double jde = jde0 + 0.00001 * S / dLambda;
    // That series is good to about a minute. On the Sun's longitude from the Earth series'
    // largest terms (within 2" of the full place) two Newton steps find where it reaches
    // 90° x n; one step on the full place from there, at the same rate, ends within a fraction
    // of a millisecond of the full place's instant.
    auto behind = [&](long double lambda) {
        return static_cast<double>(Reduce360(90.0L * n - lambda + 180.0L)) - 180;
    };
    const double rate = static_cast<double>(RoughSunLongitude(jde + 0.05) -
                                            RoughSunLongitude(jde - 0.05)) / 0.1;
    if (!(rate > 0.9 && rate < 1.1)) return jde;  // degrees per day; never otherwise
    for (int i = 0; i < 2; ++i) jde += behind(RoughSunLongitude(jde)) / rate;
    return jde + behind(SunPosition(Instant::FromTT(jde)).Lambda) / rate;
}

Instant SearchSeason(Season season, const Instant& around) {
    const int year = JDToCalendar(around.tt(), GregorianStart).year;
    // The year's passage or one of the neighbouring years', whichever is nearest.
    double best = SeasonJDE(year, season);
    for (int y : {year - 1, year + 1}) {
        const double j = SeasonJDE(y, season);
        if (std::fabs(j - around.tt()) < std::fabs(best - around.tt())) best = j;
    }
    return Instant::FromTT(best);
}

Instant NextSeason(Season season, const Instant& after) {
    const int year = JDToCalendar(after.tt(), GregorianStart).year;
    for (int y = year - 1;; ++y) {
        const double j = SeasonJDE(y, season);
        if (j >= after.tt()) return Instant::FromTT(j);
    }
}

}  // namespace noctaris
