#pragma once

#include <QString>

namespace exporting {

// One line of the comma-separated export file. Every appended value takes its own
// column, so values stay under their header even when a leading one is empty. A
// value holding the separator, a double quote or a line break is enclosed in double
// quotes with its quotes doubled; any other value is written as it is.
class CsvLine {
public:
    void append(const QString& value);
    // Whether every value appended so far is empty text (or none was appended).
    bool allEmpty() const { return allEmpty_; }
    // Replaces the first column's value (the stand-in for a record without values).
    void replaceFirst(const QString& value);
    const QString& text() const { return text_; }

    static QString quoted(const QString& value);

private:
    QString text_;
    qsizetype columns_ = 0;
    qsizetype firstLength_ = 0;
    bool allEmpty_ = true;
};

} // namespace exporting
