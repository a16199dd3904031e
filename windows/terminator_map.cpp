// The terminator map's drawing: map cache (grid, coastlines) and the night overlay.
#include <algorithm>
#include <cmath>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include "platform/format.h"
#include "windows/terminator_window.h"
#include "windows/wincommon.h"
#include "astro/time/calendar_dates.h"
#include "astro/time/local_time.h"
#include "platform/time_zone.h"

namespace noctaris {

namespace {

// Round (ties to even) onto a pixel; far-off values (a huge typed hour) are held where an int
// and the painter can still take them.
int Pix(double v) {
    if (!(v > -1e6)) v = -1e6;
    if (v > 1e6) v = 1e6;
    return static_cast<int>(std::nearbyint(v));
}

const QColor kSilver(192, 192, 192);
const QColor kNightGrey(240, 240, 240);

}  // namespace

TerminatorGeometry ComputeTerminatorGeometry(QSize mapSize, const TerminatorView& v,
                                             QSize symbolSize) {
    TerminatorGeometry g;
    const int w = mapSize.width(), h = mapSize.height();
    const int m = TerminatorGeometry::kMargin;
    const double cx = w / 2, cy = h / 2;  // W div 2, H div 2
    const double sx = w / 360.0, sy = h / 160.0;

    // The formulas read the clock of the zone one hour east of UT.
    const ZoneDescription zone = PlaceZone(v.ZoneId, v.StandardOffset, v.ConsiderSummerTime);
    const double hour = static_cast<double>(v.Hour) + 1 -
                        ClockOffsetHoursAt(zone, {{v.Year, v.Month, v.Day}, {v.Hour, v.Minute, 0}});
    g.DayOfYear = SeasonalDayOfYear(v.Year, v.Month, v.Day);
    g.Sun = MakeTerminatorSun(static_cast<double>(g.DayOfYear), hour, v.Minute);

    g.Polygon.reserve(365 + 4);
    for (int lambda = -181; lambda <= 183; ++lambda) {
        const double phi = TerminatorLatitude(g.Sun, lambda);
        g.Polygon.emplace_back(Pix(cx + lambda * sx + m), Pix(cy - phi * sy + m));
    }

    g.S = TerminatorSubSolarS(hour, v.Minute);
    const double xs = -sx * g.S;
    const double ys = -sy * g.Sun.Declination;
    const double yt = -sy * TerminatorLatitude(g.Sun, -g.S);
    g.NightAbove = ys > yt;

    // Closed through the overlay's right margin, two corners and its left margin.
    const int ow = w + 2 * m + 1, oh = h + 2 * m + 1;
    const int yFirst = g.Polygon.front().y(), yLast = g.Polygon.back().y();
    const int yEdge = g.NightAbove ? 1 : oh;
    g.Polygon.emplace_back(ow, yLast);
    g.Polygon.emplace_back(ow, yEdge);
    g.Polygon.emplace_back(0, yEdge);
    g.Polygon.emplace_back(0, yFirst);

    g.SubSolar = QPointF(cx + xs, cy + ys);
    // The symbol is drawn centred on the overhead point (its Sun sits at pixel (10, 10)).
    g.SunTopLeft = QPoint(Pix(cx + xs + m) - symbolSize.width() / 2,
                          Pix(cy + ys + m) - symbolSize.height() / 2);
    return g;
}

QImage BuildTerminatorMapCache(QSize size, bool grid, const std::vector<OutlinePoint>& outline) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    if (size.isEmpty()) return img;
    const int w = size.width(), h = size.height();
    const double cx = w / 2, cy = h / 2;
    const double sx = w / 360.0, sy = h / 160.0;

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (grid) {
        const QFont font = WindowFont(13);  // 10 pt at 96 dpi
        p.setFont(font);
        const int ascent = QFontMetrics(font).ascent();
        const QPen gridPen(kSilver, 1, Qt::SolidLine, Qt::FlatCap);
        const QPen labelPen(Qt::red);
        for (int i = -5; i <= 5; ++i) {
            const int x = Pix(cx + i * 30 * sx);
            p.setPen(gridPen);
            p.drawLine(x, 0, x, h - 1);
            p.setPen(labelPen);
            p.drawText(QPoint(x + 2, h - 25 + ascent), FormatInt(i * 30) + QChar(0xB0));
        }
        for (int i = -3; i <= 3; ++i) {
            const int y = Pix(cy - i * 30 * sy);
            p.setPen(gridPen);
            p.drawLine(0, y, w - 1, y);
            p.setPen(labelPen);
            p.drawText(QPoint(2, y + 2 + ascent), FormatInt(i * 30) + QChar(0xB0));
        }
    }

    p.setPen(QPen(QColor(0, 0, 255), 1, Qt::SolidLine, Qt::FlatCap));
    QPoint at(0, 0);
    double uPrev = 0;
    for (const OutlinePoint& o : outline) {
        const double lambda = o.longitude > 180 ? o.longitude - 360.0 : o.longitude;
        const double u = sx * lambda, v = -sy * o.latitude;
        const QPoint pt(Pix(cx + u), Pix(cy + v));
        // A step of 100 pixels or more crosses the map's edge: lift the pen.
        if (o.draw && std::abs(u - uPrev) < 100) p.drawLine(at, pt);
        at = pt;
        uPrev = u;
    }
    return img;
}

QImage DrawTerminatorMap(const QImage& cache, const TerminatorView& view, const QImage& sunSymbol) {
    QImage work = cache.convertToFormat(QImage::Format_RGB32);
    if (work.isNull() || work.size().isEmpty()) return work;
    const int w = work.width(), h = work.height();
    const int m = TerminatorGeometry::kMargin;
    const TerminatorGeometry g = ComputeTerminatorGeometry(
        work.size(), view, sunSymbol.isNull() ? QSize(21, 20) : sunSymbol.size());

    QImage overlay(w + 2 * m + 1, h + 2 * m + 1, QImage::Format_RGB32);
    overlay.fill(Qt::white);
    {
        QPainter p(&overlay);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(kNightGrey);
        p.drawPolygon(g.Polygon.data(), static_cast<int>(g.Polygon.size()), Qt::WindingFill);
        if (view.SunPlace && !sunSymbol.isNull()) p.drawImage(g.SunTopLeft, sunSymbol);
    }

    // Bitwise AND of the overlay, placed at (−50, −50): white leaves the map as it is.
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(work.scanLine(y));
        const auto* src = reinterpret_cast<const QRgb*>(overlay.constScanLine(y + m)) + m;
        for (int x = 0; x < w; ++x) dst[x] = (dst[x] & src[x]) | 0xFF000000u;
    }
    return work;
}

}  // namespace noctaris
