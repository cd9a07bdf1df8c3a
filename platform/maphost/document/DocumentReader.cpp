#include "DocumentReader.h"

#include "DocumentSchema.h"
#include "FieldValues.h"
#include "FileCheck.h"
#include "GdalSupport.h"
#include "SqliteSchema.h"
#include "automation/Error.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cstring>
#include <map>

namespace maphost {

namespace {

using gdal::FeaturePtr;

bool shapeKindFromName(const char* name, ShapeKind& kind) {
    static const std::pair<const char*, ShapeKind> kinds[] = {
        {"rectangle", ShapeKind::Rectangle},
        {"oval", ShapeKind::Oval},
        {"radius_circle", ShapeKind::RadiusCircle},
        {"freeform", ShapeKind::Freeform},
        {"drive_time_zone", ShapeKind::DriveTimeZone},
        {"line", ShapeKind::Line},
        {"text_box", ShapeKind::TextBox},
    };
    for (const auto& [n, k] : kinds)
        if (std::strcmp(n, name) == 0) {
            kind = k;
            return true;
        }
    return false;
}

QString damagedReason(const QString& what) {
    return QStringLiteral("the map document is damaged (%1)").arg(what);
}

class Reader {
public:
    Reader(GDALDataset& ds, const QString& path, gdal::ErrorCapture& errors)
        : ds_(ds), path_(path), errors_(errors) {}

    MapData readAll() {
        checkFormat();
        MapData map;
        readDataSets(map.dataSets);
        readSymbols(map.customSymbols);
        readShapes(map.shapes);
        readView(map.view);
        checkNoOtherTables();
        return map;
    }

private:
    [[noreturn]] void fail(const QString& reason) const {
        throw automation::Error(automation::errors::FileError,
                                QStringLiteral("Cannot open \"%1\": %2")
                                    .arg(QDir::toNativeSeparators(path_), errors_.reason(reason)));
    }
    [[noreturn]] void damaged(const QString& what) const { fail(damagedReason(what)); }

    OGRLayer* table(const char* name) {
        OGRLayer* layer = ds_.GetLayerByName(name);
        if (!layer)
            damaged(QStringLiteral("table %1 is missing").arg(QString::fromUtf8(name)));
        layer->ResetReading();
        readTables_.insert(QString::fromUtf8(layer->GetName()));
        return layer;
    }

    // A document holds the tables the writer made, GeoPackage's and SQLite's own, and
    // nothing else, whether GeoPackage lists it as a layer or not.
    void checkNoOtherTables() {
        const gdal::SqlResult tables(
            &ds_, ds_.ExecuteSQL("SELECT name FROM sqlite_master WHERE type = 'table'", nullptr,
                                 nullptr));
        if (!tables)
            damaged(QStringLiteral("its list of tables cannot be read"));
        static const QStringList ownPrefixes = {QStringLiteral("gpkg_"), QStringLiteral("rtree_"),
                                                QStringLiteral("sqlite_")};
        while (FeaturePtr f{tables->GetNextFeature()}) {
            const QString name = text(*f, 0);
            const bool own = std::any_of(ownPrefixes.begin(), ownPrefixes.end(),
                                         [&](const QString& p) { return name.startsWith(p); });
            if (!own && !readTables_.contains(name))
                damaged(QStringLiteral("it holds the table %1, which is not part of a map "
                                       "document")
                            .arg(name));
        }
    }

    int column(OGRLayer* layer, const char* name) {
        const int index = layer->GetLayerDefn()->GetFieldIndex(name);
        if (index < 0)
            damaged(QStringLiteral("column %1 of table %2 is missing")
                        .arg(QString::fromUtf8(name), QString::fromUtf8(layer->GetName())));
        return index;
    }

    static QString text(const OGRFeature& f, int index) {
        return QString::fromUtf8(f.GetFieldAsString(index));
    }

    void checkFormat() {
        if (!ds_.GetLayerByName(schema::DocumentTable))
            fail(QStringLiteral("the GeoPackage is not a Locastra map document"));
        OGRLayer* layer = table(schema::DocumentTable);
        const int key = column(layer, schema::KeyColumn);
        const int value = column(layer, schema::ValueColumn);
        QHash<QString, QString> info;
        while (FeaturePtr f{layer->GetNextFeature()})
            info.insert(text(*f, key), text(*f, value));
        if (info.value(QStringLiteral("format")) != QLatin1String(schema::FormatName))
            fail(QStringLiteral("the GeoPackage is not a Locastra map document"));
        bool ok = false;
        const int version = info.value(QStringLiteral("version")).toInt(&ok);
        if (!ok || version < 1)
            damaged(QStringLiteral("no format version"));
        if (version > schema::FormatVersion)
            fail(QStringLiteral("the map document was written by a newer version of the program "
                                "(format %1; this version reads up to %2)")
                     .arg(version)
                     .arg(schema::FormatVersion));
    }

    struct FieldColumn {
        QString name;
        QString column;
        QMetaType::Type type;
    };

    void readDataSets(std::vector<DataSetData>& dataSets) {
        // Field definitions per dataset position, in field order.
        std::map<int, std::map<int, FieldColumn>> fieldsBySet;
        OGRLayer* fields = table(schema::FieldsTable);
        const int fSet = column(fields, schema::DataSetColumn);
        const int fPosition = column(fields, schema::PositionColumn);
        const int fName = column(fields, schema::NameColumn);
        const int fColumn = column(fields, schema::ColumnNameColumn);
        const int fType = column(fields, schema::TypeColumn);
        while (FeaturePtr f{fields->GetNextFeature()}) {
            FieldColumn fc{text(*f, fName), text(*f, fColumn), QMetaType::QString};
            if (!fieldvalues::typeFromName(text(*f, fType), fc.type))
                damaged(QStringLiteral("field \"%1\" has an unknown type").arg(fc.name));
            const int set = f->GetFieldAsInteger(fSet);
            const int position = f->GetFieldAsInteger(fPosition);
            if (!fieldsBySet[set].emplace(position, fc).second)
                damaged(QStringLiteral("two fields of dataset %1 share position %2")
                            .arg(set)
                            .arg(position));
        }

        struct SetRow {
            int position;
            DataSetData data;
            QString table;
        };
        std::vector<SetRow> rows;
        OGRLayer* sets = table(schema::DataSetsTable);
        const int sPosition = column(sets, schema::PositionColumn);
        const int sName = column(sets, schema::NameColumn);
        const int sTable = column(sets, schema::TableNameColumn);
        const int sSymbol = column(sets, schema::SymbolColumn);
        while (FeaturePtr f{sets->GetNextFeature()}) {
            SetRow row{f->GetFieldAsInteger(sPosition), {}, text(*f, sTable)};
            row.data.name = text(*f, sName);
            row.data.symbol = f->GetFieldAsInteger(sSymbol);
            rows.push_back(std::move(row));
        }
        std::stable_sort(rows.begin(), rows.end(),
                         [](const SetRow& a, const SetRow& b) { return a.position < b.position; });
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].position != int(i))
                damaged(QStringLiteral("the dataset positions are not 0 to %1").arg(rows.size()));
        for (const auto& [set, byPosition] : fieldsBySet)
            if (set < 0 || set >= int(rows.size()))
                damaged(
                    QStringLiteral("fields belong to dataset %1, which does not exist").arg(set));

        dataSets.reserve(rows.size());
        for (SetRow& row : rows) {
            std::vector<FieldColumn> columns;
            for (auto& [position, fc] : fieldsBySet[row.position]) {
                if (position != int(columns.size()))
                    damaged(QStringLiteral("the fields of dataset \"%1\" are out of order")
                                .arg(row.data.name));
                row.data.fields.append(FieldDef{fc.name, fc.type});
                columns.push_back(fc);
            }
            readPushpins(row.data, row.table, columns);
            dataSets.push_back(std::move(row.data));
        }
    }

    void readPushpins(DataSetData& set, const QString& tableName,
                      const std::vector<FieldColumn>& fields) {
        OGRLayer* layer = table(tableName.toUtf8().constData());
        const int name = column(layer, schema::PushpinNameColumn);
        const int note = column(layer, schema::PushpinNoteColumn);
        const int symbol = column(layer, schema::PushpinSymbolColumn);
        const int highlight = column(layer, schema::PushpinHighlightColumn);
        const int balloon = column(layer, schema::PushpinBalloonColumn);
        std::vector<int> fieldIndex;
        for (const FieldColumn& fc : fields)
            fieldIndex.push_back(column(layer, fc.column.toUtf8().constData()));

        // The stored count is only a hint: a damaged one must not reserve gigabytes.
        const GIntBig count = layer->GetFeatureCount(FALSE);
        if (count > 0)
            set.pushpins.reserve(size_t(std::min<GIntBig>(count, GIntBig(1) << 20)));
        // A plain table scan yields rows in fid order; the fids are checked anyway and the
        // records sorted by fid should a scan ever come back in another order.
        std::vector<GIntBig> fids;
        fids.reserve(set.pushpins.capacity());
        bool inOrder = true;
        while (FeaturePtr f{layer->GetNextFeature()}) {
            const OGRGeometry* geometry = f->GetGeometryRef();
            if (!geometry || geometry->IsEmpty() ||
                wkbFlatten(geometry->getGeometryType()) != wkbPoint)
                damaged(
                    QStringLiteral("a pushpin of dataset \"%1\" has no location").arg(set.name));
            const OGRPoint* point = geometry->toPoint();
            PushpinData p;
            p.name = text(*f, name);
            p.note = text(*f, note);
            p.longitude = point->getX();
            p.latitude = point->getY();
            p.symbol = f->GetFieldAsInteger(symbol);
            p.highlight = f->GetFieldAsInteger(highlight) != 0;
            p.balloonState = f->GetFieldAsInteger(balloon);
            p.values.reserve(fields.size());
            for (size_t k = 0; k < fields.size(); ++k)
                p.values.append(fieldvalues::read(*f, fieldIndex[k], fields[k].type));
            if (!fids.empty() && f->GetFID() < fids.back())
                inOrder = false;
            fids.push_back(f->GetFID());
            set.pushpins.push_back(std::move(p));
        }
        if (errors_.failed())
            damaged(QStringLiteral("table %1 cannot be read").arg(tableName));
        if (!inOrder) {
            std::vector<size_t> order(fids.size());
            for (size_t i = 0; i < order.size(); ++i)
                order[i] = i;
            std::stable_sort(order.begin(), order.end(),
                             [&](size_t a, size_t b) { return fids[a] < fids[b]; });
            std::vector<PushpinData> sorted;
            sorted.reserve(order.size());
            for (size_t i : order)
                sorted.push_back(std::move(set.pushpins[i]));
            set.pushpins = std::move(sorted);
        }
    }

    void readSymbols(std::vector<CustomSymbolData>& symbols) {
        OGRLayer* layer = table(schema::SymbolsTable);
        const int id = column(layer, schema::IdColumn);
        const int name = column(layer, schema::NameColumn);
        const int image = column(layer, schema::ImageColumn);
        while (FeaturePtr f{layer->GetNextFeature()}) {
            CustomSymbolData symbol;
            symbol.id = f->GetFieldAsInteger(id);
            symbol.name = text(*f, name);
            int size = 0;
            const GByte* bytes =
                f->IsFieldSetAndNotNull(image) ? f->GetFieldAsBinary(image, &size) : nullptr;
            if (bytes && size > 0) {
                symbol.image = QImage::fromData(bytes, size, "PNG");
                if (symbol.image.isNull())
                    damaged(QStringLiteral("the image of symbol \"%1\" cannot be decoded")
                                .arg(symbol.name));
            }
            symbols.push_back(std::move(symbol));
        }
    }

    void readShapes(std::vector<ShapeData>& shapes) {
        OGRLayer* layer = table(schema::ShapesTable);
        const int kind = column(layer, schema::KindColumn);
        const int name = column(layer, schema::NameColumn);
        const int text = column(layer, schema::TextColumn);
        while (FeaturePtr f{layer->GetNextFeature()}) {
            ShapeData shape;
            if (!shapeKindFromName(f->GetFieldAsString(kind), shape.kind))
                damaged(QStringLiteral("a shape has the unknown kind \"%1\"")
                            .arg(QString::fromUtf8(f->GetFieldAsString(kind))));
            shape.name = Reader::text(*f, name);
            shape.text = Reader::text(*f, text);
            if (const OGRGeometry* g = f->GetGeometryRef(); g && !g->IsEmpty()) {
                switch (wkbFlatten(g->getGeometryType())) {
                case wkbPoint:
                    shape.points.append(QPointF(g->toPoint()->getX(), g->toPoint()->getY()));
                    break;
                case wkbLineString: {
                    const OGRLineString* line = g->toLineString();
                    shape.points.reserve(line->getNumPoints());
                    for (int i = 0; i < line->getNumPoints(); ++i)
                        shape.points.append(QPointF(line->getX(i), line->getY(i)));
                    break;
                }
                default:
                    damaged(
                        QStringLiteral("shape \"%1\" has an unexpected outline").arg(shape.name));
                }
            }
            shapes.push_back(std::move(shape));
        }
    }

    void readView(ViewData& view) {
        OGRLayer* layer = table(schema::ViewTable);
        const int lat = column(layer, schema::CenterLatitudeColumn);
        const int lon = column(layer, schema::CenterLongitudeColumn);
        const int altitude = column(layer, schema::AltitudeColumn);
        const int units = column(layer, schema::UnitsColumn);
        FeaturePtr f{layer->GetNextFeature()};
        if (!f)
            damaged(QStringLiteral("the view is missing"));
        view.centerLatitude = f->GetFieldAsDouble(lat);
        view.centerLongitude = f->GetFieldAsDouble(lon);
        view.altitude = f->GetFieldAsDouble(altitude);
        view.units = f->GetFieldAsInteger(units);
    }

    GDALDataset& ds_;
    const QString& path_;
    gdal::ErrorCapture& errors_;
    QSet<QString> readTables_;
};

} // namespace

MapData DocumentReader::read(const QString& path) {
    gdal::ensureRegistered();
    gdal::ErrorCapture errors;
    auto failed = [&](const QString& reason) {
        return automation::Error(
            automation::errors::FileError,
            QStringLiteral("Cannot open \"%1\": %2").arg(QDir::toNativeSeparators(path), reason));
    };
    if (const QString reason = unreadableReason(path); !reason.isEmpty())
        throw failed(reason);
    if (const QString reason = unsafeSchemaReason(path); !reason.isEmpty())
        throw failed(damagedReason(reason));

    const char* const drivers[] = {"GPKG", nullptr};
    gdal::DatasetPtr ds(GDALDataset::Open(QFile::encodeName(path).constData(),
                                          GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers));
    if (!ds)
        throw failed(errors.reason(QStringLiteral("the file is not a GeoPackage")));
    return Reader(*ds, path, errors).readAll();
}

} // namespace maphost
