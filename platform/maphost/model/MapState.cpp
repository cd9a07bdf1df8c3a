#include "MapState.h"

#include "automation/Error.h"
#include "mappoint/SymbolNames.h"

#include <QMetaObject>
#include <algorithm>
#include <cmath>

namespace maphost {

using automation::Error;
namespace errors = automation::errors;

void throwObjectDeleted(const char* what) {
    throw Error(errors::ObjectDeleted,
                QStringLiteral("The %1 was deleted from the map").arg(QLatin1String(what)));
}

void throwInvalidArgument(const QString& message) {
    throw Error(errors::InvalidArgument, message);
}

MapState::MapState(HostMap& owner_) : owner(owner_), names(*this) {
    symbols.resize(mappoint::BuiltInSymbolCount);
    for (int i = 0; i < mappoint::BuiltInSymbolCount; ++i)
        symbols[i].name = mappoint::BuiltInSymbolName(i);
}

PinRecord& MapState::pin(PinId id) {
    if (id >= pins.size() || !pins[id].alive())
        throwObjectDeleted("pushpin");
    return pins[id];
}

const PinRecord& MapState::pin(PinId id) const {
    return const_cast<MapState*>(this)->pin(id);
}

DataSetRecord& MapState::dataSet(DataSetId id) {
    if (id >= dataSets.size() || !dataSets[id].alive())
        throwObjectDeleted("dataset");
    return dataSets[id];
}

const DataSetRecord& MapState::dataSet(DataSetId id) const {
    return const_cast<MapState*>(this)->dataSet(id);
}

ShapeRecord& MapState::shape(ShapeId id) {
    if (id >= shapes.size() || !shapes[id].alive)
        throwObjectDeleted("shape");
    return shapes[id];
}

const ShapeRecord& MapState::shape(ShapeId id) const {
    return const_cast<MapState*>(this)->shape(id);
}

DataSetId MapState::addDataSet(const QString& name, int symbol, QVector<FieldDef> fields) {
    checkSymbol(symbol);
    const auto id = DataSetId(dataSets.size());
    DataSetRecord& ds = dataSets.emplace_back();
    ds.name = name;
    ds.symbol = symbol;
    ds.fields = std::move(fields);
    ds.orderIndex = int(order.size());
    order.push_back(id);
    contentChanged();
    return id;
}

PinId MapState::addPin(DataSetId dsId, PushpinData&& data) {
    DataSetRecord& ds = dataSet(dsId);
    const auto id = PinId(pins.size());
    PinRecord& p = pins.emplace_back();
    p.name = std::move(data.name);
    p.note = std::move(data.note);
    p.latitude = data.latitude;
    p.longitude = data.longitude;
    p.symbol = int16_t(data.symbol);
    p.highlight = data.highlight;
    p.balloonState = uint8_t(data.balloonState);
    const qsizetype fieldCount = ds.fields.size();
    if (fieldCount > 0) {
        p.values.reset(new QVariant[fieldCount]);
        for (qsizetype i = 0; i < fieldCount && i < data.values.size(); ++i)
            p.values[i] = std::move(data.values[i]);
    }
    appendToDataSet(id, dsId);
    names.add(p.name, id);
    ++livePins;
    contentChanged();
    return id;
}

void MapState::appendToDataSet(PinId id, DataSetId dsId) {
    DataSetRecord& ds = dataSets[dsId];
    PinRecord& p = pins[id];
    p.dataSet = dsId;
    p.position = uint32_t(ds.records.size());
    ds.records.push_back(id);
    ++ds.live;
}

void MapState::detachFromDataSet(PinId id) {
    PinRecord& p = pins[id];
    DataSetRecord& ds = dataSets[p.dataSet];
    p.dataSet = NoDataSet;
    --ds.live;
    if (ds.records.size() >= 64 && ds.live < ds.records.size() / 2)
        compact(ds);
}

void MapState::compact(DataSetRecord& ds) {
    const DataSetId dsId = DataSetId(&ds - dataSets.data());
    std::vector<PinId> kept;
    kept.reserve(ds.live);
    for (uint32_t i = 0; i < ds.records.size(); ++i) {
        const PinId id = ds.records[i];
        PinRecord& p = pins[id];
        if (p.dataSet == dsId && p.position == i) {
            p.position = uint32_t(kept.size());
            kept.push_back(id);
        }
    }
    ds.records = std::move(kept);
}

std::vector<PinId> MapState::snapshot(DataSetId dsId) const {
    const DataSetRecord& ds = dataSet(dsId);
    std::vector<PinId> ids;
    ids.reserve(ds.live);
    for (uint32_t i = 0; i < ds.records.size(); ++i) {
        const PinId id = ds.records[i];
        const PinRecord& p = pins[id];
        if (p.dataSet == dsId && p.position == i)
            ids.push_back(id);
    }
    return ids;
}

void MapState::deletePin(PinId id) {
    PinRecord& p = pin(id);
    names.remove(p.name, id);
    detachFromDataSet(id);
    p.name = QString();
    p.note = QString();
    p.values.reset();
    --livePins;
    if (selection.kind == MapSelection::Pushpin && selection.id == id)
        select({});
    contentChanged();
}

void MapState::deleteDataSet(DataSetId id) {
    DataSetRecord& ds = dataSet(id);
    for (PinId pinId : snapshot(id)) {
        PinRecord& p = pins[pinId];
        names.remove(p.name, pinId);
        p.dataSet = NoDataSet;
        p.name = QString();
        p.note = QString();
        p.values.reset();
        --livePins;
        if (selection.kind == MapSelection::Pushpin && selection.id == pinId)
            select({});
    }
    ds.records = {};
    ds.live = 0;
    order.erase(order.begin() + ds.orderIndex);
    ds.orderIndex = -1;
    for (size_t i = 0; i < order.size(); ++i)
        dataSets[order[i]].orderIndex = int(i);
    contentChanged();
}

void MapState::renamePin(PinId id, const QString& name) {
    PinRecord& p = pin(id);
    if (p.name == name)
        return;
    names.remove(p.name, id);
    p.name = name;
    names.add(p.name, id);
    contentChanged();
}

void MapState::movePin(PinId id, DataSetId target) {
    PinRecord& p = pin(id);
    DataSetRecord& to = dataSet(target);
    if (p.dataSet == target)
        return;
    const DataSetRecord& from = dataSets[p.dataSet];
    // Values follow the pin into the target's fields of the same name.
    std::unique_ptr<QVariant[]> values;
    if (!to.fields.isEmpty()) {
        values.reset(new QVariant[to.fields.size()]);
        if (p.values) {
            for (qsizetype i = 0; i < to.fields.size(); ++i) {
                for (qsizetype j = 0; j < from.fields.size(); ++j) {
                    if (from.fields[j].name == to.fields[i].name) {
                        values[i] = p.values[j];
                        break;
                    }
                }
            }
        }
    }
    names.remove(p.name, id);
    detachFromDataSet(id);
    appendToDataSet(id, target);
    p.values = std::move(values);
    names.add(p.name, id);
    contentChanged();
}

void MapState::checkSymbol(int symbol) const {
    if (symbol < 0 || size_t(symbol) >= symbols.size() ||
        (symbol >= mappoint::BuiltInSymbolCount && symbols[symbol].image.isNull()))
        throwInvalidArgument(QStringLiteral("The map has no symbol %1").arg(symbol));
}

void MapState::setPinSymbol(PinId id, int symbol) {
    PinRecord& p = pin(id);
    checkSymbol(symbol);
    p.symbol = int16_t(symbol);
    contentChanged();
}

void MapState::setDataSetSymbol(DataSetId id, int symbol) {
    DataSetRecord& ds = dataSet(id);
    checkSymbol(symbol);
    ds.symbol = symbol;
    for (uint32_t i = 0; i < ds.records.size(); ++i) {
        PinRecord& p = pins[ds.records[i]];
        if (p.dataSet == id && p.position == i)
            p.symbol = int16_t(symbol);
    }
    contentChanged();
}

int MapState::addCustomSymbol(const QString& name, const QImage& image, int id) {
    if (image.isNull())
        throwInvalidArgument(QStringLiteral("A custom symbol needs a picture"));
    if (id < 0)
        id = int(symbols.size());
    if (id < mappoint::BuiltInSymbolCount || id > INT16_MAX)
        throwInvalidArgument(QStringLiteral("Custom symbol IDs run from %1 to %2, not %3")
                                 .arg(mappoint::BuiltInSymbolCount)
                                 .arg(INT16_MAX)
                                 .arg(id));
    if (size_t(id) < symbols.size() && !symbols[id].image.isNull())
        throwInvalidArgument(QStringLiteral("The custom symbol ID %1 is used twice").arg(id));
    if (size_t(id) >= symbols.size())
        symbols.resize(size_t(id) + 1);
    symbols[id].name = name;
    symbols[id].image = image;
    symbolsChanged();
    return id;
}

void MapState::setAltitude(double altitude) {
    mappoint::altitude::check(altitude);
    if (view.altitude != altitude) {
        view.altitude = altitude;
        viewChanged();
    }
}

void MapState::setCenter(double latitude, double longitude) {
    if (!std::isfinite(latitude) || !std::isfinite(longitude))
        return;
    latitude = std::clamp(latitude, -90.0, 90.0);
    longitude = std::remainder(longitude, 360.0); // into -180..180
    if (view.centerLatitude != latitude || view.centerLongitude != longitude) {
        view.centerLatitude = latitude;
        view.centerLongitude = longitude;
        viewChanged();
    }
}

void MapState::select(MapSelection s) {
    if (s.kind == MapSelection::None)
        s.id = 0;
    if (s.kind == selection.kind && s.id == selection.id)
        return;
    selection = s;
    selectionChanged();
}

void MapState::contentChanged() {
    pendingContent = true;
    markModified();
    scheduleFlush();
}

void MapState::shapesChanged() {
    pendingShapes = true;
    markModified();
    scheduleFlush();
}

void MapState::viewChanged() {
    pendingView = true;
    scheduleFlush();
}

void MapState::selectionChanged() {
    pendingSelection = true;
    scheduleFlush();
}

void MapState::symbolsChanged() {
    pendingSymbols = true;
    markModified();
    scheduleFlush();
}

void MapState::markModified() {
    if (!modified) {
        modified = true;
        emit owner.modifiedChanged(true);
    }
}

void MapState::scheduleFlush() {
    if (flushScheduled)
        return;
    flushScheduled = true;
    QMetaObject::invokeMethod(
        &owner, [o = &owner] { o->flushSignals(); }, Qt::QueuedConnection);
}

} // namespace maphost
