#pragma once

#include "Types.h"

#include <QVariant>

namespace spreadsheet {

// A rectangle of cells of one worksheet.
class Range : public automation::Object {
public:
    // The value of the range's first cell; an empty QVariant for an empty cell.
    virtual QVariant Value() = 0;
    // Writes value into every cell of the range (an empty QVariant clears them).
    // Numbers, dates and times, booleans and text keep their types; text is never
    // evaluated as a formula.
    virtual void SetValue(const QVariant& value) = 0;
    // The whole columns the range spans.
    virtual RangePtr EntireColumn() = 0;
    // Sizes the range's columns to fit their contents.
    virtual void AutoFit() = 0;
    // The width of the range's first column, in characters.
    virtual double ColumnWidth() = 0;
};

} // namespace spreadsheet
