#pragma once
// The chart laid out as a sheet to print or to keep as a PDF or SVG file: the chart over the
// sheet's width and, beneath it, a legend with the place, date and time with the zone, a scale
// of star sizes by magnitude and a compass turned to the view. Drawn on any QPainter, in chart
// pixels (96 to the inch); lines and text stay lines and text on a vector surface.
#include <QByteArray>
#include <QPainter>
#include <QSize>
#include <QString>

#include "chart/skychart.h"
#include "chart/view.h"

namespace noctaris {

// Height in chart pixels of the legend strip under the chart.
inline constexpr int kSheetLegendHeight = 64;

// Paints the sheet onto `painter` over `size` chart pixels from its origin; a sheet too low to
// hold the legend gets the chart alone.
void PaintChartSheet(QPainter& painter, QSize size, SkyChart& chart, const ObserverState& state,
                     const DisplayOptions& options, const ViewState& view, ChartObjectLists& lists);

// The sheet of `size` chart pixels as a one-page PDF (a page of that size) or an SVG drawing.
// Empty when the painter could not be opened.
QByteArray ChartSheetPdf(QSize size, const QString& title, SkyChart& chart, const ObserverState& state,
                         const DisplayOptions& options, const ViewState& view, ChartObjectLists& lists);
QByteArray ChartSheetSvg(QSize size, const QString& title, SkyChart& chart, const ObserverState& state,
                         const DisplayOptions& options, const ViewState& view, ChartObjectLists& lists);

}  // namespace noctaris
