#pragma once

#include "CalcOptions.h"

#include <QString>
#include <sys/types.h>

namespace spreadsheet::calc {

// Starts Locastra's Calc as a process of its own: in a new session (so it outlives
// the host and never gets the host's signals), with its own profile, accepting UNO
// connections on the pipe pipeName, its output going to a log file in the profile. It
// gets no descriptor of the host's but the standard three, none of the variables only
// the host's UNO runtime needs, and a umask that keeps its files to the user.
// Returns the new process group; throws automation::Error when Calc is not installed
// or cannot be started.
pid_t StartOffice(const Options& options, const QString& pipeName);

// Whether any process of the group still runs.
bool GroupRunning(pid_t group);

} // namespace spreadsheet::calc
