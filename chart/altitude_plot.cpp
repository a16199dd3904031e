#include "chart/altitude_plot.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace noctaris {
namespace {

// The twilight stage of a Sun altitude: 0 day .. 4 night.
int StageOf(double sunAltitude) {
    if (sunAltitude >= kSunsetAltitude) return 0;
    if (sunAltitude >= kCivilAltitude) return 1;
    if (sunAltitude >= kNauticalAltitude) return 2;
    if (sunAltitude >= kAstronomicalAltitude) return 3;
    return 4;
}
constexpr double kStageLevels[4] = {kSunsetAltitude, kCivilAltitude, kNauticalAltitude, kAstronomicalAltitude};

// The tracks in the order of the curve colours: the Moon, the planets, the objects.
std::vector<const NightTrack*> Tracks(const TonightReport& report) {
    std::vector<const NightTrack*> tracks = {&report.moon};
    for (const NightTrack& t : report.planets) tracks.push_back(&t);
    for (const NightTrack& t : report.objects) tracks.push_back(&t);
    return tracks;
}

// The Moon's disc at `centre`, lit by `fraction` on the right when waxing as seen from the
// northern hemisphere (`litRight`), on the left from the southern one.
void PaintMoonPhase(QPainter& p, QPointF centre, double r, double fraction, bool litRight,
                    const QColor& lit, const QColor& dark) {
    const QRectF disc(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    p.setPen(QPen(lit, 1));
    p.setBrush(dark);
    p.drawEllipse(disc);
    const double k = std::clamp(fraction, 0.0, 1.0);
    const double rx = r * std::fabs(1 - 2 * k);
    const QRectF terminator(centre.x() - rx, centre.y() - r, 2 * rx, 2 * r);
    const double side = litRight ? -1 : 1;  // the lit limb: clockwise through the right
    QPainterPath path(QPointF(centre.x(), centre.y() - r));
    path.arcTo(disc, 90, side * 180);
    // Back to the top along the terminator: through the dark side when more than half is lit.
    path.arcTo(terminator, 270, (k > 0.5 ? side : -side) * 180);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(lit);
    p.drawPath(path);
}

}  // namespace

AltitudePlotColors PlotColors(PlotScheme scheme) {
    AltitudePlotColors c;
    switch (scheme) {
        case PlotScheme::Screen:
            c.background = QColor(24, 28, 40);
            c.frame = QColor(200, 205, 215);
            c.grid = QColor(90, 100, 120);
            c.text = QColor(230, 232, 238);
            c.day = QColor(110, 150, 200);
            c.civil = QColor(70, 95, 150);
            c.nautical = QColor(40, 55, 105);
            c.astronomical = QColor(22, 30, 65);
            c.night = QColor(6, 8, 22);
            c.curves = {QColor(255, 255, 255), QColor(255, 170, 0),   QColor(255, 255, 90),
                        QColor(255, 80, 60),   QColor(255, 200, 150), QColor(230, 200, 90),
                        QColor(90, 230, 220),  QColor(110, 140, 255), QColor(120, 255, 120),
                        QColor(255, 120, 230), QColor(190, 150, 255), QColor(180, 255, 200)};
            break;
        case PlotScheme::NightVision:
            c.background = QColor(0, 0, 0);
            c.frame = QColor(150, 0, 0);
            c.grid = QColor(70, 0, 0);
            c.text = QColor(200, 30, 20);
            c.day = QColor(60, 10, 0);
            c.civil = QColor(45, 6, 0);
            c.nautical = QColor(30, 3, 0);
            c.astronomical = QColor(16, 1, 0);
            c.night = QColor(0, 0, 0);
            c.curves = {QColor(255, 90, 70),  QColor(255, 140, 0),  QColor(230, 0, 0),
                        QColor(255, 40, 120), QColor(180, 60, 0),   QColor(255, 190, 150),
                        QColor(160, 0, 60),   QColor(255, 0, 60),   QColor(210, 110, 90),
                        QColor(140, 30, 30),  QColor(255, 110, 180), QColor(200, 160, 0)};
            break;
        case PlotScheme::Print:
            c.background = QColor(255, 255, 255);
            c.frame = QColor(0, 0, 0);
            c.grid = QColor(170, 170, 170);
            c.text = QColor(0, 0, 0);
            c.day = QColor(255, 255, 255);
            c.civil = QColor(236, 236, 236);
            c.nautical = QColor(218, 218, 218);
            c.astronomical = QColor(200, 200, 200);
            c.night = QColor(182, 182, 182);
            c.curves = {QColor(0, 0, 0),     QColor(200, 100, 0), QColor(150, 120, 0),
                        QColor(200, 0, 0),   QColor(120, 60, 0),  QColor(110, 110, 40),
                        QColor(0, 130, 130), QColor(0, 0, 200),   QColor(0, 130, 0),
                        QColor(170, 0, 150), QColor(100, 0, 200), QColor(0, 90, 60)};
            break;
    }
    return c;
}

QColor CurveColor(const AltitudePlotColors& colors, std::size_t index) {
    return colors.curves[index % colors.curves.size()];
}

AltitudePlotGeometry PlotGeometry(const QRectF& area, const TonightReport& report) {
    const double unit = std::max(10.0, std::min(area.height(), area.width()) / 40);
    AltitudePlotGeometry g;
    g.plot = area.adjusted(4 * unit, 3 * unit, -1.5 * unit, -2.5 * unit);
    g.start = report.start;
    g.end = report.end > report.start ? report.end : report.start + 1;
    return g;
}

std::optional<double> TrackAltitudeAt(const TonightReport& report, const NightTrack& track, double jd) {
    if (report.sampleCount < 2 || track.altitude.size() != static_cast<std::size_t>(report.sampleCount) ||
        !(jd >= report.start && jd <= report.end))
        return std::nullopt;
    const double u = (jd - report.start) / (report.end - report.start) * (report.sampleCount - 1);
    const std::size_t i = std::min(static_cast<std::size_t>(u), static_cast<std::size_t>(report.sampleCount - 2));
    const double f = u - static_cast<double>(i);
    return track.altitude[i] * (1 - f) + track.altitude[i + 1] * f;
}

void PaintAltitudePlot(QPainter& p, const QRectF& area, const TonightReport& report,
                       const ZoneDescription& zone, const AltitudePlotTexts& texts, PlotScheme scheme) {
    const AltitudePlotColors colors = PlotColors(scheme);
    const AltitudePlotGeometry g = PlotGeometry(area, report);
    const QRectF& plot = g.plot;
    const double unit = std::max(10.0, std::min(area.height(), area.width()) / 40);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(area, colors.background);
    QFont font = p.font();
    font.setPixelSize(static_cast<int>(std::lround(unit * 1.1)));
    p.setFont(font);
    const QFontMetricsF metrics(font);

    // The sky by the Sun's altitude, each change of stage put where the Sun's curve crosses its
    // level between two samples.
    const QColor stageColors[5] = {colors.day, colors.civil, colors.nautical, colors.astronomical, colors.night};
    const std::vector<float>& sun = report.sunAltitude;
    if (report.sampleCount >= 2 && sun.size() == static_cast<std::size_t>(report.sampleCount)) {
        double from = report.start;
        int stage = StageOf(sun[0]);
        for (int i = 1; i < report.sampleCount; ++i) {
            const int next = StageOf(sun[static_cast<std::size_t>(i)]);
            if (next == stage && i + 1 < report.sampleCount) continue;
            double to = report.SampleTime(i);
            if (next != stage) {
                const double a = sun[static_cast<std::size_t>(i - 1)], b = sun[static_cast<std::size_t>(i)];
                const double level = kStageLevels[std::min(stage, next)];
                const double f = b != a ? std::clamp((level - a) / (b - a), 0.0, 1.0) : 0.5;
                to = report.SampleTime(i - 1) + f * (report.SampleTime(i) - report.SampleTime(i - 1));
            }
            p.fillRect(QRectF(QPointF(g.XOf(from), plot.top()), QPointF(g.XOf(to), plot.bottom())),
                       stageColors[stage]);
            from = to;
            stage = next;
        }
        if (from < report.end)
            p.fillRect(QRectF(QPointF(g.XOf(from), plot.top()), QPointF(g.XOf(report.end), plot.bottom())),
                       stageColors[stage]);
    }

    // The grid: every 10° of altitude, every hour of the clock (labelled every second hour when
    // the hours stand close).
    p.setPen(QPen(colors.grid, 1, Qt::DotLine));
    for (int a = 10; a < 90; a += 10) p.drawLine(QPointF(plot.left(), g.YOf(a)), QPointF(plot.right(), g.YOf(a)));
    p.setPen(colors.text);
    for (int a = 0; a <= 90; a += 30) {
        const QString label = QString::number(a) + texts.altitudeUnit;
        p.drawText(QRectF(area.left(), g.YOf(a) - unit, plot.left() - area.left() - unit / 2, 2 * unit),
                   Qt::AlignRight | Qt::AlignVCenter, label);
    }
    const int hours = static_cast<int>(std::lround((g.end - g.start) * 24));
    const int every = plot.width() / std::max(hours, 1) < 3.5 * unit ? 2 : 1;
    for (int h = 0; h <= hours; ++h) {
        const double t = g.start + h / 24.0;
        const double x = g.XOf(t);
        p.setPen(QPen(colors.grid, 1, Qt::DotLine));
        if (h > 0 && h < hours) p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        const std::optional<CivilDateTime> local = LocalFromInstant(Instant::FromUT(t + 0.5 / 86400), zone);
        if (!local || h % every != 0) continue;
        p.setPen(colors.text);
        p.drawText(QRectF(x - 2 * unit, plot.bottom() + unit / 4, 4 * unit, 1.5 * unit),
                   Qt::AlignHCenter | Qt::AlignTop, QString::asprintf("%02d", local->time.hour));
    }

    // The curves, clipped to the plot, each labelled at its highest point.
    const std::vector<const NightTrack*> tracks = Tracks(report);
    std::vector<QRectF> taken;
    p.save();
    p.setClipRect(plot);
    const double width = std::max(2.0, unit / 4);
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        const NightTrack& track = *tracks[k];
        if (track.altitude.size() != static_cast<std::size_t>(report.sampleCount)) continue;
        QPolygonF line;
        std::size_t top = 0;
        for (int i = 0; i < report.sampleCount; ++i) {
            const double h = track.altitude[static_cast<std::size_t>(i)];
            line << QPointF(g.XOf(report.SampleTime(i)), g.YOf(h));
            if (h > track.altitude[top]) top = static_cast<std::size_t>(i);
        }
        const QColor colour = CurveColor(colors, k);
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(line);
        if (!(track.altitude[top] > 0)) continue;
        const QPointF peak = line[static_cast<qsizetype>(top)];
        if (&track == &report.moon)
            PaintMoonPhase(p, QPointF(peak.x(), peak.y() - unit), unit * 0.7, report.moonIlluminated,
                           report.moonWaxing == (report.site.latitude >= 0), colour, colors.night);
        const QString name = k < texts.names.size() ? texts.names[k] : QString::fromStdString(track.name);
        QRectF box = metrics.boundingRect(name).adjusted(-2, 0, 2, 0);
        box.moveCenter(QPointF(peak.x(), peak.y() - (&track == &report.moon ? 2.6 : 1.0) * unit));
        if (box.left() < plot.left()) box.moveLeft(plot.left() + 2);
        if (box.right() > plot.right()) box.moveRight(plot.right() - 2);
        if (box.top() < plot.top()) box.moveTop(peak.y() + unit / 2);
        for (int tries = 0; tries < 8; ++tries) {
            const bool free = std::none_of(taken.begin(), taken.end(), [&](const QRectF& r) { return r.intersects(box); });
            if (free) break;
            box.translate(0, box.bottom() + box.height() < plot.bottom() ? box.height() : -box.height());
        }
        taken.push_back(box);
        // A thin halo in the night's colour keeps a name readable where another curve crosses it.
        p.setPen(colors.night);
        for (const QPointF d : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
            p.drawText(box.translated(d), Qt::AlignCenter, name);
        p.setPen(colour);
        p.drawText(box, Qt::AlignCenter, name);
    }
    p.restore();

    p.setPen(QPen(colors.frame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    p.setPen(colors.text);
    p.drawText(QRectF(plot.left(), area.top(), plot.width(), plot.top() - area.top()),
               Qt::AlignLeft | Qt::AlignVCenter, texts.title);
    p.restore();
}

}  // namespace noctaris
