#pragma once

#include "CalcOptions.h"

#include <sys/types.h>

namespace spreadsheet::calc {

// Starts Locastra's Calc as a process of its own: in a new session (so it outlives
// the host and never gets the host's signals), with its own profile, accepting UNO
// connections on the profile's pipe, its output going to a log file in the profile.
// Returns the new process group; throws automation::Error when Calc is not installed
// or cannot be started.
pid_t StartOffice(const Options& options);

// Whether any process of the group still runs.
bool GroupRunning(pid_t group);

} // namespace spreadsheet::calc
