#pragma once

#include "automation/Error.h"

namespace locastra {

template <class Visit>
void ForEachChosenDataSet(const mappoint::MapPtr& map, const QString& choice, Visit&& visit) {
    auto dataSets = map->DataSets();
    const int32_t count = dataSets->Count();
    const bool all = choice == AllDataSets;
    for (int32_t i = 1; i <= count; ++i) {
        auto dataSet = dataSets->Item(i);
        if (!all) {
            QString name;
            try {
                name = dataSet->Name();
            } catch (const automation::Error&) {
                continue;
            }
            if (name != choice)
                continue;
        }
        visit(dataSet);
    }
}

} // namespace locastra
