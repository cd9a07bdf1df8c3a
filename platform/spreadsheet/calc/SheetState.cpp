#include "SheetState.h"

#include "BookState.h"
#include "UnoSupport.h"

#include <algorithm>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/XText.hpp>

using namespace css;

namespace spreadsheet::calc {

namespace {

// Rows a block holds at most, and how often a block is sent while rows arrive. Small
// enough that a call which has to wait for the blocks in flight (Calc runs one call at
// a time) waits little; large enough that a block's own cost is small beside its cells.
constexpr size_t BlockRows = 4000;
constexpr qint64 FlushIntervalMs = 250;

void setNumberFormat(const uno::Reference<table::XCellRange>& range, int32_t key) {
    uno::Reference<beans::XPropertySet>(range, uno::UNO_QUERY_THROW)
        ->setPropertyValue("NumberFormat", uno::Any(sal_Int32(key)));
}

} // namespace

SheetState::SheetState(BookState& book, uno::Reference<sheet::XSpreadsheet> sheet, bool fresh)
    : book_(book), sheet_(std::move(sheet)), fresh_(fresh) {
    sinceFlush_.start();
}

void SheetState::write(int32_t row, int32_t column, const QVariant& value) {
    CellValue cell = ToCell(value);
    widths_.note(column, cell);
    if (!fresh_ || row <= flushedThrough_) {
        // Calc may hold values around this cell: it is written on its own.
        flush();
        writeDirect(row, column, cell);
        return;
    }
    if (row != lastRow_) {
        lastRow_ = row;
        if (rows_.size() >= BlockRows || sinceFlush_.elapsed() >= FlushIntervalMs)
            flush();
    }
    if (!rows_.empty() && (row < firstRow_ || row > firstRow_ + int32_t(rows_.size())))
        flush();
    if (rows_.empty()) {
        if (flushedThrough_ < 0) // the sheet's first block: the others are complete
            book_.flushOthers(this);
        firstRow_ = row;
    }
    const size_t index = size_t(row - firstRow_);
    if (index == rows_.size())
        rows_.emplace_back();
    auto& cells = rows_[index];
    if (cells.size() <= size_t(column))
        cells.resize(size_t(column) + 1);
    cells[size_t(column)] = std::move(cell);
}

void SheetState::fill(int32_t top, int32_t left, int32_t bottom, int32_t right,
                      const QVariant& value) {
    flush();
    const CellValue cell = ToCell(value);
    for (int32_t column = left; column <= right; ++column)
        widths_.note(column, cell);
    uno::Sequence<uno::Any> line(right - left + 1);
    std::fill(line.getArray(), line.getArray() + line.getLength(), cell.value);
    uno::Sequence<uno::Sequence<uno::Any>> data(bottom - top + 1);
    std::fill(data.getArray(), data.getArray() + data.getLength(), line);
    unoCall([&] {
        const auto range = sheet_->getCellRangeByPosition(left, top, right, bottom);
        uno::Reference<sheet::XCellRangeData>(range, uno::UNO_QUERY_THROW)->setDataArray(data);
        if (cell.format != CellFormat::General)
            setNumberFormat(range, book_.formatKey(cell.format));
    });
    flushedThrough_ = std::max(flushedThrough_, bottom);
}

QVariant SheetState::read(int32_t row, int32_t column) {
    if (row >= firstRow_ && row < firstRow_ + int32_t(rows_.size())) {
        const auto& cells = rows_[size_t(row - firstRow_)];
        if (size_t(column) < cells.size() && cells[size_t(column)].value.hasValue())
            return FromAny(cells[size_t(column)].value);
    }
    if (fresh_ && row > flushedThrough_)
        return {};
    flush();
    return unoCall([&] { return ReadCell(sheet_->getCellByPosition(column, row)); });
}

double SheetState::columnWidth(int32_t column) {
    flush();
    return unoCall([&] {
        const auto columns =
            uno::Reference<table::XColumnRowRange>(sheet_, uno::UNO_QUERY_THROW)->getColumns();
        sal_Int32 width = 0;
        uno::Reference<beans::XPropertySet>(columns->getByIndex(column), uno::UNO_QUERY_THROW)
            ->getPropertyValue("Width") >>= width;
        useCellFont();
        return widths_.characters(width);
    });
}

int32_t SheetState::rowCount() {
    return extent(rowCount_, true);
}

int32_t SheetState::columnCount() {
    return extent(columnCount_, false);
}

// How many rows or columns the sheet holds, asked once.
int32_t SheetState::extent(int32_t& known, bool rows) {
    if (known == 0)
        known = unoCall(
            [&] {
                const uno::Reference<table::XColumnRowRange> sheet(sheet_, uno::UNO_QUERY_THROW);
                return rows ? sheet->getRows()->getCount() : sheet->getColumns()->getCount();
            },
            Order::Alongside);
    return known;
}

void SheetState::flush() {
    sinceFlush_.restart();
    if (!rows_.empty()) {
        // Taken out first: a block Calc refused is not sent again.
        auto rows = std::move(rows_);
        rows_.clear();
        sendBlock(std::move(rows), firstRow_);
    }
    sendWidths();
}

void SheetState::writeDirect(int32_t row, int32_t column, const CellValue& cell) {
    unoCall([&] {
        const auto target = sheet_->getCellByPosition(column, row);
        double number = 0;
        rtl::OUString text;
        if (cell.value >>= number)
            target->setValue(number);
        else if (cell.value >>= text)
            uno::Reference<text::XText>(target, uno::UNO_QUERY_THROW)->setString(text);
        else
            target->setFormula(rtl::OUString()); // empties the cell
        if (cell.format != CellFormat::General)
            setNumberFormat(uno::Reference<table::XCellRange>(target, uno::UNO_QUERY_THROW),
                            book_.formatKey(cell.format));
    });
}

void SheetState::sendBlock(std::vector<std::vector<CellValue>> rows, int32_t firstRow) {
    size_t left = SIZE_MAX;
    size_t right = 0;
    for (const auto& cells : rows) {
        for (size_t column = 0; column < cells.size(); ++column) {
            if (cells[column].value.hasValue() || cells[column].format != CellFormat::General) {
                left = std::min(left, column);
                right = std::max(right, column);
            }
        }
    }
    const int32_t lastRow = firstRow + int32_t(rows.size()) - 1;
    flushedThrough_ = std::max(flushedThrough_, lastRow);
    if (left == SIZE_MAX)
        return;
    const int32_t width = int32_t(right - left + 1);
    uno::Sequence<uno::Sequence<uno::Any>> data(int32_t(rows.size()));
    auto* line = data.getArray();
    // An empty string leaves a cell empty; a void value would put an error into it.
    const uno::Any empty(rtl::OUString{});
    for (auto& cells : rows) {
        uno::Sequence<uno::Any> values(width);
        auto* value = values.getArray();
        for (size_t column = left; column <= right; ++column)
            value[column - left] = column < cells.size() && cells[column].value.hasValue()
                                       ? std::move(cells[column].value)
                                       : empty;
        *line++ = std::move(values);
    }
    // Number formats per column, one call per run of equally formatted rows; the keys
    // are asked for here, as the block goes to Calc in the background.
    struct FormatRun {
        int32_t column, top, bottom, key;
    };
    std::vector<FormatRun> formats;
    for (size_t column = left; column <= right; ++column) {
        size_t row = 0;
        while (row < rows.size()) {
            const auto formatAt = [&](size_t r) {
                return column < rows[r].size() ? rows[r][column].format : CellFormat::General;
            };
            const CellFormat format = formatAt(row);
            size_t end = row + 1;
            while (end < rows.size() && formatAt(end) == format)
                ++end;
            if (format != CellFormat::General)
                formats.push_back({int32_t(column), firstRow + int32_t(row),
                                   firstRow + int32_t(end) - 1, book_.formatKey(format)});
            row = end;
        }
    }
    // While Calc takes the block in, the next one is made.
    unoCallInBackground([sheet = sheet_, data = std::move(data), formats = std::move(formats),
                         left = int32_t(left), right = int32_t(right), firstRow, lastRow] {
        const auto range = sheet->getCellRangeByPosition(left, firstRow, right, lastRow);
        uno::Reference<sheet::XCellRangeData>(range, uno::UNO_QUERY_THROW)->setDataArray(data);
        for (const FormatRun& run : formats)
            setNumberFormat(
                sheet->getCellRangeByPosition(run.column, run.top, run.column, run.bottom),
                run.key);
    });
}

void SheetState::useCellFont() {
    if (widths_.hasFont())
        return;
    const auto [family, points] = book_.cellFont();
    widths_.setFont(family, points);
}

void SheetState::sendWidths() {
    useCellFont();
    const auto changes = widths_.takeChanges();
    if (changes.empty())
        return;
    unoCall(
        [&] {
            const auto columns =
                uno::Reference<table::XColumnRowRange>(sheet_, uno::UNO_QUERY_THROW)->getColumns();
            for (const auto& [column, width] : changes)
                uno::Reference<beans::XPropertySet>(columns->getByIndex(column),
                                                    uno::UNO_QUERY_THROW)
                    ->setPropertyValue("Width", uno::Any(sal_Int32(width)));
        },
        Order::Alongside);
}

} // namespace spreadsheet::calc
