#include "MapRenderer.h"

#include "automation/Error.h"
#include "mappoint/Pushpin.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>

namespace maphost {

namespace {

const QColor SeaColour(196, 221, 238);
const QColor LandColour(246, 243, 233);
const QColor BorderColour(196, 186, 160);
const QColor GraticuleColour(90, 120, 150, 70);
const QColor GraticuleLabelColour(70, 95, 120, 190);
const QColor HighlightColour(255, 226, 0);
const QColor SelectionColour(20, 70, 160);

constexpr double ClusterCellPx = 64;  // aggregation cells are 64 to 128 pixels wide
constexpr double PinFootprintPx = 20; // a cell holding more than fit side by side aggregates
constexpr int OccupancyPx = 6;        // at most one pushpin drawn per 6 x 6 pixels
constexpr size_t MaxBalloons = 400;
constexpr int SymbolMaxPx = 32;

int levelFor(double pixelsPerWorld) {
    const double cells = pixelsPerWorld / ClusterCellPx;
    if (cells < 1)
        return 0;
    return std::clamp(static_cast<int>(std::floor(std::log2(cells))), 0, PinIndex::MaxLevel);
}

QString compactCount(size_t n) {
    if (n < 1000)
        return QString::number(n);
    if (n < 10000)
        return QString::number(n / 1000.0, 'f', 1) + u'k';
    if (n < 1000000)
        return QString::number(n / 1000) + u'k';
    return QString::number(n / 1000000.0, 'f', 1) + u'M';
}

QString niceNumber(double value) {
    return QLocale().toString(value, 'g', 15);
}

} // namespace

MapRenderer::MapRenderer(QObject* parent) : QObject(parent), land_(LandLayer::standard()) {}

MapRenderer::~MapRenderer() = default;

void MapRenderer::setMap(std::shared_ptr<HostMap> map) {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    map_ = std::move(map);
    indexDirty_ = shapesDirty_ = true;
    pictures_.clear();
    drawn_.clear();
    drawnShapes_.clear();
    if (map_) {
        HostMap* m = map_.get();
        connections_.push_back(connect(m, &HostMap::contentChanged, this, [this] {
            indexDirty_ = true;
            emit changed();
        }));
        connections_.push_back(connect(m, &HostMap::shapesChanged, this, [this] {
            shapesDirty_ = true;
            emit changed();
        }));
        connections_.push_back(connect(m, &HostMap::symbolsChanged, this, [this] {
            pictures_.clear();
            emit changed();
        }));
        connections_.push_back(connect(m, &HostMap::viewChanged, this, &MapRenderer::changed));
        connections_.push_back(connect(m, &HostMap::selectionChanged, this, &MapRenderer::changed));
    }
    emit changed();
}

MapProjection MapRenderer::projection(QSize size) const {
    return MapProjection(map_ ? map_->view() : ViewData{}, QSizeF(size));
}

const PinIndex& MapRenderer::pins() {
    ensureIndex();
    return index_;
}

void MapRenderer::ensureIndex() {
    if (!indexDirty_)
        return;
    indexDirty_ = false;
    std::vector<PinEntry> all;
    std::vector<PinEntry> special;
    if (map_) {
        all.reserve(static_cast<size_t>(map_->pushpinCount()));
        map_->forEachPushpin([&](const PushpinView& pin) {
            const QPointF w = MapProjection::toWorld(pin.latitude, pin.longitude);
            PinEntry e{w.x(),
                       w.y(),
                       pin.id,
                       pin.dataSet,
                       pin.symbol,
                       pin.highlight,
                       static_cast<uint8_t>(pin.balloonState)};
            all.push_back(e);
            if (e.highlight || e.balloonState != 0)
                special.push_back(e);
        });
    }
    index_.build(std::move(all));
    specials_.build(std::move(special));
}

void MapRenderer::ensureShapes() {
    if (!shapesDirty_)
        return;
    shapesDirty_ = false;
    shapes_.clear();
    if (!map_)
        return;
    for (ShapeId id : map_->shapeIds()) {
        ShapeCache cache{id, map_->shapeData(id), {}, {}};
        for (const QPointF& deg : cache.data.points) {
            const QPointF w = MapProjection::toWorld(deg.y(), 0);
            cache.world.append({(deg.x() + 180.0) / 360.0, w.y()});
        }
        cache.bounds = cache.world.boundingRect();
        shapes_.push_back(std::move(cache));
    }
}

const QImage& MapRenderer::symbolPicture(int id) {
    static const QImage none;
    if (id < 0 || !map_)
        return none;
    if (static_cast<size_t>(id) >= pictures_.size())
        pictures_.resize(static_cast<size_t>(id) + 1);
    QImage& picture = pictures_[static_cast<size_t>(id)];
    if (picture.isNull()) {
        QImage image = map_->symbolImage(id);
        if (image.isNull() && id != 0)
            image = map_->symbolImage(0);
        if (image.width() > SymbolMaxPx || image.height() > SymbolMaxPx)
            image = image.scaled(SymbolMaxPx, SymbolMaxPx, Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
        picture = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return picture;
}

template <class Visit>
void MapRenderer::forVisibleCells(const PinIndex& index, int level, const MapProjection& proj,
                                  Visit&& visit) const {
    if (index.empty())
        return;
    const int n = 1 << level;
    const double margin = SymbolMaxPx / proj.pixelsPerWorld();
    const QRectF vis = proj.visibleWorld().adjusted(-margin, -margin, margin, margin);
    const int x0 = static_cast<int>(std::floor(vis.left() * n));
    const int x1 = static_cast<int>(std::floor(vis.right() * n));
    const int y0 = std::max(0, static_cast<int>(std::floor(vis.top() * n)));
    const int y1 = std::min(n - 1, static_cast<int>(std::floor(vis.bottom() * n)));
    for (int iy = y0; iy <= y1; ++iy) {
        for (int ix = x0; ix <= x1; ++ix) {
            const int wrapped = ((ix % n) + n) % n;
            const int copy = (ix - wrapped) / n;
            visit(wrapped, iy, copy);
        }
    }
}

void MapRenderer::render(QPainter& p, QSize size) {
    stats_ = {};
    drawn_.clear();
    drawnShapes_.clear();
    const MapProjection proj = projection(size);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    drawBackground(p, proj);
    drawGraticule(p, proj);
    if (map_) {
        ensureIndex();
        ensureShapes();
        drawShapes(p, proj);
        drawPins(p, proj);
        drawSpecials(p, proj);
    }
    drawScaleBar(p, proj);
    p.restore();
}

void MapRenderer::drawBackground(QPainter& p, const MapProjection& proj) {
    const QSizeF size = proj.viewSize();
    p.fillRect(QRectF(QPointF(0, 0), size), SeaColour);
    if (!land_ || land_->empty())
        return;
    const QRectF vis = proj.visibleWorld();
    const double s = proj.pixelsPerWorld();
    QPen border(BorderColour, 0.8);
    border.setCosmetic(true);
    p.setPen(border);
    p.setBrush(LandColour);
    const int firstCopy = static_cast<int>(std::floor(vis.left()));
    const int lastCopy = static_cast<int>(std::floor(vis.right()));
    for (int copy = firstCopy; copy <= lastCopy; ++copy) {
        const QPointF origin = proj.worldToScreen({0, 0}, copy);
        p.save();
        p.setTransform(QTransform(s, 0, 0, s, origin.x(), origin.y()), true);
        const QRectF local = vis.translated(-copy, 0);
        for (const LandLayer::Polygon& polygon : land_->polygons()) {
            if (polygon.bounds.intersects(local))
                p.drawPolygon(polygon.ring);
        }
        p.restore();
    }
}

void MapRenderer::drawGraticule(QPainter& p, const MapProjection& proj) {
    static const double steps[] = {30, 15, 10, 5, 2, 1, 0.5, 0.25, 0.1, 0.05, 0.02, 0.01, 0.005};
    const double pxPerDegree = proj.pixelsPerWorld() / 360.0;
    double step = steps[0];
    for (double s : steps) {
        if (s * pxPerDegree < 90)
            break;
        step = s;
    }
    const QSizeF size = proj.viewSize();
    const QRectF vis = proj.visibleWorld();
    QPen pen(GraticuleColour, 1);
    pen.setCosmetic(true);
    p.setPen(pen);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);

    const double lonStart = std::ceil(MapProjection::longitudeOf(vis.left()) / step) * step;
    const double lonEnd = MapProjection::longitudeOf(vis.right());
    const double topY = std::max(0.0, vis.top());
    const double bottomY = std::min(1.0, vis.bottom());
    const double yTop = proj.worldToScreen({0, topY}, 0).y();
    const double yBottom = proj.worldToScreen({0, bottomY}, 0).y();
    for (double lon = lonStart; lon <= lonEnd + 1e-9; lon += step) {
        const double x = proj.worldToScreen({(lon + 180.0) / 360.0, 0}, 0).x();
        p.setPen(pen);
        p.drawLine(QPointF(x, yTop), QPointF(x, yBottom));
        p.setPen(GraticuleLabelColour);
        double shown = std::remainder(lon, 360.0);
        if (std::abs(shown) < 1e-9)
            shown = 0;
        p.drawText(QPointF(x + 3, 12), niceNumber(std::abs(shown)) + QStringLiteral("°") +
                                           QLatin1StringView(shown > 0   ? "E"
                                                             : shown < 0 ? "W"
                                                                         : ""));
    }
    const double latTop = MapProjection::latitudeOf(topY);
    const double latBottom = MapProjection::latitudeOf(bottomY);
    const double latStart = std::ceil(latBottom / step) * step;
    for (double lat = latStart; lat <= latTop + 1e-9; lat += step) {
        if (std::abs(lat) > MapProjection::MaxLatitude)
            continue;
        const double y = proj.toScreen(lat, 0).y();
        p.setPen(pen);
        p.drawLine(QPointF(0, y), QPointF(size.width(), y));
        p.setPen(GraticuleLabelColour);
        const double shown = std::abs(lat) < 1e-9 ? 0 : lat;
        p.drawText(QPointF(4, y - 3), niceNumber(std::abs(shown)) + QStringLiteral("°") +
                                          QLatin1StringView(shown > 0   ? "N"
                                                            : shown < 0 ? "S"
                                                                        : ""));
    }
}

void MapRenderer::drawShapes(QPainter& p, const MapProjection& proj) {
    const MapSelection selection = map_->selection();
    const double centreX = proj.centreWorld().x();
    QFont font = p.font();
    font.setPixelSize(12);
    for (const ShapeCache& shape : shapes_) {
        if (shape.world.isEmpty())
            continue;
        // The copy of the world that puts the shape nearest the view centre.
        const int copy = static_cast<int>(std::round(centreX - shape.bounds.center().x()));
        QPolygonF screen;
        screen.reserve(shape.world.size());
        for (const QPointF& w : shape.world)
            screen.append(proj.worldToScreen(w, copy));
        const bool selected = selection.kind == MapSelection::Shape && selection.id == shape.id;
        QPainterPath path;
        QPen pen(QColor(200, 60, 40), selected ? 2.5 : 1.8);
        switch (shape.data.kind) {
        case ShapeKind::Line:
            path.addPolygon(screen);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(screen);
            break;
        case ShapeKind::TextBox: {
            const QString text = shape.data.text.isEmpty() ? QStringLiteral(" ") : shape.data.text;
            const QRectF box = QFontMetricsF(font)
                                   .boundingRect(QRectF(0, 0, 240, 400), Qt::TextWordWrap, text)
                                   .adjusted(-5, -3, 5, 3)
                                   .translated(screen.first());
            path.addRect(box);
            p.setPen(QPen(QColor(60, 60, 60), selected ? 2 : 1));
            p.setBrush(QColor(255, 255, 255, 235));
            p.drawRect(box);
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(box.adjusted(5, 3, -5, -3), Qt::TextWordWrap, text);
            break;
        }
        default: {
            path.addPolygon(screen);
            path.closeSubpath();
            const QColor fill = shape.data.kind == ShapeKind::DriveTimeZone
                                    ? QColor(60, 160, 80, 60)
                                    : QColor(220, 80, 60, 50);
            if (shape.data.kind == ShapeKind::DriveTimeZone)
                pen.setColor(QColor(40, 130, 60));
            p.setPen(pen);
            p.setBrush(fill);
            p.drawPath(path);
            break;
        }
        }
        if (selected) {
            QPen dash(SelectionColour, 1, Qt::DashLine);
            p.setPen(dash);
            p.setBrush(Qt::NoBrush);
            const QRectF frame = path.boundingRect().adjusted(-3, -3, 3, 3);
            p.drawRect(frame);
            p.setPen(SelectionColour);
            p.setBrush(Qt::white);
            for (const QPointF& corner :
                 {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
                p.drawRect(QRectF(corner - QPointF(3, 3), QSizeF(6, 6)));
        }
        drawnShapes_.emplace_back(path, shape.id);
        ++stats_.shapes;
    }
}

void MapRenderer::drawPins(QPainter& p, const MapProjection& proj) {
    const int level = levelFor(proj.pixelsPerWorld());
    const double cellPx = proj.pixelsPerWorld() / (1 << level);
    const size_t maxIndividual =
        level < PinIndex::MaxLevel
            ? std::max<size_t>(
                  6, static_cast<size_t>(cellPx * cellPx / (PinFootprintPx * PinFootprintPx)))
            : SIZE_MAX;
    const QSizeF size = proj.viewSize();
    const int occW = static_cast<int>(size.width()) / OccupancyPx + 1;
    const int occH = static_cast<int>(size.height()) / OccupancyPx + 1;
    std::vector<uint8_t> occupied(static_cast<size_t>(occW) * occH, 0);
    const QRectF screenRect(QPointF(-SymbolMaxPx, -SymbolMaxPx),
                            size + QSizeF(2 * SymbolMaxPx, 2 * SymbolMaxPx));

    struct Cluster {
        QPointF at;
        QPointF world;
        size_t count;
    };
    std::vector<Cluster> clusters;

    forVisibleCells(index_, level, proj, [&](int ix, int iy, int copy) {
        const std::span<const PinEntry> cell = index_.cell(level, ix, iy);
        if (cell.empty())
            return;
        if (cell.size() > maxIndividual) {
            const QPointF world = index_.centroid(level, ix, iy);
            clusters.push_back({proj.worldToScreen(world, copy), world, cell.size()});
            return;
        }
        for (const PinEntry& pin : cell) {
            const QPointF at = proj.worldToScreen({pin.wx, pin.wy}, copy);
            if (!screenRect.contains(at))
                continue;
            const int ox = std::clamp(static_cast<int>(at.x()) / OccupancyPx, 0, occW - 1);
            const int oy = std::clamp(static_cast<int>(at.y()) / OccupancyPx, 0, occH - 1);
            uint8_t& taken = occupied[static_cast<size_t>(oy) * occW + ox];
            if (taken)
                continue;
            taken = 1;
            const QImage& picture = symbolPicture(pin.symbol);
            const QPointF topLeft(std::round(at.x() - picture.width() / 2.0),
                                  std::round(at.y() - picture.height() / 2.0));
            p.drawImage(topLeft, picture);
            drawn_.push_back({{Hit::Pushpin, pin.id, {}}, QRectF(topLeft, picture.size()), false});
            ++stats_.pins;
        }
    });

    for (const Cluster& c : clusters) {
        const QImage& badge = clusterBadge(c.count);
        const double r = badge.width() / 2.0;
        const QRectF box(std::round(c.at.x() - r), std::round(c.at.y() - r), badge.width(),
                         badge.height());
        p.drawImage(box.topLeft(), badge);
        drawn_.push_back({{Hit::Cluster, 0, c.world}, box, true});
        ++stats_.clusters;
    }
}

const QImage& MapRenderer::clusterBadge(size_t count) {
    const QString label = compactCount(count);
    // Radius grows by steps with the count's order of magnitude.
    const int radius =
        11 + 4 * static_cast<int>(std::floor(std::log10(static_cast<double>(count))));
    const QString key = label + u'/' + QString::number(radius);
    auto it = badges_.find(key);
    if (it != badges_.end())
        return *it;
    if (badges_.size() > 4096)
        badges_.clear();
    QImage badge(2 * radius + 4, 2 * radius + 4, QImage::Format_ARGB32_Premultiplied);
    badge.fill(Qt::transparent);
    QPainter bp(&badge);
    bp.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(radius + 2, radius + 2);
    bp.setPen(QPen(QColor(255, 255, 255, 230), 2));
    bp.setBrush(QColor(48, 112, 190, 205));
    bp.drawEllipse(centre, radius, radius);
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    bp.setFont(font);
    bp.setPen(Qt::white);
    bp.drawText(QRectF(0, 0, badge.width(), badge.height()), Qt::AlignCenter, label);
    bp.end();
    return *badges_.insert(key, badge);
}

void MapRenderer::drawSpecials(QPainter& p, const MapProjection& proj) {
    const int level = levelFor(proj.pixelsPerWorld());
    const QRectF screenRect(QPointF(-SymbolMaxPx, -SymbolMaxPx),
                            proj.viewSize() + QSizeF(2 * SymbolMaxPx, 2 * SymbolMaxPx));
    std::vector<std::pair<QPointF, PinEntry>> balloons;

    auto drawPin = [&](const PinEntry& pin, QPointF at) {
        const QImage& picture = symbolPicture(pin.symbol);
        const QPointF topLeft(std::round(at.x() - picture.width() / 2.0),
                              std::round(at.y() - picture.height() / 2.0));
        p.drawImage(topLeft, picture);
        drawn_.push_back({{Hit::Pushpin, pin.id, {}}, QRectF(topLeft, picture.size()), false});
    };

    forVisibleCells(specials_, level, proj, [&](int ix, int iy, int copy) {
        for (const PinEntry& pin : specials_.cell(level, ix, iy)) {
            const QPointF at = proj.worldToScreen({pin.wx, pin.wy}, copy);
            if (!screenRect.contains(at))
                continue;
            if (pin.highlight) {
                p.setPen(QPen(QColor(235, 140, 0), 1.5));
                p.setBrush(HighlightColour);
                p.drawEllipse(at, 13, 13);
                drawPin(pin, at);
            }
            if (pin.balloonState != 0 && balloons.size() < MaxBalloons) {
                if (!pin.highlight)
                    drawPin(pin, at); // its balloon points at it: never hidden under another
                balloons.emplace_back(at, pin);
            }
        }
    });

    const MapSelection selection = map_->selection();
    if (selection.kind == MapSelection::Pushpin) {
        if (const PinEntry* pin = index_.find(selection.id)) {
            const QPointF at = proj.worldToScreen({pin->wx, pin->wy});
            drawPin(*pin, at);
            const QRectF frame(at.x() - 13, at.y() - 13, 26, 26);
            p.setPen(QPen(SelectionColour, 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(frame);
            p.setBrush(Qt::white);
            p.setPen(QPen(SelectionColour, 1));
            for (const QPointF& corner :
                 {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
                p.drawRect(QRectF(corner - QPointF(2.5, 2.5), QSizeF(5, 5)));
        }
    }

    for (const auto& [at, pin] : balloons)
        drawBalloon(p, at, pin);
}

void MapRenderer::drawBalloon(QPainter& p, QPointF at, const PinEntry& pin) {
    QString name;
    QString note;
    QStringList lines;
    try {
        const mappoint::PushpinPtr object = map_->pushpinObject(pin.id);
        name = object->Name();
        if (pin.balloonState == mappoint::geoDisplayBalloon) {
            note = object->Note();
            const QVector<FieldDef> fields = map_->dataSetFields(pin.dataSet);
            const QVector<QVariant> values = map_->pushpinValues(pin.id);
            for (qsizetype i = 0; i < fields.size() && i < values.size(); ++i)
                lines << fields[i].name + QStringLiteral(": ") + values[i].toString();
        }
    } catch (const automation::Error&) {
        return; // deleted meanwhile: the next frame no longer holds it
    }

    QFont bold = p.font();
    bold.setPixelSize(12);
    bold.setBold(true);
    QFont plain = bold;
    plain.setBold(false);
    plain.setPixelSize(11);
    const QFontMetricsF boldMetrics(bold);
    const QFontMetricsF plainMetrics(plain);
    constexpr double MaxWidth = 280;
    QStringList body;
    if (!note.isEmpty())
        body << note;
    body << lines;
    double width = std::min(MaxWidth, boldMetrics.horizontalAdvance(name));
    for (QString& line : body) {
        line = plainMetrics.elidedText(line, Qt::ElideRight, MaxWidth);
        width = std::max(width, plainMetrics.horizontalAdvance(line));
    }
    const double height = boldMetrics.height() + body.size() * plainMetrics.height();
    const QRectF box(at.x() + 10, at.y() - 22 - height, width + 14, height + 10);

    QPainterPath shape;
    shape.addRoundedRect(box, 5, 5);
    QPainterPath tail;
    tail.moveTo(at + QPointF(2, -6));
    tail.lineTo(box.left() + 6, box.bottom() - 1);
    tail.lineTo(box.left() + 20, box.bottom() - 1);
    tail.closeSubpath();
    shape = shape.united(tail);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(255, 255, 250, 245));
    p.drawPath(shape);

    p.setPen(Qt::black);
    p.setFont(bold);
    double y = box.top() + 5 + boldMetrics.ascent();
    p.drawText(QPointF(box.left() + 7, y), boldMetrics.elidedText(name, Qt::ElideRight, MaxWidth));
    p.setFont(plain);
    p.setPen(QColor(40, 40, 40));
    y += boldMetrics.descent();
    for (const QString& line : body) {
        y += plainMetrics.height();
        p.drawText(QPointF(box.left() + 7, y - plainMetrics.descent()), line);
    }
    drawn_.push_back({{Hit::Pushpin, pin.id, {}}, box, false});
    ++stats_.balloons;
}

void MapRenderer::drawScaleBar(QPainter& p, const MapProjection& proj) {
    const double perPixel = proj.unitsPerPixel();
    if (!(perPixel > 0) || !std::isfinite(perPixel))
        return;
    const double target = perPixel * 120;
    const double magnitude = std::pow(10.0, std::floor(std::log10(target)));
    double nice = magnitude;
    for (double m : {2.0, 5.0, 10.0}) {
        if (m * magnitude <= target)
            nice = m * magnitude;
    }
    const double length = nice / perPixel;
    const bool km = map_ && map_->view().units == 1;
    const QString label = niceNumber(nice) + (km ? QStringLiteral(" km") : QStringLiteral(" mi"));

    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(false);
    p.setFont(font);
    const double x = 12;
    const double y = proj.viewSize().height() - 14;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawRoundedRect(
        QRectF(x - 6, y - 22, length + 12 + QFontMetricsF(font).horizontalAdvance(label) + 8, 30),
        4, 4);
    p.setPen(QPen(QColor(30, 30, 30), 2));
    p.drawLine(QPointF(x, y), QPointF(x + length, y));
    p.drawLine(QPointF(x, y - 6), QPointF(x, y));
    p.drawLine(QPointF(x + length, y - 6), QPointF(x + length, y));
    p.drawText(QPointF(x + length + 8, y), label);
    p.drawText(QPointF(x, y - 9), QStringLiteral("0"));
}

MapRenderer::Hit MapRenderer::hitTest(QPointF screen) const {
    for (auto it = drawn_.rbegin(); it != drawn_.rend(); ++it) {
        if (it->round) {
            const QPointF d = screen - it->rect.center();
            const double r = it->rect.width() / 2;
            if (d.x() * d.x() + d.y() * d.y() <= r * r)
                return it->hit;
        } else if (it->rect.adjusted(-2, -2, 2, 2).contains(screen)) {
            return it->hit;
        }
    }
    QPainterPathStroker stroker;
    stroker.setWidth(10);
    for (auto it = drawnShapes_.rbegin(); it != drawnShapes_.rend(); ++it) {
        const auto& [path, id] = *it;
        if (path.contains(screen) || stroker.createStroke(path).contains(screen))
            return {Hit::Shape, id, {}};
    }
    return {};
}

} // namespace maphost
