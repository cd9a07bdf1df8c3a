#include "HostMap.h"

#include "HostDataSet.h"
#include "HostDataSets.h"
#include "HostLocation.h"
#include "HostPushpin.h"
#include "HostShape.h"
#include "HostSymbols.h"
#include "MapState.h"
#include "automation/Error.h"
#include "mappoint/SphereDistance.h"
#include "mappoint/SymbolPictures.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>

namespace maphost {

namespace {
const QString MyPushpins = QStringLiteral("My Pushpins");

bool validCoordinates(double latitude, double longitude) {
    return mappoint::sphere::validLatLon(latitude, longitude);
}

// Checks one dataset of document data against the map it goes into.
void checkDataSet(const MapState& s, const DataSetData& data) {
    s.checkSymbol(data.symbol);
    for (size_t i = 0; i < data.pushpins.size(); ++i) {
        const PushpinData& p = data.pushpins[i];
        auto fail = [&](const QString& why) {
            throwInvalidArgument(QStringLiteral("Dataset \"%1\", record %2 (\"%3\"): %4")
                                     .arg(data.name)
                                     .arg(i + 1)
                                     .arg(p.name, why));
        };
        if (!validCoordinates(p.latitude, p.longitude))
            fail(QStringLiteral("coordinates out of range"));
        if (p.values.size() > data.fields.size())
            fail(QStringLiteral("more values than fields"));
        if (p.balloonState < 0 || p.balloonState > 2)
            fail(QStringLiteral("balloon state is not 0, 1 or 2"));
        if (p.symbol < 0 || size_t(p.symbol) >= s.symbols.size() ||
            (p.symbol >= mappoint::BuiltInSymbolCount && s.symbols[p.symbol].image.isNull()))
            fail(QStringLiteral("unknown symbol %1").arg(p.symbol));
    }
}

DataSetId appendDataSet(MapState& s, DataSetData&& data) {
    const DataSetId id = s.addDataSet(data.name, data.symbol, data.fields);
    // Grow geometrically: many small imports must not copy the pin table each time.
    const size_t needed = s.pins.size() + data.pushpins.size();
    if (needed > s.pins.capacity())
        s.pins.reserve(std::max(needed, s.pins.capacity() + s.pins.capacity() / 2));
    s.names.reserve(needed);
    s.dataSets[id].records.reserve(data.pushpins.size());
    for (PushpinData& p : data.pushpins) {
        PushpinData taken = std::move(p); // released right after, not at the end
        s.addPin(id, std::move(taken));
    }
    data.pushpins = {};
    return id;
}
} // namespace

HostMap::HostMap() : d_(std::make_unique<MapState>(*this)) {}

HostMap::~HostMap() = default;

std::shared_ptr<HostMap> HostMap::create() {
    return std::shared_ptr<HostMap>(new HostMap());
}

std::shared_ptr<HostMap> HostMap::create(const MapData& data) {
    return createFrom(data);
}

std::shared_ptr<HostMap> HostMap::create(MapData&& data) {
    return createFrom(std::move(data));
}

// Copies or moves one dataset at a time, so a copy never holds the whole document.
template <class Data> std::shared_ptr<HostMap> HostMap::createFrom(Data&& data) {
    auto map = create();
    MapState& s = *map->d_;
    for (const CustomSymbolData& symbol : data.customSymbols)
        s.addCustomSymbol(symbol.name, symbol.image, symbol.id);
    size_t total = 0;
    for (const DataSetData& ds : data.dataSets) {
        checkDataSet(s, ds);
        total += ds.pushpins.size();
    }
    s.pins.reserve(total);
    s.names.reserve(total);
    for (auto& ds : data.dataSets) {
        if constexpr (std::is_lvalue_reference_v<Data>)
            appendDataSet(s, DataSetData(ds));
        else
            appendDataSet(s, std::move(ds));
    }
    for (const ShapeData& shape : data.shapes)
        map->addShape(shape);
    map->setView(data.view);
    s.modified = false;
    return map;
}

MapData HostMap::toMapData() const {
    const MapState& s = *d_;
    MapData data;
    data.dataSets.reserve(s.order.size());
    for (DataSetId id : s.order) {
        const DataSetRecord& ds = s.dataSets[id];
        DataSetData& out = data.dataSets.emplace_back();
        out.name = ds.name;
        out.symbol = ds.symbol;
        out.fields = ds.fields;
        out.pushpins.reserve(ds.live);
        for (PinId pinId : s.snapshot(id)) {
            const PinRecord& p = s.pins[pinId];
            PushpinData& pd = out.pushpins.emplace_back();
            pd.name = p.name;
            pd.note = p.note;
            pd.latitude = p.latitude;
            pd.longitude = p.longitude;
            pd.symbol = p.symbol;
            pd.highlight = p.highlight;
            pd.balloonState = p.balloonState;
            if (p.values)
                pd.values = QVector<QVariant>(p.values.get(), p.values.get() + ds.fields.size());
        }
    }
    data.customSymbols = customSymbols();
    for (const ShapeRecord& shape : s.shapes) {
        if (shape.alive)
            data.shapes.push_back(shape.data);
    }
    data.view = s.view;
    return data;
}

// --- mappoint::Map ----------------------------------------------------------------

mappoint::DataSetsPtr HostMap::DataSets() {
    return std::make_shared<HostDataSets>(shared_from_this());
}

mappoint::PushpinPtr HostMap::FindPushpin(const QString& name) {
    const uint32_t id = d_->names.first(name);
    if (id == NameIndex::None)
        return {};
    return std::make_shared<HostPushpin>(shared_from_this(), id);
}

mappoint::MapObjectPtr HostMap::Selection() {
    switch (d_->selection.kind) {
    case MapSelection::Pushpin:
        return pushpinObject(d_->selection.id);
    case MapSelection::Shape:
        return shapeObject(d_->selection.id);
    case MapSelection::None:
        break;
    }
    return {};
}

double HostMap::Altitude() {
    return d_->view.altitude;
}

void HostMap::SetAltitude(double altitude) {
    d_->setAltitude(altitude);
}

mappoint::PushpinPtr HostMap::AddPushpin(mappoint::LocationPtr atLocation, const QString& name) {
    const HostLocation* location = HostLocation::of(atLocation);
    if (!location)
        throwInvalidArgument(QStringLiteral("AddPushpin needs a location of this host"));
    MapState& s = *d_;
    DataSetId target = NoDataSet;
    for (DataSetId id : s.order) {
        if (s.dataSets[id].name == MyPushpins) {
            target = id;
            break;
        }
    }
    if (target == NoDataSet)
        target = s.addDataSet(MyPushpins, 0, {});
    PushpinData data;
    data.name = name;
    data.latitude = location->latitude();
    data.longitude = location->longitude();
    data.symbol = s.dataSets[target].symbol;
    return pushpinObject(s.addPin(target, std::move(data)));
}

mappoint::LocationPtr HostMap::GetLocation(double latitude, double longitude, double altitude) {
    mappoint::altitude::checkLocation(latitude, longitude, altitude);
    return HostLocation::create(shared_from_this(), latitude, longitude, altitude);
}

double HostMap::Distance(mappoint::LocationPtr startLocation, mappoint::LocationPtr endLocation) {
    const HostLocation* a = HostLocation::of(startLocation);
    const HostLocation* b = HostLocation::of(endLocation);
    if (!a || !b)
        throwInvalidArgument(QStringLiteral("Distance needs two locations of this host"));
    return mappoint::sphere::distance(a->point(), b->point(), Units());
}

mappoint::SymbolsPtr HostMap::Symbols() {
    return std::make_shared<HostSymbols>(shared_from_this());
}

mappoint::GeoUnits HostMap::Units() {
    return d_->view.units == mappoint::geoKilometers ? mappoint::geoKilometers : mappoint::geoMiles;
}

void HostMap::SetUnits(mappoint::GeoUnits units) {
    if (units != mappoint::geoMiles && units != mappoint::geoKilometers)
        throwInvalidArgument(QStringLiteral("Units must be miles (0) or kilometres (1)"));
    if (d_->view.units != units) {
        d_->view.units = units;
        d_->viewChanged();
    }
}

// --- datasets -----------------------------------------------------------------------

int HostMap::dataSetCount() const {
    return int(d_->order.size());
}

DataSetId HostMap::dataSetAt(int orderIndex) const {
    if (orderIndex < 0 || size_t(orderIndex) >= d_->order.size())
        throw automation::Error(automation::errors::ItemNotFound,
                                QStringLiteral("There is no dataset %1").arg(orderIndex + 1));
    return d_->order[size_t(orderIndex)];
}

bool HostMap::isDataSetAlive(DataSetId id) const {
    return id < d_->dataSets.size() && d_->dataSets[id].alive();
}

QString HostMap::dataSetName(DataSetId id) const {
    return d_->dataSet(id).name;
}

int HostMap::dataSetSymbol(DataSetId id) const {
    return d_->dataSet(id).symbol;
}

QVector<FieldDef> HostMap::dataSetFields(DataSetId id) const {
    return d_->dataSet(id).fields;
}

int HostMap::dataSetRecordCount(DataSetId id) const {
    return int(d_->dataSet(id).live);
}

std::vector<PinId> HostMap::dataSetPushpins(DataSetId id) const {
    return d_->snapshot(id);
}

DataSetId HostMap::addDataSet(const DataSetData& data) {
    return addDataSet(DataSetData(data));
}

DataSetId HostMap::addDataSet(DataSetData&& data) {
    checkDataSet(*d_, data);
    return appendDataSet(*d_, std::move(data));
}

mappoint::DataSetPtr HostMap::dataSetObject(DataSetId id) {
    d_->dataSet(id);
    return std::make_shared<HostDataSet>(shared_from_this(), id);
}

// --- pushpins ------------------------------------------------------------------------

int HostMap::pushpinCount() const {
    return d_->livePins;
}

bool HostMap::isPushpinAlive(PinId id) const {
    return id < d_->pins.size() && d_->pins[id].alive();
}

void HostMap::forEachPushpin(const std::function<void(const PushpinView&)>& visit) const {
    for (DataSetId id : d_->order)
        forEachPushpin(id, visit);
}

void HostMap::forEachPushpin(DataSetId dataSet,
                             const std::function<void(const PushpinView&)>& visit) const {
    const DataSetRecord& ds = d_->dataSet(dataSet);
    for (uint32_t i = 0; i < ds.records.size(); ++i) {
        const PinId id = ds.records[i];
        const PinRecord& p = d_->pins[id];
        if (p.dataSet != dataSet || p.position != i)
            continue;
        visit(PushpinView{id, dataSet, p.name, p.note, p.latitude, p.longitude, p.symbol,
                          p.highlight, p.balloonState});
    }
}

QVector<QVariant> HostMap::pushpinValues(PinId id) const {
    const PinRecord& p = d_->pin(id);
    if (!p.values)
        return {};
    return QVector<QVariant>(p.values.get(),
                             p.values.get() + d_->dataSets[p.dataSet].fields.size());
}

mappoint::PushpinPtr HostMap::pushpinObject(PinId id) {
    d_->pin(id);
    return std::make_shared<HostPushpin>(shared_from_this(), id);
}

// --- shapes --------------------------------------------------------------------------

ShapeId HostMap::addShape(const ShapeData& shape) {
    const auto id = ShapeId(d_->shapes.size());
    d_->shapes.push_back({shape, true});
    d_->shapesChanged();
    return id;
}

void HostMap::removeShape(ShapeId id) {
    ShapeRecord& shape = d_->shape(id);
    shape.alive = false;
    shape.data = ShapeData();
    if (d_->selection.kind == MapSelection::Shape && d_->selection.id == id)
        d_->select({});
    d_->shapesChanged();
}

bool HostMap::isShapeAlive(ShapeId id) const {
    return id < d_->shapes.size() && d_->shapes[id].alive;
}

std::vector<ShapeId> HostMap::shapeIds() const {
    std::vector<ShapeId> ids;
    for (size_t i = 0; i < d_->shapes.size(); ++i) {
        if (d_->shapes[i].alive)
            ids.push_back(ShapeId(i));
    }
    return ids;
}

ShapeData HostMap::shapeData(ShapeId id) const {
    return d_->shape(id).data;
}

mappoint::ShapePtr HostMap::shapeObject(ShapeId id) {
    d_->shape(id);
    return std::make_shared<HostShape>(shared_from_this(), id);
}

// --- selection -----------------------------------------------------------------------

MapSelection HostMap::selection() const {
    return d_->selection;
}

void HostMap::selectPushpin(PinId id) {
    d_->pin(id);
    d_->select({MapSelection::Pushpin, id});
}

void HostMap::selectShape(ShapeId id) {
    d_->shape(id);
    d_->select({MapSelection::Shape, id});
}

void HostMap::clearSelection() {
    d_->select({});
}

// --- view ----------------------------------------------------------------------------

ViewData HostMap::view() const {
    return d_->view;
}

void HostMap::setCenter(double latitude, double longitude) {
    d_->setCenter(latitude, longitude);
}

void HostMap::setView(const ViewData& view) {
    d_->setCenter(view.centerLatitude, view.centerLongitude);
    const double altitude = std::isfinite(view.altitude) ? view.altitude : d_->view.altitude;
    d_->setAltitude(std::clamp(altitude, MinAltitude, MaxAltitude));
    SetUnits(view.units == mappoint::geoKilometers ? mappoint::geoKilometers : mappoint::geoMiles);
}

void HostMap::setViewportSize(QSizeF size) {
    if (size.width() >= 1 && size.height() >= 1)
        d_->viewport = size;
}

QSizeF HostMap::viewportSize() const {
    return d_->viewport;
}

// --- symbols -------------------------------------------------------------------------

QImage HostMap::symbolImage(int id) const {
    if (id >= 0 && id < mappoint::BuiltInSymbolCount) {
        // Drawn once per process, shared by every map (QImage is implicitly shared).
        static std::vector<QImage> builtIn(mappoint::BuiltInSymbolCount);
        QImage& picture = builtIn[size_t(id)];
        if (picture.isNull())
            picture = mappoint::BuiltInSymbolPicture(id);
        return picture;
    }
    if (id >= 0 && size_t(id) < d_->symbols.size())
        return d_->symbols[size_t(id)].image;
    return {};
}

bool HostMap::hasSymbol(int id) const {
    return id >= 0 && size_t(id) < d_->symbols.size() &&
           (id < mappoint::BuiltInSymbolCount || !d_->symbols[size_t(id)].image.isNull());
}

std::vector<CustomSymbolData> HostMap::customSymbols() const {
    std::vector<CustomSymbolData> out;
    for (size_t id = mappoint::BuiltInSymbolCount; id < d_->symbols.size(); ++id) {
        const SymbolRecord& symbol = d_->symbols[id];
        if (!symbol.image.isNull())
            out.push_back({int(id), symbol.name, symbol.image});
    }
    return out;
}

// --- document state ------------------------------------------------------------------

bool HostMap::isModified() const {
    return d_->modified;
}

void HostMap::setModified(bool modified) {
    if (d_->modified != modified) {
        d_->modified = modified;
        emit modifiedChanged(modified);
    }
}

QString HostMap::filePath() const {
    return d_->filePath;
}

void HostMap::setFilePath(const QString& path) {
    d_->filePath = path;
}

void HostMap::flushSignals() {
    MapState& s = *d_;
    s.flushScheduled = false;
    // Clear each flag before emitting, so a slot that changes the map again gets
    // its own signal.
    if (std::exchange(s.pendingContent, false))
        emit contentChanged();
    if (std::exchange(s.pendingShapes, false))
        emit shapesChanged();
    if (std::exchange(s.pendingSymbols, false))
        emit symbolsChanged();
    if (std::exchange(s.pendingView, false))
        emit viewChanged();
    if (std::exchange(s.pendingSelection, false))
        emit selectionChanged();
}

} // namespace maphost
