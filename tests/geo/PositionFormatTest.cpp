#include "ZoneTable.h"

#include "geo/PositionFormat.h"
#include "geo/PositionParse.h"

#include <GeographicLib/Geodesic.hpp>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

using geo::CoordinateFormat;

namespace {

struct Case {
    double latitude;
    double longitude;
    CoordinateFormat format;
    const char* position; // FormatPosition
    const char* columns;  // FormatPositionColumns
};

class PositionFormat : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(PositionFormat, EachFormatWritesItsNotation) {
    const Case cases[] = {
        {2.2945, 48.8584, CoordinateFormat::AsDerived, "2.2945 , 48.8584", "2.2945\t48.8584"},
        {47.6205, -122.3493, CoordinateFormat::DecimalDegrees, "47.620500 , -122.349300",
         "47.620500\t-122.349300"},
        // A value that rounds to zero loses its minus sign.
        {-0.0000001, -0.0000004, CoordinateFormat::DecimalDegrees, "0.000000 , 0.000000",
         "0.000000\t0.000000"},
        {51.508333333, -0.125277778, CoordinateFormat::DegreesMinutesSeconds,
         "51°30′30.0″N 0°07′31.0″W", "51°30′30.0″N\t0°07′31.0″W"},
        {-33.8568, 151.2153, CoordinateFormat::DegreesMinutesSeconds, "33°51′24.5″S 151°12′55.1″E",
         "33°51′24.5″S\t151°12′55.1″E"},
        // 59.96 seconds carry into the minute, and the minute into the degree.
        {10.99999, -179.99999, CoordinateFormat::DegreesMinutesSeconds,
         "11°00′00.0″N 180°00′00.0″W", "11°00′00.0″N\t180°00′00.0″W"},
        // Positions that round to zero are north and east.
        {-0.00001, -0.00001, CoordinateFormat::DegreesMinutesSeconds, "0°00′00.0″N 0°00′00.0″E",
         "0°00′00.0″N\t0°00′00.0″E"},
        {51.508333333, -0.125277778, CoordinateFormat::DegreesDecimalMinutes,
         "51°30.500′N 0°07.517′W", "51°30.500′N\t0°07.517′W"},
        {-89.9999999, 0, CoordinateFormat::DegreesDecimalMinutes, "90°00.000′S 0°00.000′E",
         "90°00.000′S\t0°00.000′E"},
        // UTM writes the latitude band: N and S would also read as bands.
        {51.508333, -0.125278, CoordinateFormat::UtmUps, "30U 699487 5710274",
         "30U 699487 5710274"},
        {-33.8568, 151.2153, CoordinateFormat::UtmUps, "56H 334901 6252289", "56H 334901 6252289"},
        {36.0, 3.0, CoordinateFormat::UtmUps, "31S 500000 3983948", "31S 500000 3983948"},
        {90, 0, CoordinateFormat::UtmUps, "N 2000000 2000000", "N 2000000 2000000"},
        {0, 180, CoordinateFormat::UtmUps, "01N 166021 0", "01N 166021 0"},
        {78.2, 15.6, CoordinateFormat::Mgrs, "33X WG 13696 80760", "33X WG 13696 80760"},
        {-90, 0, CoordinateFormat::Mgrs, "B AN 00000 00000", "B AN 00000 00000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(geo::CoordinateFormatKey(c.format).toStdString() + " " +
                     std::to_string(c.latitude) + " " + std::to_string(c.longitude));
        EXPECT_EQ(geo::FormatPosition(c.latitude, c.longitude, c.format),
                  QString::fromUtf8(c.position));
        EXPECT_EQ(geo::FormatPositionColumns(c.latitude, c.longitude, c.format),
                  QString::fromUtf8(c.columns));
    }
}

TEST_F(PositionFormat, DecimalFractionsTakeTheUsersSeparator) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(geo::FormatPosition(47.6205, -122.3493, CoordinateFormat::AsDerived),
              "47,6205 , -122,3493");
    EXPECT_EQ(geo::FormatPosition(47.6205, -122.3493, CoordinateFormat::DecimalDegrees),
              "47,620500 , -122,349300");
    EXPECT_EQ(geo::FormatLatitude(51.508333333, CoordinateFormat::DegreesMinutesSeconds),
              QString::fromUtf8("51°30′30,0″N"));
    EXPECT_EQ(geo::FormatLongitude(-0.125277778, CoordinateFormat::DegreesDecimalMinutes),
              QString::fromUtf8("0°07,517′W"));
    // Grid references are whole metres: no separator to localise.
    EXPECT_EQ(geo::FormatPosition(51.508333, -0.125278, CoordinateFormat::UtmUps),
              "30U 699487 5710274");
}

TEST_F(PositionFormat, GridFormatsKeepTheDerivedNumbersForSingleCoordinates) {
    for (const CoordinateFormat format : {CoordinateFormat::UtmUps, CoordinateFormat::Mgrs}) {
        EXPECT_EQ(geo::FormatLatitude(2.29449999999979, format), "2.29449999999979");
        EXPECT_EQ(geo::FormatLongitude(-122.3493, format), "-122.3493");
    }
}

// Real places all over the globe plus the places where the grids have their special
// cases: the poles (UPS), the edges of UTM (84 N, 80 S), the Norway and Svalbard zone
// exceptions and the 180th meridian.
std::vector<ZonePlace> testPlaces() {
    std::vector<ZonePlace> places =
        ReadZoneTable(QStringLiteral("/usr/share/zoneinfo/zone1970.tab"));
    const ZonePlace special[] = {
        {"North Pole", 90, 0},          {"South Pole", -90, 0},
        {"Above UTM", 84.5, 10},        {"UTM top", 83.99, -30},
        {"Below UTM", -80.5, 20},       {"UTM bottom", -79.99, 100},
        {"Bergen (32V)", 60.39, 5.32},  {"West Norway (31V)", 61, 2.5},
        {"Svalbard 31X", 78.5, 8},      {"Svalbard 33X", 78.5, 10},
        {"Svalbard 35X", 78.5, 22},     {"Svalbard 37X", 78.5, 34},
        {"Antimeridian", 0, 180},       {"Antimeridian west", -16.5, -180},
        {"Fiji east", -17.7, 179.9999}, {"Tonga west", -21.1, -179.9999},
        {"Equator, Greenwich", 0, 0},
    };
    places.insert(places.end(), std::begin(special), std::end(special));
    return places;
}

double metresBetween(double lat1, double lon1, double lat2, double lon2) {
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, metres);
    return metres;
}

TEST_F(PositionFormat, EveryPlaceReadsBackWithinItsFormatsPrecision) {
    // Worst case of the rounding of each format: half the last digit of latitude and of
    // longitude together (the grid formats: half a metre each way).
    const std::pair<CoordinateFormat, double> precisions[] = {
        {CoordinateFormat::AsDerived, 1e-6},
        {CoordinateFormat::DecimalDegrees, 0.08},
        {CoordinateFormat::DegreesMinutesSeconds, 2.2},
        {CoordinateFormat::DegreesDecimalMinutes, 1.32},
        {CoordinateFormat::UtmUps, 0.72},
        {CoordinateFormat::Mgrs, 0.72},
    };
    const auto places = testPlaces();
    ASSERT_GT(places.size(), 250u) << "the time-zone table (package tzdata) is missing";
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        for (const auto& [format, metres] : precisions) {
            for (const ZonePlace& place : places) {
                const QString text = geo::FormatPosition(place.latitude, place.longitude, format);
                SCOPED_TRACE(place.name.toStdString() + ": " + text.toStdString());
                const geo::ParsedPosition back = geo::ParsePosition(text);
                ASSERT_TRUE(back.ok) << back.reason.toStdString();
                EXPECT_EQ(geo::IsGridFormat(back.format), geo::IsGridFormat(format));
                EXPECT_LE(
                    metresBetween(place.latitude, place.longitude, back.latitude, back.longitude),
                    metres);
            }
        }
    }
}

// GeographicLib's own converter, one line out per line in.
QStringList geoConvert(const QString& option, const std::vector<ZonePlace>& places) {
    QProcess process;
    process.start(QStringLiteral("GeoConvert"), {option});
    if (!process.waitForStarted())
        return {};
    for (const ZonePlace& place : places)
        process.write(QByteArray::number(place.latitude, 'g', 17) + ' ' +
                      QByteArray::number(place.longitude, 'g', 17) + '\n');
    process.closeWriteChannel();
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// GeoConvert writes UTM with the hemisphere (n, s) and no band; the band is the grid
// zone letter of its MGRS reference.
TEST_F(PositionFormat, GridReferencesAgreeWithGeoConvert) {
    const auto places = testPlaces();
    const QStringList utm = geoConvert("-u", places);
    const QStringList mgrs = geoConvert("-m", places);
    ASSERT_EQ(utm.size(), qsizetype(places.size()))
        << "GeoConvert (package geographiclib-tools) missing or failing";
    ASSERT_EQ(mgrs.size(), qsizetype(places.size()));
    static const QRegularExpression zoneBand(QStringLiteral("^(\\d\\d)([C-HJ-NP-X]) "));
    for (size_t i = 0; i < places.size(); ++i) {
        SCOPED_TRACE(places[i].name.toStdString());
        const auto at = qsizetype(i);
        QString ours = geo::FormatGridReference(places[i].latitude, places[i].longitude,
                                                CoordinateFormat::Mgrs);
        EXPECT_EQ(ours.remove(' '), mgrs[at].trimmed().toUpper());

        ours = geo::FormatGridReference(places[i].latitude, places[i].longitude,
                                        CoordinateFormat::UtmUps);
        const QString theirs = utm[at].trimmed();
        const QRegularExpressionMatch band = zoneBand.match(ours);
        if (!band.hasMatch()) { // UPS: the hemisphere alone
            EXPECT_EQ(ours.toLower(), theirs);
            continue;
        }
        EXPECT_EQ(band.captured(2), mgrs[at].trimmed().toUpper().mid(2, 1));
        const QChar hemisphere = band.captured(2) >= QStringLiteral("N") ? u'n' : u's';
        EXPECT_EQ(band.captured(1) + hemisphere + ours.mid(3), theirs);
    }
}

} // namespace
