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
QString headerLine(const mappoint::DataSetPtr& dataSet) {
    CsvLine line;
    const mappoint::FieldsPtr fields = dataSet->Fields();
    const int32_t count = fields->Count();
    for (int32_t i = 1; i <= count; ++i)
        line.append(fields->Item(i)->Name());
    if (line.allEmpty())
        line.replaceFirst(QStringLiteral("Name"));
    line.append(QStringLiteral("Latitude"));
    line.append(QStringLiteral("Longitude"));
    return line.text();
}

// The current record's line: its field values (the pushpin's name when they are all
// empty), then the derived latitude and longitude, left in thelat and thelon.
QString recordLine(toolwindow::frmAddIn& form, const mappoint::MapPtr& map,
                   const mappoint::RecordsetPtr& records) {
    CsvLine line;
    const mappoint::FieldsPtr fields = records->Fields();
    const int32_t count = fields->Count();
    for (int32_t i = 1; i <= count; ++i)
        line.append(actions::FieldValueText(fields->Item(i)->Value()));
    if (line.allEmpty())
        line.replaceFirst(records->Pushpin()->Name());
    geo::CalcLatLon(map, records->Location(), form.thelat, form.thelon);
    line.append(locastra::FormatNumber(form.thelat));
    line.append(locastra::FormatNumber(form.thelon));
    return line.text();
}

// One dataset's block; nothing at all when the record set is empty. The window
// handles its pending messages after every record.
void writeBlock(toolwindow::frmAddIn& form, const mappoint::MapPtr& map, CsvFile& file,
                const mappoint::DataSetPtr& dataSet, const mappoint::RecordsetPtr& records,
                toolwindow::MessagePump& pump) {
    records->MoveFirst();
    if (records->Eof())
        return;
    file.writeLine(headerLine(dataSet));
    while (!records->Eof()) {
        file.writeLine(recordLine(form, map, records));
        pump.yield();
        records->MoveNext();
    }
}

void openInEditor(const QString& path) {
    if (!desktop::services().openInTextEditor(path))
        throw automation::Error(
            automation::errors::FileError,
            QStringLiteral("The text editor could not be started for \"%1\".").arg(path));
}

bool isAreaType(int32_t type) {
    return type == mappoint::geoAutoShape || type == mappoint::geoDriveTimeZone ||
           type == mappoint::geoFreeform;
}

} // namespace

void exportbydataset2csv(toolwindow::frmAddIn& form, const QString& to_file) {
    locastra::EndWithMessageOnFailure(
        [&] {
            CsvFile file(to_file);
            const mappoint::MapPtr map = locastra::AttachActiveMap();
            toolwindow::MessagePump pump;
            locastra::ForEachChosenDataSet(
                map, form.DataSetChoice(), [&](const mappoint::DataSetPtr& dataSet) {
                    writeBlock(form, map, file, dataSet, dataSet->QueryAllRecords(), pump);
                });
            pump.flush();
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
        if (isAreaType(selection->Type())) {
            const auto shape = std::dynamic_pointer_cast<mappoint::Shape>(selection);
            if (!shape)
                throw automation::Error(automation::errors::NotSupported,
                                        QStringLiteral("The selection is not a shape."));
            toolwindow::MessagePump pump;
            const mappoint::DataSetsPtr dataSets = map->DataSets();
            const int32_t count = dataSets->Count();
            for (int32_t i = 1; i <= count; ++i) {
                const mappoint::DataSetPtr dataSet = dataSets->Item(i);
                writeBlock(form, map, file, dataSet, dataSet->QueryShape(shape), pump);
            }
            pump.flush();
        }
        file.close();
        openInEditor(to_file);
    });
}

} // namespace exporting
