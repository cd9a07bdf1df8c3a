#pragma once

#include <QString>
#include <QStringList>

namespace maphost {

// The shape of a CSV file, read once before GDAL reads it: the delimiter (found from the
// first line the way GDAL's CSV reader finds it), the column names and which columns
// hold the coordinates.
struct CsvLayout {
    char delimiter = ',';
    QStringList columns;
    int latitude = -1;
    int longitude = -1;

    // Reads the file at path with GDAL's own CSV parser. Returns why it cannot be imported
    // without losing or guessing anything (no coordinate columns, more than one column
    // that could be the latitude or the longitude, a record with values beyond the
    // header's columns), or an empty string when it can.
    QString scan(const QString& path);
};

} // namespace maphost
