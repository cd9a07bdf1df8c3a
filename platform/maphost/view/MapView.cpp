#include "MapView.h"

#include "ShapeGeometry.h"
#include "automation/Error.h"
#include "mappoint/Pushpin.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <cmath>

namespace maphost {

namespace {
constexpr double ZoomStep = 1.5;
constexpr double DragThresholdPx = 4;
constexpr double MinAltitude = 1;
constexpr double MaxAltitude = 24854;
} // namespace

MapView::MapView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MapView"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    connect(&renderer_, &MapRenderer::changed, this, qOverload<>(&QWidget::update));
}

MapView::~MapView() = default;

void MapView::setMap(std::shared_ptr<HostMap> map) {
    freeformWorld_.clear();
    if (map)
        map->setViewportSize(size());
    renderer_.setMap(std::move(map));
}

void MapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The map fits the views it is asked to show (DataSet.ZoomTo) into this size.
    if (const auto& map = renderer_.map())
        map->setViewportSize(size());
}

void MapView::setTool(DrawingTool tool) {
    tool_ = tool;
    freeformWorld_.clear();
    pressed_ = false;
    setCursor(tool == DrawingTool::None ? Qt::ArrowCursor : Qt::CrossCursor);
    emit toolChanged(tool);
    update();
}

void MapView::zoomIn() {
    zoomBy(1 / ZoomStep);
}

void MapView::zoomOut() {
    zoomBy(ZoomStep);
}

void MapView::zoomBy(double factor, std::optional<QPointF> anchor) {
    const auto& map = renderer_.map();
    if (!map)
        return;
    ViewData view = map->view();
    const double altitude = std::clamp(view.altitude * factor, MinAltitude, MaxAltitude);
    if (anchor) {
        // Keep the world point under the anchor where it is.
        const MapProjection before = projection();
        const QPointF world = before.screenToWorld(*anchor);
        const double scale = view.altitude / altitude;
        const QPointF centre = before.centreWorld();
        const QPointF newCentre = world + (centre - world) / scale;
        view.centerLatitude = MapProjection::latitudeOf(std::clamp(newCentre.y(), 0.0, 1.0));
        view.centerLongitude = MapProjection::longitudeOf(newCentre.x());
    }
    view.altitude = altitude;
    map->setView(view);
}

void MapView::panBy(QPointF pixels) {
    const auto& map = renderer_.map();
    if (!map)
        return;
    const MapProjection proj = projection();
    const QPointF centre =
        proj.centreWorld() + QPointF(pixels.x(), pixels.y()) / proj.pixelsPerWorld();
    map->setCenter(MapProjection::latitudeOf(std::clamp(centre.y(), 0.0, 1.0)),
                   MapProjection::longitudeOf(centre.x()));
}

bool MapView::deleteSelection() {
    const auto& map = renderer_.map();
    if (!map)
        return false;
    const MapSelection selection = map->selection();
    try {
        if (selection.kind == MapSelection::Pushpin) {
            map->pushpinObject(selection.id)->Delete();
            return true;
        }
        if (selection.kind == MapSelection::Shape) {
            map->removeShape(selection.id);
            return true;
        }
    } catch (const automation::Error&) {
        map->clearSelection();
    }
    return false;
}

QImage MapView::renderImage() {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    renderer_.render(p, size());
    return image;
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    renderer_.render(p, size());
    drawToolFeedback(p);
}

void MapView::drawToolFeedback(QPainter& p) {
    if (tool_ == DrawingTool::None)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 60, 40), 1.5, Qt::DashLine));
    p.setBrush(QColor(220, 80, 60, 40));
    const MapProjection proj = projection();
    if (tool_ == DrawingTool::Freeform && !freeformWorld_.isEmpty()) {
        QPolygonF poly;
        for (const QPointF& w : freeformWorld_)
            poly << proj.worldToScreen(w);
        poly << currentPos_;
        p.drawPolygon(poly);
        return;
    }
    if (!pressed_)
        return;
    switch (tool_) {
    case DrawingTool::Rectangle:
        p.drawRect(QRectF(pressPos_, currentPos_).normalized());
        break;
    case DrawingTool::Oval:
        p.drawEllipse(QRectF(pressPos_, currentPos_).normalized());
        break;
    case DrawingTool::RadiusCircle: {
        const QPointF d = currentPos_ - pressPos_;
        const double r = std::hypot(d.x(), d.y());
        p.drawEllipse(pressPos_, r, r);
        break;
    }
    case DrawingTool::Line:
        p.drawLine(pressPos_, currentPos_);
        break;
    default:
        break;
    }
}

void MapView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    dragged_ = false;
    pressPos_ = lastPos_ = currentPos_ = event->position();
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    currentPos_ = pos;
    double lat = 0;
    double lon = 0;
    projection().screenToLatLon(pos, lat, lon);
    emit pointerMoved(lat, lon, true);

    if (tool_ != DrawingTool::None) {
        update();
        return;
    }
    if (!pressed_ || !(event->buttons() & Qt::LeftButton))
        return;
    if (!dragged_) {
        const QPointF d = pos - pressPos_;
        if (std::hypot(d.x(), d.y()) < DragThresholdPx)
            return;
        dragged_ = true;
        setCursor(Qt::ClosedHandCursor);
    }
    panBy(lastPos_ - pos);
    lastPos_ = pos;
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    const QPointF pos = event->position();
    currentPos_ = pos;
    if (tool_ == DrawingTool::None) {
        if (dragged_)
            setCursor(Qt::ArrowCursor);
        else
            clickAt(pos);
        dragged_ = false;
        return;
    }

    const MapProjection proj = projection();
    const QPointF a = proj.screenToWorld(pressPos_);
    const QPointF b = proj.screenToWorld(pos);
    const QPointF d = pos - pressPos_;
    const bool tiny = std::abs(d.x()) < 3 || std::abs(d.y()) < 3;
    double lat = 0;
    double lon = 0;
    proj.screenToLatLon(pressPos_, lat, lon);
    switch (tool_) {
    case DrawingTool::Rectangle:
        if (!tiny)
            finishShape(shapes::rectangle(a, b));
        break;
    case DrawingTool::Oval:
        if (!tiny)
            finishShape(shapes::oval(a, b));
        break;
    case DrawingTool::RadiusCircle: {
        const double pixels = std::hypot(d.x(), d.y());
        if (pixels >= 3)
            finishShape(shapes::radiusCircle(lat, lon, pixels * proj.unitsPerPixel(),
                                             renderer_.map()->view().units));
        break;
    }
    case DrawingTool::Line:
        if (std::hypot(d.x(), d.y()) >= 3)
            finishShape(shapes::line(a, b));
        break;
    case DrawingTool::DriveTimeZone:
        finishShape(shapes::driveTimeZone(lat, lon, driveMinutes_));
        break;
    case DrawingTool::TextBox: {
        const std::optional<QString> text =
            textPrompt_ ? textPrompt_() : std::optional<QString>(QStringLiteral("Text"));
        if (text)
            finishShape(shapes::textBox(a, *text));
        else
            setTool(DrawingTool::None);
        break;
    }
    case DrawingTool::Freeform: {
        // Each click adds a vertex; a double-click (or a click on the first vertex)
        // closes the polygon.
        if (freeformWorld_.size() >= 3) {
            const QPointF first = proj.worldToScreen(freeformWorld_.first());
            const QPointF gap = first - pos;
            if (std::hypot(gap.x(), gap.y()) < 6) {
                finishFreeform();
                break;
            }
        }
        freeformWorld_.append(b);
        update();
        break;
    }
    case DrawingTool::None:
        break;
    }
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (tool_ == DrawingTool::Freeform && event->button() == Qt::LeftButton) {
        finishFreeform();
        return;
    }
    if (tool_ == DrawingTool::None && event->button() == Qt::LeftButton) {
        // A double-click on empty map zooms in there.
        if (renderer_.hitTest(event->position()).kind == MapRenderer::Hit::Nothing)
            zoomBy(1 / ZoomStep, event->position());
    }
}

void MapView::finishFreeform() {
    // A double-click also delivered its first press as a vertex: drop repeats.
    QVector<QPointF> points;
    for (const QPointF& w : freeformWorld_) {
        if (points.isEmpty() ||
            std::hypot(points.last().x() - w.x(), points.last().y() - w.y()) > 1e-12)
            points.append(w);
    }
    freeformWorld_.clear();
    if (points.size() >= 3)
        finishShape(shapes::freeform(points));
    else
        update();
}

void MapView::finishShape(const ShapeData& shape) {
    const auto& map = renderer_.map();
    if (!map)
        return;
    const ShapeId id = map->addShape(shape);
    map->selectShape(id);
    setTool(DrawingTool::None);
    emit shapeDrawn(id);
}

void MapView::clickAt(QPointF pos) {
    const auto& map = renderer_.map();
    if (!map)
        return;
    const MapRenderer::Hit hit = renderer_.hitTest(pos);
    switch (hit.kind) {
    case MapRenderer::Hit::Pushpin:
        map->selectPushpin(hit.id);
        break;
    case MapRenderer::Hit::Shape:
        map->selectShape(hit.id);
        break;
    case MapRenderer::Hit::Cluster: {
        ViewData view = map->view();
        view.centerLatitude = MapProjection::latitudeOf(hit.world.y());
        view.centerLongitude = MapProjection::longitudeOf(hit.world.x());
        view.altitude = std::max(MinAltitude, view.altitude / 4);
        map->setView(view);
        break;
    }
    case MapRenderer::Hit::Nothing:
        map->clearSelection();
        break;
    }
}

void MapView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0)
        return;
    zoomBy(std::pow(1.25, -notches), event->position());
    event->accept();
}

void MapView::keyPressEvent(QKeyEvent* event) {
    const double stepX = width() / 4.0;
    const double stepY = height() / 4.0;
    switch (event->key()) {
    case Qt::Key_Left:
        panBy({-stepX, 0});
        break;
    case Qt::Key_Right:
        panBy({stepX, 0});
        break;
    case Qt::Key_Up:
        panBy({0, -stepY});
        break;
    case Qt::Key_Down:
        panBy({0, stepY});
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomIn();
        break;
    case Qt::Key_Minus:
        zoomOut();
        break;
    case Qt::Key_Delete:
        deleteSelection();
        break;
    case Qt::Key_Escape:
        setTool(DrawingTool::None);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (tool_ == DrawingTool::Freeform)
            finishFreeform();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MapView::leaveEvent(QEvent* event) {
    emit pointerMoved(0, 0, false);
    QWidget::leaveEvent(event);
}

} // namespace maphost
