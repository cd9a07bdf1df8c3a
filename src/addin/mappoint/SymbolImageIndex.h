#pragma once

namespace locastra {

// The 1-based picture in the Symbol image table for a symbol number: symbol + 1 for
// the built-in symbols 0 to 254, picture 1 for everything else (255, custom symbols
// from 256 up, and out-of-range numbers).
constexpr int SymbolImageIndex(int symbol) {
    return symbol >= 0 && symbol <= 254 ? symbol + 1 : 1;
}

} // namespace locastra
