#include "CellReference.h"

#include "automation/Error.h"

#include <QRegularExpression>

namespace spreadsheet {

void ParseA1(const QString& reference, int& row, int& column, int maxRows, int maxColumns) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\$?([A-Za-z]{1,3})\\$?([0-9]{1,7})$"));
    const auto match = pattern.match(reference.trimmed());
    bool ok = match.hasMatch();
    if (ok) {
        column = 0;
        for (QChar c : match.captured(1).toUpper())
            column = column * 26 + (c.unicode() - u'A' + 1);
        --column;
        row = match.captured(2).toInt() - 1;
        ok = row >= 0 && row < maxRows && column < maxColumns;
    }
    if (!ok)
        throw automation::Error(automation::errors::InvalidArgument,
                                QStringLiteral("\"%1\" is not a cell reference.").arg(reference));
}

} // namespace spreadsheet
