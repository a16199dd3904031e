#include "astro/sunmoon_reports.h"

#include <array>
#include <cmath>

#include "astro/angles.h"
#include "astro/moonseries.h"
#include "astro/sun.h"

namespace noctaris {
namespace {

constexpr double kDeg = static_cast<double>(kDegToRad);
constexpr double kRad = static_cast<double>(kRadToDeg);

double Sin(double deg) { return std::sin(deg * kDeg); }
double Cos(double deg) { return std::cos(deg * kDeg); }

// Arcsine in degrees of a value that rounding may have pushed a hair beyond +-1.
double ArcSin(double x) { return std::asin(std::fmax(-1.0, std::fmin(1.0, x))) * kRad; }

}  // namespace

double ReportMidnightJD(int year, int month, int day, double zone) {
    double y = year, m = month;
    if (month <= 2) {
        y = year - 1;
        m = month + 12;
    }
    double b;
    if (static_cast<long long>(year) * 10000 + month * 100 + day < 15821015) {
        b = -63.5;  // Julian calendar
    } else {
        const double g = std::trunc((y + 4800) / 100);
        b = std::trunc(g / 4) - g - 25.5;
    }
    return std::trunc(365.25 * (y + 4712)) + std::trunc(30.6001 * (m + 1)) + day + b - zone / 24;
}

double ReportSiderealTime(double jd, double ut, double eastLongitude) {
    double s = 6.697374558 + 0.06570982442 * (jd - 2451545) + 1.002737909 * ut + eastLongitude / 15;
    if (!std::isfinite(s)) return 0;
    // Far-off epochs would take many turns of the loops below; whole days first.
    if (std::fabs(s) > 1e6) s = std::fmod(s, 24.0);
    while (s < 0) s += 24;
    while (s > 24) s -= 24;
    return s;
}

double ReportDeltaT(double jd) {
    const double d = jd - 2382148;
    return d * d / 41048480 - 15;
}

double DayFraction(double x) {
    if (!std::isfinite(x)) return 0;
    const double f = x - std::floor(x);
    return f >= 1 ? 0 : f;
}

double MoonReportAge(int day, int month, int year, double zone, double j0, double dayFraction) {
    auto ageFrom = [&](double newMoon) { return j0 + dayFraction - newMoon + zone / 24; };
    int d = day, m = month - 2;
    double age = ageFrom(MoonPhaseInstant(d, m, year, 0));
    if (age < 0) {
        m = month - 3;
        age = ageFrom(MoonPhaseInstant(d, m, year, 0));
    }
    // The lunation index comes from an approximate fraction of the year cut toward zero, so the
    // two guesses above can miss by a lunation: still ahead of the moment before 2000, one
    // lunation too early for a day or so after each mean new moon since 2000. Half-month steps
    // of the date move the index by at most one, so the first new moon behind the moment is
    // the latest one; a following new moon already passed takes over.
    for (int i = 0; i < 8 && age < 0; ++i) {
        d -= 15;
        age = ageFrom(MoonPhaseInstant(d, m, year, 0));
    }
    const double following = ageFrom(MoonPhaseInstant(d, m, year, 4));
    if (following >= 0) age = following;
    return age;
}

AgeParts SplitMoonAge(double age) {
    AgeParts p;
    if (!std::isfinite(age) || std::fabs(age) > 1e9) return p;
    const double days = std::trunc(age);
    const double hours = (age - days) * 24;
    p.days = static_cast<int>(days);
    p.hours = static_cast<int>(std::trunc(hours));
    p.minutes = (hours - std::trunc(hours)) * 60;
    return p;
}

MoonDiameterParts MoonApparentDiameter(double distanceKm) {
    MoonDiameterParts p;
    if (!(distanceKm > 0) || !std::isfinite(distanceKm)) return p;
    p.arcseconds = 716946800.0 / distanceKm;
    p.degrees = p.arcseconds / 3600;
    const double minutes = p.arcseconds / 60;
    p.arcminutes = static_cast<int>(std::trunc(minutes));
    p.remainderSeconds = (minutes - std::trunc(minutes)) * 60;
    return p;
}

MoonRiseSet MoonRiseTransitSet(double jd0, double latitude, double eastLongitude,
                               double distanceKm) {
    MoonRiseSet r;
    const double theta0 = ReportSiderealTime(jd0, 0, 0) * 15;

    // The Moon at 0 h UT of the day before, of the day and of the day after.
    std::array<double, 3> ra{}, dec{};
    for (int i = 0; i < 3; ++i) {
        double k, lambda, perigee, node, distance;
        MoonPositionFull(jd0 - 1 + i, ra[i], dec[i], k, lambda, perigee, node, distance);
    }

    const double s0 = Sin(6378.14 / distanceKm);
    const double cosH0 =
        (s0 - Sin(latitude) * Sin(dec[1])) / (Cos(latitude) * Cos(dec[1]));
    if (!(std::fabs(cosH0) <= 1)) return r;  // also catches the poles (division by zero)
    const double h0 = std::acos(cosH0) * kRad;

    const double m0 = (ra[1] - eastLongitude - theta0) / 360;
    std::array<double, 3> m = {m0, m0 - h0 / 360, m0 + h0 / 360};  // transit, rise, set
    // Into the day. A single +1 would leave values below -1 (far eastern longitudes) negative.
    for (double& mi : m)
        while (mi < 0) mi += 1;

    const double deltaT = ReportDeltaT(jd0);
    for (int kind = 0; kind < 3; ++kind) {
        double& mi = m[kind];
        const double theta = theta0 + 360.985647 * mi;
        const long double n = mi + deltaT / 86400;
        const double alpha = static_cast<double>(Interpolate3(n, ra[2], ra[1], ra[0]));
        const double delta = static_cast<double>(Interpolate3(n, dec[2], dec[1], dec[0]));
        const double hourAngle = theta + eastLongitude - alpha;  // not reduced
        double corrected;
        if (kind == 0) {
            corrected = mi - hourAngle / 360;
        } else {
            const double h = ArcSin(Sin(latitude) * Sin(delta) +
                                    Cos(latitude) * Cos(delta) * Cos(hourAngle));
            corrected = mi + (h - 0.125) / (360 * Cos(delta) * Cos(latitude) * Sin(hourAngle));
        }
        if (std::isfinite(corrected)) mi = corrected;  // an hour angle of 0 or 180: keep
    }
    r.occurs = true;
    r.transit = m[0];
    r.rise = m[1];
    r.set = m[2];
    return r;
}

int DayNumber(int day, int month, int year) {
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int n = day;
    for (int i = 1; i < month && i <= 12; ++i) n += kLengths[i - 1];
    if (IsLeapYear(year) && month > 2) ++n;
    return n;
}

double EquationOfTime(int dayNumber) {
    const double b = (static_cast<long long>(dayNumber - 1) * 360) / 365.0 * kDeg;
    const double e = 229.2 * (0.000075 + 0.001868 * std::cos(b) - 0.030277 * std::sin(b) -
                              0.014615 * std::cos(2 * b) - 0.04089 * std::sin(2 * b));
    return std::nearbyint(e * 100) / 100;
}

std::string_view ZodiacConstellation(double raHours) {
    struct Interval {
        double from;
        std::string_view name;
    };
    static constexpr Interval kTable[] = {
        {0, "Pisces"},           {1.783333, "Aries"},      {3.35, "Taurus"},
        {5.966667, "Gemini"},    {7.933333, "Cancer"},     {9.333333, "Leo"},
        {11.6, "Virgo"},         {14.3, "Libra"},          {15.966667, "Scorpio"},
        {16.366667, "Ophiuchus"}, {17.716667, "Sagittarius"}, {20.05, "Capricorn"},
        {21.95, "Aquarius"},     {23.416667, "Pisces"},
    };
    int i = static_cast<int>(std::size(kTable)) - 1;
    while (i > 0 && !(raHours >= kTable[i].from)) --i;
    return kTable[i].name;
}

HourMinute SiderealHourMinute(double s) {
    if (!std::isfinite(s) || std::fabs(s) > 1e9) return {};
    const double h = std::trunc(s * 1.001);
    return {static_cast<int>(h), static_cast<int>(std::nearbyint((s - h) * 60))};
}

}  // namespace noctaris
