#pragma once

#include "maphost/MapData.h"

#include <QString>

namespace maphost {

// Map documents: a map saved as a GeoPackage that GIS tools can read (one point table
// per dataset) and that keeps everything the host holds (pushpin symbols, highlight and
// balloons, custom symbol images, shapes, the view).
class MapDocument {
public:
    // Saves atomically: the document at path is replaced only once the new one is
    // complete on disk; on failure it is left untouched and no temporary file remains.
    // Throws automation::Error (FileError) naming the file and the reason.
    static void save(const MapData& map, const QString& path);

    // Throws automation::Error (FileError) naming the file and the reason when the file
    // is missing, unreadable, not a GeoPackage, not a map document or damaged.
    static MapData open(const QString& path);
};

} // namespace maphost
