#include "PushpinActions.h"
#include "Required.h"
#include "RowActionPattern.h"
#include "SymbolPicker.h"

#include "addin/FailureStyle.h"
#include "mappoint/Location.h"
#include "mappoint/Pushpin.h"

using locastra::Step;

namespace actions {

void ChangePushpinSymbol(RowActionHost& host) {
    const int32_t symbol = OpenSymbolPicker(host.window());
    if (symbol == NoSymbolChosen)
        return;
    ForEachSelectedRow(host, [&host, symbol](RowContext& row) {
        Step([&] { Required(Required(row.pushpin)->Location())->GoTo(); });
        Step([&] { Required(row.pushpin)->SetSymbol(static_cast<int16_t>(symbol)); });
        Step([&] { Required(row.pushpin)->Select(); });
        // The row shows the new symbol even when its pushpin was not found.
        host.setRowSmallIcon(row.row, symbol + 1);
        return RowOutcome::NextRow;
    });
}

} // namespace actions
