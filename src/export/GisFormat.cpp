#include "GisFormat.h"

#include <QFileInfo>

namespace exporting {

QString GisFormat::filter() const {
    return QStringLiteral("%1 (*.%2)").arg(description, extension);
}

const std::vector<GisFormat>& GisFormats() {
    using Layout = GisFormat::Layout;
    static const std::vector<GisFormat> formats = {
        {QStringLiteral("GeoPackage"),
         QStringLiteral("gpkg"),
         "GPKG",
         Layout::LayerPerDataSet,
         QStringLiteral("name"),
         QStringLiteral("note"),
         {},
         {},
         {QStringLiteral("SPATIAL_INDEX=NO")},
         true},
        {QStringLiteral("GeoJSON"),
         QStringLiteral("geojson"),
         "GeoJSON",
         Layout::OneLayer,
         QStringLiteral("name"),
         QStringLiteral("note"),
         QStringLiteral("pushpins"),
         {},
         {QStringLiteral("WRITE_NAME=NO")}},
        // KML's readers take the placemark's name and description from these.
        {QStringLiteral("KML"),
         QStringLiteral("kml"),
         "KML",
         Layout::LayerPerDataSet,
         QStringLiteral("Name"),
         QStringLiteral("Description"),
         {},
         {},
         {}},
        // GPX knows a waypoint's name and description; everything else goes into
        // GDAL's extension elements.
        {QStringLiteral("GPX"),
         QStringLiteral("gpx"),
         "GPX",
         Layout::OneLayer,
         QStringLiteral("name"),
         QStringLiteral("desc"),
         QStringLiteral("waypoints"),
         {QStringLiteral("GPX_USE_EXTENSIONS=YES")},
         {}},
        {QStringLiteral("ESRI Shapefile"),
         QStringLiteral("shp"),
         "ESRI Shapefile",
         Layout::FilePerDataSet,
         QStringLiteral("name"),
         QStringLiteral("note"),
         {},
         {},
         {QStringLiteral("ENCODING=UTF-8")}},
        // Coordinates as X and Y columns; a .csvt file beside keeps the column types.
        {QStringLiteral("CSV"),
         QStringLiteral("csv"),
         "CSV",
         Layout::OneLayer,
         QStringLiteral("name"),
         QStringLiteral("note"),
         QStringLiteral("pushpins"),
         {},
         {QStringLiteral("GEOMETRY=AS_XY"), QStringLiteral("CREATE_CSVT=YES")}},
    };
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
