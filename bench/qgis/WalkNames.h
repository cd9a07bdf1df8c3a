#pragma once

#include "mappoint/DataSet.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"

#include <benchmark/benchmark.h>
#include <cstdint>

namespace qgisbench {

// Times walks over every record of a dataset reading each pushpin's name (what Find and
// Get All do through a record set); a walk that does not see count records is an error.
inline void walkNames(benchmark::State& state, const mappoint::DataSetPtr& dataSet, int count) {
    for (auto _ : state) {
        int64_t length = 0;
        int records = 0;
        for (auto rs = dataSet->QueryAllRecords(); !rs->Eof(); rs->MoveNext()) {
            length += rs->Pushpin()->Name().size();
            ++records;
        }
        benchmark::DoNotOptimize(length);
        if (records != count)
            state.SkipWithError("the walk missed records");
    }
}

} // namespace qgisbench
