#include <gtest/gtest.h>

#include <QImage>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "catalog/catalog.h"
#include "astro/core/constants.h"
#include "chart/bodies.h"
#include "chart/panels.h"
#include "chart/skychart.h"
#include "platform/language.h"
#include "platform/pictures.h"
#include "chart_test_util.h"
#include "support.h"

using namespace noctaris;
using namespace noctaris::test;
using noctaris::test::EquatorialOf;

namespace {

const QSize kSize(1029, 664);

QRgb Rgb(const QColor& c) { return c.rgb(); }
bool IsBlack(QRgb p) { return (p & 0xFFFFFF) == 0; }

int NonBlackIn(const QImage& img, QRect r) {
    int n = 0;
    r &= img.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += !IsBlack(img.pixel(x, y));
    return n;
}

// A small hand-made catalog with stars at chosen places of the chart.
struct TestSky {
    ObserverState state = Chemnitz();
    ChartFrame frame = MakeChartFrame(state, kSize.width(), kSize.height(), 0);
    Catalogs catalogs;

    // Adds a star at azimuth/altitude (degrees) of the view-0 frame; returns its 0-based index.
    int AddStar(double az, double alt, double magnitude, int spectralClass, const std::string& name) {
        double ra, dec;
        EquatorialOf(frame, az, alt, ra, dec);
        catalogs.stars.push_back({ra, dec, magnitude, static_cast<std::uint8_t>(spectralClass)});
        catalogs.starNames.push_back(MakeStarName(name, name));
        return static_cast<int>(catalogs.stars.size()) - 1;
    }
    QPoint Pixel(int star) const {
        int x = 0, y = 0;
        const StarRecord& s = catalogs.stars[star];
        EXPECT_TRUE(ProjectToScreen(frame, s.RightAscension, s.Declination, x, y));
        return {x, y};
    }
};

}  // namespace

TEST(SkyChart, StarsAreDiscsOrPixelsInTheirClassColour) {
    TestSky sky;
    const int disc = sky.AddStar(-30, 30, 4.0, 7, "Ori Alpha,Betelgeuse");
    const int dot = sky.AddStar(30, 30, 4.1, 2, "Xxx Beta");
    const int bright = sky.AddStar(-60, 40, -1.43, 3, "CMa Alpha,Sirius");
    const int faint = sky.AddStar(0, 40, 5.0, 3, "Xxx Gamma");  // magnitude 5: never drawn
    SkyChart chart(sky.catalogs);
    ChartObjectLists lists;
    const QImage img = chart.Redraw(kSize, sky.state, DisplayOptions{}, 0, lists);
    ASSERT_EQ(img.size(), kSize);

    const QPoint d = sky.Pixel(disc);
    const QRgb red = Rgb(StarClassColor(7));
    EXPECT_EQ(red, qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(d), red);
    EXPECT_EQ(img.pixel(d + QPoint(-1, 0)), red);
    EXPECT_EQ(img.pixel(d + QPoint(1, 0)), red);
    EXPECT_EQ(img.pixel(d + QPoint(0, -1)), red);
    EXPECT_EQ(img.pixel(d + QPoint(0, 1)), red);
    EXPECT_TRUE(IsBlack(img.pixel(d + QPoint(3, 0))));
    EXPECT_TRUE(IsBlack(img.pixel(d + QPoint(0, 3))));

    const QPoint p = sky.Pixel(dot);
    EXPECT_EQ(img.pixel(p), qRgb(192, 255, 255));
    EXPECT_EQ(NonBlackIn(img, QRect(p - QPoint(3, 3), QSize(7, 7))), 1);

    const QPoint b = sky.Pixel(bright);
    EXPECT_EQ(img.pixel(b + QPoint(1, 1)), qRgb(255, 255, 255));
    EXPECT_EQ(NonBlackIn(img, QRect(b - QPoint(4, 4), QSize(9, 9))), NonBlackIn(img, QRect(d - QPoint(4, 4), QSize(9, 9))));

    EXPECT_EQ(NonBlackIn(img, QRect(sky.Pixel(faint) - QPoint(3, 3), QSize(7, 7))), 0);

    // White stars: every disc white.
    DisplayOptions white;
    white.WhiteStars = true;
    const QImage w = chart.Redraw(kSize, sky.state, white, 0, lists);
    EXPECT_EQ(w.pixel(d), qRgb(255, 255, 255));
    EXPECT_EQ(w.pixel(p), qRgb(255, 255, 255));
}

// WCAG 2 contrast, worked out here from the published formula.
double WcagContrast(const QColor& a, const QColor& b) {
    const auto lum = [](const QColor& c) {
        const auto lin = [](int v) {
            const double x = v / 255.0;
            return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lin(c.red()) + 0.7152 * lin(c.green()) + 0.0722 * lin(c.blue());
    };
    const double la = lum(a), lb = lum(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(SkyChart, SmoothDrawingDiscsSkyAndContrast) {
    // Star discs grow with brightness: the light around each star, summed, rises with every
    // step up in magnitude, and the brightest gives clearly more than the faintest.
    TestSky sky;
    const double magnitudes[] = {4.5, 3.5, 2.5, 1.5, 0.5, -0.5, -1.4};
    std::vector<int> stars;
    for (int i = 0; i < 7; ++i) stars.push_back(sky.AddStar(-75 + 25 * i, 35, magnitudes[i], 3, "Xxx " + std::to_string(i)));
    SkyChart chart(sky.catalogs);
    ChartObjectLists lists;
    DisplayOptions smooth;
    smooth.SmoothDrawing = smooth.SkyColour = true;
    const QImage img = chart.Redraw(kSize, sky.state, smooth, 0, lists);
    std::vector<double> light;
    for (const int star : stars) {
        const QPoint c = sky.Pixel(star);
        double sum = 0;
        for (int y = c.y() - 8; y <= c.y() + 8; ++y)
            for (int x = c.x() - 8; x <= c.x() + 8; ++x) sum += qGray(img.pixel(x, y)) / 255.0;
        light.push_back(sum);
    }
    for (std::size_t i = 1; i < light.size(); ++i) EXPECT_GT(light[i], light[i - 1] * 1.1) << i;
    EXPECT_GT(light.back(), 8 * light.front());

    // The sky: blue at noon, black at midnight, a twilight between them.
    const auto skyAt = [&](int month, int day, int hour) {
        return QColor(chart.Redraw(kSize, Chemnitz(2024, month, day, hour, 0), smooth, 0, lists).pixel(500, 5));
    };
    const QColor noon = skyAt(6, 21, 13), midnight = skyAt(12, 21, 0), dusk = skyAt(12, 21, 17);
    EXPECT_GT(noon.blue(), 120);
    EXPECT_GT(noon.blue(), noon.red() + 60);
    EXPECT_GT(noon.blue(), noon.green() + 40);
    EXPECT_EQ(midnight.rgb(), qRgb(0, 0, 0));
    EXPECT_GT(dusk.blue(), 0);
    EXPECT_LT(dusk.blue(), noon.blue());
    EXPECT_GT(SunAltitude(chart.Frame()), -18);  // 17:00 in December: in twilight
    EXPECT_LT(SunAltitude(chart.Frame()), -6);

    // Every label and line colour at least 4.5:1 against the sky it is drawn on, from night to
    // day; equator, grid and borders told apart by hue.
    for (double altitude = -25; altitude <= 70; altitude += 0.5) {
        const ChartPalette p = SmoothPalette(SkyColour(altitude));
        std::vector<QColor> drawn = {p.borders, p.lines, p.ecliptic, p.zodiac, p.grid, p.equator,
                                     p.constellationNames, p.guide, p.bodyLabels};
        for (int c = 0; c <= 8; ++c) drawn.push_back(p.StarLabel(c));
        for (const QColor& c : drawn) EXPECT_GE(WcagContrast(c, p.sky), 4.5) << altitude << " " << c.name().toStdString();
        const QColor lines[] = {p.equator, p.grid, p.borders};
        for (int i = 0; i < 3; ++i)
            for (int j = i + 1; j < 3; ++j) {
                const int dh = std::abs(lines[i].hsvHue() - lines[j].hsvHue());
                EXPECT_GE(std::min(dh, 360 - dh), 30) << altitude << " " << i << " " << j;
            }
    }
}

TEST(SkyChart, StarLabelsFollowTheNameMode) {
    TestSky sky;
    const int a = sky.AddStar(-40, 30, 2.0, 7, "Aaa Alpha,Bright");
    const int b = sky.AddStar(20, 30, 3.0, 7, "Bbb Beta,Medium");
    const int c = sky.AddStar(60, 30, 4.5, 7, "Ccc Gamma,Faint");
    const int n = sky.AddStar(-10, 50, 1.0, 7, "CMi ,+5 1668");  // no label: starts with '+'
    SkyChart chart(sky.catalogs);
    ChartObjectLists lists;
    auto labelled = [&](const QImage& img, int star) {
        const QPoint p = sky.Pixel(star);
        return NonBlackIn(img, QRect(p + QPoint(3, 3), QSize(50, 14))) > 10;
    };
    DisplayOptions o;
    const int expected[5][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {0, 0, 0}};
    for (int mode = 0; mode <= 4; ++mode) {
        o.StarNameMode = mode == 4 ? 7 : mode;
        const QImage img = chart.Redraw(kSize, sky.state, o, 0, lists);
        EXPECT_EQ(labelled(img, a), expected[mode][0] != 0) << "mode " << o.StarNameMode;
        EXPECT_EQ(labelled(img, b), expected[mode][1] != 0) << "mode " << o.StarNameMode;
        EXPECT_EQ(labelled(img, c), expected[mode][2] != 0) << "mode " << o.StarNameMode;
        EXPECT_FALSE(labelled(img, n));
    }
    // With white stars the labels keep the class colour: red text has no green or blue.
    o.StarNameMode = 3;
    o.WhiteStars = true;
    const QImage img = chart.Redraw(kSize, sky.state, o, 0, lists);
    const QPoint p = sky.Pixel(a);
    int reddish = 0;
    for (int y = p.y() + 3; y < p.y() + 16; ++y)
        for (int x = p.x() + 3; x < p.x() + 50; ++x) {
            const QRgb px = img.pixel(x, y);
            EXPECT_EQ(qGreen(px), 0);
            EXPECT_EQ(qBlue(px), 0);
            reddish += qRed(px) > 0;
        }
    EXPECT_GT(reddish, 10);
}

// The vernacular names are the program's language's: Aries is the Ram on an English chart and
// the Widder on a German one, drawn exactly as that text would be.
TEST(SkyChart, ConstellationNamesInTheProgramsLanguage) {
    auto draw = [](const Constellation& c, int mode) {
        TestSky sky;
        double ra = 0, dec = 0;
        EquatorialOf(sky.frame, 20, 40, ra, dec);
        sky.catalogs.constellations = {c};
        sky.catalogs.constellations[0].labelRightAscension = ra;
        sky.catalogs.constellations[0].labelDeclination = dec;
        SkyChart chart(sky.catalogs);
        ChartObjectLists lists;
        DisplayOptions o;
        o.ConstellationNameMode = mode;
        return chart.Redraw(kSize, sky.state, o, 0, lists);
    };
    for (const auto& [language, name] : {std::pair{Language::English, "Ram"}, std::pair{Language::German, "Widder"}}) {
        ASSERT_TRUE(InstallLanguage(language));
        const Catalogs catalogs = Catalogs::Load(kCatalogConstellations);
        const int aries = catalogs.FindConstellation("Ari");
        ASSERT_GE(aries, 0);
        const Constellation& shipped = catalogs.constellations[static_cast<std::size_t>(aries)];
        Constellation written = shipped;
        written.latin = name;  // the Latin mode draws this text in the same place and font
        const QImage vernacular = draw(shipped, 1);
        EXPECT_EQ(vernacular, draw(written, 2)) << name;
        EXPECT_NE(vernacular, draw(shipped, 2)) << name;  // "Aries": the comparison can fail
    }
    InstallLanguage(Language::English);
}

TEST(SkyChart, StarHitListWithStarInformation) {
    TestSky sky;
    const int a = sky.AddStar(-40, 30, 2.0, 5, "Aaa Alpha,First");
    sky.AddStar(120, 30, 2.0, 5, "Bbb Beta,Behind");  // off the chart: no entry
    const int c = sky.AddStar(40, 10, 4.9, 5, "Ccc Gamma");
    SkyChart chart(sky.catalogs);
    ChartObjectLists lists;
    lists.stars.Add(1, 2, "stale");
    lists.bodies.Add(3, 4, "Venus");
    DisplayOptions o;
    chart.Redraw(kSize, sky.state, o, 0, lists);
    EXPECT_EQ(lists.bodies.Size(), 0u);  // always cleared
    EXPECT_EQ(lists.stars.Size(), 1u);   // left alone without star information

    o.ShowStarInfo = true;
    chart.Redraw(kSize, sky.state, o, 0, lists);
    ASSERT_EQ(lists.stars.Size(), 2u);
    lists.stars.Rewind();
    const QPoint pa = sky.Pixel(a), pc = sky.Pixel(c);
    EXPECT_EQ(lists.StarListNext(), std::to_string(pa.x()) + "\t" + std::to_string(pa.y()) + "\tAaa Alpha,First");
    EXPECT_EQ(lists.StarListNext(), std::to_string(pc.x()) + "\t" + std::to_string(pc.y()) + "\tCcc Gamma");
}

TEST(SkyChart, HorizonBandCaptionAndCompass) {
    TestSky sky;
    SkyChart chart(sky.catalogs);
    ChartObjectLists lists;
    const QImage img = chart.Redraw(kSize, sky.state, DisplayOptions{}, 0, lists);
    const int h = kSize.height();
    for (int y = h - 26; y < h; ++y) EXPECT_EQ(img.pixel(350, y), qRgb(240, 240, 240)) << y;
    EXPECT_TRUE(IsBlack(img.pixel(350, h - 27)));
    EXPECT_TRUE(IsBlack(img.pixel(350, h - 28)));

    // Dark ink in the band: the caption from x = 50, the letters "E", "S" and "W".
    auto inkColumns = [&](int x0, int x1, double& mean) {
        int n = 0;
        double sum = 0;
        for (int y = h - 24; y < h; ++y)
            for (int x = x0; x <= x1; ++x)
                if (qGray(img.pixel(x, y)) < 128) ++n, sum += x;
        mean = n ? sum / n : -1;
        return n;
    };
    double mean = 0;
    EXPECT_GT(inkColumns(50, 120, mean), 20);
    EXPECT_GT(inkColumns(490, 540, mean), 10);
    EXPECT_NEAR(mean, 514, 2.0);  // "S" centred at azimuth 0
    EXPECT_GT(inkColumns(0, 30, mean), 10);     // "E" near the left edge
    EXPECT_GT(inkColumns(990, 1028, mean), 10);  // "W" near the right edge
    EXPECT_EQ(inkColumns(400, 480, mean), 0);

    // Facing north, "N" is in the middle.
    const QImage n = chart.Redraw(kSize, sky.state, DisplayOptions{}, 180, lists);
    int ink = 0;
    double sum = 0;
    for (int y = h - 24; y < h; ++y)
        for (int x = 490; x <= 540; ++x)
            if (qGray(n.pixel(x, y)) < 128) ++ink, sum += x;
    ASSERT_GT(ink, 10);
    EXPECT_NEAR(sum / ink, 514, 2.0);
}

TEST(SkyChart, CaptionText) {
    ObserverState s = Chemnitz();
    s.Day = 6, s.Hour = 17, s.Minute = 1, s.Second = 41;
    {
        PinnedLocale pin(QLocale(QLocale::German, QLocale::Germany));
        // The clock's zone: standard time, or the place's legal clock.
        EXPECT_EQ(SkyChart::CaptionText(s), "Chemnitz, D, 06.12.2026 17:01:41 UTC+01:00");
        s.ConsiderSummerTime = true;
        EXPECT_EQ(SkyChart::CaptionText(s), "Chemnitz, D, 06.12.2026 17:01:41 CET");
        s.Month = 6, s.Day = 21, s.Hour = 0, s.Minute = 0, s.Second = 0;
        EXPECT_EQ(SkyChart::CaptionText(s), "Chemnitz, D, 21.06.2026 00:00:00 CEST");
        s.ConsiderSummerTime = false;
        EXPECT_EQ(SkyChart::CaptionText(s), "Chemnitz, D, 21.06.2026 00:00:00 UTC+01:00");
        // The day the clock goes back at 03:00 CEST: the zone of the moment, not of the day.
        s.ConsiderSummerTime = true;
        s.Month = 10, s.Day = 25, s.Hour = 0, s.Minute = 30;
        EXPECT_EQ(SkyChart::CaptionText(s), "Chemnitz, D, 25.10.2026 00:30:00 CEST");
        s.Hour = 3;
        EXPECT_EQ(SkyChart::CaptionText(s), "Chemnitz, D, 25.10.2026 03:30:00 CET");
        s.ConsiderSummerTime = false;
        s.Year = 812, s.Month = 1, s.Day = 2, s.Hour = 23, s.Minute = 59, s.Second = 59;
        EXPECT_EQ(SkyChart::CaptionText(s), "Chemnitz, D, 02.01.812 23:59:59 UTC+01:00");
        s.Year = 1582, s.Month = 10, s.Day = 10;  // not a day of the calendar: shown as set
        s.ConsiderSummerTime = true;
        EXPECT_EQ(SkyChart::CaptionText(s), "Chemnitz, D, 10.10.1582 23:59:59 UTC+01:00");
        // Sydney's summer is in December; in June its clock keeps standard time.
        s.PlaceName = "Sydney, AUS", s.TimeZone = 10, s.ZoneId = "Australia/Sydney";
        s.Year = 2026, s.Month = 12, s.Day = 6;
        EXPECT_EQ(SkyChart::CaptionText(s), "Sydney, AUS, 06.12.2026 23:59:59 AEDT");
        s.Month = 6;
        EXPECT_EQ(SkyChart::CaptionText(s), "Sydney, AUS, 06.06.2026 23:59:59 AEST");
    }
    {
        PinnedLocale pin(QLocale(QLocale::English, QLocale::UnitedStates));
        ObserverState e = Chemnitz();
        e.Day = 6, e.Hour = 17, e.Minute = 1, e.Second = 41;
        const QString text = SkyChart::CaptionText(e);
        EXPECT_TRUE(text.startsWith("Chemnitz, D, 06.12.2026 5:01:41")) << text.toStdString();
        EXPECT_TRUE(text.contains("PM")) << text.toStdString();
    }
}

TEST(SkyChart, RasterOperationsOnRgb32) {
    QImage dst(4, 1, QImage::Format_RGB32);
    dst.setPixel(0, 0, qRgb(0x12, 0x34, 0x56));
    dst.setPixel(1, 0, qRgb(0xF0, 0x0F, 0xAA));
    dst.setPixel(2, 0, qRgb(0, 0, 0));
    dst.setPixel(3, 0, qRgb(255, 255, 255));
    QImage src(4, 1, QImage::Format_RGB32);
    src.fill(qRgb(0x0F, 0xF0, 0x0F));
    QImage orImg = dst, andImg = dst;
    {
        QPainter p(&orImg);
        p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        p.drawImage(0, 0, src);
    }
    {
        QPainter p(&andImg);
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.drawImage(0, 0, src);
    }
    EXPECT_EQ(orImg.pixel(0, 0) & 0xFFFFFF, 0x1FF45Fu);
    EXPECT_EQ(orImg.pixel(1, 0) & 0xFFFFFF, 0xFFFFAFu);
    EXPECT_EQ(andImg.pixel(0, 0) & 0xFFFFFF, 0x023006u);
    EXPECT_EQ(andImg.pixel(3, 0) & 0xFFFFFF, 0x0FF00Fu);
    EXPECT_EQ(andImg.pixel(2, 0) & 0xFFFFFF, 0u);
}

TEST(SkyChart, HorizonFigureReplacesTheChartUnderTheLandscape) {
    TestSky sky;
    sky.frame = MakeChartFrame(sky.state, 400, 300, 0);
    const int star = sky.AddStar(10, 2, 1.0, 7, "Aaa Alpha");  // just above the horizon
    SkyChart chart(sky.catalogs);
    // Landscape (dark green) on the left half of the picture, from row 100 down.
    QImage picture(2000, 160, QImage::Format_RGB32), mask(2000, 160, QImage::Format_RGB32);
    picture.fill(Qt::white);
    mask.fill(Qt::black);
    for (int y = 100; y < 160; ++y)
        for (int x = 0; x < 200; ++x) {
            picture.setPixel(x, y, qRgb(0, 96, 0));
            mask.setPixel(x, y, qRgb(255, 255, 255));
        }
    chart.SetHorizonPictures(picture, mask);
    DisplayOptions o;
    o.ShowHorizonFigure = true;
    ChartObjectLists lists;
    const QImage img = chart.Redraw(QSize(400, 300), sky.state, o, 0, lists);
    const int top = 300 - 160;
    EXPECT_EQ(img.pixel(20, top + 120), qRgb(0, 96, 0));   // landscape
    EXPECT_EQ(img.pixel(150, top + 101), qRgb(0, 96, 0));
    EXPECT_TRUE(IsBlack(img.pixel(300, top + 120)));         // sky shows through
    EXPECT_TRUE(IsBlack(img.pixel(20, top + 50)));
    const QPoint p = sky.Pixel(star);
    ASSERT_GE(p.x(), 200);  // the star stands where there is no landscape
    EXPECT_EQ(img.pixel(p), qRgb(255, 0, 0));
    // No band is drawn with the figure on.
    EXPECT_NE(img.pixel(300, 299), qRgb(240, 240, 240));

    // Painted through the painter's raster operations (a surface larger than the chart) the
    // result is the same.
    QImage larger(400, 320, QImage::Format_RGB32);
    larger.fill(Qt::red);
    {
        QPainter painter(&larger);
        chart.paint(painter, QSize(400, 300), sky.state, o, 0, lists);
    }
    EXPECT_EQ(larger.copy(0, 0, 400, 300), img);

    // Without pictures the figure falls back to the plain band.
    SkyChart plain(sky.catalogs);
    const QImage band = plain.Redraw(QSize(400, 300), sky.state, o, 0, lists);
    EXPECT_EQ(band.pixel(300, 299), qRgb(240, 240, 240));
}

TEST(SkyChart, HorizonFigureSpansAChartWiderThanItsPicture) {
    TestSky sky;  // no stars: whatever is not black above the strip is landscape
    SkyChart chart(sky.catalogs);
    chart.SetHorizonPictures(LoadPicture("s36s"), LoadPicture("s37s"));
    ASSERT_TRUE(chart.HasHorizonPictures());
    DisplayOptions o;
    o.ShowHorizonFigure = true;
    ChartObjectLists lists;
    const QSize size(3000, 700);
    const int h = size.height();
    const QImage img = chart.Redraw(size, sky.state, o, 0, lists);
    ASSERT_EQ(img.size(), size);

    // The light strip under the caption runs to the last column, in every part of the width.
    int firstDark = -1;
    for (int x = 0; x < size.width() && firstDark < 0; ++x)
        if (qGray(img.pixel(x, h - 1)) <= 180) firstDark = x;
    EXPECT_EQ(firstDark, -1);
    // Landscape stands above the strip in each third of the chart, the right edge too.
    for (const int x0 : {0, 1000, 2000, 2700}) {
        const int n = NonBlackIn(img, QRect(x0, h - 120, 300, 90));
        EXPECT_GT(n, 1500) << x0;
    }
    // "W" (azimuth 90 at the right edge) in dark ink on the strip.
    int ink = 0;
    for (int y = h - 24; y < h; ++y)
        for (int x = 2950; x < 3000; ++x) ink += qGray(img.pixel(x, y)) < 100 && qGray(img.pixel(x, h - 1)) > 180;
    EXPECT_GT(ink, 10);

    // Through the painter's raster operations (a larger surface) the result is the same.
    QImage larger(3000, 720, QImage::Format_RGB32);
    larger.fill(Qt::red);
    {
        QPainter painter(&larger);
        chart.paint(painter, size, sky.state, o, 0, lists);
    }
    EXPECT_EQ(larger.copy(QRect(QPoint(0, 0), size)), img);
}

TEST(SkyChart, ConstellationLinesBreakWhereThePointsLeaveTheChart) {
    TestSky sky;
    auto add = [&](double az, double alt, bool penUp) {
        double ra, dec;
        EquatorialOf(sky.frame, az, alt, ra, dec);
        sky.catalogs.constellationLines.push_back({ra, dec, penUp});
    };
    add(-20, 30, true);
    add(20, 30, false);   // a visible stroke across the middle
    add(170, 30, true);   // behind the observer, both ends off the chart:
    add(-170, 30, false); // the stroke must not cross the chart
    SkyChart chart(sky.catalogs);
    DisplayOptions o;
    o.ShowConstellationLines = true;
    ChartObjectLists lists;
    const QImage img = chart.Redraw(kSize, sky.state, o, 0, lists);
    int x1, y1, x2, y2;
    ProjectToScreen(sky.frame, sky.catalogs.constellationLines[0].ra, sky.catalogs.constellationLines[0].dec, x1, y1);
    ProjectToScreen(sky.frame, sky.catalogs.constellationLines[1].ra, sky.catalogs.constellationLines[1].dec, x2, y2);
    EXPECT_EQ(img.pixel(x1, y1), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(x2, y2), qRgb(255, 0, 0));
    int red = 0;
    for (int y = 0; y < kSize.height(); ++y)
        for (int x = 0; x < kSize.width(); ++x) red += img.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GE(red, x2 - x1);
    EXPECT_LE(red, x2 - x1 + 3 * std::abs(y2 - y1) + 2);  // nothing but the one stroke
}

TEST(SkyChart, HooksRunAtTheirPlacesInTheOrder) {
    TestSky sky;
    SkyChart chart(sky.catalogs);
    std::vector<std::string> calls;
    QColor fontAtBodies;
    chart.drawBodies = [&](ChartContext& c) {
        calls.push_back("bodies");
        fontAtBodies = c.canvas.FontColor();
        c.lists.BodyListAdd("10\t20\tMars");
    };
    chart.drawPanels = [&](ChartContext& c) {
        calls.push_back("panels");
        c.canvas.Painter().fillRect(QRect(0, c.frame.Height - 26, c.frame.Width, 26), QColor(255, 0, 255));
    };
    chart.afterPaint = [&](ChartContext&) { calls.push_back("windows"); };
    ChartObjectLists lists;
    DisplayOptions o;
    o.ShowZodiac = true;  // leaves the font blue until the bodies set it white
    const QImage img = chart.Redraw(kSize, sky.state, o, 0, lists);
    EXPECT_EQ(calls, (std::vector<std::string>{"bodies", "panels", "windows"}));
    EXPECT_EQ(fontAtBodies, QColor(Qt::white));
    EXPECT_EQ(lists.bodies.Size(), 1u);
    // Panels come after the caption and compass letters and cover them.
    for (int x = 0; x < kSize.width(); x += 7) EXPECT_EQ(img.pixel(x, kSize.height() - 15), qRgb(255, 0, 255));
}

TEST(SkyChart, ShippedCatalogAllSwitches) {
    static const Catalogs catalogs = Catalogs::LoadAll();
    const ObserverState s = Chemnitz();
    SkyChart chart(catalogs);
    ChartObjectLists lists;

    // Betelgeuse stands in the south-east at 21:30 in December, in its class colour.
    int betelgeuse = -1;
    for (std::size_t i = 0; i < catalogs.starNames.size(); ++i)
        if (catalogs.starNames[i].raw.rfind("Ori Alpha", 0) == 0) betelgeuse = static_cast<int>(i);
    ASSERT_GE(betelgeuse, 0);
    const StarRecord& star = catalogs.stars[betelgeuse];
    const QImage img = chart.Redraw(kSize, s, DisplayOptions{}, 0, lists);
    int x = 0, y = 0;
    ASSERT_TRUE(ProjectToScreen(chart.Frame(), star.RightAscension, star.Declination, x, y));
    EXPECT_LT(x, 514);                 // east of south
    EXPECT_LT(y, 636 - 664 * 10 / 75); // well above the horizon
    EXPECT_EQ(img.pixel(x, y), Rgb(StarClassColor(star.SpectralClass)));

    DisplayOptions all;
    all.ShowEcliptic = all.ShowEquator = all.ShowGrid = all.ShowMeridian = all.ShowAltitudeLines = true;
    all.ShowMoon = all.ShowHorizonFigure = all.ShowConstellationLines = true;
    all.ShowConstellationBorders = all.ShowStarInfo = all.ShowZodiac = true;
    all.StarNameMode = 3;
    const int w = kSize.width(), h = kSize.height();
    const QRgb grey = qRgb(128, 128, 128), yellow = qRgb(255, 255, 0);
    std::vector<std::pair<double, double>> ecliptic, equator;
    for (int l = -10; l <= 368; l += 3)  // the chart's ecliptic: 23 degrees of declination
        ecliptic.emplace_back(l * kDegree, 0.4014257279586958 * std::sin(l * kDegree));
    for (int ra = 0; ra <= 360; ra += 4) equator.emplace_back(ra * kDegree, 0.0);
    int linesSeen = 0;
    for (double az : {-180.0, -90.0, 0.0, 45.5, 180.0}) {
        QImage byMode[4];
        for (int mode = 0; mode <= 3; ++mode) {
            all.ConstellationNameMode = mode;
            byMode[mode] = chart.Redraw(kSize, s, all, az, lists);
            ASSERT_EQ(byMode[mode].size(), kSize);
        }
        const QImage& full = byMode[1];
        const ChartFrame& f = chart.Frame();
        // The meridian runs down through the south and the north point, wherever the view
        // turns them; the altitude lines across, the band at the foot.
        int meridians = 0;
        for (const double point : {0.0, 180.0}) {
            const int x = static_cast<int>(std::nearbyint(AzimuthToScreenX(f, point)));
            if (x < 0 || x >= w) continue;
            ++meridians;
            EXPECT_EQ(full.pixel(x, 2), grey) << az << " " << point;
            // The compass letter below stands on the line: its ink centred on the column (clear
            // of the caption on the left and of the edge).
            int ink = 0;
            double sum = 0;
            for (int y = h - 24; y < h; ++y)
                for (int c = std::max(0, x - 12); c <= std::min(w - 1, x + 12); ++c)
                    if (qGray(full.pixel(c, y)) < 128) ++ink, sum += c;
            if (x > 350 && x < w - 16) {
                EXPECT_GT(ink, 10) << az << " " << point;
                EXPECT_NEAR(sum / ink, x, 2.0) << az << " " << point;
            }
        }
        EXPECT_GE(meridians, 1) << az;
        for (int i = 1; i <= 5; ++i) {
            const int row = AltitudeContourRow(f, i);
            if (row < 0 || row >= h) continue;  // 75 degrees can lie above the top
            EXPECT_EQ(full.pixel(3, row), grey) << az << " " << 15 * i;
        }
        EXPECT_EQ(full.pixel(f.CenterX + 7, h - 25), qRgb(240, 240, 240)) << az;
        // The ecliptic and the equator run through their vertices in their colours.
        auto share = [&](const std::vector<std::pair<double, double>>& points, QRgb colour) {
            int hits = 0, onChart = 0;
            for (const auto& [ra, dec] : points) {
                int x = 0, y = 0;
                if (!ProjectToScreen(f, ra, dec, x, y) || x < 0 || x >= w || y < 0 || y >= h - 40) continue;
                ++onChart;
                hits += full.pixel(x, y) == colour;
            }
            if (onChart < 3) return 1.0;  // below the horizon in this direction
            ++linesSeen;
            return double(hits) / onChart;
        };
        EXPECT_GE(share(ecliptic, yellow), 0.7) << az;
        EXPECT_GE(share(equator, qRgb(0, 0, 160)), 0.7) << az;
        // Constellation figures are drawn in red.
        int red = 0;
        for (int y = 0; y < h - 40; ++y)
            for (int x = 0; x < w; ++x) red += full.pixel(x, y) == qRgb(255, 0, 0);
        EXPECT_GT(red, 300) << az;
        // Every bright star on the chart keeps its class colour in the core of its disc.
        for (const StarRecord& star : catalogs.stars) {
            int x = 0, y = 0;
            if (!(star.Magnitude < 2) || !ProjectToScreen(f, star.RightAscension, star.Declination, x, y) ||
                x < 2 || x >= w - 2 || y < 2 || y >= h - 40)
                continue;
            int core = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) core += full.pixel(x + dx, y + dy) == Rgb(StarClassColor(star.SpectralClass));
            EXPECT_GE(core, 3) << az << " star at " << x << "," << y;
        }
        // The name mode writes the constellation names in yellow at their label places: none
        // in mode 0, and each mode its own text.
        int labelled = 0;
        for (const Constellation& c : catalogs.constellations) {
            int x = 0, y = 0;
            if (!ProjectToScreen(f, c.labelRightAscension, c.labelDeclination, x, y) || x < 0 ||
                x >= w - 80 || y < 0 || y >= h - 60)
                continue;
            const QRect box(x + 4, y + 4, 70, 16);
            auto yellowIn = [&](const QImage& img) {  // text is smoothed: yellowish pixels
                int n = 0;
                for (int yy = box.top(); yy <= box.bottom(); ++yy)
                    for (int xx = box.left(); xx <= box.right(); ++xx) {
                        const QRgb p = img.pixel(xx, yy);
                        n += qRed(p) >= 100 && qGreen(p) >= 100 && qBlue(p) <= 40;
                    }
                return n;
            };
            const int none = yellowIn(byMode[0]);
            for (int mode = 1; mode <= 3; ++mode)
                EXPECT_GT(yellowIn(byMode[mode]), none + 5) << az << " " << c.latin << " mode " << mode;
            EXPECT_NE(byMode[1].copy(box), byMode[3].copy(box)) << c.latin;  // name and abbreviation
            ++labelled;
        }
        EXPECT_GE(labelled, 5) << az;
    }
    EXPECT_GE(linesSeen, 6);  // ecliptic and equator checked in most directions
    EXPECT_GT(lists.stars.Size(), 300u);
    // Odd and tiny surfaces are drawn without trouble.
    for (QSize size : {QSize(1, 1), QSize(17, 9), QSize(300, 40), QSize(2500, 300)})
        EXPECT_EQ(chart.Redraw(size, s, all, 0, lists).size(), size);
    EXPECT_TRUE(chart.Redraw(QSize(0, 10), s, all, 0, lists).isNull());
}

TEST(SkyChart, SmoothLabelsNeverOverlapNorCoverTheCaption) {
    // Orion high in the south, every star and constellation named, the Moon and planets on: a
    // crowded chart, whole and zoomed in on the belt.
    const Catalogs& catalogs = SharedCatalogs();
    SkyChart chart(catalogs);
    ChartBodies bodies;
    bodies.InstallOn(chart);
    ChartObjectLists lists;
    DisplayOptions o;
    o.SmoothDrawing = o.SkyColour = true;
    o.StarNameMode = 3;
    o.ConstellationNameMode = 1;
    o.ShowMoon = o.ShowConstellationLines = true;
    const ObserverState state = Chemnitz(2024, 1, 15, 22, 0);
    ViewState zoomed;
    zoomed.HorizontalSpan = 40;
    zoomed.CentreAltitude = 35;
    for (const ViewState& view : {ViewState{}, zoomed}) {
        chart.Redraw(kSize, state, o, view, lists);
        const std::vector<QRect>& r = chart.PlacedLabels();
        EXPECT_GT(r.size(), view.HorizontalSpan < 180 ? 10u : 100u);
        for (std::size_t i = 0; i < r.size(); ++i)
            for (std::size_t j = i + 1; j < r.size(); ++j)
                EXPECT_FALSE(r[i].intersects(r[j])) << view.HorizontalSpan << ": " << i << " " << j;
    }

    // A view that puts the south point on the caption: no compass letter over it.
    const ChartFonts fonts;
    const int captionEnd = 50 + fonts.Metrics(ChartFont::Small).horizontalAdvance(SkyChart::CaptionText(state));
    for (const double azimuth : {-64.0, 64.0}) {
        chart.Redraw(kSize, state, o, azimuth, lists);
        for (const SkyChart::CompassMark& m : chart.CompassMarks())
            EXPECT_TRUE(m.x > captionEnd || m.x + 16 < 50) << azimuth << " " << m.letter.toStdString() << " " << m.x;
    }
}

TEST(SkyChart, NightAndWhiteSchemes) {
    // Every switch on, the Sun, Moon, planets and both panels with their coloured pictures, the
    // landscape: night vision leaves no green or blue anywhere, paper has a white sky with dark
    // stars, and the screen's picture comes back exactly afterwards.
    static const Catalogs catalogs = Catalogs::LoadAll();
    const ObserverState s = Chemnitz(2024, 12, 21, 17, 0);  // twilight: a coloured sky on screen
    SkyChart chart(catalogs);
    ChartBodies bodies;
    bodies.InstallOn(chart);
    ChartPanels panels;
    panels.InstallOn(chart);
    chart.SetHorizonPictures(LoadPicture("s36s"), LoadPicture("s37s"));
    ChartObjectLists lists;
    DisplayOptions all;
    all.ShowEcliptic = all.ShowEquator = all.ShowGrid = all.ShowMeridian = all.ShowAltitudeLines = true;
    all.ShowMoon = all.ShowHorizonFigure = all.ShowConstellationLines = all.ShowConstellationBorders = true;
    all.ShowZodiac = all.ShowJupiterMoons = all.ShowVenusPhase = true;
    all.StarNameMode = 3;
    all.ConstellationNameMode = 1;
    all.SmoothDrawing = all.SkyColour = true;
    const QImage before = chart.Redraw(kSize, s, all, -60, lists);

    DisplayOptions night = all;
    night.Scheme = ChartScheme::Night;
    for (const bool smooth : {true, false}) {
        night.SmoothDrawing = smooth;
        const QImage img = chart.Redraw(kSize, s, night, -60, lists);
        int lit = 0, worst = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y);
                worst = std::max({worst, qGreen(p), qBlue(p)});
                lit += qRed(p) > 60;
            }
        EXPECT_LE(worst, 8) << smooth;
        EXPECT_GT(lit, 2000) << smooth;  // stars, lines and names are there, in red
        EXPECT_EQ(img.pixel(500, 5), qRgb(0, 0, 0));
    }

    DisplayOptions white = all;
    white.Scheme = ChartScheme::White;
    white.ShowConstellationLines = white.ShowConstellationBorders = white.ShowGrid = false;
    white.StarNameMode = white.ConstellationNameMode = 0;
    const QImage paper = chart.Redraw(kSize, s, white, -60, lists);
    EXPECT_EQ(paper.pixel(500, 5), qRgb(255, 255, 255));
    int stars = 0;
    for (const StarRecord& star : catalogs.stars) {
        int x = 0, y = 0;
        if (!(star.Magnitude < 2) || !ProjectToScreen(chart.Frame(), star.RightAscension, star.Declination, x, y) ||
            x < 2 || x >= kSize.width() - 2 || y < 2 || y >= kSize.height() - 120)
            continue;
        EXPECT_LT(qGray(paper.pixel(x, y)), 90) << x << "," << y;
        ++stars;
    }
    EXPECT_GE(stars, 5);

    EXPECT_EQ(chart.Redraw(kSize, s, all, -60, lists), before);

    // Every pixel is opaque, in every scheme and drawing: the window's buffer the chart paints
    // may be premultiplied ARGB, where the fourth byte is seen (a compositor would show holes).
    const auto opaque = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(line[x]) != 255) return false;
        }
        return true;
    };
    DisplayOptions deep = all;
    deep.ShowDeepSky = deep.ShowMilkyWay = true;
    for (const ChartScheme scheme : {ChartScheme::Screen, ChartScheme::Night, ChartScheme::White})
        for (const bool smooth : {true, false}) {
            deep.Scheme = scheme;
            deep.SmoothDrawing = smooth;
            EXPECT_TRUE(opaque(chart.Redraw(kSize, s, deep, -60, lists))) << int(scheme) << smooth;
        }
}

TEST(SkyChart, AScaledScreensTargetGetsTheChartAtItsFullResolution) {
    // A window on a screen scaled by 2 hands the chart an image with that pixel ratio: the chart
    // fills all of it at twice the detail, in the same coordinates (clicks, labels), and keeps
    // the image rather than making a small one.
    static const Catalogs catalogs = Catalogs::LoadAll();
    const ObserverState s = Chemnitz();
    SkyChart chart(catalogs);
    ChartBodies bodies;
    bodies.InstallOn(chart);
    chart.SetHorizonPictures(LoadPicture("s36s"), LoadPicture("s37s"));
    ChartObjectLists lists;
    DisplayOptions options;
    options.ShowHorizonFigure = options.ShowConstellationLines = true;
    for (const bool smooth : {false, true}) {
        options.SmoothDrawing = smooth;
        const QImage plain = chart.Redraw(kSize, s, options, 0, lists);
        QImage sharp(kSize * 2, QImage::Format_RGB32);
        sharp.setDevicePixelRatio(2);
        const uchar* const memory = sharp.constBits();
        chart.Redraw(sharp, kSize, s, options, 0, lists);
        ASSERT_EQ(sharp.constBits(), memory) << smooth;
        ASSERT_EQ(sharp.size(), kSize * 2);
        EXPECT_EQ(chart.Frame().Width, kSize.width());

        // The bright stars where the plain chart has them, at twice the coordinates.
        int stars = 0;
        for (const StarRecord& star : catalogs.stars) {
            int x = 0, y = 0;
            if (!(star.Magnitude < 2) || !ProjectToScreen(chart.Frame(), star.RightAscension, star.Declination, x, y) ||
                x < 4 || y < 4 || x >= kSize.width() - 4 || y >= kSize.height() - 140)
                continue;
            if (qGray(plain.pixel(x, y)) < 60) continue;  // behind a label or the landscape
            int brightest = 0;
            for (int dy = -1; dy <= 2; ++dy)
                for (int dx = -1; dx <= 2; ++dx) brightest = std::max(brightest, qGray(sharp.pixel(2 * x + dx, 2 * y + dy)));
            EXPECT_GE(brightest, 60) << smooth << " " << x << "," << y;
            ++stars;
        }
        EXPECT_GE(stars, 8) << smooth;
        // The ground and the caption strip at the foot, across the whole width.
        EXPECT_EQ(sharp.pixel(2 * kSize.width() - 3, 2 * kSize.height() - 3), plain.pixel(kSize.width() - 2, kSize.height() - 2))
            << smooth;
    }
}
