#include "SymbolPictures.h"

namespace mappoint {

// Placeholder until the symbol artwork lands: a filled square per id.
QImage BuiltInSymbolPicture(int id) {
    if (id < 0 || id > 255)
        return {};
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(QColor::fromHsv((id * 37) % 360, 200, 220));
    return image;
}

} // namespace mappoint
