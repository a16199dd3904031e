#include "platform/pictures.h"

#include <stdexcept>
#include <string>

#include "resources/embedded.h"

namespace noctaris {

QImage LoadPicture(std::string_view name) {
    const auto bytes = FindEmbedded(name);
    if (bytes.empty()) {
        throw std::runtime_error("Picture \"" + std::string(name) + "\" is not in the program");
    }
    QImage image = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
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
