#pragma once

#include "PositionParse.h"

#include <QString>

// UTM / UPS references as people write them: a zone number with a latitude band letter
// ("31U 448251 5411932") or with a hemisphere ("31n ...", "31north ..."), or a polar
// hemisphere alone for UPS ("N 2000000 2000000").
namespace geo {

// The latitude band letters from south to north: C to M southern, N to X northern.
inline constexpr char16_t UtmBandLetters[] = u"CDEFGHJKLMNPQRSTUVWX";

// The band letter of a UTM position (GeographicLib's MGRS grid zone); the caller has a
// UTM zone (latitude -80 to 84).
char16_t UtmBandLetter(int zone, bool north, double easting, double northing, double latitude);

// Whether a token has the form of a zone: up to two digits and a band or hemisphere
// letter, or a spelled-out hemisphere.
bool IsUtmZoneToken(const QString& token);

// Reads zone, easting and northing. Lower-case n and s, and "north" and "south" in any
// case, name the hemisphere, the notation GeographicLib writes; an upper-case S is band
// S (32°N to 40°N); N is the northern hemisphere and band N alike. A band letter must
// agree with the northing.
ParsedPosition ParseUtmUps(const QString& zone, double easting, double northing);

} // namespace geo
