#pragma once

#include "RowActionHost.h"

namespace actions {

// "Copy Lat/Lon": derives the position of every selected row's pushpin and puts one
// line per derived position on the clipboard, name TAB position in the user's
// coordinate format: latitude TAB longitude in every degree format, the one grid
// reference in UTM / UPS and MGRS. Rows whose
// pushpin is not found or whose position cannot be derived are left out; the status
// bar tells how many positions were copied of the rows selected. When none was, the
// clipboard keeps what it had.
void CopyLatLon(RowActionHost& host);

// The status text of Copy Lat/Lon: "Copied 2 of 3 positions".
QString CopiedStatusText(int copied, int selected);

} // namespace actions
