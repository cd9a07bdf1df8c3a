#pragma once

#include <QFile>
#include <QString>

namespace exporting {

// The export's output file: created, or emptied when it exists, on construction;
// lines are UTF-8 text ending in CR LF. Failures throw automation::Error with a
// description for the user. Closing (explicitly or on destruction) keeps every line
// written so far.
class CsvFile {
public:
    explicit CsvFile(const QString& path);
    void writeLine(const QString& line);
    void close();

private:
    QFile file_;
};

} // namespace exporting
