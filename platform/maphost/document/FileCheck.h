#pragma once

#include <QString>

namespace maphost {

// Why the file at path cannot be handed to GDAL for reading, or an empty string when it
// can. Refused up front is what would mislead the user or block the reader for ever: a
// missing name, a name that is not valid UTF-8 (Qt shows such bytes as U+FFFD and cannot
// open them), a folder, a named pipe, socket or device, an unreadable file, and a side
// file (the same base name with another extension, or the name followed by "-", as
// SQLite and the Shapefile and CSV readers use) that is a pipe, socket or device.
QString unreadableReason(const QString& path);

} // namespace maphost
