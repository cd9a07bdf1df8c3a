#pragma once

#include "Types.h"

#include <QString>

namespace mappoint {

// The map's symbols: the 256 built-in ones at indices 1 to 256 (ID = index - 1),
// then the custom ones in the order they were added.
class Symbols : public automation::Object {
public:
    virtual int32_t Count() = 0;
    virtual SymbolPtr Item(int32_t index) = 0;
    // A custom symbol from a bitmap file; IDs from 256 up. Fails when the file cannot
    // be read as an image.
    virtual SymbolPtr Add(const QString& fileName) = 0;
};

} // namespace mappoint
