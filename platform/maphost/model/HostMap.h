#pragma once

#include "maphost/MapData.h"
#include "mappoint/Map.h"

#include <QImage>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <QVector>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace maphost {

class MapState;

// Stable handles of the map's contents. A handle stays valid (and is never reused)
// for the life of the map; the object it names may be deleted meanwhile.
using PinId = uint32_t;
using DataSetId = uint32_t;
using ShapeId = uint32_t;

// A read-only look at one pushpin, for drawing and listing. The references stay
// valid only during the call that hands it out.
struct PushpinView {
    PinId id;
    DataSetId dataSet;
    const QString& name;
    const QString& note;
    double latitude;
    double longitude;
    int symbol;
    bool highlight;
    int balloonState;
};

struct MapSelection {
    enum Kind { None, Pushpin, Shape };
    Kind kind = None;
    uint32_t id = 0; // PinId or ShapeId
};

// The map document: datasets in map order, pushpins in record order, symbols,
// shapes, selection and view. It is the host's Map object and, for the host's own
// windows, a QObject that signals changes (coalesced: at most one signal of each
// kind per turn of the event loop, or at once through flushSignals()).
//
// Create with HostMap::create(); the object model's wrappers (pushpins, datasets,
// record sets, ...) keep the map alive while they exist.
class HostMap : public QObject, public mappoint::Map, public std::enable_shared_from_this<HostMap> {
    Q_OBJECT
public:
    static std::shared_ptr<HostMap> create();
    // A map holding the given document contents. Throws automation::Error when the
    // data is inconsistent (custom symbol IDs below 256 or repeated, values that do
    // not match the field count, coordinates out of range).
    static std::shared_ptr<HostMap> create(const MapData& data);
    // The same, consuming data as it goes (less memory at the peak).
    static std::shared_ptr<HostMap> create(MapData&& data);
    ~HostMap() override;

    // Everything the map holds, as a document writer stores it.
    MapData toMapData() const;

    // --- mappoint::Map -----------------------------------------------------------
    mappoint::DataSetsPtr DataSets() override;
    mappoint::PushpinPtr FindPushpin(const QString& name) override;
    mappoint::MapObjectPtr Selection() override;
    double Altitude() override;
    void SetAltitude(double altitude) override;
    mappoint::PushpinPtr AddPushpin(mappoint::LocationPtr atLocation, const QString& name) override;
    mappoint::LocationPtr GetLocation(double latitude, double longitude, double altitude) override;
    double Distance(mappoint::LocationPtr startLocation,
                    mappoint::LocationPtr endLocation) override;
    mappoint::SymbolsPtr Symbols() override;
    mappoint::GeoUnits Units() override;
    void SetUnits(mappoint::GeoUnits units) override;

    // --- datasets (map order) --------------------------------------------------
    int dataSetCount() const;
    DataSetId dataSetAt(int orderIndex) const; // 0-based map order
    bool isDataSetAlive(DataSetId id) const;
    QString dataSetName(DataSetId id) const;
    int dataSetSymbol(DataSetId id) const;
    QVector<FieldDef> dataSetFields(DataSetId id) const;
    int dataSetRecordCount(DataSetId id) const;
    // The dataset's live pushpins in record order.
    std::vector<PinId> dataSetPushpins(DataSetId id) const;
    // Appends a whole dataset (an import) at the end of the map order; one signal.
    // Throws automation::Error on inconsistent data, leaving the map unchanged.
    DataSetId addDataSet(const DataSetData& data);
    DataSetId addDataSet(DataSetData&& data);
    mappoint::DataSetPtr dataSetObject(DataSetId id);

    // --- pushpins --------------------------------------------------------------
    int pushpinCount() const; // live pushpins over all datasets
    bool isPushpinAlive(PinId id) const;
    // Calls visit for every live pushpin, datasets in map order, records in order.
    void forEachPushpin(const std::function<void(const PushpinView&)>& visit) const;
    // Calls visit for the live pushpins of one dataset, in record order.
    void forEachPushpin(DataSetId dataSet,
                        const std::function<void(const PushpinView&)>& visit) const;
    // One pushpin's field values in its dataset's field order. Throws when deleted.
    QVector<QVariant> pushpinValues(PinId id) const;
    mappoint::PushpinPtr pushpinObject(PinId id);

    // --- shapes -----------------------------------------------------------------
    ShapeId addShape(const ShapeData& shape);
    void removeShape(ShapeId id);
    bool isShapeAlive(ShapeId id) const;
    std::vector<ShapeId> shapeIds() const; // live shapes in drawing order
    ShapeData shapeData(ShapeId id) const;
    mappoint::ShapePtr shapeObject(ShapeId id);

    // --- selection ---------------------------------------------------------------
    MapSelection selection() const;
    void selectPushpin(PinId id);
    void selectShape(ShapeId id);
    void clearSelection();

    // --- view ------------------------------------------------------------------------
    ViewData view() const;
    // Centre in degrees; latitude is clamped to -90..90 and longitude wrapped into
    // -180..180. Non-finite values are ignored.
    void setCenter(double latitude, double longitude);
    // Sets centre, altitude (clamped to 1..24854) and units at once.
    void setView(const ViewData& view);
    // The pixel size of the view that shows the map (the map view reports it); the
    // views that show a set of pushpins (DataSet.ZoomTo) are fitted to it.
    void setViewportSize(QSizeF size);
    QSizeF viewportSize() const;

    // --- symbols -------------------------------------------------------------------
    // The picture of any symbol ID the map has (built-in or custom); null otherwise.
    QImage symbolImage(int id) const;
    bool hasSymbol(int id) const;
    std::vector<CustomSymbolData> customSymbols() const;

    // --- document state --------------------------------------------------------------
    bool isModified() const;
    void setModified(bool modified);
    QString filePath() const;
    void setFilePath(const QString& path);

    // Emits any pending change signals now.
    void flushSignals();

    // Internal state shared with the object-model wrappers of this library.
    MapState& state() { return *d_; }
    const MapState& state() const { return *d_; }

signals:
    // Datasets, pushpins or their attributes changed.
    void contentChanged();
    // Shapes were added or removed.
    void shapesChanged();
    // Centre, altitude or units changed.
    void viewChanged();
    void selectionChanged();
    // A custom symbol was added or renamed.
    void symbolsChanged();
    // Emitted at once when the modified flag flips.
    void modifiedChanged(bool modified);

private:
    HostMap();
    template <class Data> static std::shared_ptr<HostMap> createFrom(Data&& data);
    friend class MapState;

    std::unique_ptr<MapState> d_;
};

} // namespace maphost
