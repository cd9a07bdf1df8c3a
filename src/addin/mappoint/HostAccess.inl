#pragma once

#include "automation/Error.h"

namespace locastra {

template <class Visit>
void ForEachChosenDataSet(const mappoint::MapPtr& map, const QString& choice, Visit&& visit,
                          UnreadableName unreadable) {
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
                if (unreadable == UnreadableName::Fail)
                    throw;
                continue;
            }
            if (name != choice)
                continue;
        }
        visit(dataSet);
    }
}

} // namespace locastra
