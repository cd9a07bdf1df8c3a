#include "DocumentWriter.h"

#include "DocumentSchema.h"
#include "FieldValues.h"
#include "GdalSupport.h"
#include "TableNames.h"
#include "automation/Error.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <cmath>
#include <ogr_spatialref.h>

namespace maphost {

namespace {

using gdal::FeaturePtr;

const char* shapeKindName(ShapeKind kind) {
    switch (kind) {
    case ShapeKind::Rectangle:
        return "rectangle";
    case ShapeKind::Oval:
        return "oval";
    case ShapeKind::RadiusCircle:
        return "radius_circle";
    case ShapeKind::Freeform:
        return "freeform";
    case ShapeKind::DriveTimeZone:
        return "drive_time_zone";
    case ShapeKind::Line:
        return "line";
    case ShapeKind::TextBox:
        return "text_box";
    }
    return "rectangle";
}

class Writer {
public:
    Writer(GDALDataset& ds, const QString& documentName, gdal::ErrorCapture& errors)
        : ds_(ds), documentName_(documentName), errors_(errors) {
        wgs84_.importFromEPSG(4326);
        wgs84_.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    }

    void writeAll(const MapData& map) {
        writeDocumentInfo();
        writeDataSets(map.dataSets);
        writeSymbols(map.customSymbols);
        writeShapes(map.shapes);
        writeView(map.view);
    }

private:
    [[noreturn]] void fail(const QString& reason) const {
        throw automation::Error(
            automation::errors::FileError,
            QStringLiteral("Cannot save \"%1\": %2")
                .arg(QDir::toNativeSeparators(documentName_), errors_.reason(reason)));
    }

    OGRLayer* createTable(const char* name, OGRwkbGeometryType geometryType,
                          const char* geometryName = nullptr) {
        CPLStringList options;
        options.SetNameValue("FID", schema::FidColumn);
        if (geometryType != wkbNone) {
            options.SetNameValue("SPATIAL_INDEX", "NO");
            options.SetNameValue("GEOMETRY_NAME",
                                 geometryName ? geometryName : schema::GeometryColumn);
        }
        OGRLayer* layer = ds_.CreateLayer(name, geometryType == wkbNone ? nullptr : &wgs84_,
                                          geometryType, options.List());
        if (!layer)
            fail(QStringLiteral("cannot create table %1").arg(QString::fromUtf8(name)));
        return layer;
    }

    int addField(OGRLayer* layer, const char* name, OGRFieldType type,
                 OGRFieldSubType subType = OFSTNone) {
        OGRFieldDefn defn(name, type);
        defn.SetSubType(subType);
        if (layer->CreateField(&defn) != OGRERR_NONE)
            fail(QStringLiteral("cannot add column %1").arg(QString::fromUtf8(name)));
        return layer->GetLayerDefn()->GetFieldCount() - 1;
    }

    void insert(OGRLayer* layer, OGRFeature& feature) {
        if (layer->CreateFeature(&feature) != OGRERR_NONE)
            fail(QStringLiteral("cannot write to table %1")
                     .arg(QString::fromUtf8(layer->GetName())));
    }

    static void setText(OGRFeature& f, int index, const QString& text) {
        f.SetField(index, text.toUtf8().constData());
    }

    void writeDocumentInfo() {
        OGRLayer* layer = createTable(schema::DocumentTable, wkbNone);
        const int key = addField(layer, schema::KeyColumn, OFTString);
        const int value = addField(layer, schema::ValueColumn, OFTString);
        const std::pair<const char*, QString> rows[] = {
            {"format", QString::fromLatin1(schema::FormatName)},
            {"version", QString::number(schema::FormatVersion)},
        };
        for (const auto& [k, v] : rows) {
            FeaturePtr f(OGRFeature::CreateFeature(layer->GetLayerDefn()));
            f->SetField(key, k);
            setText(*f, value, v);
            insert(layer, *f);
        }
    }

    void writeDataSets(const std::vector<DataSetData>& dataSets) {
        OGRLayer* sets = createTable(schema::DataSetsTable, wkbNone);
        const int setPosition = addField(sets, schema::PositionColumn, OFTInteger);
        const int setName = addField(sets, schema::NameColumn, OFTString);
        const int setTable = addField(sets, schema::TableNameColumn, OFTString);
        const int setSymbol = addField(sets, schema::SymbolColumn, OFTInteger);

        OGRLayer* fields = createTable(schema::FieldsTable, wkbNone);
        const int fieldSet = addField(fields, schema::DataSetColumn, OFTInteger);
        const int fieldPosition = addField(fields, schema::PositionColumn, OFTInteger);
        const int fieldName = addField(fields, schema::NameColumn, OFTString);
        const int fieldColumn = addField(fields, schema::ColumnNameColumn, OFTString);
        const int fieldType = addField(fields, schema::TypeColumn, OFTString);

        TableNames tableNames({QStringLiteral("gpkg_"), QStringLiteral("rtree_"),
                               QStringLiteral("sqlite_"),
                               QString::fromLatin1(schema::ReservedTablePrefix)},
                              {});
        for (size_t i = 0; i < dataSets.size(); ++i) {
            const DataSetData& set = dataSets[i];
            const QString table =
                tableNames.allocate(set.name, QStringLiteral("dataset_"), int(i) + 1);
            FeaturePtr row(OGRFeature::CreateFeature(sets->GetLayerDefn()));
            row->SetField(setPosition, int(i));
            setText(*row, setName, set.name);
            setText(*row, setTable, table);
            row->SetField(setSymbol, set.symbol);
            insert(sets, *row);

            const QStringList columns = writePushpins(set, table);
            for (int k = 0; k < set.fields.size(); ++k) {
                FeaturePtr f(OGRFeature::CreateFeature(fields->GetLayerDefn()));
                f->SetField(fieldSet, int(i));
                f->SetField(fieldPosition, k);
                setText(*f, fieldName, set.fields[k].name);
                setText(*f, fieldColumn, columns[k]);
                setText(*f, fieldType, fieldvalues::typeName(set.fields[k].type));
                insert(fields, *f);
            }
        }
    }

    // Writes one dataset's point table; returns the column name of each field.
    QStringList writePushpins(const DataSetData& set, const QString& table) {
        OGRLayer* layer = createTable(table.toUtf8().constData(), wkbPoint);
        const int name = addField(layer, schema::PushpinNameColumn, OFTString);
        const int note = addField(layer, schema::PushpinNoteColumn, OFTString);
        const int symbol = addField(layer, schema::PushpinSymbolColumn, OFTInteger);
        const int highlight =
            addField(layer, schema::PushpinHighlightColumn, OFTInteger, OFSTBoolean);
        const int balloon = addField(layer, schema::PushpinBalloonColumn, OFTInteger);

        TableNames columnNames({QString::fromLatin1(schema::ReservedTablePrefix)},
                               {schema::FidColumn, schema::GeometryColumn,
                                schema::PushpinNameColumn, schema::PushpinNoteColumn,
                                schema::PushpinSymbolColumn, schema::PushpinHighlightColumn,
                                schema::PushpinBalloonColumn});
        QStringList columns;
        std::vector<int> fieldIndex;
        std::vector<QMetaType::Type> fieldType;
        for (int k = 0; k < set.fields.size(); ++k) {
            const FieldDef& def = set.fields[k];
            OGRFieldType type;
            OGRFieldSubType subType;
            if (!fieldvalues::ogrTypeFor(def.type, type, subType))
                fail(QStringLiteral("field \"%1\" of dataset \"%2\" has a type that cannot "
                                    "be stored (%3)")
                         .arg(def.name, set.name, QString::fromLatin1(QMetaType(def.type).name())));
            const QString column = columnNames.allocate(def.name, QStringLiteral("field_"), k + 1);
            columns << column;
            fieldIndex.push_back(addField(layer, column.toUtf8().constData(), type, subType));
            fieldType.push_back(def.type);
        }

        const QVariant noValue;
        FeaturePtr f(OGRFeature::CreateFeature(layer->GetLayerDefn()));
        f->SetGeometryDirectly(new OGRPoint(0, 0));
        auto* point = f->GetGeometryRef()->toPoint();
        for (size_t i = 0; i < set.pushpins.size(); ++i) {
            const PushpinData& p = set.pushpins[i];
            if (!std::isfinite(p.latitude) || !std::isfinite(p.longitude))
                fail(QStringLiteral("pushpin \"%1\" of dataset \"%2\" has no valid location")
                         .arg(p.name, set.name));
            if (p.values.size() > set.fields.size())
                fail(QStringLiteral("pushpin \"%1\" of dataset \"%2\" has %3 values for %4 "
                                    "fields")
                         .arg(p.name, set.name)
                         .arg(p.values.size())
                         .arg(set.fields.size()));
            f->SetFID(GIntBig(i) + 1); // record order
            point->setX(p.longitude);
            point->setY(p.latitude);
            setText(*f, name, p.name);
            setText(*f, note, p.note);
            f->SetField(symbol, p.symbol);
            f->SetField(highlight, p.highlight ? 1 : 0);
            f->SetField(balloon, p.balloonState);
            for (size_t k = 0; k < fieldIndex.size(); ++k) {
                const QVariant& value = k < size_t(p.values.size()) ? p.values[k] : noValue;
                if (!fieldvalues::write(*f, fieldIndex[k], value, fieldType[k]))
                    fail(QStringLiteral("value \"%1\" of field \"%2\" of pushpin \"%3\" in "
                                        "dataset \"%4\" does not fit the field's type")
                             .arg(value.toString(), set.fields[k].name, p.name, set.name));
            }
            insert(layer, *f);
        }
        return columns;
    }

    void writeSymbols(const std::vector<CustomSymbolData>& symbols) {
        OGRLayer* layer = createTable(schema::SymbolsTable, wkbNone);
        const int id = addField(layer, schema::IdColumn, OFTInteger);
        const int name = addField(layer, schema::NameColumn, OFTString);
        const int image = addField(layer, schema::ImageColumn, OFTBinary);
        for (const CustomSymbolData& symbol : symbols) {
            FeaturePtr f(OGRFeature::CreateFeature(layer->GetLayerDefn()));
            f->SetField(id, symbol.id);
            setText(*f, name, symbol.name);
            if (!symbol.image.isNull()) {
                QByteArray png;
                QBuffer buffer(&png);
                buffer.open(QIODevice::WriteOnly);
                if (!symbol.image.save(&buffer, "PNG"))
                    fail(QStringLiteral("cannot encode the image of symbol \"%1\"")
                             .arg(symbol.name));
                f->SetField(image, int(png.size()), png.constData());
            }
            insert(layer, *f);
        }
    }

    void writeShapes(const std::vector<ShapeData>& shapes) {
        OGRLayer* layer = createTable(schema::ShapesTable, wkbUnknown, schema::OutlineColumn);
        const int kind = addField(layer, schema::KindColumn, OFTString);
        const int name = addField(layer, schema::NameColumn, OFTString);
        const int text = addField(layer, schema::TextColumn, OFTString);
        for (const ShapeData& shape : shapes) {
            FeaturePtr f(OGRFeature::CreateFeature(layer->GetLayerDefn()));
            f->SetField(kind, shapeKindName(shape.kind));
            setText(*f, name, shape.name);
            setText(*f, text, shape.text);
            if (shape.points.size() == 1) {
                f->SetGeometryDirectly(new OGRPoint(shape.points[0].x(), shape.points[0].y()));
            } else if (shape.points.size() > 1) {
                auto* line = new OGRLineString;
                line->setNumPoints(int(shape.points.size()), FALSE);
                for (int i = 0; i < shape.points.size(); ++i)
                    line->setPoint(i, shape.points[i].x(), shape.points[i].y());
                f->SetGeometryDirectly(line);
            }
            insert(layer, *f);
        }
    }

    void writeView(const ViewData& view) {
        OGRLayer* layer = createTable(schema::ViewTable, wkbNone);
        const int lat = addField(layer, schema::CenterLatitudeColumn, OFTReal);
        const int lon = addField(layer, schema::CenterLongitudeColumn, OFTReal);
        const int altitude = addField(layer, schema::AltitudeColumn, OFTReal);
        const int units = addField(layer, schema::UnitsColumn, OFTInteger);
        FeaturePtr f(OGRFeature::CreateFeature(layer->GetLayerDefn()));
        f->SetField(lat, view.centerLatitude);
        f->SetField(lon, view.centerLongitude);
        f->SetField(altitude, view.altitude);
        f->SetField(units, view.units);
        insert(layer, *f);
    }

    GDALDataset& ds_;
    const QString& documentName_;
    gdal::ErrorCapture& errors_;
    OGRSpatialReference wgs84_;
};

} // namespace

void DocumentWriter::write(const MapData& map, const QString& path, const QString& documentName) {
    gdal::ensureRegistered();
    gdal::ErrorCapture errors;
    // The file is a fresh temporary that is discarded on any failure and synced to disk
    // before it replaces the document, so SQLite's own journal and syncs buy nothing here.
    gdal::ScopedConfigOption journal("OGR_SQLITE_JOURNAL", "OFF");
    gdal::ScopedConfigOption synchronous("OGR_SQLITE_SYNCHRONOUS", "OFF");
    gdal::ScopedConfigOption cache("OGR_SQLITE_CACHE", "256"); // MB

    auto failed = [&](const QString& reason) {
        return automation::Error(
            automation::errors::FileError,
            QStringLiteral("Cannot save \"%1\": %2")
                .arg(QDir::toNativeSeparators(documentName), errors.reason(reason)));
    };

    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    if (!driver)
        throw failed(QStringLiteral("GDAL has no GeoPackage driver"));
    gdal::DatasetPtr ds(
        driver->Create(QFile::encodeName(path).constData(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds)
        throw failed(QStringLiteral("cannot create the GeoPackage"));
    if (ds->StartTransaction(FALSE) != OGRERR_NONE)
        throw failed(QStringLiteral("cannot start a transaction"));
    Writer(*ds, documentName, errors).writeAll(map);
    if (ds->CommitTransaction() != OGRERR_NONE)
        throw failed(QStringLiteral("cannot commit the data"));
    ds.reset(); // close: GDAL writes its last bookkeeping here
    if (errors.failed())
        throw failed(QString());
}

} // namespace maphost
