#pragma once

namespace toolwindow {
class frmAddIn;
}

// Tools > Export with Lat/Lon > GIS File: the save dialog, then the GIS file export of
// the chosen datasets or of the pushpins inside the selected shape. A cancelled dialog
// exports nothing.
namespace exporting {

void mnuGisSelectedDatasets_Click(toolwindow::frmAddIn& form);
void mnuGisSelectedShape_Click(toolwindow::frmAddIn& form);

} // namespace exporting
