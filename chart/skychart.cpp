#include "chart/skychart.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include <QCoreApplication>
#include <QPainter>
#include <QTransform>

#include "astro/core/constants.h"
#include "astro/theories/sun.h"
#include "astro/time/timebase.h"
#include "chart/skychart_detail.h"
#include "platform/format.h"

namespace noctaris {
using namespace skychart_detail;

namespace {



const char* const kZodiacNames[12] = {
    QT_TRANSLATE_NOOP("SkyChart", "Aries"),       QT_TRANSLATE_NOOP("SkyChart", "Taurus"),
    QT_TRANSLATE_NOOP("SkyChart", "Gemini"),      QT_TRANSLATE_NOOP("SkyChart", "Cancer"),
    QT_TRANSLATE_NOOP("SkyChart", "Leo"),         QT_TRANSLATE_NOOP("SkyChart", "Virgo"),
    QT_TRANSLATE_NOOP("SkyChart", "Libra"),       QT_TRANSLATE_NOOP("SkyChart", "Scorpio"),
    QT_TRANSLATE_NOOP("SkyChart", "Sagittarius"), QT_TRANSLATE_NOOP("SkyChart", "Capricorn"),
    QT_TRANSLATE_NOOP("SkyChart", "Aquarius"),    QT_TRANSLATE_NOOP("SkyChart", "Pisces")};
// Where each sign sits along the ecliptic, in units of 30° from the start of its sign.
double ZodiacOffset(int i) { return i == 7 ? 1.17 : i == 9 ? 1.3 : i == 10 ? 1.2 : 1.5; }

// South, west, north, east: the letters of the language ("O" for east in German).
const struct {
    const char* source;
    const char* comment;
} kCompassLetters[4] = {QT_TRANSLATE_NOOP3("SkyChart", "S", "compass: south"),
                        QT_TRANSLATE_NOOP3("SkyChart", "W", "compass: west"),
                        QT_TRANSLATE_NOOP3("SkyChart", "N", "compass: north"),
                        QT_TRANSLATE_NOOP3("SkyChart", "E", "compass: east")};

}  // namespace

QString CompassLetter(int quarter) {
    const auto& l = kCompassLetters[quarter & 3];
    return QCoreApplication::translate("SkyChart", l.source, l.comment);
}

namespace {

QStaticText MakeStatic(const QString& text, const QFont& font) {
    QStaticText st(text);
    st.setTextFormat(Qt::PlainText);
    st.prepare(QTransform(), font);
    return st;
}

}  // namespace

QColor StarClassColor(int spectralClass) { return ClassicPalette().Star(spectralClass); }

double SunAltitude(const ChartFrame& f) {
    const BodyPosition sun = SunPosition(Instant::FromUT(f.JulianDay));
    const double ra = static_cast<double>(sun.RightAscension) * kDegree;
    const double dec = static_cast<double>(sun.Declination) * kDegree;
    const double s = f.SinLat * std::sin(dec) + f.CosLat * std::cos(dec) * std::cos(f.SiderealAngle - ra);
    return std::asin(std::clamp(s, -1.0, 1.0)) / kDegree;
}

SkyChart::FixedPoint::FixedPoint(double ra, double sinDec, double cosDec, bool penUp)
    : ra(ra), sinDec(sinDec), cosDec(cosDec), cosRa(std::cos(ra)), sinRa(std::sin(ra)),
      penUp(penUp) {}

SkyChart::LazyLabel SkyChart::MakeLazyLabel(const QString& text) {
    LazyLabel l{QStaticText(text)};
    l.text.setTextFormat(Qt::PlainText);
    return l;
}

const QStaticText& SkyChart::Label(LazyLabel& label) {
    if (!label.prepared) {
        label.text.prepare(QTransform(), fonts_.Font(ChartFont::Small));
        label.prepared = true;
    }
    return label.text;
}

SkyChart::Polyline SkyChart::FromSky(const std::vector<SkyPoint>& points) {
    Polyline out;
    out.reserve(points.size());
    for (const SkyPoint& p : points) out.push_back({p.ra, std::sin(p.dec), std::cos(p.dec), p.penUp});
    return out;
}

SkyChart::SkyChart(const Catalogs& catalogs) : catalogs_(catalogs) {
    for (int c = 0; c <= 8; ++c) {
        classColours_[c] = StarClassColor(c);
        classPens_[c] = QPen(classColours_[c], 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        classBrushes_[c] = QBrush(classColours_[c]);
    }

    // Stars fainter than magnitude 5 are never drawn.
    for (std::size_t i = 0; i < catalogs.stars.size(); ++i) {
        const StarRecord& s = catalogs.stars[i];
        if (!(s.Magnitude < 5)) continue;
        StarEntry e = EntryOf(s, static_cast<int>(i));
        if (i < catalogs.starNames.size() && !catalogs.starNames[i].label.empty()) {
            QString label = QString::fromStdString(catalogs.starNames[i].label);
            if (label.size() > 250) label.truncate(250);
            e.labelIndex = static_cast<int>(starLabels_.size());
            starLabels_.push_back(MakeLazyLabel(label));
        }
        stars_.push_back(e);
    }

    borders_ = FromSky(catalogs.constellationBorders);
    lines_ = FromSky(catalogs.constellationLines);

    // Ecliptic as a sine curve of 23° amplitude in declination over right ascension.
    for (int l = -10; l <= 368; l += 3) {
        const double lambda = l * kDegree;
        const double dec = 0.4014257279586958 * std::sin(lambda);
        ecliptic_.push_back({lambda, std::sin(dec), std::cos(dec), false});
    }
    for (int ra = 0; ra <= 360; ra += 4) equator_.push_back({ra * kDegree, 0.0, 1.0, false});
    for (int dec = -60; dec <= 60; dec += 30) {
        Polyline circle;
        for (int ra = -2; ra <= 362; ra += 4)
            circle.push_back({ra * kDegree, std::sin(dec * kDegree), std::cos(dec * kDegree), false});
        grid_.push_back(std::move(circle));
    }
    for (int ra = 0; ra < 360; ra += 60) {
        Polyline circle;  // over both poles: declinations beyond 90° continue on the far side
        for (int dec = -2; dec <= 363; dec += 5)
            circle.push_back({ra * kDegree, std::sin(dec * kDegree), std::cos(dec * kDegree), false});
        grid_.push_back(std::move(circle));
    }

    for (const Constellation& c : catalogs.constellations) {
        ConstellationLabel l;
        l.ra = c.labelRightAscension;
        l.sinDec = std::sin(c.labelDeclination);
        l.cosDec = std::cos(c.labelDeclination);
        l.names[0] = MakeLazyLabel(QString::fromStdString(c.vernacular));
        l.names[1] = MakeLazyLabel(QString::fromStdString(c.latin));
        l.names[2] = MakeLazyLabel(QString::fromStdString(c.abbreviation));
        constellationLabels_.push_back(std::move(l));
    }

    const auto keep = [this](double ra, double sinDec, double cosDec) {
        catalogue_.push_back({ra, sinDec, cosDec, cosDec * std::cos(ra), cosDec * std::sin(ra), sinDec});
    };
    for (const StarEntry& e : stars_) keep(e.ra, e.sinDec, e.cosDec);
    for (const Polyline* line : {&borders_, &lines_})
        for (const FixedPoint& p : *line) keep(p.ra, p.sinDec, p.cosDec);
    for (const ConstellationLabel& l : constellationLabels_) keep(l.ra, l.sinDec, l.cosDec);

    const QFont& large = fonts_.Font(ChartFont::Large);
    for (int i = 0; i < 4; ++i) {
        const QString letter = CompassLetter(i);
        compassTexts_[i] = letter;
        compassLetters_[i] = MakeStatic(letter, large);
        compassHalfWidth_[i] = fonts_.Metrics(ChartFont::Large).horizontalAdvance(letter) / 2;
    }
    run_.reserve(512);

    // The painter's disc of each star radius, as pixels around the centre: its midpoint
    // ellipse of an integer rectangle is the same wherever the disc stands.
    int largest = 1;
    for (const StarEntry& e : stars_) largest = std::max(largest, e.radius);
    discPixels_.resize(static_cast<std::size_t>(std::min(largest, 16)) + 1);
    for (int r = 2; r < static_cast<int>(discPixels_.size()); ++r) {
        const int middle = r + 4;
        QImage scratch(2 * middle + 1, 2 * middle + 1, QImage::Format_RGB32);
        scratch.fill(Qt::black);
        {
            QPainter p(&scratch);
            ChartCanvas c(p, fonts_);
            c.SetPen(classPens_[0]);
            c.SetBrush(classBrushes_[0]);
            c.Ellipse(middle - r, middle - r, middle + r, middle + r);
        }
        for (int y = 0; y < scratch.height(); ++y)
            for (int x = 0; x < scratch.width(); ++x)
                if ((scratch.pixel(x, y) & 0xFFFFFFu) != 0)
                    discPixels_[r].push_back(QPoint(x - middle, y - middle));
    }
}

// The catalogue is J2000; the precise bodies stand on the true equator and equinox of date. One
// matrix (the frame's bias-precession-nutation) turns every catalogue place, so stars, lines and
// bodies stay in one frame; without a frame the loaded places come back bit for bit.
void SkyChart::TurnCatalogue(const PreciseFrame* frame) {
    if (!frame && !turned_) return;
    if (frame && turned_ && frame->tt() == turnedForTT_) return;
    std::size_t i = 0;
    // The cosine and sine of the right ascension go with it: the placement's quick rejection
    // reads them, and a stale pair would turn away points on the chart.
    const auto set = [&](double& ra, double& sinDec, double& cosDec, double* cosRa, double* sinRa) {
        const CataloguePlace& c = catalogue_[i++];
        if (!frame) {
            ra = c.ra, sinDec = c.sinDec, cosDec = c.cosDec;
        } else {
            const double (&m)[3][3] = frame->npb;
            const double x = m[0][0] * c.x + m[0][1] * c.y + m[0][2] * c.z;
            const double y = m[1][0] * c.x + m[1][1] * c.y + m[1][2] * c.z;
            sinDec = m[2][0] * c.x + m[2][1] * c.y + m[2][2] * c.z;
            cosDec = std::sqrt(x * x + y * y);  // a unit vector: no overflow to guard against
            ra = std::atan2(y, x);
        }
        if (cosRa) *cosRa = std::cos(ra), *sinRa = std::sin(ra);
    };
    for (StarEntry& e : stars_) set(e.ra, e.sinDec, e.cosDec, &e.cosRa, &e.sinRa);
    for (Polyline* line : {&borders_, &lines_})
        for (FixedPoint& p : *line) set(p.ra, p.sinDec, p.cosDec, &p.cosRa, &p.sinRa);
    for (ConstellationLabel& l : constellationLabels_) set(l.ra, l.sinDec, l.cosDec, nullptr, nullptr);
    for (StarEntry& e : faint_) set(e.ra, e.sinDec, e.cosDec, &e.cosRa, &e.sinRa);
    turned_ = frame != nullptr;
    turnedForTT_ = frame ? frame->tt() : 0;
}

void SkyChart::DrawPolyline(QPainter& painter, const Polyline& line) {
    const ChartPlacement placement(frame_);
    PolylinePen pen;
    int x = 0, y = 0;
    run_.clear();
    // A point that cannot be placed only ever starts a run (the pen draws from it to a placeable
    // point, never to it); its pixel is worked out when a line is drawn from it.
    const FixedPoint* unplaced = nullptr;
    auto flush = [&] {
        if (run_.size() >= 2) {
            if (unplaced != nullptr) {
                int ux = run_[0].x(), uy = run_[0].y();
                ProjectToScreenSC(frame_, unplaced->ra, unplaced->sinDec, unplaced->cosDec, ux, uy);
                run_[0] = QPoint(ux, uy);
            }
            if (smooth_) {
                // Antialiased: on the pixels' centres, so a level line stays one pixel sharp.
                painter.translate(0.5, 0.5);
                painter.drawPolyline(run_.data(), static_cast<int>(run_.size()));
                painter.translate(-0.5, -0.5);
            } else {
                painter.drawPolyline(run_.data(), static_cast<int>(run_.size()));
            }
        }
        run_.clear();
        unplaced = nullptr;
    };
    for (const FixedPoint& p : line) {
        if (p.penUp) pen.Lift();
        const bool placeable = placement.Place(p.ra, p.cosRa, p.sinRa, p.sinDec, p.cosDec, x, y);
        if (!pen.Step(placeable)) {
            flush();
            if (!placeable) unplaced = &p;
        }
        run_.emplace_back(x, y);
    }
    flush();
}

// The zodiac's glyphs and names and the altitude labels are laid out at their first drawing:
// most charts show neither, and the glyphs' large font costs the start.
void SkyChart::PrepareZodiac() {
    if (zodiacPrepared_) return;
    zodiacPrepared_ = true;
    const QFont& glyph = fonts_.Font(ChartFont::Glyph);
    const QFont& medium = fonts_.Font(ChartFont::Medium);
    for (int i = 0; i < 12; ++i) {
        const QString g(QChar(char16_t(0x2648 + i)));  // the zodiac signs, Aries to Pisces
        zodiacGlyphs_[i] = MakeStatic(g, glyph);
        zodiacGlyphWidth_[i] = fonts_.Metrics(ChartFont::Glyph).horizontalAdvance(g);
        const QString name = QCoreApplication::translate("SkyChart", kZodiacNames[i]);
        zodiacNames_[i] = MakeStatic(name, medium);
        zodiacNameWidth_[i] = fonts_.Metrics(ChartFont::Medium).horizontalAdvance(name);
    }
}

void SkyChart::PrepareAltitudeLabels() {
    if (altitudeLabelsPrepared_) return;
    altitudeLabelsPrepared_ = true;
    for (int i = 1; i <= 5; ++i) {
        const QString label = QString::number(15 * i) + QStringLiteral("\u00B0  ");
        altitudeLabels_[i - 1] = MakeStatic(label, fonts_.Font(ChartFont::Small));
        altitudeLabelWidth_[i - 1] = fonts_.Metrics(ChartFont::Small).horizontalAdvance(label);
    }
}

void SkyChart::DrawZodiac(ChartCanvas& canvas, const DisplayOptions& options) {
    PrepareZodiac();
    canvas.SetFontColor(palette_.zodiac);
    for (int i = 0; i < 12; ++i) {
        const double at = (i + ZodiacOffset(i)) * 30.0;
        const double dec = (23.0 * std::sin(at * kDegree) + 5.0) * kDegree;
        int x = 0, y = 0;
        if (!ProjectToScreen(frame_, at * kDegree, dec, x, y)) continue;
        canvas.SetFont(ChartFont::Glyph);
        canvas.TextOut(x, y, zodiacGlyphs_[i]);
        const int w = zodiacGlyphWidth_[i];
        if (smooth_) labelGrid_.Take(QRect(QPoint(x, y), zodiacGlyphs_[i].size().toSize()));
        canvas.SetFont(ChartFont::Medium);
        if (options.ConstellationNameMode == 0) {
            // The glyph's width stands in for its height.
            const QPoint at(x + w / 2 - zodiacNameWidth_[i] / 2, y + w + 2);
            canvas.TextOut(at.x(), at.y(), zodiacNames_[i]);
            if (smooth_) labelGrid_.Take(QRect(at, zodiacNames_[i].size().toSize()));
        }
    }
    canvas.SetFont(ChartFont::Small);
}

void SkyChart::DrawConstellationNames(ChartCanvas& canvas, int mode) {
    if (mode < 1 || mode > 3) return;
    const QColor saved = canvas.FontColor();
    canvas.SetFontColor(palette_.constellationNames);
    canvas.SetBrushClear();
    for (ConstellationLabel& l : constellationLabels_) {
        int x = 0, y = 0;
        if (!ProjectToScreenSC(frame_, l.ra, l.sinDec, l.cosDec, x, y)) continue;
        if (smooth_)
            pending_.push_back({1, 0, x, y, &Label(l.names[mode - 1]), palette_.constellationNames});
        else
            canvas.TextOut(x + 4, y + 4, Label(l.names[mode - 1]));
    }
    canvas.SetFontColor(saved);
}

void SkyChart::PlaceLabels(ChartCanvas& canvas) {
    std::stable_sort(pending_.begin(), pending_.end(), [](const PendingLabel& a, const PendingLabel& b) {
        return a.priority != b.priority ? a.priority < b.priority : a.magnitude < b.magnitude;
    });
    canvas.SetFont(ChartFont::Small);
    canvas.SetBrushClear();
    for (const PendingLabel& l : pending_) {
        const QSize s = l.text->size().toSize();
        const int w = s.width(), h = s.height();
        // Beside the object: below right first, then above right, below left, above left.
        const int gap = l.priority == 1 ? 4 : 3;
        const QRect candidates[4] = {QRect(l.x + gap, l.y + 2, w, h), QRect(l.x + gap, l.y - h - 1, w, h),
                                     QRect(l.x - w - gap, l.y + 2, w, h), QRect(l.x - w - gap, l.y - h - 1, w, h)};
        const int at = labelGrid_.TakeFirstFree(candidates, 4);
        if (at < 0) continue;
        canvas.SetFontColor(l.colour);
        canvas.TextOut(candidates[at].x(), candidates[at].y(), *l.text);
    }
    placedLabels_ = labelGrid_.Taken();
    pending_.clear();
}

void SkyChart::paint(QPainter& painter, QSize size, const ObserverState& state,
                     const DisplayOptions& options, double viewAzimuth, ChartObjectLists& lists) {
    ViewState view;
    view.CentreAzimuth = viewAzimuth;
    paint(painter, size, state, options, view, lists);
}

void SkyChart::paint(QPainter& painter, QSize size, const ObserverState& state,
                     const DisplayOptions& options, const ViewState& view, ChartObjectLists& lists) {
    // 1. Frame.
    if (view.HorizontalSpan < ViewState::kWidestSpan) PrepareFaintStars();
    frame_ = MakeChartFrame(state, size.width(), size.height(), view);
    const int w = frame_.Width, h = frame_.Height;
    ChartCanvas canvas(painter, fonts_);
    ChartContext context{canvas, frame_, state, options, lists};
    if (options.PrecisePositions) {
        preciseFrame_ = MakePreciseFrame(Instant::FromUT(frame_.JulianDay));
        frame_ = MakeChartFrame(state, size.width(), size.height(), view, &preciseFrame_);
        context.precise = &preciseFrame_;
    }
    TurnCatalogue(context.precise);

    // 2. Background.
    const bool screen = options.Scheme == ChartScheme::Screen;
    smooth_ = options.SmoothDrawing || !screen;
    sunAltitude_ = std::numeric_limits<double>::quiet_NaN();
    if (smooth_ && screen && options.SkyColour) sunAltitude_ = SunAltitude(frame_);
    palette_ = PaletteFor(options.Scheme, smooth_, SkyColour(sunAltitude_));
    if (smooth_) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.fillRect(QRect(0, 0, w, h), palette_.sky);
    } else {
        canvas.SetBrushColor(palette_.sky);
        canvas.SetPenColor(Qt::white);
        canvas.Rectangle(-1, -1, w + 1, h + 1);
    }
    canvas.SetBrushClear();
    canvas.SetPenColor(Qt::black);
    canvas.SetFontColor(palette_.bodyLabels);

    pending_.clear();
    placedLabels_.clear();
    if (smooth_) {
        labelGrid_.Reset(w, h);
        context.labels = &labelGrid_;
    }

    if (options.ShowMilkyWay) deepSky_.DrawMilkyWay(painter, frame_, palette_, context.precise);

    // 3., 4. Constellation borders and lines.
    if (options.ShowConstellationBorders) {
        canvas.SetPenColor(palette_.borders);
        DrawPolyline(painter, borders_);
        canvas.SetPenColor(Qt::black);
    }
    if (options.ShowConstellationLines) {
        canvas.SetPenColor(palette_.lines);
        DrawPolyline(painter, lines_);
    }

    lists.deepSky.Clear();
    if (options.ShowDeepSky)
        for (const DeepSkyLayer::Label& l : deepSky_.DrawObjects(painter, frame_, palette_, context.precise, smooth_,
                                                                 fonts_.Font(ChartFont::Small), &lists.deepSky))
            pending_.push_back({1, l.magnitude, l.x, l.y, l.text, palette_.deepSkyLabels});

    // 5., 6. Stars.
    canvas.SetFont(ChartFont::Small);
    canvas.SetFontColor(palette_.bodyLabels);
    lists.BodyListClear();
    if (options.ShowStarInfo) lists.StarListClear();
    DrawStars(canvas, options, lists);

    // 7. Ecliptic.
    if (options.ShowEcliptic) {
        canvas.SetPenColor(palette_.ecliptic);
        DrawPolyline(painter, ecliptic_);
    }

    // 8. Zodiac signs.
    canvas.SetBrushClear();
    if (options.ShowZodiac) DrawZodiac(canvas, options);

    // 9., 10. Coordinate grid and celestial equator.
    if (options.ShowGrid) {
        canvas.SetPenColor(palette_.grid);
        for (const Polyline& circle : grid_) DrawPolyline(painter, circle);
    }
    if (options.ShowEquator) {
        canvas.SetPenColor(palette_.equator);
        DrawPolyline(painter, equator_);
    }

    // 11. Constellation names.
    if (options.ConstellationNameMode > 0) DrawConstellationNames(canvas, options.ConstellationNameMode);

    // 12. Bodies.
    canvas.SetFontColor(palette_.bodyLabels);
    if (drawBodies) drawBodies(context);

    // 13. Meridian: the columns of the south and the north point, where they are on the chart.
    if (options.ShowMeridian) {
        canvas.SetPenColor(palette_.guide);
        QImage* direct = DirectTarget(painter, w, h);
        for (const double azimuth : {0.0, 180.0}) {
            const double xv = AzimuthToScreenX(frame_, azimuth);
            if (!(xv > -1 && xv < w + 1)) continue;
            const int x = RoundToInt(xv);
            if (direct) {
                // The whole column, as the painter's line through the surface.
                if (x >= 0 && x < w) {
                    QRgb* pixel = reinterpret_cast<QRgb*>(direct->bits()) + x;
                    const qsizetype stride = direct->bytesPerLine() / 4;
                    for (int y = 0; y < h; ++y) pixel[y * stride] = palette_.guide.rgb();
                }
                canvas.MoveTo(x, h);
            } else {
                canvas.MoveTo(x, -1);
                canvas.LineTo(x, h);
            }
        }
    }

    // 14. Altitude lines.
    if (options.ShowAltitudeLines) DrawAltitudeLines(canvas);

    if (smooth_) PlaceLabels(canvas);

    // 15. Horizon figure or band.
    DrawHorizon(canvas, options);
    DrawFoundMarker(context, catalogs_, foundMarker);

    // 16., 17. Caption and compass letters.
    DrawCaption(canvas, state);
    DrawCompass(canvas);

    // 18. Panels; 19. information windows.
    if (drawPanels) drawPanels(context);
    // The pictures of the bodies and panels keep their colours; on an image the whole chart
    // goes through the red filter, so that nothing else is lit.
    // (The raster painter has drawn everything by now; its pixels are changed in place.)
    if (options.Scheme == ChartScheme::Night)
        if (auto* image = dynamic_cast<QImage*>(painter.device());
            image && (image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32 ||
                      image->format() == QImage::Format_ARGB32_Premultiplied))
            ApplyRedFilter(*image);
    if (afterPaint) afterPaint(context);
}

void SkyChart::Redraw(QImage& target, QSize size, const ObserverState& state,
                      const DisplayOptions& options, double viewAzimuth, ChartObjectLists& lists) {
    ViewState view;
    view.CentreAzimuth = viewAzimuth;
    Redraw(target, size, state, options, view, lists);
}

void SkyChart::Redraw(QImage& target, QSize size, const ObserverState& state,
                      const DisplayOptions& options, const ViewState& view, ChartObjectLists& lists) {
    if (size.isEmpty()) {
        target = QImage();
        return;
    }
    // A target with a device pixel ratio (a scaled screen) is kept: the chart is drawn at its
    // full resolution, in the same coordinates.
    if (target.deviceIndependentSize().toSize() != size || target.format() != QImage::Format_RGB32)
        target = QImage(size, QImage::Format_RGB32);
    QPainter painter(&target);
    paint(painter, size, state, options, view, lists);
}

QImage SkyChart::Redraw(QSize size, const ObserverState& state, const DisplayOptions& options,
                        const ViewState& view, ChartObjectLists& lists) {
    QImage image;
    Redraw(image, size, state, options, view, lists);
    return image;
}

QImage SkyChart::Redraw(QSize size, const ObserverState& state, const DisplayOptions& options,
                        double viewAzimuth, ChartObjectLists& lists) {
    ViewState view;
    view.CentreAzimuth = viewAzimuth;
    return Redraw(size, state, options, view, lists);
}

}  // namespace noctaris
