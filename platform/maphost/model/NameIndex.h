#pragma once

#include <QHash>
#include <QString>
#include <cstdint>
#include <vector>

namespace maphost {

class MapState;

// Exact, case-sensitive pushpin name index. For every name it keeps the first pin
// in dataset order then record order, so a lookup is one hash probe. Names held by
// several pins also keep all of them, so the first can be found again when it goes.
class NameIndex {
public:
    explicit NameIndex(const MapState& state) : state_(state) {}

    static constexpr uint32_t None = UINT32_MAX;

    // The first pin of that name, or None.
    uint32_t first(const QString& name) const { return first_.value(name, None); }

    // Call with the pin already at its place (dataset and position set).
    void add(const QString& name, uint32_t pin);
    void remove(const QString& name, uint32_t pin);
    void clear();
    void reserve(qsizetype count) { first_.reserve(count); }

private:
    const MapState& state_;
    QHash<QString, uint32_t> first_;
    QHash<QString, std::vector<uint32_t>> all_; // only names held by more than one pin
};

} // namespace maphost
