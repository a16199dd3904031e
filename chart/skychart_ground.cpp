// The ground of the sky chart: the landscape and its strip along the bottom with the caption and
// the compass letters, and the altitude lines above it.
#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QRegion>
#include <QTransform>

#include "astro/time/timebase.h"
#include "chart/skychart.h"
#include "chart/skychart_detail.h"
#include "platform/format.h"

namespace noctaris {
using namespace skychart_detail;

namespace {

QString TwoDigits(int v) { return v >= 0 && v < 10 ? QStringLiteral("0") + QString::number(v) : QString::number(v); }

}  // namespace

void SkyChart::SetHorizonPictures(const QImage& picture, const QImage& mask) {
    horizonRuns_.clear();
    if (picture.isNull() || mask.isNull()) {
        horizonPicture_ = QImage();
        horizonMask_ = QImage();
        return;
    }
    // The raster operations combine pixel bits, so both are kept as plain 32-bit RGB.
    horizonPicture_ = picture.convertToFormat(QImage::Format_RGB32);
    horizonMask_ = mask.convertToFormat(QImage::Format_RGB32);
    const int rows = std::min(horizonPicture_.height(), horizonMask_.height());
    const int cols = std::min(horizonPicture_.width(), horizonMask_.width());
    for (int r = 0; r < rows; ++r) {
        const auto* m = reinterpret_cast<const QRgb*>(horizonMask_.constScanLine(r));
        const auto* pic = reinterpret_cast<const QRgb*>(horizonPicture_.constScanLine(r));
        int x = 0;
        while (x < cols) {
            const auto unchanged = [&](int i) {
                return (m[i] & 0xFFFFFFu) == 0 && (pic[i] & 0xFFFFFFu) == 0xFFFFFFu;
            };
            while (x < cols && unchanged(x)) ++x;
            const int begin = x;
            while (x < cols && !unchanged(x)) ++x;
            if (x > begin) horizonRuns_.push_back({r, begin, x});
        }
    }
    // For surfaces without raster operations (PDF, SVG, a printer): the landscape as a picture
    // with the sky left transparent, and the ground alone as a shape.
    landscapeOverlay_ = QImage(horizonPicture_.size(), QImage::Format_ARGB32);
    landscapeOverlay_.fill(Qt::transparent);
    QRegion ground;
    for (const HorizonRun& run : horizonRuns_) {
        const auto* m = reinterpret_cast<const QRgb*>(horizonMask_.constScanLine(run.row));
        const auto* pic = reinterpret_cast<const QRgb*>(horizonPicture_.constScanLine(run.row));
        auto* out = reinterpret_cast<QRgb*>(landscapeOverlay_.scanLine(run.row));
        int groundBegin = -1;
        for (int x = run.begin; x <= run.end; ++x) {
            const bool inGround = x < run.end && x < cols && (m[x] & 0xFFFFFFu) != 0;
            if (x < run.end && x < cols) out[x] = pic[x] | 0xFF000000u;
            if (inGround && groundBegin < 0) groundBegin = x;
            if (!inGround && groundBegin >= 0) {
                ground += QRect(groundBegin, run.row, x - groundBegin, 1);
                groundBegin = -1;
            }
        }
    }
    groundShape_ = QPainterPath();
    groundShape_.addRegion(ground);
    groundShape_ = groundShape_.simplified();
}

void SkyChart::DrawAltitudeLines(ChartCanvas& canvas) {
    canvas.SetPenColor(palette_.guide);
    canvas.SetBrushClear();
    QImage* direct = DirectTarget(canvas.Painter(), frame_.Width, frame_.Height);
    const auto line = [&](int row, const QStaticText& label, int labelWidth) {
        if (direct) {
            // The whole row, as the painter's line across and beyond the surface.
            if (row >= 0 && row < frame_.Height) {
                auto* pixels = reinterpret_cast<QRgb*>(direct->scanLine(row));
                std::fill(pixels, pixels + frame_.Width, palette_.guide.rgb());
            }
            canvas.MoveTo(frame_.Width + 1, row);
        } else {
            canvas.MoveTo(-1, row);
            canvas.LineTo(frame_.Width + 1, row);
        }
        canvas.TextOut(frame_.Width - labelWidth, row - 20, label);
        if (smooth_) labelGrid_.Take(QRect(QPoint(frame_.Width - labelWidth, row - 20), label.size().toSize()));
    };
    if (!(frame_.Span < ViewState::kWidestSpan)) {
        PrepareAltitudeLabels();
        for (int i = 1; i <= 5; ++i)
            line(AltitudeContourRow(frame_, i), altitudeLabels_[i - 1], altitudeLabelWidth_[i - 1]);
        return;
    }
    // Zoomed: lines closer together, only those on the surface (its label may stand above it).
    const int step = frame_.Span >= 90 ? 15 : frame_.Span >= 30 ? 5 : 1;
    const QFont& small = fonts_.Font(ChartFont::Small);
    for (int a = step; a < 90; a += step) {
        const int row = AltitudeRow(frame_, a);
        if (row < 0 || row >= frame_.Height + 20) continue;
        const QString text = QString::number(a) + QStringLiteral("\u00B0  ");
        QStaticText label(text);
        label.setTextFormat(Qt::PlainText);
        label.prepare(QTransform(), small);
        line(row, label, fonts_.Metrics(ChartFont::Small).horizontalAdvance(text));
    }
}

void SkyChart::DrawHorizon(ChartCanvas& canvas, const DisplayOptions& options) {
    const int w = frame_.Width, h = frame_.Height;
    // How far the horizon stands below today's place (a raised view), or above it.
    const int shift = RoundToInt(frame_.HorizonRow) - (h - ChartFrame::HorizonOffset);
    const QColor band = palette_.ground;  // the strip under the caption without a landscape
    if (options.ShowHorizonFigure && HasHorizonPictures()) {
        DrawLandscape(canvas, h - horizonPicture_.height() + shift);
        if (shift != 0) {
            // The ground below a raised landscape, or the strip under the caption and compass
            // letters when the landscape has moved down.
            canvas.SetPenColor(band);
            canvas.SetBrushColor(band);
            canvas.Rectangle(-1, shift > 0 ? h - 26 : h + shift, w + 1, h + 1);
        }
        return;
    }
    // The band is outlined in its own colour (not in whatever pen the last line left).
    canvas.SetPenColor(band);
    canvas.SetBrushColor(band);
    canvas.Rectangle(-1, std::clamp(h - 26 + shift, -1, h - 26), w + 1, h + 1);
}

void SkyChart::DrawLandscape(ChartCanvas& canvas, int top) {
    const int w = frame_.Width, h = frame_.Height;
    {
        QPainter& p = canvas.Painter();
        // The landscape repeats to the right: a chart wider than the picture gets its horizon and
        // the light strip under the caption and the compass letters all the way across.
        const int tile = horizonPicture_.width();
        if (palette_.scheme != ChartScheme::Screen) {
            // Paper and night vision: the ground as one plain shape, no picture.
            for (int x0 = 0; x0 < w; x0 += tile)
                p.fillPath(groundShape_.translated(x0, top), palette_.ground);
            return;
        }
        if (!dynamic_cast<QImage*>(p.device())) {
            for (int x0 = 0; x0 < w; x0 += tile) p.drawImage(x0, top, landscapeOverlay_);
            return;
        }
        // (chart OR mask) AND picture: the landscape replaces the chart where the mask is
        // white; the sky shows through where the picture is white.
        if (QImage* image = DirectTarget(p, w, h)) {
            // Straight on the pixels: cheaper than the painter's blending for a full strip.
            const int rows = std::min(horizonPicture_.height(), horizonMask_.height());
            const int n = std::min(tile, horizonMask_.width());
            QRgb* bits = reinterpret_cast<QRgb*>(image->bits());
            const qsizetype stride = image->bytesPerLine() / 4;
            for (int x0 = 0; x0 < w; x0 += tile) {
                const int cols = std::min(w - x0, tile);
                const int masked = std::min(cols, n);
                // Only where the landscape changes anything.
                for (const HorizonRun& run : horizonRuns_) {
                    const int r = run.row;
                    if (r < -top || r >= rows || top + r >= h) continue;
                    QRgb* dst = bits + (top + r) * stride + x0;
                    const auto* m = reinterpret_cast<const QRgb*>(horizonMask_.constScanLine(r));
                    const auto* pic = reinterpret_cast<const QRgb*>(horizonPicture_.constScanLine(r));
                    const int end = std::min(run.end, masked);
                    for (int x = run.begin; x < end; ++x) dst[x] = ((dst[x] | m[x]) & pic[x]) | 0xFF000000u;
                }
                // A mask narrower than the picture: the picture alone beyond it.
                for (int r = std::max(0, -top); masked < cols && r < rows && top + r < h; ++r) {
                    QRgb* dst = bits + (top + r) * stride + x0;
                    const auto* pic = reinterpret_cast<const QRgb*>(horizonPicture_.constScanLine(r));
                    for (int x = masked; x < cols; ++x) dst[x] = (dst[x] & pic[x]) | 0xFF000000u;
                }
            }
            return;
        }
        p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        for (int x0 = 0; x0 < w; x0 += tile) p.drawImage(x0, top, horizonMask_);
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        for (int x0 = 0; x0 < w; x0 += tile) p.drawImage(x0, top, horizonPicture_);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

QString SkyChart::CaptionText(const ObserverState& state) {
    int day = state.Day, month = state.Month, year = state.Year;
    long double timeOfDay = (state.Hour + state.Minute / 60.0L + state.Second / 3600.0L) / 24.0L;
    try {
        const long double c = DateToJD(state.Year, state.Month, state.Day) + state.Hour / 24.0L +
                              state.Minute / 1440.0L + state.Second / 86400.0L - 0.5L;
        const CivilDate date = JDToDate(c + 0.5L);
        year = date.year;
        month = date.month;
        day = date.day;
        timeOfDay = c - std::trunc(c);
    } catch (const ConversionError&) {
        // A date the calendar does not know (1582-10-05..14, month 13): show it as set.
    }
    QString text = QString::fromStdString(state.PlaceName) + QStringLiteral(", ") + TwoDigits(day) +
                   QLatin1Char('.') + TwoDigits(month) + QLatin1Char('.') + QString::number(year) +
                   QLatin1Char(' ') + TimeToStr(static_cast<double>(timeOfDay));
    // The zone's name at the displayed moment itself: on the day the clock changes, the hours
    // before the change carry the other name.
    const ZoneDescription zone = ChartZone(state);
    const CivilDateTime local{{state.Year, state.Month, state.Day},
                              {state.Hour, state.Minute, state.Second}};
    std::string label;
    try {
        label = ZoneLabelAt(zone, InstantFromLocal(local, zone));
    } catch (const ConversionError&) {
        label = ZoneLabelOfDay(zone, local.date);
    }
    text += QLatin1Char(' ') + QString::fromStdString(label);
    return text;
}

void SkyChart::DrawCaption(ChartCanvas& canvas, const ObserverState& state) {
    canvas.SetFontColor(palette_.caption);
    canvas.SetBrushClear();
    const QString caption = CaptionText(state);
    canvas.TextOut(50, frame_.Height - 20, caption);
    captionRect_ = QRect(50, frame_.Height - 20, canvas.TextWidth(caption), fonts_.Metrics(ChartFont::Small).height());
}

void SkyChart::DrawCompass(ChartCanvas& canvas) {
    canvas.SetFont(ChartFont::Large);
    compassMarks_.clear();
    // Each letter centred on its direction (the meridian line runs through S and N); one at the
    // very edge is kept 16 pixels inside, so that it is read whole.
    constexpr double kInset = 16;
    for (int i = 0; i < 4; ++i) {
        double centre = AzimuthToScreenX(frame_, 90.0 * i);
        if (!(centre >= -kInset && centre <= frame_.Width + kInset)) continue;
        centre = std::max(kInset, std::min(centre, frame_.Width - kInset));
        const int x = RoundToInt(centre - compassHalfWidth_[i]);
        // Smooth drawing leaves out a letter that would cover the caption.
        if (smooth_ && QRect(x, frame_.Height - 22, 2 * compassHalfWidth_[i] + 1, 1).intersects(
                           QRect(captionRect_.left() - 2, frame_.Height - 22, captionRect_.width() + 4, 1)))
            continue;
        canvas.TextOut(x, frame_.Height - 22, compassLetters_[i]);
        compassMarks_.push_back({compassTexts_[i], x});
    }
}

}  // namespace noctaris
