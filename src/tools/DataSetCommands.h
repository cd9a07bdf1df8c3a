#pragma once

#include <QString>

namespace toolwindow {
class frmAddIn;
}

namespace tools {

// The message Hide and Unhide/Change Symbol show for the choice "All".
inline const QString ChooseDataSetFirst =
    QStringLiteral("You must first select a Dataset from the List");

// Dataset > Zoom to Dataset: shows the first dataset named by the choice; ends
// silently at the first failure ("All" names none).
void ZoomToDataset(toolwindow::frmAddIn& form);
// Dataset > Hide Dataset: gives every pushpin of the chosen datasets the invisible
// "Hide" symbol and closes its balloon. Failing steps are skipped.
void HideDataset(toolwindow::frmAddIn& form);
// Dataset > Unhide/Change Symbol: gives the chosen datasets and their pushpins the
// symbol picked in the symbol picker. Failing steps are skipped.
void ChangeDataSetSymbol(toolwindow::frmAddIn& form);

} // namespace tools
