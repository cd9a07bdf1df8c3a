// The contract tests on the QGIS adapter: each dataset a point layer of the project
// made the way the program's storages say, the map on an offscreen canvas in Web
// Mercator, symbols and balloons kept by the real project appearance.
#include "QgisContract.h"
#include "MenuCommands.h"
#include "QgisApplication.h"
#include "QgisLayer.h"
#include "QgisMap.h"
#include "QgisRuntime.h"
#include "QgisShape.h"
#include "qgis/styling/ProjectAppearance.h"

#include <QTemporaryDir>
#include <memory>
#include <qgsmapcanvas.h>
#include <qgsmemoryproviderutils.h>
#include <qgsproject.h>
#include <qgsvectordataprovider.h>
#include <qgsvectorlayer.h>

namespace contract {

namespace {

QVariant::Type qgisType(QMetaType::Type type) {
    switch (type) {
    case QMetaType::LongLong:
        return QVariant::LongLong;
    case QMetaType::Double:
        return QVariant::Double;
    default:
        return QVariant::String;
    }
}

class QgisContract : public ContractHost {
public:
    QgisContract(QStringList storages, QgisLayerMaker maker)
        : storages_(std::move(storages)), maker_(std::move(maker)) {
        canvas_ = new QgsMapCanvas();
        canvas_->setDestinationCrs(QgsCoordinateReferenceSystem(QStringLiteral("EPSG:3857")));
        canvas_->resize(800, 600);
        canvas_->show();
        application_ = std::make_unique<qgishost::QgisApplication>(QgsProject::instance(), canvas_,
                                                                   menu_, appearance_, nullptr);
        qgistest::atExit([this] {
            application_.reset();
            QgsProject::instance()->clear();
            delete canvas_;
        });
    }

    QStringList storages() const override { return storages_; }

    mappoint::MapPtr makeMap(const QString& storage,
                             const std::vector<DataSetContent>& dataSets) override {
        QgsProject& project = *QgsProject::instance();
        project.clear();
        folder_ = std::make_unique<QTemporaryDir>();
        for (const DataSetContent& wanted : dataSets) {
            QgsFields fields = qgistest::fields({{QStringLiteral("Name"), QVariant::String},
                                                 {QStringLiteral("Note"), QVariant::String}});
            for (const FieldContent& field : wanted.fields)
                fields.append(QgsField(field.name, qgisType(field.type)));
            const auto make = [&](int i, QgsPointXY& point, QVariantList& values) {
                const PinContent& pin = wanted.pins[size_t(i)];
                point = QgsPointXY(pin.longitude, pin.latitude);
                values = {pin.name, pin.note.isEmpty() ? QVariant() : QVariant(pin.note)};
                for (const QVariant& v : pin.values)
                    values << v;
            };
            const int count = int(wanted.pins.size());
            qgistest::appendToProject(
                project, maker_(storage, folder_->path(), wanted.name, fields, count, make));
        }
        canvas_->setExtent(QgsRectangle(-2e7, -1e7, 2e7, 1e7));
        const auto map = application_->map();
        map->SetUnits(mappoint::geoKilometers);
        return map;
    }

    mappoint::ShapePtr makeArea(const QVector<QPointF>& outline) override {
        QgsVectorLayer* layer = QgsMemoryProviderUtils::createMemoryLayer(
            QStringLiteral("Areas"), QgsFields(), QgsWkbTypes::Polygon,
            QgsCoordinateReferenceSystem(QStringLiteral("EPSG:4326")));
        QgsPolylineXY ring;
        for (const QPointF& p : outline)
            ring << QgsPointXY(p.x(), p.y());
        ring << ring.first();
        QgsFeature f;
        f.setGeometry(QgsGeometry::fromPolygonXY({ring}));
        layer->dataProvider()->addFeature(f);
        qgistest::appendToProject(*QgsProject::instance(), layer);
        const auto map = application_->map();
        return std::make_shared<qgishost::QgisShape>(map, map->layerState(*layer), f.id());
    }

    bool newDataSetsComeFirst() const override { return true; }
    bool addedRecordsComeFirst() const override { return true; }

private:
    QStringList storages_;
    QgisLayerMaker maker_;
    QgsMapCanvas* canvas_ = nullptr;
    qgistest::MenuCommands menu_;
    qgishost::ProjectAppearance appearance_{*QgsProject::instance()};
    std::unique_ptr<qgishost::QgisApplication> application_;
    std::unique_ptr<QTemporaryDir> folder_;
};

} // namespace

ContractHost& qgisContractHost(QStringList storages, QgisLayerMaker maker) {
    static QgisContract host(std::move(storages), std::move(maker));
    return host;
}

} // namespace contract
