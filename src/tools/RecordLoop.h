#pragma once

#include "addin/FailureStyle.h"
#include "mappoint/DataSet.h"
#include "mappoint/Recordset.h"
#include "toolwindow/DataSetProgress.h"

namespace tools {

// The record loop of the dataset-wide commands: take every record, seat the progress
// bar for the dataset, then per record count the bar and treat the record's pushpin.
// Each step skips its own failure; a record set that cannot tell its end or cannot
// move on ends the dataset (it would otherwise treat one record for ever). The loop
// does not hand the window its messages.
template <class PerPushpin>
void ForEachPushpinOf(const mappoint::DataSetPtr& dataSet, toolwindow::DataSetProgress& progress,
                      PerPushpin&& perPushpin) {
    using locastra::Step;
    mappoint::RecordsetPtr records;
    Step([&] { records = dataSet->QueryAllRecords(); });
    progress.start(dataSet);
    if (!records)
        return;
    for (;;) {
        bool eof = true;
        if (!Step([&] { eof = records->Eof(); }) || eof)
            break;
        progress.tick();
        mappoint::PushpinPtr pushpin;
        if (Step([&] { pushpin = records->Pushpin(); }) && pushpin)
            perPushpin(pushpin);
        if (!Step([&] { records->MoveNext(); }))
            break;
    }
    progress.show();
}

} // namespace tools
