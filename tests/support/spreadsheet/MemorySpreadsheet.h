#pragma once

#include "spreadsheet/Application.h"

#include <QString>
#include <cstdint>
#include <vector>

// An in-memory spreadsheet application for the add-in's tests: the object model's
// rules (default sheets "Sheet1" to "Sheet3", new sheets before the active one,
// sheet-name rules, the last sheet cannot go) without a real application behind it.
namespace memsheet {

inline const QString& ClassName = spreadsheet::ApplicationClassName;

// Makes "Excel.Application" create in-memory instances whose sheets hold rowCount rows
// and columnCount columns.
void Register(int32_t rowCount = 1048576, int32_t columnCount = 16384);
// The instances made visible so far, oldest first.
std::vector<spreadsheet::ApplicationPtr> VisibleApplications();
// Lets every instance go.
void Forget();

} // namespace memsheet
