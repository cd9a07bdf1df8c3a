#include "SelectorEntries.h"

#include "toolwindow/frmAddIn.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace tools {

void SelectEntries(toolwindow::frmAddIn& form, const QString& name) {
    if (name.isEmpty())
        return;
    QComboBox* selector = form.ImageCombo1;
    // A selection made from code raises no selection notification: the status panel
    // keeps what the command left in it.
    const QSignalBlocker quiet(selector);
    for (int i = 0; i < selector->count(); ++i) {
        if (selector->itemText(i) == name)
            selector->setCurrentIndex(i);
    }
}

} // namespace tools
