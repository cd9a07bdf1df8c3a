#pragma once

#include "CellValues.h"
#include "ColumnWidths.h"

#include <QElapsedTimer>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <cstdint>
#include <vector>

namespace spreadsheet::calc {

class BookState;

// One sheet of a workbook as the adapter writes it. Writes to a sheet the adapter
// added itself are buffered and sent to Calc in blocks of rows (one cross-process
// call per block, not per cell): when the block is full, a few times a second, before
// anything is read from Calc, and at the end. Rows, columns 0-based.
class SheetState {
public:
    SheetState(BookState& book, css::uno::Reference<css::sheet::XSpreadsheet> sheet, bool fresh);

    const css::uno::Reference<css::sheet::XSpreadsheet>& sheet() const { return sheet_; }

    void write(int32_t row, int32_t column, const QVariant& value);
    // Writes value into every cell of the rectangle.
    void fill(int32_t top, int32_t left, int32_t bottom, int32_t right, const QVariant& value);
    QVariant read(int32_t row, int32_t column);
    // The columns first to last fit their contents (applied when the block is sent).
    void fit(int32_t first, int32_t last) { widths_.fit(first, last); }
    double columnWidth(int32_t column);
    int32_t rowCount();
    int32_t columnCount();

    // Sends the pending block, its number formats and the changed column widths.
    void flush();
    // Drops what is pending (the sheet is being deleted).
    void discard() { rows_.clear(); }

private:
    void writeDirect(int32_t row, int32_t column, const CellValue& cell);
    void sendBlock(std::vector<std::vector<CellValue>> rows, int32_t firstRow);
    void sendWidths();
    void useCellFont();
    int32_t extent(int32_t& known, bool rows);

    BookState& book_;
    css::uno::Reference<css::sheet::XSpreadsheet> sheet_;
    // Added by the adapter: every row past flushedThrough_ is empty in Calc but for
    // what is pending, so a block can be sent as one rectangle.
    bool fresh_;
    int32_t flushedThrough_ = -1;
    int32_t firstRow_ = 0;
    std::vector<std::vector<CellValue>> rows_; // the pending block, from firstRow_
    int32_t lastRow_ = -1;
    QElapsedTimer sinceFlush_;
    ColumnWidths widths_;
    int32_t rowCount_ = 0;
    int32_t columnCount_ = 0;
};

} // namespace spreadsheet::calc
