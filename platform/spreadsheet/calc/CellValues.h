#pragma once

#include <QVariant>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <cstdint>
#include <variant>

// Cell values between the object model (QVariant) and Calc (numbers and text only,
// with a number format saying what a number means).
namespace spreadsheet::calc {

enum class CellFormat : uint8_t { General, Date, DateTime, Time, Boolean };

// The display length of a number not measured yet (see CellValue::displayLength).
constexpr int UnmeasuredNumber = -1;

// Held as Qt text until it goes to Calc, so that the UNO value is made where the block
// is sent, off the thread that walks the records.
struct CellValue {
    std::variant<std::monostate, double, QString> value; // empty, a number or text
    CellFormat format = CellFormat::General;
    // The length of the text the cell shows, in characters (for column widths);
    // UnmeasuredNumber for a number in the General format, measured only when it may
    // be the widest of its column.
    int displayLength = 0;
    // Text of more than one line, which needs a row taller than the default.
    bool multiline = false;

    bool empty() const { return std::holds_alternative<std::monostate>(value); }
    // The value as Calc's cell arrays take it: a double or a string, empty when empty.
    css::uno::Any toAny() const;
    // The value as the object model reads it back: empty, a double or a string.
    QVariant toVariant() const;
};

// Numbers stay numbers (an integer beyond 2^53, which a double would change, becomes
// text), dates and times become date numbers with their format, booleans become 1 or
// 0 shown as TRUE or FALSE, everything else is text and never a formula. An invalid
// date or time, NaN and infinity give an empty cell.
CellValue ToCell(const QVariant& value);

// The characters of a number as the General format shows it (up to 15 significant
// digits), and a bound of them found without writing the number out.
int GeneralNumberLength(double number);
int GeneralNumberLengthBound(double number);

// The text a cell of this value shows, for measuring a column.
QString DisplayText(const CellValue& cell);

// A cell's value as Calc holds it: the number, the text, or the result of a formula.
QVariant ReadCell(const css::uno::Reference<css::table::XCell>& cell);

} // namespace spreadsheet::calc
