#include "GisExport.h"

#include "GisColumns.h"
#include "GisFormat.h"
#include "GisTargets.h"
#include "GisWriter.h"
#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"
#include "automation/Error.h"
#include "desktop/Desktop.h"
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
#include "toolwindow/StopButton.h"
#include "toolwindow/frmAddIn.h"

#include <QFileInfo>
#include <vector>

namespace exporting {

namespace {

// While an export runs, Get All reads Stop (its click sets the Stop flag) and the
// pointer is the hourglass; all restored at the end.
class BusyWindow {
public:
    explicit BusyWindow(toolwindow::frmAddIn& form)
        : button_(toolwindow::StopButton::getAll(form)) {
        button_.start();
    }
    ~BusyWindow() { button_.end(); }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

private:
    toolwindow::StopButton button_;
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

// Asks before files that exist are replaced; true to go on.
bool replaceConfirmed(const QStringList& files) {
    if (files.isEmpty())
        return true;
    constexpr qsizetype Listed = 10;
    QString text;
    if (files.size() == 1) {
        text = QStringLiteral("\"%1\" already exists.\nReplace it?").arg(files.front());
    } else {
        text = QStringLiteral("These files already exist:\n") + files.mid(0, Listed).join('\n');
        if (files.size() > Listed)
            text += QStringLiteral("\nand %1 more").arg(files.size() - Listed);
        text += QStringLiteral("\nReplace them?");
    }
    return desktop::services().messageBox(text, QStringLiteral("Locastra"),
                                          desktop::Icon::Exclamation,
                                          desktop::Buttons::YesNo) == desktop::Button::Yes;
}

// "Exported: 3 pushpins to /home/anna/pins.gpkg", or for several files
// "... to 2 files in /home/anna: a.shp, b.shp".
QString exportedText(qint64 pushpins, const QStringList& files) {
    const QString exported = QStringLiteral("Exported: %1 pushpins").arg(pushpins);
    if (files.isEmpty())
        return exported + QStringLiteral("; no file written");
    if (files.size() == 1)
        return exported + QStringLiteral(" to ") + files.front();
    QStringList names;
    for (const QString& file : files)
        names << QFileInfo(file).fileName();
    return exported + QStringLiteral(" to %1 files in %2: %3")
                          .arg(files.size())
                          .arg(QFileInfo(files.front()).absolutePath(), names.join(", "));
}

// One export run: the datasets to take, their layers and the walk over their records.
class GisRun {
public:
    GisRun(toolwindow::frmAddIn& form, const QString& path, const GisFormat& format)
        : form_(form), path_(path), format_(format) {}

    // Query gives a dataset's record set. Returns false when the user kept the files
    // there or Stop ended the export.
    template <class Query>
    bool run(const mappoint::MapPtr& map, const std::vector<mappoint::DataSetPtr>& dataSets,
             Query&& query) {
        const bool oneLayer = format_.layout == GisFormat::Layout::OneLayer;
        const bool filePerDataSet = format_.layout == GisFormat::Layout::FilePerDataSet;
        QStringList names;
        std::vector<QVector<GisColumn>> fields;
        for (const auto& dataSet : dataSets) {
            names << dataSet->Name();
            fields.push_back(fieldColumns(dataSet));
        }
        const QStringList files = filePerDataSet ? DataSetFiles(path_, names) : QStringList{path_};
        if (!replaceConfirmed(ExistingFilesReplaced(format_, files)))
            return false;

        GisWriter writer(format_, path_);
        GisLayerColumns layer;
        if (oneLayer) {
            layer = LayerColumns(format_, fields);
            writer.openLayer(format_.layerName, layer.columns);
        }

        BusyWindow busy(form_);
        toolwindow::DataSetProgress progress(form_);
        toolwindow::MessagePump pump([&] { progress.show(); });
        qint64 written = 0;
        QVector<QVariant> values;
        for (size_t d = 0; d < dataSets.size(); ++d) {
            const mappoint::DataSetPtr& dataSet = dataSets[d];
            bool layerOpen = oneLayer;
            const std::vector<int>* columnOf = oneLayer ? &layer.fieldColumns[d] : nullptr;
            const bool walked = toolwindow::WalkRecords(
                dataSet, [&] { return query(dataSet); }, form_.StopFlag, progress, pump,
                toolwindow::EndOnFailedStep{},
                [&](const auto& records, const auto& advance) {
                    advance();
                    if (!layerOpen) {
                        layer = LayerColumns(format_, {fields[d]});
                        columnOf = &layer.fieldColumns.front();
                        writer.openLayer(filePerDataSet
                                             ? QFileInfo(files[int(d)]).completeBaseName()
                                             : names[int(d)],
                                         layer.columns);
                        layerOpen = true;
                    }
                    values.fill(QVariant(), int(layer.columns.size()));
                    const mappoint::FieldsPtr recordFields = records->Fields();
                    const int32_t count = recordFields->Count();
                    for (int32_t i = 1; i <= count && size_t(i) <= columnOf->size(); ++i) {
                        const int column = (*columnOf)[size_t(i) - 1];
                        if (column >= 0)
                            values[column] = recordFields->Item(i)->Value();
                    }
                    const mappoint::PushpinPtr pushpin = records->Pushpin();
                    values[GisLayerColumns::Name] = pushpin->Name();
                    values[GisLayerColumns::Note] = pushpin->Note();
                    if (oneLayer)
                        values[GisLayerColumns::DataSet] = names[int(d)];
                    geo::CalcLatLon(map, records->Location(), form_.thelat, form_.thelon);
                    writer.addPoint(form_.thelat, form_.thelon, values);
                    ++written;
                });
            if (!walked)
                return false;
        }
        pump.flush();
        const QStringList done = writer.commit();
        form_.StatusBar1->setPanelText(1, exportedText(written, done));
        return true;
    }

private:
    toolwindow::frmAddIn& form_;
    QString path_;
    const GisFormat format_; // a copy: callers may pass a temporary
};

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
        if (locastra::IsAreaShape(selection->Type())) {
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
