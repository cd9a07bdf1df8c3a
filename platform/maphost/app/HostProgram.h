#pragma once

namespace maphost {

// The host program: parses the command line, opens the map (a given document, else
// the demo map), shows the main window, connects the start-up add-ins, registers the
// Application as "MapPoint.Application" and runs until the window closes.
int runHost(int argc, char** argv);

} // namespace maphost
