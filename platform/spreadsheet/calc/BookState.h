#pragma once

#include "CellValues.h"

#include <QString>
#include <QStringList>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <functional>
#include <future>
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
    // The state of a sheet the workbook has, made on first use.
    std::shared_ptr<SheetState> stateOf(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet);
    // Adds a sheet before the active one, named "SheetN" with the lowest free N above
    // the count of sheets, and makes it active. Calc does so in the background, after
    // the changes to the sheets before it: the state is there at once, its sheet in Calc
    // once that call ran.
    std::shared_ptr<SheetState> addSheet();
    // Runs a change of the workbook's sheets in the background, after the changes before
    // it (in the order they were asked for, as a user of the object model expects).
    void changeSheets(std::function<void()> change);
    // False when Calc may refuse name for a sheet: a name it gives new sheets, one with a
    // character it does not take, or one the workbook had or the adapter gave (compared
    // without case). A name that is true here is taken in the background.
    bool surelyAccepted(const QString& name);
    void noteName(const QString& name);
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
    int32_t sheetExtent(bool rows);
    // Makes a sheet (at the position, 0-based) active.
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
    // The sheets' names when first asked for, and those the adapter gave since.
    std::optional<QStringList> names_;
    std::shared_future<void> lastChange_;
    int32_t rows_ = 0;
    int32_t columns_ = 0;
};

} // namespace spreadsheet::calc
