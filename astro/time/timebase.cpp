#include "astro/time/timebase.h"

#include <cmath>

namespace noctaris {
namespace {

// Date serials of 0001-01-01 (Julian calendar) and of 10000-01-01: the range of EncodeDate.
constexpr double kFirstSerial = -693595;
constexpr double kEndSerial = 2958466;

[[noreturn]] void Fail(const char* message) { throw ConversionError(message); }

// Trunc(365.25 * (y + 4716)) + Trunc(30.6001 * (m + 1)), formed in 64-bit integers.
std::int64_t DayCountBase(std::int64_t y, std::int64_t m) {
    const auto years = static_cast<std::int64_t>(365.25L * static_cast<long double>(y + 4716));
    const auto months = static_cast<std::int64_t>(30.6001L * static_cast<long double>(m + 1));
    return years + months;
}

int DaysOfShiftedMonth(int shiftedMonth, bool leapFebruary) {
    switch (shiftedMonth) {
        case 4: case 6: case 9: case 11: return 30;
        case 14: return leapFebruary ? 29 : 28;
        default: return 31;
    }
}

// Steps shared by both calendars once the day number A (Meeus' B) is known.
CivilDate SplitDayNumber(std::int64_t a) {
    const auto k = static_cast<std::int64_t>((static_cast<long double>(a) - 122.1L) / 365.25L);
    const auto d = static_cast<std::int64_t>(365.25L * static_cast<long double>(k));
    const auto e = static_cast<std::int64_t>(static_cast<long double>(a - d) / 30.6001L);
    CivilDate r;
    r.day = static_cast<int>(a - d - static_cast<std::int64_t>(30.6001L * static_cast<long double>(e)));
    std::int64_t y = k - 4716;
    if (e > 13) {
        r.month = static_cast<int>(e - 13);
        ++y;
    } else {
        r.month = static_cast<int>(e - 1);
    }
    r.year = static_cast<int>(y);
    return r;
}

std::int64_t TruncJD(long double jd) {
    const long double z = jd + 0.5L;
    if (!std::isfinite(z) || std::fabs(z) > 9.0e15L) Fail("Error!");
    return static_cast<std::int64_t>(z);
}

}  // namespace

bool IsLeapYear(std::int64_t year) {
    if (year < 1582) return year % 4 == 0;  // the Julian calendar's rule
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

TDateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        Fail("Invalid argument to date encode");
    try {
        return static_cast<double>(DateToJD(year, month, day) - JDOffset);
    } catch (const ConversionError&) {
        Fail("Invalid argument to date encode");  // 1582-10-05 .. 1582-10-14
    }
}

CivilDate DecodeDate(TDateTime t) {
    // Years 1..9999 of the civil calendar: 0001-01-01 (Julian) up to 10000-01-01.
    if (!std::isfinite(t) || t < kFirstSerial || t >= kEndSerial) Fail("Invalid argument to date decode");
    return JDToDate(std::trunc(static_cast<long double>(t)) + JDOffset);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        Fail("Invalid argument to time encode");
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / 86400000.0;
}

TimeOfDay DecodeTime(TDateTime t) {
    double f = std::isfinite(t) ? std::fabs(t - std::trunc(t)) : 0.0;
    auto ms = static_cast<std::int64_t>(std::nearbyint(f * 86400000.0));
    if (ms >= 86400000) ms = 86399999;
    return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
            static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

long double DateTimeToJD(TDateTime t) { return static_cast<long double>(t) + JDOffset; }

long double JulianCenturies(long double jd) { return (jd - 2451545.0L) / 36525.0L; }

double JDToDateTime(long double jd) { return static_cast<double>(jd - JDOffset); }

long double JulianCalendarToJD(int year, int month, int day) {
    std::int64_t y = year, m = month;
    if (m < 3) {
        m += 12;
        --y;
    }
    if (m < 3 || m > 14) Fail("Error!");
    const bool leap = (y + 1) % 4 == 0;
    if (day < 1 || day > DaysOfShiftedMonth(static_cast<int>(m), leap)) Fail("Error!");
    return static_cast<long double>(DayCountBase(y, m) + day) - 1524.5L;
}

long double GregorianCalendarToJD(int year, int month, int day) {
    std::int64_t y = year, m = month;
    if (m < 3) {
        m += 12;
        --y;
    }
    if (m < 3 || m > 14) Fail("Fehler!");
    const std::int64_t fy = y + 1;  // the year of that February
    const bool leap = IsLeapYear(fy);
    if (m == 14 && (day < 1 || day > 29)) Fail("Fehler!");
    if (day < 1 || day > DaysOfShiftedMonth(static_cast<int>(m), leap)) Fail("Error!");
    const std::int64_t a = y / 100;
    const std::int64_t b = 2 - a + a / 4;
    return static_cast<long double>(DayCountBase(y, m) + day + b) - 1524.5L;
}

long double CalendarToJD(int year, int month, int day, long double gregorianSwitch) {
    const long double j = JulianCalendarToJD(year, month, day);
    if (gregorianSwitch > j) return j;
    const long double g = GregorianCalendarToJD(year, month, day);
    if (gregorianSwitch > g) Fail("Fehler!");  // 1582-10-05 .. 1582-10-14 never existed
    return g;
}

long double DateToJD(int year, int month, int day) {
    return CalendarToJD(year, month, day, GregorianStart);
}

CivilDate JDToJulianCalendar(long double jd) {
    if (jd < 0) Fail("Error!");
    return SplitDayNumber(TruncJD(jd) + 1524);
}

CivilDate JDToGregorianCalendar(long double jd) {
    if (jd < 0) Fail("Error!");
    const std::int64_t z = TruncJD(jd);
    const auto alpha = static_cast<std::int64_t>((static_cast<long double>(z) - 1867216.25L) / 36524.25L);
    const std::int64_t a = z - static_cast<std::int64_t>(static_cast<long double>(alpha) / 4.0L) + alpha + 1525;
    return SplitDayNumber(a);
}

CivilDate JDToCalendar(long double jd, long double gregorianSwitch) {
    if (!(jd >= 0)) Fail("Error!");
    return gregorianSwitch > jd ? JDToJulianCalendar(jd) : JDToGregorianCalendar(jd);
}

CivilDate JDToDate(long double jd) { return JDToCalendar(jd, GregorianStart); }

double DateToDateTime(int year, int month, int day) {
    return JDToDateTime(DateToJD(year, month, day));
}

CivilDate DateTimeToDate(TDateTime t) { return JDToDate(DateTimeToJD(t)); }

// Start-up order matters: JDOffset first, then the serials computed through it.
const long double JDOffset = 2415018.5L;
const long double Epoch2000Serial = DateToDateTime(2000, 1, 1);
const long double Epoch1999Serial = DateToDateTime(1999, 1, 1);

}  // namespace noctaris
