#include "InformationPosition.h"

#include "PushpinInformation.h"

#include "addin/FailureStyle.h"
#include "geo/PositionFormat.h"

namespace actions {

QString InformationPositionLines(double latitude, double longitude, geo::CoordinateFormat format) {
    QString lines = QStringLiteral("Latitude: ") + geo::FormatLatitude(latitude, format) +
                    InfoLineEnd + QStringLiteral("Longitude: ") +
                    geo::FormatLongitude(longitude, format);
    if (!geo::IsGridFormat(format))
        return lines;
    const QString label =
        format == geo::CoordinateFormat::Mgrs ? QStringLiteral("MGRS: ") : QStringLiteral("UTM: ");
    locastra::Step([&] {
        lines += InfoLineEnd + label + geo::FormatGridReference(latitude, longitude, format);
    });
    return lines;
}

} // namespace actions
