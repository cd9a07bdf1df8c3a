#pragma once

#include "RowActionHost.h"

#include "mappoint/Types.h"

#include <QString>
#include <functional>

namespace actions {

// What one step of a row action works on: the row, its text, the map attached for this
// row and the pushpin found by the row text. Either reference may be empty when the
// host could not be reached or the pushpin was not found; the steps then fail (and are
// skipped) through Required.
struct RowContext {
    int row = 0;
    QString text;
    mappoint::MapPtr map;
    mappoint::PushpinPtr pushpin;
};

enum class RowOutcome { NextRow, EndCommand };

// The pattern every result-list menu entry follows: reads the row count once, and for
// each selected row in list order reads its text, attaches anew to the running host and
// takes its active map, looks the pushpin up by the row text, then runs the entry's
// steps. Attaching and the lookup are guarded steps; the entry guards its own steps
// (locastra::Step) so a failing one is skipped and the next runs. No error leaves it.
void ForEachSelectedRow(RowActionHost& host, const std::function<RowOutcome(RowContext&)>& steps);

} // namespace actions
