#include "HelpCommands.h"

#include "AddinFolder.h"
#include "desktop/Desktop.h"

#include <QFileInfo>

namespace tools {

QString HelpErrorMessage() {
    return QStringLiteral("Could not open the helpfile,  make sure 'locastra.chm' is in the "
                          "same directory as locastra.dll. you can download it from ") +
           MakerHost;
}

QString HelpFilePath(const QString& folder) {
    if (folder.isEmpty())
        return QString();
    const QString chm = folder + QLatin1Char('/') + HelpFileName;
    const QString page = folder + QLatin1Char('/') + HelpPageFileName;
    if (!QFileInfo::exists(chm) && QFileInfo::exists(page))
        return page;
    return chm;
}

void ShowHelpFile() {
    const QString path = HelpFilePath(AddinFolder());
    if (!path.isEmpty() && desktop::services().showHelp(path, QString()))
        return;
    desktop::services().messageBox(HelpErrorMessage(), QStringLiteral("Error"),
                                   desktop::Icon::Critical, desktop::Buttons::Ok);
}

void OpenHelpPage() {
    desktop::services().shellOpen(HelpPageAddress);
}

} // namespace tools
