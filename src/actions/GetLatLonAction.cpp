#include "PushpinActions.h"
#include "Required.h"
#include "RowActionPattern.h"

#include "addin/FailureStyle.h"
#include "desktop/Desktop.h"
#include "geo/CoordinateFormatSetting.h"
#include "geo/PositionCalculator.h"
#include "geo/PositionFormat.h"
#include "mappoint/Pushpin.h"

using locastra::Step;

namespace actions {

namespace {
QString messageFor(const RowContext& row, bool derived, double latitude, double longitude,
                   geo::CoordinateFormat format) {
    // A row without a pushpin, or whose position cannot be derived, says so rather than
    // repeating a position left over from another pushpin.
    if (!row.map)
        return QStringLiteral("The map could not be reached to find \"%1\".").arg(row.text);
    if (!row.pushpin)
        return QStringLiteral("No pushpin named \"%1\" was found on the map.").arg(row.text);
    QString position;
    if (!derived || !Step([&] { position = geo::FormatPosition(latitude, longitude, format); }))
        return QStringLiteral("The position of \"%1\" could not be derived.").arg(row.text);
    return position;
}
} // namespace

void GetLatLon(RowActionHost& host) {
    const geo::CoordinateFormat format = geo::ChosenCoordinateFormat();
    ForEachSelectedRow(host, [&host, format](RowContext& row) {
        mappoint::LocationPtr location;
        Step([&] { location = Required(row.pushpin)->Location(); });
        const bool derived =
            Step([&] { geo::CalcLatLon(row.map, location, host.thelat(), host.thelon()); });
        const QString text = messageFor(row, derived, host.thelat(), host.thelon(), format);
        Step([&] {
            desktop::services().messageBox(text, QStringLiteral("Locastra"), desktop::Icon::None,
                                           desktop::Buttons::Ok);
        });
        return RowOutcome::NextRow;
    });
}

} // namespace actions
