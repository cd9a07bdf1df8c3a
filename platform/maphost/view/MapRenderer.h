#pragma once

#include "LandLayer.h"
#include "MapProjection.h"
#include "PinIndex.h"
#include "maphost/model/HostMap.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPainterPath>
#include <QPolygonF>
#include <QSize>
#include <memory>
#include <vector>

class QPainter;

namespace maphost {

// Draws a HostMap: sea, land, graticule, shapes, pushpins (aggregated where dense),
// highlights, the selection, balloons and a scale bar. Keeps a spatial index of the
// pushpins, rebuilt when the map's content changes, so a frame touches only what is
// on screen. Also answers which object lies under a point of the last frame.
class MapRenderer : public QObject {
    Q_OBJECT
public:
    explicit MapRenderer(QObject* parent = nullptr);
    ~MapRenderer() override;

    void setMap(std::shared_ptr<HostMap> map);
    const std::shared_ptr<HostMap>& map() const { return map_; }
    void setLandLayer(std::shared_ptr<const LandLayer> land) { land_ = std::move(land); }

    void render(QPainter& painter, QSize size);
    MapProjection projection(QSize size) const;

    struct Hit {
        enum Kind { Nothing, Pushpin, Shape, Cluster };
        Kind kind = Nothing;
        uint32_t id = 0; // PinId or ShapeId
        QPointF world;   // Cluster: where its pushpins gather
    };
    // What the last frame drew under a point (topmost first).
    Hit hitTest(QPointF screen) const;

    // What the last frame drew, for tests and benchmarks.
    struct FrameStats {
        size_t pins = 0;
        size_t clusters = 0;
        size_t balloons = 0;
        size_t shapes = 0;
    };
    const FrameStats& lastFrame() const { return stats_; }

    // The pushpin index as of now (rebuilt first when the map changed).
    const PinIndex& pins();

signals:
    // Something on the map changed: the owner should repaint.
    void changed();

private:
    struct ShapeCache {
        ShapeId id;
        ShapeData data;
        QPolygonF world; // unwrapped world coordinates
        QRectF bounds;
    };
    struct DrawnItem {
        Hit hit;
        QRectF rect;
        bool round = false;
    };

    void ensureIndex();
    void ensureShapes();
    const QImage& symbolPicture(int id);
    const QImage& clusterBadge(size_t count);

    void drawBackground(QPainter& p, const MapProjection& proj);
    void drawGraticule(QPainter& p, const MapProjection& proj);
    void drawShapes(QPainter& p, const MapProjection& proj);
    void drawPins(QPainter& p, const MapProjection& proj);
    void drawSpecials(QPainter& p, const MapProjection& proj);
    void drawBalloon(QPainter& p, QPointF at, const PinEntry& pin);
    void drawScaleBar(QPainter& p, const MapProjection& proj);

    // Calls visit(entries, copy) for every cell of `level` that the view shows.
    template <class Visit>
    void forVisibleCells(const PinIndex& index, int level, const MapProjection& proj,
                         Visit&& visit) const;

    std::shared_ptr<HostMap> map_;
    std::shared_ptr<const LandLayer> land_;
    PinIndex index_;    // every pushpin
    PinIndex specials_; // pushpins with a highlight or an open balloon
    bool indexDirty_ = true;
    bool shapesDirty_ = true;
    std::vector<ShapeCache> shapes_;
    std::vector<QImage> pictures_;  // by symbol id; null until first use
    QHash<QString, QImage> badges_; // cluster markers by label and size
    std::vector<DrawnItem> drawn_;
    std::vector<std::pair<QPainterPath, ShapeId>> drawnShapes_;
    FrameStats stats_;
    std::vector<QMetaObject::Connection> connections_;
};

} // namespace maphost
