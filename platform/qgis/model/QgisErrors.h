#pragma once

#include <QString>

// The automation errors the QGIS object model raises.
namespace qgishost {

// The layer or feature behind an object is gone (removed, deleted or never there).
[[noreturn]] void throwObjectDeleted(const QString& what);
[[noreturn]] void throwInvalidArgument(const QString& message);
// The call cannot be carried out on this layer (read-only source, no such field).
[[noreturn]] void throwNotSupported(const QString& message);
// The layer's data source stopped answering (a database server gone or unreachable).
[[noreturn]] void throwSourceUnavailable(const QString& layerName);

} // namespace qgishost
