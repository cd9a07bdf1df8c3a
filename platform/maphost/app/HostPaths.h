#pragma once

#include <QString>

namespace maphost {

// Where the host keeps its per-user files. Both honour the XDG variables
// (XDG_CONFIG_HOME, XDG_DATA_HOME), so tests can point them at a folder of their own.
namespace paths {

// The host's per-user settings: <config>/Locastra/maphost.ini (add-in records,
// window geometry, recent files).
QString settingsFile();
// The host's per-user data folder: <data>/Locastra/maphost.
QString dataFolder();

} // namespace paths
} // namespace maphost
