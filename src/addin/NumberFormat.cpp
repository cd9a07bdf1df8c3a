#include "NumberFormat.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace locastra {

namespace {

// Room for the longest text: sign, 15 digits, point and a three-digit exponent.
constexpr int BufferSize = 32;

// The text with '.' as the decimal point into buffer; returns its length. to_chars in
// general format with precision 15 gives exactly what printf's "%.15g" gives.
int asciiText(char (&buffer)[BufferSize], double value) {
    if (std::isnan(value)) { // never "-nan"
        std::char_traits<char>::copy(buffer, "nan", 3);
        return 3;
    }
    if (value == 0.0) { // no negative zero
        buffer[0] = '0';
        return 1;
    }
    const auto result =
        std::to_chars(buffer, buffer + BufferSize, value, std::chars_format::general, 15);
    return int(result.ptr - buffer);
}

} // namespace

NumberFormatter::NumberFormatter()
    : decimal_(QLocale().decimalPoint()), decimalUtf8_(decimal_.toUtf8()) {}

QString NumberFormatter::text(double value) const {
    char buffer[BufferSize];
    const int length = asciiText(buffer, value);
    QString text = QString::fromLatin1(buffer, length);
    if (decimal_ != QLatin1String("."))
        text.replace(QLatin1Char('.'), decimal_);
    return text;
}

void NumberFormatter::appendUtf8(QByteArray& out, double value) const {
    char buffer[BufferSize];
    const int length = asciiText(buffer, value);
    const char* point = std::char_traits<char>::find(buffer, size_t(length), '.');
    if (!point || decimalUtf8_ == ".") {
        out.append(buffer, length);
        return;
    }
    out.append(buffer, point - buffer);
    out.append(decimalUtf8_);
    out.append(point + 1, buffer + length - point - 1);
}

QString FormatNumber(double value) {
    return NumberFormatter().text(value);
}

} // namespace locastra
