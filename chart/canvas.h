#pragma once
// A small pen-and-brush canvas over QPainter in the manner the chart is drawn: a line pen, a
// fill brush that is either solid or clear, a font with its own colour, text anchored at its
// top-left corner, rectangles and ellipses that span the pixels from the first corner up to,
// but excluding, the second corner.
//
// The chart's fonts are the bundled DejaVu Sans at pixel sizes that match 8, 10, 12 and 20 pt
// on a 96 dpi screen, so a chart looks the same on every machine and in a QImage.
#include <string_view>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QStaticText>
#include <QString>

namespace noctaris {

enum class ChartFont {
    Small,   // 8 pt: star, planet and altitude labels, caption
    Medium,  // 10 pt: zodiac names
    Large,   // 12 pt: compass letters
    Glyph,   // 20 pt: zodiac glyphs
};

// The chart's fonts, built once (they register the bundled font on first use).
class ChartFonts {
public:
    ChartFonts();
    const QFont& Font(ChartFont which) const { return fonts_[static_cast<int>(which)]; }
    const QFontMetrics& Metrics(ChartFont which) const { return metrics_[static_cast<int>(which)]; }
    static int PixelSize(ChartFont which);

private:
    QFont fonts_[4];
    QFontMetrics metrics_[4];
};

// Registers the bundled font `name` ("DejaVuSans-Bold") with the font database, read in place;
// its id there, or -1 (needs a QGuiApplication).
int RegisterEmbeddedFont(std::string_view name);

// Family name of the bundled DejaVu Sans, registered with the font database on the first call
// (needs a QGuiApplication). Falls back to the default family if the font cannot be loaded.
QString ChartFontFamily();

class ChartCanvas {
public:
    ChartCanvas(QPainter& painter, const ChartFonts& fonts);

    QPainter& Painter() { return painter_; }
    const ChartFonts& Fonts() const { return fonts_; }

    void SetPen(const QPen& pen);  // pens built once by the caller avoid allocations
    void SetPenColor(const QColor& c);
    void SetBrush(const QBrush& brush);
    void SetBrushColor(const QColor& c);  // solid
    void SetBrushClear();
    void SetFont(ChartFont which);
    ChartFont Font() const { return font_; }
    void SetFontColor(const QColor& c);
    // The font colour given as a prepared pen (no allocation in loops over many labels).
    void SetFontPen(const QPen& pen);
    QColor FontColor() const { return fontColor_; }

    // Pixels x1..x2-1, y1..y2-1 filled with the brush (if solid) and outlined with the pen.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y) { curX_ = x; curY_ = y; }
    void LineTo(int x, int y);
    void Pixel(int x, int y, const QPen& colourPen);
    // Text with its top-left corner at (x, y) in the current font and font colour.
    void TextOut(int x, int y, const QString& text);
    void TextOut(int x, int y, const QStaticText& text);
    int TextWidth(const QString& text) const;

private:
    void UseTextPen();
    void UseLinePen();

    QPainter& painter_;
    const ChartFonts& fonts_;
    QPen pen_;
    QPen textPen_;
    QColor fontColor_;
    ChartFont font_ = ChartFont::Small;
    bool textPenActive_ = false;
    int curX_ = 0, curY_ = 0;
};

}  // namespace noctaris
