#pragma once
// The chart's deep-sky layer: the Milky Way as a soft band under the stars and the symbols of
// galaxies, clusters and nebulae with their labels. The catalogues are loaded at the first paint
// that shows them.
#include <optional>
#include <vector>

#include <QPainter>
#include <QPointF>
#include <QPolygonF>
#include <QStaticText>

#include "astro/precise/precise.h"
#include "astro/reports/objectlists.h"
#include "catalog/deep_sky.h"
#include "chart/palette.h"
#include "chart/projection.h"

namespace noctaris {

// The faintest deep-sky object a view `span` degrees across shows: 7 mag for the whole half of
// the sky, down to 12 mag at the narrowest view. Messier objects are shown at any span.
double DeepSkyMagnitudeLimit(double span);

// What the chart drew of one deep-sky object (for tests and picking).
struct DeepSkyMark {
    int index = 0;  // into LoadDeepSky()
    int x = 0, y = 0;
    DeepSkyKind kind = DeepSkyKind::Other;
    double radius = 0;  // pixels, half the symbol's largest extent
};

class DeepSkyLayer {
public:
    DeepSkyLayer();

    // Fills the Milky Way's levels. `precise` turns the outlines to the equinox of date.
    void DrawMilkyWay(QPainter& painter, const ChartFrame& frame, const ChartPalette& palette,
                      const PreciseFrame* precise);

    struct Label {
        int x, y;
        double magnitude;
        const QStaticText* text;
    };
    // Draws the symbols of the objects the view's span allows and lists each in `hits` (the
    // object's index as its name). With smooth drawing the labels are returned for the chart's
    // label placement; otherwise they are drawn beside the symbols.
    // Labels are set in `font`, in the language of the first paint.
    std::vector<Label> DrawObjects(QPainter& painter, const ChartFrame& frame, const ChartPalette& palette,
                                   const PreciseFrame* precise, bool smooth, const QFont& font, ObjectList* hits);

    // The objects drawn at the last paint.
    const std::vector<DeepSkyMark>& Marks() const { return marks_; }

private:
    struct Entry {
        double x, y, z;              // J2000 unit vector
        double ra, sinDec, cosDec;   // as drawn (turned with precise positions)
        double cosRa, sinRa;
    };
    struct Ring {
        int level;
        std::vector<double> x, y, z;  // J2000 unit vectors, edges at most kMaxEdge apart
        double cx, cy, cz;            // the centre of the smallest cap around it found, J2000
        double radius;                // that cap's radius, radians
    };
    void Load(const QFont& font);
    void Turn(const PreciseFrame* precise);

    std::vector<Entry> objects_;
    std::vector<QStaticText> labels_;
    bool objectsLoaded_ = false;
    bool turned_ = false;
    double turnedForTT_ = 0;
    std::vector<Ring> rings_;
    bool ringsLoaded_ = false;
    std::vector<DeepSkyMark> marks_;
    QPolygonF section_;  // reused buffer
};

}  // namespace noctaris
