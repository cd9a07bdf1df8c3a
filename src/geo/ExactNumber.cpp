#include "ExactNumber.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace geo {

QString ExactNumber(double value) {
    if (std::isnan(value))
        return QStringLiteral("nan");
    char digits[40];
    // Without a precision to_chars writes the shortest text that reads back exactly;
    // in fixed notation except for very small and very large magnitudes (1e+20).
    const double magnitude = std::fabs(value);
    const bool fixed = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e17);
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value,
                      fixed ? std::chars_format::fixed : std::chars_format::general);
    QString text = QString::fromLatin1(digits, int(result.ptr - digits));
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

} // namespace geo
