#include "PositionParse.h"

#include <GeographicLib/DMS.hpp>
#include <GeographicLib/GeoCoords.hpp>
#include <QRegularExpression>
#include <QStringList>
#include <exception>

namespace geo {

namespace {

ParsedPosition failure(const QString& reason) {
    ParsedPosition result;
    result.reason = reason;
    return result;
}

// GeographicLib's reasons write degrees as a "d" after the number ("Latitude 91d not in
// [-90d, 90d]"); the user reads the degree sign.
ParsedPosition libraryFailure(const std::exception& e) {
    static const QRegularExpression degrees(QStringLiteral("(?<=\\d)d(?=[\\s,\\]]|$)"));
    return failure(QString::fromStdString(e.what()).replace(degrees, QStringLiteral("°")));
}

// A comma between two digits is a decimal separator; make it a point.
QString withDecimalPoints(const QString& text) {
    static const QRegularExpression decimalComma(QStringLiteral("(\\d),(\\d)"));
    QString out = text;
    // Twice, so "1,2,3" (overlapping matches) is fully converted.
    out.replace(decimalComma, QStringLiteral("\\1.\\2"));
    out.replace(decimalComma, QStringLiteral("\\1.\\2"));
    return out;
}

// White space inside one coordinate: between two numbers it separates degrees, minutes
// and seconds (a colon to GeographicLib); elsewhere (around symbols and letters) it goes.
// A plain number in exponent form ("1.2e-05", as tiny derived values are shown) becomes
// a fixed-point one: GeographicLib would read its E as the hemisphere east.
QString compactCoordinate(const QString& text) {
    static const QRegularExpression betweenNumbers(QStringLiteral("(\\d)\\s+(?=\\d)"));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    static const QRegularExpression exponent(
        QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)[eE][-+]?\\d+$"));
    QString out = text.trimmed();
    out.replace(betweenNumbers, QStringLiteral("\\1:"));
    out.remove(space);
    if (exponent.match(out).hasMatch())
        out = QString::number(out.toDouble(), 'f', 20);
    return out;
}

bool isHemisphereLetter(QChar c) {
    return QStringLiteral("NSEWnsew").contains(c);
}

// Splits a latitude/longitude pair written without a comma at the hemisphere letters:
// after the first letter when the letters trail ("51 30 N 0 7 W"), before the second
// when they lead ("N 51 30 W 0 7"). False when the letters do not show the split.
bool splitAtHemispheres(const QString& text, QString& first, QString& second) {
    QList<qsizetype> letters;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (isHemisphereLetter(text.at(i)))
            letters.push_back(i);
    if (letters.size() != 2)
        return false;
    qsizetype cut = -1;
    if (letters[1] == text.size() - 1 && letters[0] > 0)
        cut = letters[0] + 1;
    else if (letters[0] == 0)
        cut = letters[1];
    if (cut <= 0)
        return false;
    first = text.left(cut);
    second = text.mid(cut);
    return true;
}

ParsedPosition fromGeographicLib(const QString& text, CoordinateFormat format) {
    try {
        const GeographicLib::GeoCoords coords(text.toStdString(), true);
        ParsedPosition result;
        result.ok = true;
        result.latitude = coords.Latitude();
        result.longitude = coords.Longitude();
        result.format = format;
        return result;
    } catch (const std::exception& e) {
        return libraryFailure(e);
    }
}

ParsedPosition latitudeLongitude(const QString& first, const QString& second) {
    const QString a = compactCoordinate(first);
    const QString b = compactCoordinate(second);
    if (a.isEmpty() || b.isEmpty())
        return failure(QStringLiteral("Type both a latitude and a longitude"));
    ParsedPosition result;
    try {
        GeographicLib::DMS::DecodeLatLon(a.toStdString(), b.toStdString(), result.latitude,
                                         result.longitude, false);
    } catch (const std::exception& e) {
        return libraryFailure(e);
    }
    // GeographicLib checks the latitude's range only, and lets "nan" through.
    if (!(result.latitude >= -90 && result.latitude <= 90))
        return failure(QStringLiteral("Latitude %1° not in [-90°, 90°]").arg(result.latitude));
    if (!(result.longitude >= -180 && result.longitude <= 180))
        return failure(QStringLiteral("Longitude %1° not in [-180°, 180°]").arg(result.longitude));
    result.ok = true;
    return result;
}

} // namespace

ParsedPosition ParsePosition(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    static const QRegularExpression mgrs(QStringLiteral("^(\\d{1,2}[A-Z]|[A-Z])[A-Z]{2}\\d*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression utmZone(QStringLiteral("^\\d{0,2}[NS]$"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression number(QStringLiteral("^\\d+(\\.\\d*)?$"));

    const QString trimmed = withDecimalPoints(text.trimmed());
    if (trimmed.isEmpty())
        return failure(QStringLiteral("Type a position"));

    QString compact = trimmed;
    compact.remove(space);
    if (mgrs.match(compact).hasMatch())
        return fromGeographicLib(compact, CoordinateFormat::Mgrs);

    QString pair = trimmed;
    pair.replace(QLatin1Char(';'), QLatin1Char(','));
    const QStringList parts = pair.split(QLatin1Char(','));
    if (parts.size() > 2)
        return failure(QStringLiteral("Too many commas: separate the latitude and the "
                                      "longitude with one comma"));
    if (parts.size() == 2)
        return latitudeLongitude(parts[0], parts[1]);

    const QStringList tokens = trimmed.split(space);
    if (tokens.size() == 3 && utmZone.match(tokens[0]).hasMatch() &&
        number.match(tokens[1]).hasMatch() && number.match(tokens[2]).hasMatch())
        return fromGeographicLib(tokens.join(QLatin1Char(' ')), CoordinateFormat::UtmUps);
    if (tokens.size() == 2)
        return latitudeLongitude(tokens[0], tokens[1]);
    QString first;
    QString second;
    if (splitAtHemispheres(trimmed, first, second))
        return latitudeLongitude(first, second);
    if (tokens.size() == 1)
        return failure(QStringLiteral("Type both a latitude and a longitude"));
    return failure(QStringLiteral("Separate the latitude and the longitude with a comma"));
}

} // namespace geo
