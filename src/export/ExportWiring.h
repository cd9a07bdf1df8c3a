#pragma once

namespace toolwindow {
class frmAddIn;
}

namespace exporting {

// Connects Tools > Export with Lat/Lon > Selected Datasets / Selected Shape and the
// Export button to the export commands.
void wireExportCommands(toolwindow::frmAddIn& form);

} // namespace exporting
