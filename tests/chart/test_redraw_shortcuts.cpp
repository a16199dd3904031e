// The shortcuts of a redraw change no pixel: the placement turns away points that cannot reach
// the surface, lines still enter the chart from such points, and the landscape is combined
// only where it changes the chart.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/faint_stars.h"
#include "astro/core/constants.h"
#include "chart/projection.h"
#include "chart/skychart.h"
#include "chart_test_util.h"
#include "support.h"

using namespace noctaris;
using namespace noctaris::test;

namespace {


TEST(ChartPlacement, SameAnswerAndPixelAsTheProjectionOnEveryFrame) {
    for (double latitude : {50.836667, -33.9, 89.9, 0.0}) {
        // The default view turned, and zoomed views looking low, high and at the zenith.
        const auto zoomed = [](double azimuth, double span, std::optional<double> altitude) {
            ViewState v;
            v.CentreAzimuth = azimuth, v.HorizontalSpan = span, v.CentreAltitude = altitude;
            return ClampedView(v);
        };
        for (const ViewState& view : {zoomed(0, 180, {}), zoomed(90, 180, {}), zoomed(-135, 180, {}), zoomed(179.5, 180, {}),
                                      zoomed(20, 90, 30), zoomed(-100, 30, 60), zoomed(170, 10, 5),
                                      zoomed(45, 5, 89), zoomed(0, 180, 60)}) {
            for (QSize size : {QSize(1029, 664), QSize(641, 480), QSize(3, 3), QSize(1, 200)}) {
                ObserverState state = Chemnitz(2026, 5, 7, 3, 17);
                state.Latitude = latitude;
                const ChartFrame frame = MakeChartFrame(state, size.width(), size.height(), view);
                const ChartPlacement placement(frame);
                int points = 0, mismatches = 0, turnedAway = 0;
                std::string first;
                for (int i = 0; i < 120; ++i) {
                    for (int j = 0; j <= 60; ++j) {
                        const double ra = (i * 3 + 0.25) * kDegree, dec = (-90 + j * 3) * kDegree;
                        int x1 = -77777, y1 = -77777, x2 = -77777, y2 = -77777;
                        const bool full = ProjectToScreenSC(frame, ra, std::sin(dec), std::cos(dec), x1, y1);
                        const bool quick = placement.Place(ra, std::cos(ra), std::sin(ra), std::sin(dec),
                                                           std::cos(dec), x2, y2);
                        ++points;
                        if (full != quick || (full && (x1 != x2 || y1 != y2))) {
                            if (++mismatches == 1)
                                first = std::to_string(i) + "," + std::to_string(j) + ": " +
                                        std::to_string(x1) + "," + std::to_string(y1) + " vs " +
                                        std::to_string(x2) + "," + std::to_string(y2);
                        }
                        turnedAway += !quick && x2 == -77777 && x1 != -77777;
                    }
                }
                EXPECT_EQ(mismatches, 0) << latitude << " " << view.CentreAzimuth << " " << view.HorizontalSpan
                                         << " " << size.width() << "x" << size.height() << ": first at " << first;
                if (size == QSize(1029, 664) && std::fabs(latitude) < 60) {
                    // Below the horizon and behind the view: well over half of the sphere; a
                    // zoomed view turns away nearly all of it.
                    EXPECT_GT(turnedAway, view.HorizontalSpan < 100 ? points * 3 / 4 : points / 2)
                        << latitude << " " << view.CentreAzimuth;
                }
            }
        }
    }
}

TEST(SkyChart, ZoomedViewsDrawEveryStarTheProjectionPlaces) {
    // The zones around a zoomed view leave out no star: the stars listed where they were drawn
    // are exactly those of both catalogues, down to the view's magnitude, that the projection
    // places on the surface; across right ascension 0, next to the pole and at the zenith.
    const Catalogs& catalogs = SharedCatalogs();
    const FaintStars& faint = LoadFaintStars();
    SkyChart chart(catalogs);
    DisplayOptions o;
    o.ShowStarInfo = true;
    const QSize size(1029, 664);
    struct Case {
        int hour;
        double azimuth, span, altitude;
    };
    int faintSeen = 0;
    for (const Case& c : {Case{22, 180, 30, 50}, Case{3, 90, 10, 80}, Case{1, 180, 8, 40}, Case{20, 0, 60, 30},
                          Case{23, -60, 20, 85}, Case{5, 0, 179, 20}}) {
        const ObserverState state = Chemnitz(2026, 10, 5, c.hour, 0);
        ViewState view;
        view.CentreAzimuth = c.azimuth, view.HorizontalSpan = c.span, view.CentreAltitude = c.altitude;
        view = ClampedView(view);
        ChartObjectLists lists;
        chart.Redraw(size, state, o, view, lists);
        const ChartFrame frame = MakeChartFrame(state, size.width(), size.height(), view);
        const double limit = MagnitudeLimit(c.span);
        std::vector<std::string> want, drawn;
        int x = 0, y = 0;
        for (std::size_t i = 0; i < catalogs.stars.size(); ++i)
            if (catalogs.stars[i].Magnitude < limit &&
                ProjectToScreen(frame, catalogs.stars[i].RightAscension, catalogs.stars[i].Declination, x, y))
                want.push_back(catalogs.starNames[i].raw);
        for (std::size_t j = 0; j < faint.stars.size(); ++j)
            if (faint.stars[j].Magnitude < limit &&
                ProjectToScreen(frame, faint.stars[j].RightAscension, faint.stars[j].Declination, x, y)) {
                want.push_back(faint.names[j]);
                ++faintSeen;
            }
        for (std::size_t i = 0; i < lists.stars.Size(); ++i) drawn.emplace_back(lists.stars.NameAt(i));
        std::sort(want.begin(), want.end());
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(drawn, want) << c.hour << " " << c.azimuth << " " << c.span;
        EXPECT_FALSE(want.empty()) << c.hour << " " << c.azimuth << " " << c.span;
    }
    EXPECT_GT(faintSeen, 100);
}

// Pixels of the line from a to b that lie well inside the chart are drawn in the line colour
// (within one pixel of the ideal line).
int MissingAlong(const QImage& img, QPoint a, QPoint b, QRgb colour) {
    int missing = 0;
    for (int k = 1; k < 40; ++k) {
        const double u = k / 40.0;
        const int x = static_cast<int>(std::lround(a.x() + u * (b.x() - a.x())));
        const int y = static_cast<int>(std::lround(a.y() + u * (b.y() - a.y())));
        if (x < 2 || y < 2 || x >= img.width() - 2 || y >= img.height() - 30) continue;
        bool found = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) found = found || img.pixel(x + dx, y + dy) == colour;
        missing += !found;
    }
    return missing;
}

TEST(SkyChart, LinesEnterTheChartFromPointsFarBelowOrBehindIt) {
    const ObserverState state = Chemnitz();
    const QSize size(1029, 664);
    const ChartFrame frame = MakeChartFrame(state, size.width(), size.height(), 0);
    Catalogs catalogs;
    auto add = [&](double az, double alt, bool penUp) {
        double ra, dec;
        EquatorialOf(frame, az, alt, ra, dec);
        catalogs.constellationLines.push_back({ra, dec, penUp});
    };
    add(-60, 20, true);  // a visible stroke first, so a stale pixel would start from here
    add(-30, 25, false);
    add(10, -40, true);  // from far below the horizon up into the chart
    add(10, 30, false);
    add(150, 20, true);  // from behind the observer into the right half
    add(60, 20, false);
    SkyChart chart(catalogs);
    DisplayOptions o;
    o.ShowConstellationLines = true;
    ChartObjectLists lists;
    const QImage img = chart.Redraw(size, state, o, 0, lists);
    auto pixel = [&](int i) {
        int x = 0, y = 0;
        ProjectToScreen(frame, catalogs.constellationLines[i].ra, catalogs.constellationLines[i].dec, x, y);
        return QPoint(x, y);
    };
    EXPECT_GT(pixel(2).y(), size.height() + 10);  // the starts lie off the chart
    EXPECT_GT(pixel(4).x(), size.width() + 10);
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(MissingAlong(img, pixel(0), pixel(1), red), 0);
    EXPECT_EQ(MissingAlong(img, pixel(2), pixel(3), red), 0);
    EXPECT_EQ(MissingAlong(img, pixel(4), pixel(5), red), 0);
}

TEST(SkyChart, StraightOnThePixelsEqualsThePainter) {
    // Star discs and points in their colours, the meridian and the altitude lines, and every
    // combination of picture and mask pixels in runs of changing length over them; straight on
    // the pixels versus the painter (discs, points, lines, raster operations) on a surface
    // larger than the chart. (Slanted lines are left out: clipped at the surface's edge, a few
    // of their pixels near the bottom differ.)
    QImage picture(700, 160, QImage::Format_RGB32), mask(700, 160, QImage::Format_RGB32);
    const QRgb pictureColours[3] = {qRgb(255, 255, 255), qRgb(0, 96, 0), qRgb(200, 180, 255)};
    const QRgb maskColours[3] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 255, 0)};
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 700; ++x) {
            const int run = (x / (1 + y % 7) + y / 9) % 9;
            picture.setPixel(x, y, pictureColours[run % 3]);
            mask.setPixel(x, y, maskColours[run / 3]);
        }
    }
    SkyChart chart(SharedCatalogs());
    chart.SetHorizonPictures(picture, mask);
    DisplayOptions o;
    o.ShowHorizonFigure = o.ShowAltitudeLines = o.ShowMeridian = true;
    ChartObjectLists lists;
    const ObserverState state = Chemnitz();
    for (bool white : {false, true}) {
        o.WhiteStars = white;
        const QImage direct = chart.Redraw(QSize(640, 400), state, o, 0, lists);
        QImage larger(640, 420, QImage::Format_RGB32);
        larger.fill(Qt::red);
        {
            QPainter painter(&larger);
            chart.paint(painter, QSize(640, 400), state, o, 0, lists);
        }
        EXPECT_EQ(larger.copy(0, 0, 640, 400), direct) << white;
    }
}

}  // namespace
