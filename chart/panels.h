#pragma once
// The two insets painted over the chart after the caption and compass letters: Jupiter with
// its four Galilean moons in the top-left corner, and the phase of Venus with its diameter,
// brightness and illuminated part in the top-right corner.
#include <array>

#include <QImage>
#include <QPointF>
#include <QStaticText>
#include <QString>

#include "astro/theories/moonseries.h"
#include "chart/canvas.h"
#include "chart/projection.h"
#include "chart/skychart.h"
#include "chart/state.h"

namespace noctaris {

// ---- Jupiter and its moons --------------------------------------------------------------------

// The Jupiter panel exists only for 1900..2100 (the satellite series' range).
inline bool JupiterPanelYearShown(int year) { return year >= 1900 && year <= 2100; }

// A moon's mark in the panel: its centre, and whether Jupiter's disc hides it (behind the
// planet and within 9 pixels of the panel's Jupiter centre at x = 160).
struct JupiterMoonMark {
    int X = 0, Y = 0;
    bool Hidden = false;
};
JupiterMoonMark JupiterMoonMarkOf(const GalileanMoonPosition& p);

// Panel names and colours of Io, Europa, Ganymede, Callisto.
extern const std::array<const char*, 4> kJupiterMoonNames;
extern const std::array<QRgb, 4> kJupiterMoonColours;

// The legend's names laid out once for a set of chart fonts.
struct JupiterLegend {
    const ChartFonts* fonts = nullptr;
    std::array<QStaticText, 4> names;
    std::array<int, 4> widths{};
    void Prepare(const ChartFonts& chartFonts);
};

// Paints the panel (frame, Jupiter's 8 x 8 picture, the moons, the legend) onto the chart
// canvas for the frame's Julian day; nothing at all outside 1900..2100. A prepared legend
// saves laying out its texts on every frame.
void DrawJupiterMoonsPanel(ChartCanvas& canvas, const ChartFrame& frame,
                           const ObserverState& state, const QImage& jupiterPicture,
                           const JupiterLegend* legend = nullptr);

// ---- Venus --------------------------------------------------------------------------------------

inline constexpr int kVenusPanelWidth = 160;
inline constexpr int kVenusPanelHeight = 250;

// Points of the Venus disc in panel computation coordinates (disc centre (100, 110); drawn
// 15 pixels further left). The disc radius in pixels is the diameter in arcseconds.
struct VenusPhaseGeometry {
    double d = 0;      // disc radius, pixels
    double k = 0;      // illuminated fraction
    double theta = 0;  // chi - 90, degrees
    QPointF C1, C2;    // cusps
    QPointF Q;         // limb point midway between the cusps
    QPointF M;         // middle of the terminator
};
VenusPhaseGeometry VenusGeometry(double chi, double phaseAngle, double diameter);

// Centre and radius of the circle through three points; false for collinear points.
bool CircleThrough(QPointF p1, QPointF p2, QPointF p3, double& a, double& b, double& r);

// Darkens the unlit part of the yellow Venus disc already drawn in `panel`.
void DrawVenusTerminator(QImage& panel, const VenusPhaseGeometry& g);

// The three value lines of the panel in the user's locale: diameter (arcseconds), brightness
// (magnitude) and illuminated part (percent of k).
std::array<QString, 3> VenusPanelTexts(double diameter, double magnitude, double k);

// The panel bitmap for the values of the physical ephemeris (texts in the user's locale).
QImage RenderVenusPanel(const ChartFonts& fonts, double chi, double phaseAngle, double magnitude,
                        double diameter);

// The chart's panels step, with the pictures loaded once and the Venus panel kept while its
// inputs (date, hour, locale) do not change.
class ChartPanels {
public:
    ChartPanels();  // loads Jupiter's picture
    explicit ChartPanels(QImage jupiterPicture);

    // Installs Draw as the chart's panels step. This object must outlive the chart's use of it.
    void InstallOn(SkyChart& chart);

    void Draw(ChartContext& context);

private:
    QImage jupiter_;
    JupiterLegend legend_;
    QImage venusPanel_;
    struct VenusKey {
        int year = 0, month = 0, day = 0, hour = -1;
        QString locale;
        const ChartFonts* fonts = nullptr;
        bool operator==(const VenusKey&) const = default;
    } venusKey_;
};

}  // namespace noctaris
