#include "CellReference.h"

#include "automation/Error.h"

namespace spreadsheet {

namespace {

// Reads up to most characters that pass test from text at position, returning how many.
template <class Test> int take(QStringView text, qsizetype& position, int most, Test test) {
    int count = 0;
    while (position < text.size() && count < most && test(text[position])) {
        ++position;
        ++count;
    }
    return count;
}

bool isLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

// Parsed by hand: the export names the same range for every row it writes.
void ParseA1(const QString& reference, int& row, int& column, int maxRows, int maxColumns) {
    const QStringView text = QStringView(reference).trimmed();
    qsizetype position = 0;
    take(text, position, 1, [](QChar c) { return c == u'$'; });
    const qsizetype letters = position;
    const int letterCount = take(text, position, 3, isLetter);
    take(text, position, 1, [](QChar c) { return c == u'$'; });
    const qsizetype digits = position;
    const int digitCount = take(text, position, 7, isDigit);
    bool ok = letterCount > 0 && digitCount > 0 && position == text.size();
    if (ok) {
        column = 0;
        for (qsizetype i = letters; i < letters + letterCount; ++i)
            column = column * 26 + (text[i].toUpper().unicode() - u'A' + 1);
        --column;
        row = text.mid(digits, digitCount).toInt() - 1;
        ok = row >= 0 && row < maxRows && column < maxColumns;
    }
    if (!ok)
        throw automation::Error(automation::errors::InvalidArgument,
                                QStringLiteral("\"%1\" is not a cell reference.").arg(reference));
}

} // namespace spreadsheet
