#pragma once

#include <QString>

namespace spreadsheet {

// A cell reference in A1 notation ("A1", "$H$1") as 0-based row and column; throws
// automation::Error for anything else, or for a cell past maxRows or maxColumns.
void ParseA1(const QString& reference, int& row, int& column, int maxRows, int maxColumns);

} // namespace spreadsheet
