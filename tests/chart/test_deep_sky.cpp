// The deep-sky objects and the Milky Way on the chart, against published places and an
// independent sidereal time.
#include <gtest/gtest.h>

#include <QImage>
#include <QLocale>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "catalog/deep_sky.h"
#include "catalog/object_index.h"
#include "chart/found_object.h"
#include "chart/picking.h"
#include "chart/skychart.h"
#include "support.h"

using namespace noctaris;
using namespace noctaris::test;

namespace {

const QSize kSize(1029, 664);
constexpr double kDeg = std::numbers::pi / 180;

// A place with its clock on universal time, so the displayed moment is the UT given.
ObserverState AtUT(double latitude, double longitude, int year, int month, int day, int hour, int minute) {
    ObserverState s;
    s.PlaceName = "Test";
    s.Latitude = latitude, s.Longitude = longitude;
    s.TimeZone = 0;
    s.Year = year, s.Month = month, s.Day = day, s.Hour = hour, s.Minute = minute;
    return s;
}

// Azimuth (degrees from the south through the west) and altitude (degrees) of a J2000 place
// (hours, degrees) from the Julian day (Meeus 7.1) and the mean sidereal time (Meeus 12.4).
void Horizontal(const ObserverState& s, double raHours, double decDeg, double& azimuth, double& altitude) {
    int y = s.Year, m = s.Month;
    if (m <= 2) --y, m += 12;
    const int a = y / 100, b = 2 - a + a / 4;
    const double jd = std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * (m + 1)) + s.Day + b - 1524.5 +
                      (s.Hour + s.Minute / 60.0) / 24;
    const double t = (jd - 2451545.0) / 36525;
    const double gmst = 280.46061837 + 360.98564736629 * (jd - 2451545.0) + 0.000387933 * t * t - t * t * t / 38710000;
    const double h = (gmst + s.Longitude - raHours * 15) * kDeg, phi = s.Latitude * kDeg, dec = decDeg * kDeg;
    azimuth = std::atan2(std::sin(h), std::cos(h) * std::sin(phi) - std::tan(dec) * std::cos(phi)) / kDeg;
    altitude = std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(h)) / kDeg;
}

// The pixel of that place on a chart of kSize looking at `view` degrees (the linear mapping of
// the chart: 180 degrees across, 75 degrees up, the horizon 28 pixels above the bottom or the
// centre altitude at the middle row).
QPointF Pixel(double azimuth, double altitude, double view, std::optional<double> centreAltitude = std::nullopt) {
    const double ppd = (kSize.width() / 2) / 90.0, rowsPerDegree = 2.4 / std::numbers::pi * kDeg * kSize.height();
    const double horizon = centreAltitude ? kSize.height() / 2.0 + *centreAltitude * rowsPerDegree : kSize.height() - 28;
    return {kSize.width() / 2 + std::remainder(azimuth - view, 360.0) * ppd, horizon - altitude * rowsPerDegree};
}

int IndexOf(const char* designation) {
    const std::vector<DeepSkyObject>& objects = LoadDeepSky();
    for (std::size_t i = 0; i < objects.size(); ++i)
        for (const std::string& d : objects[i].designations)
            if (d == designation) return static_cast<int>(i);
    return -1;
}

// M 31, M 42, M 45 and Omega Centauri (published J2000 places) stand where the chart's mapping
// puts them and carry their kind's symbol in the symbol colour; a press on one tells about it.
TEST(DeepSkyChart, KnownObjectsAtTheirPixelsWithTheirSymbols) {
    struct Case {
        const char* designation;
        double raHours, decDeg;
        DeepSkyKind kind;
        ObserverState where;
    };
    const ObserverState chemnitz = AtUT(50.836667, 12.854444, 2024, 1, 15, 19, 0);
    const Case cases[] = {
        {"M 31", 0 + 42 / 60.0 + 44.3 / 3600, 41 + 16 / 60.0 + 9 / 3600.0, DeepSkyKind::Galaxy, chemnitz},
        {"M 42", 5 + 35 / 60.0 + 17.3 / 3600, -(5 + 23 / 60.0 + 28 / 3600.0), DeepSkyKind::BrightNebula, chemnitz},
        {"M 45", 3 + 47 / 60.0 + 24 / 3600.0, 24 + 7 / 60.0, DeepSkyKind::OpenCluster, chemnitz},
        {"NGC 5139", 13 + 26 / 60.0 + 47.3 / 3600, -(47 + 28 / 60.0 + 46.1 / 3600), DeepSkyKind::GlobularCluster,
         AtUT(-33.87, 151.21, 2024, 4, 15, 12, 0)},  // Sydney
    };
    DisplayOptions options;
    options.ShowDeepSky = true;
    for (const Case& c : cases) {
        double azimuth = 0, altitude = 0;
        Horizontal(c.where, c.raHours, c.decDeg, azimuth, altitude);
        ASSERT_GT(altitude, 10) << c.designation;
        ViewState view;
        view.CentreAzimuth = std::nearbyint(std::remainder(azimuth + 25, 360.0));
        SkyChart chart(SharedCatalogs());
        ChartObjectLists lists;
        const QImage image = chart.Redraw(kSize, c.where, options, view, lists);
        const int index = IndexOf(c.designation);
        ASSERT_GE(index, 0) << c.designation;
        const DeepSkyMark* mark = nullptr;
        for (const DeepSkyMark& m : chart.DeepSky().Marks())
            if (m.index == index) mark = &m;
        ASSERT_NE(mark, nullptr) << c.designation;
        const QPointF expected = Pixel(azimuth, altitude, view.CentreAzimuth);
        EXPECT_NEAR(mark->x, expected.x(), 2) << c.designation;
        EXPECT_NEAR(mark->y, expected.y(), 2) << c.designation;
        EXPECT_EQ(mark->kind, c.kind) << c.designation;
        const QRgb symbol = ClassicPalette().deepSky.rgb();
        int symbolPixels = 0;
        const int r = static_cast<int>(mark->radius) + 2;
        for (int y = mark->y - r; y <= mark->y + r; ++y)
            for (int x = mark->x - r; x <= mark->x + r; ++x)
                symbolPixels += image.rect().contains(x, y) && image.pixel(x, y) == symbol;
        EXPECT_GT(symbolPixels, 8) << c.designation;

        ChartPicker picker;
        picker.deepSkyInfo = [](int number) { return QString::number(number); };
        const PickAction a = picker.MouseDown(mark->x + 1, mark->y - 1, lists, false, 0, {}, QSize(1920, 1080), {});
        EXPECT_EQ(a.kind, PickAction::Kind::ShowStarInfo) << c.designation;
        EXPECT_EQ(a.message, QString::number(index)) << c.designation;
    }
}

// What the program tells about M 31: its designations, kind, published magnitude and size.
TEST(DeepSkyChart, InformationOfTheAndromedaGalaxy) {
    const PinnedLocale english{QLocale(QLocale::English, QLocale::UnitedStates)};
    const ObjectIndex index = ObjectIndex::Build(SharedCatalogs());
    const std::optional<SkyObjectRef> m31 = index.Find("M 31");
    ASSERT_TRUE(m31);
    const FoundReport report = BuildFoundReport(index, SharedCatalogs(), *m31, Chemnitz());
    const QString text = report.title + QLatin1Char('\n') + report.lines.join(QLatin1Char('\n'));
    for (const char* expected : {"Andromeda Galaxy (M 31)", "Spiral galaxy in Andromeda", "Designations: M 31, NGC 224",
                                 "Apparent size: 189′ × 62′", "Magnitude: 3.44", "declination +41° 16′"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

// The band covers Cygnus and Sagittarius and leaves Ursa Major dark; and wherever the view
// looks, the same part of the sky gets the same band: views 90 degrees apart (exactly 514
// pixels at this size) agree pixel for pixel where they overlap, but for the two columns at
// the edges, also with the band through the zenith.
TEST(DeepSkyChart, MilkyWayCoversItsConstellationsTheSameFromEveryView) {
    DisplayOptions options;
    options.ShowMilkyWay = true;
    const ChartPalette palette = ClassicPalette();
    const auto isBand = [&](QRgb p) {
        for (const QColor& c : palette.milkyWay)
            if (p == c.rgb()) return true;
        return false;
    };
    SkyChart chart(SharedCatalogs());
    ChartObjectLists lists;
    const ObserverState august = AtUT(50.836667, 12.854444, 2024, 8, 15, 20, 0);
    const ObserverState overhead = AtUT(50.836667, 12.854444, 2024, 8, 15, 1, 0);  // the band overhead
    struct Probe {
        const char* where;
        double raHours, decDeg;
        bool band;
        const ObserverState& when;
    };
    for (const Probe& p : {Probe{"Cygnus", 20.0, 35.0, true, august}, Probe{"Sagittarius", 18.05, -24.4, true, august},
                           Probe{"Ursa Major", 11.0, 50.0, false, august}, Probe{"Perseus", 3.3, 47.0, true, overhead},
                           Probe{"Cassiopeia", 0.5, 58.0, true, overhead},
                           Probe{"Ursa Major, the band overhead", 11.0, 50.0, false, overhead}}) {
        double azimuth = 0, altitude = 0;
        Horizontal(p.when, p.raHours, p.decDeg, azimuth, altitude);
        ASSERT_GT(altitude, 5) << p.where;
        ViewState view;
        view.CentreAzimuth = std::nearbyint(std::remainder(azimuth - 10, 360.0));
        if (altitude > 60) view.CentreAltitude = 55;
        const QImage image = chart.Redraw(kSize, p.when, options, view, lists);
        const QPoint at = Pixel(azimuth, altitude, view.CentreAzimuth, view.CentreAltitude).toPoint();
        int band = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) band += isBand(image.pixel(at.x() + dx, at.y() + dy));
        if (p.band) EXPECT_GE(band, 20) << p.where;
        else EXPECT_EQ(band, 0) << p.where;
    }

    const int shift = kSize.width() / 2;
    int totalBand = 0;
    for (const ObserverState& s : {august, overhead, AtUT(50.836667, 12.854444, 2024, 9, 15, 20, 30),
                                   AtUT(-30, 20, 2024, 6, 1, 22, 0)}) {
        QImage views[4];
        for (int k = 0; k < 4; ++k) views[k] = chart.Redraw(kSize, s, options, -90.0 + 90 * k, lists);
        for (int k = 0; k < 4; ++k) {
            const QImage& a = views[k];
            const QImage& b = views[(k + 1) % 4];
            int bandPixels = 0, differing = 0;
            for (int y = 0; y < kSize.height() - 60; ++y)
                for (int x = shift + 2; x < kSize.width() - 2; ++x) {  // the edges rasterised apart
                    const QRgb pa = a.pixel(x, y), pb = b.pixel(x - shift, y);
                    bandPixels += isBand(pa);
                    differing += isBand(pa) != isBand(pb);
                }
            totalBand += bandPixels;
            EXPECT_LT(differing, bandPixels / 200 + 20) << k << " of " << s.Month;
        }
    }
    EXPECT_GT(totalBand, 100000);
}

}  // namespace
