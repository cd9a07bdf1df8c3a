#pragma once

#include "Types.h"

#include <cstdint>

namespace spreadsheet {

// The open workbooks of an application; 1-based.
class Workbooks : public automation::Object {
public:
    // A new workbook (no template) holding the default sheets "Sheet1" to "Sheet3".
    virtual WorkbookPtr Add() = 0;
    virtual int32_t Count() = 0;
    virtual WorkbookPtr Item(int32_t index) = 0;
};

} // namespace spreadsheet
