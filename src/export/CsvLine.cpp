#include "CsvLine.h"

#include "actions/FieldValueText.h"
#include "addin/NumberFormat.h"
#include "addin/Utf8Text.h"

#include <algorithm>

namespace exporting {

namespace {

bool needsQuotes(char c) {
    return c == ',' || c == '"' || c == '\r' || c == '\n';
}

// The cell bytes enclosed in quotes, its quotes doubled.
QByteArray quoted(const char* begin, const char* end) {
    QByteArray text(begin, end - begin);
    text.replace('"', "\"\"");
    return '"' + text + '"';
}

} // namespace

void CsvLine::clear() {
    text_.resize(0);
    columns_ = 0;
    firstLength_ = 0;
    allEmpty_ = true;
}

qsizetype CsvLine::beginCell() {
    if (columns_ > 0)
        text_ += ',';
    return text_.size();
}

void CsvLine::endCell(qsizetype start) {
    const char* begin = text_.constData() + start;
    const char* end = text_.constData() + text_.size();
    if (end != begin)
        allEmpty_ = false;
    if (std::any_of(begin, end, needsQuotes)) {
        const QByteArray cell = quoted(begin, end);
        text_.truncate(start);
        text_ += cell;
    }
    if (columns_ == 0)
        firstLength_ = text_.size();
    ++columns_;
}

void CsvLine::append(QStringView value) {
    const qsizetype start = beginCell();
    locastra::AppendUtf8(text_, value);
    endCell(start);
}

void CsvLine::appendNumber(double value, const locastra::NumberFormatter& numbers) {
    const qsizetype start = beginCell();
    numbers.appendUtf8(text_, value);
    endCell(start);
}

void CsvLine::appendFieldValue(const QVariant& value, const locastra::NumberFormatter& numbers) {
    const qsizetype start = beginCell();
    actions::AppendFieldValueText(text_, value, numbers);
    endCell(start);
}

void CsvLine::replaceFirst(QStringView value) {
    if (columns_ == 0) {
        append(value);
        return;
    }
    QByteArray cell;
    locastra::AppendUtf8(cell, value);
    if (std::any_of(cell.cbegin(), cell.cend(), needsQuotes))
        cell = quoted(cell.cbegin(), cell.cend());
    text_.replace(0, firstLength_, cell);
    firstLength_ = cell.size();
    if (!value.isEmpty())
        allEmpty_ = false;
}

} // namespace exporting
