#pragma once

#include "Types.h"

#include <QString>
#include <cstdint>

namespace spreadsheet {

// A workbook's sheets in tab order; 1-based.
class Sheets : public automation::Object {
public:
    // A new worksheet with every placement argument omitted: it goes before the
    // active sheet, takes the next free name "SheetN" and becomes the active sheet.
    virtual WorksheetPtr Add() = 0;
    virtual int32_t Count() = 0;
    // Fails with ItemNotFound for an index or name the workbook does not hold.
    virtual WorksheetPtr Item(int32_t index) = 0;
    virtual WorksheetPtr Item(const QString& name) = 0;
};

} // namespace spreadsheet
