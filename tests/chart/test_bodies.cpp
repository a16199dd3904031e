#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>

#include "astro/theories/moonseries.h"
#include "astro/theories/planets.h"
#include "catalog/catalog.h"
#include "chart/bodies.h"
#include "chart/skychart.h"
#include "support.h"

using namespace noctaris;
using namespace noctaris::test;

namespace {

const QSize kSize(1029, 664);

// An empty sky: the bodies alone on the chart.
const Catalogs& NoStars() {
    static const Catalogs c;
    return c;
}

ChartBodies& SharedBodies() {
    static ChartBodies bodies;
    return bodies;
}

struct Hit {
    int x, y;
    std::string name;
};

std::vector<Hit> Hits(const ObjectList& list) {
    std::vector<Hit> out;
    for (std::size_t i = 0; i < list.Size(); ++i)
        out.push_back({list.At(i).x, list.At(i).y, std::string(list.NameAt(i))});
    return out;
}

const Hit* Find(const std::vector<Hit>& hits, const std::string& name) {
    for (const Hit& h : hits)
        if (h.name == name) return &h;
    return nullptr;
}

struct Rendered {
    QImage image;
    ChartObjectLists lists;
    ChartFrame frame;
};

Rendered Render(const ObserverState& state, double azimuth, bool moon = true) {
    SkyChart chart(NoStars());
    SharedBodies().InstallOn(chart);
    DisplayOptions o;
    o.ShowMoon = moon;
    Rendered r;
    r.image = chart.Redraw(kSize, state, o, azimuth, r.lists);
    r.frame = chart.Frame();
    return r;
}

}  // namespace

std::vector<std::string> Names(const std::vector<Hit>& hits) {
    std::vector<std::string> out;
    for (const Hit& h : hits) out.push_back(h.name);
    return out;
}

bool IsBlack(QRgb p) { return (p & 0xFFFFFF) == 0; }

TEST(Bodies, EveningOfTheSeventhOfDecember2026) {
    // 21:30 in Chemnitz: Saturn (Pisces) in the south-west, Uranus (Taurus) high in the
    // south-east; Jupiter (Cancer/Leo) still a few degrees below the eastern horizon; the Sun
    // deep below the north-western horizon; the waning Moon two days before new not yet up.
    const Rendered r = Render(Chemnitz(), 0);
    const std::vector<Hit> hits = Hits(r.lists.bodies);
    EXPECT_EQ(Names(hits), (std::vector<std::string>{"Saturn", "Uranus"}));
    const Hit* saturn = Find(hits, "Saturn");
    const Hit* uranus = Find(hits, "Uranus");
    ASSERT_TRUE(saturn && uranus);
    EXPECT_NEAR(ScreenXToAzimuth(r.frame, saturn->x), 36, 5);
    EXPECT_NEAR(ScreenYToAltitude(r.frame, saturn->y) * 180 / std::numbers::pi, 34, 4);
    EXPECT_NEAR(ScreenXToAzimuth(r.frame, uranus->x), -41, 5);
    EXPECT_NEAR(ScreenYToAltitude(r.frame, uranus->y) * 180 / std::numbers::pi, 54, 4);
    // The pictures sit on the bodies.
    EXPECT_FALSE(IsBlack(r.image.pixel(saturn->x, saturn->y)));
    EXPECT_FALSE(IsBlack(r.image.pixel(uranus->x, uranus->y)));

    // Looking east, Jupiter stands just under the horizon: placed, but below the band's top.
    const Rendered east = Render(Chemnitz(), -90);
    const std::vector<Hit> eastHits = Hits(east.lists.bodies);
    const Hit* jupiter = Find(eastHits, "Jupiter");
    ASSERT_TRUE(jupiter);
    EXPECT_NEAR(ScreenXToAzimuth(east.frame, jupiter->x), -116, 6);
    EXPECT_GT(jupiter->y, kSize.height() - 28);
    // Half an hour later it is up.
    const Rendered later = Render(Chemnitz(2026, 12, 7, 22, 15), -90);
    const std::vector<Hit> laterHits = Hits(later.lists.bodies);
    const Hit* risen = Find(laterHits, "Jupiter");
    ASSERT_TRUE(risen);
    EXPECT_LT(risen->y, kSize.height() - 28);
}

TEST(Bodies, SunPositionIsWrittenBelowTheHorizon) {
    ChartBodies& bodies = SharedBodies();
    Render(Chemnitz(), 0);
    const SunChartPosition& sun = bodies.sun();
    // Chemnitz, 2026-12-07 21:30 CET. python3-ephem 4.1.4, the Sun's astrometric place for the
    // J2000 equator and equinox (the stars' frame): 16.9414 h, -22.6333°; with the mean
    // sidereal time of the instant that is azimuth 120.433°, altitude -49.730°.
    EXPECT_NEAR(sun.RightAscension * 12 / std::numbers::pi, 16.9414, 0.0015);
    EXPECT_NEAR(sun.Declination * 180 / std::numbers::pi, -22.6333, 0.01);
    EXPECT_NEAR(sun.Altitude * 180 / std::numbers::pi, -49.730, 0.02);
    EXPECT_NEAR(sun.Azimuth, 120.433, 0.02);  // north-west, counted from the south via the west

    // 2026-12-17 14:00 CET: the Sun is drawn at its place (ephem: 17.6530 h, -23.3493°, so
    // azimuth 27.223°, altitude 11.460°), entered as "Sun" after the planets, and the pixel is that place's.
    const Rendered noon = Render(Chemnitz(2026, 12, 17, 14, 0), 0);
    const std::vector<Hit> hits = Hits(noon.lists.bodies);
    const Hit* s = Find(hits, "Sun");
    ASSERT_TRUE(s);
    EXPECT_NEAR(bodies.sun().Azimuth, 27.223, 0.02);
    EXPECT_NEAR(bodies.sun().Altitude * 180 / std::numbers::pi, 11.460, 0.02);
    const int x = RoundToInt(27.223 * noon.frame.PixelsPerDegree + noon.frame.CenterX);
    EXPECT_LE(std::abs(s->x - x), 1);
    EXPECT_NEAR(ScreenYToAltitude(noon.frame, s->y) * 180 / std::numbers::pi, 11.460, 0.15);
    EXPECT_FALSE(IsBlack(noon.image.pixel(s->x, s->y)));
}

TEST(Bodies, SunInTheStarsFrameThroughTheYear) {
    // python3-ephem, astrometric J2000 places: the equinoxes and a solstice of 2026, where the
    // old rule (right ascension = longitude, declination = 23.45° sin longitude) was up to 2.5°
    // off in right ascension between them.
    struct Place {
        int month, day, hour;
        double raHours, decDegrees;
    };
    const Place places[] = {{3, 20, 12, 23.9683, -0.2063},
                            {9, 23, 9, 11.9971, 0.0192},
                            {5, 5, 12, 2.8094, 16.2168},
                            {12, 17, 14, 17.6531, -23.3493}};
    for (const Place& p : places) {
        const ObserverState state = Chemnitz(2026, p.month, p.day, p.hour, 0);
        const ChartFrame frame = MakeChartFrame(state, kSize.width(), kSize.height(), 0);
        SunChartPosition sun;
        PlaceSunOnChart(frame, state, sun);
        double hours = sun.RightAscension * 12 / std::numbers::pi;
        if (p.raHours - hours > 12) hours += 24;
        EXPECT_NEAR(hours, p.raHours, 0.0015) << p.month << "-" << p.day;  // 1.3' of arc
        EXPECT_NEAR(sun.Declination * 180 / std::numbers::pi, p.decDegrees, 0.01) << p.month << "-" << p.day;
    }
}

TEST(Bodies, DrawingOrderPlanetsSunMoon) {
    const Rendered r = Render(Chemnitz(2026, 12, 17, 14, 0), 0);
    EXPECT_EQ(Names(Hits(r.lists.bodies)),
              (std::vector<std::string>{"Mercury", "Venus", "Saturn", "Sun", "Moon"}));
    // Without the Moon switch neither the Moon nor its hit entry appear.
    const Rendered noMoon = Render(Chemnitz(2026, 12, 17, 14, 0), 0, false);
    const std::vector<Hit> noMoonHits = Hits(noMoon.lists.bodies);
    EXPECT_EQ(Find(noMoonHits, "Moon"), nullptr);
}

TEST(Bodies, MoonPictureFollowsThePhase) {
    ChartBodies& bodies = SharedBodies();
    Render(Chemnitz(2026, 12, 9, 12, 0), 0);  // new Moon
    EXPECT_EQ(bodies.moonPictureIndex(), 0);
    Render(Chemnitz(2026, 12, 17, 14, 0), 0);  // first quarter
    EXPECT_EQ(bodies.moonPictureIndex(), 2);
    Render(Chemnitz(2026, 12, 24, 0, 0), 0);  // full Moon
    EXPECT_EQ(bodies.moonPictureIndex(), 4);
    // The phase reference is the Sun's longitude brought into 0..2pi.
    EXPECT_GT(bodies.phaseReference(), 0);
    EXPECT_LE(bodies.phaseReference(), 2 * std::numbers::pi);
}

namespace {

// Screen direction (degrees clockwise from +x) from the Moon to the point half a degree along
// the great circle towards the Sun, through the chart's stated mapping (azimuth linear across,
// 75 degrees of altitude over the full height); the great circle from the unit vectors.
double TowardsTheSunOnChart(const ChartFrame& f, double ra, double dec, double sunRa, double sunDec) {
    const double m[3] = {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
    const double s[3] = {std::cos(sunDec) * std::cos(sunRa), std::cos(sunDec) * std::sin(sunRa),
                         std::sin(sunDec)};
    const double c = m[0] * s[0] + m[1] * s[1] + m[2] * s[2];
    const double angle = std::acos(c), step = 0.5 * std::numbers::pi / 180;
    double p[3];
    for (int i = 0; i < 3; ++i)
        p[i] = (std::sin(angle - step) * m[i] + std::sin(step) * s[i]) / std::sin(angle);
    double az1 = 0, h1 = 0, az2 = 0, h2 = 0;
    EXPECT_TRUE(ChartHorizontal(f, ra, dec, az1, h1));
    EXPECT_TRUE(ChartHorizontal(f, std::atan2(p[1], p[0]), std::asin(p[2]), az2, h2));
    const double dx = std::remainder(az2 - az1, 360.0) * f.CenterX / 90.0;
    const double dy = -(h2 - h1) * 180 / std::numbers::pi * f.Height / 75.0;
    return std::atan2(dy, dx) * 180 / std::numbers::pi;
}

}  // namespace

TEST(Bodies, MoonPicturesLitOnTheWestWithTheNorthUp) {
    // The phase pictures as drawn unturned: waxing lit on the right, waning on the left.
    const BodyPictures pictures = BodyPictures::Load();
    for (int i = 1; i <= 7; ++i) {
        if (i == 4) continue;
        const QImage& img = pictures.moonPhases[i];
        double sum = 0, n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) > 120) sum += x - (img.width() - 1) / 2.0, ++n;
        ASSERT_GT(n, 0) << i;
        EXPECT_EQ(sum / n > 0, i < 4) << i;
    }
}

TEST(Bodies, MoonBrightLimbTowardsTheSun) {
    // Evening and morning crescents and quarters in both hemispheres, a turned view and the far
    // north: the picture's lit side, turned, points along the great circle towards the Sun.
    auto place = [](double lat, double lon, double zone, int y, int mo, int d, int h, int mi) {
        ObserverState s = Chemnitz(y, mo, d, h, mi);
        s.Latitude = lat, s.Longitude = lon, s.TimeZone = zone;
        return s;
    };
    struct Case {
        ObserverState state;
        double view;
        bool waxing;
    };
    const Case cases[] = {
        {place(-33.87, 151.21, 10, 2026, 1, 21, 20, 30), 90, true},    // Sydney, evening
        {place(-33.87, 151.21, 10, 2026, 1, 15, 4, 30), -90, false},   // Sydney, morning
        {place(-33.87, 151.21, 10, 2026, 1, 26, 19, 0), 180, true},    // Sydney, facing north
        {Chemnitz(2026, 1, 21, 18, 0), 45, true},
        {Chemnitz(2026, 3, 26, 20, 0), 45, true},
        {place(69.65, 18.96, 1, 2026, 3, 26, 22, 0), 0, true},         // Tromsø
        {place(-0.2, -78.5, -5, 2026, 1, 25, 19, 30), 90, true},       // Quito
    };
    for (const Case& c : cases) {
        const ChartFrame f = MakeChartFrame(c.state, kSize.width(), kSize.height(), c.view);
        SunChartPosition sun;
        PlaceSunOnChart(f, c.state, sun);
        const MoonShortPlace moon = MoonPositionShort(Instant::FromUT(f.JulianDay));
        const double ra = moon.RightAscension * std::numbers::pi / 180;
        const double dec = moon.Declination * std::numbers::pi / 180;
        const int index = MoonPhasePictureIndex(MoonPhaseStep(ra, sun.Longitude));
        ASSERT_TRUE(index > 0 && index != 4) << c.state.Day;
        EXPECT_EQ(index < 4, c.waxing) << c.state.Day;
        const double lit = (index < 4 ? 0.0 : 180.0) +
                           MoonPictureTurn(f, index, ra, dec, sun.RightAscension, sun.Declination);
        const double sunward = TowardsTheSunOnChart(f, ra, dec, sun.RightAscension, sun.Declination);
        EXPECT_NEAR(std::remainder(lit - sunward, 360.0), 0, 2.0)
            << c.state.Latitude << " " << c.state.Day << " " << lit << " " << sunward;
    }
}

TEST(Bodies, PhasePictureIndexRule) {
    for (int k = -8; k <= -1; ++k) EXPECT_EQ(MoonPhasePictureIndex(k), k + 8) << k;
    for (int k = 0; k <= 7; ++k) EXPECT_EQ(MoonPhasePictureIndex(k), k) << k;
    EXPECT_EQ(MoonPhasePictureIndex(8), 0);
    EXPECT_EQ(MoonPhasePictureIndex(9), -1);
    EXPECT_EQ(MoonPhasePictureIndex(-9), -1);

    EXPECT_EQ(MoonPhaseStep(1.0, 1.0), 0);             // same longitude: new Moon
    EXPECT_EQ(MoonPhaseStep(std::numbers::pi + 0.5, 0.5), 4);       // opposite: full Moon
    EXPECT_EQ(MoonPhaseStep(0.5, std::numbers::pi + 0.5), -4);      // -4 is picture 4 as well
    EXPECT_EQ(MoonPhasePictureIndex(MoonPhaseStep(0.5, std::numbers::pi + 0.5)), 4);
    EXPECT_EQ(MoonPhaseStep(std::numbers::pi / 8 + 1e-9, 0), 1);    // half a step rounds up...
    EXPECT_EQ(MoonPhaseStep(std::numbers::pi / 8 - 1e-9, 0), 0);    // ...and just below it down
    EXPECT_EQ(MoonPhasePictureIndex(MoonPhaseStep(2 * std::numbers::pi - 0.01, 0.005)), 0);  // k = 8
    EXPECT_EQ(MoonPhasePictureIndex(MoonPhaseStep(std::nan(""), 0)), -1);
}

TEST(Bodies, SummerTimeShowsTheBodiesOfTheInstant) {
    // 21:00 summer time and 20:00 standard time are one instant: every body on the same pixel;
    // the same clock reading in standard time is an hour later, with the evening planets lower.
    ObserverState st = Chemnitz(2026, 7, 10, 21, 0);
    const Rendered later = Render(st, 90);
    st.ConsiderSummerTime = true;
    const Rendered summer = Render(st, 90);
    st.ConsiderSummerTime = false;
    st.Hour = 20;
    const Rendered standard = Render(st, 90);
    const std::vector<Hit> a = Hits(standard.lists.bodies), b = Hits(summer.lists.bodies),
                           c = Hits(later.lists.bodies);
    ASSERT_NE(Find(b, "Venus"), nullptr);  // the evening star, low in the west
    EXPECT_EQ(Names(a), Names(b));
    for (const Hit& h : b) {
        const Hit* same = Find(a, h.name);
        ASSERT_NE(same, nullptr) << h.name;
        EXPECT_EQ(h.x, same->x) << h.name;
        EXPECT_EQ(h.y, same->y) << h.name;
        if (const Hit* hourLater = Find(c, h.name)) {
            EXPECT_GT(hourLater->y, h.y) << h.name;
        }
    }
}

TEST(Bodies, PlanetPlaceFromTheEphemeris) {
    const ObserverState st = Chemnitz();
    const ChartFrame f = MakeChartFrame(st, kSize.width(), kSize.height(), 0);
    for (const Body planet : kChartPlanets) {
        const PlanetEphemerisResult e =
            PlanetEphemeris(planet, f.JulianDay, st.Latitude, st.Longitude, st.TimeZone);
        const BodySky sky = PlanetChartSky(planet, f, st);
        EXPECT_NEAR(sky.ra * 180 / std::numbers::pi, e.ra, 1e-6) << BodyName(planet);
        EXPECT_NEAR(sky.dec * 180 / std::numbers::pi, e.dec, 1e-6) << BodyName(planet);
    }
}
