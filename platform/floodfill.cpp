#include "platform/floodfill.h"

#include <cstdint>
#include <vector>

namespace noctaris {
namespace {

constexpr QRgb kRgbMask = 0x00FFFFFFu;

bool Is32Bit(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
}

// Scanline fill of the 4-connected area of pixels for which inArea(pixel) holds. A visited
// map keeps the fill from depending on the fill colour (it may already occur in the area).
template <typename InArea>
bool ScanlineFill(QImage& image, QPoint seed, QRgb fill, InArea inArea) {
    if (image.isNull() || !image.rect().contains(seed)) return false;
    const QImage::Format original = image.format();
    if (!Is32Bit(original)) image = image.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    auto row = [&](int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); };
    if (!inArea(row(seed.y())[seed.x()])) {
        if (image.format() != original) image = image.convertToFormat(original);
        return false;
    }
    const QRgb value = image.format() == QImage::Format_RGB32 ? (fill | 0xFF000000u)
                       : image.format() == QImage::Format_ARGB32_Premultiplied ? qPremultiply(fill)
                                                                                : fill;
    std::vector<std::uint8_t> visited(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    auto open = [&](int x, int y, const QRgb* line) {
        return !visited[static_cast<std::size_t>(y) * w + x] && inArea(line[x]);
    };
    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        QRgb* line = row(p.y());
        if (!open(p.x(), p.y(), line)) continue;
        int x1 = p.x(), x2 = p.x();
        while (x1 > 0 && open(x1 - 1, p.y(), line)) --x1;
        while (x2 < w - 1 && open(x2 + 1, p.y(), line)) ++x2;
        for (int x = x1; x <= x2; ++x) {
            visited[static_cast<std::size_t>(p.y()) * w + x] = 1;
            line[x] = value;
        }
        for (int ny : {p.y() - 1, p.y() + 1}) {
            if (ny < 0 || ny >= h) continue;
            const QRgb* next = row(ny);
            bool inRun = false;
            for (int x = x1; x <= x2; ++x) {
                const bool o = open(x, ny, next);
                if (o && !inRun) stack.emplace_back(x, ny);
                inRun = o;
            }
        }
    }
    if (image.format() != original) image = image.convertToFormat(original);
    return true;
}

}  // namespace

bool FloodFillToBorder(QImage& image, QPoint seed, QRgb border, QRgb fill) {
    const QRgb b = border & kRgbMask;
    return ScanlineFill(image, seed, fill, [b](QRgb p) { return (p & kRgbMask) != b; });
}

bool FloodFillSurface(QImage& image, QPoint seed, QRgb surface, QRgb fill) {
    const QRgb s = surface & kRgbMask;
    return ScanlineFill(image, seed, fill, [s](QRgb p) { return (p & kRgbMask) == s; });
}

}  // namespace noctaris
