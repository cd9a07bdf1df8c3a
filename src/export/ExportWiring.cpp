#include "ExportWiring.h"

#include "ExportCommands.h"
#include "GisCommands.h"
#include "toolwindow/frmAddIn.h"
#include "widgets/chameleonButton.h"

#include <QAction>
#include <QMenu>

namespace exporting {

namespace {

// "GIS File" after the submenu's two entries, with the same two choices of pushpins.
// Its "Selected Shape..." is enabled exactly when the submenu's "Selected Shape" is.
void addGisFileMenu(toolwindow::frmAddIn& form) {
    toolwindow::frmAddIn* window = &form;
    QMenu* gis = form.mnuExport->addMenu(QStringLiteral("GIS File"));
    gis->setObjectName(QStringLiteral("mnuGisFile"));
    QAction* dataSets = gis->addAction(QStringLiteral("Selected Datasets..."));
    dataSets->setObjectName(QStringLiteral("mnuGisSelectedDatasets"));
    QAction* shape = gis->addAction(QStringLiteral("Selected Shape..."));
    shape->setObjectName(QStringLiteral("mnuGisSelectedShape"));
    shape->setEnabled(form.mnuSelectedShape->isEnabled());
    QObject::connect(
        form.mnuSelectedShape, &QAction::changed, shape,
        [source = form.mnuSelectedShape, shape] { shape->setEnabled(source->isEnabled()); });
    QObject::connect(dataSets, &QAction::triggered, window,
                     [window] { mnuGisSelectedDatasets_Click(*window); });
    QObject::connect(shape, &QAction::triggered, window,
                     [window] { mnuGisSelectedShape_Click(*window); });
}

} // namespace

void wireExportCommands(toolwindow::frmAddIn& form) {
    toolwindow::frmAddIn* window = &form;
    QObject::connect(form.mnuSelectedDataset, &QAction::triggered, window,
                     [window] { mnuSelectedDataset_Click(*window); });
    QObject::connect(form.mnuSelectedShape, &QAction::triggered, window,
                     [window] { mnuSelectedShape_Click(*window); });
    QObject::connect(form.cmdExport, &chameleonButton::Click, window,
                     [window] { cmdExport_Click(*window); });
    addGisFileMenu(form);
}

} // namespace exporting
