#pragma once

#include <QByteArray>
#include <QStringView>
#include <QVariant>

namespace locastra {
class NumberFormatter;
}

namespace exporting {

// One line of the comma-separated export file, built as UTF-8 in a buffer that is
// reused from line to line. Every appended value takes its own column, so values stay
// under their header even when a leading one is empty. A value holding the separator,
// a double quote or a line break is enclosed in double quotes with its quotes
// doubled; any other value is written as it is.
class CsvLine {
public:
    // Starts a new line; the buffer keeps its memory.
    void clear();
    void append(QStringView value);
    void appendNumber(double value, const locastra::NumberFormatter& numbers);
    // A field value as the platform's standard conversion gives it.
    void appendFieldValue(const QVariant& value, const locastra::NumberFormatter& numbers);
    // Whether every value appended so far is empty text (or none was appended).
    bool allEmpty() const { return allEmpty_; }
    // Replaces the first column's value (the stand-in for a record without values).
    void replaceFirst(QStringView value);
    const QByteArray& bytes() const { return text_; }

private:
    // Opens a cell (the separator before every cell but the first); returns its start.
    qsizetype beginCell();
    // Quotes the cell from start to the end when it needs it and notes what it held.
    void endCell(qsizetype start);

    QByteArray text_;
    qsizetype columns_ = 0;
    qsizetype firstLength_ = 0;
    bool allEmpty_ = true;
};

} // namespace exporting
