#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace qgishost {

// One layer's exact, case-sensitive name index: for a name, the first feature in
// feature order, the order the layer's iterator yields: features added in the edit
// buffer and not saved yet (negative ids) first, by id, then the others in the order
// they were indexed (the data source's). Names are kept as 64-bit
// hashes, never as text, so the index costs about 50 bytes a feature beside the
// layer's own data; two different names sharing a hash (about one lookup in 10^13 on
// a million names) would be taken as equal.
//
// Features of one name are linked in feature order, so
// the first is at hand and the next takes over when it goes. Two open-addressing
// tables find a name's chain and a feature id's entry.
class PushpinNameIndex {
public:
    static uint64_t hashOf(const QString& name);

    void clear();
    void reserve(size_t features);
    // Adds a feature: after every feature indexed, or, when not saved yet, in its
    // place among the unsaved ones.
    void append(int64_t featureId, const QString& name);
    void remove(int64_t featureId);
    // A feature's new name; it keeps its place in feature order.
    void rename(int64_t featureId, const QString& name);
    // The first feature bearing that name.
    bool first(const QString& name, int64_t& featureId) const;

    size_t size() const { return live_; }
    size_t memoryBytes() const;

private:
    struct Entry {
        int64_t featureId;
        uint64_t hash;
        uint32_t prev;
        uint32_t next;
    };
    // A name's features: first and last entry of its chain.
    struct Chain {
        uint32_t head;
        uint32_t tail;
    };
    static constexpr uint32_t None = UINT32_MAX;
    static constexpr size_t NoSlot = SIZE_MAX;

    size_t chainSlot(uint64_t hash) const;
    size_t idSlot(int64_t featureId) const;
    size_t chainHome(const Chain& chain) const;
    size_t idHome(uint32_t entry) const;
    bool precedes(uint32_t a, uint32_t b) const;
    void place(uint32_t entry);
    void link(uint32_t entry);
    void unlink(uint32_t entry);
    void eraseChain(size_t slot);
    void eraseId(size_t slot);
    void rehash(size_t chainCapacity, size_t idCapacity);
    void compact();

    std::vector<Entry> entries_;
    std::vector<Chain> chains_; // power-of-two size, head None = free
    std::vector<uint32_t> ids_; // power-of-two size, None = free
    size_t chainCount_ = 0;
    size_t live_ = 0;
};

} // namespace qgishost
