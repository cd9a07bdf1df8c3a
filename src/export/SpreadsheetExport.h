#pragma once

namespace toolwindow {
class frmAddIn;
}

// Exports the chosen datasets, or the pushpins inside the selected shape, with their
// latitude and longitude to a new visible spreadsheet workbook.
void exportByDataset2Excel(toolwindow::frmAddIn& form);
void exportFromShape2Excel(toolwindow::frmAddIn& form);
