#pragma once

#include <QString>

namespace locastra {

// The add-in's title: the title of its messages and the application name its per-user
// settings are stored under in the desktop settings store, in section SettingsSection.
inline const QString AppTitle = QStringLiteral("Locastra");
inline const QString SettingsSection = QStringLiteral("Settings");

} // namespace locastra
