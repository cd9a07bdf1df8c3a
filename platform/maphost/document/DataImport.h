#pragma once

#include "maphost/MapData.h"

#include <QString>

namespace maphost {

// Reads a dataset from a data file through GDAL: CSV (coordinate columns found by their
// names), GeoJSON, GPX (waypoints), KML, Shapefile or GeoPackage. The format is chosen by
// the file's extension and read by that format's GDAL driver only; nothing but the file
// (and a Shapefile's side files) is read, and never the network. Field names, order and
// types are kept; each feature becomes a pushpin in file order, named from a "name" or
// "title" column (else the first text column). The dataset is named after the file, or
// after the layer when one is asked for by name.
//
// Nothing is changed on the way: a CSV column is a number or date only when every value
// in it reads back exactly as written (else all of it stays text), and whatever GDAL
// would drop, clamp or guess (a coordinate that is not a number, values beyond the
// header, any GDAL warning) fails the import instead.
class DataImport {
public:
    // layerName empty: the first point layer that has features (else the first layer with
    // geometries). Throws automation::Error (FileError) naming the file and the reason
    // when the file cannot be read; nothing is returned half-filled.
    static DataSetData importDataSet(const QString& path, const QString& layerName = {});
};

} // namespace maphost
