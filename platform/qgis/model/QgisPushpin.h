#pragma once

#include "mappoint/Pushpin.h"

#include <memory>
#include <optional>
#include <qgsfeature.h>
#include <qgspointxy.h>

namespace qgishost {

class QgisLayer;
class QgisMap;

// A feature of a point layer. A pushpin handed out by a record set carries what the
// record set read of its feature (name and note fields, maybe geometry), used while
// its layer has not changed since; otherwise a call reads the feature anew (and fails
// with ObjectDeleted once it is gone).
class QgisPushpin : public mappoint::Pushpin {
public:
    QgisPushpin(std::shared_ptr<QgisMap> map, std::shared_ptr<QgisLayer> layer, int64_t featureId,
                std::optional<QgsFeature> read = std::nullopt, bool readWithGeometry = false);

    int32_t Type() override;
    QString Name() override;
    // Only where the layer's display expression is a plain field.
    void SetName(const QString& name) override;
    QString Note() override;
    void SetNote(const QString& note) override;
    mappoint::DataSetPtr Parent() override;
    mappoint::LocationPtr Location() override;
    int16_t Symbol() override;
    void SetSymbol(int16_t symbol) override;
    bool Highlight() override;
    void SetHighlight(bool highlight) override;
    int BalloonState() override;
    void SetBalloonState(int state) override;
    void Select() override;
    // Through the layer's edit buffer (editing is switched on and left on).
    void Delete() override;
    // Copies the feature into the other layer (fields of the same name) and deletes it
    // here, both through the edit buffers; this pushpin then names the copy.
    void MoveTo(mappoint::DataSetPtr dataSet) override;

    // Adds a feature at a WGS 84 point, named where the name is a plain field, through
    // the layer's edit buffer. Returns its id.
    static int64_t addFeature(QgisLayer& layer, const QgsPointXY& wgs84, const QString& name);

    int64_t featureId() const { return id_; }
    const std::shared_ptr<QgisLayer>& layer() const { return layer_; }

private:
    const QgsFeature& feature(bool withGeometry);
    void setAttribute(int field, const QString& value, const QString& action);

    std::shared_ptr<QgisMap> map_;
    std::shared_ptr<QgisLayer> layer_;
    int64_t id_;
    std::optional<QgsFeature> read_;
    bool readWithGeometry_ = false;
    uint64_t readAt_ = 0; // the layer's generation when read_ was read
};

} // namespace qgishost
