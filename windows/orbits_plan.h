#pragma once
// The plan of the orbits window: the solar system seen from the north ecliptic pole, the Sun in
// the centre, the orbits of chosen objects drawn as ellipses with each object at its place for a
// date. OrbitPlanRenderer draws it onto any QPainter, so it renders headless into a QImage.
#include <array>
#include <string>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QStaticText>
#include <QString>
#include <QStringList>

#include "astro/core/body.h"
#include "chart/canvas.h"

class QPainter;

namespace noctaris {

// ---- The orbit table ---------------------------------------------------------------------------

// How an object moves on the plan, told by its name: "D..." is the dwarf planet, "A..." an
// asteroid, a planet's English name a major planet placed by the planetary theory; anything
// else is unknown.
enum class OrbitKind { Planet, DwarfPlanet, Asteroid, Unknown };
OrbitKind OrbitKindOf(const QString& name);

// The text written beside an object: the planet's name, "Pluto" for the dwarf planet, the
// asteroid's name without "Asteroid ".
QString OrbitObjectLabel(const QString& name);

// One row of the orbit table.
struct OrbitObject {
    QString Name;
    double Peri = 0;  // direction of the perihelion on the plan, degrees from +x (counter-clockwise)
    double A = 0;     // semi-major axis, AU
    double E = 0;     // eccentricity
    double T0 = 0;    // time of perihelion, decimal year (0 for the major planets)
    double P = 0;     // period, years (0 for the major planets)
    OrbitKind Kind = OrbitKind::Planet;
    QString Label;
    Body Planet = Body::Earth;  // the planet, for OrbitKind::Planet
};

// The orbit table as strings: six per object (name, perihelion direction, a, e, t0, P),
// numbers with a decimal point.
const QStringList& OrbitTableStrings();

// Parses six-strings-per-object rows (numbers with a decimal point whatever the locale). A row
// whose name begins with "[" ends the table. Unparsable numbers read as 0.
std::vector<OrbitObject> ParseOrbitTable(const QStringList& strings);

// What the user reads for an object, in the language of the installed translator: its name in
// the object list ("Asteroid Ceres") and its label on the plan ("Ceres"). Name and Label
// themselves stay English: they name the object to the program and on the command line.
QString OrbitObjectDisplayName(const OrbitObject& o);
QString OrbitObjectDisplayLabel(const OrbitObject& o);

// The parsed built-in table (parsed once).
const std::vector<OrbitObject>& OrbitTable();
const OrbitObject* FindOrbitObject(const QString& name);

// ---- Geometry of the plan ----------------------------------------------------------------------

inline constexpr double kInitialOrbitScale = 50;   // pixels per AU
inline constexpr double kMaxOrbitScale = 500;
// Zooming out stops here: below it the scale label would no longer be a representable whole
// number (the plan is a single pixel long before that anyway).
inline constexpr double kMinOrbitScale = 1e-12;

double ZoomIn(double scale);   // × √2, at most 500
double ZoomOut(double scale);  // / √2 (unchanged once the result would fall below kMinOrbitScale)

// Julian day the plan uses for a date: 0 h of the date in a fixed zone of one hour.
double OrbitPlanJulianDay(int year, int month, int day);
// Julian day of a time of perihelion given as a decimal year, by the plan's crude month/day
// split of the year's fraction (months of 30 days, rounded).
double PerihelionJulianDay(double t0);

// Radius in pixels at true anomaly theta (degrees from the perihelion).
double OrbitRadius(const OrbitObject& o, double scale, double theta);
// Pixel of the orbit point at true anomaly theta for the Sun at (cx, cy).
QPoint OrbitPoint(const OrbitObject& o, double scale, int cx, int cy, double theta);
// Pixel of the object on its orbit at Julian day jd (the centre of its symbol or disc).
QPoint OrbitObjectPlace(const OrbitObject& o, double scale, int cx, int cy, double jd);

// The scale bar: label and length in pixels.
struct ScaleBar {
    QString Label;
    int Length = 0;
};
ScaleBar ScaleBarFor(double scale);

// The orbit colours, used in turn for the ticked objects.
inline constexpr int kOrbitColourCount = 7;
QColor OrbitColour(int index);

// ---- Drawing -----------------------------------------------------------------------------------

struct OrbitPlanView {
    int Year = 2000, Month = 1, Day = 1;
    double Scale = kInitialOrbitScale;
    // The ticked objects in list order (pointers into OrbitTable()).
    const OrbitObject* const* Ticked = nullptr;
    int TickedCount = 0;
};

// Holds what the plan needs from one repaint to the next (fonts, symbols, prepared labels) so
// that a repaint allocates next to nothing.
class OrbitPlanRenderer {
public:
    OrbitPlanRenderer();
    // Draws the whole plan for a surface of width × height pixels.
    void Paint(QPainter& painter, int width, int height, const OrbitPlanView& view);

private:
    const QStaticText& LabelOf(const OrbitObject& o);
    const QImage* SymbolOf(const OrbitObject& o) const;

    ChartFonts fonts_;
    QImage sun_;
    std::array<QImage, 8> planets_;  // Mercury .. Neptune
    std::vector<QStaticText> labels_;  // one per row of OrbitTable()
    double barScale_ = -1;
    ScaleBar bar_;
    std::array<QPoint, 181> orbit_;
};

// The plan drawn into a new image (tests, grabs).
QImage RenderOrbitPlan(int width, int height, const OrbitPlanView& view);

}  // namespace noctaris
