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
        FilePerDataSet,  // one file per dataset, named after it, in the chosen folder
    };

    QString description; // "GeoPackage"
    QString extension;   // without the dot: "gpkg"
    const char* driver;  // GDAL's driver name
    Layout layout;
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

    // "GeoPackage (*.gpkg)"
    QString filter() const;
};

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
