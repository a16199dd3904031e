#pragma once
// Date routines of the astronomical calendar: Julian centuries, the start of a year, weekdays,
// a Julian day split into a date with a fractional day, the short date text, and the
// zoned conversions between a local date-time and a Julian day that report an invalid date by
// a value instead of raising. They keep no state and never raise.
#include <cstdint>
#include <optional>
#include <string>

#include "astro/time/timebase.h"

namespace noctaris {

// (jd - 2451545) / 36525.
double CenturiesSinceJ2000(double jd);
// Julian day of January 0.0 of the year (00:00 of 31 December of the year before), astronomical
// year numbering; Julian calendar before 1583.
double JDOfYearStart(int year);
// 1 Monday ... 6 Saturday, 7 Sunday; the civil day of jd (days start at midnight).
int WeekdayOfJD(double jd);
// A calendar date whose day carries the fraction of the day.
struct DayFraction {
    int Year = 0;
    int Month = 0;
    double Day = 0;
};
// All zero before the start of the day count and for a value that is not finite.
DayFraction JDToDayFraction(double jd);
// "day.month.yy" without leading zeros: 5 March 2012 gives "5.3.12".
std::string ShortDateText(const DayFraction& d);

// Day of the year: 1 on 1 January, counted in the civil calendar (Julian leap years before
// 1582; 15 October 1582 is day 278). A month outside 1..12 is taken as the nearest of January
// and December; the day is not checked (any count adds on).
std::int64_t DayOfYear(int year, int month, std::int64_t day);
// The day of the year that keeps step with the seasons, for formulas in the day of the year:
// the Gregorian calendar's day of the year of the same day (by 1500 the seasons come ten days
// early by the Julian calendar). DayOfYear after 1582 and for a date that does not exist.
std::int64_t SeasonalDayOfYear(int year, int month, int day);

// Julian day (UT) of 0 h local time of a civil date in a zone `zone` hours east of UT, i.e.
// 0 h UT of the date minus zone/24; the Julian calendar before 1582-10-15, astronomical year
// numbering. Never raises. And the local midnight that begins the civil day holding jdUT.
double LocalMidnightJD(int year, int month, int day, double zone);
double LocalMidnightJD(double jdUT, double zone);

// Julian day (UT) of a local date and time in a zone of `zone` hours east of UT; none for a
// date that does not exist. Years are numbered historically (-1 is 1 BC; there is no year 0).
std::optional<double> CalendarToJDZoned(int year, int month, int day, int hour, int minute,
                                        int second, double zone);
// Local date and time of jd in the zone, rounded to the second; none unless
// 0 <= jd < 13689326. Historical year numbering as above.
std::optional<CivilDateTime> JDToCalendarZoned(double jd, double zone);

}  // namespace noctaris
