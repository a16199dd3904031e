// The terminator window: map drawing on images, and the window's controls and timers.
#include <cmath>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QTimeZone>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "window_tests.h"
#include "platform/pictures.h"
#include "support.h"
#include "windows/terminator_window.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

const QSize kMap(1070, 667);  // the drawing area of the default-size window
constexpr QRgb Px(int r, int g, int b) { return qRgb(r, g, b) & 0xFFFFFFu; }
const QRgb kWhite = Px(255, 255, 255);
const QRgb kNight = Px(240, 240, 240);
const QRgb kBlack = Px(0, 0, 0);

TerminatorView View(int day, int month, int hour, int minute, bool summer = true) {
    TerminatorView v;
    v.Day = day, v.Month = month, v.Hour = hour, v.Minute = minute;
    v.Year = 2026;
    v.ConsiderSummerTime = summer;
    v.SunPlace = true;
    return v;
}

QRgb Rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }

// A plain map (no grid, no coast): white by day, grey by night, black boundary, the Sun.
QImage PlainMap(const TerminatorView& v) {
    static const QImage sun = LoadTransparentPicture("term_sun");
    return DrawTerminatorMap(BuildTerminatorMapCache(kMap, false, {}), v, sun);
}

TEST(TerminatorGeometry, OverheadPointFollowsClockAndSummerTime) {
    const double cx = 535, sx = 1070 / 360.0;
    // 12:00 in summer with the switch on: h = 11, the Sun near 30° east.
    auto g = ComputeTerminatorGeometry(kMap, View(21, 6, 12, 0, true));
    EXPECT_DOUBLE_EQ(g.Sun.Hour, 11);
    EXPECT_NEAR(g.SubSolar.x(), cx + 30 * sx, 1e-9);
    // Without the switch, or in winter, 13:00 puts it over Greenwich.
    g = ComputeTerminatorGeometry(kMap, View(21, 6, 13, 0, false));
    EXPECT_NEAR(g.SubSolar.x(), cx, 1e-9);
    g = ComputeTerminatorGeometry(kMap, View(7, 12, 13, 0, true));
    EXPECT_DOUBLE_EQ(g.Sun.Hour, 13);
    EXPECT_NEAR(g.SubSolar.x(), cx, 1e-9);
    // Before 1980 there is no summer time.
    TerminatorView old = View(21, 6, 12, 0, true);
    old.Year = 1979;
    EXPECT_DOUBLE_EQ(ComputeTerminatorGeometry(kMap, old).Sun.Hour, 12);
}

TEST(TerminatorGeometry, NightSideIsClosedOnTheWinterPole) {
    // June: declination north, night below the curve, closed through the bottom corners.
    auto june = ComputeTerminatorGeometry(kMap, View(21, 6, 13, 0, false));
    EXPECT_EQ(june.DayOfYear, 172);
    EXPECT_FALSE(june.NightAbove);
    ASSERT_EQ(june.Polygon.size(), 365u + 4u);
    EXPECT_EQ(june.Polygon[366], QPoint(1070 + 101, 667 + 101));
    EXPECT_EQ(june.Polygon[367], QPoint(0, 667 + 101));
    EXPECT_EQ(june.Polygon[368].y(), june.Polygon[0].y());
    // December: night above, closed through the top corners (y = 1).
    auto dec = ComputeTerminatorGeometry(kMap, View(7, 12, 13, 0));
    EXPECT_TRUE(dec.NightAbove);
    EXPECT_EQ(dec.Polygon[366], QPoint(1171, 1));
    EXPECT_EQ(dec.Polygon[367], QPoint(0, 1));
    // The curve reaches past both edges of the map and joins across the date line.
    EXPECT_LT(dec.Polygon[0].x(), 50);
    EXPECT_GT(dec.Polygon[364].x(), 50 + 1070);
    EXPECT_EQ(dec.Polygon[1].y(), dec.Polygon[361].y());  // λ = −180 and λ = +180
    // An exact equinox keeps every point finite and on a sane row.
    TerminatorView eq = View(21, 3, 0, 0, false);  // N = 80: δ a few hundredths of a degree
    for (int n = 78; n <= 84; ++n) {
        eq.Day = n - 59;
        for (int h = 0; h < 24; ++h) {
            eq.Hour = h;
            for (const QPoint& p : ComputeTerminatorGeometry(kMap, eq).Polygon)
                ASSERT_TRUE(p.y() >= -100 && p.y() <= 900) << n << " " << h;
        }
    }
}

TEST(TerminatorGeometry, AbsurdTypedValuesStayOnBoundedPixels) {
    TerminatorView v = View(std::numeric_limits<int>::max(), -7, std::numeric_limits<int>::max(),
                            std::numeric_limits<int>::min());
    const auto g = ComputeTerminatorGeometry(kMap, v);
    for (const QPoint& p : g.Polygon) ASSERT_LE(std::abs(p.y()), 2000);
    EXPECT_LE(std::abs(g.SunTopLeft.x()), 1000100);
    EXPECT_FALSE(PlainMap(v).isNull());
}

TEST(TerminatorMap, DecemberNoonOverGreenwich) {
    // 2026-12-07 12:00 UT = 13:00 of the map's clock: the Sun over 22.8° S, 0° E.
    const TerminatorView v = View(7, 12, 13, 0);
    const QImage img = PlainMap(v);
    const auto g = ComputeTerminatorGeometry(kMap, v);
    EXPECT_NEAR(g.Sun.Declination, -22.8, 0.1);
    // The Arctic (80° N, top row) lies in darkness all round, the Antarctic in daylight.
    for (int x = 0; x < kMap.width(); ++x) {
        ASSERT_EQ(Rgb(img, x, 0), kNight) << x;
        ASSERT_EQ(Rgb(img, x, kMap.height() - 1), kWhite) << x;
    }
    // Daylight over Greenwich at the equator, night on the antimeridian; black boundary between.
    EXPECT_EQ(Rgb(img, 535 + 30, 333), kWhite);
    EXPECT_EQ(Rgb(img, 2, 333), kNight);
    int blackInColumn = 0;
    for (int y = 0; y < kMap.height(); ++y) blackInColumn += Rgb(img, 300, y) == kBlack;
    EXPECT_GE(blackInColumn, 1);
}

TEST(TerminatorMap, JuneSolsticeMidnightSunAndPolarNight) {
    const QImage img = PlainMap(View(21, 6, 13, 0, false));
    for (int x = 0; x < kMap.width(); ++x) {
        ASSERT_EQ(Rgb(img, x, 0), kWhite) << x;
        ASSERT_EQ(Rgb(img, x, kMap.height() - 1), kNight) << x;
    }
}

TEST(TerminatorMap, SunSymbolIsCentredOnTheOverheadPoint) {
    const QImage sun = LoadTransparentPicture("term_sun");
    ASSERT_EQ(sun.size(), QSize(21, 20));
    const TerminatorView v = View(7, 12, 13, 0);
    const QImage img = PlainMap(v);
    const auto g = ComputeTerminatorGeometry(kMap, v);
    // The box of the symbol's own colours (neither white, night grey nor black).
    int x0 = 1 << 20, x1 = -1, y0 = 1 << 20, y1 = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = Rgb(img, x, y);
            if (c == kWhite || c == kNight || c == kBlack) continue;
            x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        }
    ASSERT_GE(x1, 0);
    EXPECT_EQ(x1 - x0 + 1, 21);
    EXPECT_EQ(y1 - y0 + 1, 20);
    const int sx = static_cast<int>(std::nearbyint(g.SubSolar.x()));
    const int sy = static_cast<int>(std::nearbyint(g.SubSolar.y()));
    EXPECT_EQ(x0 + 10, sx);
    EXPECT_EQ(y0 + 10, sy);
    EXPECT_EQ(Rgb(img, sx, sy), sun.pixel(10, 10) & 0xFFFFFFu);
    // Switched off: no trace of it.
    TerminatorView off = v;
    off.SunPlace = false;
    EXPECT_EQ(Rgb(PlainMap(off), sx, sy), kWhite);
}

TEST(TerminatorMap, OverlayIsAndedIntoTheMap) {
    QImage cache(kMap, QImage::Format_RGB32);
    cache.fill(qRgb(0x12, 0x9F, 0xFF));
    TerminatorView v = View(7, 12, 13, 0);
    v.SunPlace = false;
    const QImage img = DrawTerminatorMap(cache, v, QImage());
    EXPECT_EQ(img.format(), QImage::Format_RGB32);
    EXPECT_EQ(Rgb(img, 500, 600), Px(0x12, 0x9F, 0xFF));         // day: unchanged
    EXPECT_EQ(Rgb(img, 500, 0), Px(0x12 & 0xF0, 0x90, 0xF0));      // night: darkened
    EXPECT_EQ(qAlpha(img.pixel(500, 0)), 255);
}

TEST(TerminatorMapCache, GridLabelsAndCoastlines) {
    const auto& outline = test::SharedCatalogs().worldOutline;
    ASSERT_GT(outline.size(), 2900u);
    const QImage grid = BuildTerminatorMapCache(kMap, true, outline);
    const QImage bare = BuildTerminatorMapCache(kMap, false, {});
    const QRgb silver = Px(192, 192, 192);
    // Meridian 30° E at Round(535 + 30 · 2.972) = 624, parallel 30° N at Round(333 − 125.06).
    EXPECT_EQ(Rgb(grid, 624, 150), silver);
    EXPECT_EQ(Rgb(grid, 900, 208), silver);
    EXPECT_EQ(Rgb(bare, 624, 150), kWhite);
    int red = 0, blue = 0;
    for (int y = 0; y < grid.height(); ++y)
        for (int x = 0; x < grid.width(); ++x) {
            const QColor c(grid.pixel(x, y));
            red += c.red() > 150 && c.green() < 100 && c.blue() < 100;
            blue += Rgb(grid, x, y) == Px(0, 0, 255);
        }
    EXPECT_GT(red, 200);     // the degree labels
    EXPECT_GT(blue, 5000);   // the coasts
    // Western Europe's coast near 43° N, 9° W (Cape Finisterre): blue within a few pixels.
    const int fx = static_cast<int>(std::nearbyint(535 - 9 * 1070 / 360.0));
    const int fy = static_cast<int>(std::nearbyint(333 - 43 * 667 / 160.0));
    bool coast = false;
    for (int dy = -6; dy <= 6; ++dy)
        for (int dx = -6; dx <= 6; ++dx) coast |= Rgb(grid, fx + dx, fy + dy) == Px(0, 0, 255);
    EXPECT_TRUE(coast);
}

TEST(TerminatorMapCache, CoastCrossingTheDateLineLiftsThePen) {
    const std::vector<OutlinePoint> outline = {{10, 170, false}, {10, 179, true},
                                               {10, 181, true}, {10, 190, true}};
    const QImage img = BuildTerminatorMapCache(kMap, false, outline);
    const int y = static_cast<int>(std::nearbyint(333 - 10 * 667 / 160.0));
    EXPECT_EQ(Rgb(img, 1060, y), Px(0, 0, 255));  // 170..179 E
    EXPECT_EQ(Rgb(img, 5, y), Px(0, 0, 255));     // 179..170 W
    EXPECT_EQ(Rgb(img, 535, y), kWhite);            // no stroke across the map
}

// ---- The window -------------------------------------------------------------------------------

// A reading of the window's clock, which shows the chart place's zone (Europe/Berlin unless set).
QDateTime At(int y, int mo, int d, int h, int mi) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi), QTimeZone("Europe/Berlin"));
}

// The window's controls, found by their object names.
struct Controls {
    explicit Controls(const TerminatorWindow& w)
        : map(test::Child<QWidget>(w, "map")),
          panel(test::Child<QWidget>(w, "controlPanel")),
          day(test::Child<QLineEdit>(w, "dayEdit")),
          month(test::Child<QLineEdit>(w, "monthEdit")),
          hour(test::Child<QLineEdit>(w, "hourEdit")),
          minute(test::Child<QLineEdit>(w, "minuteEdit")),
          changeMinutes(test::Child<QRadioButton>(w, "changeMinutesRadio")),
          changeDays(test::Child<QRadioButton>(w, "changeDaysRadio")),
          summerTime(test::Child<QCheckBox>(w, "summerTimeCheck")),
          sunPlace(test::Child<QCheckBox>(w, "sunPlaceCheck")),
          followClock(test::Child<QCheckBox>(w, "followClockCheck")),
          grid(test::Child<QCheckBox>(w, "gridCheck")),
          display(test::Child<QPushButton>(w, "displayButton")),
          simulation(test::Child<QPushButton>(w, "simulationButton")),
          currentTime(test::Child<QPushButton>(w, "currentTimeButton")),
          sunSymbolHolder(test::Child<QLabel>(w, "sunSymbolHolder")),
          simulationTimer(test::Child<QTimer>(w, "simulationTimer")),
          clockTimer(test::Child<QTimer>(w, "clockTimer")) {}
    QWidget* map;
    QWidget* panel;
    QLineEdit *day, *month, *hour, *minute;
    QRadioButton *changeMinutes, *changeDays;
    QCheckBox *summerTime, *sunPlace, *followClock, *grid;
    QPushButton *display, *simulation, *currentTime;
    QLabel* sunSymbolHolder;
    QTimer *simulationTimer, *clockTimer;
};

TEST(TerminatorWindow, ControlsAsLaidOut) {
    test::PinnedLocale locale(QLocale::c());
    TerminatorWindow w(MainWindowSize{});
    const Controls c(w);
    EXPECT_EQ(w.windowTitle(), "Terminator");
    EXPECT_EQ(w.size(), QSize(1070, 751));
    EXPECT_EQ(c.map->geometry(), QRect(0, 0, 1070, 667));
    EXPECT_EQ(c.panel->geometry(), QRect(0, 667, 1070, 84));
    EXPECT_EQ(c.panel->palette().color(QPalette::Window), QColor(240, 240, 240));
    // The fields in a row, the buttons and switches right of them, none covering another.
    EXPECT_LT(c.day->geometry().right(), c.month->x());
    EXPECT_LT(c.minute->geometry().right(), c.display->x());
    EXPECT_LT(c.display->geometry().right(), c.simulation->x());
    EXPECT_LT(c.simulation->geometry().bottom(), c.currentTime->y());
    EXPECT_LT(c.simulation->geometry().right(), c.changeMinutes->x());
    EXPECT_LT(c.day->geometry().bottom(), c.summerTime->y());
    EXPECT_TRUE(QRect(QPoint(0, 0), c.panel->size()).contains(c.changeDays->geometry()));
    EXPECT_EQ(c.simulation->text(), "Simulation");
    EXPECT_EQ(c.currentTime->text(), "Current time");
    EXPECT_EQ(c.changeMinutes->text(), "Change minutes");
    EXPECT_EQ(c.changeDays->text(), "Change days");
    EXPECT_TRUE(c.changeMinutes->isChecked());
    EXPECT_TRUE(c.summerTime->isChecked());
    EXPECT_EQ(c.summerTime->text(), "Use summer time");
    EXPECT_TRUE(c.sunPlace->isChecked());
    EXPECT_EQ(c.sunPlace->text(), "Sun position");
    EXPECT_FALSE(c.followClock->isChecked());
    EXPECT_EQ(c.followClock->text(), "Follow the clock");
    EXPECT_TRUE(c.grid->isChecked());
    EXPECT_EQ(c.grid->text(), "Grid");
    EXPECT_FALSE(c.sunSymbolHolder->isVisibleTo(&w));
    EXPECT_EQ(w.sunSymbol().size(), QSize(21, 20));
    EXPECT_EQ(c.simulationTimer->interval(), 20);
    EXPECT_EQ(c.clockTimer->interval(), 10000);
    EXPECT_FALSE(c.simulationTimer->isActive());
    EXPECT_FALSE(c.clockTimer->isActive());
    // A window of another size gives its map the rest above the panel; one too narrow for the
    // controls grows to show them whole.
    TerminatorWindow small(MainWindowSize{800, 500});
    EXPECT_EQ(small.height(), 500);
    EXPECT_GE(small.width(), 800);
    EXPECT_EQ(Controls(small).map->size(), QSize(small.width(), 416));
    const QWidget* radio = Controls(small).changeMinutes;
    EXPECT_LE(radio->geometry().right(), small.width());
    EXPECT_GE(radio->width(), radio->sizeHint().width());
}

TEST(TerminatorWindow, EditsFromTheClockAndNonNumbersAsZero) {
    TerminatorWindow w(MainWindowSize{});
    const Controls c(w);
    w.setClock([] { return At(2026, 12, 7, 13, 5); });
    w.showCurrentTime();
    EXPECT_EQ(c.day->text(), "7");
    EXPECT_EQ(c.month->text(), "12");
    EXPECT_EQ(c.hour->text(), "13");
    EXPECT_EQ(c.minute->text(), "5");
    TerminatorView v = w.currentView();
    EXPECT_EQ(v.Year, 2026);
    EXPECT_EQ(v.Hour, 13);
    c.day->setText("x1");
    c.minute->setText("");
    v = w.currentView();
    EXPECT_EQ(v.Day, 0);
    EXPECT_EQ(v.Minute, 0);
    c.summerTime->setChecked(false);
    c.sunPlace->setChecked(false);
    EXPECT_FALSE(w.currentView().ConsiderSummerTime);
    EXPECT_FALSE(w.currentView().SunPlace);
}

TEST(TerminatorWindow, SimulationAndRefreshTimers) {
    TerminatorWindow w(MainWindowSize{});
    const Controls c(w);
    w.setClock([] { return At(2026, 12, 31, 23, 58); });
    w.showCurrentTime();
    c.followClock->setChecked(true);
    EXPECT_TRUE(c.clockTimer->isActive());
    c.simulation->click();  // start: "Follow the clock" is unticked, which stops the clock timer
    EXPECT_TRUE(c.simulationTimer->isActive());
    EXPECT_FALSE(c.followClock->isChecked());
    EXPECT_FALSE(c.clockTimer->isActive());
    EXPECT_EQ(c.simulation->text(), "Stop");
    // Ticking "Follow the clock" during the simulation leaves both running.
    c.followClock->setChecked(true);
    EXPECT_TRUE(c.simulationTimer->isActive());
    EXPECT_TRUE(c.clockTimer->isActive());
    w.stepSimulation();
    EXPECT_EQ(c.hour->text(), "0");
    EXPECT_EQ(c.minute->text(), "0");
    EXPECT_EQ(c.day->text(), "1");
    EXPECT_EQ(c.month->text(), "1");
    c.changeDays->setChecked(true);
    w.stepSimulation();
    EXPECT_EQ(c.day->text(), "2");
    EXPECT_EQ(c.minute->text(), "0");
    c.simulation->click();
    EXPECT_FALSE(c.simulationTimer->isActive());
    EXPECT_EQ(c.simulation->text(), "Simulation");
    // Closing stops every timer and drops the map cache.
    c.simulation->click();
    w.renderMap();
    EXPECT_TRUE(w.hasMapCache());
    w.reject();
    EXPECT_FALSE(c.simulationTimer->isActive());
    EXPECT_FALSE(c.clockTimer->isActive());
    EXPECT_FALSE(w.hasMapCache());
}

TEST(TerminatorWindow, GridSwitchRebuildsTheCache) {
    TerminatorWindow w(MainWindowSize{});
    const Controls c(w);
    w.setClock([] { return At(2026, 6, 21, 14, 0); });
    w.showCurrentTime();
    QImage img = w.renderMap();
    ASSERT_TRUE(w.hasMapCache());
    EXPECT_EQ(Rgb(img, 624, 150), Px(192, 192, 192));  // grid meridian 30° E, daylight
    c.grid->setChecked(false);
    EXPECT_FALSE(w.hasMapCache());
    img = w.renderMap();
    EXPECT_EQ(Rgb(img, 624, 150), kWhite);
    // 14:00 summer time in June: h = 13, the Sun over Greenwich.
    EXPECT_DOUBLE_EQ(ComputeTerminatorGeometry(c.map->size(), w.currentView()).SubSolar.x(), 535);
}

TEST(TerminatorWindow, AnyZonesClockNamesTheSameInstant) {
    // One instant read on different clocks (zoneinfo): 15 Jan 2026 11:00 UT is 12:00 CET and
    // 22:00 AEDT; 29 Mar 2026 00:30 UT is 01:30 CET, before Berlin's change at 01:00 UT, and
    // 11:30 AEDT; 29 Mar 2026 01:30 UT is 03:30 CEST.
    struct Reading {
        const char* zone;
        double standard;
        int month, day, hour, minute;
    };
    const std::pair<Reading, Reading> same[] = {
        {{"Europe/Berlin", 1, 1, 15, 12, 0}, {"Australia/Sydney", 10, 1, 15, 22, 0}},
        {{"Europe/Berlin", 1, 3, 29, 1, 30}, {"Australia/Sydney", 10, 3, 29, 11, 30}},
        {{"Europe/Berlin", 1, 3, 29, 3, 30}, {"UTC", 0, 3, 29, 1, 30}},
    };
    const auto geometry = [](const Reading& r) {
        TerminatorView v;
        v.Year = 2026, v.Month = r.month, v.Day = r.day, v.Hour = r.hour, v.Minute = r.minute;
        v.ZoneId = r.zone, v.StandardOffset = r.standard;
        return ComputeTerminatorGeometry(kMap, v);
    };
    for (const auto& [a, b] : same) {
        SCOPED_TRACE(std::to_string(a.month) + "-" + std::to_string(a.day) + " " + b.zone);
        const TerminatorGeometry ga = geometry(a), gb = geometry(b);
        EXPECT_NEAR(ga.SubSolar.x(), gb.SubSolar.x(), 1e-9);
        EXPECT_NEAR(ga.Sun.Declination, gb.Sun.Declination, 0.01);
    }
}

// The window at three moments of 2026, on the computer's clock in Central European time: day
// and night where they were then, and the Sun over the place that had it overhead (published
// declination and longitude; the map's mean Sun may stand up to two degrees east or west of it).
TEST(TerminatorWindow, ShowsDayNightAndTheSunOfTheMoment) {
    struct Moment {
        const char* name;
        QDateTime at;
        double sunLongitude, sunLatitude;  // where the Sun stood overhead
        std::vector<std::pair<double, double>> day, night;  // longitude, latitude
    };
    const Moment moments[] = {
        // 12:00 UT: southern summer, the Arctic in its polar night.
        {"terminator_2026-12-07", At(2026, 12, 7, 13, 0), -2.14, -22.64, {{-25, 5}}, {{170, 5}, {-160, 75}}},
        // 12:00 UT (14:00 summer time): the Arctic in its midnight sun.
        {"terminator_2026-06-21", At(2026, 6, 21, 14, 0), 0.45, 23.44, {{-25, 5}, {-160, 75}}, {{170, 5}}},
        // 14:00 UT, the day of the equinox: the night begins near 62° east.
        {"terminator_2026-03-20", At(2026, 3, 20, 15, 0), -28.15, -0.01, {{-25, 5}, {40, 5}}, {{85, 5}, {170, 5}}},
    };
    const double sx = 1070 / 360.0, sy = 667 / 160.0;  // pixels per degree
    auto pixelOf = [&](double longitude, double latitude) {
        return QPoint(static_cast<int>(std::nearbyint(535 + longitude * sx)),
                      static_cast<int>(std::nearbyint(333 - latitude * sy)));
    };
    const QString dir = qEnvironmentVariable("NOCTARIS_GRAB_DIR");
    for (const Moment& m : moments) {
        SCOPED_TRACE(m.name);
        TerminatorWindow w(MainWindowSize{});
        const Controls c(w);
        w.setClock([&] { return m.at; });
        w.showCurrentTime();
        const QImage map = c.map->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(map.size(), kMap);
        auto colourAt = [&](const std::pair<double, double>& place) {
            const QPoint p = pixelOf(place.first, place.second);
            return Rgb(map, p.x(), p.y());
        };
        for (const auto& place : m.day) EXPECT_EQ(colourAt(place), kWhite) << place.first << " " << place.second;
        for (const auto& place : m.night) EXPECT_EQ(colourAt(place), kNight) << place.first << " " << place.second;
        // The Sun symbol's orange pixels (not the red labels' edges, which are as green as
        // they are blue), and where their middle lies.
        double x = 0, y = 0;
        int n = 0;
        for (int py = 0; py < map.height(); ++py)
            for (int px = 0; px < map.width(); ++px) {
                const QColor colour(map.pixel(px, py));
                if (colour.red() > 150 && colour.green() - colour.blue() > 50) x += px, y += py, ++n;
            }
        ASSERT_GT(n, 50);
        const QPoint sun = pixelOf(m.sunLongitude, m.sunLatitude);
        EXPECT_NEAR(x / n, sun.x(), 2.5 * sx);
        EXPECT_NEAR(y / n, sun.y(), 1.0 * sy);
        if (!dir.isEmpty()) w.grab().save(QDir(dir).filePath(QString::fromLatin1(m.name) + ".png"));
    }
}

}  // namespace
}  // namespace noctaris
