#pragma once

#include "mappoint/Types.h"

#include <QString>
#include <optional>

namespace tools {

// The name of the invisible custom symbol and the bitmap it is made from.
inline const QString HideSymbolName = QStringLiteral("Hide");
inline const QString HideBitmapName = QStringLiteral("hide.bmp");

// The ID of the map's symbol named "Hide" (the last one when several are), adding it
// from hide.bmp in the add-in folder when the map has none. Nothing when it can be
// neither found nor added. Failing steps are skipped.
std::optional<int16_t> FindOrAddHideSymbol(const mappoint::MapPtr& map);

} // namespace tools
