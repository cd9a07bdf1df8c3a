#pragma once

#include "spreadsheet/calc/CalcOptions.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <memory>
#include <vector>

// Reading what an export left in Calc, through UNO, and the headless Calc the tests
// share (its own temporary profile, so it never meets a user's LibreOffice).
namespace calctest {

// Registers "Excel.Application" on the tests' Calc; the first instance starts it.
void UseTestCalc();
const spreadsheet::calc::Options& TestOptions();
// Ends the tests' Calc and waits for its processes to go.
void EndTestCalc();
// Waits up to timeoutMs for a process group to end.
bool WaitUntilGone(pid_t group, int timeoutMs);

// The spreadsheet documents open in the tests' Calc.
std::vector<css::uno::Reference<css::sheet::XSpreadsheetDocument>> OpenDocuments();
// Closes every document, as a user would.
void CloseAllDocuments();

QStringList SheetNames(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document);
css::uno::Reference<css::sheet::XSpreadsheet>
Sheet(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document, const QString& name);

// One cell as Calc holds it.
struct Cell {
    enum class Type { Empty, Number, Text, Formula } type = Type::Empty;
    double number = 0;
    QString text;
    bool isDate = false;    // its number format is a date (or date and time)
    bool isBoolean = false; // its number format is a boolean one
};
Cell ReadCell(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document,
              const QString& sheet, int row, int column);
// A column's width in 1/100 mm.
int ColumnWidth(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, int column);
// A row's height in 1/100 mm.
int RowHeight(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, int row);
bool HasLocation(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document);

} // namespace calctest
