#include "export/SpreadsheetExport.h"
#include "ExportTestSupport.h"
#include "qtcompat/QtCompat.h"
#include "spreadsheet/Application.h"
#include "spreadsheet/MemorySpreadsheet.h"
#include "spreadsheet/Range.h"
#include "spreadsheet/Sheets.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/Workbooks.h"
#include "spreadsheet/Worksheet.h"

#include <QApplication>

using exporttest::Pin;
using exporttest::Set;
using maphost::FieldDef;

namespace {

const QVector<FieldDef> ThreeFields = {
    {"Store", QMetaType::QString}, {"Sales", QMetaType::Double}, {"City", QMetaType::QString}};

class SpreadsheetExportTest : public exporttest::ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        memsheet::Register();
    }
    void TearDown() override {
        memsheet::Forget();
        ExportTest::TearDown();
    }

    void demoMap() {
        setFieldMap({{"Stores",
                      ThreeFields,
                      {{"Seattle", 47.6, -122.3, {"Pike Place", 1200.5, "Seattle"}},
                       {"Portland", 45.5, -122.7, {QVariant(), 800.0, "Portland"}}}},
                     {"Empty", ThreeFields, {}},
                     {"Depots", {}, {{"Boise", 43.6, -116.2, {}}}}});
    }

    // The workbook the last export left open (the one visible instance).
    spreadsheet::WorkbookPtr workbook() {
        const auto apps = memsheet::VisibleApplications();
        if (apps.size() != 1)
            return nullptr;
        return apps.front()->Workbooks()->Item(1);
    }
    QStringList sheetNames() {
        QStringList names;
        auto sheets = workbook()->Sheets();
        for (int32_t i = 1; i <= sheets->Count(); ++i)
            names << sheets->Item(i)->Name();
        return names;
    }
    QVariant cell(const QString& sheet, int row, int column) {
        return workbook()->Sheets()->Item(sheet)->Cells(row, column)->Value();
    }
    // The coordinates the calculator gives for a position on this map.
    std::pair<double, double> position(double latitude, double longitude) {
        double lat = 0;
        double lon = 0;
        geo::CalcLatLon(map_, map_->GetLocation(latitude, longitude, 0), lat, lon);
        return {lat, lon};
    }
};

TEST_F(SpreadsheetExportTest, AllDatasetsGiveOneSheetEachWithFieldsAndCoordinates) {
    demoMap();
    open();
    choose("All");
    exportByDataset2Excel(form());
    ASSERT_NE(workbook(), nullptr);
    EXPECT_TRUE(memsheet::VisibleApplications().front()->Visible());
    // The later dataset's sheet comes first; the empty dataset has none; defaults gone.
    EXPECT_EQ(sheetNames(), QStringList({"Depots", "Stores"}));

    const QVariantList header = {cell("Stores", 1, 1), cell("Stores", 1, 2), cell("Stores", 1, 3),
                                 cell("Stores", 1, 4), cell("Stores", 1, 5), cell("Stores", 1, 6)};
    EXPECT_EQ(header,
              QVariantList({"Store", "Sales", "City", QVariant(), "Latitude", "Longitude"}));
    EXPECT_EQ(cell("Stores", 2, 1), QVariant("Pike Place"));
    EXPECT_EQ(cell("Stores", 2, 2), QVariant(1200.5));
    EXPECT_FALSE(cell("Stores", 2, 4).isValid());
    const auto seattle = position(47.6, -122.3);
    EXPECT_EQ(qtcompat::typeId(cell("Stores", 2, 5)), QMetaType::Double); // numbers, not text
    EXPECT_DOUBLE_EQ(cell("Stores", 2, 5).toDouble(), seattle.first);
    EXPECT_DOUBLE_EQ(cell("Stores", 2, 6).toDouble(), seattle.second);
    EXPECT_NEAR(seattle.first, 47.6, 1e-6);
    // An empty first field: the pushpin's name stands in.
    EXPECT_EQ(cell("Stores", 3, 1), QVariant("Portland"));
    EXPECT_FALSE(cell("Stores", 4, 1).isValid());

    // No fields: the name in column A, coordinates in B and C.
    EXPECT_FALSE(cell("Depots", 1, 1).isValid());
    EXPECT_EQ(cell("Depots", 1, 2), QVariant("Latitude"));
    EXPECT_EQ(cell("Depots", 1, 3), QVariant("Longitude"));
    EXPECT_EQ(cell("Depots", 2, 1), QVariant("Boise"));
    EXPECT_DOUBLE_EQ(cell("Depots", 2, 3).toDouble(), position(43.6, -116.2).second);
    // Columns A to H are fitted to their contents.
    auto stores = workbook()->Sheets()->Item("Stores");
    EXPECT_GT(stores->Cells(1, 1)->ColumnWidth(), double(QString("Pike Place").size()));
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 0);
}

TEST_F(SpreadsheetExportTest, TheSelectorChoosesDatasetsByExactName) {
    demoMap();
    open();
    choose("Depots");
    exportByDataset2Excel(form());
    EXPECT_EQ(sheetNames(), QStringList({"Depots"}));
    memsheet::Forget();

    // No dataset of that name (case matters): the workbook keeps a default sheet.
    choose("depots");
    exportByDataset2Excel(form());
    EXPECT_EQ(sheetNames(), QStringList({"Sheet3"}));
}

TEST_F(SpreadsheetExportTest, ADatasetNamedLikeADefaultSheetEndsTheExportThere) {
    setFieldMap({{"Alpha", {}, {{"A1", 10, 10, {}}}},
                 {"Sheet1", {}, {{"S1", 11, 11, {}}}},
                 {"Omega", {}, {{"O1", 12, 12, {}}}}});
    open();
    choose("All");
    exportByDataset2Excel(form());
    // Alpha is written; the next sheet cannot be named, so Omega and the clean-up never run.
    EXPECT_EQ(sheetNames(), QStringList({"Sheet5", "Alpha", "Sheet1", "Sheet2", "Sheet3"}));
    EXPECT_EQ(cell("Alpha", 2, 1), QVariant("A1"));
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 0);
}

TEST_F(SpreadsheetExportTest, FromShapeTakesThePushpinsInsideTheSelectedAreaOfEveryDataset) {
    demoMap();
    open();
    choose("Depots"); // the selector does not filter the shape export
    selectShape(45, -123, 48, -120);
    exportFromShape2Excel(form());
    EXPECT_EQ(sheetNames(), QStringList({"Stores"}));
    EXPECT_EQ(cell("Stores", 2, 1), QVariant("Pike Place"));
    EXPECT_EQ(cell("Stores", 3, 1), QVariant("Portland"));
    EXPECT_FALSE(cell("Stores", 4, 1).isValid());
}

TEST_F(SpreadsheetExportTest, FromShapeWithoutAUsableAreaLeavesADefaultSheet) {
    demoMap();
    open();
    // An empty area and a line: the clean-up runs until the last sheet refuses to go.
    selectShape(-10, 10, -5, 15);
    exportFromShape2Excel(form());
    EXPECT_EQ(sheetNames(), QStringList({"Sheet3"}));
    memsheet::Forget();

    selectShape(45, -123, 48, -120, maphost::ShapeKind::Line);
    exportFromShape2Excel(form());
    EXPECT_EQ(sheetNames(), QStringList({"Sheet3"}));
    memsheet::Forget();

    // Nothing selected: the export ends before the clean-up.
    map_->clearSelection();
    exportFromShape2Excel(form());
    EXPECT_EQ(sheetNames(), QStringList({"Sheet1", "Sheet2", "Sheet3"}));
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 0);
}

TEST_F(SpreadsheetExportTest, AHostFailureEndsSilentlyKeepingTheRowsWritten) {
    demoMap();
    open();
    choose("All");
    useFaults();
    faults_->failNth("Recordset.MoveNext", 2); // after the second Stores record
    exportByDataset2Excel(form());
    EXPECT_EQ(sheetNames(), QStringList({"Stores", "Sheet1", "Sheet2", "Sheet3"}));
    EXPECT_EQ(cell("Stores", 3, 1), QVariant("Portland"));
    EXPECT_EQ(faults_->callCount("DataSet.QueryAllRecords"), 1);
    memsheet::Forget();

    // A failing distance (the position calculator) ends the export at the first record.
    faults_->clearRules();
    faults_->failAlways("Map.Distance");
    geo::detail::ResetReferenceFrame();
    exportByDataset2Excel(form());
    EXPECT_FALSE(cell("Stores", 2, 5).isValid());
    EXPECT_EQ(cell("Stores", 2, 1), QVariant("Pike Place"));
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 0);
}

TEST_F(SpreadsheetExportTest, ADatasetWhoseNameCannotBeReadEndsTheExportThere) {
    demoMap();
    open();
    choose("Depots");
    useFaults();
    faults_->failAlways("DataSet.Name", "Empty");
    exportByDataset2Excel(form());
    // The walk stops at "Empty": "Depots" after it gets no sheet, and nothing is said.
    EXPECT_EQ(sheetNames(), QStringList({"Sheet1", "Sheet2", "Sheet3"}));
    EXPECT_EQ(faults_->callCount("DataSet.QueryAllRecords"), 0);
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 0);
}

TEST_F(SpreadsheetExportTest, NoHostOrNoSpreadsheetMeansNoWorkbookAndNoMessage) {
    demoMap();
    open();
    choose("All");
    automation::RevokeActiveObject("MapPoint.Application", host_.get());
    exportByDataset2Excel(form());
    exportFromShape2Excel(form());
    EXPECT_TRUE(memsheet::VisibleApplications().empty());

    maphost::HostApplication::registerRunning(host_);
    automation::RegisterClassFactory("Excel.Application", {});
    exportByDataset2Excel(form());
    EXPECT_TRUE(memsheet::VisibleApplications().empty());
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 0);
}

// Rows are counted past 32767: a large dataset is exported whole, up to the sheet's
// last row, where the export stops with a message naming the dataset.
TEST_F(SpreadsheetExportTest, ADatasetIsWrittenWholeUpToTheSheetsLastRow) {
    Set big{"Big", {}, {}};
    for (int i = 0; i < 32770; ++i)
        big.pins.push_back({QStringLiteral("P%1").arg(i), double(i % 80), double(i % 170), {}});
    setFieldMap({big, {"Small", {}, {{"S", 1, 1, {}}}}});
    open();
    choose("Big");
    exportByDataset2Excel(form());
    EXPECT_EQ(sheetNames(), QStringList({"Big"}));
    EXPECT_EQ(cell("Big", 32771, 1), QVariant("P32769"));
    EXPECT_FALSE(cell("Big", 32772, 1).isValid());
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 0);
    memsheet::Forget();

    memsheet::Register(1000); // sheets of 1000 rows
    choose("All");
    exportByDataset2Excel(form());
    EXPECT_EQ(cell("Big", 1000, 1), QVariant("P998"));
    // Stopped at Big: Small is not exported and the default sheets stay.
    EXPECT_EQ(sheetNames(), QStringList({"Big", "Sheet1", "Sheet2", "Sheet3"}));
    ASSERT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 1);
    EXPECT_TRUE(desktop_->log().contains("\"Big\" has more records than a worksheet holds "
                                         "(1000 rows"))
        << desktop_->log().toStdString();
    EXPECT_TRUE(desktop_->log().contains("Error")) << desktop_->log().toStdString();
}

// A sheet too narrow for a dataset's fields and coordinates stops the export with a
// message before that dataset's rows; the sheets written before it stay.
TEST_F(SpreadsheetExportTest, ADatasetWithMoreFieldsThanColumnsStopsTheExportWithAMessage) {
    const QVector<FieldDef> six = ThreeFields + ThreeFields;
    setFieldMap({{"Narrow", ThreeFields, {{"N", 1, 1, {"n", 1.0, "x"}}}},
                 {"Wide", six, {{"W", 2, 2, {"w", 2.0, "y", "w", 2.0, "y"}}}}});
    memsheet::Register(1048576, 8); // columns A to H: room for five fields and the coordinates
    open();
    choose("All");
    exportByDataset2Excel(form());
    EXPECT_EQ(sheetNames(), QStringList({"Wide", "Narrow", "Sheet1", "Sheet2", "Sheet3"}));
    EXPECT_EQ(cell("Narrow", 2, 1), QVariant("n"));
    EXPECT_FALSE(cell("Wide", 1, 1).isValid());
    ASSERT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 1);
    EXPECT_TRUE(desktop_->log().contains("\"Wide\" has more fields than a worksheet has columns"))
        << desktop_->log().toStdString();
    EXPECT_TRUE(desktop_->log().contains("Error"));
}

} // namespace
