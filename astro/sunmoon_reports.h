#pragma once
// The astronomy behind the Moon and Sun parameter windows: the report's own Julian day of local
// midnight and sidereal time, the Moon's age from the lunation of a civil date, the Moon's rising,
// culmination and setting (one correction step of the three-point method), the apparent diameter
// of the Moon, and for the Sun the day number, the equation of time, the zodiacal constellation of
// a right ascension and the split of a sidereal time into hours and minutes.
//
// Plain double arithmetic; angles in degrees unless stated. Nothing here raises.
#include <string_view>

namespace noctaris {

// Julian day of 0 h local standard time of a civil date, i.e. 0 h UT minus zone/24 (zone in
// hours east of UT). Dates before 1582-10-15 are taken in the Julian calendar.
double ReportMidnightJD(int year, int month, int day, double zone);

// Local sidereal time in hours: 6.697374558 + 0.06570982442 (jd - 2451545) + 1.002737909 ut
// + eastLongitude/15, brought into 0..24 (24 itself stays 24). Non-finite input gives 0.
double ReportSiderealTime(double jd, double ut, double eastLongitude);

// Delta T in seconds from the windows' parabola (jd - 2382148)^2 / 41048480 - 15.
double ReportDeltaT(double jd);

// x - floor(x): the time of day of a day count, also for negative counts (0 for non-finite).
double DayFraction(double x);

// The Moon's age in days for the local civil date and clock time (dayFraction = time of day as
// a fraction, zone in hours): measured from the new moon of the lunation selected with
// (day, month - 2, year), or, when that new moon lies after the moment, from the one selected
// with (day, month - 3, year). Where these guesses of the lunation miss (before 2000, and now
// and then after it), the latest new moon before the moment is taken instead, so the age stays
// within 0 .. one lunation. j0 is ReportMidnightJD of the date.
double MoonReportAge(int day, int month, int year, double zone, double j0, double dayFraction);

// An age split for display: whole days, whole hours, and the remaining minutes (not rounded).
struct AgeParts {
    int days = 0;
    int hours = 0;
    double minutes = 0;
};
AgeParts SplitMoonAge(double age);

// Apparent diameter of the Moon at distance km: 716946800 / distance arcseconds, split into
// degrees, whole arcminutes and the remaining arcseconds.
struct MoonDiameterParts {
    double arcseconds = 0;
    double degrees = 0;
    int arcminutes = 0;
    double remainderSeconds = 0;
};
MoonDiameterParts MoonApparentDiameter(double distanceKm);

// Rising, culmination and setting of the Moon on the UT day that starts at Julian day jd0
// (0 h UT), for latitude and east longitude in degrees and the Moon's distance in km (it sets
// the altitude term of the first estimate). The three times are fractions of that day (UT);
// occurs is false when the Moon stays above or below the horizon by the first estimate.
struct MoonRiseSet {
    bool occurs = false;
    double rise = 0;
    double transit = 0;
    double set = 0;
};
MoonRiseSet MoonRiseTransitSet(double jd0, double latitude, double eastLongitude,
                               double distanceKm);

// Day of the year (1..366) of a Gregorian date.
int DayNumber(int day, int month, int year);

// Equation of time in minutes for a day number, rounded to two decimals.
double EquationOfTime(int dayNumber);

// The zodiacal constellation in which a right ascension (hours) lies; below 1.783333 h and from
// 23.416667 h on "Pisces".
std::string_view ZodiacConstellation(double raHours);

// A sidereal time in hours shown as whole hours H = Trunc(s x 1.001) and minutes
// Round((s - H) x 60); the minutes can be negative or 60 near a full hour.
struct HourMinute {
    int hours = 0;
    int minutes = 0;
};
HourMinute SiderealHourMinute(double s);

}  // namespace noctaris
