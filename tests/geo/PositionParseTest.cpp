#include "geo/PositionParse.h"

#include <gtest/gtest.h>

using geo::CoordinateFormat;

namespace {

struct Readable {
    const char* text;
    double latitude;
    double longitude;
    CoordinateFormat format;
};

TEST(PositionParse, ReadsEveryNotationAsPeopleTypeIt) {
    const auto dd = CoordinateFormat::DecimalDegrees;
    const Readable cases[] = {
        {"47.6205, -122.3493", 47.6205, -122.3493, dd},
        {"47,6205; -122,3493", 47.6205, -122.3493, dd},
        {"47,6205 , -122,3493", 47.6205, -122.3493, dd},
        {"47.6205 -122.3493", 47.6205, -122.3493, dd},
        {"47.6205\t-122.3493", 47.6205, -122.3493, dd},
        {"   47.6205 ,    -122.3493   ", 47.6205, -122.3493, dd},
        {"51°30′30.0″N 0°07′31.0″W", 51.508333333, -0.125277778, dd},
        {"51°30′30,0″N 0°07′31,0″W", 51.508333333, -0.125277778, dd},
        {"n51°30′30″ w0°07′31″", 51.508333333, -0.125277778, dd},
        {"51 30 30 n 0 7 31 w", 51.508333333, -0.125277778, dd},
        {"N 51 30 30 W 0 7 31", 51.508333333, -0.125277778, dd},
        {"51° 30′ 30″ S,  0° 07′ 31″ E", -51.508333333, 0.125277778, dd},
        {"51d30'30\"N, 0d7'31\"W", 51.508333333, -0.125277778, dd},
        {"151.2153E 33.8568s", -33.8568, 151.2153, dd},
        // Tiny derived values are shown in exponent form.
        {"1.5e-05 , -2E-3", 0.000015, -0.002, dd},
        {"51°30.500′N 0°07.517′W", 51.508333333, -0.12528333, dd},
        {"51°30,500′N  0°07,517′W", 51.508333333, -0.12528333, dd},
        {"30N 699487 5710274", 51.508333, -0.125278, CoordinateFormat::UtmUps},
        {"30s  699487,0 5710274,0", -38.733697, -0.704949, CoordinateFormat::UtmUps},
        {"n 2000000 2000000", 90, 0, CoordinateFormat::UtmUps},
        {"30U XC 99487 10274", 51.508333, -0.125278, CoordinateFormat::Mgrs},
        {"30uxc9948710274", 51.508333, -0.125278, CoordinateFormat::Mgrs},
        {"Z AH 00000 00000", 90, 0, CoordinateFormat::Mgrs},
    };
    for (const Readable& c : cases) {
        SCOPED_TRACE(c.text);
        const geo::ParsedPosition p = geo::ParsePosition(QString::fromUtf8(c.text));
        ASSERT_TRUE(p.ok) << p.reason.toStdString();
        EXPECT_EQ(p.format, c.format);
        // Grid references name a 1 m square; the poles have any longitude.
        const double tolerance = c.format == CoordinateFormat::DecimalDegrees ? 1e-8 : 1e-4;
        EXPECT_NEAR(p.latitude, c.latitude, tolerance);
        if (std::abs(c.latitude) < 90) {
            EXPECT_NEAR(p.longitude, c.longitude, tolerance);
        }
    }
}

TEST(PositionParse, MalformedTextSaysWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "Type a position"},
        {"   ", "Type a position"},
        {"47.6205", "both a latitude and a longitude"},
        {"47.6205,", "both a latitude and a longitude"},
        {", -122.3", "both a latitude and a longitude"},
        {"1, 2, 3", "Too many commas"},
        {"91, 0", "Latitude 91° not in [-90°, 90°]"},
        {"-90.5 10", "Latitude -90.5"},
        {"45, 200", "Longitude 200° not in [-180°, 180°]"},
        {"45, -180.5", "Longitude -180.5"},
        {"45x, 20", "Illegal character x"},
        {"45N, 20N", "latitudes"},
        {"45E 20W", "longitudes"},
        {"4:60, 3", "Minutes 60"},
        {"45°30′70″N, 10E", "Seconds 70"},
        {"51 30 30 0 7 31", "Separate the latitude and the longitude with a comma"},
        {"30UXC993161016", "even number of digits"},
        {"30UXI9931610164", "Row letter I"},
        {"61N 500000 0", "Zone 61"},
        {"30N 9999999 5710164", "Easting"},
        {"30N 500000 99999999", "Northing"},
        {"nan, 0", "Latitude nan"},
        {"10, nan", "Longitude nan"},
    };
    for (const auto& [text, reason] : cases) {
        SCOPED_TRACE(text);
        const geo::ParsedPosition p = geo::ParsePosition(QString::fromUtf8(text));
        EXPECT_FALSE(p.ok);
        EXPECT_TRUE(p.reason.contains(QString::fromUtf8(reason), Qt::CaseInsensitive))
            << p.reason.toStdString();
    }
}

} // namespace
