#include "PinIndex.h"

#include <algorithm>

namespace maphost {

namespace {

constexpr int GridSize = 1 << PinIndex::MaxLevel;

// Spreads the low 10 bits of v so that a zero bit sits between each.
uint32_t spread(uint32_t v) {
    v &= 0x3ff;
    v = (v | (v << 8)) & 0x00ff00ff;
    v = (v | (v << 4)) & 0x0f0f0f0f;
    v = (v | (v << 2)) & 0x33333333;
    v = (v | (v << 1)) & 0x55555555;
    return v;
}

uint32_t morton(uint32_t ix, uint32_t iy) {
    return spread(ix) | (spread(iy) << 1);
}

int gridCell(double w) {
    return std::clamp(static_cast<int>(w * GridSize), 0, GridSize - 1);
}

} // namespace

PinIndex::PinIndex()
    : start_(static_cast<size_t>(GridSize) * GridSize + 1, 0), sumX_(1, 0), sumY_(1, 0) {}

void PinIndex::build(std::vector<PinEntry> entries) {
    const size_t cells = static_cast<size_t>(GridSize) * GridSize;
    std::vector<uint32_t> codes(entries.size());
    std::fill(start_.begin(), start_.end(), 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        codes[i] = morton(gridCell(entries[i].wx), gridCell(entries[i].wy));
        ++start_[codes[i] + 1];
    }
    for (size_t c = 0; c < cells; ++c)
        start_[c + 1] += start_[c];

    // Counting sort along the curve; stable, so map order survives inside a cell.
    entries_.resize(entries.size());
    std::vector<uint32_t> next(start_.begin(), start_.end() - 1);
    for (size_t i = 0; i < entries.size(); ++i)
        entries_[next[codes[i]]++] = entries[i];

    sumX_.assign(entries_.size() + 1, 0);
    sumY_.assign(entries_.size() + 1, 0);
    PinId maxId = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        sumX_[i + 1] = sumX_[i] + entries_[i].wx;
        sumY_[i + 1] = sumY_[i] + entries_[i].wy;
        maxId = std::max(maxId, entries_[i].id);
    }
    byId_.assign(entries_.empty() ? 0 : static_cast<size_t>(maxId) + 1, 0);
    for (size_t i = 0; i < entries_.size(); ++i)
        byId_[entries_[i].id] = static_cast<uint32_t>(i + 1);
}

std::pair<size_t, size_t> PinIndex::range(int level, int ix, int iy) const {
    const int shift = 2 * (MaxLevel - level);
    const size_t first = static_cast<size_t>(morton(ix, iy)) << shift;
    const size_t last = first + (size_t{1} << shift);
    return {start_[first], start_[last]};
}

std::span<const PinEntry> PinIndex::cell(int level, int ix, int iy) const {
    const auto [a, b] = range(level, ix, iy);
    return {entries_.data() + a, b - a};
}

QPointF PinIndex::centroid(int level, int ix, int iy) const {
    const auto [a, b] = range(level, ix, iy);
    const double n = static_cast<double>(b - a);
    if (n <= 0)
        return {};
    return {(sumX_[b] - sumX_[a]) / n, (sumY_[b] - sumY_[a]) / n};
}

const PinEntry* PinIndex::find(PinId id) const {
    if (id >= byId_.size() || byId_[id] == 0)
        return nullptr;
    return &entries_[byId_[id] - 1];
}

} // namespace maphost
