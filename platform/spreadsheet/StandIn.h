#pragma once

#include "Application.h"

#include <QString>
#include <vector>

// The spreadsheet stand-in's public entry: the creatable class and the instances
// the user now owns.
namespace spreadsheet {

inline const QString ClassName = QStringLiteral("Excel.Application");

// A new, invisible application instance.
ApplicationPtr CreateApplication();
// Makes "Excel.Application" creatable through the class registry.
void RegisterStandIn();

// The instances made visible and not yet closed by the user, oldest first. A visible
// instance lives on after its clients release it, until its windows are closed.
std::vector<ApplicationPtr> VisibleApplications();
// Closes every visible instance's windows and lets the instances go.
void CloseVisibleApplications();

} // namespace spreadsheet
