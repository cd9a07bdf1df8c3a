#pragma once

#include "CellValues.h"

#include <QString>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace spreadsheet::calc {

class SheetState;

// One Calc document opened by an application object: the sheets the adapter has
// handed out (with their pending writes), the number formats it uses, and which
// sheet is active. Sends everything pending when the last client lets it go.
class BookState {
public:
    explicit BookState(css::uno::Reference<css::sheet::XSpreadsheetDocument> document);
    ~BookState();
    BookState(const BookState&) = delete;
    BookState& operator=(const BookState&) = delete;

    const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document() const {
        return document_;
    }
    // The state of a sheet, made on first use; fresh for a sheet the adapter just added.
    std::shared_ptr<SheetState> stateOf(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet,
                                        bool fresh = false);
    void forget(const SheetState* state);
    // Sends what every sheet has pending; anything that reads or changes the workbook's
    // sheets calls this first.
    void flushAll();
    // Sends what every sheet but one has pending.
    void flushOthers(const SheetState* keep);

    // The document's sheets and its view (null without one), asked once: each is a
    // round trip to Calc, and a new sheet needs all of them. Only inside a call into Calc.
    const css::uno::Reference<css::sheet::XSpreadsheets>& sheets();
    const css::uno::Reference<css::container::XIndexAccess>& sheetIndex();
    const css::uno::Reference<css::sheet::XSpreadsheetView>& view();

    // Calc's number format for dates, times and booleans.
    int32_t formatKey(CellFormat format);
    // The font family and size (points) of the workbook's cells, asked once.
    std::pair<QString, double> cellFont();
    // How many rows or columns a sheet holds, asked once: every sheet of a Calc
    // document has the same size.
    int32_t sheetExtent(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, bool rows);
    // The active sheet's position (0-based), and making a sheet active.
    int32_t activeIndex();
    void activate(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, int32_t index);

private:
    css::uno::Reference<css::sheet::XSpreadsheetDocument> document_;
    std::vector<std::shared_ptr<SheetState>> sheets_;
    std::map<CellFormat, int32_t> formatKeys_;
    int32_t active_ = 0;
    std::optional<std::pair<QString, double>> font_;
    css::uno::Reference<css::sheet::XSpreadsheets> calcSheets_;
    css::uno::Reference<css::container::XIndexAccess> calcSheetIndex_;
    std::optional<css::uno::Reference<css::sheet::XSpreadsheetView>> calcView_;
    int32_t rows_ = 0;
    int32_t columns_ = 0;
};

} // namespace spreadsheet::calc
