#pragma once

#include <QString>

namespace tools {

// The maker's web site: the host name shown in the About window and the help error
// message, and the address of the help page.
inline const QString MakerHost = QStringLiteral("www.locastra.example");
inline const QString HelpPageAddress = QStringLiteral("http://www.locastra.example/help.html");

inline const QString HelpFileName = QStringLiteral("locastra.chm");
// The help page shipped beside the library where no compiled help file is.
inline const QString HelpPageFileName = QStringLiteral("locastra.html");

// The text of the message shown when the help cannot be opened.
QString HelpErrorMessage();
// The help file to open: folder/locastra.chm, or folder/locastra.html when only that
// exists. Empty when the folder is unknown.
QString HelpFilePath(const QString& folder);

// Help > Help (F1): opens the help file in the help viewer; shows the "Error" message
// when the folder is unknown or no viewer can show it.
void ShowHelpFile();
// The hidden help button: opens the maker's help page; the result is not examined.
void OpenHelpPage();

} // namespace tools
