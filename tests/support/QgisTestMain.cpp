// GoogleTest entry point inside an offscreen QgsApplication.
#include "OffscreenQgis.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    OffscreenQgis qgis(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
