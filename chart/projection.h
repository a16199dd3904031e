#pragma once
// The chart's geometry: the per-redraw frame (the displayed instant, its local sidereal time,
// screen scale) and the one projection through which everything on the chart is
// placed. Azimuth runs linearly across the chart (at the default view 90° each side of the
// centre), altitude linearly upwards (75° span the full height at the default view, where the
// horizon lies 28 pixels above the bottom); a zoomed view keeps these proportions.
#include <cmath>

#include "astro/precise/precise.h"
#include "astro/time/local_time.h"
#include "chart/state.h"
#include "chart/view.h"

namespace noctaris {

// A chart position in pixels: the nearest integer, ties to even.
inline int RoundToInt(double v) { return static_cast<int>(std::nearbyint(v)); }

struct ChartFrame {
    int Width = 0;                // W: paint surface width in pixels
    int Height = 0;               // H: paint surface height in pixels
    int CenterX = 0;              // W div 2
    double PixelsPerDegree = 0;   // CenterX / (span / 2)
    double Span = 180;            // degrees of azimuth across the surface
    double AltitudeScale = 0;     // rows per radian of altitude, per pixel of height
    double HorizonRow = 0;        // the (unrounded) row of altitude 0
    double SinLat = 0, CosLat = 1;
    double JulianDay = 0;         // UT Julian day of the displayed moment
    double SiderealAngle = 0;     // local sidereal time of that moment, radians
    double ViewAzimuth = 0;       // azimuth at the chart centre, degrees from south via west
    static constexpr int HorizonOffset = 28;
};

// The observer's zone: the place's legal clock when summer time is to be considered.
ZoneDescription ChartZone(const ObserverState& state);

// The frame of one redraw for a surface of width x height pixels and the view (or the default
// view turned to an azimuth). With a precise frame (of the same instant) the sidereal time is
// the apparent one of ERFA, which goes with places on the true equator and equinox of date.
ChartFrame MakeChartFrame(const ObserverState& state, int width, int height, const ViewState& view,
                          const PreciseFrame* precise = nullptr);
ChartFrame MakeChartFrame(const ObserverState& state, int width, int height, double viewAzimuth,
                          const PreciseFrame* precise = nullptr);

// The screen geometry alone of a view on a width x height surface (no moment, no place): what
// the inverse mappings below need.
ChartFrame ViewGeometry(const ViewState& view, int width, int height);

// Projects right ascension and declination (radians, as stored in the catalogs) onto the
// chart. Returns whether the point is placeable (within 10 pixels of the surface). When the
// point has no defined altitude or azimuth, x and y are left unchanged and false is returned;
// otherwise x and y receive the pixel even when it is off the surface.
bool ProjectToScreen(const ChartFrame& f, double ra, double dec, int& x, int& y);

// Same, with the declination given by its sine and cosine (precomputed for fixed points).
// Gives exactly the same pixels as ProjectToScreen(ra, dec).
bool ProjectToScreenSC(const ChartFrame& f, double ra, double sinDec, double cosDec, int& x,
                       int& y);

// A frame prepared for drawing many fixed points (the stars and lines of one redraw): Place
// gives the same answer as ProjectToScreenSC and, for a point it can place, the same pixel.
// A point that surely lies below, above or behind the surface is turned away first, from the
// cosine and sine of its right ascension (given with it) and of the sidereal angle, without
// trigonometry of its own; x and y are then left as they are. The frame must outlive the
// placement.
struct ChartPlacement {
    explicit ChartPlacement(const ChartFrame& frame);
    bool Place(double ra, double cosRa, double sinRa, double sinDec, double cosDec, int& x,
               int& y) const;

    const ChartFrame& frame;
    double CosSidereal = 1, SinSidereal = 0;  // of the frame's sidereal angle
    double CosView = 1, SinView = 0;          // of the view azimuth
    double SinSideMargin = 2;  // sine of the azimuth beyond 90 degrees still placeable
    // A zoomed view: cosine and sine of the half span plus the margin (its sine -1: none).
    double CosSideLimit = 0, SinSideLimit = -1;
    double SinLowest = -2, SinHighest = 2;  // sines of the altitudes still placeable
};

// Azimuth (degrees from the south through the west, -90..270) and altitude (radians) of a point
// given by right ascension and declination (radians), exactly as ProjectToScreen places it but
// before the rounding to a pixel. False, with the outputs left alone, where the azimuth is not
// defined (in the zenith or nadir) or the input is not finite.
bool ChartHorizontal(const ChartFrame& f, double ra, double dec, double& azimuth,
                     double& altitude);

// The direction on the chart of the great circle that leaves the point (ra, dec) (radians) at a
// position angle (degrees from the north through the east), as the chart draws the sky around
// the point: degrees clockwise from the +x axis (rows run downwards). False where it is not
// defined (the point at or next to the zenith or nadir, input not finite).
bool ChartDirectionOf(const ChartFrame& f, double ra, double dec, double positionAngle,
                      double& screenAngle);

// The column (unrounded) of an azimuth in degrees from the south through the west, taken the
// short way round from the view azimuth: within the surface for up to 90 degrees either side.
double AzimuthToScreenX(const ChartFrame& f, double azimuth);

// Inverse mappings of a pixel: azimuth in degrees from south through west, altitude in radians.
double ScreenXToAzimuth(const ChartFrame& f, int x);
double ScreenYToAltitude(const ChartFrame& f, int y);

// Row of the altitude contour line i = 1..5 (15°·i).
int AltitudeContourRow(const ChartFrame& f, int i);
// Row of an altitude in degrees (the same rounding as the contour lines).
int AltitudeRow(const ChartFrame& f, double degrees);

// The pen of the chart's polylines: it starts lifted; a point that cannot be placed lifts it.
// Step() tells whether to draw a line to the point (true) or to move there (false).
class PolylinePen {
public:
    bool Step(bool placeable) {
        if (!placeable) up_ = true;
        if (up_) {
            up_ = false;
            return false;
        }
        return true;
    }
    void Lift() { up_ = true; }

private:
    bool up_ = true;
};

}  // namespace noctaris
