// The chart with precise positions: bodies and stars where an independent ephemeris sees them,
// and the classic chart back bit for bit once the switch is off again.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <string_view>

#include <QImage>
#include <QPoint>

#include "astro/precise/precise.h"
#include "catalog/catalog.h"
#include "chart/bodies.h"
#include "chart/picking.h"
#include "chart/view.h"
#include "chart/skychart.h"
#include "support.h"

using namespace noctaris;
using namespace noctaris::test;

namespace {

const QSize kSize(1029, 664);

// The chart's pixel of a direction in the sky, by the chart's own definition (azimuth linear,
// 90° each side of the view centre; altitude linear, 75° over the full height; the horizon 28
// pixels above the bottom). Azimuth from the north through the east, degrees.
QPointF PixelOf(const ChartFrame& f, double azimuthFromNorth, double altitude) {
    double a = azimuthFromNorth - 180 - f.ViewAzimuth;
    if (a > 180) a -= 360;
    if (a < -180) a += 360;
    const double rows = 2.4 / std::numbers::pi * altitude * std::numbers::pi / 180 * f.Height;
    return {f.CenterX + a * f.PixelsPerDegree, f.Height - ChartFrame::HorizonOffset - rows};
}

const ObjectList::Entry* Hit(const ObjectList& list, std::string_view name) {
    for (std::size_t i = 0; i < list.Size(); ++i) {
        const std::string_view n = list.NameAt(i);
        if (n == name || (n.size() > name.size() && n.substr(n.size() - name.size()) == name &&
                          n[n.size() - name.size() - 1] == ','))
            return &list.At(i);
    }
    return nullptr;
}

struct Drawn {
    QImage image;
    ChartObjectLists lists;
    ChartFrame frame;
};

Drawn Draw(SkyChart& chart, const ObserverState& state, DisplayOptions options, bool precise,
           double azimuth) {
    options.PrecisePositions = precise;
    Drawn d;
    d.image = chart.Redraw(kSize, state, options, azimuth, d.lists);
    d.frame = chart.Frame();
    return d;
}

}  // namespace

TEST(PreciseChart, BodiesStandWhereTheyAreSeen) {
    // Chemnitz, 2027-01-22 21:00 UT, looking south-east. Topocentric places without refraction
    // from an independent ephemeris (PyEphem): Jupiter azimuth 107.0524°, altitude 31.5038°;
    // the Moon 119.2843°, 44.5313°.
    SkyChart chart(SharedCatalogs());
    ChartBodies bodies;
    bodies.InstallOn(chart);
    DisplayOptions o;
    o.ShowMoon = true;
    const ObserverState s = Chemnitz(2027, 1, 22, 22, 0);
    const Drawn precise = Draw(chart, s, o, true, -45);
    for (const auto& [name, az, alt] : {std::tuple{"Jupiter", 107.0524, 31.5038},
                                        std::tuple{"Moon", 119.2843, 44.5313}}) {
        const ObjectList::Entry* hit = Hit(precise.lists.bodies, name);
        ASSERT_TRUE(hit) << name;
        const QPointF want = PixelOf(precise.frame, az, alt);
        EXPECT_NEAR(hit->x, want.x(), 1) << name;
        EXPECT_NEAR(hit->y, want.y(), 1) << name;
    }
    // The classic chart shows the Moon from the Earth's centre: without the parallax (some 40′
    // here) it stands several rows too high.
    const Drawn classic = Draw(chart, s, o, false, -45);
    const ObjectList::Entry* moon = Hit(classic.lists.bodies, "Moon");
    ASSERT_TRUE(moon);
    EXPECT_LT(moon->y, PixelOf(classic.frame, 119.2843, 44.5313).y() - 2);
}

TEST(PreciseChart, StarsAreTurnedToTheEquinoxOfDate) {
    // Chemnitz, 1900-01-10 21:00 UT, looking south: a century before the catalogue's epoch the
    // precession moves the stars some 1.4° (8 pixels). Places of date without refraction from an
    // independent ephemeris (PyEphem), azimuth and altitude in degrees.
    struct Star {
        const char* name;
        double azimuth, altitude;
    };
    const Star stars[] = {{"Sirius", 157.1432, 19.7716},
                          {"Betelgeuse", 166.1675, 45.8138},
                          {"Rigel", 180.3848, 30.8442},
                          {"Procyon", 134.2241, 35.7481}};
    SkyChart chart(SharedCatalogs());
    DisplayOptions o;
    o.ShowStarInfo = true;
    o.ShowConstellationLines = o.ShowConstellationBorders = true;
    const ObserverState s = Chemnitz(1900, 1, 10, 22, 0);
    const Drawn precise = Draw(chart, s, o, true, 0);
    const Drawn classic = Draw(chart, s, o, false, 0);
    for (const Star& star : stars) {
        const ObjectList::Entry* hit = Hit(precise.lists.stars, star.name);
        ASSERT_TRUE(hit) << star.name;
        const QPointF want = PixelOf(precise.frame, star.azimuth, star.altitude);
        EXPECT_NEAR(hit->x, want.x(), 1) << star.name;
        EXPECT_NEAR(hit->y, want.y(), 1) << star.name;
        // The classic chart keeps the J2000 places: visibly elsewhere.
        const ObjectList::Entry* old = Hit(classic.lists.stars, star.name);
        ASSERT_TRUE(old) << star.name;
        EXPECT_GE(std::hypot(old->x - want.x(), old->y - want.y()), 4) << star.name;
    }
}

TEST(PreciseChart, SwitchingOffGivesTheClassicChartBack) {
    // The turned catalogue is restored exactly: a classic chart drawn after precise ones is the
    // same image as one drawn before, for every layer the turn touches.
    SkyChart chart(SharedCatalogs());
    ChartBodies bodies;
    bodies.InstallOn(chart);
    DisplayOptions o;
    o.ShowMoon = o.ShowStarInfo = o.ShowConstellationLines = o.ShowConstellationBorders = true;
    o.ConstellationNameMode = 2;
    o.StarNameMode = 3;
    const ObserverState s = Chemnitz();
    const Drawn before = Draw(chart, s, o, false, 30);
    const Drawn precise = Draw(chart, s, o, true, 30);
    Draw(chart, Chemnitz(2026, 12, 7, 23, 0), o, true, 30);  // another instant: another turn
    const Drawn after = Draw(chart, s, o, false, 30);
    EXPECT_TRUE(before.image == after.image);
    EXPECT_FALSE(before.image == precise.image);
    // Drawing the same precise instant twice gives the same image (the turn is not applied
    // twice).
    EXPECT_TRUE(Draw(chart, s, o, true, 30).image == Draw(chart, s, o, true, 30).image);
    EXPECT_TRUE(Draw(chart, s, o, true, 30).image == precise.image);
}

TEST(PreciseChart, StarsNearTheEdgesStayOnAChartFarFromTheCatalogueEpoch) {
    // Chemnitz, 1600-01-10 21:00 UT: the equinox has moved some 5.6° since then. Sirius (PyEphem:
    // azimuth 160.0048°, altitude 20.8003°) one degree inside either side edge is drawn: the quick
    // rejection reads the turned places, not the catalogue's.
    SkyChart chart(SharedCatalogs());
    DisplayOptions o;
    o.ShowStarInfo = true;
    const ObserverState s = Chemnitz(1600, 1, 10, 22, 0);
    for (const double centre : {160.0048 - 180 + 89, 160.0048 - 180 - 89}) {
        const Drawn d = Draw(chart, s, o, true, centre);
        const ObjectList::Entry* hit = Hit(d.lists.stars, "Sirius");
        ASSERT_TRUE(hit) << centre;
        EXPECT_NEAR(hit->x, PixelOf(d.frame, 160.0048, 20.8003).x(), 2) << centre;
    }
}

TEST(PreciseChart, ZoomedViewsPlaceBodiesAndStarsWhereTheyAreSeen) {
    // Chemnitz, 2003-01-12 21:00 UT. Topocentric places without refraction from PyEphem
    // (azimuth from the north through the east, altitude, degrees). Saturn's precise place is
    // good to some 98" only (more than 2 pixels at 5 degrees across): it is checked against
    // its own right ascension and declination, turned into the horizon by hand, and against
    // PyEphem within those 98".
    struct Object {
        const char* name;
        Body body;
        bool star;
        double azimuth, altitude;
    };
    const Object objects[] = {{"Sirius", Body::Sun, true, 158.0571, 19.8501},
                              {"Saturn", Body::Saturn, false, 173.697, 61.0811},
                              {"Moon", Body::Moon, false, 230.3289, 44.3891}};
    SkyChart chart(SharedCatalogs());
    ChartBodies bodies;
    bodies.InstallOn(chart);
    DisplayOptions o;
    o.ShowMoon = o.ShowStarInfo = true;
    o.PrecisePositions = true;
    const ObserverState s = Chemnitz(2003, 1, 12, 22, 0);
    constexpr double d = std::numbers::pi / 180;
    for (const double span : {30.0, 5.0}) {
        for (const Object& object : objects) {
            // The object left of and below the middle. By the chart's definition: azimuth and
            // altitude linear, `span` degrees across, 75 * span / 180 degrees from top to bottom.
            ViewState view;
            view.HorizontalSpan = span;
            view.CentreAzimuth = object.azimuth - 180 + 0.3 * span;
            view.CentreAltitude = object.altitude + 0.2 * 75 * span / 180;
            ChartObjectLists lists;
            chart.Redraw(kSize, s, o, view, lists);
            const double perDegreeX = (kSize.width() / 2) / (span / 2);
            const double perDegreeY = kSize.height() / 75.0 * 180 / span;
            const auto pixel = [&](double azimuthFromNorth, double altitude) {
                return QPointF(kSize.width() / 2 + (azimuthFromNorth - 180 - view.CentreAzimuth) * perDegreeX,
                               kSize.height() / 2.0 - (altitude - *view.CentreAltitude) * perDegreeY);
            };
            QPointF want = pixel(object.azimuth, object.altitude);
            const ObjectList::Entry* hit = Hit(object.star ? lists.stars : lists.bodies, object.name);
            ASSERT_TRUE(hit) << object.name << " " << span;
            if (object.body == Body::Saturn) {
                const double tolerance = 98.0 / 3600 * perDegreeY;
                EXPECT_NEAR(hit->x, want.x(), tolerance / std::cos(object.altitude * d)) << span;
                EXPECT_NEAR(hit->y, want.y(), tolerance) << span;
                const ChartFrame& f = chart.Frame();
                const PreciseFrame frame = MakePreciseFrame(Instant::FromUT(f.JulianDay));
                const ApparentPlace p = TopocentricPlace(Body::Saturn, frame, Site{s.Latitude, s.Longitude, 0});
                const double t = f.SiderealAngle - p.ra * d, dec = p.dec * d, lat = s.Latitude * d;
                const double alt = std::asin(std::sin(lat) * std::sin(dec) + std::cos(lat) * std::cos(dec) * std::cos(t));
                const double az = std::atan2(std::sin(t) * std::cos(dec),
                                             std::cos(t) * std::cos(dec) * std::sin(lat) - std::sin(dec) * std::cos(lat));
                want = pixel(az / d + 180, alt / d);
            }
            EXPECT_NEAR(hit->x, want.x(), 2) << object.name << " " << span;
            EXPECT_NEAR(hit->y, want.y(), 2) << object.name << " " << span;
            if (!object.star) continue;
            // A click where the ephemeris puts the star tells about that star.
            ChartPicker picker;
            picker.lookup = [](std::string_view) { return std::nullopt; };
            const PickAction a = picker.MouseDown(static_cast<int>(std::lround(want.x())),
                                                  static_cast<int>(std::lround(want.y())), lists, true,
                                                  view.CentreAzimuth, QPoint(), QSize(1920, 1080), {});
            EXPECT_EQ(a.kind, PickAction::Kind::ShowStarInfo) << span;
            EXPECT_TRUE(a.message.contains(QStringLiteral("Sirius"))) << a.message.toStdString();
        }
    }
}
