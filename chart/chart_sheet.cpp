#include "chart/chart_sheet.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "chart/canvas.h"

namespace noctaris {
namespace {

void DrawLegend(QPainter& p, QRect area, const ChartPalette& palette, const ObserverState& state,
                const ViewState& view) {
    const ChartFonts fonts;
    p.fillRect(area, palette.sky);
    p.setPen(QPen(palette.guide, 1));
    p.drawLine(area.topLeft(), area.topRight());
    const int mid = area.top() + area.height() / 2;

    // Place, date and time with the zone.
    QFont title = fonts.Font(ChartFont::Large);
    p.setFont(title);
    p.setPen(palette.bodyLabels);
    p.drawText(QRect(area.left() + 12, area.top() + 4, area.width() / 2, area.height() - 8),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, SkyChart::CaptionText(state));

    // The star sizes by magnitude, brightest first.
    p.setFont(fonts.Font(ChartFont::Small));
    const QFontMetrics& small = fonts.Metrics(ChartFont::Small);
    const QString heading = QCoreApplication::translate("ChartSheet", "Magnitude");
    int x = area.left() + area.width() / 2 + 10;
    p.drawText(x, mid + small.ascent() / 2 - 1, heading);
    x += small.horizontalAdvance(heading) + 14;
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int m = -1; m <= 5; ++m) {
        const double r = SmoothStarRadius(m);
        p.setPen(Qt::NoPen);
        p.setBrush(palette.Star(0));
        p.drawEllipse(QPointF(x + 5, mid - 6), r, r);
        p.setPen(palette.bodyLabels);
        p.setBrush(Qt::NoBrush);
        const QString label = QString::number(m);
        p.drawText(x + 5 - small.horizontalAdvance(label) / 2, mid + 8 + small.ascent(), label);
        x += 26;
    }

    // A compass with the view's direction up, as the observer faces it (east to the left of south).
    const QPointF centre(area.right() - 44, mid);
    const double radius = std::min(26.0, area.height() / 2.0 - 6);
    const double ring = radius * 0.45;
    p.setPen(QPen(palette.guide, 1));
    p.drawEllipse(centre, ring, ring);
    p.setFont(fonts.Font(ChartFont::Small));
    for (int i = 0; i < 4; ++i) {
        const double turn = (90.0 * i - view.CentreAzimuth) * std::numbers::pi / 180.0;  // clockwise from up
        const QPointF dir(std::sin(turn), -std::cos(turn));
        p.setPen(QPen(i == 0 ? palette.bodyLabels : palette.guide, i == 0 ? 2 : 1));
        p.drawLine(centre + dir * radius * 0.15, centre + dir * ring);
        const QString letter = CompassLetter(i);
        const QPointF at = centre + dir * (ring + 9);
        p.setPen(palette.bodyLabels);
        p.drawText(QRectF(at.x() - 10, at.y() - 8, 20, 16), Qt::AlignCenter, letter);
    }
}

}  // namespace

void PaintChartSheet(QPainter& painter, QSize size, SkyChart& chart, const ObserverState& state,
                     const DisplayOptions& options, const ViewState& view, ChartObjectLists& lists) {
    const bool legend = size.height() >= 3 * kSheetLegendHeight && size.width() >= 400;
    const QSize chartSize(size.width(), size.height() - (legend ? kSheetLegendHeight : 0));
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), chartSize));
    chart.paint(painter, chartSize, state, options, view, lists);
    painter.restore();
    if (!legend) return;
    painter.save();
    DrawLegend(painter, QRect(0, chartSize.height(), size.width(), kSheetLegendHeight), chart.Palette(),
               state, view);
    painter.restore();
}

QByteArray ChartSheetPdf(QSize size, const QString& title, SkyChart& chart, const ObserverState& state,
                         const DisplayOptions& options, const ViewState& view, ChartObjectLists& lists) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Noctaris"));
        pdf.setResolution(96);  // a device pixel is a chart pixel
        // A page of the sheet's size (0.75 point to the pixel), without margins.
        pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size) * 0.75, QPageSize::Point), QPageLayout::Portrait,
                                      QMarginsF()));
        QPainter painter;
        if (!painter.begin(&pdf)) return {};
        PaintChartSheet(painter, size, chart, state, options, view, lists);
        painter.end();
    }
    return bytes;
}

QByteArray ChartSheetSvg(QSize size, const QString& title, SkyChart& chart, const ObserverState& state,
                         const DisplayOptions& options, const ViewState& view, ChartObjectLists& lists) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg)) return {};
    PaintChartSheet(painter, size, chart, state, options, view, lists);
    painter.end();
    return bytes;
}

}  // namespace noctaris
