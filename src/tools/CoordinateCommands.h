#pragma once

namespace toolwindow {
class frmAddIn;
}

namespace tools {

// Fills View > Coordinate Format with one radio entry per format (the chosen one
// checked whenever the menu opens; choosing one stores it) and connects View > Zoom to
// Coordinates....
void wireCoordinateCommands(toolwindow::frmAddIn& form);

} // namespace tools
