#include "ExportWiring.h"

#include "ExportCommands.h"
#include "toolwindow/frmAddIn.h"
#include "widgets/chameleonButton.h"

#include <QAction>

namespace exporting {

void wireExportCommands(toolwindow::frmAddIn& form) {
    toolwindow::frmAddIn* window = &form;
    QObject::connect(form.mnuSelectedDataset, &QAction::triggered, window,
                     [window] { mnuSelectedDataset_Click(*window); });
    QObject::connect(form.mnuSelectedShape, &QAction::triggered, window,
                     [window] { mnuSelectedShape_Click(*window); });
    QObject::connect(form.cmdExport, &chameleonButton::Click, window,
                     [window] { cmdExport_Click(*window); });
}

} // namespace exporting
