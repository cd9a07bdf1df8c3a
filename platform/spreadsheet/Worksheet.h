#pragma once

#include "Types.h"

#include <QString>
#include <cstdint>

namespace spreadsheet {

class Worksheet : public automation::Object {
public:
    virtual QString Name() = 0;
    // Refuses (automation::Error) a name the application does not allow: an empty
    // one, one holding : \ / ? * [ ] or starting or ending with an apostrophe, and
    // the name of another sheet of the workbook (compared ignoring case).
    virtual void SetName(const QString& name) = 0;
    // One cell; rows 1 to RowCount(), columns 1 to ColumnCount().
    virtual RangePtr Cells(int32_t row, int32_t column) = 0;
    // How many rows and columns a sheet holds (1,048,576 and 16,384 in current
    // spreadsheet applications; older Calc versions hold 1,024 columns).
    virtual int32_t RowCount() = 0;
    virtual int32_t ColumnCount() = 0;
    // The rectangle between two cells given in A1 notation ("A1", "H1").
    virtual RangePtr Range(const QString& cell1, const QString& cell2) = 0;
    // Removes the sheet; refuses to remove the last sheet of a workbook.
    virtual void Delete() = 0;
    // Makes the sheet the workbook's active sheet.
    virtual void Activate() = 0;
};

} // namespace spreadsheet
