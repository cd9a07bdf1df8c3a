// GoogleTest entry point inside an initialised QgsApplication, offscreen unless the
// caller chose a platform.
#include "QgisTestMain.h"

#include <gtest/gtest.h>
#include <qgsapplication.h>
#include <vector>

namespace qgistest {

namespace {
std::vector<std::function<void()>>& cleanups() {
    static std::vector<std::function<void()>> list;
    return list;
}
} // namespace

void atExit(std::function<void()> cleanup) {
    cleanups().push_back(std::move(cleanup));
}

} // namespace qgistest

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QgsApplication app(argc, argv, false);
    QgsApplication::setPrefixPath(QStringLiteral("/usr"), true);
    QgsApplication::initQgis();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    auto& cleanups = qgistest::cleanups();
    while (!cleanups.empty()) {
        const std::function<void()> cleanup = std::move(cleanups.back());
        cleanups.pop_back();
        cleanup();
    }
    QgsApplication::exitQgis();
    return result;
}
