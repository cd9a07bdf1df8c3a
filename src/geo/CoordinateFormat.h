#pragma once

#include <QString>
#include <array>
#include <optional>

namespace geo {

// The ways a position can be shown. AsDerived is the derivation's own number (at most
// 15 significant digits); the others round to what a reader of that notation expects.
enum class CoordinateFormat {
    AsDerived,
    DecimalDegrees,
    DegreesMinutesSeconds,
    DegreesDecimalMinutes,
    UtmUps,
    Mgrs,
};

inline constexpr std::array<CoordinateFormat, 6> AllCoordinateFormats = {
    CoordinateFormat::AsDerived,
    CoordinateFormat::DecimalDegrees,
    CoordinateFormat::DegreesMinutesSeconds,
    CoordinateFormat::DegreesDecimalMinutes,
    CoordinateFormat::UtmUps,
    CoordinateFormat::Mgrs,
};

// The name the user sees ("Degrees Minutes Seconds").
QString CoordinateFormatTitle(CoordinateFormat format);
// The name the setting stores ("DegreesMinutesSeconds"), and back; nothing for an
// unknown name.
QString CoordinateFormatKey(CoordinateFormat format);
std::optional<CoordinateFormat> CoordinateFormatFromKey(const QString& key);

// UTM / UPS and MGRS name a grid square rather than a latitude and a longitude.
inline bool IsGridFormat(CoordinateFormat format) {
    return format == CoordinateFormat::UtmUps || format == CoordinateFormat::Mgrs;
}

} // namespace geo
