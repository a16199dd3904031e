#include "platform/pictures.h"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <string>

#include <QBuffer>
#include <QImageReader>

#include "resources/embedded.h"

namespace noctaris {

namespace {

// The format named by the picture's first bytes. Left to find it out, Qt asks its decoder
// plugins first: for a PNG or BMP, which it decodes itself, that loads every plugin at start.
const char* FormatOf(std::span<const unsigned char> bytes) {
    const std::string_view head(reinterpret_cast<const char*>(bytes.data()), std::min<std::size_t>(bytes.size(), 4));
    if (head == "\x89PNG") return "PNG";
    if (head.starts_with("BM")) return "BMP";
    if (head == "GIF8") return "GIF";
    if (head.starts_with("\xFF\xD8\xFF")) return "JPEG";
    return nullptr;  // found out from the content
}

}  // namespace

QImage LoadPicture(std::string_view name) {
    const auto bytes = FindEmbedded(name);
    if (bytes.empty()) {
        throw std::runtime_error("Picture \"" + std::string(name) + "\" is not in the program");
    }
    QBuffer buffer;
    buffer.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    buffer.open(QIODevice::ReadOnly);
    const char* format = FormatOf(bytes);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(format == nullptr);  // a known format goes to its decoder alone
    QImage image = reader.read();
    if (image.isNull()) {
        throw std::runtime_error("Picture \"" + std::string(name) + "\" cannot be decoded");
    }
    return image;
}

QImage BlackToTransparent(const QImage& image) {
    // Work on straight ARGB: a black pixel becomes 0x00000000, every other pixel keeps its
    // colour and alpha; the premultiplication happens once at the end.
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((row[x] & 0x00FFFFFFu) == 0) row[x] = 0u;
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage LoadTransparentPicture(std::string_view name) { return BlackToTransparent(LoadPicture(name)); }

}  // namespace noctaris
