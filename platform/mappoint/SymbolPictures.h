#pragma once

#include <QImage>

namespace mappoint {

// The picture of built-in symbol id (0 to 255): 16 x 16 pixels, each distinct at a
// glance. Any other id gives a null image.
QImage BuiltInSymbolPicture(int id);

} // namespace mappoint
