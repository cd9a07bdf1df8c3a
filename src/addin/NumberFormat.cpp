#include "NumberFormat.h"

#include "qtcompat/QtCompat.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace locastra {

namespace {

// Room for the longest text: sign, 15 digits, point and a three-digit exponent.
constexpr int BufferSize = 32;

// Whether value lies exactly halfway between two 15-digit texts: its 16th significant
// digit is a 5 with nothing after it (checked to 25 digits).
bool exactHalf(double value) {
    char digits[40];
    std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::scientific,
                  24); // "d.ddd...e+xx": digit n (n >= 2) at index n
    if (digits[16] != '5')
        return false;
    for (int i = 17; i <= 25; ++i) {
        if (digits[i] != '0')
            return false;
    }
    return true;
}

// The text with '.' as the decimal point into buffer; returns its length. to_chars in
// general format with precision 15 gives what "%.15g" gives, except for values exactly
// halfway between two texts: to_chars rounds those to even, Qt's "%.15g" (what this
// formatter has always written) away from zero; they keep Qt's text.
int asciiText(char (&buffer)[BufferSize], double value) {
    if (std::isnan(value)) { // never "-nan"
        std::char_traits<char>::copy(buffer, "nan", 3);
        return 3;
    }
    if (value == 0.0) { // no negative zero
        buffer[0] = '0';
        return 1;
    }
    if (exactHalf(value)) {
        const QByteArray text = QString::asprintf("%.15g", value).toLatin1();
        std::char_traits<char>::copy(buffer, text.constData(), size_t(text.size()));
        return int(text.size());
    }
    const auto result =
        std::to_chars(buffer, buffer + BufferSize, value, std::chars_format::general, 15);
    return int(result.ptr - buffer);
}

} // namespace

NumberFormatter::NumberFormatter()
    : decimal_(qtcompat::decimalPoint(QLocale())), decimalUtf8_(decimal_.toUtf8()) {}

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
