#include "CsvExport.h"

#include "CsvFile.h"
#include "CsvLine.h"
#include "actions/FieldValueText.h"
#include "addin/FailureStyle.h"
#include "addin/NumberFormat.h"
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
#include "toolwindow/MessagePump.h"
#include "toolwindow/frmAddIn.h"

namespace exporting {

namespace {

// The header line: the dataset's field names, or "Name" for a dataset without fields,
// then the two coordinate columns.
void headerLine(CsvLine& line, const mappoint::DataSetPtr& dataSet) {
    line.clear();
    const mappoint::FieldsPtr fields = dataSet->Fields();
    const int32_t count = fields->Count();
    for (int32_t i = 1; i <= count; ++i)
        line.append(fields->Item(i)->Name());
    if (line.allEmpty())
        line.replaceFirst(u"Name");
    line.append(u"Latitude");
    line.append(u"Longitude");
}

// The current record's line: its field values (the pushpin's name when they are all
// empty), then the derived latitude and longitude, left in thelat and thelon.
void recordLine(CsvLine& line, toolwindow::frmAddIn& form, const mappoint::MapPtr& map,
                const mappoint::RecordsetPtr& records, const locastra::NumberFormatter& numbers) {
    line.clear();
    const mappoint::FieldsPtr fields = records->Fields();
    const int32_t count = fields->Count();
    for (int32_t i = 1; i <= count; ++i)
        line.appendFieldValue(fields->Item(i)->Value(), numbers);
    if (line.allEmpty())
        line.replaceFirst(records->Pushpin()->Name());
    geo::CalcLatLon(map, records->Location(), form.thelat, form.thelon);
    line.appendNumber(form.thelat, numbers);
    line.appendNumber(form.thelon, numbers);
}

// Writes the blocks of an export: one per dataset with records (header line, then a
// line per record); the window handles its pending messages after every record.
class BlockWriter {
public:
    BlockWriter(toolwindow::frmAddIn& form, const mappoint::MapPtr& map, CsvFile& file)
        : form_(form), map_(map), file_(file) {}

    void write(const mappoint::DataSetPtr& dataSet, const mappoint::RecordsetPtr& records) {
        records->MoveFirst();
        if (records->Eof())
            return;
        headerLine(line_, dataSet);
        file_.writeLine(line_.bytes());
        while (!records->Eof()) {
            recordLine(line_, form_, map_, records, numbers_);
            file_.writeLine(line_.bytes());
            pump_.yield();
            records->MoveNext();
        }
    }
    void finish() { pump_.flush(); }

private:
    toolwindow::frmAddIn& form_;
    const mappoint::MapPtr& map_;
    CsvFile& file_;
    const locastra::NumberFormatter numbers_;
    toolwindow::MessagePump pump_;
    CsvLine line_;
};

void openInEditor(const QString& path) {
    if (!desktop::services().openInTextEditor(path))
        throw automation::Error(
            automation::errors::FileError,
            QStringLiteral("The text editor could not be started for \"%1\".").arg(path));
}

} // namespace

void exportbydataset2csv(toolwindow::frmAddIn& form, const QString& to_file) {
    locastra::EndWithMessageOnFailure(
        [&] {
            CsvFile file(to_file);
            const mappoint::MapPtr map = locastra::AttachActiveMap();
            BlockWriter blocks(form, map, file);
            locastra::ForEachChosenDataSet(
                map, form.DataSetChoice(),
                [&](const mappoint::DataSetPtr& dataSet) {
                    blocks.write(dataSet, dataSet->QueryAllRecords());
                },
                locastra::UnreadableName::Fail);
            blocks.finish();
            file.close();
            openInEditor(to_file);
        },
        QStringLiteral("Error"), desktop::Icon::Critical);
}

void exportFromShape2csv(toolwindow::frmAddIn& form, const QString& to_file) {
    locastra::EndSilentlyOnFailure([&] {
        CsvFile file(to_file);
        const mappoint::MapPtr map = locastra::AttachActiveMap();
        const mappoint::MapObjectPtr selection = map->Selection();
        if (!selection)
            throw automation::Error(automation::errors::NotSupported,
                                    QStringLiteral("Nothing is selected on the map."));
        if (locastra::IsAreaShape(selection->Type())) {
            const auto shape = std::dynamic_pointer_cast<mappoint::Shape>(selection);
            if (!shape)
                throw automation::Error(automation::errors::NotSupported,
                                        QStringLiteral("The selection is not a shape."));
            BlockWriter blocks(form, map, file);
            const mappoint::DataSetsPtr dataSets = map->DataSets();
            const int32_t count = dataSets->Count();
            for (int32_t i = 1; i <= count; ++i) {
                const mappoint::DataSetPtr dataSet = dataSets->Item(i);
                blocks.write(dataSet, dataSet->QueryShape(shape));
            }
            blocks.finish();
        }
        file.close();
        openInEditor(to_file);
    });
}

} // namespace exporting
