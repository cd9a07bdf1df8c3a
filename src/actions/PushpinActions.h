#pragma once

#include "RowActionHost.h"

// The result list's commands: the double-click and the entries of the pop-up menu
// mnuRightClick. Each takes the tool window it acts for and reports nothing; failing
// host calls are skipped step by step.
namespace actions {

// Double-click on the result list: for the first selected row whose pushpin is found
// (by exact name, else by the deep search), centres the map on it, selects it, opens
// its full balloon and zooms to the close-up altitude. When no map host can be reached
// the double-click does nothing.
void DoubleClickRow(RowActionHost& host);

// "Show Information", "Show Name Only", "Close Balloon": select, centre, set the balloon
// (2, 1, 0) for every selected row.
void ShowInformation(RowActionHost& host);
void ShowNameOnly(RowActionHost& host);
void CloseBalloon(RowActionHost& host);

// "Highlight On/Off": centre, toggle the pushpin's own highlight, altitude 10, for every
// selected row.
void ToggleHighlight(RowActionHost& host);

// "Delete Pushpin": deletes the first selected row's pushpin (no question) and removes
// that row, found or not; other selected rows stay.
void DeletePushpin(RowActionHost& host);

// "Get Lat/Lon": one message box per selected row with the derived latitude and
// longitude ("lat , lon"), title "Locastra", no icon.
void GetLatLon(RowActionHost& host);

// "Copy/Print Information": gathers the selected pushpins' data into the shared
// information text and opens frmPushpin modally.
void ShowPushpinInformation(RowActionHost& host);

// "Change Pushpin Symbol": opens the symbol picker; on a choice gives every selected
// row's pushpin that symbol and the row its picture.
void ChangePushpinSymbol(RowActionHost& host);

} // namespace actions
