#pragma once
// Flood fill on a QImage, as the canvas fill of the classic drawing interfaces: the filled
// area is 4-connected (a one-pixel diagonal line is a tight border) and is bounded by the
// image edges. Colours are compared by red, green and blue only.
#include <QImage>
#include <QPoint>
#include <QRgb>

namespace noctaris {

// Fills the area around `seed` that is bounded by pixels of colour `border`: every pixel
// reachable from the seed without crossing a border pixel becomes `fill`. Nothing happens
// (and false is returned) when the seed lies outside the image or on a border pixel.
bool FloodFillToBorder(QImage& image, QPoint seed, QRgb border, QRgb fill);

// Fills the area of colour `surface` that contains `seed`. Nothing happens (and false is
// returned) when the seed lies outside the image or is not of that colour.
bool FloodFillSurface(QImage& image, QPoint seed, QRgb surface, QRgb fill);

}  // namespace noctaris
