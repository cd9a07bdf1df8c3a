#pragma once

#include <QString>

namespace toolwindow {
class frmAddIn;
}

namespace tools {

// Selects each entry of the Dataset selector whose text is exactly name (the last
// such entry stays selected); none when name is empty. The selector's change
// notification is not raised.
void SelectEntries(toolwindow::frmAddIn& form, const QString& name);

} // namespace tools
