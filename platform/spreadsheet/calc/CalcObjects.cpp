#include "CalcObjects.h"

#include "BookState.h"
#include "CalcApplication.h"
#include "SheetState.h"
#include "UnoSupport.h"
#include "spreadsheet/CellReference.h"

#include <algorithm>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>

using namespace css;

namespace spreadsheet::calc {

namespace {

[[noreturn]] void notFound() {
    throw automation::Error(automation::errors::ItemNotFound,
                            QStringLiteral("Subscript out of range"));
}

[[noreturn]] void invalid(const QString& description) {
    throw automation::Error(automation::errors::InvalidArgument, description);
}

QString nameOf(const uno::Reference<sheet::XSpreadsheet>& sheet) {
    return toQString(uno::Reference<container::XNamed>(sheet, uno::UNO_QUERY_THROW)->getName());
}

} // namespace

// --- Workbooks --------------------------------------------------------------------------

WorkbookPtr CalcWorkbooks::Add() {
    return std::make_shared<CalcWorkbook>(app_, app_->addBook());
}

int32_t CalcWorkbooks::Count() {
    return int32_t(app_->books().size());
}

WorkbookPtr CalcWorkbooks::Item(int32_t index) {
    if (index < 1 || index > Count())
        notFound();
    return std::make_shared<CalcWorkbook>(app_, app_->books()[size_t(index - 1)]);
}

// --- Workbook ---------------------------------------------------------------------------

QString CalcWorkbook::Name() {
    return unoCall([&] {
        return toQString(
            uno::Reference<frame::XTitle>(book_->document(), uno::UNO_QUERY_THROW)->getTitle());
    });
}

SheetsPtr CalcWorkbook::Sheets() {
    return std::make_shared<CalcSheets>(app_, book_);
}

// --- Sheets -----------------------------------------------------------------------------

// Added in the background (see BookState::addSheet): what other sheets have pending is
// sent once rows arrive for the new one, so Calc takes it in while they are being made.
WorksheetPtr CalcSheets::Add() {
    return std::make_shared<CalcWorksheet>(app_, book_, book_->addSheet());
}

int32_t CalcSheets::Count() {
    book_->flushAll();
    return unoCall([&] { return book_->sheetIndex()->getCount(); });
}

WorksheetPtr CalcSheets::Item(int32_t index) {
    book_->flushAll();
    return unoCall([&] {
        const auto sheets = book_->sheetIndex();
        if (index < 1 || index > sheets->getCount())
            notFound();
        const uno::Reference<sheet::XSpreadsheet> sheet(sheets->getByIndex(index - 1),
                                                        uno::UNO_QUERY_THROW);
        return std::make_shared<CalcWorksheet>(app_, book_, book_->stateOf(sheet));
    });
}

WorksheetPtr CalcSheets::Item(const QString& name) {
    book_->flushAll();
    return unoCall([&] {
        const auto sheets = book_->sheets();
        if (!sheets->hasByName(toOUString(name)))
            notFound();
        const uno::Reference<sheet::XSpreadsheet> sheet(sheets->getByName(toOUString(name)),
                                                        uno::UNO_QUERY_THROW);
        return std::make_shared<CalcWorksheet>(app_, book_, book_->stateOf(sheet));
    });
}

// --- Worksheet --------------------------------------------------------------------------

QString CalcWorksheet::Name() {
    return unoCall([&] { return nameOf(sheet_->sheet()); });
}

// Calc keeps the old name when it does not accept the new one, without saying so. A
// name it surely takes is set in the background, as a new sheet is added; a name it may
// refuse is awaited, so that the refusal reaches this caller.
void CalcWorksheet::SetName(const QString& name) {
    const bool sure = book_->surelyAccepted(name);
    book_->changeSheets([sheet = sheet_->calcSheet(), name] {
        uno::Reference<container::XNamed>(sheet.get(), uno::UNO_QUERY_THROW)
            ->setName(toOUString(name));
        if (nameOf(sheet.get()) != name)
            invalid(
                QStringLiteral("The sheet name \"%1\" is not allowed or already used.").arg(name));
    });
    book_->noteName(name);
    if (!sure)
        finishBackground();
}

RangePtr CalcWorksheet::Cells(int32_t row, int32_t column) {
    if (row < 1 || row > sheet_->rowCount() || column < 1 || column > sheet_->columnCount())
        invalid(QStringLiteral("Cell (%1, %2) is outside the sheet.").arg(row).arg(column));
    return std::make_shared<CalcRange>(shared_from_this(),
                                       CellRect{row - 1, column - 1, row - 1, column - 1});
}

int32_t CalcWorksheet::RowCount() {
    return sheet_->rowCount();
}

int32_t CalcWorksheet::ColumnCount() {
    return sheet_->columnCount();
}

RangePtr CalcWorksheet::Range(const QString& cell1, const QString& cell2) {
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    ParseA1(cell1, r1, c1, sheet_->rowCount(), sheet_->columnCount());
    ParseA1(cell2, r2, c2, sheet_->rowCount(), sheet_->columnCount());
    return std::make_shared<CalcRange>(
        shared_from_this(),
        CellRect{std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)});
}

void CalcWorksheet::Delete() {
    book_->flushAll();
    unoCall([&] {
        if (book_->sheetIndex()->getCount() < 2)
            invalid(QStringLiteral("A workbook must keep at least one sheet."));
        sheet_->discard();
        book_->sheets()->removeByName(toOUString(nameOf(sheet_->sheet())));
    });
    book_->forget(sheet_.get());
}

void CalcWorksheet::Activate() {
    book_->flushAll();
    unoCall([&] {
        const QString name = nameOf(sheet_->sheet());
        const auto sheets = book_->sheetIndex();
        for (int32_t i = 0; i < sheets->getCount(); ++i) {
            const uno::Reference<sheet::XSpreadsheet> sheet(sheets->getByIndex(i),
                                                            uno::UNO_QUERY_THROW);
            if (nameOf(sheet) == name)
                book_->activate(sheet, i);
        }
    });
}

// --- Range ------------------------------------------------------------------------------

QVariant CalcRange::Value() {
    return sheet_->read(rect_.top, rect_.left);
}

void CalcRange::SetValue(const QVariant& value) {
    const int32_t bottom = rect_.bottom < 0 ? sheet_->rowCount() - 1 : rect_.bottom;
    if (rect_.top == bottom && rect_.left == rect_.right)
        sheet_->write(rect_.top, rect_.left, value);
    else if (qint64(bottom - rect_.top + 1) * (rect_.right - rect_.left + 1) > 1000000)
        invalid(QStringLiteral("The range is too large to fill."));
    else
        sheet_->fill(rect_.top, rect_.left, bottom, rect_.right, value);
}

RangePtr CalcRange::EntireColumn() {
    return std::make_shared<CalcRange>(worksheet_, CellRect{0, rect_.left, -1, rect_.right});
}

void CalcRange::AutoFit() {
    if (rect_.bottom >= 0)
        invalid(QStringLiteral("AutoFit applies to entire columns."));
    sheet_->fit(rect_.left, rect_.right);
}

double CalcRange::ColumnWidth() {
    return sheet_->columnWidth(rect_.left);
}

} // namespace spreadsheet::calc
