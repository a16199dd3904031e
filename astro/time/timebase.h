#pragma once
// The time base: TDateTime (days since 1899-12-30 00:00, time of day as fraction), Julian days
// and civil calendar dates (Julian calendar up to 1582-10-04, Gregorian from 1582-10-15).
#include <cstdint>

#include "astro/core/errors.h"

namespace noctaris {

using TDateTime = double;

// A civil calendar date: the Julian calendar before 1582-10-15, the Gregorian from then on.
struct CivilDate {
    int year = 2000, month = 1, day = 1;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// A clock time of day, to the second.
struct ClockTime {
    int hour = 0, minute = 0, second = 0;
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

struct CivilDateTime {
    CivilDate date;
    ClockTime time;
    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

// A time of day to the millisecond.
struct TimeOfDay {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

// Constants of the time base, fixed at program start.
extern const long double JDOffset;             // Julian day of TDateTime 0 (2415018.5)
inline constexpr long double GregorianStart = 2299160.5L;  // JD of 1582-10-15 00:00
extern const long double Epoch2000Serial;      // TDateTime of 2000-01-01
extern const long double Epoch1999Serial;      // TDateTime of 1999-01-01

long double DateTimeToJD(TDateTime t);
// Julian centuries of jd since J2000.0 (JD 2451545.0), in extended precision.
long double JulianCenturies(long double jd);
double JDToDateTime(long double jd);

// Julian day of 00:00 of a calendar date. Months 13/14 are January/February of the next year
// and month 0 is December of the year before. Invalid dates raise ConversionError.
long double JulianCalendarToJD(int year, int month, int day);
long double GregorianCalendarToJD(int year, int month, int day);
long double CalendarToJD(int year, int month, int day, long double gregorianSwitch);
long double DateToJD(int year, int month, int day);

// Calendar date of a Julian day (the time of day is dropped); a negative one raises
// ConversionError.
CivilDate JDToJulianCalendar(long double jd);
CivilDate JDToGregorianCalendar(long double jd);
CivilDate JDToCalendar(long double jd, long double gregorianSwitch);
CivilDate JDToDate(long double jd);

double DateToDateTime(int year, int month, int day);
CivilDate DateTimeToDate(TDateTime t);

// The date serial of a civil date (years 1..9999, the Julian calendar before 1582-10-15 as
// everywhere); invalid dates raise ConversionError. DecodeDate splits a TDateTime's whole
// days (cut toward zero) back into a civil date.
TDateTime EncodeDate(int year, int month, int day);
CivilDate DecodeDate(TDateTime t);
// Time of day as a fraction of a day; invalid times raise ConversionError.
TDateTime EncodeTime(int hour, int minute, int second, int msec);
// Splits the time-of-day part of t (rounded to the millisecond).
TimeOfDay DecodeTime(TDateTime t);
// Leap years of the civil calendar: every fourth year before 1582 (Julian), then the Gregorian
// rule (not the centuries, but every fourth century). Years are astronomical (0 is 1 BC).
bool IsLeapYear(std::int64_t year);
// Days of a month of the civil calendar, 0 for a month outside 1..12. October 1582 counts 31
// (its days 5..14 do not exist; DateToJD refuses them).
int DaysInMonth(int year, int month);

}  // namespace noctaris
