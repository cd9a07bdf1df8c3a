#include "TestLayers.h"

#include <QDir>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <qgslayertree.h>
#include <qgsmemoryproviderutils.h>
#include <qgsproject.h>
#include <qgsvectordataprovider.h>
#include <qgsvectorlayer.h>
#include <stdexcept>

namespace qgistest {

namespace {
OGRFieldType ogrType(QVariant::Type type) {
    switch (type) {
    case QVariant::Int:
    case QVariant::LongLong:
        return OFTInteger64;
    case QVariant::Double:
        return OFTReal;
    default:
        return OFTString;
    }
}
} // namespace

void nameByField(QgsVectorLayer* layer) {
    if (layer->fields().indexFromName(QStringLiteral("Name")) >= 0)
        layer->setDisplayExpression(QStringLiteral("\"Name\""));
}

QgsFields fields(std::initializer_list<std::pair<QString, QVariant::Type>> list) {
    QgsFields result;
    for (const auto& [name, type] : list)
        result.append(QgsField(name, type));
    return result;
}

QgsVectorLayer* memoryLayer(const QString& name, const QString& authid, const QgsFields& fields,
                            int count, const FeatureMaker& make) {
    QgsVectorLayer* layer = QgsMemoryProviderUtils::createMemoryLayer(
        name, fields, QgsWkbTypes::Point, QgsCoordinateReferenceSystem(authid));
    QgsFeatureList features;
    features.reserve(count);
    for (int i = 0; i < count; ++i) {
        QgsPointXY point;
        QVariantList values;
        make(i, point, values);
        QgsFeature f(fields);
        f.setGeometry(QgsGeometry::fromPointXY(point));
        for (int j = 0; j < values.size() && j < fields.count(); ++j)
            f.setAttribute(j, values[j]);
        features.append(f);
    }
    layer->dataProvider()->addFeatures(features);
    layer->updateExtents();
    nameByField(layer);
    return layer;
}

namespace {
// A file of one point layer written with GDAL's driver, opened through QGIS's OGR
// provider.
QgsVectorLayer* ogrLayer(const char* driverName, const QString& path, const QString& name, int epsg,
                         const QgsFields& fields, int count, const FeatureMaker& make) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
    GDALDataset* data = driver->Create(path.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr);
    if (!data)
        throw std::runtime_error("cannot create " + path.toStdString());
    OGRSpatialReference srs;
    srs.importFromEPSG(epsg);
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRLayer* layer = data->CreateLayer(name.toUtf8().constData(), &srs, wkbPoint, nullptr);
    for (const QgsField& field : fields) {
        OGRFieldDefn definition(field.name().toUtf8().constData(), ogrType(field.type()));
        layer->CreateField(&definition);
    }
    data->StartTransaction();
    for (int i = 0; i < count; ++i) {
        QgsPointXY point;
        QVariantList values;
        make(i, point, values);
        OGRFeature* f = OGRFeature::CreateFeature(layer->GetLayerDefn());
        for (int j = 0; j < values.size() && j < fields.count(); ++j) {
            const QVariant& v = values[j];
            if (v.isNull() || !v.isValid())
                continue;
            switch (ogrType(fields.at(j).type())) {
            case OFTInteger64:
                f->SetField(j, GIntBig(v.toLongLong()));
                break;
            case OFTReal:
                f->SetField(j, v.toDouble());
                break;
            default:
                f->SetField(j, v.toString().toUtf8().constData());
            }
        }
        OGRPoint geometry(point.x(), point.y());
        f->SetGeometry(&geometry);
        const OGRErr written = layer->CreateFeature(f);
        OGRFeature::DestroyFeature(f);
        if (written != OGRERR_NONE)
            throw std::runtime_error("cannot write to " + path.toStdString());
    }
    data->CommitTransaction();
    GDALClose(data);
    auto* result = new QgsVectorLayer(path, name, QStringLiteral("ogr"));
    if (!result->isValid())
        throw std::runtime_error("QGIS cannot open " + path.toStdString());
    nameByField(result);
    return result;
}

} // namespace

QgsVectorLayer* geoPackageLayer(const QString& folder, const QString& name, int epsg,
                                const QgsFields& fields, int count, const FeatureMaker& make) {
    return ogrLayer("GPKG", QDir(folder).filePath(name + QStringLiteral(".gpkg")), name, epsg,
                    fields, count, make);
}

QgsVectorLayer* shapefileLayer(const QString& folder, const QString& name, int epsg,
                               const QgsFields& fields, int count, const FeatureMaker& make) {
    return ogrLayer("ESRI Shapefile", QDir(folder).filePath(name + QStringLiteral(".shp")), name,
                    epsg, fields, count, make);
}

void appendToProject(QgsProject& project, QgsVectorLayer* layer) {
    project.addMapLayer(layer, false);
    project.layerTreeRoot()->addLayer(layer);
}

} // namespace qgistest
