#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace exporting {

// A file format the GIS file export writes through GDAL, in the order the file
// dialog offers them.
struct GisFormat {
    // How datasets map onto the format.
    enum class Layout {
        LayerPerDataSet, // one layer per dataset, named after it (GeoPackage, KML folders)
        OneLayer,        // every dataset in one layer, with a dataset column
        FilePerDataSet,  // one file per dataset (GisTargets.h says how it is named)
    };

    QString description;          // "GeoPackage"
    QString extension;            // without the dot: "gpkg"
    const char* driver = nullptr; // GDAL's driver name
    Layout layout = Layout::LayerPerDataSet;
    // The columns of the pushpin's name and note (the names the format's readers
    // know them by, where it has such names).
    QString nameColumn;
    QString noteColumn;
    // The name of the one layer (OneLayer only).
    QString layerName;
    QStringList datasetOptions;
    QStringList layerOptions;
    // Builds each layer's spatial index in one pass once its points are written
    // (GeoPackage: far faster than keeping the index up to date per point).
    bool spatialIndexAtEnd = false;
    // Layer names are table names GDAL and SQLite accept (GeoPackage).
    bool tableLayerNames = false;
    // The longest column name in UTF-8 bytes; 0 for no limit (Shapefile: 10).
    int fieldNameBytes = 0;
    // Dates with a time go into a text column in ISO 8601 ("2024-05-01T14:30:00",
    // "Z" for UTC): the format has no type that keeps the time of day (Shapefile).
    bool dateTimeAsText = false;
    // Latitude and longitude go into the columns "Latitude" and "Longitude" after the
    // others, instead of a geometry (CSV).
    bool coordinateColumns = false;
    // The extensions of the files that belong to a file of this format (same name,
    // another extension): written with it, or left from an earlier file of that name
    // (indexes, journals) and removed when it is replaced. Compared without letter case.
    QStringList sideExtensions;

    // "GeoPackage (*.gpkg)"
    QString filter() const;
    // The names of the columns the export fills itself (name, note, the dataset in one
    // layer, the coordinate columns); a data field of such a name is written apart.
    QStringList ownColumns() const;
};

// Column names the export uses in every format that has such a column.
extern const QString GisDataSetColumn;   // "dataset", in one layer for every dataset
extern const QString GisLatitudeColumn;  // "Latitude"
extern const QString GisLongitudeColumn; // "Longitude"

const std::vector<GisFormat>& GisFormats();
// Every format's filter, joined for the file dialog.
QString GisFilters();

// The format for a chosen file: the one its extension names (any letter case), or,
// when the extension names none, the one of the chosen filter (1-based). Null when
// neither does.
const GisFormat* GisFormatFor(const QString& fileName, int chosenFilter);
// The file name with the format's extension added when it does not end in it.
QString WithExtension(const QString& fileName, const GisFormat& format);

} // namespace exporting
