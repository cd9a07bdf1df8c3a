#include "QgisRuntime.h"

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

QgisRuntime::QgisRuntime(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QgsApplication>(argc, argv, false, profile_.path());
    QgsApplication::setPrefixPath(QStringLiteral("/usr"), true);
    QgsApplication::initQgis();
}

QgisRuntime::~QgisRuntime() {
    auto& list = cleanups();
    while (!list.empty()) {
        const std::function<void()> cleanup = std::move(list.back());
        list.pop_back();
        cleanup();
    }
    QgsApplication::exitQgis();
}

} // namespace qgistest
