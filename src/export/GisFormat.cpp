#include "GisFormat.h"

#include <QFileInfo>

namespace exporting {

QString GisFormat::filter() const {
    return QStringLiteral("%1 (*.%2)").arg(description, extension);
}

QStringList GisFormat::ownColumns() const {
    QStringList names = {nameColumn, noteColumn};
    if (layout == Layout::OneLayer)
        names << GisDataSetColumn;
    if (coordinateColumns)
        names << GisLatitudeColumn << GisLongitudeColumn;
    return names;
}

const QString GisDataSetColumn = QStringLiteral("dataset");
const QString GisLatitudeColumn = QStringLiteral("Latitude");
const QString GisLongitudeColumn = QStringLiteral("Longitude");

namespace {

GisFormat format(const char* description, const char* extension, const char* driver,
                 GisFormat::Layout layout, const char* nameColumn, const char* noteColumn) {
    GisFormat f;
    f.description = QLatin1String(description);
    f.extension = QLatin1String(extension);
    f.driver = driver;
    f.layout = layout;
    f.nameColumn = QLatin1String(nameColumn);
    f.noteColumn = QLatin1String(noteColumn);
    return f;
}

std::vector<GisFormat> makeFormats() {
    using Layout = GisFormat::Layout;
    GisFormat gpkg = format("GeoPackage", "gpkg", "GPKG", Layout::LayerPerDataSet, "name", "note");
    gpkg.layerOptions = QStringList{QStringLiteral("SPATIAL_INDEX=NO")};
    gpkg.spatialIndexAtEnd = true;
    gpkg.tableLayerNames = true;
    // SQLite's journals: left beside a replaced file, they would be read into the new one.
    gpkg.sideExtensions = QStringList{QStringLiteral("gpkg-wal"), QStringLiteral("gpkg-shm"),
                                      QStringLiteral("gpkg-journal")};

    GisFormat geojson = format("GeoJSON", "geojson", "GeoJSON", Layout::OneLayer, "name", "note");
    geojson.layerName = QStringLiteral("pushpins");
    geojson.layerOptions = QStringList{QStringLiteral("WRITE_NAME=NO")};

    // KML's readers take the placemark's name and description from these.
    GisFormat kml = format("KML", "kml", "KML", Layout::LayerPerDataSet, "Name", "Description");

    // GPX knows a waypoint's name and description; everything else goes into GDAL's
    // extension elements.
    GisFormat gpx = format("GPX", "gpx", "GPX", Layout::OneLayer, "name", "desc");
    gpx.layerName = QStringLiteral("waypoints");
    gpx.datasetOptions = QStringList{QStringLiteral("GPX_USE_EXTENSIONS=YES")};

    GisFormat shp =
        format("ESRI Shapefile", "shp", "ESRI Shapefile", Layout::FilePerDataSet, "name", "note");
    shp.layerOptions = QStringList{QStringLiteral("ENCODING=UTF-8")};
    shp.fieldNameBytes = 10;
    shp.dateTimeAsText = true;
    // The files GDAL writes, then the indexes other programs add (quadtree, ESRI's
    // spatial and attribute indexes), which describe the old data once it is replaced.
    for (const char* side : {"shx", "dbf", "prj", "cpg", "qix", "sbn", "sbx", "fbn", "fbx", "ain",
                             "aih", "atx", "ixs", "mxs"})
        shp.sideExtensions << QLatin1String(side);

    // Latitude and Longitude columns, which spreadsheet users and GIS programs' text
    // importers recognise; a .csvt file beside keeps the column types.
    GisFormat csv = format("CSV", "csv", "CSV", Layout::OneLayer, "name", "note");
    csv.layerName = QStringLiteral("pushpins");
    csv.layerOptions = QStringList{QStringLiteral("CREATE_CSVT=YES")};
    csv.coordinateColumns = true;
    // The .prj is from the earlier X,Y files; a coordinate column has none.
    csv.sideExtensions = QStringList{QStringLiteral("csvt"), QStringLiteral("prj")};

    return {gpkg, geojson, kml, gpx, shp, csv};
}

} // namespace

const std::vector<GisFormat>& GisFormats() {
    static const std::vector<GisFormat> formats = makeFormats();
    return formats;
}

QString GisFilters() {
    QStringList filters;
    for (const GisFormat& format : GisFormats())
        filters << format.filter();
    return filters.join(QStringLiteral(";;"));
}

const GisFormat* GisFormatFor(const QString& fileName, int chosenFilter) {
    const QString suffix = QFileInfo(fileName).suffix();
    for (const GisFormat& format : GisFormats()) {
        if (suffix.compare(format.extension, Qt::CaseInsensitive) == 0)
            return &format;
    }
    const auto& formats = GisFormats();
    if (chosenFilter >= 1 && size_t(chosenFilter) <= formats.size())
        return &formats[size_t(chosenFilter) - 1];
    return nullptr;
}

QString WithExtension(const QString& fileName, const GisFormat& format) {
    if (QFileInfo(fileName).suffix().compare(format.extension, Qt::CaseInsensitive) == 0)
        return fileName;
    return fileName + QLatin1Char('.') + format.extension;
}

} // namespace exporting
