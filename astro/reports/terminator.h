#pragma once
// The terminator map's own simple solar formulas: the declination from a sine over the day of
// the year (DayOfYear; the equation of time is EquationOfTimeMinutes), the latitude of the day/night
// boundary at a given longitude, the mean sub-solar longitude, and the map's simulation clock.
//
// Clock times are those of the meridian 15° east (zone +1); the caller turns its own clock's
// reading into that. Angles are degrees, longitudes
// east-positive. Nothing here raises, and no result is NaN or infinite for finite input.
#include <cstdint>

namespace noctaris {

// Solar declination in degrees: 23.44° sin((284 + n + h/24) · 360/365).
double TerminatorDeclination(double n, double h);

// The Sun of one drawing.
struct TerminatorSun {
    double Hour = 0;            // h: clock hour of zone +1
    double Minute = 0;          // clock minute
    double Declination = 0;     // degrees
    double EquationOfTime = 0;  // minutes
};

// The Sun for day of year n, hour h and minute.
TerminatorSun MakeTerminatorSun(double n, double h, double minute);

// Reference meridian term of the clock: the typed time is that of the meridian 15° east.
inline constexpr double kTerminatorL0 = -15.0;

// Latitude of the day/night boundary at east longitude lambda: arctan(−cos HA / tan δ) with the
// hour angle HA from the apparent solar time there. At a declination of exactly zero the
// boundary is taken as for a vanishingly small northern declination (a pair of meridians).
double TerminatorLatitude(const TerminatorSun& sun, double lambda);

// s = −15 − (12 − h − minute/60) · 15, brought into −180..180 by one turn at most: the mean
// Sun stands overhead at east longitude −s (no equation of time).
double TerminatorSubSolarS(double h, double minute);

// The four edits of the map as the simulation advances them. 64-bit, so that any typed
// integer can be stepped without overflow.
struct TerminatorClock {
    std::int64_t Day = 1, Month = 1, Hour = 0, Minute = 0;
};

// Day 0 (or less) becomes the last day of the previous month, a day beyond the month's length
// day 1 of the next; month 13 (or more) becomes 1, month 0 (or less) December. Months out of
// range are brought into 1..12 first. Leap years are judged by `year`.
void NormaliseTerminatorDate(TerminatorClock& c, int year);

// One simulation step: two minutes (carrying into the hour and, past 23, to hour 0 of the next
// day) or one day, then the date normalised.
void TerminatorStep(TerminatorClock& c, bool changeMinutes, int year);

}  // namespace noctaris
