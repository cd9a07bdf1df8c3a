#pragma once

#include "FeatureNamer.h"
#include "PushpinNameIndex.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <qgscoordinatetransform.h>
#include <qgsfeature.h>
#include <qgsmapcanvas.h>
#include <qgspointxy.h>
#include <qgsvectordataprovider.h>
#include <qgsvectorlayer.h>

class QgsHighlight;

namespace qgishost {

// What the object model keeps about one point layer while the layer lives: a weak
// reference to it, a change counter, the name of its features, its name index and the
// highlights drawn on its features. The object model's objects share it; once the
// layer is removed from the project every call through them fails with ObjectDeleted.
class QgisLayer : public QObject {
    Q_OBJECT
public:
    QgisLayer(QgsVectorLayer& layer, QgsMapCanvas* canvas);
    ~QgisLayer() override;

    // Null once the layer is gone.
    QgsVectorLayer* layer() const { return layer_.data(); }
    // The layer, or ObjectDeleted.
    QgsVectorLayer& checked() const;
    QString id() const { return id_; }
    // Forgets the layer (it is being removed): highlights go, every later call fails.
    void release();

    // Counts every change that may make a copy of one of its features stale.
    uint64_t generation() const { return generation_; }

    const FeatureNamer& namer();
    // The layer's own fields: all but those the project's auxiliary storage joins in.
    const QgsAttributeList& dataFields();
    // "Note" (any case), else "description" or "desc"; -1 when the layer has none.
    int noteField();

    // The iterator's next feature; at its end, fails with ServerUnavailable when the data
    // source stopped answering rather than ran out of features.
    bool next(QgsFeatureIterator& features, QgsFeature& feature) const;
    // Whether other programs edit the layer's data while QGIS has it open (a database
    // server), so that what the layer's signals told the index may be out of date.
    bool editedElsewhere() const;

    // One feature by id (one request); false when there is none.
    bool fetch(int64_t featureId, QgsFeature& feature, bool withGeometry) const;
    // The same, failing with ObjectDeleted.
    QgsFeature feature(int64_t featureId, bool withGeometry) const;

    // The first feature of that name, in feature order. Before a walk has built the
    // index, the data source is asked (one query) where it can filter by the name: on
    // a layer edited elsewhere every time, on a file the first time only (then the index
    // is built). On a layer edited elsewhere the feature the index gives is read again
    // first, so one deleted or renamed by someone else gives way to the next of that
    // name.
    bool firstNamed(const QString& name, int64_t& featureId);
    const PushpinNameIndex& nameIndex();
    bool indexed() const { return indexed_; }

    // A full walk of a layer that has no index builds one on the way, so that the layer
    // is not read a second time, all at once, for FindPushpin. The
    // walk feeds every feature in feature order; a change to the layer meanwhile, or a
    // walk that stops early, leaves no index. begin is false when no feed is wanted.
    bool beginIndexFeed();
    void feedIndex(const QgsFeature& feature);
    void endIndexFeed(bool walkedAll);

    // A feature's position in WGS 84 (x longitude, y latitude); fails for a feature
    // without a point.
    QgsPointXY toWgs84(const QgsFeature& feature);
    QgsPointXY fromWgs84(const QgsPointXY& point);

    // Switches editing on where it is off, after checking that the data source can do
    // what: ownership of the edit stays with QGIS (Undo, Save and Discard edits).
    void beginEdit(QgsVectorDataProvider::Capability what, const QString& action);

    bool highlighted(int64_t featureId) const;
    void setHighlighted(int64_t featureId, bool on);

private:
    void changed();
    void fieldsChanged();
    void addName(int64_t featureId);
    void attributeChanged(int64_t featureId, int field);
    void refreshName(int64_t featureId);
    void removeFeature(int64_t featureId);
    void drawHighlight(int64_t featureId, const QgsGeometry& geometry);
    void removeHighlight(int64_t featureId);
    void buildIndex();
    bool answersByQuery(const QString& name);
    bool queryFirstNamed(const QString& name, int64_t& featureId);

    QPointer<QgsVectorLayer> layer_;
    QPointer<QgsMapCanvas> canvas_;
    QString id_;
    uint64_t generation_ = 0;
    std::unique_ptr<FeatureNamer> namer_;
    std::unique_ptr<QgsAttributeList> dataFields_;
    int noteField_ = -2; // -2: not looked up yet
    std::unique_ptr<QgsCoordinateTransform> toWgs84_;
    PushpinNameIndex names_;
    bool indexed_ = false;
    bool feeding_ = false;
    bool queried_ = false; // a file layer answered FindPushpin by a query
    uint64_t feedGeneration_ = 0;
    std::map<int64_t, QgsHighlight*> highlights_; // drawn on the canvas, owned here
};

} // namespace qgishost
