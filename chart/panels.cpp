#include "chart/panels.h"

#include <cmath>
#include <numbers>

#include <QCoreApplication>
#include <QLocale>
#include <QPainter>
#include <QTransform>

#include "astro/core/constants.h"
#include "astro/theories/physical.h"
#include "platform/floodfill.h"
#include "platform/format.h"
#include "platform/pictures.h"

namespace noctaris {
namespace {

const QColor kVenusYellow(255, 255, 0);
constexpr int kVenusShift = 15;  // computation x minus drawn x

}  // namespace

// ---- Jupiter ------------------------------------------------------------------------------------

const std::array<const char*, 4> kJupiterMoonNames = {
    QT_TRANSLATE_NOOP("ChartPanels", "Io"), QT_TRANSLATE_NOOP("ChartPanels", "Europa"),
    QT_TRANSLATE_NOOP("ChartPanels", "Ganymede"), QT_TRANSLATE_NOOP("ChartPanels", "Callisto")};
const std::array<QRgb, 4> kJupiterMoonColours = {qRgb(255, 255, 0), qRgb(255, 255, 255),
                                                 qRgb(0, 208, 255), qRgb(255, 0, 255)};

JupiterMoonMark JupiterMoonMarkOf(const GalileanMoonPosition& p) {
    JupiterMoonMark m;
    m.X = RoundToInt(160 - 5.5 * p.X);
    m.Y = RoundToInt(25 + 6 * p.Y);
    m.Hidden = RoundToInt(25 - 5.5 * p.Z) <= 25 && m.X >= 151 && m.X <= 169;
    return m;
}

void JupiterLegend::Prepare(const ChartFonts& chartFonts) {
    if (fonts == &chartFonts) return;
    fonts = &chartFonts;
    const QFont& small = chartFonts.Font(ChartFont::Small);
    for (int m = 0; m < 4; ++m) {
        const QString name = QCoreApplication::translate("ChartPanels", kJupiterMoonNames[m]);
        names[m] = QStaticText(name);
        names[m].setTextFormat(Qt::PlainText);
        names[m].prepare(QTransform(), small);
        widths[m] = chartFonts.Metrics(ChartFont::Small).horizontalAdvance(name);
    }
}

void DrawJupiterMoonsPanel(ChartCanvas& canvas, const ChartFrame& frame,
                           const ObserverState& state, const QImage& jupiterPicture,
                           const JupiterLegend* legend) {
    if (!JupiterPanelYearShown(state.Year)) return;
    canvas.SetPenColor(Qt::white);
    canvas.SetBrushColor(Qt::black);
    canvas.Rectangle(1, 1, 320, 60);
    canvas.SetPenColor(Qt::black);
    if (!jupiterPicture.isNull()) canvas.Painter().drawImage(QPoint(152, 21), jupiterPicture);

    const GalileanMoonPositions moons = GalileanMoons(Instant::FromUT(frame.JulianDay));
    for (int m = 0; m < 4; ++m) {
        const JupiterMoonMark mark = JupiterMoonMarkOf(moons[m]);
        if (mark.Hidden) continue;
        canvas.SetBrushColor(QColor(kJupiterMoonColours[m]));
        canvas.Ellipse(mark.X - 4, mark.Y - 4, mark.X + 4, mark.Y + 4);
    }

    canvas.SetFont(ChartFont::Small);
    canvas.SetBrushClear();
    int x = 10;
    for (int m = 0; m < 4; ++m) {
        canvas.SetFontColor(QColor(kJupiterMoonColours[m]));
        if (legend && legend->fonts == &canvas.Fonts()) {
            canvas.TextOut(x, 42, legend->names[m]);
            x += legend->widths[m] + 10;
        } else {
            const QString name = QCoreApplication::translate("ChartPanels", kJupiterMoonNames[m]);
            canvas.TextOut(x, 42, name);
            x += canvas.TextWidth(name) + 10;
        }
    }
}

// ---- Venus --------------------------------------------------------------------------------------

VenusPhaseGeometry VenusGeometry(double chi, double phaseAngle, double diameter) {
    VenusPhaseGeometry g;
    g.d = diameter;
    g.k = (std::cos(phaseAngle * std::numbers::pi / 180.0) + 1) / 2;
    g.theta = chi - 90;
    auto limb = [&](double phiDeg) {
        return QPointF(100 + g.d * std::sin(phiDeg * kDegree), 110 - g.d * std::cos(phiDeg * kDegree));
    };
    g.C1 = limb(g.theta);
    g.C2 = limb(g.theta + 180);
    g.Q = limb(g.theta + 90);
    const double s = std::fabs(g.k - 0.5) < 0.002 ? 2 * g.d * 0.01 : 2 * g.d * (0.5 - g.k);
    g.M = QPointF(100 - s * std::sin((g.theta + 90) * kDegree), 110 + s * std::cos((g.theta + 90) * kDegree));
    return g;
}

bool CircleThrough(QPointF p1, QPointF p2, QPointF p3, double& a, double& b, double& r) {
    const double x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y(), x3 = p3.x(), y3 = p3.y();
    const double den = 2 * (x1 * (y2 - y3) + x2 * (y3 - y1) + x3 * (y1 - y2));
    if (den == 0 || !std::isfinite(den)) return false;
    const double s1 = x1 * x1 + y1 * y1, s2 = x2 * x2 + y2 * y2, s3 = x3 * x3 + y3 * y3;
    a = (s1 * (y2 - y3) + s2 * (y3 - y1) + s3 * (y1 - y2)) / den;
    b = (s1 * (x3 - x2) + s2 * (x1 - x3) + s3 * (x2 - x1)) / den;
    r = std::hypot(x1 - a, y1 - b);
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(r);
}

void DrawVenusTerminator(QImage& panel, const VenusPhaseGeometry& g) {
    double a = 0, b = 0, r = 0;
    if (!CircleThrough(g.C1, g.M, g.C2, a, b, r)) return;
    // Nearly collinear points give a circle far larger than the panel; it would only cover
    // the half disc, and its box must stay within integer range.
    if (!(r < 1e6) || !(std::fabs(a) < 1e6) || !(std::fabs(b) < 1e6)) return;
    const int x1 = RoundToInt(a - r - kVenusShift), y1 = RoundToInt(b - r);
    const int x2 = RoundToInt(a + r - kVenusShift), y2 = RoundToInt(b + r);
    const QRgb yellow = kVenusYellow.rgb(), black = qRgb(0, 0, 0);

    auto ellipse = [&](int ex1, int ey1, int ex2, int ey2, bool filled) {
        QPainter p(&panel);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(filled ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
        if (ex2 > ex1 && ey2 > ey1) p.drawEllipse(QRect(ex1, ey1, ex2 - ex1 - 1, ey2 - ey1 - 1));
    };

    if (g.k >= 0.5) {
        // Gibbous: the terminator arc cuts a lit sliver off the limb at Q; that sliver (still
        // yellow, bounded by the arc and the dark sky) is the unlit part.
        ellipse(x1, y1, x2, y2, false);
        const QPoint seed(RoundToInt((g.M.x() + g.Q.x()) / 2 - kVenusShift),
                          RoundToInt((g.M.y() + g.Q.y()) / 2));
        FloodFillSurface(panel, seed, yellow, black);
        ellipse(x1 - 1, y1 - 1, x2 + 1, y2 + 1, false);
    } else {
        ellipse(x1, y1, x2, y2, true);
        if (g.k > 0.498) {
            {
                QPainter p(&panel);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
                p.drawLine(RoundToInt(g.C1.x() - kVenusShift), RoundToInt(g.C1.y()),
                           RoundToInt(g.C2.x() - kVenusShift), RoundToInt(g.C2.y()));
            }
            const QPoint seed(RoundToInt(200 - g.M.x() - kVenusShift), RoundToInt(220 - g.M.y()));
            FloodFillToBorder(panel, seed, yellow, black);
        }
    }
}

std::array<QString, 3> VenusPanelTexts(double diameter, double magnitude, double k) {
    return {Format(QCoreApplication::translate("ChartPanels", "Diameter %.2n\""), {diameter}),
            Format(QCoreApplication::translate("ChartPanels", "Magnitude %.2n"), {magnitude}),
            Format(QCoreApplication::translate("ChartPanels", "Illuminated %.1n %%"), {100 * k})};
}

QImage RenderVenusPanel(const ChartFonts& fonts, double chi, double phaseAngle, double magnitude,
                        double diameter) {
    QImage panel(kVenusPanelWidth, kVenusPanelHeight, QImage::Format_RGB32);
    const VenusPhaseGeometry g = VenusGeometry(chi, phaseAngle, diameter);
    const bool finite = std::isfinite(g.d) && std::isfinite(g.k) && std::isfinite(g.theta) &&
                        std::fabs(g.d) < 1e6;
    {
        QPainter painter(&panel);
        ChartCanvas canvas(painter, fonts);
        canvas.SetBrushColor(Qt::black);
        canvas.Rectangle(0, 0, 161, 251);
        if (finite) {
            canvas.SetPenColor(kVenusYellow);
            canvas.SetBrushColor(kVenusYellow);
            canvas.Ellipse(RoundToInt(85 - g.d), RoundToInt(110 - g.d), RoundToInt(86 + g.d),
                           RoundToInt(111 + g.d));
        }
    }
    if (finite && g.k < 0.96) DrawVenusTerminator(panel, g);
    {
        QPainter painter(&panel);
        ChartCanvas canvas(painter, fonts);
        canvas.SetFont(ChartFont::Small);
        canvas.SetFontColor(Qt::white);
        canvas.SetBrushClear();
        canvas.TextOut(15, 10, QCoreApplication::translate("ChartPanels", "Venus disc"));
        const std::array<QString, 3> lines = VenusPanelTexts(diameter, magnitude, g.k);
        canvas.TextOut(15, 200, lines[0]);
        canvas.TextOut(15, 215, lines[1]);
        canvas.TextOut(15, 230, lines[2]);
        canvas.SetBrushClear();
        canvas.SetPenColor(Qt::white);
        canvas.Rectangle(1, 1, 159, 249);
    }
    return panel;
}

// ---- Both ---------------------------------------------------------------------------------------

ChartPanels::ChartPanels() : ChartPanels(LoadTransparentPicture("1175")) {}

ChartPanels::ChartPanels(QImage jupiterPicture) : jupiter_(std::move(jupiterPicture)) {}

void ChartPanels::InstallOn(SkyChart& chart) {
    chart.drawPanels = [this](ChartContext& context) { Draw(context); };
}

void ChartPanels::Draw(ChartContext& context) {
    const ObserverState& st = context.state;
    // Night vision: the panels in their colours through the red filter, as pictures (a vector
    // surface gets no filter over the whole chart).
    const bool night = context.options.Scheme == ChartScheme::Night;
    if (context.options.ShowJupiterMoons) {
        legend_.Prepare(context.canvas.Fonts());
        if (night) {
            QImage panel(319, 59, QImage::Format_RGB32);  // the panel's rectangle from (1, 1)
            {
                QPainter painter(&panel);
                painter.translate(-1, -1);
                ChartCanvas canvas(painter, context.canvas.Fonts());
                DrawJupiterMoonsPanel(canvas, context.frame, st, jupiter_, &legend_);
            }
            if (JupiterPanelYearShown(st.Year)) {
                ApplyRedFilter(panel, kNightPictureBrightness);
                context.canvas.Painter().drawImage(QPoint(1, 1), panel);
            }
        } else {
            DrawJupiterMoonsPanel(context.canvas, context.frame, st, jupiter_, &legend_);
        }
    }
    if (context.options.ShowVenusPhase) {
        // The panel depends only on the date, the whole hour and the locale's number format.
        const VenusKey key{st.Year, st.Month, st.Day, st.Hour, QLocale().name(), &context.canvas.Fonts()};
        if (venusPanel_.isNull() || !(key == venusKey_)) {
            const PlanetPhysical venus =
                *PlanetPhysicalEphemeris(Body::Venus, st.Year, st.Month, st.Day, st.Hour);
            venusPanel_ = RenderVenusPanel(context.canvas.Fonts(), venus.PositionAngle,
                                           venus.PhaseAngle, venus.Magnitude, venus.Diameter);
            venusKey_ = key;
        }
        QImage shown = venusPanel_;
        if (night) ApplyRedFilter(shown, kNightPictureBrightness);
        context.canvas.Painter().drawImage(QPoint(context.frame.Width - kVenusPanelWidth, 0), shown);
    }
}

}  // namespace noctaris
