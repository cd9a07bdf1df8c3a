#include "DataImport.h"

#include "ColumnTypes.h"
#include "CsvLayout.h"
#include "FieldValues.h"
#include "FileCheck.h"
#include "GdalSupport.h"
#include "LenientValues.h"
#include "SqliteSchema.h"
#include "automation/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstring>
#include <ogr_api.h>
#include <ogr_spatialref.h>

namespace maphost {

namespace {

using gdal::decodeText;
using gdal::FeaturePtr;

bool isPointType(OGRwkbGeometryType type) {
    const OGRwkbGeometryType flat = wkbFlatten(type);
    return flat == wkbPoint || flat == wkbMultiPoint;
}

// The formats the host imports, each opened by its own GDAL driver only: a file is never
// read by a driver that follows references to other files or URLs (VRT and the like),
// whatever its content. prescan names what GDAL would read leniently, before it does.
struct Format {
    const char* extension;
    const char* driver;
    QString (*prescan)(const QString& path);
};
const Format Formats[] = {
    {"csv", "CSV", nullptr},
    {"geojson", "GeoJSON", &lenient::geoJsonNulProblem},
    {"json", "GeoJSON", &lenient::geoJsonNulProblem},
    {"gpx", "GPX", &lenient::gpxCoordinateProblem},
    {"kml", "KML", &lenient::kmlCoordinateProblem},
    {"shp", "ESRI Shapefile", nullptr},
    {"gpkg", "GPKG", &unsafeSchemaReason},
};

// GDAL takes "2024-02-30" for a date, which no calendar has: it would arrive empty.
bool isInvalidDate(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate)
        return !value.toDate().isValid();
    if (value.typeId() == QMetaType::QDateTime)
        return !value.toDateTime().isValid();
    return false;
}

class Importer {
public:
    Importer(const QString& path, const QString& layerName) : path_(path), layerName_(layerName) {}

    DataSetData run() {
        if (const QString reason = unreadableReason(path_); !reason.isEmpty())
            fail(reason);
        format_ = &formatOf();
        if (const QString problem = prescan(); !problem.isEmpty())
            fail(problem);
        gdal::DatasetPtr ds = openFile();
        OGRLayer* layer = chooseLayer(*ds);
        DataSetData set = readLayer(*layer);
        if (!errors_.firstWarning().isEmpty())
            fail(QStringLiteral("it cannot be imported without changing or losing data (%1)")
                     .arg(errors_.firstWarning()));
        return set;
    }

private:
    [[noreturn]] void fail(const QString& reason) const {
        throw automation::Error(automation::errors::FileError,
                                QStringLiteral("Cannot import \"%1\": %2")
                                    .arg(QDir::toNativeSeparators(path_), errors_.reason(reason)));
    }

    const Format& formatOf() const {
        const QString suffix = QFileInfo(path_).suffix();
        for (const Format& format : Formats)
            if (suffix.compare(QLatin1String(format.extension), Qt::CaseInsensitive) == 0)
                return format;
        fail(QStringLiteral("files ending in \".%1\" cannot be imported; the host imports CSV "
                            "(.csv), GeoJSON (.geojson, .json), GPX (.gpx), KML (.kml), "
                            "Shapefile (.shp) and GeoPackage (.gpkg) files")
                 .arg(suffix));
    }

    bool isCsv() const { return std::strcmp(format_->driver, "CSV") == 0; }

    // What GDAL would read leniently, found before it reads the file.
    QString prescan() {
        if (isCsv())
            return csv_.scan(path_);
        return format_->prescan ? format_->prescan(path_) : QString();
    }

    gdal::DatasetPtr openFile() {
        CPLStringList options;
        if (isCsv()) {
            // Every value as text: the coordinates are read strictly below and the column
            // types chosen so that no value changes (ColumnType).
            options.SetNameValue("HEADERS", "YES");
            options.SetNameValue("AUTODETECT_TYPE", "NO");
            options.SetNameValue("EMPTY_STRING_AS_NULL", "YES");
        }
        const char* const drivers[] = {format_->driver, nullptr};
        gdal::DatasetPtr ds(GDALDataset::Open(QFile::encodeName(path_).constData(),
                                              GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers,
                                              options.List()));
        if (!ds)
            fail(QStringLiteral("the file cannot be read as %1").arg(format_->driver));
        if (errors_.failed())
            fail(QStringLiteral("the file cannot be read"));
        return ds;
    }

    // Without counting them all, which would read a large CSV or GeoJSON file twice.
    static bool hasAnyFeature(OGRLayer& layer) {
        const GIntBig count = layer.GetFeatureCount(FALSE);
        if (count >= 0)
            return count > 0;
        layer.ResetReading();
        const FeaturePtr first{layer.GetNextFeature()};
        layer.ResetReading();
        return first != nullptr;
    }

    OGRLayer* chooseLayer(GDALDataset& ds) {
        if (isCsv()) { // one layer; its coordinates are read from their columns
            if (OGRLayer* layer = ds.GetLayer(0))
                return layer;
            fail(QStringLiteral("the file has no table"));
        }
        if (!layerName_.isEmpty()) {
            OGRLayer* layer = ds.GetLayerByName(layerName_.toUtf8().constData());
            if (!layer)
                fail(QStringLiteral("the file has no layer \"%1\"").arg(layerName_));
            if (layer->GetGeomType() == wkbNone)
                fail(QStringLiteral("layer \"%1\" has no coordinates").arg(layerName_));
            return layer;
        }
        OGRLayer* firstPoints = nullptr;
        OGRLayer* firstWithFeatures = nullptr;
        for (OGRLayer* layer : ds.GetLayers()) {
            if (layer->GetGeomType() == wkbNone)
                continue;
            const bool hasFeatures = hasAnyFeature(*layer);
            if (isPointType(layer->GetGeomType())) {
                if (hasFeatures)
                    return layer;
                if (!firstPoints)
                    firstPoints = layer;
            } else if (hasFeatures && !firstWithFeatures) {
                firstWithFeatures = layer;
            }
        }
        if (firstWithFeatures)
            return firstWithFeatures;
        if (firstPoints)
            return firstPoints;
        fail(QStringLiteral("the file has no layer with coordinates"));
    }

    DataSetData readLayer(OGRLayer& layer) {
        DataSetData set;
        set.name = layerName_.isEmpty() ? QFileInfo(path_).completeBaseName() : layerName_;

        OGRFeatureDefn* defn = layer.GetLayerDefn();
        if (isCsv() && defn->GetFieldCount() != csv_.columns.size())
            fail(QStringLiteral("only %1 of its %2 columns can be read")
                     .arg(defn->GetFieldCount())
                     .arg(csv_.columns.size()));
        std::vector<int> source; // the OGR field of each field
        std::vector<QMetaType::Type> types;
        for (int i = 0; i < defn->GetFieldCount(); ++i) {
            if (isCsv() && (i == csv_.latitude || i == csv_.longitude))
                continue; // the location, not a field
            const OGRFieldDefn* field = defn->GetFieldDefn(i);
            source.push_back(i);
            types.push_back(fieldvalues::metaTypeOf(*field));
            set.fields.append(FieldDef{decodeText(field->GetNameRef()), types.back()});
        }
        const std::unique_ptr<OGRCoordinateTransformation> toWgs84 = transformationOf(layer);

        layer.ResetReading();
        qint64 record = 0;
        while (FeaturePtr f{layer.GetNextFeature()}) {
            ++record;
            PushpinData p;
            if (isCsv())
                locateByColumns(*f, record, p);
            else
                locate(*f, toWgs84.get(), record, p);
            p.values.reserve(set.fields.size());
            for (size_t k = 0; k < source.size(); ++k) {
                const int i = source[k];
                const bool text = types[k] == QMetaType::QString;
                p.values.append(text && f->IsFieldSetAndNotNull(i)
                                    ? QVariant(decodeText(f->GetFieldAsString(i)))
                                    : fieldvalues::read(*f, i, types[k]));
                if (isInvalidDate(p.values.back()))
                    fail(QStringLiteral("record %1 has \"%2\" in field \"%3\", which is not a "
                                        "valid date")
                             .arg(record)
                             .arg(decodeText(f->GetFieldAsString(i)), set.fields[int(k)].name));
            }
            set.pushpins.push_back(std::move(p));
        }
        if (errors_.failed())
            fail(QStringLiteral("the file cannot be read to its end"));
        if (isCsv())
            chooseColumnTypes(set);
        nameAndNote(set);
        return set;
    }

    // Coordinates arrive as longitude/latitude in WGS 84 whatever the layer's system.
    std::unique_ptr<OGRCoordinateTransformation> transformationOf(OGRLayer& layer) {
        const OGRSpatialReference* srs = layer.GetSpatialRef();
        if (!srs)
            return nullptr;
        OGRSpatialReference wgs84;
        wgs84.importFromEPSG(4326);
        wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        if (srs->IsSame(&wgs84))
            return nullptr;
        std::unique_ptr<OGRCoordinateTransformation> toWgs84(
            OGRCreateCoordinateTransformation(srs, &wgs84));
        if (!toWgs84)
            fail(QStringLiteral("the layer's coordinate system cannot be converted to "
                                "latitude and longitude"));
        return toWgs84;
    }

    // CSV values arrive as text; each column gets the type every one of its values has.
    static void chooseColumnTypes(DataSetData& set) {
        for (int k = 0; k < set.fields.size(); ++k) {
            ColumnType column;
            for (const PushpinData& p : set.pushpins)
                column.add(p.values[k].toString());
            set.fields[k].type = column.type();
            if (set.fields[k].type == QMetaType::QString)
                continue;
            for (PushpinData& p : set.pushpins)
                p.values[k] = ColumnType::convert(p.values[k].toString(), set.fields[k].type);
        }
    }

    // Pushpins are named from a "name" or "title" field (else the first text field) and
    // get their note from a "note", "description" or "desc" field.
    static void nameAndNote(DataSetData& set) {
        const int nameField = findNameField(set.fields);
        const int noteField = findField(set.fields, {u"note", u"description", u"desc"});
        for (PushpinData& p : set.pushpins) {
            if (nameField >= 0)
                p.name = p.values[nameField].toString();
            if (noteField >= 0)
                p.note = p.values[noteField].toString();
        }
    }

    // A CSV record's location, from its coordinate columns read strictly: "12abc" or
    // "north" fail the import instead of becoming 12 or 0.
    void locateByColumns(const OGRFeature& f, qint64 record, PushpinData& p) {
        p.latitude = coordinate(f, csv_.latitude, record);
        p.longitude = coordinate(f, csv_.longitude, record);
        checkRange(record, p);
    }

    double coordinate(const OGRFeature& f, int index, qint64 record) {
        if (!f.IsFieldSetAndNotNull(index))
            fail(QStringLiteral("record %1 has no coordinates").arg(record));
        const QString text = decodeText(f.GetFieldAsString(index));
        bool ok = false;
        const double value = text.trimmed().toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("record %1 has the coordinate \"%2\" in column \"%3\", which is "
                                "not a number")
                     .arg(record)
                     .arg(text, csv_.columns[index]));
        return value;
    }

    // Puts the feature's location into p. Points are taken as they are; for any other
    // geometry (lines, polygons, collections) the pushpin goes to a point on its surface,
    // which unlike the centroid always lies on the line or inside the area.
    void locate(OGRFeature& f, OGRCoordinateTransformation* toWgs84, qint64 record,
                PushpinData& p) {
        OGRGeometry* geometry = f.GetGeometryRef();
        if (!geometry || geometry->IsEmpty())
            fail(QStringLiteral("record %1 has no coordinates").arg(record));
        if (toWgs84 && geometry->transform(toWgs84) != OGRERR_NONE)
            fail(QStringLiteral("the coordinates of record %1 cannot be converted").arg(record));
        OGRPoint point;
        const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
        if (type == wkbPoint) {
            point = *geometry->toPoint();
        } else if (type == wkbMultiPoint) {
            point = *geometry->toMultiPoint()->getGeometryRef(0);
        } else {
            OGRGeometryH onSurface = OGR_G_PointOnSurface(OGRGeometry::ToHandle(geometry));
            const OGRGeometry* g = OGRGeometry::FromHandle(onSurface);
            if (g && !g->IsEmpty() && wkbFlatten(g->getGeometryType()) == wkbPoint) {
                point = *g->toPoint();
            } else { // GDAL without GEOS: the middle of the bounding box
                OGREnvelope box;
                geometry->getEnvelope(&box);
                point.setX((box.MinX + box.MaxX) / 2);
                point.setY((box.MinY + box.MaxY) / 2);
            }
            OGR_G_DestroyGeometry(onSurface);
        }
        p.longitude = point.getX();
        p.latitude = point.getY();
        checkRange(record, p);
    }

    void checkRange(qint64 record, const PushpinData& p) const {
        if (!std::isfinite(p.latitude) || !std::isfinite(p.longitude) ||
            std::abs(p.latitude) > 90 || std::abs(p.longitude) > 360)
            fail(QStringLiteral("record %1 has coordinates out of range (latitude %2, longitude "
                                "%3)")
                     .arg(record)
                     .arg(p.latitude)
                     .arg(p.longitude));
    }

    static int findField(const QVector<FieldDef>& fields,
                         std::initializer_list<QStringView> names) {
        for (QStringView wanted : names)
            for (int i = 0; i < fields.size(); ++i)
                if (fields[i].name.compare(wanted, Qt::CaseInsensitive) == 0)
                    return i;
        return -1;
    }

    static int findNameField(const QVector<FieldDef>& fields) {
        const int named = findField(fields, {u"name", u"title"});
        if (named >= 0)
            return named;
        for (int i = 0; i < fields.size(); ++i)
            if (fields[i].type == QMetaType::QString)
                return i;
        return -1;
    }

    const QString& path_;
    const QString& layerName_;
    const Format* format_ = nullptr;
    CsvLayout csv_;
    gdal::ErrorCapture errors_;
};

} // namespace

DataSetData DataImport::importDataSet(const QString& path, const QString& layerName) {
    gdal::ensureRegistered();
    return Importer(path, layerName).run();
}

} // namespace maphost
