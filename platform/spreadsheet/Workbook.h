#pragma once

#include "Types.h"

#include <QString>

namespace spreadsheet {

class Workbook : public automation::Object {
public:
    virtual QString Name() = 0;
    // Every sheet of the workbook; Worksheets is the same collection (a workbook
    // here holds worksheets only).
    virtual SheetsPtr Sheets() = 0;
    virtual SheetsPtr Worksheets() = 0;
};

} // namespace spreadsheet
