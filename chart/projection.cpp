#include "chart/projection.h"

#include <algorithm>
#include <cmath>

#include "astro/coords/angles.h"
#include "astro/core/constants.h"
#include "astro/core/errors.h"
#include "astro/precise/precise_reports.h"
#include "astro/time/calendar_dates.h"
#include "astro/time/local_time.h"
#include "astro/time/sidereal.h"
#include "astro/time/timebase.h"
#include "platform/time_zone.h"

namespace noctaris {
namespace {

// π in the double arithmetic of the chart's pixels.
constexpr double kPiD = static_cast<double>(kPi);

// Rows per radian of altitude, per pixel of height.
constexpr double kAltitudeScale = 2.4 / kPiD;

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

ZoneDescription ChartZone(const ObserverState& state) {
    return PlaceZone(state.ZoneId, state.TimeZone, state.ConsiderSummerTime);
}

namespace {

// The UT Julian day of the displayed local clock reading in the chart's zone.
double DisplayedInstantUT(const ObserverState& state) {
    const CivilDateTime local{{state.Year, state.Month, state.Day},
                              {state.Hour, state.Minute, state.Second}};
    try {
        return static_cast<double>(InstantFromLocal(local, ChartZone(state)).ut());
    } catch (const ConversionError&) {
        // A date the calendar does not know (1582-10-05..14, month 13): counted on from the
        // day's number as given, in standard time.
        return LocalMidnightJD(state.Year, state.Month, state.Day, state.TimeZone) + state.Hour / 24.0 +
               state.Minute / 1440.0 + state.Second / 86400.0;
    }
}

}  // namespace

ChartFrame ViewGeometry(const ViewState& view, int width, int height) {
    ChartFrame f;
    f.Width = width;
    f.Height = height;
    f.CenterX = width / 2;
    const double span = view.HorizontalSpan > 0 && view.HorizontalSpan <= 360 ? view.HorizontalSpan : 180.0;
    f.Span = span;
    f.PixelsPerDegree = f.CenterX / (span / 2.0);
    f.AltitudeScale = kAltitudeScale * (180.0 / span);
    f.ViewAzimuth = view.CentreAzimuth;
    if (view.CentreAltitude && std::isfinite(*view.CentreAltitude))
        f.HorizonRow = height / 2.0 + (*view.CentreAltitude * kPiD / 180.0) * f.AltitudeScale * height;
    else
        f.HorizonRow = height - ChartFrame::HorizonOffset;
    return f;
}

ChartFrame MakeChartFrame(const ObserverState& state, int width, int height, const ViewState& view,
                          const PreciseFrame* precise) {
    ChartFrame f = ViewGeometry(view, width, height);
    f.SinLat = std::sin(state.Latitude * kPiD / 180.0);
    f.CosLat = std::cos(state.Latitude * kPiD / 180.0);
    f.JulianDay = DisplayedInstantUT(state);
    const double theta = precise ? PreciseLocalSiderealHours(*precise, state.Longitude)
                                 : LocalMeanSiderealHours(Instant::FromUT(f.JulianDay), state.Longitude);
    f.SiderealAngle = theta / 12.0 * kPiD;
    return f;
}

ChartFrame MakeChartFrame(const ObserverState& state, int width, int height, double viewAzimuth,
                          const PreciseFrame* precise) {
    ViewState view;
    view.CentreAzimuth = viewAzimuth;
    return MakeChartFrame(state, width, height, view, precise);
}

namespace {

// Altitude (radians) and azimuth (degrees from the south through the west) of a point.
bool HorizontalSC(const ChartFrame& f, double ra, double sinDec, double cosDec, double& h,
                  double& azimuth) {
    const double t = f.SiderealAngle - ra;
    const double cosT = std::cos(t);
    double sinH = f.SinLat * sinDec + f.CosLat * cosDec * cosT;
    if (!WithinUnit(sinH)) return false;  // also rejects NaN
    h = std::asin(sinH);
    double s = std::sin(t) * cosDec / std::cos(h);
    if (!WithinUnit(s)) return false;  // at the zenith the azimuth is undefined
    const double c = -f.CosLat * sinDec + f.SinLat * cosDec * cosT;
    const double as = std::asin(s) * 180.0 / kPiD;
    azimuth = c > 0 ? as : 180.0 - as;
    return true;
}

}  // namespace

bool ProjectToScreenSC(const ChartFrame& f, double ra, double sinDec, double cosDec, int& x,
                       int& y) {
    double h = 0, azimuth = 0;
    if (!HorizontalSC(f, ra, sinDec, cosDec, h, azimuth)) return false;
    const double xv = AzimuthToScreenX(f, azimuth);
    const double yv = f.HorizonRow - f.AltitudeScale * h * f.Height;
    if (!(std::fabs(xv) < 1e9) || !(std::fabs(yv) < 1e9)) return false;
    x = RoundToInt(xv);
    y = RoundToInt(yv);
    return -10 < x && x < f.Width + 10 && -10 < y && y < f.Height + 10;
}

ChartPlacement::ChartPlacement(const ChartFrame& f) : frame(f) {
    CosSidereal = std::cos(f.SiderealAngle);
    SinSidereal = std::sin(f.SiderealAngle);
    CosView = std::cos(f.ViewAzimuth * kPiD / 180.0);
    SinView = std::sin(f.ViewAzimuth * kPiD / 180.0);
    // A pixel column further than 12 pixels beyond either half of the surface is never
    // placeable (10 pixels of slack, rounding, and an odd width's extra column).
    const double margin = f.CenterX > 0 ? 12.0 * (f.Span / 2) / f.CenterX : 90.0;
    const double side = f.Span / 2 + margin;  // degrees from the view azimuth
    SinSideMargin = margin < 90.0 ? std::sin(margin * kPiD / 180.0) : 2.0;  // 2: turn none away
    if (side < 90.0) {
        CosSideLimit = std::cos(side * kPiD / 180.0);
        SinSideLimit = std::sin(side * kPiD / 180.0);
    }
    // Rows 11 beyond either edge (10 pixels of slack and rounding) as altitudes; sin is monotonic
    // over -90..90 degrees, so comparing sines needs no arcsine per point.
    const double perRadian = f.AltitudeScale * f.Height;
    if (perRadian > 0) {
        const double lowest = (f.HorizonRow - f.Height - 11) / perRadian;
        const double highest = (f.HorizonRow + 11) / perRadian;
        if (lowest > -kPiD / 2) SinLowest = std::sin(lowest);
        if (highest < kPiD / 2) SinHighest = std::sin(highest);
    }
}

bool ChartPlacement::Place(double ra, double cosRa, double sinRa, double sinDec, double cosDec,
                           int& x, int& y) const {
    const ChartFrame& f = frame;
    // cos and sin of t = sidereal angle - ra from the sums of angles; within 1e-15 of the
    // projection's own, far inside the margins below (a NaN turns nothing away).
    const double cosT = CosSidereal * cosRa + SinSidereal * sinRa;
    const double sinT = SinSidereal * cosRa - CosSidereal * sinRa;
    const double sinH = f.SinLat * sinDec + f.CosLat * cosDec * cosT;
    if (sinH < SinLowest || sinH > SinHighest) return false;
    // cos h cos(azimuth - view) and cos h sin(azimuth - view) from the horizontal components
    // (cos h cos azimuth and cos h sin azimuth); below -sin(margin) the point lies more than 90
    // degrees plus the margin away from the view azimuth, beyond either side.
    const double c = -f.CosLat * sinDec + f.SinLat * cosDec * cosT;
    const double along = c * CosView + sinT * cosDec * SinView;
    if (along < -SinSideMargin) return false;
    if (SinSideLimit >= 0) {
        // A zoomed view: beyond the half span plus the margin when the angle of (along, across)
        // exceeds it, that is when sin(angle - limit) > 0.
        const double across = std::fabs(sinT * cosDec * CosView - c * SinView);
        if (across * CosSideLimit - along * SinSideLimit > 0) return false;
    }
    return ProjectToScreenSC(f, ra, sinDec, cosDec, x, y);
}

bool ChartHorizontal(const ChartFrame& f, double ra, double dec, double& azimuth,
                     double& altitude) {
    double h = 0, a = 0;
    if (!HorizontalSC(f, ra, std::sin(dec), std::cos(dec), h, a) || !std::isfinite(a)) return false;
    azimuth = a;
    altitude = h;
    return true;
}

bool ProjectToScreen(const ChartFrame& f, double ra, double dec, int& x, int& y) {
    return ProjectToScreenSC(f, ra, std::sin(dec), std::cos(dec), x, y);
}

bool ChartDirectionOf(const ChartFrame& f, double ra, double dec, double positionAngle,
                      double& screenAngle) {
    // A step of a few arcseconds along the great circle, both ends through the chart's mapping.
    constexpr double kStep = 2e-5;
    const double p = positionAngle * kPiD / 180.0;
    const double sinDec = std::sin(dec) * std::cos(kStep) + std::cos(dec) * std::sin(kStep) * std::cos(p);
    const double dec2 = std::asin(std::clamp(sinDec, -1.0, 1.0));
    const double ra2 = ra + std::atan2(std::sin(p) * std::sin(kStep) * std::cos(dec),
                                       std::cos(kStep) - std::sin(dec) * sinDec);
    double az1 = 0, h1 = 0, az2 = 0, h2 = 0;
    if (!ChartHorizontal(f, ra, dec, az1, h1) || !ChartHorizontal(f, ra2, dec2, az2, h2)) return false;
    double da = az2 - az1;
    if (da > 180) da -= 360;
    if (da < -180) da += 360;
    const double dx = da * f.PixelsPerDegree;
    const double dy = -(h2 - h1) * f.AltitudeScale * f.Height;
    if (!std::isfinite(dx) || !std::isfinite(dy) || (dx == 0 && dy == 0)) return false;
    screenAngle = std::atan2(dy, dx) * 180.0 / kPiD;
    return true;
}

double AzimuthToScreenX(const ChartFrame& f, double azimuth) {
    double a = azimuth - f.ViewAzimuth;
    if (a > 180) a -= 360;
    if (a < -180) a += 360;
    return a * f.PixelsPerDegree + f.CenterX;
}

double ScreenXToAzimuth(const ChartFrame& f, int x) {
    if (f.PixelsPerDegree == 0) return f.ViewAzimuth;  // a surface too narrow to have a scale
    return f.ViewAzimuth + (x - f.CenterX) / f.PixelsPerDegree;
}

double ScreenYToAltitude(const ChartFrame& f, int y) {
    if (f.Height == 0) return 0;
    return (y - f.HorizonRow) / (-f.AltitudeScale * f.Height);
}

int AltitudeContourRow(const ChartFrame& f, int i) {
    return RoundToInt(f.HorizonRow - i * (kPiD / 12.0) * f.AltitudeScale * f.Height);
}

int AltitudeRow(const ChartFrame& f, double degrees) {
    return RoundToInt(f.HorizonRow - (degrees / 15.0) * (kPiD / 12.0) * f.AltitudeScale * f.Height);
}

}  // namespace noctaris
