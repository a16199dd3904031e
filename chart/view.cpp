#include "chart/view.h"

#include <algorithm>
#include <cmath>

#include "chart/projection.h"

namespace noctaris {
namespace {
constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;
}  // namespace

double VerticalSpan(double span) { return 75.0 * span / ViewState::kWidestSpan; }

double CentreAltitudeOf(const ViewState& view, int height) {
    if (view.CentreAltitude) return *view.CentreAltitude;
    if (height <= 0) return 0;
    const ChartFrame f = ViewGeometry(view, 1, height);
    return (f.HorizonRow - height / 2.0) / (f.AltitudeScale * height) * kDegreesPerRadian;
}

ViewState ClampedView(const ViewState& view) {
    ViewState v = view;
    if (!std::isfinite(v.HorizontalSpan)) v.HorizontalSpan = ViewState::kWidestSpan;
    v.HorizontalSpan = std::clamp(v.HorizontalSpan, ViewState::kNarrowestSpan, ViewState::kWidestSpan);
    if (!std::isfinite(v.CentreAzimuth)) v.CentreAzimuth = 0;
    v.CentreAzimuth = std::remainder(v.CentreAzimuth, 360.0);
    if (v.CentreAzimuth == -180) v.CentreAzimuth = 180;
    if (v.CentreAltitude) {
        if (!std::isfinite(*v.CentreAltitude)) {
            v.CentreAltitude.reset();
        } else {
            const double half = VerticalSpan(v.HorizontalSpan) / 2;
            v.CentreAltitude = std::clamp(*v.CentreAltitude, ViewState::kLowestBottom + half, 90.0 - half);
        }
    }
    return v;
}

ViewState LookAt(const ViewState& view, double azimuth, double altitude, std::optional<double> span) {
    ViewState v = view;
    v.CentreAzimuth = azimuth;
    v.CentreAltitude = altitude;
    if (span) v.HorizontalSpan = *span;
    return ClampedView(v);
}

ViewState ZoomedAbout(const ViewState& view, double factor, int x, int y, int width, int height) {
    if (!(factor > 0) || !std::isfinite(factor) || width <= 0 || height <= 0) return view;
    const ChartFrame before = ViewGeometry(view, width, height);
    const double azimuth = ScreenXToAzimuth(before, x);
    const double altitude = ScreenYToAltitude(before, y);  // radians
    ViewState v = view;
    v.HorizontalSpan = std::clamp(view.HorizontalSpan / factor, ViewState::kNarrowestSpan,
                                  ViewState::kWidestSpan);
    if (v.HorizontalSpan >= ViewState::kWidestSpan) {
        // All the way out: today's chart, turned by whole degrees as the azimuth box holds it.
        ViewState wide;
        wide.CentreAzimuth = std::nearbyint(view.CentreAzimuth);
        return ClampedView(wide);
    }
    v.CentreAltitude = 0.0;  // a placeholder: the geometry's scale does not depend on it
    const ChartFrame after = ViewGeometry(v, width, height);
    v.CentreAzimuth = azimuth - (x - after.CenterX) / after.PixelsPerDegree;
    const double perRadian = after.AltitudeScale * height;
    const double horizonRow = y + altitude * perRadian;
    v.CentreAltitude = (horizonRow - height / 2.0) / perRadian * kDegreesPerRadian;
    return ClampedView(v);
}

double MagnitudeLimit(double span) {
    if (!(span < ViewState::kWidestSpan)) return 5.0;
    return std::min(6.5, 5.0 + 0.5 * std::log2(ViewState::kWidestSpan / std::max(span, 1.0)));
}

}  // namespace noctaris
