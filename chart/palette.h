#pragma once
// The chart's colours in one place: the classic set that keeps the pixel-exact picture, and the
// smooth drawing's set, where every line and label colour is made readable against the sky it
// is drawn on (the sky itself following the Sun's altitude when asked to).
#include <QColor>

namespace noctaris {

struct ChartPalette {
    QColor sky;
    QColor borders, lines, ecliptic, zodiac, grid, equator;
    QColor constellationNames;
    QColor guide;        // meridian and altitude lines
    QColor bodyLabels;   // Sun, Moon, planets and the altitude figures
    // The Milky Way's five levels, faintest first; each is painted over the one before.
    QColor milkyWay[5] = {QColor(20, 22, 34), QColor(28, 31, 46), QColor(37, 40, 58), QColor(47, 51, 72),
                          QColor(58, 63, 88)};
    QColor deepSky = QColor(255, 140, 120);        // deep-sky symbols
    QColor deepSkyLabels = QColor(255, 170, 150);  // their labels
    bool smooth = false;
    // A star's label in the colour of its spectral class (0..8), readable on this sky.
    QColor StarLabel(int spectralClass) const;
};

ChartPalette ClassicPalette();
// The smooth drawing's colours on `sky`: each one lightened (or darkened) just enough to stand
// at least 4.5:1 against it.
ChartPalette SmoothPalette(const QColor& sky);

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
