#include "ToolWindowWiring.h"

#include "actions/CopyLatLonAction.h"
#include "actions/PushpinActions.h"
#include "export/ExportWiring.h"
#include "tools/CoordinateCommands.h"
#include "tools/ToolsWiring.h"
#include "toolwindow/ResultListView.h"
#include "toolwindow/frmAddIn.h"

#include <QAction>

namespace locastra {

namespace {

// The result-list actions: the double-click and the entries of mnuRightClick (the
// divider mnu1 does nothing).
void wireRowActions(toolwindow::frmAddIn& form) {
    toolwindow::frmAddIn* window = &form;
    const auto onEntry = [window](QAction* entry, void (*handler)(actions::RowActionHost&)) {
        QObject::connect(entry, &QAction::triggered, window,
                         [window, handler] { handler(window->rowActionHost()); });
    };
    onEntry(form.mnuShowInformation, &actions::ShowInformation);
    onEntry(form.mnuShowName, &actions::ShowNameOnly);
    onEntry(form.mnuCloseBalloon, &actions::CloseBalloon);
    onEntry(form.mnuHighlight, &actions::ToggleHighlight);
    onEntry(form.mnuGetLatLon, &actions::GetLatLon);
    onEntry(form.mnuShowInfo, &actions::ShowPushpinInformation);
    onEntry(form.mnuChangeSymbol, &actions::ChangePushpinSymbol);
    onEntry(form.mnuDeletePushpin, &actions::DeletePushpin);
    onEntry(form.mnuCopyLatLon, &actions::CopyLatLon);
    QObject::connect(form.ListView1, &QAbstractItemView::doubleClicked, window,
                     [window] { actions::DoubleClickRow(window->rowActionHost()); });
}

} // namespace

void WireToolWindow(toolwindow::frmAddIn& form) {
    // The modules that act on the tool window add their connections here.
    wireRowActions(form);
    exporting::wireExportCommands(form);
    tools::wireTools(form);
    tools::wireCoordinateCommands(form);
}

} // namespace locastra
