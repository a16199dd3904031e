#include <gtest/gtest.h>

#include <cmath>

#include <QImage>
#include <QLocale>

#include "astro/theories/moonseries.h"
#include "astro/theories/physical.h"
#include "catalog/catalog.h"
#include "chart/panels.h"
#include "chart/skychart.h"
#include "support.h"

using namespace noctaris;
using namespace noctaris::test;

namespace {

const QSize kSize(1029, 664);
const QRgb kYellow = qRgb(255, 255, 0);

const Catalogs& NoStars() {
    static const Catalogs c;
    return c;
}

ChartPanels& SharedPanels() {
    static ChartPanels panels;
    return panels;
}

QImage Render(const ObserverState& st, bool jupiter, bool venus) {
    SkyChart chart(NoStars());
    SharedPanels().InstallOn(chart);
    DisplayOptions o;
    o.ShowJupiterMoons = jupiter;
    o.ShowVenusPhase = venus;
    ChartObjectLists lists;
    return chart.Redraw(kSize, st, o, 0, lists);
}

bool Same(const QImage& a, const QImage& b, QRect r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

int CountColour(const QImage& img, QRgb c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
    return n;
}

const ChartFonts& Fonts() {
    static const ChartFonts fonts;
    return fonts;
}

// Share of the full disc's pixels that stay yellow for a phase angle (chi 90: the cusps at the
// top and bottom).
double LitShare(double phaseAngle, double diameter = 40) {
    const int full = CountColour(RenderVenusPanel(Fonts(), 90, 0, -4, diameter), kYellow);
    const int lit = CountColour(RenderVenusPanel(Fonts(), 90, phaseAngle, -4, diameter), kYellow);
    return static_cast<double>(lit) / full;
}

}  // namespace

TEST(JupiterPanel, OnlyFrom1900To2100) {
    EXPECT_FALSE(JupiterPanelYearShown(1899));
    EXPECT_TRUE(JupiterPanelYearShown(1900));
    EXPECT_TRUE(JupiterPanelYearShown(2100));
    EXPECT_FALSE(JupiterPanelYearShown(2101));

    const QRect panel(0, 0, 321, 61);
    for (int year : {1899, 2101}) {
        const ObserverState st = Chemnitz(year);
        EXPECT_TRUE(Same(Render(st, true, false), Render(st, false, false), panel)) << year;
    }
    for (int year : {1900, 2100}) {
        const QImage img = Render(Chemnitz(year), true, false);
        EXPECT_EQ(img.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu) << year;      // the white frame
        EXPECT_EQ(img.pixel(319, 59) & 0xFFFFFF, 0xFFFFFFu) << year;
        EXPECT_NE(img.pixel(155, 25) & 0xFFFFFF, 0u) << year;          // Jupiter's picture
    }
}

TEST(JupiterPanel, MoonMarksAndHiding) {
    // In front of or beyond the disc's rows: drawn; behind and within 9 pixels: hidden.
    EXPECT_TRUE(JupiterMoonMarkOf({0.5, 0, 1.0}).Hidden);
    EXPECT_TRUE(JupiterMoonMarkOf({1.6, 0, 0.0}).Hidden);     // X = Round(151.2) = 151
    EXPECT_FALSE(JupiterMoonMarkOf({1.8, 0, 0.0}).Hidden);    // X = 150
    EXPECT_TRUE(JupiterMoonMarkOf({-1.6, 0, 0.0}).Hidden);    // X = 169
    EXPECT_FALSE(JupiterMoonMarkOf({-1.8, 0, 0.0}).Hidden);   // X = 170
    EXPECT_TRUE(JupiterMoonMarkOf({0, 0, -0.09}).Hidden);     // Round(25.495) = 25
    EXPECT_FALSE(JupiterMoonMarkOf({0, 0, -0.1}).Hidden);     // Round(25.55) = 26: over the disc
    const JupiterMoonMark m = JupiterMoonMarkOf({-10, 0.5, 3});
    EXPECT_EQ(m.X, 215);
    EXPECT_EQ(m.Y, 28);

    // The moons of a real evening stand at their marks in their colours.
    const ObserverState st = Chemnitz();
    const QImage img = Render(st, true, false);
    const GalileanMoonPositions moons =
        GalileanMoons(Instant::FromUT(MakeChartFrame(st, kSize.width(), kSize.height(), 0).JulianDay));
    int drawn = 0;
    for (int i = 0; i < 4; ++i) {
        const JupiterMoonMark mark = JupiterMoonMarkOf(moons[i]);
        if (mark.Hidden || mark.X < 5 || mark.X > 315) continue;
        bool anyMoonColour = false;
        for (QRgb c : kJupiterMoonColours) anyMoonColour |= (img.pixel(mark.X, mark.Y) & 0xFFFFFF) == (c & 0xFFFFFF);
        EXPECT_TRUE(anyMoonColour) << kJupiterMoonNames[i];
        ++drawn;
    }
    EXPECT_GE(drawn, 2);
}

TEST(VenusPanel, LitShareFollowsThePhase) {
    // Illuminated fraction 0.96 or more: the whole disc stays yellow.
    EXPECT_EQ(LitShare(22), 1.0);   // k = 0.9637
    EXPECT_LT(LitShare(24), 1.0);   // k = 0.9568: the terminator is drawn
    // The lit share of the disc is the illuminated fraction k = (1 + cos i) / 2; a gibbous
    // disc also loses the two black terminator outlines (about 5 % of a 40-pixel disc).
    for (double i : {105.0, 120.0, 150.0}) {
        const double k = (1 + std::cos(i * M_PI / 180)) / 2;
        EXPECT_NEAR(LitShare(i), k, 0.03) << "phase angle " << i;
    }
    for (double i : {30.0, 60.0, 75.0}) {
        const double k = (1 + std::cos(i * M_PI / 180)) / 2;
        EXPECT_NEAR(LitShare(i), k - 0.055, 0.03) << "phase angle " << i;
    }
    // Half phase, k within 0.002 of 0.5 (the terminator a flat arc, cusps joined).
    EXPECT_NEAR(LitShare(90.05), 0.5, 0.05);
    EXPECT_NEAR(LitShare(89.95), 0.5, 0.05);
    EXPECT_LT(LitShare(179), 0.05);
}

TEST(VenusPanel, DiscPlaceAndLitSide) {
    // chi = 90 puts the limb point Q on the right; the lit crescent is on the far side.
    const QImage crescent = RenderVenusPanel(Fonts(), 90, 120, -4.5, 40);
    EXPECT_EQ(crescent.pixel(85 - 36, 110) & 0xFFFFFF, kYellow & 0xFFFFFF);
    EXPECT_EQ(crescent.pixel(85 + 36, 110) & 0xFFFFFF, 0u);
    const QImage full = RenderVenusPanel(Fonts(), 90, 0, -4, 40);
    EXPECT_EQ(full.pixel(85, 110) & 0xFFFFFF, kYellow & 0xFFFFFF);
    EXPECT_EQ(full.pixel(85 - 40, 110) & 0xFFFFFF, kYellow & 0xFFFFFF);
    EXPECT_EQ(full.pixel(85 + 40, 110) & 0xFFFFFF, kYellow & 0xFFFFFF);
    EXPECT_EQ(full.pixel(85 + 42, 110) & 0xFFFFFF, 0u);
    EXPECT_EQ(full.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);  // the frame
    EXPECT_EQ(full.size(), QSize(160, 250));
}

TEST(VenusPanel, TextsInTheUsersLocale) {
    {
        PinnedLocale german(QLocale(QLocale::German, QLocale::Germany));
        const auto t = VenusPanelTexts(35.186, -4.6249, 0.33228);
        EXPECT_EQ(t[0], QStringLiteral("Diameter 35,19\""));
        EXPECT_EQ(t[1], QStringLiteral("Magnitude -4,62"));
        EXPECT_EQ(t[2], QStringLiteral("Illuminated 33,2 %"));
    }
    PinnedLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto t = VenusPanelTexts(35.186, -4.6249, 0.33228);
    EXPECT_EQ(t[0], QStringLiteral("Diameter 35.19\""));
    EXPECT_EQ(t[2], QStringLiteral("Illuminated 33.2 %"));
}

TEST(VenusPanel, OddInputsDrawNoNumbersThatAreNot) {
    // Values without a finite form leave an empty panel with "-" in place of the numbers.
    const QImage panel = RenderVenusPanel(Fonts(), std::nan(""), std::nan(""), std::nan(""), std::nan(""));
    EXPECT_EQ(CountColour(panel, kYellow), 0);
    EXPECT_EQ(VenusPanelTexts(std::nan(""), INFINITY, std::nan(""))[0], QStringLiteral("Diameter -\""));
    // A disc of no size has collinear terminator points: nothing to darken, no failure.
    EXPECT_LE(CountColour(RenderVenusPanel(Fonts(), 90, 100, -4, 0), kYellow), 1);

    double a = 0, b = 0, r = 0;
    EXPECT_FALSE(CircleThrough({0, 0}, {1, 1}, {2, 2}, a, b, r));
    ASSERT_TRUE(CircleThrough({0, 5}, {5, 0}, {0, -5}, a, b, r));
    EXPECT_NEAR(a, 0, 1e-12);
    EXPECT_NEAR(b, 0, 1e-12);
    EXPECT_NEAR(r, 5, 1e-12);
}

TEST(VenusPanel, OnTheChartAtTheTopRight) {
    const ObserverState st = Chemnitz();
    const QImage img = Render(st, false, true);
    const int left = kSize.width() - 160;
    EXPECT_EQ(img.pixel(left + 1, 1) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(left + 158, 248) & 0xFFFFFF, 0xFFFFFFu);
    const PlanetPhysical v = *PlanetPhysicalEphemeris(Body::Venus, st.Year, st.Month, st.Day, st.Hour);
    const QImage panel = RenderVenusPanel(Fonts(), v.PositionAngle, v.PhaseAngle, v.Magnitude, v.Diameter);
    EXPECT_EQ(img.copy(left, 0, 160, 250), panel);
    // Drawn again for the same hour, the panel is the same.
    EXPECT_EQ(Render(st, false, true).copy(left, 0, 160, 250), panel);
}
