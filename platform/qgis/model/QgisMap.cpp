#include "QgisMap.h"

#include "PushpinAppearance.h"
#include "QgisDataSet.h"
#include "QgisDataSets.h"
#include "QgisErrors.h"
#include "QgisLayer.h"
#include "QgisLocation.h"
#include "QgisPushpin.h"
#include "QgisShape.h"
#include "QgisSymbols.h"
#include "mappoint/SphereDistance.h"
#include "mappoint/ViewAltitude.h"

#include <algorithm>
#include <cmath>
#include <qgscoordinatereferencesystem.h>
#include <qgscoordinatetransform.h>
#include <qgsexception.h>
#include <qgslayertree.h>
#include <qgsmapcanvas.h>
#include <qgsproject.h>
#include <qgsvectorlayer.h>

namespace qgishost {

namespace {
const QString MyPushpins = QStringLiteral("My Pushpins");
// DataSet.ZoomTo's height for a single point, as in our own host.
constexpr double PointZoomAltitude = 2;

QgsCoordinateReferenceSystem wgs84() {
    return QgsCoordinateReferenceSystem(QStringLiteral("EPSG:4326"));
}

bool isPointLayer(const QgsMapLayer* layer) {
    const auto* vector = qobject_cast<const QgsVectorLayer*>(layer);
    return vector && vector->isValid() && vector->geometryType() == QgsWkbTypes::PointGeometry;
}

// Degrees of longitude from west to east, within 0..360.
double eastwardSpan(double west, double east) {
    const double span = east - west;
    return span < 0 ? span + 360 : span;
}
} // namespace

std::shared_ptr<QgisMap> QgisMap::create(QgsProject* project, QgsMapCanvas* canvas,
                                         PushpinAppearance& appearance) {
    return std::shared_ptr<QgisMap>(new QgisMap(project, canvas, appearance));
}

QgisMap::QgisMap(QgsProject* project, QgsMapCanvas* canvas, PushpinAppearance& appearance)
    : project_(project), canvas_(canvas), appearance_(appearance) {
    if (!project)
        return;
    connect(project, qOverload<const QStringList&>(&QgsProject::layersWillBeRemoved), this,
            &QgisMap::forgetLayers);
    QgsLayerTree* root = project->layerTreeRoot();
    const auto reorder = [this] {
        orderValid_ = false;
    };
    connect(root, &QgsLayerTreeNode::addedChildren, this, reorder);
    connect(root, &QgsLayerTreeNode::removedChildren, this, reorder);
    connect(project, &QgsProject::layersAdded, this, reorder);
    connect(project, &QgsProject::cleared, this, [this] {
        forgetLayers(layers_.keys());
        orderValid_ = false;
    });
}

QgisMap::~QgisMap() {
    for (const auto& layer : std::as_const(layers_))
        layer->release();
}

QgsProject& QgisMap::project() const {
    if (!project_)
        throwObjectDeleted(QStringLiteral("map"));
    return *project_;
}

QgsMapCanvas& QgisMap::checkedCanvas() const {
    if (!canvas_)
        throwNotSupported(QStringLiteral("The map has no view"));
    return *canvas_;
}

void QgisMap::forgetLayers(const QStringList& ids) {
    for (const QString& id : ids) {
        const auto layer = layers_.take(id);
        if (layer)
            layer->release();
    }
    orderValid_ = false;
}

const std::vector<std::shared_ptr<QgisLayer>>& QgisMap::pointLayers() {
    if (orderValid_)
        return order_;
    order_.clear();
    if (project_) {
        for (QgsLayerTreeLayer* node : project_->layerTreeRoot()->findLayers()) {
            QgsMapLayer* layer = node->layer();
            if (isPointLayer(layer))
                order_.push_back(layerState(*static_cast<QgsVectorLayer*>(layer)));
        }
    }
    orderValid_ = true;
    return order_;
}

std::shared_ptr<QgisLayer> QgisMap::layerState(QgsVectorLayer& layer) {
    std::shared_ptr<QgisLayer>& state = layers_[layer.id()];
    if (!state)
        state = std::make_shared<QgisLayer>(layer, canvas_.data());
    return state;
}

mappoint::DataSetPtr QgisMap::dataSet(const std::shared_ptr<QgisLayer>& layer) {
    layer->checked();
    return std::make_shared<QgisDataSet>(shared_from_this(), layer);
}

std::shared_ptr<QgisLayer> QgisMap::addScratchLayer(const QString& name) {
    QgsProject& p = project();
    auto* layer = new QgsVectorLayer(
        QStringLiteral("Point?crs=EPSG:4326&field=Name:string&field=Note:string"), name,
        QStringLiteral("memory"));
    if (!layer->isValid()) {
        delete layer;
        throwNotSupported(QStringLiteral("QGIS cannot make a memory layer"));
    }
    layer->setDisplayExpression(QStringLiteral("\"Name\""));
    // On top of the panel, so the new pushpins are drawn above the base maps.
    p.addMapLayer(layer, false);
    p.layerTreeRoot()->insertLayer(0, layer);
    orderValid_ = false;
    return layerState(*layer);
}

// --- mappoint::Map ----------------------------------------------------------------

mappoint::DataSetsPtr QgisMap::DataSets() {
    project();
    return std::make_shared<QgisDataSets>(shared_from_this());
}

mappoint::PushpinPtr QgisMap::FindPushpin(const QString& name) {
    // A copy: a layer may ask its server while events run, which may change the layers.
    const std::vector<std::shared_ptr<QgisLayer>> layers = pointLayers();
    for (const auto& layer : layers) {
        int64_t id = 0;
        if (layer->layer() && layer->firstNamed(name, id))
            return std::make_shared<QgisPushpin>(shared_from_this(), layer, id);
    }
    return {};
}

mappoint::MapObjectPtr QgisMap::Selection() {
    if (!canvas_)
        return {};
    auto* layer = qobject_cast<QgsVectorLayer*>(canvas_->currentLayer());
    if (!layer || layer->selectedFeatureCount() != 1)
        return {};
    const int64_t id = *layer->selectedFeatureIds().constBegin();
    auto state = layerState(*layer);
    if (layer->geometryType() == QgsWkbTypes::PointGeometry)
        return std::make_shared<QgisPushpin>(shared_from_this(), state, id);
    if (layer->geometryType() == QgsWkbTypes::PolygonGeometry ||
        layer->geometryType() == QgsWkbTypes::LineGeometry)
        return std::make_shared<QgisShape>(shared_from_this(), state, id);
    return {};
}

// The longitude span across the canvas's middle, worked out in two halves so that a
// view across the 180th meridian measures as it looks.
double QgisMap::viewAltitude() const {
    QgsMapCanvas& canvas = checkedCanvas();
    const QgsRectangle extent = canvas.extent();
    const QgsCoordinateTransform transform(canvas.mapSettings().destinationCrs(), wgs84(),
                                           project().transformContext());
    double span = 360;
    try {
        const double y = extent.center().y();
        const QgsPointXY west = transform.transform(extent.xMinimum(), y);
        const QgsPointXY middle = transform.transform(extent.center().x(), y);
        const QgsPointXY east = transform.transform(extent.xMaximum(), y);
        span = eastwardSpan(west.x(), middle.x()) + eastwardSpan(middle.x(), east.x());
        if (!std::isfinite(span) || extent.width() <= 0)
            span = 360;
    } catch (const QgsCsException&) {
        // A view reaching beyond the coordinate system's area: shown as the whole world.
    }
    return mappoint::altitude::ofLongitudeSpan(span, const_cast<QgisMap*>(this)->Units());
}

double QgisMap::Altitude() {
    return std::clamp(viewAltitude(), mappoint::altitude::Min, mappoint::altitude::Max);
}

void QgisMap::SetAltitude(double altitude) {
    mappoint::altitude::check(altitude);
    QgsMapCanvas& canvas = checkedCanvas();
    if (canvas.extent().width() <= 0 || canvas.extent().height() <= 0) {
        // No view yet (a project saved without one): nothing to zoom by, so the view is
        // made around its centre with the longitude span of that altitude.
        showSpanAround(canvas.extent().center(),
                       mappoint::altitude::longitudeSpan(altitude, Units()));
        return;
    }
    const double current = viewAltitude();
    if (current > 0 && std::abs(current - altitude) > 1e-9 * altitude) {
        canvas.zoomByFactor(altitude / current);
        canvas.refresh();
    }
}

void QgisMap::showSpanAround(const QgsPointXY& centre, double longitudeSpan) {
    QgsMapCanvas& canvas = checkedCanvas();
    const QgsCoordinateTransform toWgs84(canvas.mapSettings().destinationCrs(), wgs84(),
                                         project().transformContext());
    QgsPointXY middle(0, 0);
    try {
        middle = toWgs84.transform(centre);
    } catch (const QgsCsException&) {
        // A centre outside the coordinate system's area: the view starts at 0, 0.
    }
    const QSize size = canvas.size();
    const double aspect = size.width() > 0 ? double(size.height()) / size.width() : 1;
    const double halfWidth = longitudeSpan / 2;
    const double halfHeight = std::min(85.0, halfWidth * aspect);
    QgsRectangle view(middle.x() - halfWidth, std::max(-85.0, middle.y() - halfHeight),
                      middle.x() + halfWidth, std::min(85.0, middle.y() + halfHeight));
    try {
        const QgsCoordinateTransform toCanvas(wgs84(), canvas.mapSettings().destinationCrs(),
                                              project().transformContext());
        view = toCanvas.transformBoundingBox(view);
    } catch (const QgsCsException& e) {
        throwInvalidArgument(
            QStringLiteral("The map view cannot show that area: %1").arg(e.what()));
    }
    canvas.setExtent(view);
    canvas.refresh();
}

mappoint::PushpinPtr QgisMap::AddPushpin(mappoint::LocationPtr atLocation, const QString& name) {
    const QgisLocation* location = QgisLocation::of(atLocation);
    if (!location)
        throwInvalidArgument(QStringLiteral("AddPushpin needs a location of this map"));
    std::shared_ptr<QgisLayer> target;
    for (const auto& layer : pointLayers()) {
        if (layer->layer() && layer->layer()->name() == MyPushpins) {
            target = layer;
            break;
        }
    }
    if (!target)
        target = addScratchLayer(MyPushpins);
    const int64_t id = QgisPushpin::addFeature(*target, location->wgs84(), name);
    return std::make_shared<QgisPushpin>(shared_from_this(), target, id);
}

mappoint::LocationPtr QgisMap::GetLocation(double latitude, double longitude, double altitude) {
    mappoint::altitude::checkLocation(latitude, longitude, altitude);
    return QgisLocation::create(shared_from_this(), latitude, longitude, altitude);
}

double QgisMap::Distance(mappoint::LocationPtr startLocation, mappoint::LocationPtr endLocation) {
    const QgisLocation* a = QgisLocation::of(startLocation);
    const QgisLocation* b = QgisLocation::of(endLocation);
    if (!a || !b)
        throwInvalidArgument(QStringLiteral("Distance needs two locations of this map"));
    return mappoint::sphere::distance(a->point(), b->point(), Units());
}

mappoint::SymbolsPtr QgisMap::Symbols() {
    return std::make_shared<QgisSymbols>(shared_from_this());
}

mappoint::GeoUnits QgisMap::Units() {
    return project().distanceUnits() == QgsUnitTypes::DistanceMiles ? mappoint::geoMiles
                                                                    : mappoint::geoKilometers;
}

void QgisMap::SetUnits(mappoint::GeoUnits units) {
    if (units != mappoint::geoMiles && units != mappoint::geoKilometers)
        throwInvalidArgument(QStringLiteral("Units must be miles (0) or kilometres (1)"));
    project().setDistanceUnits(units == mappoint::geoMiles ? QgsUnitTypes::DistanceMiles
                                                           : QgsUnitTypes::DistanceKilometers);
}

// --- view -----------------------------------------------------------------------------

void QgisMap::activateLayer(QgsMapLayer* layer) {
    if (canvas_)
        canvas_->setCurrentLayer(layer);
    if (activator_)
        activator_(layer);
}

void QgisMap::setLayerActivator(std::function<void(QgsMapLayer*)> activator) {
    activator_ = std::move(activator);
}

void QgisMap::centreOn(const QgsPointXY& wgs84Point, double altitude) {
    QgsMapCanvas& canvas = checkedCanvas();
    const QgsCoordinateTransform transform(wgs84(), canvas.mapSettings().destinationCrs(),
                                           project().transformContext());
    QgsPointXY target;
    try {
        target = transform.transform(wgs84Point);
    } catch (const QgsCsException& e) {
        throwInvalidArgument(
            QStringLiteral("The map view cannot show that position: %1").arg(e.what()));
    }
    if (canvas.extent().width() <= 0 || canvas.extent().height() <= 0) {
        // No view to move yet: one is made there, at that altitude or of the whole world.
        showSpanAround(target,
                       altitude > 0 ? mappoint::altitude::longitudeSpan(altitude, Units()) : 360);
        return;
    }
    canvas.setCenter(target);
    if (altitude > 0)
        SetAltitude(altitude);
    canvas.refresh();
}

void QgisMap::showLayerExtent(QgsVectorLayer& layer) {
    QgsMapCanvas& canvas = checkedCanvas();
    layer.updateExtents();
    if (layer.featureCount() == 0)
        return;
    QgsRectangle extent;
    try {
        extent = canvas.mapSettings().layerExtentToOutputExtent(&layer, layer.extent());
    } catch (const QgsCsException& e) {
        throwInvalidArgument(
            QStringLiteral("The map view cannot show the dataset: %1").arg(e.what()));
    }
    if (extent.width() == 0 && extent.height() == 0) {
        canvas.setCenter(extent.center());
        SetAltitude(PointZoomAltitude);
    } else {
        extent.scale(1.1);
        canvas.setExtent(extent);
    }
    canvas.refresh();
}

} // namespace qgishost
