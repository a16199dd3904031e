#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "astro/time/sidereal.h"
#include "astro/time/timebase.h"
#include "chart/projection.h"
#include "chart/view.h"
#include "chart_test_util.h"
#include "support.h"

using namespace noctaris;
using namespace noctaris::test;
using noctaris::test::EquatorialOf;

namespace {

}  // namespace

TEST(ChartFrame, ScaleOfTheDesignSize) {
    const ChartFrame f = MakeChartFrame(Chemnitz(), 1029, 664, 0);
    EXPECT_EQ(f.CenterX, 514);
    EXPECT_NEAR(f.PixelsPerDegree, 5.7111, 1e-4);
    EXPECT_EQ(AltitudeContourRow(f, 2), 370);  // 30°: Round(636 - 265.6)
    EXPECT_EQ(AltitudeContourRow(f, 1), 503);  // 636 - 132.8
    EXPECT_EQ(AltitudeContourRow(f, 5), -28);  // 75°: above the top row
    // The inverse mappings undo the projection's scale.
    EXPECT_NEAR(ScreenYToAltitude(f, 636), 0.0, 1e-12);
    EXPECT_NEAR(ScreenYToAltitude(f, 370) * 180 / std::numbers::pi, 30.0, 75.0 / 664);
    EXPECT_DOUBLE_EQ(ScreenXToAzimuth(f, 514), 0.0);
    EXPECT_NEAR(ScreenXToAzimuth(f, 514 + 514), 90.0, 1e-9);
    const ChartFrame odd = MakeChartFrame(Chemnitz(), 7, 100, 30);
    EXPECT_EQ(odd.CenterX, 3);
    EXPECT_DOUBLE_EQ(ScreenXToAzimuth(odd, 3), 30.0);
}

TEST(ChartFrame, SummerTimeIsTheSameSkyAnHourEarlier) {
    ObserverState s = Chemnitz();
    s.Month = 6;
    s.Day = 21;
    s.Hour = 21;
    const ChartFrame standard = MakeChartFrame(s, 800, 600, 0);
    s.ConsiderSummerTime = true;
    const ChartFrame summer = MakeChartFrame(s, 800, 600, 0);
    // The same clock reading names the instant an hour earlier: the Sun's hour of UT and a
    // little more of sidereal time (a solar hour is 1.0027379 sidereal hours).
    EXPECT_NEAR(standard.JulianDay - summer.JulianDay, 1.0 / 24, 1e-9);
    EXPECT_NEAR(standard.SiderealAngle - summer.SiderealAngle,
                static_cast<double>(kSiderealPerSolar) * std::numbers::pi / 12, 1e-9);
    // 21:00 summer time is 20:00 standard time: one and the same frame.
    ObserverState w = s;
    w.ConsiderSummerTime = false;
    w.Hour = 20;
    const ChartFrame same = MakeChartFrame(w, 800, 600, 0);
    EXPECT_EQ(summer.JulianDay, same.JulianDay);
    EXPECT_EQ(summer.SiderealAngle, same.SiderealAngle);

    s.Month = 12;
    w.Month = 12;
    w.Hour = 21;
    EXPECT_EQ(MakeChartFrame(s, 800, 600, 0).SiderealAngle, MakeChartFrame(w, 800, 600, 0).SiderealAngle);
}

TEST(ChartFrame, JulianDayAndSiderealTime) {
    ObserverState s;
    s.Year = 2000, s.Month = 1, s.Day = 1, s.Hour = 12;  // Greenwich, UT
    const ChartFrame f = MakeChartFrame(s, 100, 100, 0);
    EXPECT_DOUBLE_EQ(f.JulianDay, 2451545.0);
    EXPECT_NEAR(f.SiderealAngle * 12 / std::numbers::pi, 18.6973745583, 1e-9);
    // The zone shifts the Julian day of the displayed local moment.
    const ObserverState c = Chemnitz();
    EXPECT_NEAR(MakeChartFrame(c, 100, 100, 0).JulianDay, 2461381.5 + 20.5 / 24, 1e-9);
}

TEST(ProjectToScreen, AzimuthWrapsAroundTheViewCentre) {
    const ObserverState s = Chemnitz();
    const ChartFrame north = MakeChartFrame(s, 1029, 664, 180);
    double ra, dec;
    int x = -1, y = -1;

    EquatorialOf(north, 180, 20, ra, dec);  // due north
    EXPECT_TRUE(ProjectToScreen(north, ra, dec, x, y));
    EXPECT_EQ(x, north.CenterX);
    EXPECT_EQ(y, static_cast<int>(std::nearbyint(636 - 664 * 20 / 75.0)));

    EquatorialOf(north, 0, 20, ra, dec);  // due south: half a chart width off to the left
    EXPECT_FALSE(ProjectToScreen(north, ra, dec, x, y));
    EXPECT_EQ(x, 514 - 1028);

    EquatorialOf(north, -90, 10, ra, dec);  // east: -270 wraps to +90, the right edge
    EXPECT_TRUE(ProjectToScreen(north, ra, dec, x, y));
    EXPECT_EQ(x, 2 * north.CenterX);

    const ChartFrame east = MakeChartFrame(s, 1029, 664, -90);
    EquatorialOf(east, 135, 10, ra, dec);  // 225° from the centre wraps to -135
    EXPECT_FALSE(ProjectToScreen(east, ra, dec, x, y));
    EXPECT_EQ(x, static_cast<int>(std::nearbyint(-135 * east.PixelsPerDegree + 514)));

    // Placeable within ten pixels of the surface; the pixel is reported either way.
    const ChartFrame south = MakeChartFrame(s, 1029, 664, 0);
    EquatorialOf(south, 0, -75.0 * 37 / 664, ra, dec);  // 37 rows below the horizon: y = 673
    EXPECT_TRUE(ProjectToScreen(south, ra, dec, x, y));
    EXPECT_EQ(y, 673);
    EquatorialOf(south, 0, -75.0 * 38 / 664, ra, dec);  // y = 674 = H + 10
    EXPECT_FALSE(ProjectToScreen(south, ra, dec, x, y));
    EXPECT_EQ(y, 674);
}

TEST(ProjectToScreen, UndefinedPointsLeaveThePixelAlone) {
    ObserverState pole;
    pole.Latitude = 90;
    const ChartFrame f = MakeChartFrame(pole, 400, 300, 0);
    int x = 12345, y = 54321;
    // A NaN position must never reach the surface.
    EXPECT_FALSE(ProjectToScreen(f, std::nan(""), 0.3, x, y));
    EXPECT_EQ(x, 12345);
    EXPECT_EQ(y, 54321);
}

TEST(PolylinePen, BreaksAtEveryPointThatCannotBePlaced) {
    PolylinePen pen;
    // placeable: T T F T T  -> move, line, move (to the unplaceable point), line, line
    const bool placeable[] = {true, true, false, true, true};
    const bool expected[] = {false, true, false, true, true};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(pen.Step(placeable[i]), expected[i]) << i;
    pen.Lift();  // a separator of the catalog
    EXPECT_FALSE(pen.Step(true));
    EXPECT_FALSE(pen.Step(false));
    EXPECT_FALSE(pen.Step(false));
    EXPECT_TRUE(pen.Step(true));
}

TEST(ViewState, ZoomKeepsThePointUnderTheMouseWithinTheLimits) {
    const int w = 1029, h = 664;
    const auto skyAt = [&](const ViewState& v, int x, int y) {
        const ChartFrame f = ViewGeometry(v, w, h);
        return std::pair{ScreenXToAzimuth(f, x), ScreenYToAltitude(f, y) * 180 / std::numbers::pi};
    };
    // In by wheel notches about a point off the middle: the sky under it stays, until 5 degrees.
    ViewState v;
    v.CentreAzimuth = 30;
    const auto [az0, alt0] = skyAt(v, 700, 300);
    for (int i = 0; i < 15; ++i) {
        v = ZoomedAbout(v, 1.25, 700, 300, w, h);
        const auto [az, alt] = skyAt(v, 700, 300);
        EXPECT_NEAR(az, az0, 1e-9) << i;
        EXPECT_NEAR(alt, alt0, 1e-9) << i;
    }
    EXPECT_LT(v.HorizontalSpan, 10);
    for (int i = 0; i < 10; ++i) v = ZoomedAbout(v, 1.25, 700, 300, w, h);
    EXPECT_EQ(v.HorizontalSpan, ViewState::kNarrowestSpan);
    // Out all the way: today's chart, turned by whole degrees.
    for (int i = 0; i < 30; ++i) v = ZoomedAbout(v, 0.8, 100, 600, w, h);
    EXPECT_EQ(v.HorizontalSpan, 180);
    EXPECT_FALSE(v.CentreAltitude);
    EXPECT_EQ(v.CentreAzimuth, std::nearbyint(v.CentreAzimuth));

    // Looking up stops with the zenith at the top edge, looking down 20 degrees below the
    // horizon at the bottom edge; a view faces what it is turned to.
    for (const double span : {180.0, 40.0, 5.0}) {
        const ViewState up = LookAt(ViewState{}, -170, 90, span);
        EXPECT_NEAR(skyAt(up, w / 2, 0).second, 90, 1e-9) << span;
        const ViewState down = LookAt(ViewState{}, 0, -90, span);
        EXPECT_NEAR(skyAt(down, w / 2, h).second, -20, 1e-9) << span;
        const ViewState at = LookAt(ViewState{}, 123.5, 40, span);
        EXPECT_NEAR(skyAt(at, w / 2, 0).first, 123.5, 1e-9);
        EXPECT_NEAR(CentreAltitudeOf(at, h), 40, 1e-12);
        EXPECT_NEAR(skyAt(at, w / 2, h / 2).second, 40 + (75 * span / 180) / h / 2 * (h % 2), 1e-9);
    }
    // The default view's centre altitude is where today's chart has it.
    EXPECT_NEAR(CentreAltitudeOf(ViewState{}, h), skyAt(ViewState{}, 0, h / 2).second, 1e-9);
}
