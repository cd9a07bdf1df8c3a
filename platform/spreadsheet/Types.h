#pragma once

#include "automation/Object.h"

#include <QString>
#include <memory>

// The spreadsheet object model: interfaces only, reached through the class registry
// under "Excel.Application" (implemented by the LibreOffice Calc adapter in calc/).
// Row and column numbers are 1-based.
namespace spreadsheet {

class Application;
class Workbooks;
class Workbook;
class Sheets;
class Worksheet;
class Range;

using ApplicationPtr = std::shared_ptr<Application>;
using WorkbooksPtr = std::shared_ptr<Workbooks>;
using WorkbookPtr = std::shared_ptr<Workbook>;
using SheetsPtr = std::shared_ptr<Sheets>;
using WorksheetPtr = std::shared_ptr<Worksheet>;
using RangePtr = std::shared_ptr<Range>;

// The class name the spreadsheet application is created by.
inline const QString ApplicationClassName = QStringLiteral("Excel.Application");

// Language identifier passed by clients to members that take one (US English).
constexpr int LanguageId = 1033;

} // namespace spreadsheet
