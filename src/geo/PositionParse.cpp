#include "PositionParse.h"

#include "CoordinatePair.h"
#include "ExactNumber.h"
#include "UtmReference.h"

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

// GeographicLib's reasons write degrees as a "d" after the number ("Illegal ... 91d");
// the user reads the degree sign.
ParsedPosition libraryFailure(const std::exception& e) {
    static const QRegularExpression degrees(QStringLiteral("(?<=\\d)d(?=[\\s,\\]]|$)"));
    return failure(QString::fromStdString(e.what()).replace(degrees, QStringLiteral("°")));
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

ParsedPosition rangeFailure(const char* what, double value, int limit) {
    return failure(QStringLiteral("%1 %2° not in [-%3°, %3°]")
                       .arg(QLatin1String(what), ExactNumber(value))
                       .arg(limit));
}

// Each coordinate decoded on its own, then assigned by its hemisphere letters as
// GeographicLib's DecodeLatLon does; the ranges are checked here so the message can
// show the number exactly.
ParsedPosition latitudeLongitude(const CoordinatePair& pair) {
    using GeographicLib::DMS;
    const QString a = compactCoordinate(pair.first);
    const QString b = compactCoordinate(pair.second);
    if (a.isEmpty() || b.isEmpty())
        return failure(QStringLiteral("Type both a latitude and a longitude"));
    double first = 0;
    double second = 0;
    DMS::flag firstKind = DMS::NONE;
    DMS::flag secondKind = DMS::NONE;
    try {
        first = DMS::Decode(a.toStdString(), firstKind);
        second = DMS::Decode(b.toStdString(), secondKind);
    } catch (const std::exception& e) {
        return libraryFailure(e);
    }
    if (firstKind == DMS::NONE)
        firstKind = secondKind == DMS::LATITUDE ? DMS::LONGITUDE : DMS::LATITUDE;
    if (secondKind == DMS::NONE)
        secondKind = firstKind == DMS::LATITUDE ? DMS::LONGITUDE : DMS::LATITUDE;
    if (firstKind == secondKind)
        return failure(QStringLiteral("Both %1 and %2 are %3")
                           .arg(pair.first.trimmed(), pair.second.trimmed(),
                                firstKind == DMS::LATITUDE ? QStringLiteral("latitudes")
                                                           : QStringLiteral("longitudes")));
    ParsedPosition result;
    result.latitude = firstKind == DMS::LATITUDE ? first : second;
    result.longitude = firstKind == DMS::LATITUDE ? second : first;
    // Written so that nan fails too.
    if (!(result.latitude >= -90 && result.latitude <= 90))
        return rangeFailure("Latitude", result.latitude, 90);
    if (!(result.longitude >= -180 && result.longitude <= 180))
        return rangeFailure("Longitude", result.longitude, 180);
    result.ok = true;
    return result;
}

ParsedPosition mgrsReference(const QString& compact) {
    try {
        const GeographicLib::GeoCoords coords(compact.toStdString(), true);
        ParsedPosition result;
        result.ok = true;
        result.latitude = coords.Latitude();
        result.longitude = coords.Longitude();
        result.format = CoordinateFormat::Mgrs;
        return result;
    } catch (const std::exception& e) {
        return libraryFailure(e);
    }
}

bool containsDigit(const QString& text) {
    for (const QChar c : text)
        if (c.isDigit())
            return true;
    return false;
}

} // namespace

QString PositionExamples() {
    return QStringLiteral("48.8566, 2.3522 or 48°51′24″N 2°21′08″E (latitude and longitude), "
                          "31U 448251 5411932 (UTM) or 31U DQ 48251 11932 (MGRS)");
}

ParsedPosition ParsePosition(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    static const QRegularExpression mgrs(QStringLiteral("^(\\d{1,2}[A-Z]|[A-Z])[A-Z]{2}\\d*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression number(QStringLiteral("^\\d+(\\.\\d*)?$"));

    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return failure(QStringLiteral("Type a position"));
    const QString expected = QStringLiteral("Type a latitude and a longitude, a UTM / UPS or an "
                                            "MGRS reference, for example 48.8566, 2.3522");

    QString compact = trimmed;
    compact.remove(space);
    if (mgrs.match(compact).hasMatch()) {
        const ParsedPosition reference = mgrsReference(compact);
        // Letters alone ("abc") are rarely meant as a polar 100 km square.
        return reference.ok || containsDigit(compact) ? reference : failure(expected);
    }
    if (!containsDigit(trimmed))
        return failure(expected);

    // A zone, then easting and northing separated as a latitude and longitude would be.
    const qsizetype zoneEnd = trimmed.indexOf(space);
    if (zoneEnd > 0 && IsUtmZoneToken(trimmed.left(zoneEnd))) {
        const CoordinatePair metres = SplitCoordinatePair(trimmed.mid(zoneEnd).trimmed());
        if (metres.reason.isEmpty() && number.match(metres.first.trimmed()).hasMatch() &&
            number.match(metres.second.trimmed()).hasMatch())
            return ParseUtmUps(trimmed.left(zoneEnd), metres.first.toDouble(),
                               metres.second.toDouble());
    }

    const CoordinatePair pair = SplitCoordinatePair(trimmed);
    if (!pair.reason.isEmpty())
        return failure(pair.reason);
    return latitudeLongitude(pair);
}

} // namespace geo
