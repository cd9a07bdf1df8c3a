#include "UtmReference.h"

#include "ExactNumber.h"

#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <QRegularExpression>
#include <exception>

namespace geo {

namespace {

// A band's southern and northern edges in degrees; band X is 12° high.
constexpr double bandSouth(int index) {
    return -80.0 + 8.0 * index;
}
constexpr double bandNorth(int index) {
    return index == 19 ? 84.0 : bandSouth(index) + 8.0;
}
// Rounding a reference to the metre can carry a position just across its band's edge.
constexpr double BandTolerance = 0.001;

// A band edge (a whole number of degrees) as "48°N", "8°S" or "0°".
QString bandEdge(double latitude) {
    const int whole = static_cast<int>(latitude < 0 ? -latitude : latitude);
    if (whole == 0)
        return QStringLiteral("0°");
    return QStringLiteral("%1°%2").arg(whole).arg(QChar(latitude < 0 ? u'S' : u'N'));
}

const QRegularExpression& zonePattern() {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2})?(north|south|[a-z])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// GeographicLib writes the easting or northing of its range message in kilometres to
// six digits, so 1000000.4 m reads "1000km not in [0km, 1000km]": give the exact value.
QString gridFailure(const std::exception& e, double easting, double northing) {
    static const QRegularExpression kilometres(QStringLiteral("^(Easting|Northing) [-+0-9.e]+km"));
    QString reason = QString::fromStdString(e.what());
    const QRegularExpressionMatch match = kilometres.match(reason);
    if (match.hasMatch()) {
        const bool isEasting = match.captured(1) == QLatin1String("Easting");
        reason.replace(0, match.capturedLength(),
                       match.captured(1) + u' ' +
                           ExactNumber((isEasting ? easting : northing) / 1000) +
                           QStringLiteral("km"));
    }
    return reason;
}

} // namespace

char16_t UtmBandLetter(int zone, bool north, double easting, double northing, double latitude) {
    std::string gridZone;
    // Precision -1: the grid zone only, "31U".
    GeographicLib::MGRS::Forward(zone, north, easting, northing, latitude, -1, gridZone);
    return static_cast<char16_t>(gridZone.back());
}

bool IsUtmZoneToken(const QString& token) {
    return zonePattern().match(token).hasMatch();
}

ParsedPosition ParseUtmUps(const QString& zone, double easting, double northing) {
    const QRegularExpressionMatch match = zonePattern().match(zone);
    ParsedPosition result;
    if (!match.hasMatch()) {
        result.reason = QStringLiteral("%1 is no UTM zone").arg(zone);
        return result;
    }
    const QString number = match.captured(1);
    const QString letter = match.captured(2);
    // Without a zone (UPS) both letters are hemispheres.
    const bool hemisphere = letter.size() > 1 || letter == QLatin1String("n") ||
                            letter == QLatin1String("N") || letter == QLatin1String("s") ||
                            (number.isEmpty() && letter == QLatin1String("S"));
    const qsizetype band = hemisphere ? -1 : QStringView(UtmBandLetters).indexOf(letter.toUpper());
    if (!hemisphere && (band < 0 || number.isEmpty())) {
        result.reason = number.isEmpty()
                            ? QStringLiteral("Write a UPS reference with N or S, for example "
                                             "N 2000000 2000000")
                            : QStringLiteral("Latitude band %1 does not exist: the bands are C to "
                                             "M (south) and N to X (north), without I and O")
                                  .arg(letter.toUpper());
        return result;
    }
    const bool north = hemisphere ? letter.front().toLower() == u'n' : band >= 10;
    try {
        int zoneNumber = 0;
        bool northern = true;
        // GeographicLib checks the zone ("61n", "0n" are no zones) and the ranges.
        GeographicLib::UTMUPS::DecodeZone((number + (north ? u'n' : u's')).toStdString(),
                                          zoneNumber, northern);
        GeographicLib::UTMUPS::Reverse(zoneNumber, northern, easting, northing, result.latitude,
                                       result.longitude);
    } catch (const std::exception& e) {
        result.reason = gridFailure(e, easting, northing);
        return result;
    }
    if (band >= 0 && !(result.latitude >= bandSouth(int(band)) - BandTolerance &&
                       result.latitude < bandNorth(int(band)) + BandTolerance)) {
        result.reason = QStringLiteral("%1%2 %3 %4 is not in latitude band %2 (%5 to %6)")
                            .arg(number, letter, ExactNumber(easting), ExactNumber(northing),
                                 bandEdge(bandSouth(int(band))), bandEdge(bandNorth(int(band))));
        if (letter == QLatin1String("S"))
            result.reason += QStringLiteral(". For the southern hemisphere write %1s or the band "
                                            "letter (C to M)")
                                 .arg(number);
        return result;
    }
    result.ok = true;
    result.format = CoordinateFormat::UtmUps;
    return result;
}

} // namespace geo
