#include "chart/projection.h"

#include <cmath>
#include <numbers>

#include "astro/angles.h"
#include "astro/precise_reports.h"
#include "astro/timebase.h"

namespace noctaris {
namespace {

// Rows per radian of altitude, per pixel of height.
constexpr double kAltitudeScale = 2.4 / std::numbers::pi;

// Weekday arithmetic wants a remainder in 0..6 even for years before 1 AD.
int Mod7(long long v) { return static_cast<int>(((v % 7) + 7) % 7); }

int DaysBefore(int month, int year) {
    static const int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = IsLeapYear(year);
    int days = 0;
    for (int m = 1; m < month && m <= 12; ++m) days += (m == 2 && leap) ? 29 : kLength[m - 1];
    return days;
}

int LastSunday(int month, int year) {
    const long long y1 = year - 1;
    const int jan1 = Mod7(year + y1 / 4 - y1 / 100 + y1 / 400);  // 0 = Sunday
    const int before = DaysBefore(month, year);
    int d = 31;
    while (d > 24 && Mod7(before + jan1 + d) != 1) --d;
    return d;
}

// Both sines are at most 1 in exact arithmetic; a point exactly due east or west comes out a
// hair above 1 and is taken as 1. Anything further off (close to the zenith, where the
// division by cos h blows rounding up, or NaN) cannot be placed.
bool WithinUnit(double& v) {
    if (std::fabs(v) <= 1) return true;
    if (std::fabs(v) <= 1 + 1e-12) {
        v = v > 0 ? 1 : -1;
        return true;
    }
    return false;
}

}  // namespace

double LocalDateToJD(int year, int month, int day, double timeZone) {
    long long y = static_cast<long long>(year) + 4712;
    long long m = month + 1;
    if (month <= 2) {
        y -= 1;
        m += 12;
    }
    double b;
    if (static_cast<long long>(year) * 10000 + month * 100 + day < 15821015) {
        b = -63.5;  // Julian calendar
    } else {
        const double a = std::trunc(static_cast<double>(y + 88) / 100.0);
        b = std::trunc(a * 0.25) + 38 - a - 63.5;
    }
    return b + std::trunc(365.25 * static_cast<double>(y)) +
           std::trunc(30.6001 * static_cast<double>(m)) + day - timeZone / 24.0;
}

bool IsSummerTime(int day, int month, int year) {
    if (month >= 4 && month <= 9) return true;
    if (month == 3) return day >= LastSunday(3, year);
    if (month == 10) return day < LastSunday(10, year);
    return false;
}

ChartFrame MakeChartFrame(const ObserverState& state, int width, int height, double viewAzimuth,
                          const PreciseFrame* precise) {
    ChartFrame f;
    f.Width = width;
    f.Height = height;
    f.CenterX = width / 2;
    f.PixelsPerDegree = f.CenterX / 90.0;
    f.SinLat = std::sin(state.Latitude * std::numbers::pi / 180.0);
    f.CosLat = std::cos(state.Latitude * std::numbers::pi / 180.0);
    f.ViewAzimuth = viewAzimuth;
    const double midnight = LocalDateToJD(state.Year, state.Month, state.Day, state.TimeZone);
    f.JulianDay = midnight + state.Hour / 24.0 + state.Minute / 1440.0 + state.Second / 86400.0;
    const double ut = state.Hour + state.Minute / 60.0 + state.Second / 3600.0 - state.TimeZone;
    double theta = precise ? LocalApparentSiderealHours(*precise, state.Longitude)
                           : LocalSiderealTime(state.Longitude, ut, midnight);
    if (state.ConsiderSummerTime && IsSummerTime(state.Day, state.Month, state.Year)) theta -= 1;
    f.SiderealAngle = theta / 12.0 * std::numbers::pi;
    return f;
}

bool ProjectToScreenSC(const ChartFrame& f, double ra, double sinDec, double cosDec, int& x,
                       int& y) {
    const double t = f.SiderealAngle - ra;
    const double cosT = std::cos(t);
    double sinH = f.SinLat * sinDec + f.CosLat * cosDec * cosT;
    if (!WithinUnit(sinH)) return false;  // also rejects NaN
    const double h = std::asin(sinH);
    double s = std::sin(t) * cosDec / std::cos(h);
    if (!WithinUnit(s)) return false;  // at the zenith the azimuth is undefined
    const double c = -f.CosLat * sinDec + f.SinLat * cosDec * cosT;
    const double as = std::asin(s) * 180.0 / std::numbers::pi;
    const double azimuth = c > 0 ? as : 180.0 - as;
    double a = azimuth - f.ViewAzimuth;
    if (a > 180) a -= 360;
    if (a < -180) a += 360;
    const double xv = a * f.PixelsPerDegree + f.CenterX;
    const double yv = (f.Height - ChartFrame::HorizonOffset) - kAltitudeScale * h * f.Height;
    if (!(std::fabs(xv) < 1e9) || !(std::fabs(yv) < 1e9)) return false;
    x = RoundToInt(xv);
    y = RoundToInt(yv);
    return -10 < x && x < f.Width + 10 && -10 < y && y < f.Height + 10;
}

bool ProjectToScreen(const ChartFrame& f, double ra, double dec, int& x, int& y) {
    return ProjectToScreenSC(f, ra, std::sin(dec), std::cos(dec), x, y);
}

double ScreenXToAzimuth(const ChartFrame& f, int x) {
    if (f.PixelsPerDegree == 0) return f.ViewAzimuth;  // a surface too narrow to have a scale
    return f.ViewAzimuth + (x - f.CenterX) / f.PixelsPerDegree;
}

double ScreenYToAltitude(const ChartFrame& f, int y) {
    if (f.Height == 0) return 0;
    return (y - f.Height + ChartFrame::HorizonOffset) / (-kAltitudeScale * f.Height);
}

int AltitudeContourRow(const ChartFrame& f, int i) {
    return RoundToInt((f.Height - ChartFrame::HorizonOffset) -
                      i * (std::numbers::pi / 12.0) * kAltitudeScale * f.Height);
}

}  // namespace noctaris
