#pragma once
// What the sky chart's source files share: skychart.cpp paints the sky, skychart_ground.cpp the
// ground below it (altitude lines, landscape, caption strip, compass).
#include <QColor>
#include <QImage>
#include <QPainter>

namespace noctaris::skychart_detail {

// The painter's target when drawing may go straight on its pixels: an RGB32 image of the
// chart's size, pixel for pixel, neither transformed nor clipped; otherwise null.
inline QImage* DirectTarget(QPainter& p, int w, int h) {
    auto* image = dynamic_cast<QImage*>(p.device());
    if (image && image->format() == QImage::Format_RGB32 && image->size() == QSize(w, h) &&
        image->devicePixelRatio() == 1 && p.transform().isIdentity() && !p.hasClipping())
        return image;
    return nullptr;
}

}  // namespace noctaris::skychart_detail
