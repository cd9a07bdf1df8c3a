#include "geo/PositionParse.h"

#include <QLocale>
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
        // No blank after the separating comma; decimal commas beside a separator.
        {"48.8566,2.3522", 48.8566, 2.3522, dd},
        {"48,8566, 2,3522", 48.8566, 2.3522, dd},
        {"48,8566 2,3522", 48.8566, 2.3522, dd},
        {"48,8566;2,3522", 48.8566, 2.3522, dd},
        {"48,8566,2,3522", 48.8566, 2.3522, dd},
        {"-33,8568,151,2153", -33.8568, 151.2153, dd},
        {"51,5 n 0,125 w", 51.5, -0.125, dd},
        {"51°30′30,0″N,0°07′31,0″W", 51.508333333, -0.125277778, dd},
        // UTM with the latitude band: C to M south, N to X north (S is northern).
        {"31U 448251 5411932", 48.85819, 2.29449, CoordinateFormat::UtmUps},
        {"31u 448251 5411932", 48.85819, 2.29449, CoordinateFormat::UtmUps},
        {"31U 448251, 5411932", 48.85819, 2.29449, CoordinateFormat::UtmUps},
        {"31U 448251,0;5411932,0", 48.85819, 2.29449, CoordinateFormat::UtmUps},
        {"31S 500000 3983948", 36.0, 3.0, CoordinateFormat::UtmUps},
        {"56H 334901 6252289", -33.8568, 151.2153, CoordinateFormat::UtmUps},
        {"31N 166021 0", 0, 0, CoordinateFormat::UtmUps},
        // ... or the hemisphere: n and s as GeographicLib writes them, N as before.
        {"30N 699487 5710274", 51.508333, -0.125278, CoordinateFormat::UtmUps},
        {"30n 699487 5710274", 51.508333, -0.125278, CoordinateFormat::UtmUps},
        {"30North 699487 5710274", 51.508333, -0.125278, CoordinateFormat::UtmUps},
        {"30s  699487,0 5710274,0", -38.733697, -0.704949, CoordinateFormat::UtmUps},
        {"30south 699487 5710274", -38.733697, -0.704949, CoordinateFormat::UtmUps},
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
        {"1,2,3", "Too many commas"},
        {"48,85,2", "Too many commas"},
        {"1;2;3", "Too many semicolons"},
        // Enough digits that the number is not rounded onto the limit.
        {"90.0000001, 0", "Latitude 90.0000001° not in [-90°, 90°]"},
        {"-90,00000000000001; 0", "Latitude -90.00000000000001° not in"},
        {"0, 180.0000001", "Longitude 180.0000001° not in [-180°, 180°]"},
        {"30UXC993161016", "even number of digits"},
        {"30UXI9931610164", "Row letter I"},
        {"61N 500000 0", "Zone 61"},
        {"30N 9999999 5710164", "Easting"},
        {"30N 500000 99999999", "Northing"},
        {"30n 1000000.4 5710274", "Easting 1000.0004km not in"},
        {"31U 448251 1411932", "31U 448251 1411932 is not in latitude band U (48°N to 56°N)"},
        {"30S 699487 5710274", "For the southern hemisphere write 30s or the band letter"},
        {"33M 500000 8000000", "band M (8°S to 0°)"},
        {"31I 448251 5411932", "Latitude band I does not exist"},
        {"Z 2000000 2000000", "UPS reference with N or S"},
        {"nan, 0", "Latitude nan"},
        {"10, nan", "Longitude nan"},
        // Text without a number gets the forms, not the grid library's complaint.
        {"abc", "Type a latitude and a longitude, a UTM / UPS or an MGRS reference"},
        {"hello world", "for example 48.8566, 2.3522"},
    };
    for (const auto& [text, reason] : cases) {
        SCOPED_TRACE(text);
        const geo::ParsedPosition p = geo::ParsePosition(QString::fromUtf8(text));
        EXPECT_FALSE(p.ok);
        EXPECT_FALSE(p.reason.contains("UPS band"));
        EXPECT_TRUE(p.reason.contains(QString::fromUtf8(reason), Qt::CaseInsensitive))
            << p.reason.toStdString();
    }
}

// A lone comma between digits is the decimal comma where the locale writes one: there
// "48,2" is one number; elsewhere it separates a latitude and a longitude.
TEST(PositionParse, LoneCommaFollowsTheLocale) {
    const geo::ParsedPosition pair = geo::ParsePosition("48,2");
    ASSERT_TRUE(pair.ok) << pair.reason.toStdString();
    EXPECT_EQ(pair.latitude, 48);
    EXPECT_EQ(pair.longitude, 2);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const geo::ParsedPosition single = geo::ParsePosition("48,2");
    const geo::ParsedPosition comma = geo::ParsePosition("48,8566 2,3522");
    const geo::ParsedPosition range = geo::ParsePosition("90,0000001; 0");
    QLocale::setDefault(QLocale::c());
    EXPECT_FALSE(single.ok);
    EXPECT_EQ(single.reason, "Type both a latitude and a longitude");
    EXPECT_TRUE(comma.ok);
    EXPECT_EQ(range.reason, "Latitude 90,0000001° not in [-90°, 90°]");
}

} // namespace
