#include "SpreadsheetTestSupport.h"

#include "automation/Error.h"

using sheettest::sheetNames;
using sheettest::StandInTest;

TEST_F(StandInTest, NewWorkbookHoldsThreeDefaultSheetsAndAddGoesBeforeTheActiveOne) {
    EXPECT_EQ(sheetNames(book_), QStringList({"Sheet1", "Sheet2", "Sheet3"}));
    auto first = book_->Worksheets()->Add();
    auto second = book_->Worksheets()->Add();
    EXPECT_EQ(first->Name(), "Sheet4");
    EXPECT_EQ(second->Name(), "Sheet5");
    EXPECT_EQ(sheetNames(book_), QStringList({"Sheet5", "Sheet4", "Sheet1", "Sheet2", "Sheet3"}));
    // Activating a later sheet moves where the next one goes.
    book_->Sheets()->Item("Sheet2")->Activate();
    book_->Sheets()->Add();
    EXPECT_EQ(sheetNames(book_).indexOf("Sheet6"), sheetNames(book_).indexOf("Sheet2") - 1);
    EXPECT_EQ(app_->Workbooks()->Count(), 1);
}

TEST_F(StandInTest, SheetNamesAreCheckedLikeTheSpreadsheetDoes) {
    auto sheet = book_->Sheets()->Add();
    for (const QString& bad : {QString("sheet1"), QString(""), QString(32, 'x'), QString("a/b"),
                               QString("q?"), QString("[x]"), QString("'quoted'")}) {
        EXPECT_THROW(sheet->SetName(bad), automation::Error) << bad.toStdString();
        EXPECT_EQ(sheet->Name(), "Sheet4");
    }
    sheet->SetName(QString(31, 'y'));
    EXPECT_EQ(sheet->Name(), QString(31, 'y'));
    sheet->SetName("Stores & Depots (2)");
    EXPECT_EQ(book_->Sheets()->Item("stores & depots (2)")->Name(), "Stores & Depots (2)");
    // Renaming a sheet to its own name in another case is fine.
    sheet->SetName("STORES & DEPOTS (2)");
    EXPECT_EQ(sheet->Name(), "STORES & DEPOTS (2)");
    EXPECT_THROW(book_->Sheets()->Item("Nope"), automation::Error);
    EXPECT_THROW(book_->Sheets()->Item(9), automation::Error);
}

TEST_F(StandInTest, TheLastSheetCannotBeDeletedAndADeletedSheetFailsItsCallers) {
    auto sheets = book_->Sheets();
    auto sheet1 = sheets->Item(1);
    auto cell = sheet1->Cells(1, 1);
    sheet1->Delete();
    EXPECT_THROW(sheet1->Name(), automation::Error);
    EXPECT_THROW(cell->SetValue(1), automation::Error);
    sheets->Item("Sheet2")->Delete();
    auto last = sheets->Item(1);
    EXPECT_THROW(last->Delete(), automation::Error);
    EXPECT_EQ(sheetNames(book_), QStringList({"Sheet3"}));
}

TEST_F(StandInTest, CellsKeepTheirValuesAndTypes) {
    auto sheet = book_->Sheets()->Item(1);
    sheet->Cells(1, 1)->SetValue(QStringLiteral("Name"));
    sheet->Cells(2, 3)->SetValue(47.6097);
    sheet->Cells(1048576, 16384)->SetValue(true);
    EXPECT_EQ(sheet->Cells(1, 1)->Value(), QVariant("Name"));
    EXPECT_EQ(sheet->Cells(2, 3)->Value().typeId(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(sheet->Cells(2, 3)->Value().toDouble(), 47.6097);
    EXPECT_FALSE(sheet->Cells(2, 2)->Value().isValid());
    EXPECT_TRUE(sheet->Cells(1048576, 16384)->Value().toBool());
    // The range's value is its first cell's.
    EXPECT_EQ(sheet->Range("C2", "A1")->Value(), QVariant("Name"));
    sheet->Cells(2, 3)->SetValue(QVariant());
    EXPECT_FALSE(sheet->Cells(2, 3)->Value().isValid());
    for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {1048577, 1}, {1, 16385}})
        EXPECT_THROW(sheet->Cells(row, column), automation::Error);
    for (const char* bad : {"", "1A", "A0", "AAAA1", "A 1"})
        EXPECT_THROW(sheet->Range(bad, "H1"), automation::Error) << bad;
}

TEST_F(StandInTest, AutoFitSizesTheEntireColumnsOfTheRangeOnly) {
    auto sheet = book_->Sheets()->Item(1);
    sheet->Cells(1, 1)->SetValue(QStringLiteral("Name"));
    sheet->Cells(2, 1)->SetValue(QStringLiteral("A rather long pushpin name"));
    sheet->Cells(1, 5)->SetValue(QStringLiteral("Latitude"));
    sheet->Cells(1, 9)->SetValue(QStringLiteral("a text longer than the default"));
    const double untouched = sheet->Cells(1, 9)->ColumnWidth();
    EXPECT_THROW(sheet->Range("A1", "H1")->AutoFit(), automation::Error); // not entire columns
    sheet->Range("A1", "H1")->EntireColumn()->AutoFit();
    const double a = sheet->Cells(1, 1)->ColumnWidth();
    const double e = sheet->Cells(1, 5)->ColumnWidth();
    EXPECT_GT(a, e);
    EXPECT_GE(e, double(QString("Latitude").size()));
    EXPECT_EQ(sheet->Cells(1, 9)->ColumnWidth(), untouched);
    // A column whose long text is replaced by a short one shrinks at the next AutoFit.
    sheet->Cells(2, 1)->SetValue(QStringLiteral("Short"));
    sheet->Range("A1", "H1")->EntireColumn()->AutoFit();
    EXPECT_LT(sheet->Cells(1, 1)->ColumnWidth(), a);
}

TEST(StandInRegistry, ExcelApplicationIsCreatableAndAVisibleInstanceOutlivesItsClients) {
    spreadsheet::RegisterStandIn();
    std::weak_ptr<spreadsheet::Application> hidden;
    std::weak_ptr<spreadsheet::Application> shown;
    {
        auto probe = automation::CreateObjectAs<spreadsheet::Application>("Excel.Application");
        auto other = automation::CreateObjectAs<spreadsheet::Application>("Excel.Application");
        EXPECT_NE(probe, other); // a new instance each time
        EXPECT_FALSE(probe->Visible());
        other->SetVisible(true);
        other->Workbooks()->Add();
        hidden = probe;
        shown = other;
    }
    EXPECT_TRUE(hidden.expired());
    ASSERT_FALSE(shown.expired());
    EXPECT_EQ(spreadsheet::VisibleApplications().size(), 1u);
    spreadsheet::CloseVisibleApplications();
    EXPECT_TRUE(shown.expired());
    automation::RegisterClassFactory("Excel.Application", {});
    EXPECT_THROW(automation::CreateObject("Excel.Application"), automation::Error);
}
