#pragma once

#include "maphost/MapData.h"

#include <QString>

namespace maphost {

// The map the host opens when started without a file: world cities from the
// system's time-zone table, national capitals, a few landmarks (no fields) and one
// area shape. Built at first run and kept as a map document in the user's data
// folder.
class DemoMap {
public:
    static MapData
    build(const QString& zoneTable = QStringLiteral("/usr/share/zoneinfo/zone1970.tab"));
    // The world-cities dataset from a zone1970.tab file; empty (with no pushpins)
    // when the table is missing. Malformed lines are skipped.
    static DataSetData worldCities(const QString& zoneTable);
    // Parses "+DDMM+DDDMM" or "+DDMMSS+DDDMMSS"; false when malformed.
    static bool parseCoordinates(const QString& text, double& latitude, double& longitude);

    // Where the demo map document lives.
    static QString documentPath();
    // The demo document, written first when missing. Empty when it cannot be written
    // (the reason in *error); the caller then builds the map in memory.
    static QString ensureDocument(QString* error = nullptr);
};

} // namespace maphost
