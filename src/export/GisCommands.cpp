#include "GisCommands.h"

#include "GisExport.h"
#include "GisFileDialog.h"
#include "addin/FailureStyle.h"

namespace exporting {

namespace {

template <class Export> void exportToGisFile(toolwindow::frmAddIn& form, Export&& exportTo) {
    std::optional<GisFileDialog::Choice> choice;
    // The dialog itself failing is reported like a failed export.
    const bool shown =
        locastra::EndWithMessageOnFailure([&] { choice = GisFileDialog::of(form).Show(); },
                                          QStringLiteral("Error"), desktop::Icon::Critical);
    if (shown && choice)
        exportTo(form, choice->fileName, *choice->format);
}

} // namespace

void mnuGisSelectedDatasets_Click(toolwindow::frmAddIn& form) {
    exportToGisFile(form, exportByDataset2Gis);
}

void mnuGisSelectedShape_Click(toolwindow::frmAddIn& form) {
    exportToGisFile(form, exportFromShape2Gis);
}

} // namespace exporting
