// The orbit plan: the orbit table, the plan's geometry and its drawing.
#include "windows/orbits_plan.h"

#include <cmath>
#include <exception>
#include <optional>
#include <string>

#include <QCoreApplication>
#include <QPainter>

#include "astro/core/constants.h"
#include "astro/theories/planets.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "platform/pictures.h"
#include "astro/time/calendar_dates.h"

namespace noctaris {
namespace {

constexpr double kSqrt2 = 1.4142135623730950488;

int RoundInt(double v) { return static_cast<int>(std::nearbyint(v)); }

// Name, perihelion direction, a, e, t0, P: the major planets take their places from the
// planetary theory (t0 = P = 0), the others move uniformly in angle from their perihelion.
const char* const kOrbitRows[][6] = {
    {"Earth", "103", "1", "0.016719", "0", "0"},
    {"Mercury", "77", "0.387", "0.2056", "0", "0"},
    {"Venus", "131", "0.7233", "0.0068", "0", "0"},
    {"Mars", "336", "1.52369", "0.0934", "0", "0"},
    {"Jupiter", "14", "5.2032", "0.0482", "0", "0"},
    {"Saturn", "93", "9.5210", "0.0550", "0", "0"},
    {"Uranus", "170", "19.162", "0.0472", "0", "0"},
    {"Neptune", "44", "30.029", "0.010", "0", "0"},
    {"Dwarfplanet Pluto", "223", "39.354", "0.246", "1981.4125", "251.370"},
    {"Asteroid Ceres", "72.5898", "2.7654", "0.079138", "1999.9954", "5.0856"},
    {"Asteroid Vesta", "149.986", "2.3607", "0.0906", "1990.3589", "3.63"},
    {"Asteroid Davida", "339.207", "3.1728", "0.1783", "1990.3589", "5.689"},
    {"Asteroid Pallas", "309.724", "2.77111", "0.23359", "2000.1656", "4.613"},
    {"Asteroid Eros", "178.581472", "1.4584", "0.22292239", "1997.9614", "1.76123"},
    {"Asteroid Aten", "147.9", "0.967", "0.1892", "2002.345205", "0.9509"},
    {"Asteroid Hathor", "356.0", "0.832", "0.5252", "2002.345205", "0.7589"},
    {"Asteroid Icarus", "31.3", "1.078", "0.7672", "2002.345205", "1.1193"},
    {"Asteroid Apollo", "285.7", "1.471", "0.3807", "2002.345205", "1.7841"},
};

// Symbols of the major planets, 8 × 8 pixels (Saturn 18 × 8 with its rings).
const char* const kPlanetSymbols[8] = {"1171", "1172", "1173", "1174",
                                       "1175", "1176", "1177", "1178"};

double ParseNumber(const QString& s) {
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);  // QString::toDouble is locale-independent
    return ok && std::isfinite(v) ? v : 0.0;
}

// Semi-latus rectum p = b²/a of the ellipse.
double SemiLatusRectum(const OrbitObject& o) {
    const double ae = o.A * o.E;
    const double b = std::sqrt(o.A * o.A - ae * ae);
    return b * b / o.A;
}

// Brings an angle that exceeds 360 down by whole turns into (0, 360]; smaller angles,
// negative ones included, stay as they are.
double ReduceAbove360(double h) {
    if (!(h > 360)) return h;
    const double turns = std::ceil(h / 360) - 1;
    h -= 360 * turns;
    while (h > 360) h -= 360;  // guards the division's rounding
    while (h <= 0) h += 360;
    return h;
}

QPoint PolarPixel(int cx, int cy, double r, double angle) {
    return {cx + RoundInt(r * std::cos(angle * kDegree)), cy - RoundInt(r * std::sin(angle * kDegree))};
}

}  // namespace

// ---- The orbit table ---------------------------------------------------------------------------

OrbitKind OrbitKindOf(const QString& name) {
    if (name.startsWith(QLatin1Char('D')))
        return name.contains(QLatin1String("Dwarfplanet Pluto")) ? OrbitKind::DwarfPlanet
                                                                 : OrbitKind::Unknown;
    if (name.startsWith(QLatin1Char('A'))) return OrbitKind::Asteroid;
    const std::optional<Body> body = BodyFromName(name.toStdString());
    return body && IsPlanet(*body) ? OrbitKind::Planet : OrbitKind::Unknown;
}

QString OrbitObjectLabel(const QString& name) {
    switch (OrbitKindOf(name)) {
        case OrbitKind::DwarfPlanet: return name.mid(12);  // "Dwarfplanet Pluto" -> "Pluto"
        case OrbitKind::Asteroid: return name.mid(9);      // "Asteroid Ceres" -> "Ceres"
        default: return name;
    }
}

QString OrbitObjectDisplayName(const OrbitObject& o) {
    switch (o.Kind) {
        case OrbitKind::Planet: return QCoreApplication::translate("Planet", BodyName(o.Planet));
        case OrbitKind::DwarfPlanet:
            return QCoreApplication::translate("OrbitPlan", "Dwarf planet %1").arg(o.Label);
        case OrbitKind::Asteroid: return QCoreApplication::translate("OrbitPlan", "Asteroid %1").arg(o.Label);
        case OrbitKind::Unknown: break;
    }
    return o.Name;
}

QString OrbitObjectDisplayLabel(const OrbitObject& o) {
    return o.Kind == OrbitKind::Planet ? QCoreApplication::translate("Planet", BodyName(o.Planet)) : o.Label;
}

const QStringList& OrbitTableStrings() {
    static const QStringList strings = [] {
        QStringList s;
        for (const auto& row : kOrbitRows)
            for (const char* cell : row) s << QString::fromLatin1(cell);
        return s;
    }();
    return strings;
}

std::vector<OrbitObject> ParseOrbitTable(const QStringList& strings) {
    std::vector<OrbitObject> table;
    for (qsizetype i = 0; i + 5 < strings.size(); i += 6) {
        if (strings[i].startsWith(QLatin1Char('['))) break;
        OrbitObject o;
        o.Name = strings[i];
        o.Peri = ParseNumber(strings[i + 1]);
        o.A = ParseNumber(strings[i + 2]);
        o.E = ParseNumber(strings[i + 3]);
        o.T0 = ParseNumber(strings[i + 4]);
        o.P = ParseNumber(strings[i + 5]);
        o.Kind = OrbitKindOf(o.Name);
        o.Label = OrbitObjectLabel(o.Name);
        if (o.Kind == OrbitKind::Planet) o.Planet = *BodyFromName(o.Name.toStdString());
        table.push_back(std::move(o));
    }
    return table;
}

const std::vector<OrbitObject>& OrbitTable() {
    static const std::vector<OrbitObject> table = ParseOrbitTable(OrbitTableStrings());
    return table;
}

const OrbitObject* FindOrbitObject(const QString& name) {
    for (const OrbitObject& o : OrbitTable())
        if (o.Name == name) return &o;
    return nullptr;
}

// ---- Geometry ----------------------------------------------------------------------------------

double ZoomIn(double scale) {
    scale *= kSqrt2;
    return scale > kMaxOrbitScale ? kMaxOrbitScale : scale;
}

double ZoomOut(double scale) {
    const double s = scale / kSqrt2;
    return s < kMinOrbitScale ? scale : s;
}

double OrbitPlanJulianDay(int year, int month, int day) {
    return LocalMidnightJD(year, month, day, 1.0);
}

double PerihelionJulianDay(double t0) {
    const double year = std::trunc(t0);
    const double d = (t0 - year) * 365.25;
    const double m = d / 30;
    const int month = RoundInt(m);
    const int day = RoundInt((m - std::trunc(m)) * 30);
    return OrbitPlanJulianDay(static_cast<int>(year), month, day);
}

double OrbitRadius(const OrbitObject& o, double scale, double theta) {
    return scale * SemiLatusRectum(o) / (o.E * std::cos(theta * kDegree) + 1);
}

QPoint OrbitPoint(const OrbitObject& o, double scale, int cx, int cy, double theta) {
    return PolarPixel(cx, cy, OrbitRadius(o, scale, theta), theta + o.Peri);
}

QPoint OrbitObjectPlace(const OrbitObject& o, double scale, int cx, int cy, double jd) {
    switch (o.Kind) {
        case OrbitKind::Planet: {
            const double l = PlanetHeliocentricLongitude(o.Planet, jd);
            return PolarPixel(cx, cy, OrbitRadius(o, scale, l - o.Peri), l);
        }
        case OrbitKind::DwarfPlanet: {
            // Uniform motion in angle about the Sun, starting at the perihelion at t0.
            const double h =
                ReduceAbove360(o.Peri + (jd - PerihelionJulianDay(o.T0)) * 360 / 365.25 / o.P);
            return PolarPixel(cx, cy, OrbitRadius(o, scale, h - o.Peri), h);
        }
        case OrbitKind::Asteroid: {
            // Uniform motion in angle about the empty focus: the point found about the Sun is
            // mirrored through the ellipse centre K, half way between perihelion and aphelion.
            const double p = scale * SemiLatusRectum(o);
            const QPoint q1 = PolarPixel(cx, cy, p / (1 + o.E), o.Peri);
            const QPoint q2 = PolarPixel(cx, cy, p / (1 - o.E), o.Peri + 180);
            const QPoint k((q1.x() + q2.x()) / 2, (q1.y() + q2.y()) / 2);
            const double h = ReduceAbove360(o.Peri + 180 +
                                            (jd - PerihelionJulianDay(o.T0)) * 360 / 365.25 / o.P);
            const QPoint s = PolarPixel(cx, cy, OrbitRadius(o, scale, h - o.Peri), h);
            return 2 * k - s;
        }
        case OrbitKind::Unknown: break;
    }
    return {cx, cy};
}

ScaleBar ScaleBarFor(double scale) {
    ScaleBar bar;
    const double n = std::nearbyint(50 / scale);
    if (n >= 4) {
        bar.Label = Format(QCoreApplication::translate("OrbitPlan", "%d AU"), {static_cast<long long>(n)});
        bar.Length = RoundInt(n * scale);
    } else {
        bar.Label = Format(QCoreApplication::translate("OrbitPlan", "%.2n AU"), {50 / scale});
        bar.Length = 50;
    }
    return bar;
}

QColor OrbitColour(int index) {
    static const QColor colours[kOrbitColourCount] = {
        QColor(255, 255, 255), QColor(0, 0, 255),   QColor(255, 0, 0),   QColor(0, 128, 0),
        QColor(0, 255, 255),   QColor(255, 0, 255), QColor(255, 255, 0),
    };
    index %= kOrbitColourCount;
    return colours[index < 0 ? index + kOrbitColourCount : index];
}

// ---- Drawing -----------------------------------------------------------------------------------

OrbitPlanRenderer::OrbitPlanRenderer() {
    // A missing symbol is left out of the plan rather than stopping it.
    try {
        sun_ = LoadTransparentPicture("orb_sun");
    } catch (const std::exception& e) {
        qWarning("Orbits: %s", e.what());
    }
    for (int i = 0; i < 8; ++i) {
        try {
            planets_[i] = LoadTransparentPicture(kPlanetSymbols[i]);
        } catch (const std::exception& e) {
            qWarning("Orbits: %s", e.what());
        }
    }
    const auto& table = OrbitTable();
    labels_.reserve(table.size());
    for (const OrbitObject& o : table) {
        QStaticText t(OrbitObjectDisplayLabel(o));
        t.setTextFormat(Qt::PlainText);
        t.prepare(QTransform(), fonts_.Font(ChartFont::Small));
        labels_.push_back(std::move(t));
    }
}

const QStaticText& OrbitPlanRenderer::LabelOf(const OrbitObject& o) {
    const auto& table = OrbitTable();
    return labels_[static_cast<std::size_t>(&o - table.data())];
}

const QImage* OrbitPlanRenderer::SymbolOf(const OrbitObject& o) const {
    if (o.Kind != OrbitKind::Planet) return nullptr;
    const std::size_t i = static_cast<std::size_t>(o.Planet) - static_cast<std::size_t>(Body::Mercury);
    return planets_[i].isNull() ? nullptr : &planets_[i];
}

void OrbitPlanRenderer::Paint(QPainter& painter, int width, int height, const OrbitPlanView& view) {
    const int cx = width / 2, cy = height / 2;
    painter.fillRect(0, 0, width, height, Qt::black);
    ChartCanvas canvas(painter, fonts_);
    canvas.SetFont(ChartFont::Small);
    canvas.SetFontColor(Qt::white);

    const double jd = OrbitPlanJulianDay(view.Year, view.Month, view.Day);
    const double scale = view.Scale;
    const auto& table = OrbitTable();
    for (int i = 0; i < view.TickedCount; ++i) {
        const OrbitObject* o = view.Ticked[i];
        if (o == nullptr || o < table.data() || o >= table.data() + table.size()) continue;
        const QColor colour = OrbitColour(i);
        canvas.SetPenColor(colour);
        canvas.SetBrushColor(colour);

        // The orbit: 180 chords from the perihelion round the ellipse.
        for (int k = 0; k <= 180; ++k) orbit_[k] = OrbitPoint(*o, scale, cx, cy, 2.0 * k);
        painter.drawPolyline(orbit_.data(), static_cast<int>(orbit_.size()));

        if (o->Kind == OrbitKind::Unknown) continue;
        const QPoint at = OrbitObjectPlace(*o, scale, cx, cy, jd);
        if (o->Kind == OrbitKind::Planet) {
            if (const QImage* symbol = SymbolOf(*o)) {
                const int dx = symbol->width() > 8 ? 9 : 4;  // Saturn's rings
                painter.drawImage(at.x() - dx, at.y() - 4, *symbol);
            }
        } else {
            canvas.Ellipse(at.x() - 4, at.y() - 4, at.x() + 4, at.y() + 4);
        }
        canvas.TextOut(at.x() - 6, at.y() + 4, LabelOf(*o));
    }

    if (scale != barScale_) {
        bar_ = ScaleBarFor(scale);
        barScale_ = scale;
    }
    canvas.SetPenColor(Qt::white);
    canvas.MoveTo(10, 10);
    canvas.LineTo(10 + bar_.Length, 10);
    canvas.TextOut(15 + bar_.Length, 6, bar_.Label);

    if (!sun_.isNull()) painter.drawImage(cx - 10, cy - 10, sun_);
}

QImage RenderOrbitPlan(int width, int height, const OrbitPlanView& view) {
    QImage image(width, height, QImage::Format_RGB32);
    OrbitPlanRenderer renderer;
    QPainter p(&image);
    renderer.Paint(p, width, height, view);
    return image;
}

}  // namespace noctaris
