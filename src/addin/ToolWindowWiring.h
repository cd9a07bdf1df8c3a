#pragma once

namespace toolwindow {
class frmAddIn;
}

namespace locastra {

// Connects the commands of the other modules (row actions, exports, dataset tools,
// view and help) to a freshly created tool window's buttons and menu entries.
void WireToolWindow(toolwindow::frmAddIn& form);

} // namespace locastra
