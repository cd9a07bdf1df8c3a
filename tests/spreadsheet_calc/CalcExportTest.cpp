// The spreadsheet export into a real (headless) LibreOffice Calc, read back through UNO.
#include "CalcReadBack.h"
#include "ExportTestSupport.h"
#include "export/ExportWiring.h"
#include "export/SpreadsheetExport.h"
#include "spreadsheet/Application.h"
#include "spreadsheet/Range.h"
#include "spreadsheet/Sheets.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/Workbooks.h"
#include "spreadsheet/Worksheet.h"
#include "spreadsheet/calc/CellValues.h"

#include <QAction>
#include <QDate>
#include <com/sun/star/container/XNamed.hpp>
#include <limits>
#include <utility>
#include <vector>

using calctest::Cell;
using exporttest::Set;
using maphost::FieldDef;
using Kind = desktop::RecordedCall::Kind;

namespace {

class CalcExport : public exporttest::ExportTest {
protected:
    static void SetUpTestSuite() { calctest::UseTestCalc(); }
    static void TearDownTestSuite() { calctest::EndTestCalc(); }
    void TearDown() override {
        calctest::CloseAllDocuments();
        ExportTest::TearDown();
    }
};

const QVector<FieldDef> EveryType = {{"Name", QMetaType::QString}, {"Visits", QMetaType::LongLong},
                                     {"Share", QMetaType::Double}, {"Opened", QMetaType::QDate},
                                     {"Open", QMetaType::Bool},    {"Note", QMetaType::QString}};

TEST_F(CalcExport, DatasetsLandInANewUnsavedCalcDocumentWithTypedValues) {
    const QString longNote = QStringLiteral("+31 6 1234 5678, ask for the night desk");
    setFieldMap(
        {{"Städte",
          EveryType,
          {{"Zürich", 47.37, 8.54, {"Zürich", 12, 0.25, QDate(1999, 12, 31), true, "=1+1"}},
           {"Paris", 48.86, 2.35, {QVariant(), 7, 1.5, QDate(2024, 2, 29), false, longNote}},
           {"Bern", 46.95, 7.45, {"Bern", 3, 0.5, QDate(2000, 1, 1), true, "two\nlines"}}}},
         {"Empty", EveryType, {}},
         {"Ω Points", {}, {{"Åre", 63.4, 13.08, {}}}}});
    open();
    exporting::wireExportCommands(form());
    choose("All");
    form().mnuSelectedDataset->trigger();
    EXPECT_EQ(desktop_->count(Kind::FileDialog), 0) << desktop_->log().toStdString();
    EXPECT_EQ(messages(), 0);

    // Every reference is released: the document stays open, never saved.
    const auto documents = calctest::OpenDocuments();
    ASSERT_EQ(documents.size(), 1u);
    const auto& book = documents.front();
    EXPECT_FALSE(calctest::HasLocation(book));
    // The later dataset's sheet first, none for the empty one, the default sheet gone.
    EXPECT_EQ(calctest::SheetNames(book), QStringList({"Ω Points", "Städte"}));

    auto cell = [&](int row, int column) {
        return calctest::ReadCell(book, "Städte", row, column);
    };
    EXPECT_EQ(cell(1, 1).text, "Name");
    EXPECT_EQ(cell(1, 6).text, "Note");
    EXPECT_EQ(cell(1, 7).type, Cell::Type::Empty);
    EXPECT_EQ(cell(1, 8).text, "Latitude");
    EXPECT_EQ(cell(1, 9).text, "Longitude");

    EXPECT_EQ(cell(2, 1).text, "Zürich");
    EXPECT_EQ(cell(2, 2).type, Cell::Type::Number);
    EXPECT_EQ(cell(2, 2).number, 12);
    EXPECT_EQ(cell(2, 3).number, 0.25);
    EXPECT_EQ(cell(2, 4).type, Cell::Type::Number);
    EXPECT_TRUE(cell(2, 4).isDate);
    EXPECT_EQ(cell(2, 4).number, 36525); // days since 1899-12-30
    EXPECT_EQ(cell(2, 4).text, "1999-12-31");
    EXPECT_TRUE(cell(2, 5).isBoolean);
    EXPECT_EQ(cell(2, 5).number, 1);
    EXPECT_EQ(cell(3, 5).number, 0);
    // Formula-looking text stays text.
    EXPECT_EQ(cell(2, 6).type, Cell::Type::Text);
    EXPECT_EQ(cell(2, 6).text, "=1+1");
    EXPECT_EQ(cell(3, 6).type, Cell::Type::Text);
    EXPECT_EQ(cell(3, 6).text, longNote);
    // An empty first field: the pushpin's name stands in.
    EXPECT_EQ(cell(3, 1).text, "Paris");
    EXPECT_EQ(cell(3, 4).number, 45351);

    double latitude = 0;
    double longitude = 0;
    geo::CalcLatLon(map_, map_->GetLocation(48.86, 2.35, 0), latitude, longitude);
    EXPECT_EQ(cell(3, 8).type, Cell::Type::Number);
    EXPECT_EQ(cell(3, 8).number, latitude);
    EXPECT_EQ(cell(3, 9).number, longitude);
    EXPECT_EQ(cell(5, 1).type, Cell::Type::Empty);

    const auto points = [&](int row, int column) {
        return calctest::ReadCell(book, "Ω Points", row, column);
    };
    EXPECT_EQ(points(1, 1).type, Cell::Type::Empty);
    EXPECT_EQ(points(1, 2).text, "Latitude");
    EXPECT_EQ(points(2, 1).text, "Åre");
    EXPECT_EQ(points(2, 3).type, Cell::Type::Number);

    // Columns A to H fit their widest value; column I keeps Calc's default width.
    const auto sheet = calctest::Sheet(book, "Städte");
    const int defaultWidth = calctest::ColumnWidth(sheet, 20);
    EXPECT_GT(calctest::ColumnWidth(sheet, 6), 2 * defaultWidth); // the long note
    EXPECT_LT(calctest::ColumnWidth(sheet, 5), defaultWidth);     // TRUE / FALSE
    EXPECT_GT(calctest::ColumnWidth(sheet, 6), calctest::ColumnWidth(sheet, 1));
    EXPECT_EQ(calctest::ColumnWidth(sheet, 9), defaultWidth);
    // Rows keep one line's height, but for the one whose note has two.
    EXPECT_EQ(calctest::RowHeight(sheet, 3), calctest::RowHeight(sheet, 2));
    EXPECT_GT(calctest::RowHeight(sheet, 4), calctest::RowHeight(sheet, 2) * 3 / 2);
    EXPECT_EQ(cell(4, 6).text, "two\nlines");
}

TEST_F(CalcExport, ANameCalcRefusesEndsTheExportKeepingWhatWasWritten) {
    setFieldMap({{"Alpha", {}, {{"A1", 10, 10, {}}}},
                 {"Sheet1", {}, {{"S1", 11, 11, {}}}},
                 {"Omega", {}, {{"O1", 12, 12, {}}}}});
    open();
    choose("All");
    exportByDataset2Excel(form());
    const auto documents = calctest::OpenDocuments();
    ASSERT_EQ(documents.size(), 1u);
    // Alpha is written; the next sheet cannot take the name, so Omega and the
    // clean-up never run.
    EXPECT_EQ(calctest::SheetNames(documents.front()), QStringList({"Sheet3", "Alpha", "Sheet1"}));
    EXPECT_EQ(calctest::ReadCell(documents.front(), "Alpha", 2, 1).text, "A1");
    EXPECT_EQ(messages(), 0);
}

// Names are given in the background when the adapter knows Calc takes them. A refusal
// it could not foresee (a sheet renamed in Calc meanwhile) still reaches the caller, at
// the next call that waits for Calc; one it could (the name of a sheet, in any case, or
// a character Calc does not take) reaches SetName itself.
TEST_F(CalcExport, ASheetNameCalcRefusesIsReportedWhetherForeseenOrNot) {
    const auto refused = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const automation::Error& e) {
            return e.number() == automation::errors::InvalidArgument;
        }
        return false;
    };
    {
        const auto app = automation::CreateObjectAs<spreadsheet::Application>("Excel.Application");
        const auto sheets = app->Workbooks()->Add()->Sheets();
        sheets->Add()->SetName("Alpha");
        const auto clash = sheets->Add();
        for (const char* name : {"alpha", "a:b", "x[1]", "'quoted'", ""})
            EXPECT_TRUE(refused([&] { clash->SetName(name); })) << name;
        const auto named = calctest::Sheet(calctest::OpenDocuments().front(), "Sheet1");
        css::uno::Reference<css::container::XNamed>(named, css::uno::UNO_QUERY_THROW)
            ->setName("Beta");
        const auto late = sheets->Add();
        EXPECT_TRUE(refused([&] {
            late->SetName("Beta");
            late->Name();
        }));
        EXPECT_EQ(late->Name(), "Sheet4");
    }
    EXPECT_EQ(calctest::SheetNames(calctest::OpenDocuments().front()),
              QStringList({"Sheet4", "Sheet3", "Alpha", "Beta"}));
}

TEST_F(CalcExport, OnlyTheNewDocumentsOwnSheetIsDeletedWhateverTheDatasetsAreNamed) {
    const std::vector<std::pair<QStringList, QStringList>> cases = {
        {{"Alpha", "Sheet2", "Omega"}, {"Omega", "Sheet2", "Alpha"}}, {{"Sheet3"}, {"Sheet3"}}};
    for (const auto& [datasets, sheets] : cases) {
        std::vector<Set> sets;
        for (const QString& name : datasets)
            sets.push_back({name, {}, {{name + "-pin", 10, 10, {}}}});
        setFieldMap(sets);
        open();
        choose("All");
        exportByDataset2Excel(form());
        const auto documents = calctest::OpenDocuments();
        ASSERT_EQ(documents.size(), 1u);
        EXPECT_EQ(calctest::SheetNames(documents.front()), sheets);
        for (const QString& name : datasets)
            EXPECT_EQ(calctest::ReadCell(documents.front(), name, 2, 1).text, name + "-pin");
        calctest::CloseAllDocuments();
    }
}

TEST_F(CalcExport, ValuesWithoutACellValueLeaveTheirCellsEmpty) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    setFieldMap({{"Odd",
                  {{"Name", QMetaType::QString},
                   {"Day", QMetaType::QDate},
                   {"At", QMetaType::QTime},
                   {"When", QMetaType::QDateTime},
                   {"Nan", QMetaType::Double},
                   {"Up", QMetaType::Double},
                   {"Down", QMetaType::Double}},
                  {{"P", 1, 1, {"P", QDate(), QTime(), QDateTime(), nan, inf, -inf}}}}});
    open();
    choose("All");
    exportByDataset2Excel(form());
    const auto documents = calctest::OpenDocuments();
    ASSERT_EQ(documents.size(), 1u);
    for (int column = 2; column <= 7; ++column)
        EXPECT_EQ(calctest::ReadCell(documents.front(), "Odd", 2, column).type, Cell::Type::Empty)
            << "column " << column;
    EXPECT_EQ(calctest::ReadCell(documents.front(), "Odd", 2, 9).type, Cell::Type::Number);
}

TEST_F(CalcExport, AnEmptyValueGivenToARangeEmptiesItsCells) {
    {
        const auto app = automation::CreateObjectAs<spreadsheet::Application>("Excel.Application");
        const auto sheet = app->Workbooks()->Add()->Sheets()->Item(1);
        sheet->Range("A1", "B2")->SetValue("x");
        sheet->Range("A1", "A2")->SetValue(QVariant());
    }
    const auto documents = calctest::OpenDocuments();
    ASSERT_EQ(documents.size(), 1u);
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(calctest::ReadCell(documents.front(), "Sheet1", row, 1).type, Cell::Type::Empty);
        EXPECT_EQ(calctest::ReadCell(documents.front(), "Sheet1", row, 2).text, "x");
    }
}

// Text of several lines gets a row tall enough, in a block sent between others and in a
// cell written on its own into a sheet the workbook already had.
TEST_F(CalcExport, RowsOfSeveralLinesGetTheirHeightInBlocksAndSingleCells) {
    {
        const auto app = automation::CreateObjectAs<spreadsheet::Application>("Excel.Application");
        const auto sheets = app->Workbooks()->Add()->Sheets();
        const auto other = sheets->Item(1);
        const auto streamed = sheets->Add();
        for (int row = 1; row <= 9000; ++row) {
            streamed->Cells(row, 2)->SetValue(row == 2600 ? QStringLiteral("a\nb") : "x");
            streamed->Cells(row, 4)->SetValue(row);
            if (row == 4000)
                other->Cells(5, 1)->SetValue(QStringLiteral("c\nd"));
        }
    }
    const auto documents = calctest::OpenDocuments();
    ASSERT_EQ(documents.size(), 1u);
    for (const auto& [name, tall] : {std::pair{"Sheet1", 5}, std::pair{"Sheet2", 2600}}) {
        const auto sheet = calctest::Sheet(documents.front(), name);
        EXPECT_GT(calctest::RowHeight(sheet, tall), calctest::RowHeight(sheet, 2) * 3 / 2) << name;
        EXPECT_EQ(calctest::RowHeight(sheet, tall + 1), calctest::RowHeight(sheet, 2)) << name;
    }
    EXPECT_EQ(calctest::ReadCell(documents.front(), "Sheet2", 2600, 3).type, Cell::Type::Empty);
    EXPECT_EQ(calctest::ReadCell(documents.front(), "Sheet2", 2600, 4).number, 2600);
}

// A column's numbers are written out only when their bound passes the widest so far: a
// bound below the real length would leave the column too narrow.
TEST(CalcNumberLength, NeverExceedsItsBound) {
    // The edges of each bound's range, beside a sweep over all magnitudes (both signs).
    std::vector<double> numbers = {0,      1e-4, 9.99999999999999e-5, 999999999999999.9, 1e15,
                                   5e-324, 1e308};
    for (double x = std::numeric_limits<double>::min(); x < 1e307; x *= 1.37)
        numbers.push_back(x * (1 + 1.0 / 7));
    for (double number : numbers)
        for (double sign : {1.0, -1.0})
            EXPECT_LE(spreadsheet::calc::GeneralNumberLength(sign * number),
                      spreadsheet::calc::GeneralNumberLengthBound(sign * number))
                << sign * number;
}

} // namespace
