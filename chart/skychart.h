#pragma once
// The sky chart: one full repaint of the sky for an ObserverState and DisplayOptions onto any
// QPainter (a window's off-screen image or a QImage for a file). Bodies, panels and the
// refresh of the information windows are supplied by their owners through hooks that are
// called at their fixed places in the drawing order.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QPoint>
#include <QSize>
#include <QStaticText>

#include "astro/reports/objectlists.h"
#include "astro/precise/precise.h"
#include "catalog/catalog.h"
#include "chart/canvas.h"
#include "chart/found_object.h"
#include "chart/labels.h"
#include "chart/palette.h"
#include "chart/projection.h"
#include "chart/skychart_deepsky.h"
#include "chart/state.h"

namespace noctaris {

// Colour of a star of spectral class 1..8 (anything else: white).
QColor StarClassColor(int spectralClass);
// The compass letter of south, west, north or east (`quarter` 0..3) in the user's language
// ("O" for east in German).
QString CompassLetter(int quarter);

// Radius in pixels of a star's disc in the smooth drawing: growing steadily with brightness.
double SmoothStarRadius(double magnitude);

// The Sun's altitude in degrees above the frame's horizon (refraction left out).
double SunAltitude(const ChartFrame& frame);

// Everything a hook needs to draw into the chart being painted.
struct ChartContext {
    ChartCanvas& canvas;
    const ChartFrame& frame;
    const ObserverState& state;
    const DisplayOptions& options;
    ChartObjectLists& lists;
    // With PrecisePositions, the redraw's precise frame (built once per redraw); else null.
    const PreciseFrame* precise = nullptr;
    // With smooth drawing, the labels placed so far (a hook's labels go in it); else null.
    LabelGrid* labels = nullptr;
};

class SkyChart {
public:
    // Keeps a reference to the catalogs; they must outlive the chart.
    explicit SkyChart(const Catalogs& catalogs);

    // Landscape picture (white where the sky shows) and mask (white where the landscape is);
    // without them the horizon figure is drawn as the plain band.
    void SetHorizonPictures(const QImage& picture, const QImage& mask);
    bool HasHorizonPictures() const { return !horizonPicture_.isNull(); }

    // Step 12: Sun, Moon and planets (font: small, white; brush clear).
    std::function<void(ChartContext&)> drawBodies;
    // Step 18: the Jupiter-moon and Venus panels, after the caption and compass letters.
    std::function<void(ChartContext&)> drawPanels;
    // Step 19: refreshing the visible information windows for the new moment.
    std::function<void(ChartContext&)> afterPaint;
    // The object found by name, marked over the horizon and before the caption.
    FoundMarker foundMarker;

    // Paints the whole chart onto a surface of `size` pixels. viewAzimuth is the azimuth at the
    // chart centre (degrees from south through west, -180..180). Clears the body hit list and,
    // with ShowStarInfo, refills the star hit list.
    // A zoomed view (span below 180 degrees) adds the stars of catalog/faint_stars.h down to
    // the magnitude its span allows, loading them at its first paint.
    void paint(QPainter& painter, QSize size, const ObserverState& state,
               const DisplayOptions& options, const ViewState& view, ChartObjectLists& lists);
    void paint(QPainter& painter, QSize size, const ObserverState& state,
               const DisplayOptions& options, double viewAzimuth, ChartObjectLists& lists);

    // Renders into `target` (reallocated as Format_RGB32 only when its size differs from `size`;
    // `size` is in device-independent pixels, so a target with a device pixel ratio keeps it).
    void Redraw(QImage& target, QSize size, const ObserverState& state,
                const DisplayOptions& options, const ViewState& view, ChartObjectLists& lists);
    void Redraw(QImage& target, QSize size, const ObserverState& state,
                const DisplayOptions& options, double viewAzimuth, ChartObjectLists& lists);
    QImage Redraw(QSize size, const ObserverState& state, const DisplayOptions& options,
                  const ViewState& view, ChartObjectLists& lists);
    QImage Redraw(QSize size, const ObserverState& state, const DisplayOptions& options,
                  double viewAzimuth, ChartObjectLists& lists);

    // The label rectangles of the last smooth paint (bodies' and their surroundings included).
    const std::vector<QRect>& PlacedLabels() const { return placedLabels_; }

    // The deep-sky objects and the Milky Way (drawn with ShowDeepSky, ShowMilkyWay).
    const DeepSkyLayer& DeepSky() const { return deepSky_; }

    // The frame of the last paint (for picking and the Sun window).
    const ChartFrame& Frame() const { return frame_; }
    // The colours of the last paint.
    const ChartPalette& Palette() const { return palette_; }

    // Text of the caption for a state: place, date, long time, " Summer time" mark.
    static QString CaptionText(const ObserverState& state);

    // A compass letter of the last paint, with the left edge it was drawn at. The letters, like
    // every label the chart prepares, are in the language installed when the chart was made.
    struct CompassMark {
        QString letter;
        int x = 0;
    };
    const std::vector<CompassMark>& CompassMarks() const { return compassMarks_; }

private:
    struct FixedPoint {  // a polyline point with the sines and cosines its placing needs
        FixedPoint(double ra, double sinDec, double cosDec, bool penUp);
        double ra, sinDec, cosDec, cosRa, sinRa;
        bool penUp;
    };
    using Polyline = std::vector<FixedPoint>;

    void DrawPolyline(QPainter& painter, const Polyline& line);
    void TurnCatalogue(const PreciseFrame* frame);
    static Polyline FromSky(const std::vector<SkyPoint>& points);
    std::string_view StarKey(int index) const;
    void DrawStars(ChartCanvas& canvas, const DisplayOptions& options, ChartObjectLists& lists);
    void PrepareFaintStars();
    std::vector<std::uint32_t> ZoomedCandidates() const;
    void DrawZodiac(ChartCanvas& canvas, const DisplayOptions& options);
    void DrawConstellationNames(ChartCanvas& canvas, int mode);
    void DrawAltitudeLines(ChartCanvas& canvas);
    void DrawHorizon(ChartCanvas& canvas, const DisplayOptions& options);
    void DrawLandscape(ChartCanvas& canvas, int top);
    void DrawCaption(ChartCanvas& canvas, const ObserverState& state);
    void DrawCompass(ChartCanvas& canvas);
    void PlaceLabels(ChartCanvas& canvas);

    // A star or constellation label, laid out in the small font at its first drawing: most are
    // never shown (names switched off, below the horizon), and laying out all costs the start.
    struct LazyLabel {
        QStaticText text;
        bool prepared = false;
    };
    static LazyLabel MakeLazyLabel(const QString& text);
    const QStaticText& Label(LazyLabel& label);

    const Catalogs& catalogs_;
    ChartFonts fonts_;
    ChartFrame frame_;
    ChartPalette palette_ = ClassicPalette();
    bool smooth_ = false;
    double sunAltitude_ = 0;  // NaN unless the sky takes its colour from the Sun

    // Smooth drawing: the star and constellation labels wait for the bodies' labels and are then
    // placed by priority (bright stars, constellations, faint stars), each where it is free.
    struct PendingLabel {
        int priority;      // 0 bright star, 1 constellation or deep-sky object, 2 faint star
        double magnitude;  // the brighter first within a priority
        int x, y;          // the object's pixel
        const QStaticText* text;
        QColor colour;
    };
    std::vector<PendingLabel> pending_;
    std::vector<QRect> placedLabels_;
    LabelGrid labelGrid_;
    QRect captionRect_;

    struct StarEntry {  // stars brighter than magnitude 5, prepared once
        int index;      // into catalogs_.stars; a faint star -1 - its index in FaintStars
        double ra, sinDec, cosDec, cosRa, sinRa, magnitude;
        int radius;     // disc radius; 1 or less: a single pixel
        int colourClass;
        int labelIndex;  // into starLabels_, or -1
    };
    // A star as the chart draws it, without a label.
    static StarEntry EntryOf(const StarRecord& star, int index);
    std::vector<StarEntry> stars_;
    std::vector<LazyLabel> starLabels_;
    // The faint stars (after their first zoomed paint) and every star by zone of J2000 right
    // ascension and declination: zoneStars_ numbers stars_ first, then faint_; the stars of zone
    // z are zoneStars_[zoneStart_[z] .. zoneStart_[z + 1]).
    std::vector<StarEntry> faint_;
    bool faintLoaded_ = false;
    std::vector<std::uint32_t> zoneStars_, zoneStart_;
    QPen classPens_[9];  // 0 = white
    // Per disc radius, the pixels of a star's disc around its centre as the painter draws it.
    std::vector<std::vector<QPoint>> discPixels_;
    QBrush classBrushes_[9];
    QColor classColours_[9];

    Polyline borders_, lines_, ecliptic_, equator_;
    std::vector<Polyline> grid_;

    struct ConstellationLabel {
        double ra, sinDec, cosDec;
        LazyLabel names[3];  // vernacular, Latin, abbreviation
    };
    std::vector<ConstellationLabel> constellationLabels_;

    void PrepareZodiac();
    void PrepareAltitudeLabels();
    bool zodiacPrepared_ = false;
    bool altitudeLabelsPrepared_ = false;
    QStaticText zodiacGlyphs_[12];
    QStaticText zodiacNames_[12];
    int zodiacGlyphWidth_[12];
    int zodiacNameWidth_[12];
    QStaticText compassLetters_[4];
    QString compassTexts_[4];
    int compassHalfWidth_[4];
    std::vector<CompassMark> compassMarks_;  // those drawn at the last paint
    QStaticText altitudeLabels_[5];
    int altitudeLabelWidth_[5];

    // The catalogue places (stars, borders, lines, constellation labels in this order) as
    // loaded, in J2000, with their unit vectors; the drawn places are turned from these to the
    // equinox of date with PrecisePositions and restored exactly without it.
    struct CataloguePlace {
        double ra, sinDec, cosDec;
        double x, y, z;
    };
    std::vector<CataloguePlace> catalogue_;
    bool turned_ = false;
    double turnedForTT_ = 0;  // the TT Julian day of the turn the drawn places hold
    PreciseFrame preciseFrame_;

    DeepSkyLayer deepSky_;
    QImage horizonPicture_, horizonMask_;
    // Column ranges [begin, end) of the pictures' rows where the landscape changes the chart;
    // elsewhere the picture is white and the mask black, and an RGB32 chart pixel stays as it is.
    struct HorizonRun {
        int row, begin, end;
    };
    std::vector<HorizonRun> horizonRuns_;
    QImage landscapeOverlay_;   // the landscape over a transparent sky
    QPainterPath groundShape_;  // where the mask is white
    std::vector<QPoint> run_;  // reused buffer of one polyline stroke
};

}  // namespace noctaris
