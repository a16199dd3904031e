// MainWindow: the chart saved as a picture or a PDF or SVG sheet, and printed.
#include "app/main_window.h"

#include <QBuffer>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/chart_surface.h"
#include "chart/chart_sheet.h"
#include "windows/exports_dialog.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

// What a sheet shows of the display: the switches as they are, in black on white, without the
// side panels.
DisplayOptions SheetOptions(DisplayOptions options) {
    options.Scheme = ChartScheme::White;
    options.ShowJupiterMoons = options.ShowVenusPhase = options.ShowStarInfo = false;
    return options;
}

}  // namespace

void MainWindow::saveChart() {
    const QImage image = chartSurface_->image();  // as on the screen now, before any dialog
    const QSize sheet(chartSurface_->width(), chartSurface_->height() + kSheetLegendHeight);
    const SaveFileRequest request{
        tr("Save chart"), QString(),
        QString::asprintf("chart-%04d-%02d-%02d-%02d%02d.png", observer_.Year, observer_.Month, observer_.Day,
                          observer_.Hour, observer_.Minute),
        {{tr("PNG image"), QStringLiteral("png")},
         {tr("PDF document, to print"), QStringLiteral("pdf")},
         {tr("SVG drawing, to print"), QStringLiteral("svg")}}};
    ExportToFile(this, exportPrompt(), request, [&](const QString& suffix) {
        QByteArray bytes;
        if (suffix == QLatin1String("png")) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            if (image.isNull() || !image.save(&buffer, "PNG"))
                throw std::runtime_error(tr("the picture could not be encoded").toStdString());
            return bytes;
        }
        ChartObjectLists lists;
        const DisplayOptions options = SheetOptions(display_);
        const QString title = SkyChart::CaptionText(observer_);
        bytes = suffix == QLatin1String("pdf")
                    ? ChartSheetPdf(sheet, title, *chart_, observer_, options, view_, lists)
                    : ChartSheetSvg(sheet, title, *chart_, observer_, options, view_, lists);
        redraw();  // the chart's frame and hit lists belong to the screen again
        if (bytes.isEmpty()) throw std::runtime_error(tr("the chart could not be drawn").toStdString());
        return bytes;
    });
}

void MainWindow::printChart() {
    if (!DialogsAllowed()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(SkyChart::CaptionText(observer_));
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(tr("Print chart"));
    const ObserverState state = observer_;
    const DisplayOptions options = SheetOptions(display_);
    const ViewState view = view_;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        QPainter painter;
        if (!painter.begin(target)) {
            ReportFailure(this, tr("The printer could not be opened."));
            return;
        }
        // Chart pixels of 1/96 inch over the printable area, whatever the page and orientation.
        const double scale = target->resolution() / 96.0;
        const QRectF page = target->pageRect(QPrinter::DevicePixel);
        painter.scale(scale, scale);
        ChartObjectLists lists;
        PaintChartSheet(painter, (page.size() / scale).toSize(), *chart_, state, options, view, lists);
        painter.end();
    });
    preview.exec();
    redraw();
}

}  // namespace noctaris
