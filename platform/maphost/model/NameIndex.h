#pragma once

#include <QHash>
#include <QString>
#include <cstdint>
#include <set>
#include <vector>

namespace maphost {

class MapState;

// Exact, case-sensitive pushpin name index. For every name it keeps the first pin
// in dataset order then record order, so a lookup is one probe of an open-addressing
// table of 8-byte slots (hash tag + pin id; the name itself is read from the pin).
// Names held by several pins also keep all of them, so the first can be found again
// when it goes.
class NameIndex {
public:
    explicit NameIndex(const MapState& state);

    static constexpr uint32_t None = UINT32_MAX;

    // The first pin of that name, or None.
    uint32_t first(const QString& name) const;

    // Call with the pin already at its place (dataset, position and name set).
    void add(const QString& name, uint32_t pin);
    // Call while the pin still bears the name.
    void remove(const QString& name, uint32_t pin);
    void reserve(size_t count);

private:
    struct Slot {
        uint32_t tag;
        uint32_t pin; // Empty, Removed or a pin bearing the name
    };
    static constexpr uint32_t Empty = UINT32_MAX;
    static constexpr uint32_t Removed = UINT32_MAX - 1;
    static constexpr size_t NotFound = SIZE_MAX;

    size_t hashOf(const QString& name) const { return qHash(name, seed_); }
    static uint32_t tagOf(size_t hash) { return uint32_t(uint64_t(hash) >> 32); }
    size_t find(const QString& name, size_t hash) const;
    void rehash(size_t capacity);
    bool nameIs(uint32_t pin, const QString& name) const;

    // Orders pins by dataset order then record order. Pins are taken out of a set
    // before anything changes that order between them (a move or a deletion), so
    // the comparison may read the map's current state.
    struct MapOrder {
        const MapState* state;
        bool operator()(uint32_t a, uint32_t b) const;
    };
    using PinSet = std::set<uint32_t, MapOrder>;

    const MapState& state_;
    size_t seed_;
    std::vector<Slot> slots_; // capacity a power of two
    size_t used_ = 0;         // live and removed slots
    size_t live_ = 0;
    QHash<QString, PinSet> all_; // only names held by more than one pin
};

} // namespace maphost
