#include "astro/reports/terminator.h"

#include <cmath>

#include "astro/core/constants.h"
#include "astro/time/sidereal.h"
#include "astro/time/timebase.h"

namespace noctaris {

namespace {
int MonthInRange(std::int64_t month) {
    if (month > 12) return 1;
    if (month < 1) return 12;
    return static_cast<int>(month);
}
}  // namespace

double TerminatorDeclination(double n, double h) {
    return 23.44 * std::sin((284.0 + n + h / 24.0) * 360.0 / 365.0 * kDegree);
}

TerminatorSun MakeTerminatorSun(double n, double h, double minute) {
    TerminatorSun s;
    s.Hour = h;
    s.Minute = minute;
    s.Declination = TerminatorDeclination(n, h);
    s.EquationOfTime = EquationOfTimeMinutes(n + h / 24.0);
    return s;
}

double TerminatorLatitude(const TerminatorSun& sun, double lambda) {
    const double t = sun.Hour + sun.Minute / 60.0 + sun.EquationOfTime / 60.0 +
                     (kTerminatorL0 + lambda) * 4.0 / 60.0;  // apparent solar time, hours
    const double ha = (t - 12.0) * 15.0;
    double tanDec = std::tan(sun.Declination * kDegree);
    // At the equinox the boundary degenerates into two meridians; 0/0 there would be NaN.
    if (tanDec == 0.0) tanDec = 1e-12;
    return std::atan(-std::cos(ha * kDegree) / tanDec) / kDegree;
}

double TerminatorSubSolarS(double h, double minute) {
    double s = -15.0 - (12.0 - h - minute / 60.0) * 15.0;
    if (s > 180.0)
        s -= 360.0;
    else if (s < -180.0)
        s += 360.0;
    return s;
}

void NormaliseTerminatorDate(TerminatorClock& c, int year) {
    int month = MonthInRange(c.Month);
    if (c.Day > DaysInMonth(year, month)) {
        c.Day = 1;
        month = MonthInRange(month + 1);
    } else if (c.Day < 1) {
        month = MonthInRange(month - 1);
        c.Day = DaysInMonth(year, month);
    }
    c.Month = month;
}

void TerminatorStep(TerminatorClock& c, bool changeMinutes, int year) {
    if (changeMinutes) {
        c.Minute += 2;
        if (c.Minute > 59) {
            c.Minute -= 60;
            c.Hour += 1;
        }
        if (c.Hour > 23) {
            c.Hour = 0;
            c.Day += 1;
        }
    } else {
        c.Day += 1;
    }
    NormaliseTerminatorDate(c, year);
}

}  // namespace noctaris
