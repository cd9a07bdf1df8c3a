#include "RowActionPattern.h"

#include "PushpinLookup.h"

#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"

namespace actions {

void ForEachSelectedRow(RowActionHost& host, const std::function<RowOutcome(RowContext&)>& steps) {
    const int rowCount = host.rowCount();
    for (int i = 1; i <= rowCount; ++i) {
        if (!host.isRowSelected(i))
            continue;
        RowContext context;
        context.row = i;
        context.text = host.rowText(i);
        locastra::Step([&] { context.map = locastra::AttachActiveMap(); });
        locastra::Step([&] { context.pushpin = FindPushpinForRow(context.map, context.text); });
        bool end = false;
        locastra::Step([&] { end = steps(context) == RowOutcome::EndCommand; });
        if (end)
            return;
    }
}

} // namespace actions
