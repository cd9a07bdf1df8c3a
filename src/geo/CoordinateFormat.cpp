#include "CoordinateFormat.h"

namespace geo {

namespace {
struct Names {
    const char* title;
    const char* key;
};

Names namesOf(CoordinateFormat format) {
    switch (format) {
    case CoordinateFormat::AsDerived:
        return {"As Derived", "AsDerived"};
    case CoordinateFormat::DecimalDegrees:
        return {"Decimal Degrees", "DecimalDegrees"};
    case CoordinateFormat::DegreesMinutesSeconds:
        return {"Degrees Minutes Seconds", "DegreesMinutesSeconds"};
    case CoordinateFormat::DegreesDecimalMinutes:
        return {"Degrees Decimal Minutes", "DegreesDecimalMinutes"};
    case CoordinateFormat::UtmUps:
        return {"UTM / UPS", "UtmUps"};
    case CoordinateFormat::Mgrs:
        return {"MGRS", "Mgrs"};
    }
    return {"As Derived", "AsDerived"};
}
} // namespace

QString CoordinateFormatTitle(CoordinateFormat format) {
    return QString::fromLatin1(namesOf(format).title);
}

QString CoordinateFormatKey(CoordinateFormat format) {
    return QString::fromLatin1(namesOf(format).key);
}

std::optional<CoordinateFormat> CoordinateFormatFromKey(const QString& key) {
    for (const CoordinateFormat format : AllCoordinateFormats)
        if (key == QLatin1String(namesOf(format).key))
            return format;
    return std::nullopt;
}

} // namespace geo
