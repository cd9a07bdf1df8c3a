#pragma once

namespace maphost {

// The host program: parses the command line, opens the map (a given document, else
// the demo map), shows the main window, connects the start-up add-ins, registers the
// Application as "MapPoint.Application" and runs until the window closes.
int runHost(int argc, char** argv);

// The program's organisation, name and version. It sets no application display name,
// so the windows of the host and of its add-ins show exactly their own titles.
void setHostIdentity();

} // namespace maphost
