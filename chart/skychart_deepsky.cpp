#include "chart/skychart_deepsky.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include <QPainterPath>
#include <QTransform>

#include "platform/language.h"

namespace noctaris {
namespace {

constexpr double kPiD = std::numbers::pi;
constexpr double kDeg = kPiD / 180;
constexpr double kMaxEdge = 1.5 * kDeg;  // longer outline edges are split: the chart is not gnomonic
constexpr double kSymbolRadius = 4;       // pixels: the smallest symbol
constexpr double kLabelSpan = 45;         // unnamed objects are labelled in views narrower than this

struct Vec {
    double x, y, z;
};
Vec Unit(double ra, double dec) { return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)}; }
double Dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Cross(const Vec& a, const Vec& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

// The turn from J2000 to the chart's horizon (south, west, zenith): the frame's sidereal angle
// and latitude after the precise frame's bias-precession-nutation, when there is one.
struct Horizon {
    double m[3][3];
    Horizon(const ChartFrame& f, const PreciseFrame* precise) {
        const double c = std::cos(f.SiderealAngle), s = std::sin(f.SiderealAngle);
        const double h[3][3] = {{c * f.SinLat, s * f.SinLat, -f.CosLat}, {s, -c, 0}, {c * f.CosLat, s * f.CosLat, f.SinLat}};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                m[i][j] = precise ? 0 : h[i][j];
                if (precise)
                    for (int k = 0; k < 3; ++k) m[i][j] += h[i][k] * precise->npb[k][j];
            }
    }
    Vec operator()(double x, double y, double z) const {
        return {m[0][0] * x + m[0][1] * y + m[0][2] * z, m[1][0] * x + m[1][1] * y + m[1][2] * z,
                m[2][0] * x + m[2][1] * y + m[2][2] * z};
    }
    // Back from the horizon to J2000 (the transpose of a rotation).
    Vec Back(const Vec& v) const {
        return {m[0][0] * v.x + m[1][0] * v.y + m[2][0] * v.z, m[0][1] * v.x + m[1][1] * v.y + m[2][1] * v.z,
                m[0][2] * v.x + m[1][2] * v.y + m[2][2] * v.z};
    }
};

// The unrounded pixel of a horizontal direction, as ProjectToScreen places it.
QPointF Pixel(const ChartFrame& f, const Vec& h) {
    const double azimuth = std::atan2(h.y, h.x) / kDeg;
    const double altitude = std::asin(std::clamp(h.z, -1.0, 1.0));
    return {AzimuthToScreenX(f, azimuth), f.HorizonRow - f.AltitudeScale * altitude * f.Height};
}

// Whether the great-circle arcs a-b and c-d (each shorter than a half circle) cross.
bool ArcsCross(const Vec& a, const Vec& b, const Vec& c, const Vec& d) {
    const Vec n1 = Cross(a, b), n2 = Cross(c, d);
    const double sc = Dot(n1, c), sd = Dot(n1, d);
    if ((sc > 0) == (sd > 0)) return false;
    const double sa = Dot(n2, a), sb = Dot(n2, b);
    if ((sa > 0) == (sb > 0)) return false;
    // Both circles cross at ±p; the crossing must lie on the arcs, not opposite them.
    const Vec p = Cross(n1, n2);
    const Vec mid{a.x + b.x, a.y + b.y, a.z + b.z};
    const Vec mid2{c.x + d.x, c.y + d.y, c.z + d.z};
    return (Dot(p, mid) > 0) == (Dot(p, mid2) > 0);
}

const Vec kSouthGalacticPole = Unit(12.85948 * kDeg, -27.12825 * kDeg);

}  // namespace

double DeepSkyMagnitudeLimit(double span) {
    if (!(span > 0)) return 7;
    const double t = std::clamp(std::log(180.0 / span) / std::log(180.0 / 5.0), 0.0, 1.0);
    return 7 + 5 * t;
}

DeepSkyLayer::DeepSkyLayer() { section_.reserve(512); }

void DeepSkyLayer::Load(const QFont& font) {
    if (objectsLoaded_) return;
    const std::vector<DeepSkyObject>& objects = LoadDeepSky();
    const Language language = CurrentLanguage();
    objects_.reserve(objects.size());
    labels_.reserve(objects.size());
    for (const DeepSkyObject& o : objects) {
        const Vec v = Unit(o.ra, o.dec);
        objects_.push_back({v.x, v.y, v.z, o.ra, std::sin(o.dec), std::cos(o.dec), std::cos(o.ra), std::sin(o.ra)});
        const std::string& name = o.Name(language);
        QStaticText label(QString::fromStdString(o.IsMessier() || name.empty() ? o.designations.front() : name));
        label.setTextFormat(Qt::PlainText);
        label.prepare(QTransform(), font);
        labels_.push_back(std::move(label));
    }
    objectsLoaded_ = true;
}

// Like the stars: turned to the equinox of date with precise positions, and back to the
// catalogue's places exactly as loaded without them.
void DeepSkyLayer::Turn(const PreciseFrame* precise) {
    if (!precise && !turned_) return;
    if (precise && turned_ && precise->tt() == turnedForTT_) return;
    const std::vector<DeepSkyObject>& objects = LoadDeepSky();
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        Entry& e = objects_[i];
        if (!precise) {
            e.ra = objects[i].ra, e.sinDec = std::sin(objects[i].dec), e.cosDec = std::cos(objects[i].dec);
        } else {
            const double (&m)[3][3] = precise->npb;
            const double x = m[0][0] * e.x + m[0][1] * e.y + m[0][2] * e.z;
            const double y = m[1][0] * e.x + m[1][1] * e.y + m[1][2] * e.z;
            e.sinDec = m[2][0] * e.x + m[2][1] * e.y + m[2][2] * e.z;
            e.cosDec = std::sqrt(x * x + y * y);
            e.ra = std::atan2(y, x);
        }
        e.cosRa = std::cos(e.ra), e.sinRa = std::sin(e.ra);
    }
    turned_ = precise != nullptr;
    turnedForTT_ = precise ? precise->tt() : 0;
}

std::vector<DeepSkyLayer::Label> DeepSkyLayer::DrawObjects(QPainter& painter, const ChartFrame& f,
                                                           const ChartPalette& palette, const PreciseFrame* precise,
                                                           bool smooth, const QFont& font, ObjectList* hits) {
    Load(font);
    Turn(precise);
    marks_.clear();
    std::vector<Label> labels;
    const std::vector<DeepSkyObject>& objects = LoadDeepSky();
    const double limit = DeepSkyMagnitudeLimit(f.Span);
    const bool labelUnnamed = f.Span < kLabelSpan;
    const ChartPlacement placement(f);
    const Horizon horizon(f, precise);
    const double pixelsPerArcmin = f.PixelsPerDegree / 60;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setFont(font);
    // Thin aliased outlines: a hundred antialiased strokes would cost as much as the sky itself.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPen solid(palette.deepSky, 1);
    // Dotted outlines as separate dots: far cheaper than a dash pattern along the curve.
    std::vector<QPointF> dotBuffer;
    // Circles and ellipses as polygons of short sides: the painter's curves cost far more.
    QPolygonF outline;
    const auto ellipse = [&](const QTransform& t, double radius) {
        outline.clear();
        const int n = std::clamp(static_cast<int>(2 * kPiD * radius / 2.5), 12, 240);
        for (int k = 0; k < n; ++k) outline << t.map(QPointF(std::cos(2 * kPiD * k / n), std::sin(2 * kPiD * k / n)));
        painter.drawPolygon(outline);
    };
    const auto circle = [&](const QPointF& c, double radius) {
        ellipse(QTransform(radius, 0, 0, radius, c.x(), c.y()), radius);
    };
    const auto dotted = [&](const QPointF& c, double radius, bool square) {
        dotBuffer.clear();
        const int n = std::clamp(static_cast<int>(2 * kPiD * radius / 3), 8, 240);
        for (int k = 0; k < n; ++k) {
            const double a = 2 * kPiD * k / n;
            double dx = std::cos(a), dy = std::sin(a);
            if (square) {
                const double m = std::max(std::fabs(dx), std::fabs(dy));
                dx /= m, dy /= m;
            }
            dotBuffer.emplace_back(c.x() + radius * dx, c.y() + radius * dy);
        }
        painter.setPen(solid);
        painter.drawPoints(dotBuffer.data(), static_cast<int>(dotBuffer.size()));
    };
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const DeepSkyObject& o = objects[i];
        if (!o.IsMessier() && o.magnitude && !(*o.magnitude <= limit)) continue;
        const Entry& e = objects_[i];
        int x = 0, y = 0;
        if (!placement.Place(e.ra, e.cosRa, e.sinRa, e.sinDec, e.cosDec, x, y)) continue;
        const QPointF c(x, y);
        // The apparent size where it is larger than the symbol.
        const double apparent = o.majorAxis / 2 * pixelsPerArcmin;
        double radius = std::max(kSymbolRadius, apparent);
        switch (o.kind) {
        case DeepSkyKind::Galaxy: {
            const double ratio = o.majorAxis > 0 && o.minorAxis > 0 ? std::clamp(o.minorAxis / o.majorAxis, 0.3, 1.0) : 0.5;
            QTransform t;
            if (o.positionAngle && apparent > kSymbolRadius) {
                // The axes as the chart draws the sky around the object.
                const double pa = *o.positionAngle * kDeg, r = o.majorAxis / 2 / 60 * kDeg;
                const Vec v{e.x, e.y, e.z};
                const Vec north{-v.z * std::cos(std::atan2(v.y, v.x)), -v.z * std::sin(std::atan2(v.y, v.x)),
                                std::sqrt(v.x * v.x + v.y * v.y)};
                const Vec east = Cross(north, v);
                const auto at = [&](double angle, double dist) {
                    const Vec d{std::cos(angle) * north.x + std::sin(angle) * east.x,
                                std::cos(angle) * north.y + std::sin(angle) * east.y, std::cos(angle) * north.z + std::sin(angle) * east.z};
                    const double cr = std::cos(dist), sr = std::sin(dist);
                    return Pixel(f, horizon(cr * v.x + sr * d.x, cr * v.y + sr * d.y, cr * v.z + sr * d.z));
                };
                const QPointF centre = Pixel(f, horizon(v.x, v.y, v.z));
                const QPointF major = at(pa, r) - centre, minor = at(pa + kPiD / 2, r * ratio) - centre;
                if (std::isfinite(major.x() + major.y() + minor.x() + minor.y())) {
                    t = QTransform(major.x(), major.y(), minor.x(), minor.y(), c.x(), c.y());
                    radius = std::max(std::hypot(major.x(), major.y()), kSymbolRadius);
                }
            }
            painter.setPen(solid);
            ellipse(t.isIdentity() ? QTransform(radius, 0, 0, radius * ratio, c.x(), c.y()) : t, radius);
            break;
        }
        case DeepSkyKind::OpenCluster:
        case DeepSkyKind::Other:
            dotted(c, radius, false);
            break;
        case DeepSkyKind::GlobularCluster:
            painter.setPen(solid);
            circle(c, radius);
            painter.drawLine(QPointF(c.x() - radius, c.y()), QPointF(c.x() + radius, c.y()));
            painter.drawLine(QPointF(c.x(), c.y() - radius), QPointF(c.x(), c.y() + radius));
            break;
        case DeepSkyKind::PlanetaryNebula: {
            painter.setPen(solid);
            const double r = std::max(apparent, kSymbolRadius - 1.5);
            circle(c, r);
            for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}})
                painter.drawLine(QPointF(c.x() + dx * r, c.y() + dy * r), QPointF(c.x() + dx * (r + 3), c.y() + dy * (r + 3)));
            radius = r + 3;
            break;
        }
        case DeepSkyKind::BrightNebula:
            painter.setPen(solid);
            painter.drawRect(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius));
            break;
        case DeepSkyKind::DarkNebula:
            dotted(c, radius, true);
            break;
        }
        marks_.push_back({static_cast<int>(i), x, y, o.kind, radius});
        if (hits) hits->Add(x, y, std::to_string(i));
        const bool named = o.IsMessier() || !o.englishName.empty();
        if (!named && !labelUnnamed) continue;
        const int gap = static_cast<int>(std::min(radius, 12.0));
        if (smooth) {
            labels.push_back({x + gap - 3, y, o.magnitude.value_or(8), &labels_[i]});
        } else {
            painter.setPen(palette.deepSkyLabels);
            painter.drawStaticText(x + gap + 2, y + 2, labels_[i]);
        }
    }
    painter.restore();
    return labels;
}

void DeepSkyLayer::DrawMilkyWay(QPainter& painter, const ChartFrame& f, const ChartPalette& palette,
                                const PreciseFrame* precise) {
    if (!ringsLoaded_) {
        for (const MilkyWayOutline& o : LoadMilkyWay()) {
            Ring ring;
            ring.level = o.level;
            const std::size_t n = o.ra.size();
            for (std::size_t i = 0; i < n; ++i) {
                const Vec a = Unit(o.ra[i], o.dec[i]), b = Unit(o.ra[(i + 1) % n], o.dec[(i + 1) % n]);
                const double angle = std::acos(std::clamp(Dot(a, b), -1.0, 1.0));
                const int steps = std::max(1, static_cast<int>(std::ceil(angle / kMaxEdge)));
                for (int k = 0; k < steps; ++k) {
                    // Along the great circle: the normalised mix of the two ends.
                    const double t = static_cast<double>(k) / steps;
                    Vec p{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
                    const double len = std::sqrt(Dot(p, p));
                    ring.x.push_back(p.x / len), ring.y.push_back(p.y / len), ring.z.push_back(p.z / len);
                }
            }
            Vec c{0, 0, 0};
            for (std::size_t i = 0; i < ring.x.size(); ++i) c.x += ring.x[i], c.y += ring.y[i], c.z += ring.z[i];
            const double len = std::sqrt(Dot(c, c));
            c = len > 1e-9 ? Vec{c.x / len, c.y / len, c.z / len} : Vec{0, 0, 1};
            ring.cx = c.x, ring.cy = c.y, ring.cz = c.z;
            ring.radius = 0;
            for (std::size_t i = 0; i < ring.x.size(); ++i)
                ring.radius = std::max(ring.radius, std::acos(std::clamp(Dot(c, {ring.x[i], ring.y[i], ring.z[i]}), -1.0, 1.0)));
            if (len <= 1e-9) ring.radius = kPiD;
            rings_.push_back(std::move(ring));
        }
        ringsLoaded_ = true;
    }
    const Horizon horizon(f, precise);
    // The half of the sky in front (azimuth within 90 degrees of the view's) holds the whole
    // chart, and there the azimuth runs without a seam. Each ring is cut to that half; a piece
    // that leaves it is closed along the half's edge, the way round that avoids the zenith.
    // Every closed piece is filled with the even-odd rule, and where the zenith lies inside a
    // ring the whole half is added once more, which turns the pieces' inside round.
    const double view = f.ViewAzimuth * kDeg;
    const Vec front{std::cos(view), std::sin(view), 0};
    const Vec right{-std::sin(view), std::cos(view), 0};  // azimuth + 90 degrees: westward
    const double left = f.CenterX - 90 * f.PixelsPerDegree, rightEdge = f.CenterX + 90 * f.PixelsPerDegree;
    const double nadirRow = f.HorizonRow + f.AltitudeScale * (kPiD / 2) * f.Height;
    const double zenithRow = f.HorizonRow - f.AltitudeScale * (kPiD / 2) * f.Height;
    const Vec zenith = horizon.Back({0, 0, 1});
    // The cap around the view's centre that holds the chart: a ring wholly outside it only
    // decides whether the whole chart lies inside it.
    const auto direction = [](double azimuthDeg, double altitude) {
        const double a = azimuthDeg * kDeg;
        return Vec{std::cos(altitude) * std::cos(a), std::cos(altitude) * std::sin(a), std::sin(altitude)};
    };
    const double top = std::clamp(ScreenYToAltitude(f, -12), -kPiD / 2, kPiD / 2);
    const double bottom = std::clamp(ScreenYToAltitude(f, f.Height + 12), -kPiD / 2, kPiD / 2);
    const double westmost = ScreenXToAzimuth(f, f.Width + 12), eastmost = ScreenXToAzimuth(f, -12);
    const Vec centreH = direction(f.ViewAzimuth, (top + bottom) / 2);
    double reach = 0;
    constexpr int kSteps = 8;
    for (int i = 0; i <= kSteps; ++i) {
        const double az = eastmost + (westmost - eastmost) * i / kSteps, alt = bottom + (top - bottom) * i / kSteps;
        for (const Vec& p : {direction(az, top), direction(az, bottom), direction(eastmost, alt), direction(westmost, alt)})
            reach = std::max(reach, std::acos(std::clamp(Dot(centreH, p), -1.0, 1.0)));
    }
    reach += (f.Span / kSteps + 1) * kDeg;  // between the sampled points
    const Vec centre = horizon.Back(centreH);
    const auto edgePoint = [&](const Vec& h) {
        const double altitude = std::asin(std::clamp(h.z, -1.0, 1.0));
        return QPointF(Dot(h, right) >= 0 ? rightEdge : left, f.HorizonRow - f.AltitudeScale * altitude * f.Height);
    };
    QPainterPath paths[5];
    for (QPainterPath& p : paths) p.setFillRule(Qt::OddEvenFill);
    std::vector<Vec> h;
    for (const Ring& ring : rings_) {
        QPainterPath& path = paths[ring.level - 1];
        const std::size_t n = ring.x.size();
        const QRectF half(QPointF(left, zenithRow), QPointF(rightEdge, nadirRow));
        if (std::acos(std::clamp(Dot(centre, {ring.cx, ring.cy, ring.cz}), -1.0, 1.0)) > ring.radius + reach) {
            bool centreInside = false;
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t j = (i + 1) % n;
                if (ArcsCross(kSouthGalacticPole, centre, {ring.x[i], ring.y[i], ring.z[i]}, {ring.x[j], ring.y[j], ring.z[j]}))
                    centreInside = !centreInside;
            }
            if (centreInside) path.addRect(half);
            continue;
        }
        h.resize(n);
        std::size_t firstOut = n;
        for (std::size_t i = 0; i < n; ++i) {
            h[i] = horizon(ring.x[i], ring.y[i], ring.z[i]);
            if (firstOut == n && Dot(h[i], front) < 0) firstOut = i;
        }
        // Whether the zenith is inside: the arc from the south galactic pole to it crosses the
        // ring an odd number of times.
        bool zenithInside = false;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t j = (i + 1) % n;
            if (ArcsCross(kSouthGalacticPole, zenith, {ring.x[i], ring.y[i], ring.z[i]}, {ring.x[j], ring.y[j], ring.z[j]}))
                zenithInside = !zenithInside;
        }
        if (zenithInside) path.addRect(half);
        if (firstOut == n) {  // wholly in front
            section_.clear();
            for (std::size_t i = 0; i < n; ++i) section_.push_back(Pixel(f, h[i]));
            path.addPolygon(section_);
            path.closeSubpath();
            continue;
        }
        // Walk once round from the first point behind, collecting the pieces in front.
        section_.clear();
        QPointF entry;
        for (std::size_t k = 1; k <= n; ++k) {
            const Vec& a = h[(firstOut + k - 1) % n];
            const Vec& b = h[(firstOut + k) % n];
            const double da = Dot(a, front), db = Dot(b, front);
            if ((da < 0) != (db < 0)) {
                const double t = da / (da - db);
                Vec p{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
                const double len = std::sqrt(Dot(p, p));
                p = {p.x / len, p.y / len, p.z / len};
                const QPointF at = edgePoint(p);
                if (db >= 0) {  // coming into view
                    section_.clear();
                    section_.push_back(at);
                    entry = at;
                } else {  // leaving it: close along the edge, round by the nadir if need be
                    section_.push_back(at);
                    if ((at.x() == left) != (entry.x() == left)) {
                        section_.push_back(QPointF(at.x(), nadirRow));
                        section_.push_back(QPointF(entry.x(), nadirRow));
                    }
                    path.addPolygon(section_);
                    path.closeSubpath();
                    section_.clear();
                }
            }
            if (db >= 0) section_.push_back(Pixel(f, b));
        }
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    // Without antialiasing: the levels differ little, and their edges would cost the most.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int level = 0; level < 5; ++level) {
        painter.setBrush(palette.milkyWay[level]);
        painter.drawPath(paths[level]);
    }
    painter.restore();
}

}  // namespace noctaris
