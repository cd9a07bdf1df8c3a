#pragma once

#include "maphost/model/HostMap.h"

#include <QPointF>
#include <cstdint>
#include <span>
#include <vector>

namespace maphost {

// One pushpin as the view draws it: its world position and drawing attributes.
struct PinEntry {
    double wx = 0;
    double wy = 0;
    PinId id = 0;
    DataSetId dataSet = 0;
    int symbol = 0;
    bool highlight = false;
    uint8_t balloonState = 0;
};

// A spatial index of pushpins in world coordinates: entries sorted along a Z-order
// curve over a 1024 x 1024 grid, so every aligned cell of every coarser level is one
// contiguous run. Counts and centroids of any cell are answered in O(1); the view
// reads only the cells on screen. Rebuilt (in O(n)) when the map's content changes.
class PinIndex {
public:
    static constexpr int MaxLevel = 10; // finest grid: 2^10 cells a side

    PinIndex();
    void build(std::vector<PinEntry> entries);

    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    // The entries of cell (ix, iy) of level (0 .. MaxLevel); ix and iy in 0 .. 2^level - 1.
    std::span<const PinEntry> cell(int level, int ix, int iy) const;
    size_t count(int level, int ix, int iy) const { return cell(level, ix, iy).size(); }
    // Mean world position of the cell's entries (cell must not be empty).
    QPointF centroid(int level, int ix, int iy) const;
    // The entry of a pushpin, or nullptr when the index does not hold it.
    const PinEntry* find(PinId id) const;

private:
    std::pair<size_t, size_t> range(int level, int ix, int iy) const;

    std::vector<PinEntry> entries_;
    std::vector<uint32_t> start_; // per finest Morton code, plus one end marker
    std::vector<double> sumX_;    // prefix sums of wx / wy in entry order
    std::vector<double> sumY_;
    std::vector<uint32_t> byId_; // PinId -> entry position + 1 (0: not held)
};

} // namespace maphost
