// GoogleTest entry point inside an initialised QgsApplication.
#include "QgisRuntime.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const qgistest::QgisRuntime qgis(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
