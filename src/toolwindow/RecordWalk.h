#pragma once

#include "DataSetProgress.h"
#include "MessagePump.h"
#include "addin/FailureStyle.h"
#include "mappoint/DataSet.h"
#include "mappoint/Recordset.h"

#include <utility>

namespace toolwindow {

// How a walk treats a failing host step. The tool window's loops skip it (each step
// is its own Step); the exports let the failure end the command.
struct SkipFailedStep {
    template <class F> bool operator()(F&& step) const {
        return locastra::Step(std::forward<F>(step));
    }
};
struct EndOnFailedStep {
    template <class F> bool operator()(F&& step) const {
        std::forward<F>(step)();
        return true;
    }
};

// How a long loop walks one dataset: take its records (query()), seat the progress
// bar, then per record check the Stop flag, advance the bar, let the window handle its
// messages, handle the record, and move on; every host step under guard. Returns false
// when the Stop flag ended the walk; true when the dataset is done or could not be
// walked.
template <class Query, class Guard, class PerRecord>
bool WalkRecords(const mappoint::DataSetPtr& dataSet, Query&& query, const bool& stopFlag,
                 DataSetProgress& progress, MessagePump& pump, Guard&& guard,
                 PerRecord&& perRecord) {
    if (stopFlag)
        return false;
    mappoint::RecordsetPtr records;
    guard([&] { records = query(); });
    progress.start(dataSet);
    if (!records)
        return true;
    for (;;) {
        bool eof = true;
        // A record set that cannot say where it is ends this dataset.
        if (!guard([&] { eof = records->Eof(); }) || eof)
            return true;
        if (stopFlag)
            return false;
        perRecord(records, [&] {
            progress.tick();
            pump.yield();
        });
        // A record set that cannot move on would handle the same record for ever.
        if (!guard([&] { records->MoveNext(); }))
            return true;
    }
}

// The walk of Find and Get All: every record of the dataset, each step its own Step.
template <class PerRecord>
bool WalkDataSetRecords(const mappoint::DataSetPtr& dataSet, const bool& stopFlag,
                        DataSetProgress& progress, MessagePump& pump, PerRecord&& perRecord) {
    return WalkRecords(
        dataSet, [&] { return dataSet->QueryAllRecords(); }, stopFlag, progress, pump,
        SkipFailedStep{}, std::forward<PerRecord>(perRecord));
}

} // namespace toolwindow
