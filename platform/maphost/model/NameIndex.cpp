#include "NameIndex.h"

#include "MapState.h"
#include "qtcompat/QtCompat.h"

#include <algorithm>
#include <bit>

namespace maphost {

NameIndex::NameIndex(const MapState& state) : state_(state), seed_(qtcompat::hashSeed()) {}

bool NameIndex::nameIs(uint32_t pin, const QString& name) const {
    return state_.pins[pin].name == name;
}

bool NameIndex::MapOrder::operator()(uint32_t a, uint32_t b) const {
    return state->orderKey(a) < state->orderKey(b);
}

size_t NameIndex::find(const QString& name, size_t hash) const {
    if (slots_.empty())
        return NotFound;
    const size_t mask = slots_.size() - 1;
    const uint32_t tag = tagOf(hash);
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot slot = slots_[i];
        if (slot.pin == Empty)
            return NotFound;
        if (slot.pin != Removed && slot.tag == tag && nameIs(slot.pin, name))
            return i;
    }
}

uint32_t NameIndex::first(const QString& name) const {
    const size_t i = find(name, hashOf(name));
    return i == NotFound ? None : slots_[i].pin;
}

void NameIndex::add(const QString& name, uint32_t pin) {
    const size_t hash = hashOf(name);
    const size_t found = find(name, hash);
    if (found != NotFound) {
        Slot& slot = slots_[found];
        auto it = all_.find(name);
        if (it == all_.end()) {
            it = all_.insert(name, PinSet(MapOrder{&state_}));
            it->insert(slot.pin);
        }
        it->insert(pin);
        slot.pin = *it->begin();
        return;
    }
    // Keep at most 70% of the slots in use (removed ones count).
    if ((used_ + 1) * 10 > slots_.size() * 7)
        rehash(std::max<size_t>(16, std::bit_ceil((live_ + 1) * 2)));
    const size_t mask = slots_.size() - 1;
    size_t i = hash & mask;
    while (slots_[i].pin != Empty && slots_[i].pin != Removed)
        i = (i + 1) & mask;
    if (slots_[i].pin == Empty)
        ++used_;
    slots_[i] = {tagOf(hash), pin};
    ++live_;
}

void NameIndex::remove(const QString& name, uint32_t pin) {
    const size_t found = find(name, hashOf(name));
    if (found == NotFound)
        return;
    Slot& slot = slots_[found];
    auto ai = all_.find(name);
    if (ai == all_.end()) {
        if (slot.pin == pin) {
            slot.pin = Removed;
            --live_;
        }
        return;
    }
    PinSet& all = ai.value();
    if (all.erase(pin) == 0)
        return;
    slot.pin = *all.begin();
    if (all.size() == 1)
        all_.erase(ai);
}

void NameIndex::rehash(size_t capacity) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(capacity, Slot{0, Empty});
    const size_t mask = capacity - 1;
    for (const Slot& slot : old) {
        if (slot.pin == Empty || slot.pin == Removed)
            continue;
        const size_t hash = hashOf(state_.pins[slot.pin].name);
        size_t i = hash & mask;
        while (slots_[i].pin != Empty)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
    used_ = live_;
}

void NameIndex::reserve(size_t count) {
    const size_t capacity = std::bit_ceil(std::max<size_t>(16, count * 10 / 7 + 1));
    if (capacity > slots_.size())
        rehash(capacity);
}

} // namespace maphost
