#include "GisExport.h"

#include "GisFormat.h"
#include "GisWriter.h"
#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"
#include "automation/Error.h"
#include "geo/PositionCalculator.h"
#include "mappoint/Field.h"
#include "mappoint/Fields.h"
#include "mappoint/MapObject.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"
#include "mappoint/Shape.h"
#include "toolwindow/DataSetProgress.h"
#include "toolwindow/MessagePump.h"
#include "toolwindow/RecordWalk.h"
#include "toolwindow/StatusBar.h"
#include "toolwindow/frmAddIn.h"
#include "widgets/chameleonButton.h"

#include <QHash>
#include <vector>

namespace exporting {

namespace {

const QString StopCaption = QStringLiteral("Stop");
const QString DataSetColumn = QStringLiteral("dataset");

// The window while an export runs: hourglass, Get All turned into Stop (its click
// sets the Stop flag), the progress bar; all restored at the end.
class BusyWindow {
public:
    explicit BusyWindow(toolwindow::frmAddIn& form)
        : form_(form), caption_(form.ButtonShowAll->Caption()) {
        form_.setCursor(Qt::WaitCursor);
        form_.StopFlag = false;
        form_.ButtonShowAll->setCaption(StopCaption);
    }
    ~BusyWindow() {
        toolwindow::DataSetProgress(form_).hide();
        if (form_.ButtonShowAll->Caption() == StopCaption)
            form_.ButtonShowAll->setCaption(caption_);
        form_.unsetCursor();
    }

private:
    toolwindow::frmAddIn& form_;
    QString caption_;
};

// A dataset's field definitions as columns.
QVector<GisColumn> fieldColumns(const mappoint::DataSetPtr& dataSet) {
    QVector<GisColumn> columns;
    const mappoint::FieldsPtr fields = dataSet->Fields();
    const int32_t count = fields->Count();
    for (int32_t i = 1; i <= count; ++i) {
        const mappoint::FieldPtr field = fields->Item(i);
        columns.push_back({field->Name(), field->Type()});
    }
    return columns;
}

// One export run: the datasets to take, their layers and the walk over their records.
class GisRun {
public:
    GisRun(toolwindow::frmAddIn& form, const QString& path, const GisFormat& format)
        : form_(form), path_(path), format_(format) {}

    // Query gives a dataset's record set. Returns false when Stop ended the export.
    template <class Query>
    bool run(const mappoint::MapPtr& map, const std::vector<mappoint::DataSetPtr>& dataSets,
             Query&& query) {
        GisWriter writer(format_, path_);
        const bool oneLayer = format_.layout == GisFormat::Layout::OneLayer;
        std::vector<QVector<GisColumn>> fields;
        for (const auto& dataSet : dataSets)
            fields.push_back(fieldColumns(dataSet));
        if (oneLayer)
            openUnionLayer(writer, fields);

        BusyWindow busy(form_);
        toolwindow::DataSetProgress progress(form_);
        toolwindow::MessagePump pump([&] { progress.show(); });
        qint64 written = 0;
        QVector<QVariant> values;
        for (size_t d = 0; d < dataSets.size(); ++d) {
            const mappoint::DataSetPtr& dataSet = dataSets[d];
            const QString name = dataSet->Name();
            // Where each field's value goes in the layer's columns.
            std::vector<int> columnOf;
            for (const GisColumn& field : fields[d])
                columnOf.push_back(oneLayer ? int(unionIndex_.value(field.name)) : -1);
            bool layerOpen = oneLayer;
            const bool walked = toolwindow::WalkRecords(
                dataSet, [&] { return query(dataSet); }, form_.StopFlag, progress, pump,
                toolwindow::EndOnFailedStep{},
                [&](const auto& records, const auto& advance) {
                    advance();
                    if (!layerOpen) {
                        writer.openLayer(name, withPushpinColumns(fields[d], false));
                        layerOpen = true;
                    }
                    const int fixed = oneLayer ? 3 : 2;
                    values.fill(QVariant(), oneLayer ? int(unionColumns_.size())
                                                     : fixed + int(fields[d].size()));
                    const mappoint::FieldsPtr recordFields = records->Fields();
                    const int32_t count = recordFields->Count();
                    for (int32_t i = 1; i <= count && size_t(i) <= columnOf.size(); ++i) {
                        const int column = oneLayer ? columnOf[size_t(i) - 1] : fixed + i - 1;
                        values[column] = recordFields->Item(i)->Value();
                    }
                    const mappoint::PushpinPtr pushpin = records->Pushpin();
                    values[0] = pushpin->Name();
                    values[1] = pushpin->Note();
                    if (oneLayer)
                        values[2] = name;
                    geo::CalcLatLon(map, records->Location(), form_.thelat, form_.thelon);
                    writer.addPoint(form_.thelat, form_.thelon, values);
                    ++written;
                });
            if (!walked)
                return false;
        }
        pump.flush();
        writer.commit();
        form_.StatusBar1->setPanelText(
            1, QStringLiteral("Exported: %1 pushpins to %2").arg(written).arg(path_));
        return true;
    }

private:
    // The pushpin's name and note (and the dataset for one layer) before the fields.
    QVector<GisColumn> withPushpinColumns(const QVector<GisColumn>& fields, bool dataSet) const {
        QVector<GisColumn> columns = {{format_.nameColumn, QMetaType::QString},
                                      {format_.noteColumn, QMetaType::QString}};
        if (dataSet)
            columns.push_back({DataSetColumn, QMetaType::QString});
        columns += fields;
        return columns;
    }

    // One layer for every dataset: each field name once, with the type of its first
    // definition, or text where datasets disagree.
    void openUnionLayer(GisWriter& writer, const std::vector<QVector<GisColumn>>& fields) {
        QVector<GisColumn> all;
        for (const auto& set : fields) {
            for (const GisColumn& field : set) {
                if (unionIndex_.contains(field.name)) {
                    GisColumn& known = all[unionIndex_.value(field.name) - 3];
                    if (known.type != field.type)
                        known.type = QMetaType::QString;
                    continue;
                }
                unionIndex_.insert(field.name, 3 + all.size());
                all.push_back(field);
            }
        }
        unionColumns_ = withPushpinColumns(all, true);
        writer.openLayer(format_.layerName, unionColumns_);
    }

    toolwindow::frmAddIn& form_;
    QString path_;
    const GisFormat format_; // a copy: callers may pass a temporary
    QHash<QString, qsizetype> unionIndex_;
    QVector<GisColumn> unionColumns_;
};

bool isAreaType(int32_t type) {
    return type == mappoint::geoAutoShape || type == mappoint::geoDriveTimeZone ||
           type == mappoint::geoFreeform;
}

} // namespace

void exportByDataset2Gis(toolwindow::frmAddIn& form, const QString& to_file,
                         const GisFormat& format) {
    locastra::EndWithMessageOnFailure(
        [&] {
            const mappoint::MapPtr map = locastra::AttachActiveMap();
            std::vector<mappoint::DataSetPtr> chosen;
            locastra::ForEachChosenDataSet(
                map, form.DataSetChoice(),
                [&](const mappoint::DataSetPtr& dataSet) { chosen.push_back(dataSet); },
                locastra::UnreadableName::Fail);
            GisRun(form, to_file, format).run(map, chosen, [](const mappoint::DataSetPtr& dataSet) {
                mappoint::RecordsetPtr records = dataSet->QueryAllRecords();
                records->MoveFirst();
                return records;
            });
        },
        QStringLiteral("Error"), desktop::Icon::Critical);
}

void exportFromShape2Gis(toolwindow::frmAddIn& form, const QString& to_file,
                         const GisFormat& format) {
    locastra::EndSilentlyOnFailure([&] {
        const mappoint::MapPtr map = locastra::AttachActiveMap();
        const mappoint::MapObjectPtr selection = map->Selection();
        if (!selection)
            throw automation::Error(automation::errors::NotSupported,
                                    QStringLiteral("Nothing is selected on the map."));
        std::vector<mappoint::DataSetPtr> all;
        mappoint::ShapePtr shape;
        if (isAreaType(selection->Type())) {
            shape = std::dynamic_pointer_cast<mappoint::Shape>(selection);
            if (!shape)
                throw automation::Error(automation::errors::NotSupported,
                                        QStringLiteral("The selection is not a shape."));
            locastra::ForEachChosenDataSet(
                map, locastra::AllDataSets,
                [&](const mappoint::DataSetPtr& dataSet) { all.push_back(dataSet); });
        }
        GisRun(form, to_file, format).run(map, all, [&](const mappoint::DataSetPtr& dataSet) {
            mappoint::RecordsetPtr records = dataSet->QueryShape(shape);
            records->MoveFirst();
            return records;
        });
    });
}

} // namespace exporting
