#pragma once

#include "maphost/MapData.h"

#include <QString>

namespace maphost {

// Writes a map into a new GeoPackage file (layout in DocumentSchema.h), all in one
// transaction. Failures throw automation::Error (FileError) naming documentName.
class DocumentWriter {
public:
    static void write(const MapData& map, const QString& path, const QString& documentName);
};

} // namespace maphost
