#pragma once

#include "spreadsheet/Range.h"
#include "spreadsheet/Sheets.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/Workbooks.h"
#include "spreadsheet/Worksheet.h"

#include <memory>

// The object model's collections and objects over Calc documents. Each keeps the
// application and the workbook state alive, so pending writes reach Calc before the
// last reference goes.
namespace spreadsheet::calc {

class CalcApplication;
class BookState;
class SheetState;
using AppRef = std::shared_ptr<CalcApplication>;
using BookRef = std::shared_ptr<BookState>;
using SheetRef = std::shared_ptr<SheetState>;

class CalcWorkbooks : public Workbooks {
public:
    explicit CalcWorkbooks(AppRef app) : app_(std::move(app)) {}
    WorkbookPtr Add() override;
    int32_t Count() override;
    WorkbookPtr Item(int32_t index) override;

private:
    AppRef app_;
};

class CalcWorkbook : public Workbook {
public:
    CalcWorkbook(AppRef app, BookRef book) : app_(std::move(app)), book_(std::move(book)) {}
    QString Name() override;
    SheetsPtr Sheets() override;
    SheetsPtr Worksheets() override { return Sheets(); }

private:
    AppRef app_;
    BookRef book_;
};

class CalcSheets : public Sheets {
public:
    CalcSheets(AppRef app, BookRef book) : app_(std::move(app)), book_(std::move(book)) {}
    WorksheetPtr Add() override;
    int32_t Count() override;
    WorksheetPtr Item(int32_t index) override;
    WorksheetPtr Item(const QString& name) override;

private:
    AppRef app_;
    BookRef book_;
};

class CalcWorksheet : public Worksheet, public std::enable_shared_from_this<CalcWorksheet> {
public:
    CalcWorksheet(AppRef app, BookRef book, SheetRef sheet)
        : app_(std::move(app)), book_(std::move(book)), sheet_(std::move(sheet)) {}
    QString Name() override;
    void SetName(const QString& name) override;
    RangePtr Cells(int32_t row, int32_t column) override;
    int32_t RowCount() override;
    int32_t ColumnCount() override;
    RangePtr Range(const QString& cell1, const QString& cell2) override;
    void Delete() override;
    void Activate() override;

    SheetState& state() const { return *sheet_; }

private:
    AppRef app_;
    BookRef book_;
    SheetRef sheet_;
};

// A rectangle of 0-based rows and columns, both ends included; bottom -1 stands for
// entire columns.
struct CellRect {
    int32_t top = 0;
    int32_t left = 0;
    int32_t bottom = 0;
    int32_t right = 0;
};

// A range keeps its worksheet alive, and through it the sheet, workbook and application:
// one reference for the many ranges a client makes and drops per row.
class CalcRange : public spreadsheet::Range {
public:
    CalcRange(std::shared_ptr<const CalcWorksheet> worksheet, CellRect rect)
        : worksheet_(std::move(worksheet)), sheet_(&worksheet_->state()), rect_(rect) {}
    QVariant Value() override;
    void SetValue(const QVariant& value) override;
    RangePtr EntireColumn() override;
    void AutoFit() override;
    double ColumnWidth() override;

private:
    std::shared_ptr<const CalcWorksheet> worksheet_;
    SheetState* sheet_;
    CellRect rect_;
};

} // namespace spreadsheet::calc
