// GoogleTest entry point inside an initialised QgsApplication, offscreen unless the
// caller chose a platform.
#include "QgisCleanup.h"

#include <gtest/gtest.h>
#include <qgsapplication.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QgsApplication app(argc, argv, false);
    QgsApplication::setPrefixPath(QStringLiteral("/usr"), true);
    QgsApplication::initQgis();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    qgistest::runAtExit();
    QgsApplication::exitQgis();
    return result;
}
