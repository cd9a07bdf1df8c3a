#pragma once

#include <QImage>
#include <QString>

namespace mappoint {

// The picture of a custom symbol, read from a bitmap file. Throws automation::Error
// (FileError) when the path is not a regular file or holds no readable picture.
QImage ReadSymbolPictureFile(const QString& fileName);

} // namespace mappoint
