#pragma once

#include "mappoint/Application.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Map.h"

#include <QString>
#include <cstdint>

namespace locastra {

// The class name under which the running map host is registered.
inline const QString HostClassName = QStringLiteral("MapPoint.Application");

// The running host's Application; throws automation::Error when none runs.
mappoint::ApplicationPtr AttachHost();

// Attaches anew to the running host and takes its ActiveMap; throws when the host
// cannot be reached or has no map open.
mappoint::MapPtr AttachActiveMap();

// Whether a map object of this Type is an area shape, the kind QueryShape takes: a
// rectangle, oval or radius circle, a freeform polygon, a drive-time zone.
constexpr bool IsAreaShape(int32_t type) {
    return type == mappoint::geoAutoShape || type == mappoint::geoFreeform ||
           type == mappoint::geoDriveTimeZone;
}

// The dataset choice that means every dataset of the map.
inline const QString AllDataSets = QStringLiteral("All");

// The first dataset of the map whose Name equals name exactly, or nothing. Host
// failures propagate.
mappoint::DataSetPtr FirstDataSetNamed(const mappoint::MapPtr& map, const QString& name);

// What the dataset walk does with a dataset whose Name cannot be read: a command
// that goes step by step passes it over; an export ends on it (the failure
// propagates), so no dataset is left out unnoticed.
enum class UnreadableName { Skip, Fail };

// Calls visit(dataSet) for every dataset the choice names, in map order: every
// dataset for "All", otherwise each dataset whose Name equals choice exactly.
// Exceptions from visit and from reaching the collection propagate.
template <class Visit>
void ForEachChosenDataSet(const mappoint::MapPtr& map, const QString& choice, Visit&& visit,
                          UnreadableName unreadable = UnreadableName::Skip);

} // namespace locastra

#include "HostAccess.inl"
