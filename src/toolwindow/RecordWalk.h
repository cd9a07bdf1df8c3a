#pragma once

#include "DataSetProgress.h"
#include "MessagePump.h"
#include "addin/FailureStyle.h"
#include "mappoint/DataSet.h"
#include "mappoint/Recordset.h"

namespace toolwindow {

// How the long loops (Find, Get All) walk one dataset: take its records, seat the
// progress bar, then per record check the Stop flag, advance the bar, let the window
// handle its messages, handle the record (each its own step), and move on. Returns
// false when the Stop flag ended the walk; true when the dataset is done or could
// not be walked.
template <class PerRecord>
bool WalkDataSetRecords(const mappoint::DataSetPtr& dataSet, const bool& stopFlag,
                        DataSetProgress& progress, MessagePump& pump, PerRecord&& perRecord) {
    using locastra::Step;
    if (stopFlag)
        return false;
    mappoint::RecordsetPtr records;
    Step([&] { records = dataSet->QueryAllRecords(); });
    progress.start(dataSet);
    if (!records)
        return true;
    for (;;) {
        bool eof = true;
        // A record set that cannot say where it is ends this dataset.
        if (!Step([&] { eof = records->Eof(); }) || eof)
            return true;
        if (stopFlag)
            return false;
        perRecord(records, [&] {
            progress.tick();
            pump.yield();
        });
        // A record set that cannot move on would handle the same record for ever.
        if (!Step([&] { records->MoveNext(); }))
            return true;
    }
}

} // namespace toolwindow
