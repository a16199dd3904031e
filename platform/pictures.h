#pragma once
// The pictures linked into the program (photographs of the Moon, the Sun and the planets, the
// moon phase sheet, the horizon figure, body symbols, toolbar glyphs, icons), decoded to QImage.
#include <string_view>

#include <QImage>

namespace noctaris {

// Decodes the embedded picture `name` (its file name without extension: "pl9", "s36s", "1460").
// GIF, JPEG, BMP and PNG are recognised by their content. Throws std::runtime_error naming the
// picture when there is no such resource or its bytes cannot be decoded.
QImage LoadPicture(std::string_view name);

// LoadPicture for the bitmaps whose transparent colour is black (body symbols, moon phases):
// every pure black pixel becomes fully transparent. Format ARGB32_Premultiplied.
QImage LoadTransparentPicture(std::string_view name);

// The same conversion for an image already in memory.
QImage BlackToTransparent(const QImage& image);

}  // namespace noctaris
