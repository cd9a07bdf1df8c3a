#pragma once

#include <QString>

namespace spreadsheet {

class BookModel;

// Writes a workbook as an .xlsx file: every sheet in tab order, numbers as numbers,
// text as text, the column widths set by AutoFit. The file is written beside the
// target under a temporary name and renamed over it only when complete, so a failed
// save leaves an existing file as it was. Returns an empty string on success,
// otherwise why the save failed.
QString SaveXlsx(const BookModel& book, const QString& fileName);

} // namespace spreadsheet
