#include "desktop/ScreenFit.h"

#include <gtest/gtest.h>

namespace {

// A 1920 x 1000 screen with a 40-pixel panel on top, right of a second screen.
const QRect Available(1280, 40, 1920, 960);

TEST(ScreenFit, AWindowIsMovedAndShrunkOntoTheAvailableArea) {
    const struct {
        const char* what;
        QRect frame;
        QRect fitted;
    } cases[] = {
        {"fits: unchanged", {1400, 100, 900, 650}, {1400, 100, 900, 650}},
        {"bottom off the screen: moved up", {1400, 500, 900, 650}, {1400, 350, 900, 650}},
        {"under the panel: moved down", {1400, 0, 900, 650}, {1400, 40, 900, 650}},
        {"on the other screen: moved over", {100, 100, 900, 650}, {1280, 100, 900, 650}},
        {"past the right edge", {3000, 100, 900, 650}, {2300, 100, 900, 650}},
        {"higher than the screen: shrunk", {1400, 100, 900, 1200}, {1400, 40, 900, 960}},
        {"larger both ways", {0, 0, 4000, 3000}, {1280, 40, 1920, 960}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(desktop::FitInside(c.frame, Available), c.fitted) << c.what;
}

} // namespace
