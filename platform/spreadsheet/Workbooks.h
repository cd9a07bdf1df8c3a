#pragma once

#include "Types.h"

#include <cstdint>

namespace spreadsheet {

// The open workbooks of an application; 1-based.
class Workbooks : public automation::Object {
public:
    // A new workbook (no template) holding the application's default sheets, the first
    // of them active: in LibreOffice Calc one sheet, "Sheet1" (Excel makes "Sheet1" to
    // "Sheet3"; a localised application names them in its language). Which sheets
    // those are is learned by enumerating the new workbook's sheets.
    virtual WorkbookPtr Add() = 0;
    virtual int32_t Count() = 0;
    virtual WorkbookPtr Item(int32_t index) = 0;
};

} // namespace spreadsheet
