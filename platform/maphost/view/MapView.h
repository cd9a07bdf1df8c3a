#pragma once

#include "DrawingTool.h"
#include "MapRenderer.h"

#include <QPointF>
#include <QVector>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace maphost {

// The map on screen. Its centre and altitude are the map's own, so changes made
// through the object model show at once. Drag or arrow keys pan, the wheel and +/-
// zoom, a click selects a pushpin or shape, Delete removes the selection, and the
// drawing tools add shapes (each drawn shape becomes the selection).
class MapView : public QWidget {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);
    ~MapView() override;

    void setMap(std::shared_ptr<HostMap> map);
    const std::shared_ptr<HostMap>& map() const { return renderer_.map(); }
    MapRenderer& renderer() { return renderer_; }

    DrawingTool tool() const { return tool_; }
    void setTool(DrawingTool tool);

    // Asks for a text box's text; nothing cancels. Default: the text "Text".
    void setTextPrompt(std::function<std::optional<QString>()> prompt) {
        textPrompt_ = std::move(prompt);
    }
    // The drive-time zone's travel time in minutes.
    void setDriveTimeMinutes(double minutes) { driveMinutes_ = minutes; }

    void zoomIn();
    void zoomOut();
    // Multiplies the altitude by factor, keeping the map point under `anchor` in place.
    void zoomBy(double factor, std::optional<QPointF> anchor = std::nullopt);
    void panBy(QPointF pixels);
    // Deletes the selected pushpin or shape; false when nothing was selected.
    bool deleteSelection();

    // The whole view drawn into an image of the widget's size.
    QImage renderImage();

signals:
    // The pointer moved over the map (valid) or left it.
    void pointerMoved(double latitude, double longitude, bool valid);
    void shapeDrawn(maphost::ShapeId id);
    void toolChanged(maphost::DrawingTool tool);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    MapProjection projection() const { return renderer_.projection(size()); }
    void clickAt(QPointF pos);
    void finishShape(const ShapeData& shape);
    void finishFreeform();
    void drawToolFeedback(QPainter& p);

    MapRenderer renderer_;
    DrawingTool tool_ = DrawingTool::None;
    std::function<std::optional<QString>()> textPrompt_;
    double driveMinutes_ = 30;

    bool pressed_ = false;
    bool dragged_ = false;
    QPointF pressPos_;
    QPointF lastPos_;
    QPointF currentPos_;
    QVector<QPointF> freeformWorld_; // vertices of a freeform being drawn
};

} // namespace maphost
