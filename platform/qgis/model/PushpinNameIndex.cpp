#include "PushpinNameIndex.h"

#include <bit>
#include <functional>
#include <limits>
#include <string_view>

namespace qgishost {

namespace {
constexpr int64_t Dead = std::numeric_limits<int64_t>::min();

uint64_t mix(uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    return x;
}

// Table sizes keep at most 70 % of the slots in use.
size_t capacityFor(size_t count) {
    return std::bit_ceil(std::max<size_t>(16, count * 10 / 7 + 1));
}

// Linear-probing deletion without tombstones: later slots of the same run move back
// when their home lies at or before the freed slot.
template <class Slot, class IsFree, class Home>
void backwardShiftErase(std::vector<Slot>& table, size_t freed, Slot free, IsFree isFree,
                        Home home) {
    const size_t mask = table.size() - 1;
    size_t j = freed;
    while (true) {
        j = (j + 1) & mask;
        if (isFree(table[j]))
            break;
        const size_t k = home(table[j]);
        const bool stays = freed <= j ? (freed < k && k <= j) : (freed < k || k <= j);
        if (!stays) {
            table[freed] = table[j];
            freed = j;
        }
    }
    table[freed] = free;
}
} // namespace

uint64_t PushpinNameIndex::hashOf(const QString& name) {
    const std::u16string_view text(reinterpret_cast<const char16_t*>(name.utf16()),
                                   size_t(name.size()));
    return mix(std::hash<std::u16string_view>{}(text));
}

void PushpinNameIndex::clear() {
    // Assigning {} would keep the memory (it is an assign from an empty list).
    entries_ = std::vector<Entry>();
    chains_ = std::vector<Chain>();
    ids_ = std::vector<uint32_t>();
    chainCount_ = live_ = 0;
}

void PushpinNameIndex::reserve(size_t features) {
    entries_.reserve(features);
    if (capacityFor(features) > ids_.size())
        rehash(std::max(chains_.size(), capacityFor(features)), capacityFor(features));
}

size_t PushpinNameIndex::chainHome(const Chain& chain) const {
    return entries_[chain.head].hash & (chains_.size() - 1);
}

size_t PushpinNameIndex::idHome(uint32_t entry) const {
    return mix(uint64_t(entries_[entry].featureId)) & (ids_.size() - 1);
}

size_t PushpinNameIndex::chainSlot(uint64_t hash) const {
    if (chains_.empty())
        return NoSlot;
    const size_t mask = chains_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Chain& c = chains_[i];
        if (c.head == None)
            return NoSlot;
        if (entries_[c.head].hash == hash)
            return i;
    }
}

size_t PushpinNameIndex::idSlot(int64_t featureId) const {
    if (ids_.empty())
        return NoSlot;
    const size_t mask = ids_.size() - 1;
    for (size_t i = mix(uint64_t(featureId)) & mask;; i = (i + 1) & mask) {
        if (ids_[i] == None)
            return NoSlot;
        if (entries_[ids_[i]].featureId == featureId)
            return i;
    }
}

// Feature order: new features not yet saved (negative ids) first, by id, as the
// layer's iterator yields them from the edit buffer; then the others in the order
// they were indexed.
bool PushpinNameIndex::precedes(uint32_t a, uint32_t b) const {
    const int64_t idA = entries_[a].featureId;
    const int64_t idB = entries_[b].featureId;
    if ((idA < 0) != (idB < 0))
        return idA < 0;
    return idA < 0 ? idA < idB : a < b;
}

// Puts an entry into its name's chain, which stays in feature order.
void PushpinNameIndex::link(uint32_t entry) {
    Entry& e = entries_[entry];
    e.prev = e.next = None;
    const size_t slot = chainSlot(e.hash);
    if (slot == NoSlot) {
        if ((chainCount_ + 1) * 10 > chains_.size() * 7)
            rehash(chains_.size() * 2, ids_.size());
        const size_t mask = chains_.size() - 1;
        size_t i = e.hash & mask;
        while (chains_[i].head != None)
            i = (i + 1) & mask;
        chains_[i] = {entry, entry};
        ++chainCount_;
        return;
    }
    Chain& c = chains_[slot];
    if (precedes(c.tail, entry)) { // the usual case: a feature added at the end
        e.prev = c.tail;
        entries_[c.tail].next = entry;
        c.tail = entry;
        return;
    }
    uint32_t after = None;
    uint32_t before = c.head;
    while (before != None && precedes(before, entry)) {
        after = before;
        before = entries_[before].next;
    }
    e.prev = after;
    e.next = before;
    (after == None ? c.head : entries_[after].next) = entry;
    entries_[before].prev = entry; // not None: the tail does not precede entry
}

void PushpinNameIndex::unlink(uint32_t entry) {
    Entry& e = entries_[entry];
    const size_t slot = chainSlot(e.hash);
    Chain& c = chains_[slot];
    (e.prev == None ? c.head : entries_[e.prev].next) = e.next;
    (e.next == None ? c.tail : entries_[e.next].prev) = e.prev;
    e.prev = e.next = None;
    if (c.head == None)
        eraseChain(slot);
}

void PushpinNameIndex::eraseChain(size_t slot) {
    backwardShiftErase(
        chains_, slot, Chain{None, None}, [](const Chain& c) { return c.head == None; },
        [this](const Chain& c) { return chainHome(c); });
    --chainCount_;
}

void PushpinNameIndex::eraseId(size_t slot) {
    backwardShiftErase(
        ids_, slot, None, [](uint32_t e) { return e == None; },
        [this](uint32_t e) { return idHome(e); });
}

void PushpinNameIndex::rehash(size_t chainCapacity, size_t idCapacity) {
    std::vector<Chain> chains(std::max<size_t>(16, chainCapacity), Chain{None, None});
    const size_t chainMask = chains.size() - 1;
    for (const Chain& c : chains_) {
        if (c.head == None)
            continue;
        size_t i = entries_[c.head].hash & chainMask;
        while (chains[i].head != None)
            i = (i + 1) & chainMask;
        chains[i] = c;
    }
    chains_ = std::move(chains);
    std::vector<uint32_t> ids(std::max<size_t>(16, idCapacity), None);
    const size_t idMask = ids.size() - 1;
    for (uint32_t e : ids_) {
        if (e == None)
            continue;
        size_t i = mix(uint64_t(entries_[e].featureId)) & idMask;
        while (ids[i] != None)
            i = (i + 1) & idMask;
        ids[i] = e;
    }
    ids_ = std::move(ids);
}

void PushpinNameIndex::append(int64_t featureId, const QString& name) {
    remove(featureId);
    if (entries_.size() >= None - 1)
        compact();
    if (ids_.empty() || (live_ + 1) * 10 > ids_.size() * 7)
        rehash(std::max<size_t>(16, chains_.size()), std::max<size_t>(16, ids_.size() * 2));
    entries_.push_back({featureId, hashOf(name), None, None});
    place(uint32_t(entries_.size() - 1));
}

// Enters the last entry into both tables.
void PushpinNameIndex::place(uint32_t entry) {
    const size_t mask = ids_.size() - 1;
    size_t i = mix(uint64_t(entries_[entry].featureId)) & mask;
    while (ids_[i] != None)
        i = (i + 1) & mask;
    ids_[i] = entry;
    link(entry);
    ++live_;
}

void PushpinNameIndex::remove(int64_t featureId) {
    const size_t slot = idSlot(featureId);
    if (slot == NoSlot)
        return;
    const uint32_t entry = ids_[slot];
    eraseId(slot);
    unlink(entry);
    entries_[entry].featureId = Dead;
    --live_;
    const size_t dead = entries_.size() - live_;
    if (dead > 4096 && dead > live_)
        compact();
}

void PushpinNameIndex::rename(int64_t featureId, const QString& name) {
    const size_t slot = idSlot(featureId);
    if (slot == NoSlot)
        return;
    const uint32_t entry = ids_[slot];
    const uint64_t hash = hashOf(name);
    if (entries_[entry].hash == hash)
        return;
    unlink(entry);
    entries_[entry].hash = hash;
    link(entry);
}

bool PushpinNameIndex::first(const QString& name, int64_t& featureId) const {
    const size_t slot = chainSlot(hashOf(name));
    if (slot == NoSlot)
        return false;
    featureId = entries_[chains_[slot].head].featureId;
    return true;
}

// Drops the entries of removed features, keeping the order of the others.
void PushpinNameIndex::compact() {
    std::vector<Entry> live;
    live.reserve(live_);
    for (const Entry& e : entries_) {
        if (e.featureId != Dead)
            live.push_back(e);
    }
    clear();
    reserve(live.size());
    for (const Entry& e : live) {
        entries_.push_back(e);
        place(uint32_t(entries_.size() - 1));
    }
}

size_t PushpinNameIndex::memoryBytes() const {
    return entries_.capacity() * sizeof(Entry) + chains_.capacity() * sizeof(Chain) +
           ids_.capacity() * sizeof(uint32_t);
}

} // namespace qgishost
