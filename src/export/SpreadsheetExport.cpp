#include "SpreadsheetExport.h"

#include "addin/FailureStyle.h"
#include "addin/NumberFormat.h"
#include "addin/mappoint/HostAccess.h"
#include "automation/ClassRegistry.h"
#include "automation/Error.h"
#include "geo/PositionCalculator.h"
#include "mappoint/Field.h"
#include "mappoint/Fields.h"
#include "mappoint/MapObject.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"
#include "mappoint/Shape.h"
#include "spreadsheet/Application.h"
#include "spreadsheet/Range.h"
#include "spreadsheet/Sheets.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/Workbooks.h"
#include "spreadsheet/Worksheet.h"
#include "toolwindow/frmAddIn.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace {

// The new workbook of an export and the sheets it held when it was made (the
// application's default sheets), which the export deletes at its end.
struct NewWorkbook {
    spreadsheet::WorkbookPtr book;
    std::vector<spreadsheet::WorksheetPtr> defaults;
};

// A new spreadsheet application (never a running one), visible at once, with one
// new workbook.
NewWorkbook startWorkbook() {
    auto application =
        automation::CreateObjectAs<spreadsheet::Application>(spreadsheet::ApplicationClassName);
    application->SetVisible(true);
    NewWorkbook started{application->Workbooks()->Add(), {}};
    const auto sheets = started.book->Worksheets();
    const int32_t count = sheets->Count();
    for (int32_t i = 1; i <= count; ++i)
        started.defaults.push_back(sheets->Item(i));
    return started;
}

// One dataset's worksheet from its record set: header row, then one row per record
// from row 2, each with the record's field values, the pushpin's name in column 1
// when that cell is still empty, and the derived latitude and longitude two and
// three columns after the last field. A record set with no records adds no sheet.
// Rows are counted in 32 bits: a large dataset is written whole, up to the sheet's
// own row limit, where the export stops with SheetFull instead of cutting it short
// unnoticed; a dataset with more fields than the sheet has columns stops it the same
// way before its rows.
struct SheetFull {
    QString message;
};

void writeDataSetSheet(toolwindow::frmAddIn& form, const mappoint::MapPtr& map,
                       const spreadsheet::WorkbookPtr& book, const mappoint::DataSetPtr& dataSet,
                       const mappoint::RecordsetPtr& records) {
    records->MoveFirst();
    if (records->Eof())
        return;
    auto sheet = book->Worksheets()->Add();
    sheet->SetName(dataSet->Name());

    const mappoint::FieldsPtr definitions = dataSet->Fields();
    const int32_t fieldCount = definitions->Count();
    const int32_t columnCount = sheet->ColumnCount();
    if (qint64(fieldCount) + 3 > columnCount)
        throw SheetFull{
            QStringLiteral("The dataset \"%1\" has more fields than a worksheet has columns (%2 "
                           "columns with the latitude and longitude, %3 in a worksheet). The "
                           "export stopped there; the sheets written so far stay in the "
                           "workbook.")
                .arg(dataSet->Name(), locastra::FormatNumber(fieldCount + 3),
                     locastra::FormatNumber(columnCount))};
    for (int32_t column = 1; column <= fieldCount; ++column)
        sheet->Cells(1, column)->SetValue(definitions->Item(column)->Name());
    const int32_t latitudeColumn = fieldCount + 2;
    const int32_t longitudeColumn = fieldCount + 3;
    sheet->Cells(1, latitudeColumn)->SetValue(QStringLiteral("Latitude"));
    sheet->Cells(1, longitudeColumn)->SetValue(QStringLiteral("Longitude"));

    const int32_t lastRow = sheet->RowCount();
    int32_t row = 2;
    while (!records->Eof()) {
        if (row > lastRow)
            throw SheetFull{
                QStringLiteral("The dataset \"%1\" has more records than a worksheet holds "
                               "(%2 rows with the header row). The export stopped there; the "
                               "rows written so far stay in the workbook.")
                    .arg(dataSet->Name(), locastra::FormatNumber(lastRow))};
        const mappoint::FieldsPtr values = records->Fields();
        const int32_t valueCount = values->Count();
        for (int32_t column = 1; column <= valueCount; ++column)
            sheet->Cells(row, column)->SetValue(values->Item(column)->Value());
        geo::CalcLatLon(map, records->Location(), form.thelat, form.thelon);
        if (sheet->Cells(row, 1)->Value().toString().size() < 1)
            sheet->Cells(row, 1)->SetValue(records->Pushpin()->Name());
        sheet->Cells(row, latitudeColumn)->SetValue(form.thelat);
        sheet->Cells(row, longitudeColumn)->SetValue(form.thelon);
        sheet->Range(QStringLiteral("A1"), QStringLiteral("H1"))->EntireColumn()->AutoFit();
        ++row;
        records->MoveNext();
    }
}

// Deletes the sheets the workbook had when it was made; sheets the export added stay,
// whatever their names. Deleting the last sheet of the workbook is refused, which ends
// the export.
void deleteDefaultSheets(const NewWorkbook& started) {
    for (const auto& sheet : started.defaults)
        sheet->Delete();
}

// The exports' failure style: the first failure ends the export silently, except a
// dataset too large for a worksheet, which is never left to look like a success.
template <class F> void endSilentlyUnlessSheetFull(F&& body) {
    std::optional<QString> full;
    locastra::EndSilentlyOnFailure([&] {
        try {
            body();
        } catch (const SheetFull& stop) {
            full = stop.message;
        }
    });
    if (full)
        desktop::services().messageBox(*full, QStringLiteral("Error"), desktop::Icon::Critical,
                                       desktop::Buttons::Ok);
}

} // namespace

void exportByDataset2Excel(toolwindow::frmAddIn& form) {
    endSilentlyUnlessSheetFull([&] {
        const mappoint::MapPtr map = locastra::AttachActiveMap();
        const NewWorkbook started = startWorkbook();
        const QString choice = form.DataSetChoice();
        locastra::ForEachChosenDataSet(
            map, choice,
            [&](const mappoint::DataSetPtr& dataSet) {
                writeDataSetSheet(form, map, started.book, dataSet, dataSet->QueryAllRecords());
            },
            locastra::UnreadableName::Fail);
        deleteDefaultSheets(started);
    });
}

void exportFromShape2Excel(toolwindow::frmAddIn& form) {
    endSilentlyUnlessSheetFull([&] {
        const mappoint::MapPtr map = locastra::AttachActiveMap();
        const mappoint::MapObjectPtr selection = map->Selection();
        const NewWorkbook started = startWorkbook();
        if (!selection)
            throw automation::Error(91, QStringLiteral("Nothing is selected on the map."));
        if (locastra::IsAreaShape(selection->Type())) {
            const auto shape = std::dynamic_pointer_cast<mappoint::Shape>(selection);
            if (!shape)
                throw automation::Error(automation::errors::NotSupported,
                                        QStringLiteral("The selection is not a shape."));
            locastra::ForEachChosenDataSet(
                map, locastra::AllDataSets, [&](const mappoint::DataSetPtr& dataSet) {
                    writeDataSetSheet(form, map, started.book, dataSet, dataSet->QueryShape(shape));
                });
        }
        deleteDefaultSheets(started);
    });
}
