#include "ToolWindowWiring.h"

#include "toolwindow/frmAddIn.h"

namespace locastra {

void WireToolWindow(toolwindow::frmAddIn& form) {
    // The modules that act on the tool window add their connections here.
    (void)form;
}

} // namespace locastra
