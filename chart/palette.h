#pragma once
// The chart's colours in one place: the classic set that keeps the pixel-exact picture, and the
// smooth drawing's set, where every line and label colour is made readable against the sky it
// is drawn on (the sky itself following the Sun's altitude when asked to).
#include <QColor>
#include <QImage>

#include "chart/state.h"

namespace noctaris {

struct ChartPalette {
    QColor sky;
    QColor borders, lines, ecliptic, zodiac, grid, equator;
    QColor constellationNames;
    QColor guide;        // meridian and altitude lines
    QColor bodyLabels;   // Sun, Moon, planets and the altitude figures
    QColor ground;       // below the horizon: the band, or the landscape drawn as a shape
    QColor caption;      // caption and compass letters on the ground
    // The Milky Way's five levels, faintest first; each is painted over the one before.
    QColor milkyWay[5] = {QColor(20, 22, 34), QColor(28, 31, 46), QColor(37, 40, 58), QColor(47, 51, 72),
                          QColor(58, 63, 88)};
    QColor deepSky = QColor(255, 140, 120);        // deep-sky symbols
    QColor deepSkyLabels = QColor(255, 170, 150);  // their labels
    bool smooth = false;
    ChartScheme scheme = ChartScheme::Screen;
    // A star's label in the colour of its spectral class (0..8), readable on this sky.
    QColor StarLabel(int spectralClass) const;
    // A star's disc: its class colour on the screen, one ink in the other schemes.
    QColor Star(int spectralClass) const;
};

ChartPalette ClassicPalette();
// The smooth drawing's colours on `sky`: each one lightened (or darkened) just enough to stand
// at least 4.5:1 against it.
ChartPalette SmoothPalette(const QColor& sky);
// Black on white for paper: dark stars and lines, a grey grid, a light grey ground.
ChartPalette WhitePalette();
// Dim red on black: no green or blue anywhere, nothing brighter than the brightest star.
ChartPalette NightPalette();
// The palette of a scheme; the screen's follows `smooth` and the sky's colour.
ChartPalette PaletteFor(ChartScheme scheme, bool smooth, const QColor& sky);

// Night vision for pictures and surfaces painted in colour: each pixel's brightness (the larger
// of its luma and its red) as red alone, scaled by `brightness` (0..1); alpha kept.
QRgb RedFiltered(QRgb pixel, double brightness = 1.0);
// Pictures on the night chart: their white no brighter than the night palette's stars.
inline constexpr double kNightPictureBrightness = 0.78;
void ApplyRedFilter(QImage& image, double brightness = 1.0);

// WCAG 2 relative luminance (0 black .. 1 white) and contrast ratio (1 .. 21).
double RelativeLuminance(const QColor& c);
double ContrastRatio(const QColor& a, const QColor& b);
// `colour` mixed toward white (or black, whichever reaches it) until it stands at least `ratio`
// against `background`; unchanged when it already does.
QColor Readable(const QColor& colour, const QColor& background, double ratio = 4.5);

// The sky's colour for the Sun at `altitude` degrees: day blue, through the civil, nautical and
// astronomical twilight to night black.
QColor SkyColour(double sunAltitude);
// The faintest magnitude that shows on that sky (night: every star of the catalogue).
double SkyMagnitudeLimit(double sunAltitude);

}  // namespace noctaris
