// The orbits window: table, scale, placement of the objects on their orbits, the plan's pixels
// and the window's controls and simulation.
#include <algorithm>
#include <cmath>

#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "astro/theories/planets.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "window_tests.h"
#include "windows/orbits_window.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

using test::Child;

class OrbitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        noctaris::SetDialogsAllowed(false);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

const OrbitObject& Row(const char* name) {
    const OrbitObject* o = FindOrbitObject(name);
    EXPECT_NE(o, nullptr) << name;
    return *o;
}

// Polar angle of a pixel seen from (cx, cy), y axis up, degrees 0..360.
double AngleOf(QPoint p, int cx, int cy) {
    double a = std::atan2(double(cy - p.y()), double(p.x() - cx)) * 180 / M_PI;
    return a < 0 ? a + 360 : a;
}

double AngleDiff(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    return std::abs(d);
}

// Distance of a pixel from the drawn orbit polyline of o.
double DistanceToOrbit(const OrbitObject& o, double scale, int cx, int cy, QPoint p) {
    double best = 1e300;
    QPointF a = OrbitPoint(o, scale, cx, cy, 0);
    for (int k = 1; k <= 180; ++k) {
        const QPointF b = OrbitPoint(o, scale, cx, cy, 2.0 * k);
        const QPointF ab = b - a, ap = QPointF(p) - a;
        const double len2 = QPointF::dotProduct(ab, ab);
        const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / len2, 0.0, 1.0) : 0.0;
        const QPointF d = ap - t * ab;
        best = std::min(best, std::hypot(d.x(), d.y()));
        a = b;
    }
    return best;
}

TEST_F(OrbitsTest, TableRowsKindsAndLabels) {
    const auto& t = OrbitTable();
    ASSERT_EQ(t.size(), 18u);
    EXPECT_EQ(OrbitTableStrings().size(), 108);
    EXPECT_EQ(t[0].Name, "Earth");
    EXPECT_DOUBLE_EQ(t[0].E, 0.016719);
    const OrbitObject& eros = Row("Asteroid Eros");
    EXPECT_DOUBLE_EQ(eros.Peri, 178.581472);
    EXPECT_DOUBLE_EQ(eros.P, 1.76123);
    EXPECT_EQ(eros.Kind, OrbitKind::Asteroid);
    EXPECT_EQ(eros.Label, "Eros");
    EXPECT_EQ(Row("Dwarfplanet Pluto").Kind, OrbitKind::DwarfPlanet);
    EXPECT_EQ(Row("Dwarfplanet Pluto").Label, "Pluto");
    EXPECT_EQ(Row("Saturn").Kind, OrbitKind::Planet);
    EXPECT_EQ(Row("Saturn").Label, "Saturn");
    // A "D" name that is not the dwarf planet gets its orbit only.
    EXPECT_EQ(OrbitKindOf("Dwarfplanet Eris"), OrbitKind::Unknown);
    // A name that is no planet is not placed by the planetary theory (as some other planet).
    EXPECT_EQ(OrbitKindOf("Vulcan"), OrbitKind::Unknown);
    EXPECT_EQ(Row("Earth").Planet, Body::Earth);

    // Numbers keep their decimal point under a comma locale; "[" ends the table.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto parsed = ParseOrbitTable({"Asteroid X", "1.5", "2.25", "0.5", "2000.5", "3",
                                         "[end]", "0", "0", "0", "0", "0", "Mars", "1", "1", "0", "0", "0"});
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_DOUBLE_EQ(parsed[0].Peri, 1.5);
    EXPECT_DOUBLE_EQ(parsed[0].A, 2.25);
}

TEST_F(OrbitsTest, ZoomLimits) {
    EXPECT_DOUBLE_EQ(ZoomIn(400), 500);  // not 565.7
    EXPECT_DOUBLE_EQ(ZoomIn(500), 500);
    EXPECT_NEAR(ZoomIn(50), 70.7107, 1e-4);
    double s = 50;
    for (int i = 0; i < 10; ++i) s = ZoomOut(s);
    EXPECT_NEAR(s, 50.0 / 32, 1e-12);  // keeps dividing by √2
    // Far out, the scale stops shrinking and the label stays a true whole number.
    for (int i = 0; i < 5000; ++i) s = ZoomOut(s);
    EXPECT_GE(s, kMinOrbitScale);
    const ScaleBar far = ScaleBarFor(s);
    EXPECT_TRUE(far.Label.endsWith(" AU"));
    EXPECT_FALSE(far.Label.contains("inf") || far.Label.contains("nan") || far.Label.startsWith("-"));
    EXPECT_NEAR(far.Length, 50, 1);
}

TEST_F(OrbitsTest, ScaleBar) {
    ScaleBar b = ScaleBarFor(50);
    EXPECT_EQ(b.Label, "1.00 AU");
    EXPECT_EQ(b.Length, 50);
    b = ScaleBarFor(10);
    EXPECT_EQ(b.Label, "5 AU");
    EXPECT_EQ(b.Length, 50);
    b = ScaleBarFor(14);  // 3.57 rounds to 4: the bar is 4 AU long
    EXPECT_EQ(b.Label, "4 AU");
    EXPECT_EQ(b.Length, 56);
    b = ScaleBarFor(500);
    EXPECT_EQ(b.Label, "0.10 AU");
    EXPECT_EQ(b.Length, 50);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ScaleBarFor(50).Label, "1,00 AU");
}

TEST_F(OrbitsTest, JulianDaysOfDatesAndPerihelia) {
    EXPECT_DOUBLE_EQ(OrbitPlanJulianDay(2000, 1, 1), 2451544.5 - 1.0 / 24);
    // 1981.4125: 150.7 days into the year -> month Round(5.02) = 5, day Round(0.66) = 1.
    EXPECT_DOUBLE_EQ(PerihelionJulianDay(1981.4125), OrbitPlanJulianDay(1981, 5, 1));
    // 2000.1656 gives day 0 of February, i.e. 31 January, without an error.
    EXPECT_DOUBLE_EQ(PerihelionJulianDay(2000.1656), OrbitPlanJulianDay(2000, 1, 31));
    // 1997.9614: month Round(11.70) = 12, day Round(21.15) = 21.
    EXPECT_DOUBLE_EQ(PerihelionJulianDay(1997.9614), OrbitPlanJulianDay(1997, 12, 21));
}

TEST_F(OrbitsTest, EarthOnDecember7th2026) {
    const double jd = OrbitPlanJulianDay(2026, 12, 7);
    const double l = PlanetHeliocentricLongitude(Body::Earth, jd);
    EXPECT_NEAR(std::fmod(l + 720, 360), 75, 1.0);
    const QPoint p = OrbitObjectPlace(Row("Earth"), 100, 400, 300, jd);
    EXPECT_NEAR(AngleOf(p, 400, 300), 75, 1.0);
    EXPECT_NEAR(std::hypot(p.x() - 400, p.y() - 300), 100, 2.0);
    EXPECT_GT(p.x(), 400);  // upper right quarter: y axis up
    EXPECT_LT(p.y(), 300);
}

TEST_F(OrbitsTest, EveryObjectStandsOnItsOrbit) {
    for (const OrbitObject& o : OrbitTable()) {
        for (double jd : {2451545.0, 2461381.5, 2415020.0, 2488000.0}) {
            const QPoint p = OrbitObjectPlace(o, 50, 500, 400, jd);
            EXPECT_LE(DistanceToOrbit(o, 50, 500, 400, p), 2.0) << o.Name.toStdString() << " " << jd;
            if (o.Kind == OrbitKind::Planet) {
                const double l = PlanetHeliocentricLongitude(o.Planet, jd);
                EXPECT_LT(AngleDiff(AngleOf(p, 500, 400), l), 2.0) << o.Name.toStdString();
            }
        }
    }
}

TEST_F(OrbitsTest, SmallBodiesStartAtPerihelionAndMoveUniformly) {
    for (const char* name : {"Dwarfplanet Pluto", "Asteroid Eros", "Asteroid Icarus", "Asteroid Ceres"}) {
        const OrbitObject& o = Row(name);
        const double j0 = PerihelionJulianDay(o.T0);
        const double scale = 400 / (o.A * (1 + o.E));
        EXPECT_LE((OrbitObjectPlace(o, scale, 500, 500, j0) - OrbitPoint(o, scale, 500, 500, 0)).manhattanLength(), 2)
            << name;
        const double half = j0 + o.P * 365.25 / 2;
        EXPECT_LE((OrbitObjectPlace(o, scale, 500, 500, half) - OrbitPoint(o, scale, 500, 500, 180)).manhattanLength(), 2)
            << name;
        // Whole periods later (angles above 360 reduced) and before t0 (negative elapsed angle).
        EXPECT_LE((OrbitObjectPlace(o, scale, 500, 500, j0 + 3 * o.P * 365.25) -
                   OrbitPoint(o, scale, 500, 500, 0)).manhattanLength(), 2) << name;
        EXPECT_LE((OrbitObjectPlace(o, scale, 500, 500, j0 - 2 * o.P * 365.25) -
                   OrbitPoint(o, scale, 500, 500, 0)).manhattanLength(), 2) << name;
    }
    // Pluto a quarter period before its perihelion: uniform in angle about the Sun, 90° back.
    const OrbitObject& pluto = Row("Dwarfplanet Pluto");
    const QPoint q = OrbitObjectPlace(pluto, 10, 500, 500, PerihelionJulianDay(pluto.T0) - pluto.P * 365.25 / 4);
    EXPECT_LT(AngleDiff(AngleOf(q, 500, 500), pluto.Peri - 90), 1.0);
}

QImage Plan(int w, int h, double scale, std::vector<const OrbitObject*> ticked, QDate d = {2026, 12, 7}) {
    OrbitPlanView v;
    v.Year = d.year();
    v.Month = d.month();
    v.Day = d.day();
    v.Scale = scale;
    v.Ticked = ticked.data();
    v.TickedCount = static_cast<int>(ticked.size());
    return RenderOrbitPlan(w, h, v);
}

TEST_F(OrbitsTest, EmptyPlanShowsSunAndScaleBarOnly) {
    const QImage img = Plan(801, 601, 50, {});
    int sun = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if ((img.pixel(x, y) & 0xFFFFFF) == 0) continue;
            const bool inSun = x >= 390 && x < 411 && y >= 290 && y < 310;
            const bool inBar = y < 24 && x < 140;
            EXPECT_TRUE(inSun || inBar) << x << "," << y;
            sun += inSun;
        }
    EXPECT_GT(sun, 100);
    for (int x = 10; x <= 60; ++x) EXPECT_EQ(img.pixel(x, 10), qRgb(255, 255, 255)) << x;
    EXPECT_EQ(img.pixel(62, 10) & 0xFFFFFF, 0u);
}

TEST_F(OrbitsTest, OrbitColoursInListOrderAndWrapping) {
    EXPECT_EQ(OrbitColour(0), QColor(Qt::white));
    EXPECT_EQ(OrbitColour(7), OrbitColour(0));
    EXPECT_EQ(OrbitColour(1), QColor(0, 0, 255));
    // Mars second in the list: its orbit is blue; Earth first: white.
    const OrbitObject* earth = &Row("Earth");
    const OrbitObject* mars = &Row("Mars");
    const QImage img = Plan(800, 600, 100, {earth, mars});
    // Aphelion side of each orbit, away from the symbols (Mars stands near 270° then).
    const QPoint pe = OrbitPoint(*earth, 100, 400, 300, 180);
    const QPoint pm = OrbitPoint(*mars, 100, 400, 300, 120);
    EXPECT_EQ(img.pixel(pe), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(pm), qRgb(0, 0, 255));
    // The Earth's symbol is drawn at its place.
    const QPoint at = OrbitObjectPlace(*earth, 100, 400, 300, OrbitPlanJulianDay(2026, 12, 7));
    int lit = 0;
    for (int y = at.y() - 4; y < at.y() + 4; ++y)
        for (int x = at.x() - 4; x < at.x() + 4; ++x) lit += (img.pixel(x, y) & 0xFFFFFF) != 0;
    EXPECT_GT(lit, 10);
    // An asteroid is a filled disc of its orbit colour.
    const OrbitObject* eros = &Row("Asteroid Eros");
    const QImage one = Plan(800, 600, 100, {eros});
    const QPoint e = OrbitObjectPlace(*eros, 100, 400, 300, OrbitPlanJulianDay(2026, 12, 7));
    EXPECT_EQ(one.pixel(e), qRgb(255, 255, 255));
}

TEST_F(OrbitsTest, WindowControlsAndSimulation) {
    OrbitsWindow w(MainWindowSize{900, 640});
    QListWidget* const list = Child<QListWidget>(w, "objectList");
    QDateEdit* const date = Child<QDateEdit>(w, "dateEdit");
    QSpinBox* const step = Child<QSpinBox>(w, "stepSpin");
    QTimer* const timer = Child<QTimer>(w, "simulationTimer");
    QPushButton* const simulation = Child<QPushButton>(w, "simulationButton");
    EXPECT_EQ(w.windowTitle(), "Orbits");
    EXPECT_EQ(w.size(), QSize(900, 640));
    ASSERT_EQ(list->count(), 18);
    EXPECT_EQ(list->item(0)->text(), "Asteroid Apollo");
    EXPECT_EQ(list->item(9)->text(), "Dwarf planet Pluto");
    EXPECT_EQ(list->item(17)->text(), "Venus");
    EXPECT_TRUE(w.tickedNames().isEmpty());
    EXPECT_EQ(date->date(), QDate::currentDate());
    EXPECT_EQ(step->minimum(), -30);
    EXPECT_EQ(step->maximum(), 30);
    EXPECT_EQ(step->value(), 1);
    EXPECT_EQ(timer->interval(), 50);
    EXPECT_FALSE(timer->isActive());
    EXPECT_DOUBLE_EQ(w.scale(), 50);

    // Ticks: list order decides the colours; a re-activation keeps them.
    ASSERT_TRUE(w.setTicked("Venus", true));
    ASSERT_TRUE(w.setTicked("Earth", true));
    EXPECT_FALSE(w.setTicked("Pluto", true));
    w.refillObjectList();
    EXPECT_EQ(w.tickedNames(), QStringList({"Earth", "Venus"}));
    const OrbitPlanView v = w.currentView();
    ASSERT_EQ(v.TickedCount, 2);
    EXPECT_EQ(v.Ticked[0]->Name, "Earth");

    // Simulation: the button toggles the timer; each tick moves the date by the step.
    simulation->click();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(simulation->text(), "Stop");
    simulation->click();
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(simulation->text(), "Simulation");

    date->setDate(QDate(2026, 12, 30));
    w.stepSimulation();
    w.stepSimulation();
    EXPECT_EQ(date->date(), QDate(2027, 1, 1));
    EXPECT_EQ(w.currentView().Year, 2027);
    step->setValue(-30);
    w.stepSimulation();
    EXPECT_EQ(date->date(), QDate(2026, 12, 2));
    step->setValue(0);
    w.stepSimulation();
    EXPECT_EQ(date->date(), QDate(2026, 12, 2));
    step->setValue(30);
    date->setDate(QDate(9999, 12, 20));
    w.stepSimulation();
    EXPECT_EQ(date->date(), QDate(9999, 12, 31));  // held at the end of the date range

    // Across the calendar reform the field names its days as the reports do and the plan is
    // drawn for the day shown: 15 October 1582 less one day is the Julian 4 October.
    step->setValue(-1);
    date->setDate(QDate(1582, 10, 15));
    w.stepSimulation();
    EXPECT_EQ(date->date().toJulianDay(), 2299160);
    EXPECT_FALSE(date->calendar().isGregorian());
    EXPECT_EQ(date->date().day(date->calendar()), 4);
    EXPECT_EQ(w.currentView().Year * 10000 + w.currentView().Month * 100 + w.currentView().Day, 15821004);
    SetCivilDay(date, DayOfCivilDate({1500, 2, 29}));
    EXPECT_EQ(w.currentView().Month * 100 + w.currentView().Day, 229);
    EXPECT_EQ(date->date().month(date->calendar()) * 100 + date->date().day(date->calendar()), 229);

    // Scale buttons.
    for (int i = 0; i < 10; ++i) Child<QToolButton>(w, "zoomInButton")->click();
    EXPECT_DOUBLE_EQ(w.scale(), 500);
    Child<QToolButton>(w, "zoomResetButton")->click();
    EXPECT_DOUBLE_EQ(w.scale(), 50);
    Child<QToolButton>(w, "zoomOutButton")->click();
    EXPECT_NEAR(w.scale(), 35.3553, 1e-4);
}

// The window at a few zoom levels, 50 · √2^level pixels per AU: the Earth's orbit runs 0.983 to
// 1.017 AU from the Sun and Jupiter's 4.95 to 5.46 AU, and an orbit too large for the plan leaves
// it. Seen along the ray to the left of the Sun, clear of both planets on 7 December 2026.
TEST_F(OrbitsTest, ZoomLevelsScaleTheOrbits) {
    OrbitsWindow w(MainWindowSize{1070, 751});
    Child<QDateEdit>(w, "dateEdit")->setDate(QDate(2026, 12, 7));
    ASSERT_TRUE(w.setTicked("Earth", true));    // first in the list: white
    ASSERT_TRUE(w.setTicked("Jupiter", true));  // second: blue
    w.show();
    QWidget* const plan = Child<QWidget>(w, "plan");
    const QRgb white = qRgb(255, 255, 255) & 0xFFFFFF, blue = qRgb(0, 0, 255) & 0xFFFFFF;
    const QString dir = qEnvironmentVariable("NOCTARIS_GRAB_DIR");
    for (int level : {-4, 0, 2, 6}) {
        SCOPED_TRACE(level);
        Child<QToolButton>(w, "zoomResetButton")->click();
        for (int i = 0; i < level; ++i) Child<QToolButton>(w, "zoomInButton")->click();
        for (int i = 0; i < -level; ++i) Child<QToolButton>(w, "zoomOutButton")->click();
        const double scale = 50 * std::pow(2.0, level / 2.0);
        ASSERT_NEAR(w.scale(), scale, 1e-9);

        const QImage img = plan->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int cx = img.width() / 2, cy = img.height() / 2;
        EXPECT_NE(img.pixel(cx, cy) & 0xFFFFFF, 0u);  // the Sun
        // Whether `colour` lies on the ray between `from` and `to` AU from the Sun (one pixel
        // of slack every way).
        auto onRay = [&](QRgb colour, double from, double to) {
            const int x0 = std::max(0, static_cast<int>(cx - to * scale) - 1);
            const int x1 = std::min(cx - 1, static_cast<int>(cx - from * scale) + 1);
            for (int y = cy - 1; y <= cy + 1; ++y)
                for (int x = x0; x <= x1; ++x)
                    if ((img.pixel(x, y) & 0xFFFFFF) == colour) return true;
            return false;
        };
        ASSERT_LT(1.017 * scale, cx);  // the Earth's orbit fits the plan at every level
        EXPECT_TRUE(onRay(white, 0.983, 1.017));
        if (5.46 * scale < cx)
            EXPECT_TRUE(onRay(blue, 4.95, 5.46));
        else
            EXPECT_FALSE(onRay(blue, 0.5, 1000)) << "Jupiter's orbit beyond the plan's edge";
        EXPECT_EQ(level >= 2, 4.95 * scale > cx);  // the levels cover both cases
        if (!dir.isEmpty()) w.grab().save(QDir(dir).filePath(QString("orbits_%1.png").arg(level)));
    }
}

}  // namespace
}  // namespace noctaris
