#include "HelpCommands.h"

#include "AddinFolder.h"
#include "addin/FailureStyle.h"
#include "desktop/Desktop.h"

#include <QHash>

namespace tools {

QString HelpErrorMessage() {
    // Names the add-in library as it is on this system, so the user looks for a file
    // that exists.
    return QStringLiteral("Could not open the helpfile,  make sure 'locastra.chm' is in the "
                          "same directory as libLocastra.so. you can download it from ") +
           MakerHost;
}

QString WindowHelpTopic(const QString& windowName) {
    static const QHash<QString, QString> topics = {
        {QStringLiteral("frmAddIn"), QStringLiteral("tool-window.html")},
        {QStringLiteral("frmPushpin"), QStringLiteral("information-window.html")},
        {QStringLiteral("frmSelectPushpinSymbol"), QStringLiteral("symbol-picker.html")},
        {QStringLiteral("frmAbout"), QStringLiteral("about.html")},
        {QStringLiteral("frmZoomToCoordinates"), QStringLiteral("zoom-to-coordinates.html")}};
    return topics.value(windowName);
}

QString HelpFilePath(const QString& folder) {
    if (folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + HelpFileName;
}

void ShowHelpFile() {
    ShowHelpTopic(QString());
}

void ShowHelpTopic(const QString& topic) {
    const QString path = HelpFilePath(AddinFolder());
    if (!path.isEmpty() && desktop::services().showHelp(path, topic))
        return;
    locastra::ShowError(HelpErrorMessage());
}

QString BrowserErrorMessage(const QString& address) {
    return QStringLiteral("Could not open %1, no web browser could be started. Open the "
                          "address in your web browser.")
        .arg(address);
}

void OpenWebPage(const QString& address) {
    if (!desktop::services().shellOpen(address))
        locastra::ShowError(BrowserErrorMessage(address));
}

void OpenHelpPage() {
    desktop::services().shellOpen(HelpPageAddress);
}

} // namespace tools
