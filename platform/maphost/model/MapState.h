#pragma once

// Internal storage of a HostMap, shared by the object-model wrappers of this
// library. Not part of the public interface.

#include "HostMap.h"
#include "NameIndex.h"
#include "mappoint/ViewAltitude.h"

#include <QHash>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <QVector>
#include <cstdint>
#include <memory>
#include <vector>

namespace maphost {

constexpr uint32_t NoDataSet = UINT32_MAX;
constexpr double MinAltitude = mappoint::altitude::Min;
constexpr double MaxAltitude = mappoint::altitude::Max;

struct PinRecord {
    QString name;
    QString note;
    double latitude = 0;
    double longitude = 0;
    // Field values in the dataset's field order (as many as it has fields).
    std::unique_ptr<QVariant[]> values;
    DataSetId dataSet = NoDataSet; // NoDataSet once deleted
    uint32_t position = 0;         // index in the dataset's records vector
    int16_t symbol = 0;
    uint8_t balloonState = 0;
    bool highlight = false;

    bool alive() const { return dataSet != NoDataSet; }
};

struct DataSetRecord {
    QString name;
    int symbol = 0;
    QVector<FieldDef> fields;
    // Pin ids in record order, with holes: an entry is live only while that pin
    // still names this dataset and this position. Compacted when half are holes.
    std::vector<PinId> records;
    uint32_t live = 0;
    int orderIndex = -1; // position in map order; -1 once deleted

    bool alive() const { return orderIndex >= 0; }
};

struct ShapeRecord {
    ShapeData data;
    bool alive = true;
};

struct SymbolRecord {
    QString name;
    QImage image; // custom symbols only
};

class MapState {
public:
    explicit MapState(HostMap& owner);

    HostMap& owner;

    std::vector<PinRecord> pins;         // by PinId
    std::vector<DataSetRecord> dataSets; // by DataSetId
    std::vector<DataSetId> order;        // map order
    std::vector<ShapeRecord> shapes;     // by ShapeId
    std::vector<SymbolRecord> symbols;   // by symbol ID (0..255 built in, 256.. custom)
    NameIndex names;
    int livePins = 0;

    MapSelection selection;
    ViewData view;
    // The pixel size of the view the map is shown in (DataSet.ZoomTo fits into it).
    QSizeF viewport{800, 600};
    bool modified = false;
    QString filePath;

    // Pending coalesced signals.
    bool pendingContent = false, pendingShapes = false, pendingView = false,
         pendingSelection = false, pendingSymbols = false, flushScheduled = false;

    // --- checked access: throw automation::Error --------------------------------
    PinRecord& pin(PinId id);
    const PinRecord& pin(PinId id) const;
    DataSetRecord& dataSet(DataSetId id);
    const DataSetRecord& dataSet(DataSetId id) const;
    ShapeRecord& shape(ShapeId id);
    const ShapeRecord& shape(ShapeId id) const;

    // Order key of a live pin: dataset map order, then record position.
    uint64_t orderKey(PinId id) const {
        const PinRecord& p = pins[id];
        return (uint64_t(uint32_t(dataSets[p.dataSet].orderIndex)) << 32) | p.position;
    }

    // --- operations (validate, change, mark modified, signal) --------------------
    DataSetId addDataSet(const QString& name, int symbol, QVector<FieldDef> fields);
    PinId addPin(DataSetId ds, PushpinData&& data);
    void appendToDataSet(PinId id, DataSetId ds);
    void detachFromDataSet(PinId id);
    void deletePin(PinId id);
    void deleteDataSet(DataSetId id);
    void renamePin(PinId id, const QString& name);
    void movePin(PinId id, DataSetId target);
    void setPinSymbol(PinId id, int symbol);
    void setDataSetSymbol(DataSetId id, int symbol);
    void checkSymbol(int symbol) const;
    int addCustomSymbol(const QString& name, const QImage& image, int id = -1);

    std::vector<PinId> snapshot(DataSetId ds) const;

    void setAltitude(double altitude);
    void setCenter(double latitude, double longitude);
    void select(MapSelection selection);

    void contentChanged();
    void shapesChanged();
    void viewChanged();
    void selectionChanged();
    void symbolsChanged();
    void markModified();

private:
    void compact(DataSetRecord& ds);
    void scheduleFlush();
};

[[noreturn]] void throwObjectDeleted(const char* what);
[[noreturn]] void throwInvalidArgument(const QString& message);

} // namespace maphost
