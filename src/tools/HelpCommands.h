#pragma once

#include <QString>

namespace tools {

// The maker's web site: the host name shown in the About window and the help error
// message, and the address of the help page.
inline const QString MakerHost = QStringLiteral("www.locastra.example");
inline const QString HelpPageAddress = QStringLiteral("http://www.locastra.example/help.html");

inline const QString HelpFileName = QStringLiteral("locastra.chm");

// The help topic of each Locastra window (F1 opens it), keyed by the window's name.
QString WindowHelpTopic(const QString& windowName);

// The text of the message shown when the help cannot be opened.
QString HelpErrorMessage();
// The help file to open: folder/locastra.chm. Empty when the folder is unknown.
QString HelpFilePath(const QString& folder);

// Help > Help: opens the help file in the help viewer at its first topic; shows the
// "Error" message when the folder is unknown or no viewer can be started. (Its
// shortcut F1 opens the tool window's topic: WindowHelpKey.)
void ShowHelpFile();
// The same at a topic of the file ("symbol-picker.html").
void ShowHelpTopic(const QString& topic);
// The text of the message shown when no web browser could open address.
QString BrowserErrorMessage(const QString& address);
// Opens a web page in the user's browser; when none can be started, says so in a
// message box like the help error's.
void OpenWebPage(const QString& address);

// The hidden help button: opens the maker's help page; the result is not examined.
void OpenHelpPage();

} // namespace tools
