#include "chart/palette.h"

#include <algorithm>
#include <cmath>

namespace noctaris {

namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    const auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()));
}

}  // namespace

double RelativeLuminance(const QColor& c) {
    return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Readable(const QColor& colour, const QColor& background, double ratio) {
    if (ContrastRatio(colour, background) >= ratio) return colour;
    // Toward whichever end stands further from the background; the smallest step that is enough.
    const QColor end = ContrastRatio(Qt::white, background) >= ContrastRatio(Qt::black, background)
                           ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 1; step <= 20; ++step) {
        const QColor c = Mix(colour, end, step / 20.0);
        if (ContrastRatio(c, background) >= ratio) return c;
    }
    return end;
}

QColor SkyColour(double sunAltitude) {
    if (!std::isfinite(sunAltitude)) return QColor(0, 0, 0);
    // Key colours at the stages' limits; between them the sky is mixed linearly.
    struct Stop {
        double altitude;
        QColor colour;
    };
    static const Stop kStops[] = {
        {-18, QColor(0, 0, 0)},      {-12, QColor(4, 8, 26)},      {-6, QColor(14, 28, 66)},
        {0, QColor(36, 64, 118)},    {8, QColor(40, 86, 158)},
    };
    if (sunAltitude <= kStops[0].altitude) return kStops[0].colour;
    for (std::size_t i = 1; i < std::size(kStops); ++i)
        if (sunAltitude <= kStops[i].altitude) {
            const Stop& a = kStops[i - 1];
            const Stop& b = kStops[i];
            return Mix(a.colour, b.colour, (sunAltitude - a.altitude) / (b.altitude - a.altitude));
        }
    return kStops[std::size(kStops) - 1].colour;
}

double SkyMagnitudeLimit(double sunAltitude) {
    if (!std::isfinite(sunAltitude) || sunAltitude <= -18) return 99;
    // Roughly what the eye finds: 6 at the end of twilight, 1 at sunset, none by day.
    if (sunAltitude >= 0) return -2;
    if (sunAltitude >= -6) return 1 + sunAltitude / -6 * 2;  // 1 .. 3
    if (sunAltitude >= -12) return 3 + (sunAltitude + 6) / -6 * 2;  // 3 .. 5
    return 5 + (sunAltitude + 12) / -6 * 1.5;  // 5 .. 6.5
}

ChartPalette ClassicPalette() {
    ChartPalette p;
    p.sky = QColor(0, 0, 0);
    p.borders = QColor(0, 0, 255);
    p.lines = QColor(255, 0, 0);
    p.ecliptic = QColor(255, 255, 0);
    p.zodiac = QColor(0, 0, 255);
    p.grid = QColor(0, 0, 128);
    p.equator = QColor(0, 0, 160);
    p.constellationNames = QColor(255, 255, 0);
    p.guide = QColor(128, 128, 128);
    p.bodyLabels = QColor(255, 255, 255);
    p.ground = QColor(240, 240, 240);
    p.caption = QColor(0, 0, 0);
    // The band in greys toward blue, dim enough that the faintest stars stay visible.
    p.milkyWay[0] = QColor(20, 22, 34);
    p.milkyWay[1] = QColor(28, 31, 46);
    p.milkyWay[2] = QColor(37, 40, 58);
    p.milkyWay[3] = QColor(47, 51, 72);
    p.milkyWay[4] = QColor(58, 63, 88);
    p.deepSky = QColor(255, 128, 64);
    p.deepSkyLabels = QColor(255, 160, 96);
    return p;
}

ChartPalette SmoothPalette(const QColor& sky) {
    ChartPalette p;
    p.smooth = true;
    p.sky = sky;
    // Distinct hues for the three kinds of lines that cross the whole sky.
    p.borders = Readable(QColor(120, 140, 255), sky);   // soft blue
    p.lines = Readable(QColor(255, 90, 90), sky);       // red
    p.ecliptic = Readable(QColor(255, 230, 0), sky);    // yellow
    p.zodiac = Readable(QColor(255, 170, 80), sky);     // amber, beside the ecliptic
    p.grid = Readable(QColor(0, 165, 165), sky);        // teal
    p.equator = Readable(QColor(220, 130, 255), sky);   // violet
    p.constellationNames = Readable(QColor(255, 255, 0), sky);
    p.guide = Readable(QColor(150, 150, 150), sky);
    p.bodyLabels = Readable(QColor(255, 255, 255), sky);
    p.ground = QColor(240, 240, 240);
    p.caption = QColor(0, 0, 0);
    // The band a little lighter than the sky, level by level; it fades in the twilight and is
    // gone by sunset.
    const double night = 1 - std::clamp(RelativeLuminance(sky) * 40, 0.0, 1.0);
    for (int i = 0; i < 5; ++i) p.milkyWay[i] = Mix(sky, QColor(150, 160, 200), night * (0.08 + 0.055 * i));
    p.deepSky = Readable(QColor(255, 140, 120), sky, 3);
    p.deepSkyLabels = Readable(QColor(255, 170, 150), sky);
    return p;
}

ChartPalette WhitePalette() {
    ChartPalette p;
    p.smooth = true;
    p.scheme = ChartScheme::White;
    p.sky = QColor(255, 255, 255);
    // Greys apart by lightness and dash-free, so a black-and-white printer keeps them apart.
    p.borders = QColor(150, 150, 150);
    p.lines = QColor(60, 60, 60);
    p.ecliptic = QColor(90, 90, 90);
    p.zodiac = QColor(90, 90, 90);
    p.grid = QColor(185, 185, 185);
    p.equator = QColor(120, 120, 120);
    p.constellationNames = QColor(70, 70, 70);
    p.guide = QColor(160, 160, 160);
    p.bodyLabels = QColor(0, 0, 0);
    p.ground = QColor(225, 225, 225);
    p.caption = QColor(0, 0, 0);
    // The band as light greys darkening toward its core, as ink would show it on paper.
    for (int i = 0; i < 5; ++i) p.milkyWay[i] = QColor(246 - 6 * i, 246 - 6 * i, 246 - 6 * i);
    p.deepSky = QColor(80, 80, 80);
    p.deepSkyLabels = QColor(60, 60, 60);
    return p;
}

ChartPalette NightPalette() {
    ChartPalette p;
    p.smooth = true;
    p.scheme = ChartScheme::Night;
    p.sky = QColor(0, 0, 0);
    // Lines dimmest, names brighter, stars brightest: each still apart from the next.
    p.borders = QColor(70, 0, 0);
    p.lines = QColor(110, 0, 0);
    p.ecliptic = QColor(95, 0, 0);
    p.zodiac = QColor(120, 0, 0);
    p.grid = QColor(55, 0, 0);
    p.equator = QColor(85, 0, 0);
    p.constellationNames = QColor(140, 0, 0);
    p.guide = QColor(80, 0, 0);
    p.bodyLabels = QColor(170, 0, 0);
    p.ground = QColor(35, 0, 0);
    p.caption = QColor(150, 0, 0);
    for (int i = 0; i < 5; ++i) p.milkyWay[i] = QColor(12 + 6 * i, 0, 0);
    p.deepSky = QColor(110, 0, 0);
    p.deepSkyLabels = QColor(140, 0, 0);
    return p;
}

ChartPalette PaletteFor(ChartScheme scheme, bool smooth, const QColor& sky) {
    switch (scheme) {
    case ChartScheme::White: return WhitePalette();
    case ChartScheme::Night: return NightPalette();
    case ChartScheme::Screen: break;
    }
    return smooth ? SmoothPalette(sky) : ClassicPalette();
}

QRgb RedFiltered(QRgb pixel, double brightness) {
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    const int luma = (299 * r + 587 * g + 114 * b + 500) / 1000;
    const int v = static_cast<int>(std::lround(std::max(r, luma) * std::clamp(brightness, 0.0, 1.0)));
    return qRgba(v, 0, 0, qAlpha(pixel));
}

void ApplyRedFilter(QImage& image, double brightness) {
    if (image.isNull()) return;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32 &&
        image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    // Premultiplied red is filtered as it stands: scaling keeps it within its alpha.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) line[x] = RedFiltered(line[x], brightness);
    }
}

QColor ChartPalette::StarLabel(int spectralClass) const {
    static const QColor kClassic[9] = {
        QColor(255, 255, 255), QColor(0, 128, 255),   QColor(192, 255, 255),
        QColor(255, 255, 255), QColor(255, 255, 128), QColor(255, 255, 0),
        QColor(255, 127, 0),   QColor(255, 0, 0),     QColor(192, 0, 0)};
    if (scheme == ChartScheme::White) return QColor(0, 0, 0);
    if (scheme == ChartScheme::Night) return QColor(150, 0, 0);
    const QColor c = kClassic[spectralClass >= 1 && spectralClass <= 8 ? spectralClass : 0];
    return smooth ? Readable(c, sky) : c;
}

QColor ChartPalette::Star(int spectralClass) const {
    if (scheme == ChartScheme::White) return QColor(0, 0, 0);
    if (scheme == ChartScheme::Night) return QColor(200, 0, 0);
    static const QColor kColours[9] = {
        QColor(255, 255, 255),  // unknown class
        QColor(0, 128, 255),    QColor(192, 255, 255), QColor(255, 255, 255), QColor(255, 255, 128),
        QColor(255, 255, 0),    QColor(255, 127, 0),   QColor(255, 0, 0),     QColor(192, 0, 0)};
    return kColours[spectralClass >= 1 && spectralClass <= 8 ? spectralClass : 0];
}

}  // namespace noctaris
