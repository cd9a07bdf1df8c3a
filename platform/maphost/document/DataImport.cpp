#include "DataImport.h"

#include "FieldValues.h"
#include "GdalSupport.h"
#include "automation/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <cmath>
#include <ogr_api.h>
#include <ogr_spatialref.h>

namespace maphost {

namespace {

using gdal::FeaturePtr;

bool isPointType(OGRwkbGeometryType type) {
    const OGRwkbGeometryType flat = wkbFlatten(type);
    return flat == wkbPoint || flat == wkbMultiPoint;
}

// GDAL hands text over as it is in the file. A CSV file saved as Windows "ANSI" text is not
// UTF-8; decoding it as such would replace every accented letter, so text that is not valid
// UTF-8 is read as Latin-1 instead and no letter is lost.
QString decodeText(const char* bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(QByteArrayView(bytes));
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// Column names GDAL's CSV driver takes as coordinates (compared case-insensitively).
constexpr const char* LongitudeNames = "longitude,lon,long,lng,x";
constexpr const char* LatitudeNames = "latitude,lat,y";

class Importer {
public:
    Importer(const QString& path, const QString& layerName) : path_(path), layerName_(layerName) {}

    DataSetData run() {
        checkFile();
        gdal::DatasetPtr ds = openFile();
        OGRLayer* layer = chooseLayer(*ds);
        return readLayer(*layer);
    }

private:
    [[noreturn]] void fail(const QString& reason) const {
        throw automation::Error(automation::errors::FileError,
                                QStringLiteral("Cannot import \"%1\": %2")
                                    .arg(QDir::toNativeSeparators(path_), errors_.reason(reason)));
    }

    void checkFile() const {
        const QFileInfo info(path_);
        if (path_.isEmpty())
            fail(QStringLiteral("no file name given"));
        if (!info.exists())
            fail(QStringLiteral("the file does not exist"));
        if (info.isDir())
            fail(QStringLiteral("it is a folder"));
        if (!info.isReadable())
            fail(QStringLiteral("the file cannot be read (permission denied)"));
    }

    bool isCsv() const {
        return QFileInfo(path_).suffix().compare(u"csv", Qt::CaseInsensitive) == 0;
    }

    gdal::DatasetPtr openFile() {
        CPLStringList options;
        const char* const csvDriver[] = {"CSV", nullptr};
        if (isCsv()) {
            options.SetNameValue("X_POSSIBLE_NAMES", LongitudeNames);
            options.SetNameValue("Y_POSSIBLE_NAMES", LatitudeNames);
            options.SetNameValue("KEEP_GEOM_COLUMNS", "NO");
            options.SetNameValue("AUTODETECT_TYPE", "YES");
            // Look at every row before deciding a column's type, so that a late text value
            // in a mostly numeric column turns the column into text instead of being lost.
            options.SetNameValue("AUTODETECT_SIZE_LIMIT", "0");
            options.SetNameValue("EMPTY_STRING_AS_NULL", "YES");
        }
        gdal::DatasetPtr ds(GDALDataset::Open(path_.toUtf8().constData(),
                                              GDAL_OF_VECTOR | GDAL_OF_READONLY,
                                              isCsv() ? csvDriver : nullptr, options.List()));
        if (!ds)
            fail(QStringLiteral("the file cannot be read as CSV, GeoJSON, GPX, KML, Shapefile or "
                                "GeoPackage"));
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
        if (isCsv())
            fail(QStringLiteral("no coordinate columns found (latitude/lat/y and "
                                "longitude/lon/long/lng/x)"));
        fail(QStringLiteral("the file has no layer with coordinates"));
    }

    DataSetData readLayer(OGRLayer& layer) {
        DataSetData set;
        set.name = layerName_.isEmpty() ? QFileInfo(path_).completeBaseName() : layerName_;

        OGRFeatureDefn* defn = layer.GetLayerDefn();
        std::vector<QMetaType::Type> types;
        for (int i = 0; i < defn->GetFieldCount(); ++i) {
            const OGRFieldDefn* field = defn->GetFieldDefn(i);
            types.push_back(fieldvalues::metaTypeOf(*field));
            set.fields.append(FieldDef{decodeText(field->GetNameRef()), types.back()});
        }
        const int nameField = findNameField(set.fields);
        const int noteField = findField(set.fields, {u"note", u"description", u"desc"});

        // Coordinates arrive as longitude/latitude in WGS 84 whatever the layer's system.
        std::unique_ptr<OGRCoordinateTransformation> toWgs84;
        if (const OGRSpatialReference* srs = layer.GetSpatialRef()) {
            OGRSpatialReference wgs84;
            wgs84.importFromEPSG(4326);
            wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
            if (!srs->IsSame(&wgs84)) {
                toWgs84.reset(OGRCreateCoordinateTransformation(srs, &wgs84));
                if (!toWgs84)
                    fail(QStringLiteral("the layer's coordinate system cannot be converted to "
                                        "latitude and longitude"));
            }
        }

        layer.ResetReading();
        qint64 record = 0;
        while (FeaturePtr f{layer.GetNextFeature()}) {
            ++record;
            PushpinData p;
            locate(*f, toWgs84.get(), record, p);
            p.values.reserve(set.fields.size());
            for (int i = 0; i < set.fields.size(); ++i) {
                const bool text = types[size_t(i)] == QMetaType::QString;
                p.values.append(text && f->IsFieldSetAndNotNull(i)
                                    ? QVariant(decodeText(f->GetFieldAsString(i)))
                                    : fieldvalues::read(*f, i, types[size_t(i)]));
            }
            if (nameField >= 0)
                p.name = decodeText(f->GetFieldAsString(nameField));
            if (noteField >= 0)
                p.note = decodeText(f->GetFieldAsString(noteField));
            set.pushpins.push_back(std::move(p));
        }
        if (errors_.failed())
            fail(QStringLiteral("the file cannot be read to its end"));
        return set;
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
    gdal::ErrorCapture errors_;
};

} // namespace

DataSetData DataImport::importDataSet(const QString& path, const QString& layerName) {
    gdal::ensureRegistered();
    return Importer(path, layerName).run();
}

} // namespace maphost
