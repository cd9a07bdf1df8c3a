#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <qgsfields.h>
#include <qgspointxy.h>

class QgsProject;
class QgsVectorLayer;

namespace qgistest {

// Fills feature i (0-based): its point in the layer's coordinates and its attribute
// values in field order (missing ones are NULL).
using FeatureMaker = std::function<void(int i, QgsPointXY& point, QVariantList& values)>;

// A memory point layer in the coordinate system authid ("EPSG:4326"), its features
// written to the provider (not through an edit buffer). Its display expression is the
// field "Name" when it has one.
QgsVectorLayer* memoryLayer(const QString& name, const QString& authid, const QgsFields& fields,
                            int count, const FeatureMaker& make);
// The same as a GeoPackage file in folder (written with GDAL in one transaction),
// opened through QGIS's OGR provider.
QgsVectorLayer* geoPackageLayer(const QString& folder, const QString& name, int epsg,
                                const QgsFields& fields, int count, const FeatureMaker& make);
// The same as an ESRI shapefile (name.shp and its companions) in folder.
QgsVectorLayer* shapefileLayer(const QString& folder, const QString& name, int epsg,
                               const QgsFields& fields, int count, const FeatureMaker& make);
// Names a layer's features by its field "Name" when it has one.
void nameByField(QgsVectorLayer* layer);
// Adds a layer at the bottom of the project's Layers panel.
void appendToProject(QgsProject& project, QgsVectorLayer* layer);

QgsFields fields(std::initializer_list<std::pair<QString, QVariant::Type>> list);

} // namespace qgistest
