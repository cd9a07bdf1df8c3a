#pragma once

namespace toolwindow {
class frmAddIn;
}

// The Tools > Export with Lat/Lon commands and the hidden Export button. Each probes
// for a spreadsheet application ("Excel.Application"): when one can be started the
// spreadsheet export runs; otherwise the user picks a file in the CSV file dialog and
// the CSV export writes it. A cancelled dialog exports nothing.
namespace exporting {

void mnuSelectedDataset_Click(toolwindow::frmAddIn& form);
void mnuSelectedShape_Click(toolwindow::frmAddIn& form);
// Datasets when element 0 of Option2 is selected, otherwise the selected shape.
void cmdExport_Click(toolwindow::frmAddIn& form);

} // namespace exporting
