#pragma once
// Where the chart looks and how far it is zoomed. The chart maps azimuth and altitude linearly;
// the default view is the whole half of the sky in front (180 degrees across) with the horizon
// near the bottom edge, and zooming keeps the vertical scale in today's proportion to the
// horizontal one.
#include <optional>

namespace noctaris {

struct ViewState {
    static constexpr double kWidestSpan = 180;  // degrees of azimuth across the chart
    static constexpr double kNarrowestSpan = 5;
    static constexpr double kLowestBottom = -20;  // how far below the horizon the view reaches

    double CentreAzimuth = 0;    // degrees from the south through the west, -180..180
    double HorizontalSpan = 180;  // degrees of azimuth from the left to the right edge
    // Altitude (degrees) at the chart's middle row; none: the horizon 28 pixels above the bottom.
    std::optional<double> CentreAltitude;

    bool operator==(const ViewState&) const = default;
    bool IsDefaultZoom() const { return HorizontalSpan == kWidestSpan && !CentreAltitude; }
};

// Degrees of altitude from the top to the bottom edge of a view `span` degrees across.
double VerticalSpan(double span);

// The altitude at the middle row of a chart `height` pixels high seen through `view`.
double CentreAltitudeOf(const ViewState& view, int height);

// The view kept within its limits: span 5..180 degrees, azimuth in -180..180, and the centre
// altitude such that the top edge reaches at most the zenith and the bottom edge at least 20
// degrees below the horizon. A view that keeps today's placement stays so. Not finite values
// fall back to the default's.
ViewState ClampedView(const ViewState& view);

// The view turned to face (azimuth, altitude) at its centre, `span` degrees across (none: the
// view's own span), within the limits of ClampedView.
ViewState LookAt(const ViewState& view, double azimuth, double altitude, std::optional<double> span);

// The view zoomed by `factor` (above 1: closer) about the sky point under the pixel (x, y) of a
// chart `width` x `height` pixels, which stays under that pixel as far as the limits allow.
// Zooming back out to the widest span returns to the default placement.
ViewState ZoomedAbout(const ViewState& view, double factor, int x, int y, int width, int height);

// The faintest magnitude the chart shows at a span: today's 5 at 180 degrees, 6.5 from 22.5
// degrees in.
double MagnitudeLimit(double span);

}  // namespace noctaris
