#include "CopyLatLonAction.h"

#include "Required.h"
#include "RowActionPattern.h"

#include "addin/FailureStyle.h"
#include "desktop/Desktop.h"
#include "geo/CoordinateFormatSetting.h"
#include "geo/PositionCalculator.h"
#include "geo/PositionFormat.h"
#include "mappoint/Pushpin.h"

#include <QStringList>

using locastra::Step;

namespace actions {

QString CopiedStatusText(int copied, int selected) {
    return QStringLiteral("Copied %1 of %2 positions").arg(copied).arg(selected);
}

void CopyLatLon(RowActionHost& host) {
    const geo::CoordinateFormat format = geo::ChosenCoordinateFormat();
    QStringList lines;
    int selected = 0;
    ForEachSelectedRow(host, [&](RowContext& row) {
        ++selected;
        Step([&] {
            const mappoint::LocationPtr location = Required(row.pushpin)->Location();
            geo::CalcLatLon(row.map, location, host.thelat(), host.thelon());
            lines.push_back(row.text + QLatin1Char('\t') +
                            geo::FormatPositionColumns(host.thelat(), host.thelon(), format));
        });
        return RowOutcome::NextRow;
    });
    if (!lines.isEmpty())
        Step([&] { desktop::services().setClipboardText(lines.join(QLatin1Char('\n'))); });
    host.setStatusText(CopiedStatusText(static_cast<int>(lines.size()), selected));
}

} // namespace actions
