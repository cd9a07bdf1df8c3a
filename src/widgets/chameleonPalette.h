#pragma once

#include <QPalette>
#include <cstdint>

// The working colours of one button, all plain 0x00BBGGRR values.
struct chameleonPalette {
    uint32_t face = 0;
    uint32_t faceOver = 0;
    uint32_t text = 0;
    uint32_t textOver = 0;
    uint32_t light = 0;
    uint32_t highlight = 0;
    uint32_t shadow = 0;
    uint32_t darkShadow = 0;
    uint32_t selection = 0;
    uint32_t selectionTint = 0;
    uint32_t mask = 0;
    uint32_t softFace = 0;

    struct Inputs {
        int scheme = 1;
        int look = 2;
        bool softBevel = false;
        uint32_t backColor = 0;
        uint32_t backOver = 0;
        uint32_t foreColor = 0;
        uint32_t foreOver = 0;
        uint32_t maskColor = 0;
        QPalette own;            // the control's palette, for system colours
        QPalette surface;        // the parent window's palette (scheme 4)
        bool hasSurface = false; // false: the control has no parent window
    };

    // Schemes 0 and 1 take the system colours, 2 the control's own colours, 3 a fixed grey
    // palette, 4 the parent window's colours; any other number is treated as 1.
    static chameleonPalette compute(const Inputs& in);
};
