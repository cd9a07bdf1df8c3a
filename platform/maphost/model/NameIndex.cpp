#include "NameIndex.h"

#include "MapState.h"

#include <algorithm>

namespace maphost {

void NameIndex::add(const QString& name, uint32_t pin) {
    auto it = first_.find(name);
    if (it == first_.end()) {
        first_.insert(name, pin);
        return;
    }
    auto& all = all_[name];
    if (all.empty())
        all.push_back(it.value());
    all.push_back(pin);
    if (state_.orderKey(pin) < state_.orderKey(it.value()))
        it.value() = pin;
}

void NameIndex::remove(const QString& name, uint32_t pin) {
    auto it = first_.find(name);
    if (it == first_.end())
        return;
    auto ai = all_.find(name);
    if (ai == all_.end()) {
        if (it.value() == pin)
            first_.erase(it);
        return;
    }
    auto& all = ai.value();
    auto pos = std::find(all.begin(), all.end(), pin);
    if (pos == all.end())
        return;
    *pos = all.back();
    all.pop_back();
    if (it.value() == pin) {
        it.value() = *std::min_element(all.begin(), all.end(), [this](uint32_t a, uint32_t b) {
            return state_.orderKey(a) < state_.orderKey(b);
        });
    }
    if (all.size() == 1)
        all_.erase(ai);
}

void NameIndex::clear() {
    first_.clear();
    all_.clear();
}

} // namespace maphost
