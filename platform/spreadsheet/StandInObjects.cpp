#include "StandInObjects.h"

#include "BookModel.h"
#include "SheetModel.h"
#include "StandInApplication.h"
#include "XlsxFile.h"
#include "automation/Error.h"

#include <QRegularExpression>
#include <algorithm>

namespace spreadsheet {

namespace {

constexpr int32_t ObjectRequired = 424;

[[noreturn]] void fail(int32_t number, const QString& description) {
    throw automation::Error(number, description);
}

} // namespace

// --- Workbooks --------------------------------------------------------------------------

WorkbookPtr StandInWorkbooks::Add() {
    return std::make_shared<StandInWorkbook>(app_, app_->addBook());
}

int32_t StandInWorkbooks::Count() {
    return app_->bookCount();
}

WorkbookPtr StandInWorkbooks::Item(int32_t index) {
    BookModel* book = app_->book(index - 1);
    if (!book)
        fail(automation::errors::ItemNotFound, QStringLiteral("Subscript out of range"));
    return std::make_shared<StandInWorkbook>(app_, book);
}

// --- Workbook ---------------------------------------------------------------------------

QString StandInWorkbook::Name() {
    return book_->name();
}

SheetsPtr StandInWorkbook::Sheets() {
    return std::make_shared<StandInSheets>(app_, book_);
}

void StandInWorkbook::SaveAs(const QString& fileName) {
    const QString problem = SaveXlsx(*book_, fileName);
    if (!problem.isEmpty())
        fail(automation::errors::FileError, problem);
}

// --- Sheets -----------------------------------------------------------------------------

WorksheetPtr StandInSheets::Add() {
    return std::make_shared<StandInWorksheet>(app_, book_, book_->addSheet());
}

int32_t StandInSheets::Count() {
    return book_->count();
}

WorksheetPtr StandInSheets::Item(int32_t index) {
    SheetModel* sheet = book_->sheet(index - 1);
    if (!sheet)
        fail(automation::errors::ItemNotFound, QStringLiteral("Subscript out of range"));
    return std::make_shared<StandInWorksheet>(app_, book_, sheet);
}

WorksheetPtr StandInSheets::Item(const QString& name) {
    const int index = book_->indexOf(name);
    if (index < 0)
        fail(automation::errors::ItemNotFound, QStringLiteral("Subscript out of range"));
    return Item(index + 1);
}

// --- Worksheet --------------------------------------------------------------------------

StandInWorksheet::StandInWorksheet(AppRef app, BookModel* book, SheetModel* sheet)
    : app_(std::move(app)), book_(book), sheet_(sheet) {}

SheetModel* StandInWorksheet::alive() {
    if (!sheet_)
        fail(ObjectRequired, QStringLiteral("The sheet has been deleted."));
    return sheet_;
}

QString StandInWorksheet::Name() {
    return alive()->name();
}

void StandInWorksheet::SetName(const QString& name) {
    const QString problem = book_->rename(alive(), name);
    if (!problem.isEmpty())
        fail(automation::errors::InvalidArgument, problem);
}

RangePtr StandInWorksheet::Cells(int32_t row, int32_t column) {
    SheetModel* sheet = alive();
    if (row < 1 || row > SheetModel::MaxRows || column < 1 || column > SheetModel::MaxColumns)
        fail(automation::errors::InvalidArgument,
             QStringLiteral("Cell (%1, %2) is outside the sheet.").arg(row).arg(column));
    return std::make_shared<StandInRange>(app_, sheet,
                                          CellRect{row - 1, column - 1, row - 1, column - 1});
}

RangePtr StandInWorksheet::Range(const QString& cell1, const QString& cell2) {
    SheetModel* sheet = alive();
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    ParseA1(cell1, r1, c1);
    ParseA1(cell2, r2, c2);
    return std::make_shared<StandInRange>(
        app_, sheet,
        CellRect{std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)});
}

void StandInWorksheet::Delete() {
    const QString problem = book_->remove(alive());
    if (!problem.isEmpty())
        fail(automation::errors::InvalidArgument, problem);
}

void StandInWorksheet::Activate() {
    book_->setActive(book_->indexOf(alive()));
}

// --- Range ------------------------------------------------------------------------------

StandInRange::StandInRange(AppRef app, SheetModel* sheet, CellRect rect)
    : app_(std::move(app)), sheet_(sheet), rect_(rect) {}

SheetModel* StandInRange::alive() {
    if (!sheet_)
        fail(ObjectRequired, QStringLiteral("The sheet has been deleted."));
    return sheet_;
}

QVariant StandInRange::Value() {
    return alive()->cell(rect_.top, rect_.left);
}

void StandInRange::SetValue(const QVariant& value) {
    SheetModel* sheet = alive();
    // Clearing needs to visit only the rows that hold anything.
    const int bottom =
        value.isValid() ? rect_.bottom : std::min(rect_.bottom, sheet->usedRows() - 1);
    if (value.isValid() &&
        qint64(bottom - rect_.top + 1) * (rect_.right - rect_.left + 1) > 1000000)
        fail(automation::errors::InvalidArgument,
             QStringLiteral("The range is too large to fill."));
    for (int row = rect_.top; row <= bottom; ++row) {
        for (int column = rect_.left; column <= rect_.right; ++column)
            sheet->setCell(row, column, value);
    }
}

RangePtr StandInRange::EntireColumn() {
    return std::make_shared<StandInRange>(
        app_, alive(), CellRect{0, rect_.left, SheetModel::MaxRows - 1, rect_.right});
}

void StandInRange::AutoFit() {
    SheetModel* sheet = alive();
    if (rect_.top != 0 || rect_.bottom != SheetModel::MaxRows - 1)
        fail(automation::errors::InvalidArgument,
             QStringLiteral("AutoFit applies to entire columns."));
    sheet->autoFit(rect_.left, rect_.right);
}

double StandInRange::ColumnWidth() {
    return alive()->columnWidth(rect_.left);
}

void ParseA1(const QString& reference, int& row, int& column) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\$?([A-Za-z]{1,3})\\$?([0-9]{1,7})$"));
    const auto match = pattern.match(reference.trimmed());
    bool ok = match.hasMatch();
    if (ok) {
        column = 0;
        for (QChar c : match.captured(1).toUpper())
            column = column * 26 + (c.unicode() - u'A' + 1);
        --column;
        row = match.captured(2).toInt() - 1;
        ok = row >= 0 && row < SheetModel::MaxRows && column < SheetModel::MaxColumns;
    }
    if (!ok)
        fail(automation::errors::InvalidArgument,
             QStringLiteral("\"%1\" is not a cell reference.").arg(reference));
}

} // namespace spreadsheet
