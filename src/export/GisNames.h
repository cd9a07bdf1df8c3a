#pragma once

#include <QString>
#include <QStringList>

// The names the GIS file export gives files, layers and columns.
namespace exporting {

// name made unique among taken (compared without letter case) and added to it:
// "name", "name_2", "name_3", ... With maxBytes (UTF-8 bytes, 0 for no limit) the
// name is cut to fit first, never inside a character, and a number takes the place of
// its last characters: "Population2020" and "Population2021" in 10 bytes give
// "Population" and "Populati_2". An empty name counts as "field".
QString UniqueName(const QString& name, QStringList& taken, int maxBytes = 0);

// A dataset name as part of a file name: no path separators or characters other
// systems refuse, no leading dot, never empty.
QString SafeFileName(const QString& name);

// A dataset name as a table name GDAL and SQLite accept in a GeoPackage: no control
// characters, no leading punctuation ("../evil" -> "evil"), "layer_" before a prefix
// the format or SQLite reserves ("gpkg_x" -> "layer_gpkg_x"), never empty.
QString SafeTableName(const QString& name);

} // namespace exporting
