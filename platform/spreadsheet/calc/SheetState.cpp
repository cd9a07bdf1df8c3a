#include "SheetState.h"

#include "BookState.h"
#include "UnoSupport.h"

#include <algorithm>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/text/XText.hpp>
#include <mutex>

using namespace css;

namespace spreadsheet::calc {

namespace {

// Rows a block holds at most, and how often a block is sent while rows arrive. Small
// enough that a call which has to wait for the blocks in flight (Calc runs one call at
// a time) waits little; large enough that a block's own cost is small beside its cells.
constexpr size_t BlockRows = 8000;
// A sheet's first block is smaller and each next one twice as large, up to BlockRows:
// Calc, idle while the export's first rows are made, gets them soon. (At a later sheet
// it still has the blocks of the sheet before.)
constexpr size_t FirstBlockRows = 2000;
constexpr qint64 FlushIntervalMs = 250;

void setNumberFormat(const uno::Reference<table::XCellRange>& range, int32_t key) {
    uno::Reference<beans::XPropertySet>(range, uno::UNO_QUERY_THROW)
        ->setPropertyValue("NumberFormat", uno::Any(sal_Int32(key)));
}

// Whether Calc works out each written row's height from its cells. Calc spends about a
// third of a block's time on that, while the adapter's cells all fit the default
// height but for text of several lines: only a block with such text has it on.
void adjustRowHeights(const uno::Reference<sheet::XSpreadsheetDocument>& document, bool on) {
    uno::Reference<beans::XPropertySet>(document, uno::UNO_QUERY_THROW)
        ->setPropertyValue("IsAdjustHeightEnabled", uno::Any(on));
}

void setWidths(const uno::Reference<sheet::XSpreadsheet>& sheet,
               const std::vector<std::pair<int, int>>& widths) {
    const auto columns =
        uno::Reference<table::XColumnRowRange>(sheet, uno::UNO_QUERY_THROW)->getColumns();
    for (const auto& [column, width] : widths)
        uno::Reference<beans::XPropertySet>(columns->getByIndex(column), uno::UNO_QUERY_THROW)
            ->setPropertyValue("Width", uno::Any(sal_Int32(width)));
}

// A block's cells from column left to right as Calc takes them.
uno::Sequence<uno::Sequence<uno::Any>> blockData(const std::vector<std::vector<CellValue>>& rows,
                                                 size_t left, size_t right) {
    uno::Sequence<uno::Sequence<uno::Any>> data(int32_t(rows.size()));
    auto* line = data.getArray();
    const uno::Any empty = CellValue().toAny();
    for (auto& cells : rows) {
        uno::Sequence<uno::Any> values(int32_t(right - left + 1));
        auto* value = values.getArray();
        for (size_t column = left; column <= right; ++column)
            value[column - left] = column < cells.size() ? cells[column].toAny() : empty;
        *line++ = std::move(values);
    }
    return data;
}

// Held while a block switches the adjustment off, and by a block with text of several
// lines from switching it on until Calc has taken the block in, so that no other block
// switches it off meanwhile. (Rows fitted on their own, once Calc had taken in a later
// block, kept one line's height.)
std::mutex& heightSwitch() {
    static std::mutex mutex;
    return mutex;
}

void fitRowHeight(const uno::Reference<sheet::XSpreadsheet>& sheet, int32_t row) {
    const uno::Reference<table::XColumnRowRange> range(
        sheet->getCellRangeByPosition(0, row, 0, row), uno::UNO_QUERY_THROW);
    uno::Reference<beans::XPropertySet>(range->getRows(), uno::UNO_QUERY_THROW)
        ->setPropertyValue("OptimalHeight", uno::Any(true));
}

} // namespace

SheetState::SheetState(BookState& book, CalcSheet sheet, bool fresh)
    : book_(book), sheet_(std::move(sheet)), fresh_(fresh), blockRows_(FirstBlockRows) {
    sinceFlush_.start();
}

bool SheetState::is(const uno::Reference<sheet::XSpreadsheet>& sheet) const {
    try {
        return sheet_.get() == sheet;
    } catch (...) {
        return false;
    }
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
        if (rows_.size() >= blockRows_ || sinceFlush_.elapsed() >= FlushIntervalMs)
            sendRows();
    }
    if (!rows_.empty() && (row < firstRow_ || row > firstRow_ + int32_t(rows_.size())))
        sendRows();
    if (rows_.empty()) {
        if (flushedThrough_ < 0) // the sheet's first block: the others are complete
            book_.flushOthers(this);
        firstRow_ = row;
        rows_.reserve(blockRows_);
    }
    const size_t index = size_t(row - firstRow_);
    if (index == rows_.size())
        rows_.emplace_back().reserve(rowWidth_); // rows are mostly as wide as the last
    auto& cells = rows_[index];
    if (cells.size() <= size_t(column)) {
        cells.resize(size_t(column) + 1);
        rowWidth_ = std::max(rowWidth_, cells.size());
    }
    cells[size_t(column)] = std::move(cell);
}

void SheetState::fill(int32_t top, int32_t left, int32_t bottom, int32_t right,
                      const QVariant& value) {
    flush();
    const CellValue cell = ToCell(value);
    for (int32_t column = left; column <= right; ++column)
        widths_.note(column, cell);
    uno::Sequence<uno::Any> line(right - left + 1);
    std::fill(line.getArray(), line.getArray() + line.getLength(), cell.toAny());
    uno::Sequence<uno::Sequence<uno::Any>> data(bottom - top + 1);
    std::fill(data.getArray(), data.getArray() + data.getLength(), line);
    unoCall([&] {
        const auto range = sheet()->getCellRangeByPosition(left, top, right, bottom);
        uno::Reference<sheet::XCellRangeData>(range, uno::UNO_QUERY_THROW)->setDataArray(data);
        if (cell.format != CellFormat::General)
            setNumberFormat(range, book_.formatKey(cell.format));
    });
    flushedThrough_ = std::max(flushedThrough_, bottom);
}

QVariant SheetState::read(int32_t row, int32_t column) {
    if (row >= firstRow_ && row < firstRow_ + int32_t(rows_.size())) {
        const auto& cells = rows_[size_t(row - firstRow_)];
        if (size_t(column) < cells.size() && !cells[size_t(column)].empty())
            return cells[size_t(column)].toVariant();
    }
    if (fresh_ && row > flushedThrough_)
        return {};
    flush();
    return unoCall([&] { return ReadCell(sheet()->getCellByPosition(column, row)); });
}

double SheetState::columnWidth(int32_t column) {
    flush();
    return unoCall([&] {
        const auto columns =
            uno::Reference<table::XColumnRowRange>(sheet(), uno::UNO_QUERY_THROW)->getColumns();
        sal_Int32 width = 0;
        uno::Reference<beans::XPropertySet>(columns->getByIndex(column), uno::UNO_QUERY_THROW)
            ->getPropertyValue("Width") >>= width;
        useCellFont();
        return widths_.characters(width);
    });
}

int32_t SheetState::rowCount() {
    return book_.sheetExtent(true);
}

int32_t SheetState::columnCount() {
    return book_.sheetExtent(false);
}

void SheetState::flush() {
    useCellFont();
    auto widths = widths_.takeChanges();
    if (!widths.empty() && backgroundCallRunning(widthsCall_))
        finishBackground(); // the widths before these must not land after them
    if (!sendRows(widths) && !widths.empty())
        unoCall([&] { setWidths(sheet(), widths); }, Order::Alongside);
}

bool SheetState::sendRows(const Widths& widths) {
    sinceFlush_.restart();
    if (rows_.empty())
        return false;
    // Taken out first: a block Calc refused is not sent again.
    auto rows = std::move(rows_);
    rows_.clear();
    blockRows_ = std::min(BlockRows, 2 * blockRows_);
    return sendBlock(std::move(rows), firstRow_, widths);
}

void SheetState::writeDirect(int32_t row, int32_t column, const CellValue& cell) {
    unoCall([&] {
        const auto target = sheet()->getCellByPosition(column, row);
        if (const double* number = std::get_if<double>(&cell.value))
            target->setValue(*number);
        else if (const QString* text = std::get_if<QString>(&cell.value))
            uno::Reference<text::XText>(target, uno::UNO_QUERY_THROW)->setString(toOUString(*text));
        else
            target->setFormula(rtl::OUString()); // empties the cell
        if (cell.format != CellFormat::General)
            setNumberFormat(uno::Reference<table::XCellRange>(target, uno::UNO_QUERY_THROW),
                            book_.formatKey(cell.format));
        if (cell.multiline) // Calc keeps the row's height for a cell written on its own
            fitRowHeight(sheet(), row);
    });
}

bool SheetState::sendBlock(std::vector<std::vector<CellValue>> rows, int32_t firstRow,
                           const Widths& widths) {
    // The columns from the first to the last that holds something, as one rectangle: the
    // sheet is empty around the block, so empty columns at either side are not sent. An
    // empty column inside (such as the one before the latitude) is sent as empty cells:
    // each call costs Calc more than a column of empty cells does.
    size_t left = SIZE_MAX, right = 0;
    bool tall = false; // text of several lines
    for (const auto& cells : rows)
        for (size_t column = 0; column < cells.size(); ++column) {
            if (!cells[column].empty() || cells[column].format != CellFormat::General) {
                left = std::min(left, column);
                right = std::max(right, column);
            }
            tall = tall || cells[column].multiline;
        }
    const int32_t lastRow = firstRow + int32_t(rows.size()) - 1;
    flushedThrough_ = std::max(flushedThrough_, lastRow);
    if (left > right)
        return false;
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
    // While the block is made into Calc's values and taken in, the next one is made.
    const uint64_t call = unoCallInBackground(
        [document = book_.document(), calcSheet = sheet_, rows = std::move(rows),
         formats = std::move(formats), tall, widths, left, right, firstRow, lastRow]() mutable {
            // Made before waiting for a sheet being added, or for the switch below.
            const auto data = blockData(rows, left, right);
            const auto& sheet = calcSheet.get();
            {
                // Another block may switch the adjustment on meanwhile: this one is then
                // slower, never wrong.
                std::unique_lock switching(heightSwitch());
                adjustRowHeights(document, tall);
                if (!tall)
                    switching.unlock();
                try {
                    const auto range = sheet->getCellRangeByPosition(int32_t(left), firstRow,
                                                                     int32_t(right), lastRow);
                    uno::Reference<sheet::XCellRangeData>(range, uno::UNO_QUERY_THROW)
                        ->setDataArray(data);
                    for (const FormatRun& run : formats)
                        setNumberFormat(sheet->getCellRangeByPosition(run.column, run.top,
                                                                      run.column, run.bottom),
                                        run.key);
                } catch (const uno::Exception&) {
                    // A refused block must not leave the user's document without the adjustment.
                    try {
                        adjustRowHeights(document, true);
                    } catch (const uno::Exception&) {
                    }
                    throw;
                }
            }
            if (!tall)
                adjustRowHeights(document, true);
            setWidths(sheet, widths);
        });
    if (!widths.empty())
        widthsCall_ = call;
    return true;
}

void SheetState::useCellFont() {
    if (widths_.hasFont())
        return;
    const auto [family, points] = book_.cellFont();
    widths_.setFont(family, points);
}

} // namespace spreadsheet::calc
