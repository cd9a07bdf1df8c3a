#pragma once

#include "mappoint/Map.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <qgsmapcanvas.h>
#include <qgspointxy.h>
#include <qgsproject.h>
#include <vector>

class QgsMapLayer;
class QgsVectorLayer;

namespace qgishost {

class PushpinAppearance;
class QgisLayer;

// The object model's Map on a QGIS project and its main map canvas. Datasets are the
// project's point and multi-point vector layers in the Layers panel's order, hidden
// ones included; positions are WGS 84; the altitude is the distance across the
// canvas's width. Project and canvas are held weakly: QGIS owns them.
class QgisMap : public QObject, public mappoint::Map, public std::enable_shared_from_this<QgisMap> {
    Q_OBJECT
public:
    static std::shared_ptr<QgisMap> create(QgsProject* project, QgsMapCanvas* canvas,
                                           PushpinAppearance& appearance);
    ~QgisMap() override;

    // --- mappoint::Map -----------------------------------------------------------
    mappoint::DataSetsPtr DataSets() override;
    mappoint::PushpinPtr FindPushpin(const QString& name) override;
    mappoint::MapObjectPtr Selection() override;
    double Altitude() override;
    void SetAltitude(double altitude) override;
    mappoint::PushpinPtr AddPushpin(mappoint::LocationPtr atLocation, const QString& name) override;
    mappoint::LocationPtr GetLocation(double latitude, double longitude, double altitude) override;
    double Distance(mappoint::LocationPtr startLocation,
                    mappoint::LocationPtr endLocation) override;
    mappoint::SymbolsPtr Symbols() override;
    mappoint::GeoUnits Units() override;
    void SetUnits(mappoint::GeoUnits units) override;

    // --- for the adapter's objects ------------------------------------------------
    // The project, or ObjectDeleted once QGIS closed it.
    QgsProject& project() const;
    bool hasProject() const { return !project_.isNull(); }
    QgsMapCanvas* canvas() const { return canvas_.data(); }
    PushpinAppearance& appearance() const { return appearance_; }

    // The point layers in the Layers panel's order.
    const std::vector<std::shared_ptr<QgisLayer>>& pointLayers();
    // The state kept for a point layer (made on first use).
    std::shared_ptr<QgisLayer> layerState(QgsVectorLayer& layer);
    mappoint::DataSetPtr dataSet(const std::shared_ptr<QgisLayer>& layer);
    // A new memory layer of WGS 84 points (fields Name and Note, named by Name) at the
    // top of the Layers panel.
    std::shared_ptr<QgisLayer> addScratchLayer(const QString& name);

    // Makes a layer the active one (the canvas's current layer, and QGIS's through
    // the activator the plugin sets).
    void activateLayer(QgsMapLayer* layer);
    void setLayerActivator(std::function<void(QgsMapLayer*)> activator);

    // Centres the canvas on a WGS 84 point, at that altitude when it is not 0.
    void centreOn(const QgsPointXY& wgs84, double altitude);
    // Shows a rectangle of the layer's coordinates (a point: at the lowest zoom-to height).
    void showLayerExtent(QgsVectorLayer& layer);

private:
    QgisMap(QgsProject* project, QgsMapCanvas* canvas, PushpinAppearance& appearance);
    QgsMapCanvas& checkedCanvas() const;
    // Shows longitudeSpan degrees across the canvas's width around centre (canvas CRS).
    void showSpanAround(const QgsPointXY& centre, double longitudeSpan);
    double viewAltitude() const; // not clamped
    void forgetLayers(const QStringList& ids);

    QPointer<QgsProject> project_;
    QPointer<QgsMapCanvas> canvas_;
    PushpinAppearance& appearance_;
    std::function<void(QgsMapLayer*)> activator_;
    QHash<QString, std::shared_ptr<QgisLayer>> layers_; // by layer id
    std::vector<std::shared_ptr<QgisLayer>> order_;
    bool orderValid_ = false;
};

} // namespace qgishost
