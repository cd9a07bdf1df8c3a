#include "GisFileDialog.h"

#include "FormChild.h"
#include "GisFormat.h"
#include "desktop/Desktop.h"
#include "toolwindow/frmAddIn.h"

#include <QDir>

namespace exporting {

namespace {
const QString DialogName = QStringLiteral("GisFileDialog");
}

GisFileDialog::GisFileDialog(QObject* parent) : QObject(parent) {
    setObjectName(DialogName);
}

GisFileDialog& GisFileDialog::of(toolwindow::frmAddIn& form) {
    return FormChild<GisFileDialog>(form, DialogName, [&form] { return new GisFileDialog(&form); });
}

std::optional<GisFileDialog::Choice> GisFileDialog::Show() {
    desktop::FileDialogRequest request;
    request.initialFolder = QDir::homePath();
    request.filter = GisFilters();
    request.filterIndex = filterIndex_;
    request.defaultName = fileName_;
    request.save = true;
    // The export asks, once the extension is added and it knows every file it replaces.
    request.confirmOverwrite = false;
    int chosenFilter = filterIndex_;
    request.chosenFilterIndex = &chosenFilter;
    const std::optional<QString> chosen = desktop::services().fileDialog(request);
    if (!chosen)
        return std::nullopt;
    const GisFormat* format = GisFormatFor(*chosen, chosenFilter);
    if (!format)
        return std::nullopt;
    filterIndex_ = chosenFilter;
    fileName_ = WithExtension(*chosen, *format);
    return Choice{fileName_, format};
}

} // namespace exporting
