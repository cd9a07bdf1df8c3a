#pragma once

#include <QString>
#include <cstdint>

// The values "Copy/Print Information" hands to the information window frmPushpin. They
// live as long as the add-in library.
namespace actions {

// The information text: emptied at the start of every "Copy/Print Information" and by
// the window's "Close" button.
extern QString g_sPushpinInfo;
// The name and symbol of the header row: the last pushpin described; never cleared.
extern QString g_sPushpinName;
extern int32_t g_lPushpinSymbol;

// Line ending of the information text.
inline const QString InfoLineEnd = QStringLiteral("\r\n");

} // namespace actions
