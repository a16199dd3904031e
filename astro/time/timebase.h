#pragma once
// The time base: TDateTime (days since 1899-12-30 00:00, time of day as fraction), Julian days
// and civil calendar dates (Julian calendar up to 1582-10-04, Gregorian from 1582-10-15).
#include <cstdint>

#include "astro/core/errors.h"

namespace noctaris {

using TDateTime = double;

// Constants of the time base, fixed at program start.
extern const long double JDOffset;             // Julian day of TDateTime 0 (2415018.5)
inline constexpr long double GregorianStart = 2299160.5L;  // JD of 1582-10-15 00:00
extern const long double Epoch2000Serial;      // TDateTime of 2000-01-01
extern const long double Epoch1999Serial;      // TDateTime of 1999-01-01
extern const long double LunationEpochSerial;  // TDateTime of 1923-01-17, start of lunation 1

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

// Calendar date of a Julian day (the time of day is dropped).
void JDToJulianCalendar(long double jd, int& year, int& month, int& day);  // no-op if jd < 0
void JDToGregorianCalendar(long double jd, int& year, int& month, int& day);
void JDToCalendar(long double gregorianSwitch, long double jd, int& year, int& month, int& day);
void JDToDate(long double jd, int& year, int& month, int& day);

double DateToDateTime(int year, int month, int day);
void DateTimeToDate(TDateTime t, int& year, int& month, int& day);

// The platform's proleptic-Gregorian date serial (1..9999 years); invalid dates raise
// ConversionError. DecodeDate splits a TDateTime's whole days back into a date.
TDateTime EncodeDate(int year, int month, int day);
void DecodeDate(TDateTime t, int& year, int& month, int& day);
// Time of day as a fraction of a day; invalid times raise ConversionError.
TDateTime EncodeTime(int hour, int minute, int second, int msec);
// Splits the time-of-day part of t (rounded to the millisecond).
void DecodeTime(TDateTime t, int& hour, int& minute, int& second, int& msec);
// The Gregorian rule (every fourth year, not the centuries, but every fourth century).
bool IsLeapYear(std::int64_t year);
int DaysInMonth(int year, int month);

}  // namespace noctaris
