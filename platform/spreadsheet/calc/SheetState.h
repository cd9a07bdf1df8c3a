#pragma once

#include "CellValues.h"
#include "ColumnWidths.h"

#include <QElapsedTimer>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <cstdint>
#include <future>
#include <vector>

namespace spreadsheet::calc {

class BookState;

// One sheet of a workbook as the adapter writes it. Writes to a sheet the adapter
// added itself are buffered and sent to Calc in blocks of rows (one cross-process
// call per block, not per cell): when the block is full, a few times a second, before
// anything is read from Calc, and at the end. Rows, columns 0-based.
class SheetState {
public:
    // The sheet in Calc, or what a call still running in the background will make it.
    using CalcSheet = std::shared_future<css::uno::Reference<css::sheet::XSpreadsheet>>;
    SheetState(BookState& book, CalcSheet sheet, bool fresh);

    // The sheet in Calc: only inside a call into Calc, which waits for it if need be.
    const css::uno::Reference<css::sheet::XSpreadsheet>& sheet() const { return sheet_.get(); }
    const CalcSheet& calcSheet() const { return sheet_; }
    // Whether this is the state of the sheet; false for one Calc failed to add.
    bool is(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet) const;

    void write(int32_t row, int32_t column, const QVariant& value);
    // Writes value into every cell of the rectangle.
    void fill(int32_t top, int32_t left, int32_t bottom, int32_t right, const QVariant& value);
    QVariant read(int32_t row, int32_t column);
    // The columns first to last fit their contents (applied at the next flush).
    void fit(int32_t first, int32_t last) { widths_.fit(first, last); }
    double columnWidth(int32_t column);
    int32_t rowCount();
    int32_t columnCount();

    // Sends the pending block, its number formats and the changed column widths.
    void flush();
    // Drops what is pending (the sheet is being deleted).
    void discard() { rows_.clear(); }

private:
    // Column widths to set: (column, width in 1/100 mm).
    using Widths = std::vector<std::pair<int, int>>;
    // Sends the pending block in the background with its number formats and the given
    // widths; false when there was nothing to send. A block made full sends no widths:
    // a call that set them on its own would hold this thread until Calc has taken in
    // the blocks in flight, and Calc would then sit idle until the next block is made.
    bool sendRows(const Widths& widths = {});
    void writeDirect(int32_t row, int32_t column, const CellValue& cell);
    bool sendBlock(std::vector<std::vector<CellValue>> rows, int32_t firstRow,
                   const Widths& widths);
    void useCellFont();

    BookState& book_;
    CalcSheet sheet_;
    // Added by the adapter: every row past flushedThrough_ is empty in Calc but for
    // what is pending, so a block can be sent as one rectangle.
    bool fresh_;
    int32_t flushedThrough_ = -1;
    int32_t firstRow_ = 0;
    std::vector<std::vector<CellValue>> rows_; // the pending block, from firstRow_
    int32_t lastRow_ = -1;
    size_t blockRows_;        // the pending block is sent at this many rows
    size_t rowWidth_ = 0;     // the most cells a pending row has had
    uint64_t widthsCall_ = 0; // the background call that last set this sheet's widths
    QElapsedTimer sinceFlush_;
    ColumnWidths widths_;
};

} // namespace spreadsheet::calc
