#include "astro/time/calendar_dates.h"

#include <cmath>
#include <cstdint>

#include "astro/time/timebase.h"

namespace noctaris {
namespace {

// Largest Julian day the zoned conversions accept (exclusive).
constexpr double kJDLimit = 13689326;

// Trunc of a double to a 64-bit integer.
std::int64_t Trunc(double x) { return static_cast<std::int64_t>(std::trunc(x)); }

}  // namespace

double CenturiesSinceJ2000(double jd) { return (jd - 2451545.0) / 36525.0; }

double JDOfYearStart(int year) { return static_cast<double>(DateToJD(year, 1, 1)) - 1; }

int WeekdayOfJD(double jd) {
    const double x = std::floor(jd + 0.5);
    return static_cast<int>(Trunc(x - std::trunc(x / 7) * 7)) + 1;
}

DayFraction JDToDayFraction(double jd) {
    if (!(jd >= -0.5 && jd < 1e15)) return {};  // before the day count or not finite: no date
    const std::int64_t z = Trunc(jd + 0.5);
    const double f = jd + 0.5 - static_cast<double>(z);
    const CivilDate date = JDToDate(static_cast<long double>(z));
    return {date.year, date.month, date.day + f};
}

std::string ShortDateText(const DayFraction& d) {
    return std::to_string(Trunc(d.Day)) + "." + std::to_string(d.Month) + "." +
           std::to_string(d.Year % 100);
}

std::int64_t DayOfYear(int year, int month, std::int64_t day) {
    const int m = month < 1 ? 1 : (month > 12 ? 12 : month);
    // Days elapsed since 1 January, so the reform year counts its ten dropped days out.
    const double before = LocalMidnightJD(year, m, 1, 0) - LocalMidnightJD(year, 1, 1, 0);
    const bool afterReform = year == 1582 && m == 10 && day > 4;
    return static_cast<std::int64_t>(before) + day - (afterReform ? 10 : 0);
}

std::int64_t SeasonalDayOfYear(int year, int month, int day) {
    try {
        if (year > 1582) return DayOfYear(year, month, day);
        const long double jd = DateToJD(year, month, day);
        const CivilDate g = JDToGregorianCalendar(jd);
        return static_cast<std::int64_t>(jd - GregorianCalendarToJD(g.year, 1, 1)) + 1;
    } catch (const ConversionError&) {
        return DayOfYear(year, month, day);
    }
}

double LocalMidnightJD(int year, int month, int day, double zone) {
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

double LocalMidnightJD(double jdUT, double zone) {
    return std::floor(jdUT + zone / 24 - 0.5) + 0.5 - zone / 24;
}

std::optional<double> CalendarToJDZoned(int year, int month, int day, int hour, int minute,
                                        int second, double zone) {
    // Historical numbering: -1 is 1 BC, astronomical year 0.
    const std::int64_t yHist = year < 0 ? static_cast<std::int64_t>(year) + 1 : year;
    const std::int64_t y = month < 3 ? yHist - 1 : yHist;
    const std::int64_t m = month > 2 ? month : static_cast<std::int64_t>(month) + 12;

    // Julian calendar on and before 1582-10-04 (date compared as yyyymmdd).
    std::int64_t u;
    if (yHist * 10000 + month * 100 + day <= 15821004)
        u = Trunc((static_cast<double>(y) + 4716) * 0.25) - 1181;
    else
        u = y / 400 - y / 100 + Trunc(static_cast<double>(y) * 0.25);

    const std::int64_t days = Trunc(30.6001 * static_cast<double>(m + 1)) + u + 365 * y;
    const double h = hour / 24.0 + minute / 1440.0 + second / 86400.0 - zone / 24.0;
    const double jd = h + static_cast<double>(days) + 1720996.5 + day;

    // A date that does not come back unchanged (31 April, 30 February) does not exist, whatever
    // the time and zone.
    const std::optional<CivilDateTime> back =
        JDToCalendarZoned(static_cast<double>(days) + 1720996.5 + day, 0);
    if (back && !(back->date == CivilDate{year, month, day})) return std::nullopt;
    // 1582-10-05 .. 1582-10-14 were dropped by the reform (compared on the shifted year and
    // month, so these are yyyymmdd numbers strictly between 1582-10-04 and 1582-10-14.5).
    const std::int64_t shifted = y * 10000 + m * 100 + day;
    if (2 * shifted > 2 * 15821004 && 2 * shifted < 2 * 15821014 + 1) return std::nullopt;
    if (year < -4713 || year == 0 || jd < 0 || jd >= kJDLimit) return std::nullopt;
    return jd;
}

std::optional<CivilDateTime> JDToCalendarZoned(double jd, double zone) {
    if (!(jd >= 0 && jd < kJDLimit)) return std::nullopt;
    const double d = jd + zone / 24 + 0.5;
    double zf = std::trunc(d);
    // The time of day rounded to the second first, so that the last half second of a day
    // carries into the next day instead of reading 24:00:00; then split in whole numbers.
    std::int64_t s = Trunc((d - zf) * 86400 + 0.5);
    if (s >= 86400) {
        s -= 86400;
        zf += 1;
    }
    CivilDateTime r;
    r.date = JDToDate(static_cast<long double>(zf));  // noon of that civil day
    r.time = {static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)};
    if (r.date.year <= 0) --r.date.year;  // historical numbering: astronomical year 0 is 1 BC
    return r;
}

}  // namespace noctaris
