#pragma once

#include <QString>

namespace tools {

// The folder that holds the add-in library (where hide.bmp and the help file lie).
// Empty when it cannot be determined. Tests may point it elsewhere.
QString AddinFolder();
// Overrides the folder; an empty text goes back to the library's own folder.
void SetAddinFolder(const QString& folder);

} // namespace tools
