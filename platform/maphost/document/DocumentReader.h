#pragma once

#include "maphost/MapData.h"

#include <QString>

namespace maphost {

// Reads a map document written by DocumentWriter. Anything that is not such a document
// (missing, unreadable, not a GeoPackage, another GeoPackage, damaged tables) throws
// automation::Error (FileError) naming the file and the reason.
class DocumentReader {
public:
    static MapData read(const QString& path);
};

} // namespace maphost
