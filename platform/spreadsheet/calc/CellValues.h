#pragma once

#include <QVariant>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <cstdint>

// Cell values between the object model (QVariant) and Calc (numbers and text only,
// with a number format saying what a number means).
namespace spreadsheet::calc {

enum class CellFormat : uint8_t { General, Date, DateTime, Time, Boolean };

struct CellValue {
    css::uno::Any value; // void (empty), double or OUString
    CellFormat format = CellFormat::General;
    // The length of the text the cell shows, in characters (for column widths).
    int displayLength = 0;
    // Text of more than one line, which needs a row taller than the default.
    bool multiline = false;
};

// Numbers stay numbers (an integer beyond 2^53, which a double would change, becomes
// text), dates and times become date numbers with their format, booleans become 1 or
// 0 shown as TRUE or FALSE, everything else is text and never a formula. An invalid
// date or time, NaN and infinity give an empty cell.
CellValue ToCell(const QVariant& value);

// The text a cell of this value shows, for measuring a column.
QString DisplayText(const CellValue& cell);

// A buffered value read back: a double, a string or an empty QVariant.
QVariant FromAny(const css::uno::Any& value);

// A cell's value as Calc holds it: the number, the text, or the result of a formula.
QVariant ReadCell(const css::uno::Reference<css::table::XCell>& cell);

} // namespace spreadsheet::calc
