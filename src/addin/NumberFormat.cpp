#include "NumberFormat.h"

#include <QLocale>
#include <cmath>

namespace locastra {

QString FormatNumber(double value) {
    if (!std::isfinite(value))
        return QString::number(value);
    // %.15g gives at most 15 significant digits without trailing zeros.
    QString text = QString::asprintf("%.15g", value);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    const QChar decimal = QLocale().decimalPoint().at(0);
    if (decimal != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), decimal);
    return text;
}

} // namespace locastra
