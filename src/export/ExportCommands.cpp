#include "ExportCommands.h"

#include "CsvExport.h"
#include "CsvFileDialog.h"
#include "SpreadsheetExport.h"
#include "addin/FailureStyle.h"
#include "automation/ClassRegistry.h"
#include "spreadsheet/Application.h"
#include "toolwindow/frmAddIn.h"

#include <QRadioButton>

namespace exporting {

namespace {

enum class What { DataSets, Shape };

// Runs the spreadsheet export while a probe instance of the spreadsheet application
// is held; false when none can be started (or the export failed), which sends the
// command on the CSV route. The probe is only held, never used.
bool exportToSpreadsheet(toolwindow::frmAddIn& form, What what) {
    return locastra::EndSilentlyOnFailure([&] {
        const spreadsheet::ApplicationPtr probe =
            automation::CreateObjectAs<spreadsheet::Application>(spreadsheet::ApplicationClassName);
        if (what == What::DataSets)
            exportByDataset2Excel(form);
        else
            exportFromShape2Excel(form);
    });
}

// The CSV route: the file dialog, then the export to the chosen file; nothing when
// the dialog is cancelled. whatAfterDialog decides what to export once the dialog
// has closed.
template <class Decide> void exportToCsv(toolwindow::frmAddIn& form, Decide&& whatAfterDialog) {
    std::optional<QString> fileName;
    // The dialog itself failing is reported like a failed export.
    const bool shown =
        locastra::EndWithMessageOnFailure([&] { fileName = CsvFileDialog::of(form).Show(); },
                                          QStringLiteral("Error"), desktop::Icon::Critical);
    if (!shown || !fileName)
        return;
    if (whatAfterDialog() == What::DataSets)
        exportbydataset2csv(form, *fileName);
    else
        exportFromShape2csv(form, *fileName);
}

What optionChoice(const toolwindow::frmAddIn& form) {
    return form.Option2[0] && form.Option2[0]->isChecked() ? What::DataSets : What::Shape;
}

} // namespace

void mnuSelectedDataset_Click(toolwindow::frmAddIn& form) {
    if (!exportToSpreadsheet(form, What::DataSets))
        exportToCsv(form, [] { return What::DataSets; });
}

void mnuSelectedShape_Click(toolwindow::frmAddIn& form) {
    if (!exportToSpreadsheet(form, What::Shape))
        exportToCsv(form, [] { return What::Shape; });
}

void cmdExport_Click(toolwindow::frmAddIn& form) {
    if (!exportToSpreadsheet(form, optionChoice(form)))
        exportToCsv(form, [&form] { return optionChoice(form); });
}

} // namespace exporting
