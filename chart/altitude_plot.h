#pragma once
// The night's altitude plot on any QPainter (a window, an image, a PDF or SVG file, a printer):
// altitude 0°–90° against the place's clock from noon to noon, the sky behind shaded by the
// twilight stages, one labelled curve for the Moon (marked with its phase), each planet and each
// added object, and a title with the place and the date.
#include <vector>

#include <QColor>
#include <QRectF>
#include <QString>

#include "astro/reports/tonight.h"

class QPainter;

namespace noctaris {

// The plot's colours: on the screen, for night vision (reds on black) and for print (on white).
enum class PlotScheme { Screen, NightVision, Print };

struct AltitudePlotColors {
    QColor background, frame, grid, text;
    QColor day, civil, nautical, astronomical, night;  // the sky by the Sun's altitude
    std::vector<QColor> curves;  // the Moon, the seven planets, then the objects (cycled)
};
AltitudePlotColors PlotColors(PlotScheme scheme);
// The colour of curve `index` (0 the Moon, 1..7 the planets, then the objects).
QColor CurveColor(const AltitudePlotColors& colors, std::size_t index);

// What the plot writes: its title (place and date) and the names of the curves in the order of
// CurveColor; the times are the place's clock.
struct AltitudePlotTexts {
    QString title;
    std::vector<QString> names;
    QString altitudeUnit = QStringLiteral("°");
};

// Where the plot's axes lie in the painted area, and the conversions between the picture and
// the night (Julian days UT, altitudes in degrees).
struct AltitudePlotGeometry {
    QRectF plot;  // the inner rectangle: left is `start`, right `end`, bottom 0°, top 90°
    double start = 0, end = 1;
    double XOf(double jd) const { return plot.left() + (jd - start) / (end - start) * plot.width(); }
    double YOf(double altitude) const { return plot.bottom() - altitude / 90 * plot.height(); }
    double TimeAt(double x) const { return start + (x - plot.left()) / plot.width() * (end - start); }
    double AltitudeAt(double y) const { return (plot.bottom() - y) / plot.height() * 90; }
};
AltitudePlotGeometry PlotGeometry(const QRectF& area, const TonightReport& report);

// The curve's altitude at an instant, read between the report's samples; none outside the night.
std::optional<double> TrackAltitudeAt(const TonightReport& report, const NightTrack& track, double jd);

// Paints the whole plot into `area`. Every time is read on `zone`.
void PaintAltitudePlot(QPainter& painter, const QRectF& area, const TonightReport& report,
                       const ZoneDescription& zone, const AltitudePlotTexts& texts, PlotScheme scheme);

}  // namespace noctaris
