#pragma once

#include <QString>

namespace maphost::gdal {

// PROJ opens the grid files a coordinate system names (by a full path, too) as soon as
// the system is read, so a crafted file could make an import read any file, or hang on
// a named pipe. PROJ's file access is limited to its own data folders: every PROJ
// context the process makes (GDAL makes one per thread) gets a file interface that
// refuses every other file.

// Reads PROJ's data folders and sets the interface on PROJ's default context; called
// once, when GDAL is set up (ensureRegistered).
void limitProjFileAccess();

// Whether PROJ may open path (a file inside one of its data folders); for the tests.
bool projMayOpen(const QString& path);

} // namespace maphost::gdal
