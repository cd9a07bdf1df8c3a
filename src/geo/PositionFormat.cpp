#include "PositionFormat.h"

#include "addin/NumberFormat.h"

#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <QLocale>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace geo {

namespace {

const QChar Degree(0x00B0);
const QChar Prime(0x2032);
const QChar DoublePrime(0x2033);

QChar decimalPoint() {
    return QLocale().decimalPoint().at(0);
}

// value with a fixed number of decimals, the decimal point given; a value that rounds
// to zero loses its sign.
void appendFixed(QString& out, double value, int decimals, QChar point) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) {
        out += QString::number(value);
        return;
    }
    const char* begin = buffer;
    if (*begin == '-' && std::all_of(begin + 1, static_cast<const char*>(end),
                                     [](char c) { return c == '0' || c == '.'; }))
        ++begin;
    for (const char* c = begin; c != end; ++c)
        out += *c == '.' ? point : QChar::fromLatin1(*c);
}

void appendPadded(QString& out, long long number, int width) {
    const QString digits = QString::number(number);
    for (qsizetype i = digits.size(); i < width; ++i)
        out += QLatin1Char('0');
    out += digits;
}

// Degrees and minutes, with seconds to a tenth (withSeconds) or else decimal minutes to
// a thousandth, then the hemisphere letter. Rounding happens once, on the smallest
// unit, so 59.96″ carries into the next minute.
QString sexagesimal(double value, bool withSeconds, char positive, char negative) {
    const long long perDegree = withSeconds ? 36000 : 60000;
    const long long units = std::llround(std::abs(value) * static_cast<double>(perDegree));
    const long long degrees = units / perDegree;
    const long long rest = units % perDegree;
    const long long perMinute = perDegree / 60;
    const QChar point = decimalPoint();
    QString out;
    out.reserve(20);
    out += QString::number(degrees);
    out += Degree;
    appendPadded(out, rest / perMinute, 2);
    if (withSeconds) {
        out += Prime;
        const long long tenths = rest % perMinute;
        appendPadded(out, tenths / 10, 2);
        out += point;
        out += QChar::fromLatin1(static_cast<char>('0' + tenths % 10));
        out += DoublePrime;
    } else {
        out += point;
        appendPadded(out, rest % perMinute, 3);
        out += Prime;
    }
    out += QChar::fromLatin1(units != 0 && value < 0 ? negative : positive);
    return out;
}

QString degreeText(double value, CoordinateFormat format, char positive, char negative) {
    switch (format) {
    case CoordinateFormat::DecimalDegrees: {
        QString out;
        appendFixed(out, value, 6, decimalPoint());
        return out;
    }
    case CoordinateFormat::DegreesMinutesSeconds:
        return sexagesimal(value, true, positive, negative);
    case CoordinateFormat::DegreesDecimalMinutes:
        return sexagesimal(value, false, positive, negative);
    case CoordinateFormat::AsDerived:
    case CoordinateFormat::UtmUps:
    case CoordinateFormat::Mgrs:
        break;
    }
    return locastra::FormatNumber(value);
}

bool isDecimal(CoordinateFormat format) {
    return format == CoordinateFormat::AsDerived || format == CoordinateFormat::DecimalDegrees;
}

// "33XWG1369680760" as "33X WG 13696 80760": grid zone, 100 km square, easting,
// northing (a polar reference has no zone number).
QString spacedMgrs(const std::string& compact) {
    size_t zoneEnd = 0;
    while (zoneEnd < compact.size() && std::isdigit(static_cast<unsigned char>(compact[zoneEnd])))
        ++zoneEnd;
    const size_t squareEnd = std::min(compact.size(), zoneEnd + 3);
    const size_t half = (compact.size() - squareEnd) / 2;
    QString out = QString::fromLatin1(compact.data(), static_cast<qsizetype>(squareEnd - 2));
    out += QLatin1Char(' ');
    out += QLatin1String(compact.data() + squareEnd - 2, 2);
    if (half > 0) {
        out += QLatin1Char(' ');
        out += QLatin1String(compact.data() + squareEnd, static_cast<qsizetype>(half));
        out += QLatin1Char(' ');
        out += QLatin1String(compact.data() + squareEnd + half, static_cast<qsizetype>(half));
    }
    return out;
}

QString joined(double latitude, double longitude, CoordinateFormat format,
               const QString& decimalSeparator) {
    if (IsGridFormat(format))
        return FormatGridReference(latitude, longitude, format);
    const QString separator = isDecimal(format) ? decimalSeparator : QStringLiteral(" ");
    return FormatLatitude(latitude, format) + separator + FormatLongitude(longitude, format);
}

} // namespace

QString FormatLatitude(double latitude, CoordinateFormat format) {
    return degreeText(latitude, format, 'N', 'S');
}

QString FormatLongitude(double longitude, CoordinateFormat format) {
    return degreeText(longitude, format, 'E', 'W');
}

QString FormatGridReference(double latitude, double longitude, CoordinateFormat format) {
    using GeographicLib::UTMUPS;
    int zone = 0;
    bool north = true;
    double easting = 0;
    double northing = 0;
    UTMUPS::Forward(latitude, longitude, zone, north, easting, northing);
    if (format == CoordinateFormat::Mgrs) {
        std::string mgrs;
        // Precision 5: five digits each for easting and northing, 1 m squares.
        GeographicLib::MGRS::Forward(zone, north, easting, northing, latitude, 5, mgrs);
        return spacedMgrs(mgrs);
    }
    QString out = QString::fromStdString(UTMUPS::EncodeZone(zone, north, true)).toUpper();
    for (const double metres : {easting, northing}) {
        out += QLatin1Char(' ');
        appendFixed(out, metres, 0, QLatin1Char('.'));
    }
    return out;
}

QString FormatPosition(double latitude, double longitude, CoordinateFormat format) {
    return joined(latitude, longitude, format, QStringLiteral(" , "));
}

QString FormatPositionColumns(double latitude, double longitude, CoordinateFormat format) {
    return joined(latitude, longitude, format, QStringLiteral("\t"));
}

} // namespace geo
