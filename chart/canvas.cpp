#include "chart/canvas.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include "resources/embedded.h"

namespace noctaris {

int RegisterEmbeddedFont(std::string_view name) {
    const auto bytes = FindEmbedded(name);
    if (bytes.empty()) return -1;
    // The embedded bytes live as long as the program: the font database reads them in place,
    // and only the pages it touches come into memory.
    return QFontDatabase::addApplicationFontFromData(
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

QString ChartFontFamily() {
    static const QString family = [] {
        if (const int id = RegisterEmbeddedFont("DejaVuSans"); id >= 0) {
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty()) return families.front();
        }
        return QGuiApplication::font().family();
    }();
    return family;
}

int ChartFonts::PixelSize(ChartFont which) {
    // Points at 96 dpi: 8 pt = 10.7 px, 10 pt = 13.3 px, 12 pt = 16 px, 20 pt = 26.7 px.
    switch (which) {
        case ChartFont::Small: return 11;
        case ChartFont::Medium: return 13;
        case ChartFont::Large: return 16;
        case ChartFont::Glyph: return 27;
    }
    return 11;
}

namespace {
QFont MakeFont(ChartFont which) {
    QFont f(ChartFontFamily());
    f.setPixelSize(ChartFonts::PixelSize(which));
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}
}  // namespace

ChartFonts::ChartFonts()
    : fonts_{MakeFont(ChartFont::Small), MakeFont(ChartFont::Medium), MakeFont(ChartFont::Large),
             MakeFont(ChartFont::Glyph)},
      metrics_{QFontMetrics(fonts_[0]), QFontMetrics(fonts_[1]), QFontMetrics(fonts_[2]),
               QFontMetrics(fonts_[3])} {}

ChartCanvas::ChartCanvas(QPainter& painter, const ChartFonts& fonts)
    : painter_(painter), fonts_(fonts), pen_(Qt::black), textPen_(Qt::black), fontColor_(Qt::black) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setPen(pen_);
    painter_.setBrush(Qt::NoBrush);
    painter_.setFont(fonts_.Font(font_));
}

void ChartCanvas::UseLinePen() {
    if (textPenActive_) {
        painter_.setPen(pen_);
        textPenActive_ = false;
    }
}

void ChartCanvas::UseTextPen() {
    if (!textPenActive_) {
        painter_.setPen(textPen_);
        textPenActive_ = true;
    }
}

void ChartCanvas::SetPen(const QPen& pen) {
    pen_ = pen;
    painter_.setPen(pen_);
    textPenActive_ = false;
}

void ChartCanvas::SetPenColor(const QColor& c) {
    if (pen_.color() == c && pen_.style() == Qt::SolidLine && pen_.width() <= 1) {
        UseLinePen();
        return;
    }
    SetPen(QPen(c, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void ChartCanvas::SetBrush(const QBrush& brush) { painter_.setBrush(brush); }
void ChartCanvas::SetBrushColor(const QColor& c) { painter_.setBrush(QBrush(c)); }
void ChartCanvas::SetBrushClear() { painter_.setBrush(Qt::NoBrush); }

void ChartCanvas::SetFont(ChartFont which) {
    if (which == font_) return;
    font_ = which;
    painter_.setFont(fonts_.Font(which));
}

void ChartCanvas::SetFontColor(const QColor& c) {
    if (c == fontColor_) return;
    fontColor_ = c;
    textPen_ = QPen(c);
    if (textPenActive_) painter_.setPen(textPen_);
}

void ChartCanvas::SetFontPen(const QPen& pen) {
    if (pen.color() == fontColor_) return;
    fontColor_ = pen.color();
    textPen_ = pen;
    if (textPenActive_) painter_.setPen(textPen_);
}

void ChartCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    UseLinePen();
    painter_.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void ChartCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    UseLinePen();
    painter_.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void ChartCanvas::LineTo(int x, int y) {
    UseLinePen();
    painter_.drawLine(curX_, curY_, x, y);
    curX_ = x;
    curY_ = y;
}

void ChartCanvas::Pixel(int x, int y, const QPen& colourPen) {
    painter_.setPen(colourPen);
    painter_.drawPoint(x, y);
    painter_.setPen(textPenActive_ ? textPen_ : pen_);
}

void ChartCanvas::TextOut(int x, int y, const QString& text) {
    UseTextPen();
    painter_.drawText(QPoint(x, y + fonts_.Metrics(font_).ascent()), text);
}

void ChartCanvas::TextOut(int x, int y, const QStaticText& text) {
    UseTextPen();
    painter_.drawStaticText(QPoint(x, y), text);
}

int ChartCanvas::TextWidth(const QString& text) const {
    return fonts_.Metrics(font_).horizontalAdvance(text);
}

}  // namespace noctaris
