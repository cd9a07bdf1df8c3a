#include "CsvLine.h"

namespace exporting {

QString CsvLine::quoted(const QString& value) {
    const bool needsQuotes = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                             value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n'));
    if (!needsQuotes)
        return value;
    QString text = value;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void CsvLine::append(const QString& value) {
    if (columns_ > 0)
        text_ += QLatin1Char(',');
    const QString cell = quoted(value);
    text_ += cell;
    if (columns_ == 0)
        firstLength_ = cell.size();
    ++columns_;
    if (!value.isEmpty())
        allEmpty_ = false;
}

void CsvLine::replaceFirst(const QString& value) {
    if (columns_ == 0) {
        append(value);
        return;
    }
    const QString cell = quoted(value);
    text_.replace(0, firstLength_, cell);
    firstLength_ = cell.size();
    if (!value.isEmpty())
        allEmpty_ = false;
}

} // namespace exporting
