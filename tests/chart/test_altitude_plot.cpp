#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "chart/altitude_plot.h"

using namespace noctaris;

namespace {

int Distance(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// Whether a pixel within `reach` of (x, y) has a colour within `tolerance` of `want`.
bool ColourNear(const QImage& image, double x, double y, QColor want, int reach, int tolerance) {
    const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p(cx + dx, cy + dy);
            if (image.valid(p) && Distance(image.pixelColor(p), want) <= tolerance) return true;
        }
    return false;
}

}  // namespace

// Chemnitz, 20 December 2026: the plot written as PNG and read back shows each twilight stage
// between its instants and every body's curve at its best time and altitude, in every scheme.
TEST(AltitudePlot, ShadingAndCurvesWhereTheNightPutsThem) {
    const ZoneDescription cet{1, SummerTimeRule::None, nullptr};
    const TonightReport r = ComputeTonight({2026, 12, 20}, {50.836667, 12.854444, 0}, cet, false,
                                           {{"Sirius", 101.287, -16.716, -1.46, {}}});
    ASSERT_TRUE(r.sun.sunset && r.sun.civilDusk && r.sun.nauticalDusk && r.sun.astronomicalDusk &&
                r.sun.astronomicalDawn);
    const QRectF area(0, 0, 1200, 700);
    AltitudePlotTexts texts;
    texts.title = QStringLiteral("Chemnitz, D – 20.12.2026");
    for (PlotScheme scheme : {PlotScheme::Screen, PlotScheme::NightVision, PlotScheme::Print}) {
        SCOPED_TRACE(static_cast<int>(scheme));
        QImage painted(area.size().toSize(), QImage::Format_RGB32);
        {
            QPainter p(&painted);
            PaintAltitudePlot(p, area, r, cet, texts, scheme);
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(painted.save(&buffer, "PNG"));
        const QImage image = QImage::fromData(png, "PNG");
        ASSERT_EQ(image.size(), painted.size());

        const AltitudePlotColors colors = PlotColors(scheme);
        const AltitudePlotGeometry g = PlotGeometry(area, r);
        // High in the plot, where no curve goes (the highest is the Moon's, 60°).
        const double y = g.YOf(84);
        const auto stageBetween = [&](double a, double b, QColor want, const char* what) {
            SCOPED_TRACE(what);
            EXPECT_TRUE(ColourNear(image, g.XOf((a + b) / 2), y, want, 2, 0));
        };
        stageBetween(r.start, *r.sun.sunset, colors.day, "day");
        stageBetween(*r.sun.sunset, *r.sun.civilDusk, colors.civil, "civil");
        stageBetween(*r.sun.civilDusk, *r.sun.nauticalDusk, colors.nautical, "nautical");
        stageBetween(*r.sun.nauticalDusk, *r.sun.astronomicalDusk, colors.astronomical, "astronomical");
        stageBetween(*r.sun.astronomicalDusk, *r.sun.astronomicalDawn, colors.night, "night");
        // Two minutes inside the night from its start the sky is the night's, two minutes
        // before it the astronomical twilight's.
        EXPECT_TRUE(ColourNear(image, g.XOf(*r.sun.astronomicalDusk + 2.0 / 1440), y, colors.night, 0, 0));
        EXPECT_TRUE(ColourNear(image, g.XOf(*r.sun.astronomicalDusk - 2.0 / 1440), y, colors.astronomical, 0, 0));

        // Each curve in its own colour where the body stands at its best time.
        std::vector<const NightTrack*> tracks = {&r.moon};
        for (const NightTrack& t : r.planets) tracks.push_back(&t);
        tracks.push_back(&r.objects[0]);
        for (std::size_t k = 0; k < tracks.size(); ++k) {
            const NightTrack& t = *tracks[k];
            SCOPED_TRACE(t.name);
            if (!t.best) continue;
            EXPECT_TRUE(ColourNear(image, g.XOf(*t.best), g.YOf(t.bestAltitude), CurveColor(colors, k), 2, 24));
        }
        // And none where it is not: Sirius's colour a third of the way up at its culmination.
        EXPECT_FALSE(ColourNear(image, g.XOf(*r.objects[0].culmination), g.YOf(r.objects[0].culminationAltitude + 20),
                                CurveColor(colors, 8), 2, 24));
        // The curves are told apart from each other and from every sky.
        const QColor skies[5] = {colors.day, colors.civil, colors.nautical, colors.astronomical, colors.night};
        for (std::size_t a = 0; a < colors.curves.size(); ++a) {
            for (std::size_t b = a + 1; b < colors.curves.size(); ++b)
                EXPECT_GE(Distance(colors.curves[a], colors.curves[b]), 60) << a << " " << b;
            for (const QColor& sky : skies) EXPECT_GE(Distance(colors.curves[a], sky), 60) << a;
        }
    }
}
