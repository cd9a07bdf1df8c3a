#pragma once

#include "Range.h"
#include "Sheets.h"
#include "Workbook.h"
#include "Workbooks.h"
#include "Worksheet.h"

#include <QPointer>
#include <memory>

// The automation objects the stand-in hands out: thin handles over the workbook and
// sheet models. Each keeps its application alive; a handle whose sheet has been
// deleted fails with "Object required".
namespace spreadsheet {

class BookModel;
class SheetModel;
class StandInApplication;
using AppRef = std::shared_ptr<StandInApplication>;

class StandInWorkbooks : public Workbooks {
public:
    explicit StandInWorkbooks(AppRef app) : app_(std::move(app)) {}
    WorkbookPtr Add() override;
    int32_t Count() override;
    WorkbookPtr Item(int32_t index) override;

private:
    AppRef app_;
};

class StandInWorkbook : public Workbook {
public:
    StandInWorkbook(AppRef app, BookModel* book) : app_(std::move(app)), book_(book) {}
    QString Name() override;
    SheetsPtr Sheets() override;
    SheetsPtr Worksheets() override { return Sheets(); }
    void SaveAs(const QString& fileName) override;

private:
    AppRef app_;
    BookModel* book_;
};

class StandInSheets : public Sheets {
public:
    StandInSheets(AppRef app, BookModel* book) : app_(std::move(app)), book_(book) {}
    WorksheetPtr Add() override;
    int32_t Count() override;
    WorksheetPtr Item(int32_t index) override;
    WorksheetPtr Item(const QString& name) override;

private:
    AppRef app_;
    BookModel* book_;
};

class StandInWorksheet : public Worksheet {
public:
    StandInWorksheet(AppRef app, BookModel* book, SheetModel* sheet);
    QString Name() override;
    void SetName(const QString& name) override;
    RangePtr Cells(int32_t row, int32_t column) override;
    RangePtr Range(const QString& cell1, const QString& cell2) override;
    void Delete() override;
    void Activate() override;

private:
    SheetModel* alive();

    AppRef app_;
    BookModel* book_;
    QPointer<SheetModel> sheet_;
};

// A rectangle of 0-based rows and columns, both ends included.
struct CellRect {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

class StandInRange : public spreadsheet::Range {
public:
    StandInRange(AppRef app, SheetModel* sheet, CellRect rect);
    QVariant Value() override;
    void SetValue(const QVariant& value) override;
    RangePtr EntireColumn() override;
    void AutoFit() override;
    double ColumnWidth() override;

private:
    SheetModel* alive();

    AppRef app_;
    QPointer<SheetModel> sheet_;
    CellRect rect_;
};

// A cell reference in A1 notation as 0-based row and column; throws
// automation::Error for anything else.
void ParseA1(const QString& reference, int& row, int& column);

} // namespace spreadsheet
