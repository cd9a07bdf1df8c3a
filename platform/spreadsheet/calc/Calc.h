#pragma once

#include "CalcOptions.h"

#include <QString>

// The Calc adapter's public entry for the host.
namespace spreadsheet::calc {

// Makes spreadsheet::ApplicationClassName ("Excel.Application") creatable: each instance is a
// client of Locastra's own Calc, started as described by options.
void Register(const Options& options);
// Drops the connection to Calc at the host's exit; Calc and its documents stay.
void Disconnect();

} // namespace spreadsheet::calc
