#include "PositionFormat.h"

#include "UtmReference.h"
#include "addin/NumberFormat.h"
#include "qtcompat/QtCompat.h"

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

constexpr char16_t Degree = 0x00B0;
constexpr char16_t Prime = 0x2032;
constexpr char16_t DoublePrime = 0x2033;

char16_t decimalPoint() {
    return qtcompat::decimalPoint(QLocale()).at(0).unicode();
}

// A short text built in place and turned into a QString once: formatting a million
// positions must not cost a million string streams or reallocations.
class TextBuffer {
public:
    void add(char16_t c) {
        if (size_ < Capacity)
            data_[size_++] = c;
    }
    void add(const char* text) {
        for (; *text; ++text)
            add(static_cast<char16_t>(*text));
    }
    // value with a fixed number of decimals and the decimal point given; a value that
    // rounds to zero loses its sign.
    void addFixed(double value, int decimals, char16_t point) {
        char digits[64];
        const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value,
                                             std::chars_format::fixed, decimals);
        if (ec != std::errc()) {
            add("nan");
            return;
        }
        const char* begin = digits;
        if (*begin == '-' && std::all_of(begin + 1, static_cast<const char*>(end),
                                         [](char c) { return c == '0' || c == '.'; }))
            ++begin;
        for (const char* c = begin; c != end; ++c)
            add(*c == '.' ? point : static_cast<char16_t>(*c));
    }
    // A whole number with leading zeros up to width digits.
    void addPadded(long long number, int width) {
        char digits[24];
        const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, number);
        for (auto i = end - digits; i < width; ++i)
            add(u'0');
        for (const char* c = digits; c != end; ++c)
            add(static_cast<char16_t>(*c));
    }
    QString text() const { return QString(reinterpret_cast<const QChar*>(data_), size_); }

private:
    static constexpr int Capacity = 96;
    char16_t data_[Capacity];
    int size_ = 0;
};

// Degrees and minutes, with seconds to a tenth (withSeconds) or else decimal minutes to
// a thousandth, then the hemisphere letter. Rounding happens once, on the smallest
// unit, so 59.96″ carries into the next minute.
void addSexagesimal(TextBuffer& out, double value, bool withSeconds, char16_t positive,
                    char16_t negative) {
    const long long perDegree = withSeconds ? 36000 : 60000;
    const long long units = std::llround(std::abs(value) * static_cast<double>(perDegree));
    const long long perMinute = perDegree / 60;
    const long long rest = units % perDegree;
    const char16_t point = decimalPoint();
    out.addPadded(units / perDegree, 1);
    out.add(Degree);
    out.addPadded(rest / perMinute, 2);
    if (withSeconds) {
        out.add(Prime);
        const long long tenths = rest % perMinute;
        out.addPadded(tenths / 10, 2);
        out.add(point);
        out.addPadded(tenths % 10, 1);
        out.add(DoublePrime);
    } else {
        out.add(point);
        out.addPadded(rest % perMinute, 3);
        out.add(Prime);
    }
    out.add(units != 0 && value < 0 ? negative : positive);
}

void addDegrees(TextBuffer& out, double value, CoordinateFormat format, char16_t positive,
                char16_t negative) {
    switch (format) {
    case CoordinateFormat::DecimalDegrees:
        out.addFixed(value, 6, decimalPoint());
        return;
    case CoordinateFormat::DegreesMinutesSeconds:
        addSexagesimal(out, value, true, positive, negative);
        return;
    case CoordinateFormat::DegreesDecimalMinutes:
        addSexagesimal(out, value, false, positive, negative);
        return;
    case CoordinateFormat::AsDerived:
    case CoordinateFormat::UtmUps:
    case CoordinateFormat::Mgrs:
        break;
    }
    const QString number = locastra::FormatNumber(value);
    for (const QChar c : number)
        out.add(c.unicode());
}

bool isDecimal(CoordinateFormat format) {
    return format == CoordinateFormat::AsDerived || format == CoordinateFormat::DecimalDegrees;
}

// "33XWG1369680760" as "33X WG 13696 80760": grid zone, 100 km square, easting,
// northing (a polar reference has no zone number).
void addSpacedMgrs(TextBuffer& out, const std::string& compact) {
    size_t zoneEnd = 0;
    while (zoneEnd < compact.size() && std::isdigit(static_cast<unsigned char>(compact[zoneEnd])))
        ++zoneEnd;
    const size_t squareEnd = std::min(compact.size(), zoneEnd + 3);
    const size_t half = (compact.size() - squareEnd) / 2;
    for (size_t i = 0; i < compact.size(); ++i) {
        if (i == squareEnd - 2 || (half > 0 && (i == squareEnd || i == squareEnd + half)))
            out.add(u' ');
        out.add(static_cast<char16_t>(compact[i]));
    }
}

// UTM / UPS as "33X 513697 8680760": the zone with two digits and its latitude band
// letter (a hemisphere letter N or S would read as a band), or for UPS the hemisphere
// alone; easting and northing rounded to the metre.
void addUtmUps(TextBuffer& out, int zone, bool north, double easting, double northing,
               double latitude) {
    if (zone != GeographicLib::UTMUPS::UPS) {
        out.addPadded(zone, 2);
        out.add(UtmBandLetter(zone, north, easting, northing, latitude));
    } else {
        out.add(north ? u'N' : u'S');
    }
    for (const double metres : {easting, northing}) {
        out.add(u' ');
        out.addFixed(metres, 0, u'.');
    }
}

void addGrid(TextBuffer& out, double latitude, double longitude, CoordinateFormat format) {
    using GeographicLib::UTMUPS;
    int zone = 0;
    bool north = true;
    double easting = 0;
    double northing = 0;
    UTMUPS::Forward(latitude, longitude, zone, north, easting, northing);
    if (format != CoordinateFormat::Mgrs) {
        addUtmUps(out, zone, north, easting, northing, latitude);
        return;
    }
    std::string mgrs;
    // Precision 5: five digits each for easting and northing, 1 m squares.
    GeographicLib::MGRS::Forward(zone, north, easting, northing, latitude, 5, mgrs);
    addSpacedMgrs(out, mgrs);
}

// Latitude and longitude joined by decimalSeparator in the two decimal formats and by
// sexagesimalSeparator in the other two; the grid formats give one reference.
QString joined(double latitude, double longitude, CoordinateFormat format,
               const char* decimalSeparator, const char* sexagesimalSeparator) {
    TextBuffer out;
    if (IsGridFormat(format)) {
        addGrid(out, latitude, longitude, format);
    } else {
        addDegrees(out, latitude, format, u'N', u'S');
        out.add(isDecimal(format) ? decimalSeparator : sexagesimalSeparator);
        addDegrees(out, longitude, format, u'E', u'W');
    }
    return out.text();
}

} // namespace

QString FormatLatitude(double latitude, CoordinateFormat format) {
    TextBuffer out;
    addDegrees(out, latitude, format, u'N', u'S');
    return out.text();
}

QString FormatLongitude(double longitude, CoordinateFormat format) {
    TextBuffer out;
    addDegrees(out, longitude, format, u'E', u'W');
    return out.text();
}

QString FormatGridReference(double latitude, double longitude, CoordinateFormat format) {
    TextBuffer out;
    addGrid(out, latitude, longitude, format);
    return out.text();
}

QString FormatPosition(double latitude, double longitude, CoordinateFormat format) {
    return joined(latitude, longitude, format, " , ", " ");
}

QString FormatPositionColumns(double latitude, double longitude, CoordinateFormat format) {
    return joined(latitude, longitude, format, "\t", "\t");
}

} // namespace geo
