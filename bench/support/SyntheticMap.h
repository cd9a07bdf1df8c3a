#pragma once

#include "maphost/MapData.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace synthetic {

struct SyntheticMapOptions {
    int pushpins = 1000;
    int dataSets = 4;
    uint64_t seed = 1;
    // Share of pushpins that repeat the name of an earlier one (same case or another).
    double repeatedNames = 0.1;
};

// A map document of options.pushpins pushpins spread evenly over options.dataSets
// datasets ("Data 1", "Data 2", ...), each with three short fields: "Category"
// (text of 2 to 4 characters), "Count" (integer) and "Score" (floating point).
// Names are like "Blue Harbor 4711" in mixed case (title, upper or lower), some
// repeated. Coordinates are spread over latitudes -80..80 and all longitudes.
// The same options always give the same map.
maphost::MapData makeSyntheticMap(const SyntheticMapOptions& options);

// One dataset of such a map (index 0 to dataSets - 1), for building big maps
// without holding the whole document twice.
maphost::DataSetData makeSyntheticDataSet(const SyntheticMapOptions& options, int index);

// count names that occur in a map made with options (spread over all datasets).
std::vector<QString> sampleNames(const SyntheticMapOptions& options, int count);

} // namespace synthetic
