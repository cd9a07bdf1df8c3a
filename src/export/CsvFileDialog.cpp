#include "CsvFileDialog.h"

#include "FormChild.h"
#include "desktop/Desktop.h"
#include "toolwindow/frmAddIn.h"

#include <QDir>

namespace exporting {

namespace {
const QString DialogName = QStringLiteral("CommonDialog1");
}

CsvFileDialog::CsvFileDialog(QObject* parent) : QObject(parent) {
    setObjectName(DialogName);
}

CsvFileDialog& CsvFileDialog::of(toolwindow::frmAddIn& form) {
    return FormChild<CsvFileDialog>(form, DialogName, [&form] { return new CsvFileDialog(&form); });
}

std::optional<QString> CsvFileDialog::Show() {
    desktop::FileDialogRequest request;
    request.initialFolder = QDir::rootPath();
    request.filter = QStringLiteral("Comma Delimited (*.csv)");
    request.filterIndex = 1;
    request.defaultName = fileName_;
    request.save = false;
    request.mustExist = false;
    std::optional<QString> chosen = desktop::services().fileDialog(request);
    if (chosen)
        fileName_ = *chosen;
    return chosen;
}

} // namespace exporting
